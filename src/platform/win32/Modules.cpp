#include "platform/Modules.h"

#include <windows.h>

#include "platform/win32/WinText.h"

namespace platform {

namespace {

class WinModules : public Modules {
public:
    ModuleHandle Load(const std::u16string& fullPath) override {
        // Only the file named, and its own dependencies from its folder and the system folder:
        // never the current directory or PATH, where a planted library could wait.
        const DWORD flags = LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
        return reinterpret_cast<ModuleHandle>(LoadLibraryExW(win32::W(fullPath), nullptr, flags));
    }
    void* FindExport(ModuleHandle module, const std::string& name) override {
        return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name.c_str()));
    }
    void Free(ModuleHandle module) override {
        if (module) FreeLibrary(reinterpret_cast<HMODULE>(module));
    }
};

}  // namespace

Modules& DefaultModules() {
    static WinModules modules;
    return modules;
}

}  // namespace platform
