#include "platform/Modules.h"

#include <dlfcn.h>

#include "platform/posix/PosixPath.h"

namespace platform {

namespace {

class PosixModules : public Modules {
public:
    ModuleHandle Load(const std::u16string& fullPath) override {
        const std::string path = posix::NativePath(fullPath);
        // A name without a slash would make dlopen search the library path: only full paths load.
        if (path.find('/') == std::string::npos) return 0;
        return reinterpret_cast<ModuleHandle>(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    }
    void* FindExport(ModuleHandle module, const std::string& name) override {
        return module ? dlsym(reinterpret_cast<void*>(module), name.c_str()) : nullptr;
    }
    void Free(ModuleHandle module) override {
        if (module) dlclose(reinterpret_cast<void*>(module));
    }
};

}  // namespace

Modules& DefaultModules() {
    static PosixModules modules;
    return modules;
}

}  // namespace platform
