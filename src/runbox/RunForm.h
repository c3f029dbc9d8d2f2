#pragma once
// "Ausführen": the run box. The user types (or picks from the last commands, or browses for) a
// program, document, folder or internet address; OK starts it with the shell and ends the box.
#include "framework/FormManager.h"
#include "runbox/RunHistory.h"
#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace runbox {

// Below the application's key: the history and the box's placement.
std::u16string RunRegistryKey();
// The box's corner at the lower left of a work area, a margin in from its edges.
ui::TPoint LowerLeftCorner(const ui::TRect& workArea, int width, int height, int margin);

class TRunForm : public ui::TForm {
public:
    TRunForm();
    std::u16string ClassName() const override { return u"TRunForm"; }

    void FormCreate(ui::TObject* Sender);
    void FormShow(ui::TObject* Sender);
    void Button1Click(ui::TObject* Sender);
    void Button3Click(ui::TObject* Sender);
    // Starts the typed command, with the administrator's rights when elevated; true when it started.
    bool RunTyped(bool elevated);
    // Keeps the placement when the user moved the box.
    void SavePlacement();

    const RunHistory& History() const { return FHistory; }

    ui::TImage* Image1;
    ui::TLabel* Label1;
    ui::TLabel* Label2;
    ui::TComboBox* ComboBox1;
    ui::TButton* Button1;
    ui::TButton* Button2;
    ui::TButton* Button3;
    framework::TFormManager* FormManager1;
    ui::TTimer* Timer1;

protected:
    void ScaleDesign(int M, int D) override;
    void WMMove() override;

private:
    void DrawPicture();
    void PlaceOnScreen();
    void RetypeSelected();

    RunHistory FHistory;
    bool FPlaced = false;
    bool FMovedByUser = false;
};

}  // namespace runbox
