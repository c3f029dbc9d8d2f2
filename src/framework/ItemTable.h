#pragma once
// A manager's table that travels with its form as the "Data" value: raw lines before loading,
// afterwards one name per entry with an item attached, which the table owns and frees.
#include <cstdint>
#include <vector>

#include "ui/Strings.h"

namespace framework {

class TItemTable : public ui::TStringList {
public:
    TItemTable() = default;
    ~TItemTable() override { FreeItems(); }

    void FreeItems();
    // Replaces the table by copies of the lines (no items); the lines may be this table's own.
    void CopyLines(const ui::TStrings& lines);
    // The lines, without items, into another list.
    void LinesTo(ui::TStrings& dest) const;
    // Assignment of a manager's table: from any string list (this one included, which changes
    // nothing), into any string list; false for other objects, which the manager's base handles.
    bool TakeLines(const ui::TPersistent* source);
    bool GiveLines(ui::TPersistent* dest) const;
    void ReadData(const std::vector<std::uint8_t>& in, std::size_t& pos);
    void WriteData(std::vector<std::uint8_t>& out) const;
    // Whether "Data" is written: the table has lines and, for an inherited form, they differ from
    // the ancestor's without regard to case.
    bool Stored(const TItemTable* ancestor) const;
};

}  // namespace framework
