#pragma once
// The small vocabulary of shell items: which kinds of items a view lists, what an item allows
// (capabilities) and what it is (properties), each made from the attribute bits the shell reports,
// and the tidying of display names.
#include <cstdint>
#include <string>

namespace shell {

enum TShellObjectType { otFolders, otNonFolders, otHidden };
// A set of object types: bit n for ordinal n.
using TShellObjectTypes = unsigned;
constexpr TShellObjectTypes Types(TShellObjectType t) { return 1u << t; }

// The enumeration flags of the platform for a set of object types: folders 0x20, non-folders
// 0x40, hidden 0x80 (the set's bits moved up by five).
std::uint32_t ObjectTypeFlags(TShellObjectTypes types);

enum TShellFolderCapability { fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet };
using TShellFolderCapabilities = unsigned;
// The attribute bits to ask for, and the capabilities they give.
constexpr std::uint32_t CapabilityAttributeMask = 0x177;
TShellFolderCapabilities CapabilitiesFromAttributes(std::uint32_t attributes);

enum TShellFolderProperty { fpCut, fpIsLink, fpReadOnly, fpShared, fpFileSystem, fpFileSystemAncestor, fpRemovable, fpValidate };
using TShellFolderProperties = unsigned;
// Properties come from two questions: the display attributes (this mask), then the content
// attributes the folder reports unasked (an empty mask).
constexpr std::uint32_t DisplayAttributeMask = 0xFC000;
TShellFolderProperties PropertiesFromAttributes(std::uint32_t displayAttributes, std::uint32_t contentAttributes);

// Attribute bits of the platform that the items ask for on their own.
constexpr std::uint32_t AttrFolder = 0x20000000;
constexpr std::uint32_t AttrHasSubfolder = 0x80000000;

// A display name as the shell gave it, tidied: a name that starts with "?" and a digit loses
// every "?" (the shell's stand-ins for characters of another code page).
std::u16string TidyDisplayText(std::u16string text);
// A parse name of a virtual folder ("::{" and its class identifier): the normal name is asked instead.
bool IsClassParseName(const std::u16string& text);

}  // namespace shell
