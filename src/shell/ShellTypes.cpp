#include "shell/ShellTypes.h"

#include <algorithm>

namespace shell {

std::uint32_t ObjectTypeFlags(TShellObjectTypes types) { return (types & 0x7u) << 5; }

namespace {
struct Mapping {
    std::uint32_t Bit;
    unsigned Member;
};

template <std::size_t N>
unsigned MapBits(std::uint32_t attributes, const Mapping (&table)[N]) {
    unsigned set = 0;
    for (const Mapping& m : table)
        if (attributes & m.Bit) set |= 1u << m.Member;
    return set;
}

constexpr Mapping CapabilityBits[] = {{0x1, fcCanCopy},   {0x20, fcCanDelete},   {0x4, fcCanLink},      {0x2, fcCanMove},
                                      {0x10, fcCanRename}, {0x100, fcDropTarget}, {0x40, fcHasPropSheet}};
constexpr Mapping DisplayBits[] = {{0x8000, fpCut}, {0x10000, fpIsLink}, {0x40000, fpReadOnly}, {0x20000, fpShared}};
constexpr Mapping ContentBits[] = {{0x40000000, fpFileSystem},
                                   {0x10000000, fpFileSystemAncestor},
                                   {0x2000000, fpRemovable},
                                   {0x1000000, fpValidate}};
}  // namespace

TShellFolderCapabilities CapabilitiesFromAttributes(std::uint32_t attributes) {
    return MapBits(attributes, CapabilityBits);
}

TShellFolderProperties PropertiesFromAttributes(std::uint32_t displayAttributes, std::uint32_t contentAttributes) {
    return MapBits(displayAttributes, DisplayBits) | MapBits(contentAttributes, ContentBits);
}

std::u16string TidyDisplayText(std::u16string text) {
    if (text.size() >= 2 && text[0] == u'?' && text[1] >= u'0' && text[1] <= u'9')
        text.erase(std::remove(text.begin(), text.end(), u'?'), text.end());
    return text;
}

bool IsClassParseName(const std::u16string& text) { return text.rfind(u"::{", 0) == 0; }

}  // namespace shell
