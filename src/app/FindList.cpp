#include "app/FindList.h"

#include <algorithm>

#include "app/MainWindowDesign.h"

namespace app {

namespace {

// The folder text: the window text colour at a lower contrast on the dark ground.
constexpr ui::TColor PlaceColor = 0xB4B4B4;
constexpr int IconSize = 16;
constexpr int Gap = 4;

}  // namespace

TFindList::TFindList(ui::TComponent* AOwner) : ui::TCustomControl(AOwner) {
    SetColor(DarkGrey);
    Font().SetColor(ui::clWindow);
}

void TFindList::SetResults(FindIndex index, std::vector<std::uint32_t> matches) {
    FIndex = std::move(index);
    FMatches = std::move(matches);
    FTop = 0;
    FSelected = FMatches.empty() ? -1 : 0;
    Invalidate();
}

const FindEntry* TFindList::Entry(int row) const {
    if (!FIndex || row < 0 || row >= Count()) return nullptr;
    const std::uint32_t at = FMatches[static_cast<std::size_t>(row)];
    return at < FIndex->size() ? &(*FIndex)[at] : nullptr;
}

int TFindList::RowHeight() {
    if (FRowHeight == 0) {
        Canvas().Font.Assign(&Font());
        FRowHeight = std::max(IconSize + 4, Canvas().TextHeight(u"Ag") + 4);
    }
    return FRowHeight;
}

void TFindList::FontChanged() {
    ui::TCustomControl::FontChanged();
    FRowHeight = 0;
    Invalidate();
}

int TFindList::VisibleRows() { return std::max(1, ClientHeight() / RowHeight()); }

int TFindList::RowAt(int y) {
    if (y < 0) return -1;
    const int row = FTop + y / RowHeight();
    return row < Count() ? row : -1;
}

void TFindList::ScrollTo(int top) {
    top = std::clamp(top, 0, std::max(0, Count() - VisibleRows()));
    if (top == FTop) return;
    FTop = top;
    Invalidate();
}

void TFindList::Select(int row) {
    if (row == FSelected) return;
    FSelected = row;
    if (row >= 0) {
        if (row < FTop) ScrollTo(row);
        else if (row >= FTop + VisibleRows()) ScrollTo(row - VisibleRows() + 1);
    }
    Invalidate();
}

void TFindList::MoveSelection(int rows) {
    if (FMatches.empty()) return;
    Select(std::clamp(std::max(FSelected, 0) + rows, 0, Count() - 1));
}

void TFindList::Paint() {
    ui::TCanvas& canvas = Canvas();
    canvas.Font.Assign(&Font());
    const int height = RowHeight();
    canvas.Brush.Color = DarkGrey;
    canvas.FillRect({0, 0, ClientWidth(), ClientHeight()});
    if (!FIndex) return;
    if (FMatches.empty()) {
        canvas.Font.SetColor(ui::clGrayText);
        ui::TRect rect{Gap + IconSize + Gap, 0, ClientWidth(), height};
        canvas.DrawText(std::u16string(SNoMatches), rect, ui::dtSingleLine | ui::dtVCenter | ui::dtNoPrefix);
        return;
    }
    for (int row = FTop, y = 0; row < Count() && y < ClientHeight(); ++row, y += height)
        PaintRow(canvas, row, {0, y, ClientWidth(), y + height});
}

void TFindList::PaintRow(ui::TCanvas& canvas, int row, const ui::TRect& rect) {
    const FindEntry* entry = Entry(row);
    if (!entry) return;
    const bool selected = row == FSelected;
    canvas.Brush.Color = selected ? ui::clMenuHighlight : DarkGrey;
    canvas.FillRect(rect);
    if (FImages) FImages->Draw(canvas, rect.Left + Gap, rect.Top + (rect.Bottom - rect.Top - IconSize) / 2, entry->Icon);
    ui::TRect text{rect.Left + Gap + IconSize + Gap, rect.Top, rect.Right - Gap, rect.Bottom};
    canvas.Font.Assign(&Font());
    canvas.Font.SetColor(ui::clWindow);
    canvas.Font.SetStyle(selected ? ui::fsUnderline : 0);
    const unsigned flags = ui::dtSingleLine | ui::dtVCenter | ui::dtNoPrefix | ui::dtEndEllipsis;
    // The name first; the place takes what room is left, and never pushes the name out.
    const int nameWidth = std::min(canvas.TextWidth(entry->Name), text.Right - text.Left);
    ui::TRect name{text.Left, text.Top, text.Left + nameWidth, text.Bottom};
    canvas.DrawText(entry->Name, name, flags);
    if (entry->Folder.empty()) return;
    ui::TRect place{name.Right + 2 * Gap, text.Top, text.Right, text.Bottom};
    if (place.Right - place.Left < 3 * Gap) return;
    canvas.Font.SetStyle(0);
    canvas.Font.SetColor(selected ? ui::clWindow : PlaceColor);
    canvas.DrawText(entry->Folder, place, flags);
}

void TFindList::MouseMove(ui::TShiftState Shift, int X, int Y) {
    if (const int row = RowAt(Y); row >= 0) Select(row);
    ui::TCustomControl::MouseMove(Shift, X, Y);
}

void TFindList::MouseUp(ui::TMouseButton Button, ui::TShiftState Shift, int X, int Y) {
    const auto alive = Lifetime();
    ui::TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!*alive || Button != ui::mbLeft) return;
    const int row = RowAt(Y);
    if (row >= 0) Select(row);
    if (OnPick) OnPick(row);
}

void TFindList::MouseWheel(ui::TShiftState Shift, int WheelDelta, ui::TPoint MousePos, bool& Handled) {
    ui::TCustomControl::MouseWheel(Shift, WheelDelta, MousePos, Handled);
    if (Handled) return;
    ScrollTo(FTop - WheelDelta / 120 * 3);
    Handled = true;
}

}  // namespace app
