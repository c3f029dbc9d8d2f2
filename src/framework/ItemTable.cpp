#include "framework/ItemTable.h"

#include <string>

#include "framework/DataStream.h"
#include "util/Utils.h"

namespace framework {

void TItemTable::FreeItems() {
    for (int i = 0; i < Count(); ++i) {
        delete Objects(i);
        SetObject(i, nullptr);
    }
}

void TItemTable::CopyLines(const ui::TStrings& lines) {
    std::vector<std::u16string> copy;
    for (int i = 0; i < lines.Count(); ++i) copy.push_back(lines.Strings(i));
    FreeItems();
    Clear();
    for (const auto& line : copy) Add(line);
}

void TItemTable::LinesTo(ui::TStrings& dest) const {
    dest.Clear();
    for (int i = 0; i < Count(); ++i) dest.Add(Strings(i));
}

bool TItemTable::TakeLines(const ui::TPersistent* source) {
    auto* lines = dynamic_cast<const ui::TStrings*>(source);
    if (!lines) return false;
    if (lines != this) CopyLines(*lines);
    return true;
}

bool TItemTable::GiveLines(ui::TPersistent* dest) const {
    auto* lines = dynamic_cast<ui::TStrings*>(dest);
    if (!lines) return false;
    LinesTo(*lines);
    return true;
}

void TItemTable::ReadData(const std::vector<std::uint8_t>& in, std::size_t& pos) {
    FreeItems();
    ReadDataList(in, pos, *this);
}

void TItemTable::WriteData(std::vector<std::uint8_t>& out) const { WriteDataList(*this, out); }

bool TItemTable::Stored(const TItemTable* ancestor) const {
    if (!ancestor) return Count() > 0;
    if (Count() == 0) return false;
    if (Count() != ancestor->Count()) return true;
    for (int i = 0; i < Count(); ++i)
        if (!util::SameTextAscii(Strings(i), ancestor->Strings(i))) return true;
    return false;
}

}  // namespace framework
