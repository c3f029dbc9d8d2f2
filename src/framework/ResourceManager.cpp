#include "framework/ResourceManager.h"

#include <algorithm>

#include "framework/LanguageManager.h"

namespace framework {

TResourceManager::TResourceManager() : FLibraryManager(std::make_unique<TLibraryManager>(u"")) {}

TResourceManager::~TResourceManager() = default;

void TResourceManager::OpenResourceDll(const std::u16string& fn) {
    FLibraryManager->SetDllName(fn);
    void* address = nullptr;
    FGetResStr = FLibraryManager->GetProcAddr(u"GetResStr", address) ? reinterpret_cast<TGetResStr>(address) : nullptr;
}

void TResourceManager::CloseResourceDll() {
    FLibraryManager->SetDllName(u"");
    FGetResStr = nullptr;
}

std::u16string TResourceManager::GetResourceStr(int ResID) const {
    if (!FGetResStr) return {};
    char16_t buffer[ResourceBufferSize];
    const int n = FGetResStr(ResID, buffer, ResourceBufferSize);
    if (n <= 0) return {};
    // A library claiming more than the buffer holds breaks its contract: only the buffer counts.
    return std::u16string(buffer, static_cast<std::size_t>(std::min(n, ResourceBufferSize)));
}

TResourceManager& ResourceManager() {
    // Made on first use, which is the program's start, with the initial language's library.
    static const std::unique_ptr<TResourceManager> manager = [] {
        auto made = std::make_unique<TResourceManager>();
        made->OpenResourceDll(LanguageLibraryName(CurrentLanguage()));
        return made;
    }();
    return *manager;
}

std::u16string GetResourceStrDef(int ResID, const std::u16string& Default) {
    std::u16string text = ResourceManager().GetResourceStr(ResID);
    return text.empty() ? Default : text;
}

}  // namespace framework
