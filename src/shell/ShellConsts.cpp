#include "shell/ShellConsts.h"

namespace shell {

const std::array<std::u16string_view, RootFolderCount> RootFolderNames = {
    u"rfDesktop", u"rfMyComputer", u"rfNetwork", u"rfRecycleBin", u"rfAppData", u"rfCommonDesktopDirectory",
    u"rfCommonPrograms", u"rfCommonStartMenu", u"rfCommonStartup", u"rfControlPanel", u"rfDesktopDirectory",
    u"rfFavorites", u"rfFonts", u"rfInternet", u"rfPersonal", u"rfPrinters", u"rfPrintHood", u"rfPrograms",
    u"rfRecent", u"rfSendTo", u"rfStartMenu", u"rfStartup", u"rfTemplates"};

const std::array<int, RootFolderCount> RootFolderCsidl = {0, 17, 18, 10, 26, 25, 23, 22, 24, 3, 16, 6,
                                                          20, 1, 5, 4, 27, 2, 8, 9, 11, 7, 21};

namespace {
char16_t FoldAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }
}  // namespace

int RootFolderKind(std::u16string_view name) {
    for (int i = 0; i < RootFolderCount; ++i) {
        const std::u16string_view candidate = RootFolderNames[static_cast<std::size_t>(i)];
        if (candidate.size() != name.size()) continue;
        bool same = true;
        for (std::size_t k = 0; same && k < name.size(); ++k) same = FoldAscii(candidate[k]) == FoldAscii(name[k]);
        if (same) return i;
    }
    return -1;
}

std::u16string FormatShellMessage(std::u16string_view format, std::u16string_view text) {
    std::u16string out;
    out.reserve(format.size() + text.size());
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == u'%' && i + 1 < format.size()) {
            if (format[i + 1] == u's') {
                out += text;
                ++i;
                continue;
            }
            if (format[i + 1] == u'%') {
                out += u'%';
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

}  // namespace shell
