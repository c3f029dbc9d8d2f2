#pragma once
// The modules port: load a library by its full path, find a named export, release it.
#include <cstdint>
#include <string>

namespace platform {

using ModuleHandle = std::uintptr_t;

class Modules {
public:
    virtual ~Modules() = default;
    // Loads the library at this full path only (never through a search of other folders); 0 when
    // it cannot be loaded.
    virtual ModuleHandle Load(const std::u16string& fullPath) = 0;
    virtual void* FindExport(ModuleHandle module, const std::string& name) = 0;
    virtual void Free(ModuleHandle module) = 0;
};

Modules& GetModules();
Modules* SetModules(Modules* replacement);

}  // namespace platform
