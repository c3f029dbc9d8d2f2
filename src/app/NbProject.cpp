// The start menu's entry point: the program itself runs in RunProgram; nothing escapes it
// unreported.
#include <exception>

#include "app/NbMain.h"
#include "ui/Application.h"

int main() {
    try {
        return app::RunProgram();
    } catch (const std::exception& error) {
        ui::Application().HandleException(error);
        return 1;
    }
}
