#include "framework/LanguageManager.h"

#include <climits>

#include "framework/ResourceManager.h"
#include "framework/TextTargets.h"
#include "ui/Menus.h"

namespace framework {

namespace {
TLanguage& LanguageSlot() {
    static TLanguage language = lgGerman;
    return language;
}
}  // namespace

std::u16string LanguageLibraryName(TLanguage language) {
    switch (language) {
        case lgGerman: return u"lgger.dll";
        case lgFrench: return u"lgfre.dll";
        case lgItalian: return u"lgita.dll";
        case lgSpanish: return u"lgspa.dll";
        case lgRussian: return u"lgrus.dll";
        case lgJapanese: return u"lgjap.dll";
        case lgChinese: return u"lgchi.dll";
        default: return u"lgeng.dll";
    }
}

TLanguage CurrentLanguage() { return LanguageSlot(); }

void TLanguageManager::SetLanguage(TLanguage language) {
    if (language == LanguageSlot()) return;
    LanguageSlot() = language;
    ResourceManager().OpenResourceDll(LanguageLibraryName(language));
    if (OnChange) OnChange(const_cast<TLanguageManager*>(this));
}

std::u16string TLanguageManager::GetResString(int ResID) const { return ResourceManager().GetResourceStr(ResID); }

void TLanguageManager::SetStringResources(ui::TForm& Form) const {
    if (Form.Tag() > 0 && Form.Tag() <= INT_MAX) {
        const std::u16string caption = GetResString(static_cast<int>(Form.Tag()));
        if (!caption.empty()) Form.SetCaption(caption);
    }
    for (int i = 0; i < Form.ComponentCount(); ++i) {
        ui::TComponent* component = Form.Components(i);
        // Tags beyond the numbers' range name no text.
        if (component->Tag() <= 0 || component->Tag() > INT_MAX) continue;
        const std::u16string text = GetResString(static_cast<int>(component->Tag()));
        if (text.empty()) continue;
        // By tag the whole text is the caption; the caption|hint split is the control tables'.
        if (TakesCaption(component) || TakesCaptionAndHint(component))
            static_cast<ui::TControl*>(component)->SetCaption(text);
        else if (auto* item = dynamic_cast<ui::TMenuItem*>(component))
            item->SetCaption(text);
        SetColumnCaptions(component, static_cast<int>(component->Tag()));
    }
}

TLanguageManager& LanguageManager() {
    static TLanguageManager manager;
    return manager;
}

}  // namespace framework
