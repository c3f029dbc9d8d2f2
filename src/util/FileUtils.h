#pragma once
// File routines of the browsing controls and the system-information functions of the program.
#include <cstdint>
#include <string>

#include "platform/ShellIcons.h"
#include "util/Utils.h"

namespace util {

bool IsValidFileName(const std::u16string& name);
std::u16string StripInvalidFileNameChars(const std::u16string& name);
void SplitDigitRuns(const std::u16string& text, StringList& list);
// Digit-aware comparison: negative, zero or positive. 'file2' < 'file10', '10' < 'a', 'Abc' == 'abc'.
int NaturalCompare(const std::u16string& a, const std::u16string& b);
// Upper case as the platform's user interface maps each character (not only A-Z).
std::u16string UpperCaseText(std::u16string text);

// Icon indexes in the system image list; `unknown` when the shell knows nothing of the path.
int SysIconIndex(const std::u16string& path, platform::IconStyle style, int unknown = 0);
int SysOpenIconIndex(const std::u16string& path, platform::IconStyle style);

// These three throw platform::OsError when the platform call fails.
std::u16string WindowsDirectory();
std::u16string ComputerName();
std::u16string CurrentUserName();
// "major.minor.release.build" of the file's version resource; empty without one.
std::u16string FileVersionText(const std::u16string& fileName);

bool HasSubDirectories(const std::u16string& path);
// Whether the path names an existing directory, or an existing file that is no directory.
bool DirectoryExists(const std::u16string& path);
bool FileExists(const std::u16string& path);

}  // namespace util
