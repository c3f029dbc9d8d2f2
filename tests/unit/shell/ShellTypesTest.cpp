#include <gtest/gtest.h>

#include "shell/ShellTypes.h"

using namespace shell;

TEST(ShellTypes, ObjectTypesCapabilitiesAndPropertiesFromTheirBits) {
    EXPECT_EQ(ObjectTypeFlags(0), 0u);
    EXPECT_EQ(ObjectTypeFlags(Types(otFolders)), 0x20u);
    EXPECT_EQ(ObjectTypeFlags(Types(otNonFolders) | Types(otHidden)), 0xC0u);
    EXPECT_EQ(ObjectTypeFlags(Types(otFolders) | Types(otNonFolders) | Types(otHidden)), 0xE0u);
    // Each capability from its own bit, and bits outside the mask give nothing.
    const std::pair<std::uint32_t, TShellFolderCapability> capabilities[] = {
        {0x1, fcCanCopy}, {0x20, fcCanDelete}, {0x4, fcCanLink},       {0x2, fcCanMove},
        {0x10, fcCanRename}, {0x100, fcDropTarget}, {0x40, fcHasPropSheet}};
    for (auto [bit, member] : capabilities) EXPECT_EQ(CapabilitiesFromAttributes(bit), 1u << member) << bit;
    EXPECT_EQ(CapabilitiesFromAttributes(CapabilityAttributeMask), 0x7Fu);
    EXPECT_EQ(CapabilitiesFromAttributes(~CapabilityAttributeMask), 0u);
    // Display bits only count from the first answer, content bits only from the second.
    EXPECT_EQ(PropertiesFromAttributes(0x10000 | 0x40000, 0), (1u << fpIsLink) | (1u << fpReadOnly));
    EXPECT_EQ(PropertiesFromAttributes(0x40000000, 0), 0u);
    EXPECT_EQ(PropertiesFromAttributes(0, 0x40000000 | 0x10000000), (1u << fpFileSystem) | (1u << fpFileSystemAncestor));
    EXPECT_EQ(PropertiesFromAttributes(0, 0x8000 | 0x20000), 0u);
    EXPECT_EQ(PropertiesFromAttributes(0x8000 | 0x20000, 0x2000000 | 0x1000000),
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
