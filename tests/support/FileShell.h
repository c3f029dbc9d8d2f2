#pragma once
// The file-system shell of the native build, set up for one test: the programs folders point
// into a fresh directory, nothing is really opened, and every hook is taken off again afterwards.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/posix/FileShellNamespace.h"
#include "support/TempDir.h"

class FileShellFixture {
public:
    FileShellFixture()
        : shell_(dynamic_cast<platform::posix::FileShellNamespace&>(platform::GetShellNamespace())),
          programs_(shell_.SpecialFolderPath(2)),
          commonPrograms_(shell_.SpecialFolderPath(23)) {
        Reset();
        shell_.Opener = [](const std::u16string&) { return true; };
    }
    ~FileShellFixture() {
        Reset();
        shell_.SetSpecialFolder(2, programs_);
        shell_.SetSpecialFolder(23, commonPrograms_);
    }
    FileShellFixture(const FileShellFixture&) = delete;
    FileShellFixture& operator=(const FileShellFixture&) = delete;

    platform::posix::FileShellNamespace& Shell() { return shell_; }
    const TempDir& Dir() const { return dir_; }
    std::filesystem::path Native(const std::string& relative) const { return dir_.Native() / relative; }
    // The program's text of a path below the directory.
    std::u16string Text(const std::string& relative) const {
        return platform::posix::ShellPathText((dir_.Native() / relative).string());
    }
    void MakeFolder(const std::string& relative) const { std::filesystem::create_directories(Native(relative)); }
    void MakeFile(const std::string& relative, const std::string& content = "x") const {
        std::filesystem::create_directories(Native(relative).parent_path());
        std::ofstream(Native(relative), std::ios::binary) << content;
    }
    // Points "rfPrograms" (2) and "rfCommonPrograms" (23) at folders of the directory.
    void UseProgramsFolders() {
        MakeFolder("user");
        MakeFolder("common");
        shell_.SetSpecialFolder(2, Native("user").string());
        shell_.SetSpecialFolder(23, Native("common").string());
    }

private:
    void Reset() {
        shell_.Opener = nullptr;
        shell_.MenuChoice = nullptr;
        shell_.OnEnumerate = nullptr;
        shell_.Requests.clear();
    }
    platform::posix::FileShellNamespace& shell_;
    std::string programs_, commonPrograms_;
    TempDir dir_;
};
