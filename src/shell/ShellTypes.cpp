#include "shell/ShellTypes.h"

#include <algorithm>

namespace shell {

platform::ShellItemKinds ItemKindsOf(TShellObjectTypes types) {
    return {(types & Types(otFolders)) != 0, (types & Types(otNonFolders)) != 0, (types & Types(otHidden)) != 0};
}

namespace {
using platform::ShellAttribute;

struct Mapping {
    ShellAttribute Attribute;
    unsigned Member;
};

template <std::size_t N>
unsigned MapAttributes(platform::ShellAttributes attributes, const Mapping (&table)[N]) {
    unsigned set = 0;
    for (const Mapping& m : table)
        if (attributes.Has(m.Attribute)) set |= 1u << m.Member;
    return set;
}

constexpr Mapping CapabilityMembers[] = {
    {ShellAttribute::CanCopy, fcCanCopy},       {ShellAttribute::CanDelete, fcCanDelete},
    {ShellAttribute::CanLink, fcCanLink},       {ShellAttribute::CanMove, fcCanMove},
    {ShellAttribute::CanRename, fcCanRename},   {ShellAttribute::DropTarget, fcDropTarget},
    {ShellAttribute::HasPropSheet, fcHasPropSheet}};
constexpr Mapping DisplayMembers[] = {{ShellAttribute::Ghosted, fpCut},
                                      {ShellAttribute::Link, fpIsLink},
                                      {ShellAttribute::ReadOnly, fpReadOnly},
                                      {ShellAttribute::Shared, fpShared}};
constexpr Mapping ContentMembers[] = {{ShellAttribute::FileSystem, fpFileSystem},
                                      {ShellAttribute::FileSysAncestor, fpFileSystemAncestor},
                                      {ShellAttribute::Removable, fpRemovable},
                                      {ShellAttribute::Validate, fpValidate}};
}  // namespace

TShellFolderCapabilities CapabilitiesFromAttributes(platform::ShellAttributes attributes) {
    return MapAttributes(attributes, CapabilityMembers);
}

TShellFolderProperties PropertiesFromAttributes(platform::ShellAttributes displayAttributes,
                                                platform::ShellAttributes contentAttributes) {
    return MapAttributes(displayAttributes, DisplayMembers) | MapAttributes(contentAttributes, ContentMembers);
}

std::u16string TidyDisplayText(std::u16string text) {
    if (text.size() >= 2 && text[0] == u'?' && text[1] >= u'0' && text[1] <= u'9')
        text.erase(std::remove(text.begin(), text.end(), u'?'), text.end());
    return text;
}

bool IsClassParseName(const std::u16string& text) { return text.rfind(u"::{", 0) == 0; }

}  // namespace shell
