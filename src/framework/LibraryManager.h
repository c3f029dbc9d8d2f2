#pragma once
// One loadable module by file name, its exports by name, and the outcome as an error number.
// Modules load from the program's own folder only.
#include <memory>
#include <string>

#include "framework/Errors.h"
#include "platform/Modules.h"
#include "ui/Object.h"

namespace framework {

class TLibraryManager : public ui::TObject {
public:
    explicit TLibraryManager(const std::u16string& DllName);
    ~TLibraryManager() override;
    std::u16string ClassName() const override { return u"TLibraryManager"; }

    const std::u16string& DllName() const { return FDllName; }
    // A changed name loads that module (or, when empty, unloads); the same name does nothing.
    void SetDllName(const std::u16string& name);

    bool GetProcAddr(const std::u16string& ProcName, void*& ProcAddr);
    bool Error() const { return FError->Number() != 0; }
    int ErrorNumber() const { return FError->Number(); }
    std::u16string GetLastError() const { return FError->LastErrorInfo(); }
    bool Loaded() const { return FDLLHandle != 0; }

private:
    void Load();
    void Unload();

    std::unique_ptr<TLibraryError> FError;
    std::u16string FDllName;
    platform::ModuleHandle FDLLHandle = 0;
};

// Where a module of that name is looked for: a name without a folder lies in the program's
// folder; a full path stays as it is.
std::u16string ModulePathInProgramFolder(const std::u16string& name);

}  // namespace framework
