#include "framework/TextTargets.h"

#include <vector>

#include "ui/Buttons.h"
#include "ui/StdCtrls.h"

namespace framework {

namespace {
std::vector<ComponentTest>& CaptionHintClasses() {
    static std::vector<ComponentTest> tests;
    return tests;
}
}  // namespace

bool RegisterCaptionHintClass(ComponentTest test) {
    CaptionHintClasses().push_back(test);
    return true;
}

bool TakesCaptionAndHint(const ui::TComponent* component) {
    if (dynamic_cast<const ui::TSpeedButton*>(component)) return true;
    for (ComponentTest test : CaptionHintClasses())
        if (test(component)) return true;
    return false;
}

bool TakesCaption(const ui::TComponent* component) {
    return dynamic_cast<const ui::TButton*>(component) || dynamic_cast<const ui::TLabel*>(component) ||
           dynamic_cast<const ui::TCheckBox*>(component);
}

void SplitCaptionAndHint(const std::u16string& text, std::u16string& caption, std::u16string& hint) {
    const std::size_t bar = text.find(u'|');
    caption = text.substr(0, bar);
    hint = bar == std::u16string::npos ? std::u16string() : text.substr(bar + 1);
    if (hint.empty()) hint = caption;
}

}  // namespace framework
