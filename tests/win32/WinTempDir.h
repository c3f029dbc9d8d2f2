#pragma once
// A fresh directory below the Windows temporary folder for one test, removed afterwards.
#include <windows.h>

#include <string>

#include "platform/win32/WinText.h"

class WinTempDir {
public:
    WinTempDir() {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        path_ = platform::win32::U16(base) + u"nimbrel-" + Number(GetCurrentProcessId()) + u"-" + Number(++counter);
        CreateDirectoryW(platform::win32::W(path_), nullptr);
    }
    ~WinTempDir() { RemoveTree(path_); }
    WinTempDir(const WinTempDir&) = delete;
    WinTempDir& operator=(const WinTempDir&) = delete;

    const std::u16string& Path() const { return path_; }
    std::u16string File(const std::u16string& name) const { return path_ + u"\\" + name; }

    std::string Read(const std::u16string& name) const {
        HANDLE h = CreateFileW(platform::win32::W(File(name)), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<missing>";
        std::string bytes;
        char buffer[4096];
        DWORD n = 0;
        while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0) bytes.append(buffer, n);
        CloseHandle(h);
        return bytes;
    }
    void Write(const std::u16string& name, const std::string& bytes) const {
        HANDLE h = CreateFileW(platform::win32::W(File(name)), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD n = 0;
        WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
        CloseHandle(h);
    }
    int Count() const {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(platform::win32::W(path_ + u"\\*"), &data);
        int count = 0;
        if (find == INVALID_HANDLE_VALUE) return 0;
        do {
            if (wcscmp(data.cFileName, L".") != 0 && wcscmp(data.cFileName, L"..") != 0) ++count;
        } while (FindNextFileW(find, &data));
        FindClose(find);
        return count;
    }

private:
    static std::u16string Number(unsigned long n) {
        const std::string s = std::to_string(n);
        return std::u16string(s.begin(), s.end());
    }
    static void RemoveTree(const std::u16string& dir) {
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW(platform::win32::W(dir + u"\\*"), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::u16string name = platform::win32::U16(data.cFileName);
                if (name == u"." || name == u"..") continue;
                const std::u16string full = dir + u"\\" + name;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(full);
                else {
                    SetFileAttributesW(platform::win32::W(full), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(platform::win32::W(full));
                }
            } while (FindNextFileW(find, &data));
            FindClose(find);
        }
        RemoveDirectoryW(platform::win32::W(dir));
    }
    std::u16string path_;
};
