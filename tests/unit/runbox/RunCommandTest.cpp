// The run box's reading of a typed command: variables expanded, and the split into the file and
// its arguments (quoted, unquoted with blanks and an existing beginning, a program without ".exe").
#include <gtest/gtest.h>

#include <map>

#include "runbox/RunCommand.h"
#include "support/TextOut.h"

using namespace runbox;

namespace {
// A file system of a few names: what exists, and a program found by its name without ".exe".
std::optional<std::u16string> Known(const std::u16string& path) {
    for (const char16_t* file : {u"C:\\Program Files\\Mein Tool\\tool.exe", u"C:\\Daten\\Brief an Oma.txt",
                                 u"C:\\Program Files", u"C:\\Werkzeuge\\zeig.exe"})
        if (path == file) return path;
    if (path == u"C:\\Werkzeuge\\zeig") return std::u16string(u"C:\\Werkzeuge\\zeig.exe");
    return std::nullopt;
}
}  // namespace

TEST(RunCommand, VariablesAreExpandedAndUnknownOnesKept) {
    const std::map<std::u16string, std::u16string> env{{u"WINDIR", u"C:\\Windows"}, {u"A", u"%B%"}, {u"LEER", u""}};
    const auto lookup = [&](const std::u16string& name) -> std::optional<std::u16string> {
        const auto found = env.find(name);
        if (found == env.end()) return std::nullopt;
        return found->second;
    };
    EXPECT_EQ(ExpandVariables(u"%WINDIR%\\notepad.exe", lookup), u"C:\\Windows\\notepad.exe");
    EXPECT_EQ(ExpandVariables(u"%UNBEKANNT%\\x %WINDIR%", lookup), u"%UNBEKANNT%\\x C:\\Windows");
    EXPECT_EQ(ExpandVariables(u"100% sicher", lookup), u"100% sicher");
    EXPECT_EQ(ExpandVariables(u"50%%WINDIR%", lookup), u"50%C:\\Windows");  // "%%" names nothing
    EXPECT_EQ(ExpandVariables(u"%A%", lookup), u"%B%");                  // once, not again
    EXPECT_EQ(ExpandVariables(u"[%LEER%]", lookup), u"[]");
    EXPECT_EQ(ExpandVariables(u"%", lookup), u"%");
    EXPECT_EQ(ExpandVariables(u"", lookup), u"");
}

TEST(RunCommand, QuotedUnquotedAndLongestExistingBeginning) {
    // A quoted file ends at its quote; its arguments follow.
    EXPECT_EQ(SplitCommand(u"  \"C:\\Program Files\\Mein Tool\\tool.exe\"   -a \"b c\" ", Known),
              (RunCommand{u"C:\\Program Files\\Mein Tool\\tool.exe", u"-a \"b c\""}));
    EXPECT_EQ(SplitCommand(u"\"C:\\ohne Ende", Known), (RunCommand{u"C:\\ohne Ende", u""}));
    EXPECT_EQ(SplitCommand(u"\"\"", Known), (RunCommand{u"", u""}));
    // Unquoted with blanks: the longest beginning that exists, not the first folder on the way.
    EXPECT_EQ(SplitCommand(u"C:\\Program Files\\Mein Tool\\tool.exe /x y", Known),
              (RunCommand{u"C:\\Program Files\\Mein Tool\\tool.exe", u"/x y"}));
    EXPECT_EQ(SplitCommand(u"C:\\Daten\\Brief an Oma.txt", Known), (RunCommand{u"C:\\Daten\\Brief an Oma.txt", u""}));
    EXPECT_EQ(SplitCommand(u"C:\\Werkzeuge\\zeig eins zwei", Known),
              (RunCommand{u"C:\\Werkzeuge\\zeig.exe", u"eins zwei"}));
    // Nothing exists: the first word, left to the platform's search path.
    EXPECT_EQ(SplitCommand(u"notepad C:\\Daten\\neu.txt", Known), (RunCommand{u"notepad", u"C:\\Daten\\neu.txt"}));
    EXPECT_EQ(SplitCommand(u"https://example.org/a b", Known), (RunCommand{u"https://example.org/a", u"b"}));
    EXPECT_EQ(SplitCommand(u"calc", Known), (RunCommand{u"calc", u""}));
    EXPECT_EQ(SplitCommand(u"notepad\tdatei.txt", Known), (RunCommand{u"notepad", u"datei.txt"}));
    EXPECT_EQ(SplitCommand(u" \t ", Known), (RunCommand{}));
    EXPECT_EQ(SplitCommand(u"a b", nullptr), (RunCommand{u"a", u"b"}));
}
