#include "framework/TextTargets.h"

#include <climits>
#include <vector>

#include "framework/ResourceManager.h"
#include "ui/Buttons.h"
#include "ui/ColumnCaptions.h"
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

void SetColumnCaptions(ui::TComponent* component, int first) {
    auto* columns = dynamic_cast<ui::TColumnCaptions*>(component);
    if (!columns) return;
    for (int i = 0; i < columns->ColumnCaptionCount(); ++i) {
        // Numbers past the largest one name no text.
        const long long number = static_cast<long long>(first) + i;
        columns->SetColumnCaption(i, number > INT_MAX ? std::u16string() : GetResourceStrDef(static_cast<int>(number), u""));
    }
}

void SplitCaptionAndHint(const std::u16string& text, std::u16string& caption, std::u16string& hint) {
    const std::size_t bar = text.find(u'|');
    caption = text.substr(0, bar);
    hint = bar == std::u16string::npos ? std::u16string() : text.substr(bar + 1);
    if (hint.empty()) hint = caption;
}

}  // namespace framework
