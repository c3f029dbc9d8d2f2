#pragma once
// Texts by number from the current language library, through its export "GetResStr".
#include <memory>
#include <string>

#include "framework/LibraryManager.h"
#include "ui/Object.h"

namespace framework {

// The export: copies the text of ResID into Buffer (BufSize characters, no terminating zero
// needed) and returns how many it copied; 0 or less for a number it does not hold.
using TGetResStr = int(NIMBREL_STDCALL*)(int ResID, char16_t* Buffer, int BufSize);

constexpr int ResourceBufferSize = 4096;

class TResourceManager : public ui::TPersistent {
public:
    TResourceManager();
    ~TResourceManager() override;
    std::u16string ClassName() const override { return u"TResourceManager"; }

    void OpenResourceDll(const std::u16string& fn);
    void CloseResourceDll();
    // The text of that number, or the empty string.
    std::u16string GetResourceStr(int ResID) const;

    TLibraryManager& LibraryManager() const { return *FLibraryManager; }
    bool Bound() const { return FGetResStr != nullptr; }

private:
    std::unique_ptr<TLibraryManager> FLibraryManager;
    TGetResStr FGetResStr = nullptr;
};

// The process-wide resource manager; made with the library of the initial language opened.
TResourceManager& ResourceManager();

// The text of that number from the current language library, or Default when it has none.
std::u16string GetResourceStrDef(int ResID, const std::u16string& Default);

}  // namespace framework
