#pragma once
// The main window's designed layout: its components by name at 96 pixels per inch, the six
// graphic buttons with their designed properties and glyphs, and the size manager's table. The
// start menu's main form is built on it; both test tiers build it too, so the Windows window and
// the headless one are the same form.
#include <string>

#include "app/Glyphs.h"
#include "app/NbMenuTree.h"
#include "controls/GraphicButton.h"
#include "framework/FormManager.h"
#include "framework/DataStream.h"
#include "framework/SizeManager.h"
#include "platform/StartTimeline.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace app {

// The size table: every component but the size manager, in alphabetical order.
inline const char16_t* const MainSizeTable[] = {
    u"AllUsers1\t0\t0\t0\t0",
    u"CurrentUser1\t0\t0\t0\t0",
    u"Delete1\t0\t0\t0\t0",
    u"FormManager1\t0\t0\t0\t0",
    u"GraphicButton1\t0\t0\t1\t0\t347\t7\t200\t256",
    u"GraphicButton2\t0\t0\t1\t0\t347\t7\t248\t208",
    u"GraphicButton3\t0\t0\t1\t0\t347\t7\t304\t152",
    u"GraphicButton4\t0\t0\t1\t0\t347\t7\t352\t104",
    u"GraphicButton5\t0\t0\t1\t0\t384\t89\t423\t43",
    u"GraphicButton6\t0\t0\t1\t0\t432\t41\t423\t43",
    u"LargeFont1\t0\t0\t0\t0",
    u"Logoff1\t0\t0\t0\t0",
    u"MiddleFont1\t0\t0\t0\t0",
    u"N1\t0\t0\t0\t0",
    u"N2\t0\t0\t0\t0",
    u"N3\t0\t0\t0\t0",
    u"N4\t0\t0\t0\t0",
    u"Open1\t0\t0\t0\t0",
    u"PopupMenu1\t0\t0\t0\t0",
    u"PopupMenu2\t0\t0\t0\t0",
    u"Reboot1\t0\t0\t0\t0",
    u"ShellTreeView1\t1\t1\t0\t0\t8\t173\t8\t8",
    u"Shutdown1\t0\t0\t0\t0",
    u"SmallFont1\t0\t0\t0\t0",
    u"Timer1\t0\t0\t0\t0",
    u"UserImage\t0\t0\t1\t0\t347\t-1\t8\t391",
    u"UserLabel\t0\t0\t1\t0\t344\t2\t112\t344",
    u"VersionLabel\t0\t0\t1\t1\t344\t2\t477\t8",
};

constexpr ui::TColor DarkGrey = 0x555555;

// The properties all six buttons share in the design.
inline void ApplyButtonDesign(controls::TGraphicButton& b) {
    b.SetAllowAllUp(false);
    b.SetCanClick(true);
    b.SetDown(false);
    b.SetUpDownStyle(false);
    b.SetTransparent(true);
    b.SetNumGlyph(1);
    b.SetSelectColor(DarkGrey);
    b.SetFrameColor(ui::clGray);
    b.SetSelectFrameColor(ui::clSilver);
    b.SetBevelLight(ui::clBtnHighlight);
    b.SetBevelShadow(ui::clBtnShadow);
    b.SetFrame(true);
    b.SetFrameStyle(controls::fsRectangle);
    b.SetButtonLight(0xAAFFFF);
    b.SetButtonShadow(0x55DFFF);
    b.SetButtonGradient(false);
    b.SetLayout(controls::ltGlyphLeft);
    b.SetShowCaption(true);
    b.SetColor(DarkGrey);
    b.Font().SetName(u"Segoe UI");
    b.Font().SetHeight(-13);
    b.Font().SetColor(ui::clWindow);
}

// The user picture: a silhouette of a person on a magenta key background, size x size pixels
// (64 at 96 pixels per inch), drawn for that size.
void MakeUserPicture(ui::TBitmap& b, int size = 64);

class MainWindowForm : public ui::TForm {
public:
    // A derived form binds its handlers before it calls FinishDesign (finish false).
    explicit MainWindowForm(bool finish = true) : TForm(nullptr) {
        platform::MarkStart("design: begun");
        BeginLoading();
        SetName(u"MainForm");
        SetBorderStyle(ui::bsSizeToolWin);
        SetBorderIcons(0);
        SetCaption(u"Nimbrel");
        SetColor(DarkGrey);
        Font().SetName(u"Segoe UI");
        Font().SetHeight(-13);
        Font().SetColor(ui::clWindowText);
        SetClientSize(514, 497);

        UserLabel = Make<ui::TLabel>(u"UserLabel", 344, 112, 168, 41);
        UserLabel->SetAlignment(ui::taCenter);
        UserLabel->SetLayout(ui::tlCenter);
        UserLabel->SetAutoSize(false);
        UserLabel->SetWordWrap(true);
        UserLabel->Font().SetHeight(-17);
        UserLabel->Font().SetColor(ui::clWindow);
        UserLabel->SetCaption(u"User");
        FormManager1 = new framework::TFormManager(this);
        FormManager1->SetName(u"FormManager1");
        FormManager1->SetAutoRes(true);
        FormManager1->SetAutoLevel(true);
        PopupMenu1 = new ui::TPopupMenu(this);
        PopupMenu1->SetName(u"PopupMenu1");
        ShellTreeView1 = Make<TShellTreeView>(u"ShellTreeView1", 8, 8, 333, 481);
        ShellTreeView1->SetTabOrder(0);
        ShellTreeView1->SetObjectTypes(shell::Types(shell::otFolders) | shell::Types(shell::otNonFolders));
        ShellTreeView1->SetRoot(u"rfCommonPrograms");
        ShellTreeView1->SetUseShellImages(true);
        ShellTreeView1->SetAutoRefresh(false);
        ShellTreeView1->SetAutoContextMenus(false);
        ShellTreeView1->SetColor(DarkGrey);
        ShellTreeView1->Font().SetName(u"Segoe UI");
        ShellTreeView1->Font().SetHeight(-13);
        ShellTreeView1->Font().SetColor(ui::clWindow);
        ShellTreeView1->SetHideSelection(false);
        ShellTreeView1->SetIndent(19);
        ShellTreeView1->SetRightClickSelect(true);
        ShellTreeView1->SetShowButtons(false);
        ShellTreeView1->SetShowLines(false);
        ShellTreeView1->SetShowRoot(false);
        // A menu: a click opens, closes or starts an entry, it never turns the entry into an editor.
        ShellTreeView1->SetReadOnly(true);
        ShellTreeView1->SetPopupMenu(PopupMenu1);
        platform::MarkStart("design: tree made");
        SizeManager1 = new framework::TSizeManager(this);
        SizeManager1->SetName(u"SizeManager1");
        UserImage = Make<ui::TImage>(u"UserImage", 347, 8, 168, 98);
        UserImage->Picture().SetTransparentColor(ui::clFuchsia);
        UserImage->SetCenter(true);
        UserImage->SetTransparent(true);
        UserImage->SetPopupMenu(PopupMenu1);
        UserLabel->SetPopupMenu(PopupMenu1);
        Timer1 = new ui::TTimer(this);
        Timer1->SetName(u"Timer1");
        Timer1->SetInterval(250);
        Timer1->SetEnabled(true);
        VersionLabel = Make<ui::TLabel>(u"VersionLabel", 344, 477, 168, 12);
        VersionLabel->SetAlignment(ui::taCenter);
        VersionLabel->SetAutoSize(false);
        VersionLabel->Font().SetName(u"Tahoma");
        VersionLabel->Font().SetHeight(-9);
        VersionLabel->SetCaption(u"Corvath Nimbrel Version: ");

        const struct {
            ui::TMenuItem** item;
            const char16_t* name;
            const char16_t* caption;
        } items[] = {{&AllUsers1, u"AllUsers1", u"Alle Benutzer"},
                     {&CurrentUser1, u"CurrentUser1", u"Aktueller Benutzer"},
                     {&N1, u"N1", u"-"},
                     {&SmallFont1, u"SmallFont1", u"Kleine Schrift"},
                     {&MiddleFont1, u"MiddleFont1", u"Mittlere Schrift"},
                     {&LargeFont1, u"LargeFont1", u"Große Schrift"},
                     {&N2, u"N2", u"-"},
                     {&Logoff1, u"Logoff1", u"Benutzer wechseln"},
                     {&Reboot1, u"Reboot1", u"Neu starten"},
                     {&Shutdown1, u"Shutdown1", u"Herunterfahren"},
                     {&N3, u"N3", u"-"},
                     {&Delete1, u"Delete1", u"Löschen"},
                     {&N4, u"N4", u"-"},
                     {&Open1, u"Open1", u"Öffnen..."}};
        for (const auto& entry : items) {
            auto* item = new ui::TMenuItem(this);
            item->SetName(entry.name);
            item->SetCaption(entry.caption);
            PopupMenu1->Items().Add(item);
            *entry.item = item;
        }

        const struct {
            const char16_t* name;
            int left, top, width, height;
            const char16_t* caption;
        } buttons[6] = {{u"GraphicButton1", 347, 200, 160, 41, u"&Systemsteuerung"},
                        {u"GraphicButton2", 347, 248, 160, 41, u"&Information"},
                        {u"GraphicButton3", 347, 304, 160, 41, u"A&usführen"},
                        {u"GraphicButton4", 347, 352, 160, 41, u"&Ordner erstellen"},
                        {u"GraphicButton5", 384, 423, 41, 28, u""},
                        {u"GraphicButton6", 432, 423, 41, 28, u""}};
        for (int i = 0; i < 6; ++i) {
            auto* b = Make<controls::TGraphicButton>(buttons[i].name, buttons[i].left, buttons[i].top,
                                                     buttons[i].width, buttons[i].height);
            ApplyButtonDesign(*b);
            b->SetCaption(buttons[i].caption);
            b->SetTabOrder(i + 1);
            b->SetTabStop(true);
            b->SetPopupMenu(PopupMenu1);
            Buttons[i] = b;
        }
        platform::MarkStart("design: buttons made");
        DrawPictures();
        platform::MarkStart("design: pictures drawn");
        PopupMenu2 = new ui::TPopupMenu(this);
        PopupMenu2->SetName(u"PopupMenu2");
        PopupMenu2->SetOwnerDraw(true);
        SetPopupMenu(PopupMenu1);

        ui::TStringList table;
        for (const char16_t* line : MainSizeTable) table.Add(line);
        std::vector<std::uint8_t> data;
        framework::WriteDataList(table, data);
        std::size_t pos = 0;
        SizeManager1->ReadData(data, pos);

        OnResize = [this](ui::TObject*) { SizeManager1->ResizeForm(); };
        platform::MarkStart("design: sizes read");
        if (finish) FinishDesign();
    }

    void FinishDesign() { FinishLoading(); }

    // The user picture and the two glyphs, drawn for the window's density: the picture 64 pixels
    // at 96 per inch, the glyphs the size of the platform's small icons there.
    void DrawPictures() {
        const int dpi = CurrentDpi();
        MakeUserPicture(UserImage->Picture(), ui::ScaleLength(64, dpi, ui::ScreenPixelsPerInch));
        const int glyph = ui::GetBackend().SmallIconSize(dpi);
        MakeArrowGlyph(Buttons[4]->Glyph(), glyph);
        MakeDotsGlyph(Buttons[5]->Glyph(), glyph);
    }

protected:
    void ScaleDesign(int M, int D) override {
        ui::TForm::ScaleDesign(M, D);
        DrawPictures();
    }

public:

    template <class T>
    T* Make(const char16_t* name, int left, int top, int width, int height) {
        auto* c = new T(this);
        c->SetName(name);
        c->SetParent(this);
        c->SetBounds(left, top, width, height);
        return c;
    }

    ui::TLabel* UserLabel;
    framework::TFormManager* FormManager1;
    TShellTreeView* ShellTreeView1;
    framework::TSizeManager* SizeManager1;
    ui::TImage* UserImage;
    ui::TTimer* Timer1;
    ui::TLabel* VersionLabel;
    ui::TPopupMenu* PopupMenu1;
    ui::TMenuItem *CurrentUser1, *AllUsers1, *N1, *SmallFont1, *MiddleFont1, *LargeFont1, *N2, *Logoff1, *Reboot1,
        *Shutdown1, *N3, *Delete1, *N4, *Open1;
    controls::TGraphicButton* Buttons[6];
    ui::TPopupMenu* PopupMenu2;
};

}  // namespace app
