#pragma once
// A fresh directory for one test, removed with everything in it afterwards. Paths are given in the
// program's own backslash form.
#include <filesystem>
#include <random>
#include <string>

#include "platform/Utf.h"

class TempDir {
public:
    TempDir() {
        std::random_device seed;
        path_ = std::filesystem::temp_directory_path() / ("nimbrel-test-" + std::to_string(seed()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Native() const { return path_; }
    // The directory as program text, with "\" separators, and a file in it.
    std::u16string Path() const {
        std::u16string p = path_.u16string();
        for (auto& c : p)
            if (c == u'/') c = u'\\';
        return p;
    }
    std::u16string File(const std::u16string& name) const { return Path() + u"\\" + name; }

private:
    std::filesystem::path path_;
};
