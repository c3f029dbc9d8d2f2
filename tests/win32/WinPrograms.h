#pragma once
// A folder of the real all-users Programs folder made for one test, with empty files below it
// (folders made as their paths need them), and removed with everything in it afterwards.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/win32/WinText.h"

inline std::u16string CommonPrograms() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, 0, path);
    return platform::win32::U16(path);
}

struct ProgramsFolder {
    ProgramsFolder(const std::u16string& name, const std::vector<std::u16string>& files)
        : Root(CommonPrograms() + u"\\" + name) {
        using platform::win32::W;
        for (const std::u16string& file : files) {
            const std::u16string path = Root + u"\\" + file;
            for (std::size_t at = path.find(u'\\', Root.size()); at != std::u16string::npos; at = path.find(u'\\', at + 1))
                CreateDirectoryW(W(path.substr(0, at)), nullptr);
            CloseHandle(CreateFileW(W(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        }
    }
    ~ProgramsFolder() {
        std::u16string from = Root + u'\0' + u'\0';
        SHFILEOPSTRUCTW op{};
        op.wFunc = FO_DELETE;
        op.pFrom = platform::win32::W(from);
        op.fFlags = FOF_NO_UI;
        SHFileOperationW(&op);
    }
    ProgramsFolder(const ProgramsFolder&) = delete;
    ProgramsFolder& operator=(const ProgramsFolder&) = delete;
    const std::u16string Root;
};
