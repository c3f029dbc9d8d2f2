// Writes a shortcut with the shell's own link object: MakeShortcut <link.lnk> <target> [arguments].
// Used to fill the Programs folders of the demo and end-to-end prefixes.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: MakeShortcut <link.lnk> <target> [arguments]\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    int result = 1;
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        link->SetPath(argv[2]);
        if (argc > 3) link->SetArguments(argv[3]);
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Save(argv[1], TRUE))) result = 0;
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return result;
}
