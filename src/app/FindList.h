#pragma once
// The results of type-to-find, shown where the tree was: one row per match with its icon, its name
// and, dimmer, the folders it lives in. The pointer selects as it does in the tree; a click on a
// row picks it, a click below the rows is a click outside. With no match one grey row says so.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/ProgramIndexer.h"
#include "ui/Control.h"
#include "ui/ImageList.h"
#include "ui/StdCtrls.h"

namespace app {

// The row shown when nothing matches.
inline constexpr std::u16string_view SNoMatches = u"Keine Treffer";

class TFindList : public ui::TCustomControl {
public:
    explicit TFindList(ui::TComponent* AOwner);
    std::u16string ClassName() const override { return u"TFindList"; }

    void SetImages(ui::TImageList* images) { FImages = images; }
    // The matches (indexes into the index) best first; the first row is selected.
    void SetResults(FindIndex index, std::vector<std::uint32_t> matches);
    int Count() const { return static_cast<int>(FMatches.size()); }
    const FindEntry* Entry(int row) const;
    int Selected() const { return FSelected; }
    // Moves the selection by rows, kept within the results and in view.
    void MoveSelection(int rows);
    int RowHeight();
    int TopRow() const { return FTop; }
    // The row at a client point, -1 below the rows.
    int RowAt(int y);
    // The rows that fit the height.
    int VisibleRows();

    // A row was clicked (its number), or the click missed every row (-1).
    std::function<void(int row)> OnPick;

protected:
    void Paint() override;
    void MouseMove(ui::TShiftState Shift, int X, int Y) override;
    void MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) override;
    void MouseWheel(ui::TShiftState Shift, int WheelDelta, ui::TPoint MousePos, bool& Handled) override;
    void FontChanged() override;

private:
    void Select(int row);
    void ScrollTo(int top);
    void PaintRow(ui::TCanvas& canvas, int row, const ui::TRect& rect);

    ui::TImageList* FImages = nullptr;
    FindIndex FIndex;
    std::vector<std::uint32_t> FMatches;
    int FSelected = -1;
    int FTop = 0;
    int FRowHeight = 0;  // measured for the font on first need
};

}  // namespace app

namespace app {

// The find field: it keeps the keys that work the results (arrows, pages, Enter, Esc) from the
// form's dialog keys.
class TFindEdit : public ui::TEdit {
public:
    using ui::TEdit::TEdit;
    std::u16string ClassName() const override { return u"TFindEdit"; }
    ui::TWantedKeys WantedKeys() const override { return ui::wkArrows | ui::wkEnter | ui::wkEscape; }
};

}  // namespace app
