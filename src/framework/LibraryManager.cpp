#include "framework/LibraryManager.h"

#include "platform/System.h"
#include "platform/Utf.h"

namespace framework {

namespace {
bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsFullPath(const std::u16string& name) {
    if (!name.empty() && IsSeparator(name[0])) return true;
    return name.size() >= 3 && name[1] == u':' && IsSeparator(name[2]);
}
}  // namespace

std::u16string ModulePathInProgramFolder(const std::u16string& name) {
    if (IsFullPath(name)) return name;
    const std::u16string program = platform::GetSystem().ExecutablePath();
    std::size_t cut = program.size();
    while (cut > 0 && !IsSeparator(program[cut - 1])) --cut;
    return program.substr(0, cut) + name;
}

TLibraryManager::TLibraryManager(const std::u16string& DllName)
    : FError(std::make_unique<TLibraryError>()), FDllName(DllName) {
    if (!FDllName.empty()) Load();
}

TLibraryManager::~TLibraryManager() { Unload(); }

void TLibraryManager::SetDllName(const std::u16string& name) {
    if (name == FDllName) return;
    FDllName = name;
    if (!FDllName.empty()) Load();
    else Unload();
}

void TLibraryManager::Load() {
    Unload();
    // Never by the platform's search order: a library planted in the current directory or on the
    // search path must not be taken for ours.
    FDLLHandle = platform::GetModules().Load(ModulePathInProgramFolder(FDllName));
    FError->SetNumber(FDLLHandle == 0 ? leLoadFailed : leNone);
}

void TLibraryManager::Unload() {
    if (FDLLHandle == 0) return;
    platform::GetModules().Free(FDLLHandle);
    FDLLHandle = 0;
}

bool TLibraryManager::GetProcAddr(const std::u16string& ProcName, void*& ProcAddr) {
    ProcAddr = nullptr;
    if (FDLLHandle == 0) {
        FError->SetNumber(leNotLoaded);
        return false;
    }
    ProcAddr = platform::GetModules().FindExport(FDLLHandle, platform::ToUtf8(ProcName));
    FError->SetNumber(ProcAddr ? leNone : leNoExport);
    return ProcAddr != nullptr;
}

}  // namespace framework
