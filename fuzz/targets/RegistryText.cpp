// The registry's text format: a file either is refused as damaged or reads into a tree that is
// written and read again unchanged.
#include "FuzzTarget.h"
#include "platform/posix/RegFile.h"

namespace fuzz {

void RegistryText(const std::uint8_t* data, std::size_t size) {
    using namespace platform::posix;
    const std::u16string root = u"HKEY_CURRENT_USER";
    RegFileTree tree;
    try {
        tree = ParseRegFile(std::vector<std::uint8_t>(data, data + size), root);
    } catch (const platform::RegistryStoreError&) {
        return;
    }
    const std::vector<std::uint8_t> written = FormatRegFile(tree, root);
    RegFileTree again;
    try {
        again = ParseRegFile(written, root);
    } catch (const platform::RegistryStoreError&) {
        Fail("a written tree does not read back");
    }
    Check(again.KeyCount() == tree.KeyCount(), "keys were lost or made on the way back");
    Check(FormatRegFile(again, root) == written, "the tree changed on the way back");
}

}  // namespace fuzz
