#pragma once
// Texts and tables of the shell controls: the messages they raise, and the names of the special
// folders a root may be given by, with the platform's number (CSIDL) of each.
#include <array>
#include <string>
#include <string_view>

namespace shell {

// Messages, with a printf-style "%s" or "%x" where the path, name or code goes.
inline constexpr std::u16string_view SErrorSettingPath = u"Fehler beim Festlegen des Pfades: \"%s\"";
inline constexpr std::u16string_view SRenamedFailedError = u"Rename to %s failed";
inline constexpr std::u16string_view SGetFolderDetailsError = u"Unable to retrieve folder details for \"%s\". Error code $%x";
inline constexpr std::u16string_view SCallLoadDetails = u"%s: Missing call to LoadColumnDetails";
inline constexpr std::u16string_view SNoParentFolder = u"parentfolder = nil";

enum TRootFolder {
    rfDesktop, rfMyComputer, rfNetwork, rfRecycleBin, rfAppData, rfCommonDesktopDirectory, rfCommonPrograms,
    rfCommonStartMenu, rfCommonStartup, rfControlPanel, rfDesktopDirectory, rfFavorites, rfFonts, rfInternet,
    rfPersonal, rfPrinters, rfPrintHood, rfPrograms, rfRecent, rfSendTo, rfStartMenu, rfStartup, rfTemplates
};
inline constexpr int RootFolderCount = 23;

// The names in the order of TRootFolder, and the special folder each stands for.
extern const std::array<std::u16string_view, RootFolderCount> RootFolderNames;
extern const std::array<int, RootFolderCount> RootFolderCsidl;

// The ordinal of a root folder name (without regard to ASCII case), or -1 for any other text.
int RootFolderKind(std::u16string_view name);

// A message with each "%s" replaced by text, in order ("%%" stays a percent sign).
std::u16string FormatShellMessage(std::u16string_view format, std::u16string_view text);

}  // namespace shell
