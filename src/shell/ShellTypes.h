#pragma once
// The small vocabulary of shell items: which kinds of items a view lists, what an item allows
// (capabilities) and what it is (properties), each made from the attribute bits the shell reports,
// and the tidying of display names.
#include <cstdint>
#include <string>

#include "platform/ShellValues.h"

namespace shell {

enum TShellObjectType { otFolders, otNonFolders, otHidden };
// A set of object types: bit n for ordinal n.
using TShellObjectTypes = unsigned;
constexpr TShellObjectTypes Types(TShellObjectType t) { return 1u << t; }

// The kinds of items a folder is asked to list for a set of object types.
platform::ShellItemKinds ItemKindsOf(TShellObjectTypes types);

enum TShellFolderCapability { fcCanCopy, fcCanDelete, fcCanLink, fcCanMove, fcCanRename, fcDropTarget, fcHasPropSheet };
using TShellFolderCapabilities = unsigned;
// The attributes to ask for, and the capabilities they give.
inline constexpr platform::ShellAttributes CapabilityAttributes{
    platform::ShellAttribute::CanCopy,   platform::ShellAttribute::CanDelete,    platform::ShellAttribute::CanLink,
    platform::ShellAttribute::CanMove,   platform::ShellAttribute::CanRename,    platform::ShellAttribute::DropTarget,
    platform::ShellAttribute::HasPropSheet};
TShellFolderCapabilities CapabilitiesFromAttributes(platform::ShellAttributes attributes);

enum TShellFolderProperty { fpCut, fpIsLink, fpReadOnly, fpShared, fpFileSystem, fpFileSystemAncestor, fpRemovable, fpValidate };
using TShellFolderProperties = unsigned;
// Properties come from two questions: the display attributes, then the content attributes the
// folder reports unasked (an empty question).
inline constexpr platform::ShellAttributes DisplayAttributes{
    platform::ShellAttribute::Slow,   platform::ShellAttribute::Ghosted,  platform::ShellAttribute::Link,
    platform::ShellAttribute::Shared, platform::ShellAttribute::ReadOnly, platform::ShellAttribute::Hidden};
TShellFolderProperties PropertiesFromAttributes(platform::ShellAttributes displayAttributes,
                                                platform::ShellAttributes contentAttributes);

// A display name as the shell gave it, tidied: a name that starts with "?" and a digit loses
// every "?" (the shell's stand-ins for characters of another code page).
std::u16string TidyDisplayText(std::u16string text);
// A parse name of a virtual folder ("::{" and its class identifier): the normal name is asked instead.
bool IsClassParseName(const std::u16string& text);

}  // namespace shell
