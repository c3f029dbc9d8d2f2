// The run box's entry point: one showing of the box; nothing escapes unreported.
#include <exception>

#include "app/NbVariables.h"
#include "framework/FormManager.h"
#include "platform/StartTimeline.h"
#include "runbox/RunForm.h"
#include "ui/Application.h"

int main() {
    platform::MarkStart("program");
    try {
        // The box's first frame needs no OLE: it starts with the completion, or with the first
        // command or browsing typed ahead of that.
        ui::Application().SetShellServicesOnDemand(true);
        framework::SetProcessRegistryKey(app::AppRegistryKey());
        ui::Application().SetTitle(u"Ausführen");
        runbox::TRunForm form;
        platform::MarkStart("form made");
        form.ShowModal();
        form.SavePlacement();
        return 0;
    } catch (const std::exception& error) {
        ui::Application().HandleException(error);
        return 1;
    }
}
