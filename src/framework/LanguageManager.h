#pragma once
// The process-wide language: which language library the texts come from, and texts written into
// a form's components by their tags.
#include <functional>
#include <string>

#include "ui/Control.h"
#include "ui/Form.h"

namespace framework {

enum TLanguage { lgEnglish, lgGerman, lgFrench, lgItalian, lgSpanish, lgRussian, lgJapanese, lgChinese };

// "lgeng.dll" ... "lgchi.dll"; any other value gives "lgeng.dll".
std::u16string LanguageLibraryName(TLanguage language);
// The process-wide current language (initially German).
TLanguage CurrentLanguage();

class TLanguageManager : public ui::TPersistent {
public:
    std::u16string ClassName() const override { return u"TLanguageManager"; }
    TLanguage Language() const { return CurrentLanguage(); }
    // A different language opens its library and raises OnChange; the same one does nothing.
    void SetLanguage(TLanguage language);
    std::u16string GetResString(int ResID) const;
    // Texts by tag: a component's Tag above 0 names its text.
    void SetStringResources(ui::TForm& Form) const;

    ui::TNotifyEvent OnChange;
};

TLanguageManager& LanguageManager();

}  // namespace framework
