#pragma once
// The platform's bits for the typed shell questions: icon styles, attributes, item kinds, name
// styles and file operations.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <iterator>

#include "platform/ShellIcons.h"
#include "platform/ShellOperations.h"
#include "platform/ShellValues.h"

namespace platform::win32 {

inline UINT IconFlags(IconStyle style) {
    return SHGFI_SYSICONINDEX | (style.Small ? SHGFI_SMALLICON : 0) | (style.Open ? SHGFI_OPENICON : 0);
}

struct AttributeBit {
    ShellAttribute Attribute;
    SFGAOF Bit;
};
inline constexpr AttributeBit AttributeBits[] = {
    {ShellAttribute::CanCopy, SFGAO_CANCOPY},
    {ShellAttribute::CanMove, SFGAO_CANMOVE},
    {ShellAttribute::CanLink, SFGAO_CANLINK},
    {ShellAttribute::CanRename, SFGAO_CANRENAME},
    {ShellAttribute::CanDelete, SFGAO_CANDELETE},
    {ShellAttribute::HasPropSheet, SFGAO_HASPROPSHEET},
    {ShellAttribute::DropTarget, SFGAO_DROPTARGET},
    {ShellAttribute::Ghosted, SFGAO_GHOSTED},
    {ShellAttribute::Link, SFGAO_LINK},
    {ShellAttribute::Shared, SFGAO_SHARE},
    {ShellAttribute::ReadOnly, SFGAO_READONLY},
    {ShellAttribute::Hidden, SFGAO_HIDDEN},
    {ShellAttribute::Slow, SFGAO_ISSLOW},
    {ShellAttribute::Removable, SFGAO_REMOVABLE},
    {ShellAttribute::Validate, SFGAO_VALIDATE},
    {ShellAttribute::FileSysAncestor, SFGAO_FILESYSANCESTOR},
    {ShellAttribute::Folder, SFGAO_FOLDER},
    {ShellAttribute::FileSystem, SFGAO_FILESYSTEM},
    {ShellAttribute::HasSubfolder, SFGAO_HASSUBFOLDER},
};

inline SFGAOF AttributeMask(ShellAttributes attributes) {
    SFGAOF mask = 0;
    for (const AttributeBit& a : AttributeBits)
        if (attributes.Has(a.Attribute)) mask |= a.Bit;
    return mask;
}

inline ShellAttributes AttributesFromMask(SFGAOF mask) {
    ShellAttributes attributes;
    for (const AttributeBit& a : AttributeBits)
        if (mask & a.Bit) attributes.Add(a.Attribute);
    return attributes;
}

inline SHCONTF EnumFlags(ShellItemKinds kinds) {
    return (kinds.Folders ? SHCONTF_FOLDERS : 0) | (kinds.NonFolders ? SHCONTF_NONFOLDERS : 0) |
           (kinds.Hidden ? SHCONTF_INCLUDEHIDDEN : 0);
}

inline SHGDNF NameFlags(ShellNameStyle style) {
    switch (style) {
        case ShellNameStyle::InFolder: return SHGDN_INFOLDER;
        case ShellNameStyle::ForParsing: return SHGDN_FORPARSING;
        case ShellNameStyle::InFolderForParsing: return SHGDN_INFOLDER | SHGDN_FORPARSING;
        case ShellNameStyle::Normal: break;
    }
    return SHGDN_NORMAL;
}

inline UINT FileOperationCode(FileOperationKind kind) { return kind == FileOperationKind::Delete ? FO_DELETE : FO_MOVE; }

inline FILEOP_FLAGS FileOperationFlags(FileOperationStyle style) { return style.Silent ? FOF_SILENT : 0; }

}  // namespace platform::win32
