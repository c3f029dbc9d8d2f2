// Looks at the windows of a Wine prefix from outside the start menu's process, for the
// end-to-end tests:
//   WindowInfo exstyle <title>   the extended style (hex) of each visible top-level window of
//                                that title wider than 100 pixels, a line each
//   WindowInfo titles            the titles of all visible top-level windows, a line each (UTF-8)
//   WindowInfo client <title>    the client area of the first visible top-level window of that
//                                title on the screen: "left top width height"
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring TitleOf(HWND window) {
    wchar_t title[512] = {};
    GetWindowTextW(window, title, 512);
    return title;
}

struct Query {
    bool styles;
    const wchar_t* title;
};

BOOL CALLBACK PrintClient(HWND window, LPARAM data) {
    if (!IsWindowVisible(window) || TitleOf(window) != reinterpret_cast<const wchar_t*>(data)) return TRUE;
    RECT r{};
    GetClientRect(window, &r);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, r.right, r.bottom);
    return FALSE;
}

BOOL CALLBACK Visit(HWND window, LPARAM data) {
    const auto& query = *reinterpret_cast<const Query*>(data);
    if (!IsWindowVisible(window)) return TRUE;
    const std::wstring title = TitleOf(window);
    if (!query.styles) {
        if (!title.empty()) std::printf("%s\n", Utf8(title).c_str());
        return TRUE;
    }
    RECT r{};
    GetWindowRect(window, &r);
    if (title == query.title && r.right - r.left > 100)
        std::printf("%08lx\n", static_cast<unsigned long>(GetWindowLongW(window, GWL_EXSTYLE)));
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 3 && std::wcscmp(argv[1], L"exstyle") == 0) {
        Query query{true, argv[2]};
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&query));
        return 0;
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"client") == 0) {
        EnumWindows(&PrintClient, reinterpret_cast<LPARAM>(argv[2]));
        return 0;
    }
    if (argc >= 2 && std::wcscmp(argv[1], L"titles") == 0) {
        Query query{false, nullptr};
        EnumWindows(&Visit, reinterpret_cast<LPARAM>(&query));
        return 0;
    }
    std::fprintf(stderr, "usage: WindowInfo exstyle <title> | WindowInfo titles | WindowInfo client <title>\n");
    return 2;
}
