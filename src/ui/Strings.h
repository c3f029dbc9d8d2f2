#pragma once
// An ordered list of text lines, each with an optional attached object that the list does not own.
#include <string>
#include <vector>

#include "ui/Object.h"

namespace ui {

class TStrings : public TPersistent {
public:
    std::u16string ClassName() const override { return u"TStrings"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    const std::u16string& Strings(int index) const { return FItems.at(index).Text; }
    void SetString(int index, const std::u16string& text) { FItems.at(index).Text = text; }
    TObject* Objects(int index) const { return FItems.at(index).Object; }
    void SetObject(int index, TObject* object) { FItems.at(index).Object = object; }

    int Add(const std::u16string& text, TObject* object = nullptr);
    void Insert(int index, const std::u16string& text, TObject* object = nullptr);
    void Delete(int index);
    void Clear() { FItems.clear(); }
    // Position of the first line equal to text without regard to ASCII case, or -1.
    int IndexOf(const std::u16string& text) const;
    // The lines joined with CR LF after each.
    std::u16string Text() const;
    // Replaces the lines with those of text, split at CR LF, CR or LF.
    void SetText(const std::u16string& text);

    // From another string list: lines and attached objects.
    void Assign(const TPersistent* Source) override;

private:
    struct Item {
        std::u16string Text;
        TObject* Object = nullptr;
    };
    std::vector<Item> FItems;
};

class TStringList : public TStrings {
public:
    std::u16string ClassName() const override { return u"TStringList"; }
};

}  // namespace ui
