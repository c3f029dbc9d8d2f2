#include <gtest/gtest.h>

#include "shell/ShellTypes.h"

using namespace shell;

TEST(ShellTypes, ObjectTypesCapabilitiesAndPropertiesFromTheShellsAnswers) {
    using enum platform::ShellAttribute;
    EXPECT_EQ(ItemKindsOf(0), (platform::ShellItemKinds{}));
    EXPECT_EQ(ItemKindsOf(Types(otNonFolders) | Types(otHidden)), (platform::ShellItemKinds{false, true, true}));
    // Every capability the question asks for comes back as its own member; nothing else counts.
    const std::pair<platform::ShellAttribute, TShellFolderCapability> capabilities[] = {
        {CanCopy, fcCanCopy},     {CanDelete, fcCanDelete},   {CanLink, fcCanLink},         {CanMove, fcCanMove},
        {CanRename, fcCanRename}, {DropTarget, fcDropTarget}, {HasPropSheet, fcHasPropSheet}};
    for (auto [attribute, member] : capabilities) {
        EXPECT_TRUE(CapabilityAttributes.Has(attribute));
        EXPECT_EQ(CapabilitiesFromAttributes({attribute}), 1u << member);
    }
    EXPECT_EQ(CapabilitiesFromAttributes({Folder, Link, FileSystem, Hidden}), 0u);
    // Display answers only count from the first question, content answers only from the second.
    EXPECT_EQ(PropertiesFromAttributes({Link, ReadOnly}, {}), (1u << fpIsLink) | (1u << fpReadOnly));
    EXPECT_EQ(PropertiesFromAttributes({FileSystem}, {}), 0u);
    EXPECT_EQ(PropertiesFromAttributes({}, {FileSystem, FileSysAncestor}), (1u << fpFileSystem) | (1u << fpFileSystemAncestor));
    EXPECT_EQ(PropertiesFromAttributes({}, {Ghosted, Shared}), 0u);
    EXPECT_EQ(PropertiesFromAttributes({Ghosted, Shared}, {Removable, Validate}),
              (1u << fpCut) | (1u << fpShared) | (1u << fpRemovable) | (1u << fpValidate));
}

TEST(ShellTypes, DisplayTextsLoseQuestionMarksOnlyBeforeADigit) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"?12", u"12"},        {u"?1?2 Ordner?", u"12 Ordner"}, {u"?a", u"?a"}, {u"?", u"?"},
        {u"Ab?1", u"Ab?1"},     {u"", u""},                      {u"??1", u"??1"}};
    for (const auto& [in, out] : cases) EXPECT_EQ(TidyDisplayText(in), out);
    EXPECT_TRUE(IsClassParseName(u"::{21EC2020-3AEA-1069-A2DD-08002B30309D}"));
    EXPECT_FALSE(IsClassParseName(u"C:\\::{x}"));
    EXPECT_FALSE(IsClassParseName(u":{"));
}
