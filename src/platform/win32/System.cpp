#include "platform/System.h"

#include <vector>

#include "platform/Utf.h"
#include "platform/win32/WinText.h"

namespace platform {
namespace {
using win32::U16;
using win32::W;

[[noreturn]] void ThrowLastError() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::u16string message = text ? U16(text) : std::u16string();
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == u'\n' || message.back() == u'\r')) message.pop_back();
    throw OsError(code, "System Error. Code: " + std::to_string(code) + ". " + ToUtf8(message));
}

class Win32System final : public System {
public:
    std::u16string SystemDirectory() override {
        wchar_t path[MAX_PATH + 1] = {};
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length == 0 || length > MAX_PATH) ThrowLastError();
        return U16(path, length);
    }
    std::u16string WindowsDirectory() override {
        wchar_t buffer[261] = {};
        UINT n = GetWindowsDirectoryW(buffer, 261);
        if (n == 0 || n >= 261) ThrowLastError();
        std::u16string dir = U16(buffer, n);
        // A root such as "C:\" is the only form that comes back with a backslash.
        if (dir.size() > 3 && dir.back() == u'\\') dir.pop_back();
        return dir;
    }
    std::u16string ComputerName() override {
        wchar_t buffer[16] = {};
        DWORD n = 16;
        if (!GetComputerNameW(buffer, &n)) ThrowLastError();
        return U16(buffer, n);
    }
    std::u16string UserName() override {
        wchar_t buffer[261] = {};
        DWORD n = 261;
        if (!GetUserNameW(buffer, &n)) ThrowLastError();
        // The returned length counts the terminating NUL.
        return U16(buffer, n > 0 ? n - 1 : 0);
    }
    std::optional<std::u16string> EnvironmentVariable(const std::u16string& name) override {
        if (name.empty()) return std::nullopt;
        // Asked twice at most: the first answer gives the size when the value is longer.
        std::wstring buffer(256, L'\0');
        for (int attempt = 0; attempt < 2; ++attempt) {
            SetLastError(ERROR_SUCCESS);
            const DWORD n = GetEnvironmentVariableW(W(name), buffer.data(), static_cast<DWORD>(buffer.size()));
            if (n == 0) {
                if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
                return std::u16string();
            }
            if (n < buffer.size()) return U16(buffer.data(), n);
            buffer.assign(n, L'\0');
        }
        return std::nullopt;
    }
    std::u16string UserProfileDirectory() override {
        if (auto profile = EnvironmentVariable(u"USERPROFILE"); profile && !profile->empty()) return *profile;
        return WindowsDirectory().substr(0, 3);
    }
    std::optional<std::array<std::uint16_t, 4>> FileVersion(const std::u16string& path) override {
        DWORD ignored = 0;
        DWORD size = GetFileVersionInfoSizeW(W(path), &ignored);
        if (size == 0) return std::nullopt;
        std::vector<unsigned char> data(size);
        if (!GetFileVersionInfoW(W(path), 0, size, data.data())) return std::nullopt;
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
            length < sizeof(VS_FIXEDFILEINFO))
            return std::nullopt;
        return std::array<std::uint16_t, 4>{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                                            HIWORD(info->dwFileVersionLS), LOWORD(info->dwFileVersionLS)};
    }
    std::u16string ExecutablePath() override {
        std::vector<wchar_t> buffer(MAX_PATH);
        for (int attempt = 0; attempt < 6; ++attempt) {
            DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
            if (n == 0) ThrowLastError();
            if (n < buffer.size()) return U16(buffer.data(), n);
            buffer.resize(buffer.size() * 4);
        }
        ThrowLastError();
    }
    std::uint32_t ProcessId() override { return GetCurrentProcessId(); }
    bool ProcessRunning(std::uint32_t id) override {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
        // A process of another user may refuse to be opened: it runs all the same.
        if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
        const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        CloseHandle(process);
        return running;
    }
    std::uint32_t TickCount() override { return GetTickCount(); }
};
}  // namespace

System& DefaultSystem() {
    static Win32System system;
    return system;
}

}  // namespace platform
