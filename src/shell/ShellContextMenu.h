#pragma once
// The shell's own context menu of an item: shown at a point of a control, or one verb of it run
// without a menu. A control that implements IShellCommandVerb takes part: it may carry out a
// command itself before the shell does, and learns how each command ended.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/ShellNamespace.h"

namespace ui {
class TWinControl;
}

namespace shell {

class TShellFolder;

class IShellCommandVerb {
public:
    virtual ~IShellCommandVerb() = default;
    // Handled comes in false; set it to keep the shell from running the command.
    virtual void ExecuteCommand(const std::string& Verb, bool& Handled) = 0;
    virtual void CommandCompleted(const std::string& Verb, bool Succeeded) = 0;
};

// The context menu that is open now and draws items of its own, or nullptr: the owner's window
// hands it the menu messages while it shows.
platform::ShellContextMenu* OpenMenuHandler();

// Shows the item's menu at a client point of the owner and carries out the chosen command; the
// taker (may be nullptr) takes part in it.
void ShowItemContextMenu(ui::TWinControl* Owner, TShellFolder* Folder, int X, int Y, IShellCommandVerb* Taker);
// Runs a verb such as "properties" of the item's menu, without showing it.
void InvokeItemVerb(TShellFolder* Folder, const std::string& Verb);

}  // namespace shell
