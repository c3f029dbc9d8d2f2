#include "ui/Strings.h"

#include "util/Utils.h"

namespace ui {

int TStrings::Add(const std::u16string& text, TObject* object) {
    FItems.push_back({text, object});
    return Count() - 1;
}

void TStrings::Insert(int index, const std::u16string& text, TObject* object) {
    if (index < 0 || index > Count()) index = Count();
    FItems.insert(FItems.begin() + index, Item{text, object});
}

void TStrings::Delete(int index) {
    if (index >= 0 && index < Count()) FItems.erase(FItems.begin() + index);
}

int TStrings::IndexOf(const std::u16string& text) const {
    for (int i = 0; i < Count(); ++i)
        if (util::SameTextAscii(FItems[i].Text, text)) return i;
    return -1;
}

std::u16string TStrings::Text() const {
    std::u16string out;
    for (const auto& item : FItems) out += item.Text + u"\r\n";
    return out;
}

void TStrings::SetText(const std::u16string& text) {
    FItems.clear();
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n') continue;
        Add(text.substr(start, i - start));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) Add(text.substr(start));
}

void TStrings::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TStrings*>(Source)) {
        if (other == this) return;
        FItems = other->FItems;
        return;
    }
    TPersistent::Assign(Source);
}

}  // namespace ui
