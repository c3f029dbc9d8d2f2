#pragma once
// A file-backed registry in a fresh folder, installed for one test and removed afterwards.
#include <fstream>
#include <string>

#include "platform/Registry.h"
#include "platform/posix/FileRegistry.h"
#include "support/TempDir.h"

class ScopedRegistry {
public:
    ScopedRegistry() : registry_(dir_.Native().string()) { previous_ = platform::SetRegistry(&registry_); }
    ~ScopedRegistry() { platform::SetRegistry(previous_); }
    ScopedRegistry(const ScopedRegistry&) = delete;
    ScopedRegistry& operator=(const ScopedRegistry&) = delete;

    platform::posix::FileRegistry& Registry() { return registry_; }
    std::string FileOf(platform::RootKey root) const { return registry_.FileOf(root); }
    // The raw bytes of a root's file ("" when there is none).
    std::string Bytes(platform::RootKey root) const {
        std::ifstream in(FileOf(root), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void WriteBytes(platform::RootKey root, const std::string& bytes) const {
        std::ofstream(FileOf(root), std::ios::binary) << bytes;
    }
    // Puts a value of any type and data straight into the store.
    void Put(platform::RootKey root, const std::u16string& path, const std::u16string& name,
             const platform::RegValue& value) {
        auto key = registry_.Open(root, path, platform::KeyWrite, true);
        if (key) key->Write(name, value);
    }

private:
    TempDir dir_;
    platform::posix::FileRegistry registry_;
    platform::Registry* previous_ = nullptr;
};
