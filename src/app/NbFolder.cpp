#include "app/NbFolder.h"

#include "ui/Designed.h"

namespace app {

TFolderForm* FolderForm = nullptr;

TFolderForm::TFolderForm() : ui::TForm(nullptr) {
    BeginLoading();
    SetName(u"FolderForm");
    SetBorderStyle(ui::bsDialog);
    SetCaption(u"Ordner erstellen");
    SetColor(ui::clBtnFace);
    Font().SetName(u"Tahoma");
    Font().SetHeight(-11);
    SetClientSize(337, 90);
    SetPosition(ui::poScreenCenter);
    Label1 = ui::MakeDesigned<ui::TLabel>(*this, u"Label1", 8, 8, 64, 13);
    Label1->SetCaption(u"Ordnername:");
    Edit1 = ui::MakeDesigned<ui::TEdit>(*this, u"Edit1", 8, 24, 321, 21);
    Edit1->SetTabOrder(0);
    Button1 = ui::MakeDesigned<ui::TButton>(*this, u"Button1", 173, 60, 75, 25);
    Button1->SetCaption(u"Ok");
    Button1->SetDefault(true);
    Button1->SetModalResult(ui::mrOk);
    Button1->SetTabOrder(1);
    Button2 = ui::MakeDesigned<ui::TButton>(*this, u"Button2", 254, 60, 75, 25);
    Button2->SetCaption(u"Abbruch");
    Button2->SetCancel(true);
    Button2->SetModalResult(ui::mrCancel);
    Button2->SetTabOrder(2);
    FormManager1 = new framework::TFormManager(this);
    FormManager1->SetName(u"FormManager1");
    FormManager1->SetAutoRes(true);
    FormManager1->SetAutoLevel(true);
    OnShow = [this](ui::TObject* s) { FormShow(s); };
    Edit1->OnChange = [this](ui::TObject* s) { Edit1Change(s); };
    FinishLoading();
}

void TFolderForm::FormShow(ui::TObject*) {
    // Above the start menu, which is topmost itself.
    SetTopmost(true);
    Button1->SetEnabled(!Edit1->Text().empty());
}

// Any character enables OK, a blank included; Enter takes OK only while it is enabled.
void TFolderForm::Edit1Change(ui::TObject*) { Button1->SetEnabled(!Edit1->Text().empty()); }

}  // namespace app
