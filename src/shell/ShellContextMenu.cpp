#include "shell/ShellContextMenu.h"

#include "shell/ShellFolder.h"
#include "ui/Control.h"

namespace shell {
namespace {

constexpr unsigned FirstCommand = 1;
constexpr unsigned LastCommand = 0x7FFF;

platform::ShellContextMenu* openMenuHandler = nullptr;

// Keeps the open menu's handler published exactly while the menu shows.
class PublishedHandler {
public:
    explicit PublishedHandler(platform::ShellContextMenu& menu) {
        if (menu.HasMenuHandler()) openMenuHandler = &menu;
    }
    ~PublishedHandler() { openMenuHandler = nullptr; }
    PublishedHandler(const PublishedHandler&) = delete;
    PublishedHandler& operator=(const PublishedHandler&) = delete;
};

}  // namespace

platform::ShellContextMenu* OpenMenuHandler() { return openMenuHandler; }

void ShowItemContextMenu(ui::TWinControl* Owner, TShellFolder* Folder, int X, int Y, IShellCommandVerb* Taker) {
    if (!Folder || !Owner) return;
    const platform::ShellWindow window = Owner->Handle();
    ShellObjectRef parent = Folder->ParentShellFolder();
    if (!parent) return;
    std::unique_ptr<platform::ShellContextMenu> menu = parent->ContextMenuOf(window, Folder->RelativeID());
    if (!menu) return;
    const ui::TPoint screen = Owner->ClientToScreen({X, Y});

    std::unique_ptr<platform::ShellPopupMenu> popup = platform::GetShellNamespace().CreatePopupMenu();
    if (!popup) return;
    menu->Fill(*popup, 0, FirstCommand, LastCommand, platform::ContextMenuUse{true, true});
    int command = 0;
    {
        PublishedHandler published(*menu);
        command = popup->Track(screen.X, screen.Y, window);
    }
    if (command < static_cast<int>(FirstCommand)) return;

    const unsigned offset = static_cast<unsigned>(command) - FirstCommand;
    const std::string verb = menu->Verb(offset);
    bool handled = false;
    if (Taker) Taker->ExecuteCommand(verb, handled);
    bool succeeded = true;
    if (!handled) succeeded = menu->Invoke(offset, window, platform::ShowState::Normal);
    if (Taker) Taker->CommandCompleted(verb, succeeded);
}

void InvokeItemVerb(TShellFolder* Folder, const std::string& Verb) {
    if (!Folder) return;
    ShellObjectRef parent = Folder->ParentShellFolder();
    if (!parent) return;
    if (auto menu = parent->ContextMenuOf(0, Folder->RelativeID()))
        menu->InvokeVerb(Verb, 0, platform::ShowState::Normal, true);
}

}  // namespace shell
