// The shell list view's detail columns: asked of the shown folder (its extended folder face, or
// its details face), or a fixed set for a folder that describes none.
#include "shell/ShellListView.h"

#include <algorithm>

#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "util/Utils.h"

namespace shell {

namespace {
// A folder that describes columns without end is cut off here.
constexpr unsigned MostColumns = 256;

ui::TAlignment AlignmentOf(int format) {
    switch (format) {
        case 1: return ui::taRightJustify;
        case 2: return ui::taCenter;
        default: return ui::taLeftJustify;
    }
}
}  // namespace

void TCustomShellListView::BuildColumns() {
    if (!FRootFolder || !FRootFolder->ShellFolder()) return;
    Columns().Clear();
    // Not made here: the columns may be built while the window is being made.
    FRootFolder->SetViewHandle(HandleAllocated() ? Handle() : 0);
    // Widths are given in characters: the width of an "X" in the list's font each.
    ui::TBitmap measure(1, 1);
    measure.Canvas().Font.Assign(&Font());
    const int characterWidth = std::max(1, measure.Canvas().TextExtent(u"X").cx);
    std::vector<std::u16string> added;
    const auto add = [&](const std::u16string& caption, int format, int characters) {
        if (caption.empty()) return;
        const bool taken = std::any_of(added.begin(), added.end(),
                                       [&](const std::u16string& other) { return util::SameTextAscii(other, caption); });
        if (taken) return;
        added.push_back(caption);
        ui::TListColumn* column = Columns().Add();
        column->SetCaption(caption);
        column->SetAlignment(AlignmentOf(format));
        column->SetWidth(characters * characterWidth);
    };
    if (const ShellObjectRef& folder2 = FRootFolder->ShellFolder2()) {
        bool shownSeen = false;
        for (unsigned column = 0; column < MostColumns; ++column) {
            const auto header = folder2->ColumnHeaderOf(column);
            if (!header) break;
            const auto state = folder2->DefaultColumnStateOf(column);
            const bool shown = state && (*state & platform::ColumnShownByDefault);
            // The columns a folder shows by default come first; the first one it hides ends them.
            if (shownSeen && !shown) break;
            shownSeen = shownSeen || shown;
            add(TidyDisplayText(NameRecordText(header->Name, nullptr)), header->Format, header->Characters);
        }
    } else if (const ShellObjectRef& details = FRootFolder->ShellDetails()) {
        for (unsigned column = 0; column < MostColumns; ++column) {
            const auto header = details->ColumnHeaderOf(column);
            if (!header) break;
            const std::u16string caption = TidyDisplayText(NameRecordText(header->Name, nullptr));
            const bool duplicate = std::any_of(added.begin(), added.end(), [&](const std::u16string& other) {
                return util::SameTextAscii(other, caption);
            });
            if (duplicate) break;
            add(caption, header->Format, header->Characters);
        }
    } else {
        add(u"Name", 0, 25);
        if (FRootFolder->Properties() & (1u << fpFileSystem)) {
            add(u"Size", 1, 10);
            add(u"Type", 0, 10);
            add(u"Modified", 0, 14);
        }
    }
}

}  // namespace shell
