#pragma once
// The application's names and the options that live for the whole run; the options reach the
// registry only when the main window has closed.
#include <string>

namespace app {

inline const std::u16string AppCompany = u"Corvath";
inline const std::u16string AppProduct = u"Nimbrel";
inline const std::u16string AppVersion = u"1.0";

// The data directory (ending in a backslash) that holds "links.dat".
extern std::u16string DataDir;
// False once the user abandoned the choice of a data directory: nothing more is shown.
extern bool DataReady;
// 0: the current user's programs folder, 1: all users'.
extern int FolderIndex;
// The tree's font size in points: 8, 10 or 12.
extern int FolderSize;
// Whether an entry launched from the tree is added to the links.
extern bool AddMenuSelection;

// "Software\Corvath\Nimbrel\1.0", the application's key below the current user.
std::u16string AppRegistryKey();

// The stored options made valid: a folder index of 0 or 1; a size of 8, 10 or 12.
int ClampFolderIndex(int value);
int ClampFolderSize(int value);

}  // namespace app
