#pragma once
// The start menu apart from its window: the options it keeps in the registry, the user's links
// kept in "links.dat", and the launch of an entry. The window's handlers come here for all three.
#include <cstdint>
#include <functional>
#include <string>

#include "app/LinkList.h"

namespace framework {
class TFormManager;
}

namespace app {

// The user's links for the run: read at the start, written at the exit.
extern LinkList Links;

// The options, made valid as they are read ("ShellStartMenuFolderIndex", "ShellStartMenuFolderSize",
// "AddMenuSelection" below the application's key); written back when the window has closed.
void ReadOptions(framework::TFormManager& store);
void WriteOptions(framework::TFormManager& store);

// The root of the tree for the chosen programs folder: the user's own, or all users'.
std::u16string ProgramsRoot();

// Opens a file, folder or program with the shell's "open" verb, the path quoted.
bool OpenWithShell(std::intptr_t owner, const std::u16string& path);

// Launches a file of the menu: closes the menu, opens the file with the shell, and adds a link to
// it when "AddMenuSelection" is set and no entry links it yet. A path that is no file (a folder,
// a virtual item) launches nothing: false.
bool LaunchEntry(const std::u16string& path, std::intptr_t owner, const std::function<void()>& closeMenu);

// Whether a name can be a new folder's on every file system the menu lives on: not empty once
// blanks and control characters are set aside, no character a file name may not hold, no device
// name ("CON", "nul.txt", "COM1"), not ending in a dot or a blank, at most 255 characters.
bool IsNewFolderName(const std::u16string& name);

// Makes a new folder of the menu: the folder is created in the data directory and moved by the
// shell into the target folder (the folder of a target that is a file). A name that cannot be a
// folder's, or that is taken in the target or in the data directory, makes nothing; a move that
// fails leaves nothing behind in the data directory. True when the folder is in the target.
bool CreateMenuFolder(const std::u16string& name, std::u16string target, std::intptr_t owner);

// The links of the data directory; saving reports a failure to the user and gives false.
void LoadLinks();
bool SaveLinks();

}  // namespace app
