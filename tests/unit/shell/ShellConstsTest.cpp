#include <gtest/gtest.h>

#include "shell/ShellConsts.h"

using namespace shell;

TEST(RootFolderKind, NamesMatchWithoutCaseAndOnlyWhole) {
    EXPECT_EQ(RootFolderKind(u"rfDesktop"), rfDesktop);
    EXPECT_EQ(RootFolderKind(u"RFCOMMONPROGRAMS"), rfCommonPrograms);
    EXPECT_EQ(RootFolderKind(u"rftemplates"), rfTemplates);
    for (const char16_t* other : {u"", u"rf", u"rfDesktop ", u"C:\\Programme", u"rfDesktopX", u"\u0130rfDesktop"})
        EXPECT_EQ(RootFolderKind(other), -1);
    // Each name finds itself.
    for (int i = 0; i < RootFolderCount; ++i) EXPECT_EQ(RootFolderKind(RootFolderNames[static_cast<std::size_t>(i)]), i);
}

TEST(FormatShellMessage, PutsTheTextWhereTheFormatSaysSo) {
    EXPECT_EQ(FormatShellMessage(SErrorSettingPath, u"C:\\x"), u"Fehler beim Festlegen des Pfades: \"C:\\x\"");
    EXPECT_EQ(FormatShellMessage(SRenamedFailedError, u"Neu"), u"Rename to Neu failed");
    EXPECT_EQ(FormatShellMessage(u"100%% %s %", u"a"), u"100% a %");
}
