// A program for the end-to-end tests to launch: appends its own path and its arguments as one
// line to C:\e2e\marker.txt, so that a test sees that, and how often, it was started.
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv) {
    CreateDirectoryW(L"C:\\e2e", nullptr);
    FILE* out = _wfopen(L"C:\\e2e\\marker.txt", L"a");
    if (!out) return 1;
    for (int i = 0; i < argc; ++i) fwprintf(out, L"%ls%ls", i ? L" " : L"", argv[i]);
    fwprintf(out, L"\n");
    std::fclose(out);
    return 0;
}
