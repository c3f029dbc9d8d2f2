#pragma once
// "Ordner erstellen": the small dialog that asks for the name of a new folder of the menu. It only
// collects the name; the main window creates the folder (TMainForm::FolderClick).
#include "framework/FormManager.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace app {

class TFolderForm : public ui::TForm {
public:
    TFolderForm();
    std::u16string ClassName() const override { return u"TFolderForm"; }

    void FormShow(ui::TObject* Sender);
    void Edit1Change(ui::TObject* Sender);

    ui::TLabel* Label1;
    ui::TEdit* Edit1;
    ui::TButton* Button1;
    ui::TButton* Button2;
    framework::TFormManager* FormManager1;
};

// Made by the first "Ordner erstellen" and kept for the run.
extern TFolderForm* FolderForm;

}  // namespace app
