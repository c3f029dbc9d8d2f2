// The run box's entry point: one showing of the box; nothing escapes unreported.
#include <exception>

#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "runbox/RunForm.h"
#include "ui/Application.h"

int main() {
    try {
        framework::SetProcessRegistryKey(app::AppRegistryKey());
        ui::Application().SetTitle(u"Ausführen");
        runbox::TRunForm form;
        form.ShowModal();
        form.SavePlacement();
        return 0;
    } catch (const std::exception& error) {
        ui::Application().HandleException(error);
        return 1;
    }
}
