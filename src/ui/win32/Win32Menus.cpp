// Popup menus: the item tree becomes a platform menu for the time it is open; owner-drawn items
// are measured and painted here with the menu's image list.
#include "ui/win32/Win.h"

#include <functional>
#include <vector>

#include "platform/win32/WinText.h"
#include "ui/Canvas.h"
#include "ui/ImageList.h"
#include "ui/Menus.h"
#include "ui/TextLayout.h"
#include "ui/win32/GdiObjects.h"
#include "ui/win32/GdiSurface.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/WindowPeer.h"

namespace ui::win32 {

using platform::win32::W;

namespace {

HMENU HeldUser(HMENU menu) {
    if (menu) CountUserObject(1);
    return menu;
}

// The menu being shown: its image list and the items by command id (id - 1).
struct OpenMenu {
    TPopupMenu* Menu = nullptr;
    std::vector<TMenuItem*> Items;
};
OpenMenu* openMenu = nullptr;

constexpr int ItemMargin = 4;

UniqueMenu Build(TMenuItem& parent, OpenMenu& open, bool ownerDraw) {
    UniqueMenu menu(HeldUser(CreatePopupMenu()));
    if (!menu) return menu;
    for (int i = 0; i < parent.Count(); ++i) {
        TMenuItem* item = parent.Items(i);
        if (!item->Visible()) continue;
        UINT flags = item->IsLine() ? MF_SEPARATOR : MF_STRING;
        if (!item->Enabled()) flags |= MF_GRAYED;
        if (item->Checked()) flags |= MF_CHECKED;
        if (ownerDraw && !item->IsLine()) flags |= MF_OWNERDRAW;
        const wchar_t* text = ownerDraw ? reinterpret_cast<const wchar_t*>(item) : W(item->Caption());
        if (item->Count() > 0 && !item->IsLine()) {
            UniqueMenu sub = Build(*item, open, ownerDraw);
            if (!sub) continue;
            // The parent menu owns the submenu from here on, and destroys it with itself.
            AppendMenuW(menu.get(), flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub.release()), text);
            CountUserObject(-1);
        } else {
            open.Items.push_back(item);
            AppendMenuW(menu.get(), flags, open.Items.size(), text);
        }
    }
    return menu;
}

bool StillInMenu(TMenuItem& parent, const TMenuItem* item) {
    for (int i = 0; i < parent.Count(); ++i)
        if (parent.Items(i) == item || StillInMenu(*parent.Items(i), item)) return true;
    return false;
}

// The platform's menu font, made on first need and made anew after the user changed it.
UniqueFont& MenuFontHolder() {
    static UniqueFont font;
    return font;
}

HFONT MenuFont() {
    UniqueFont& font = MenuFontHolder();
    if (!font) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            font.reset(HeldGdi(CreateFontIndirectW(&metrics.lfMenuFont)));
    }
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void MeasureItem(MEASUREITEMSTRUCT& measure) {
    const auto* item = reinterpret_cast<const TMenuItem*>(measure.itemData);
    const TImageList* images = openMenu->Menu->Images();
    const int imageWidth = images ? images->Width() : 16;
    const int imageHeight = images ? images->Height() : 16;
    WindowDc screen(nullptr);
    SelectedObject selected(screen.Get(), MenuFont());
    const std::u16string text = StripPrefix(item->Caption());
    SIZE size{};
    GetTextExtentPoint32W(screen.Get(), W(text), static_cast<int>(text.size()), &size);
    measure.itemWidth = static_cast<UINT>(ItemMargin + imageWidth + 2 * ItemMargin + size.cx + ItemMargin);
    measure.itemHeight = static_cast<UINT>(std::max<LONG>(imageHeight + 2 * 2, size.cy + 2 * 2));
}

void DrawItem(DRAWITEMSTRUCT& draw) {
    const auto* item = reinterpret_cast<const TMenuItem*>(draw.itemData);
    TImageList* images = openMenu->Menu->Images();
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool grayed = (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    RECT r = draw.rcItem;
    FillRect(draw.hDC, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    const int imageWidth = images ? images->Width() : 16;
    const int imageHeight = images ? images->Height() : 16;
    const int imageTop = r.top + (r.bottom - r.top - imageHeight) / 2;
    if (images && item->ImageIndex() >= 0) {
        TCanvas canvas(std::make_unique<GdiSurface>(draw.hDC));
        images->Draw(canvas, r.left + ItemMargin, imageTop, item->ImageIndex());
    } else if (item->Checked()) {
        RECT mark{r.left + ItemMargin, imageTop, r.left + ItemMargin + imageWidth, imageTop + imageHeight};
        DrawFrameControl(draw.hDC, &mark, DFC_MENU, DFCS_MENUCHECK);
    }
    SelectedObject font(draw.hDC, MenuFont());
    SetBkMode(draw.hDC, TRANSPARENT);
    SetTextColor(draw.hDC, GetSysColor(grayed     ? COLOR_GRAYTEXT
                                       : selected ? COLOR_HIGHLIGHTTEXT
                                                  : COLOR_MENUTEXT));
    RECT text{r.left + ItemMargin + imageWidth + 2 * ItemMargin, r.top, r.right - ItemMargin, r.bottom};
    const std::u16string& caption = item->Caption();
    DrawTextW(draw.hDC, W(caption), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
}

}  // namespace

void RefreshMenuFont() { MenuFontHolder().reset(); }

void Win32Backend::TrackPopup(TPopupMenu& menu, int x, int y) {
    OpenMenu open{&menu, {}};
    UniqueMenu native = Build(menu.Items(), open, menu.OwnerDraw());
    if (!native) return;
    // The active form owns the menu, so that opening it does not take the activation away.
    HWND owner = GetActiveWindow();
    if (!WindowPeer::FromHandle(owner)) owner = ApplicationWindow();
    OpenMenu* previous = openMenu;
    openMenu = &open;
    const UINT command = static_cast<UINT>(TrackPopupMenuEx(
        native.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, x, y, owner, nullptr));
    openMenu = previous;
    native.reset();
    // Makes the owner see a message, so that the menu's end is noticed by the owner's thread state.
    PostMessageW(owner, WM_NULL, 0, 0);
    if (command == 0 || command > open.Items.size()) return;
    TMenuItem* chosen = open.Items[command - 1];
    // The menu was open for a while: only an item still in it may run.
    if (StillInMenu(menu.Items(), chosen)) chosen->Click();
}

bool Win32Backend::HandleMenuMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (!openMenu) return false;
    if (msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        if (measure->CtlType != ODT_MENU) return false;
        if (StillInMenu(openMenu->Menu->Items(), reinterpret_cast<TMenuItem*>(measure->itemData))) MeasureItem(*measure);
        result = TRUE;
        return true;
    }
    if (msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
        if (draw->CtlType != ODT_MENU) return false;
        if (StillInMenu(openMenu->Menu->Items(), reinterpret_cast<TMenuItem*>(draw->itemData))) DrawItem(*draw);
        result = TRUE;
        return true;
    }
    return false;
}

}  // namespace ui::win32
