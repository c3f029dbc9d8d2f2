// Saves one of the stores over and over, for the kill-during-save trial (scripts/kill-trial.sh),
// or checks that what a killed run left is exactly one complete save.
//   StoreSaver links-loop FILE | links-once FILE | links-check FILE
//   StoreSaver registry-loop FOLDER | registry-once FOLDER | registry-check FOLDER
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/Registry.h"
#include "platform/Utf.h"
#include "platform/posix/FileRegistry.h"
#include "util/WholeFile.h"

namespace {

// Two contents of different sizes, large enough that a kill often lands inside a write.
std::string LinksContent(int which) {
    std::string text;
    const int lines = which == 0 ? 4000 : 6000;
    for (int i = 0; i < lines; ++i) text += (which == 0 ? "Erster\tC:\\a\\" : "Zweiter\tD:\\b\\") + std::to_string(i) + "\r\n";
    return text;
}

platform::RegValue RegistryContent(int which) {
    return {platform::RegBinary, std::vector<std::uint8_t>(which == 0 ? 20000 : 30000, static_cast<std::uint8_t>(0xA0 + which))};
}

int Links(const std::string& mode, const std::string& file) {
    const std::u16string path = platform::FromUtf8(file);
    if (mode == "links-check") {
        const auto bytes = util::ReadWholeFile(path);
        return bytes && (*bytes == LinksContent(0) || *bytes == LinksContent(1)) ? 0 : 1;
    }
    for (int i = 0;; ++i) {
        if (!util::AtomicReplace(path, LinksContent(i % 2))) return 2;
        if (mode == "links-once") return 0;
    }
}

int Registry(const std::string& mode, const std::string& folder) {
    platform::posix::FileRegistry registry(folder);
    try {
        auto key = registry.Open(platform::RootKey::CurrentUser, u"Software\\Trial", platform::KeyRead | platform::KeyWrite,
                                 mode != "registry-check");
        if (!key) return 1;
        if (mode == "registry-check") {
            bool tooLarge = false;
            const auto value = key->Read(u"V", 1 << 20, tooLarge);
            return value && (*value == RegistryContent(0) || *value == RegistryContent(1)) ? 0 : 1;
        }
        for (int i = 0;; ++i) {
            if (!key->Write(u"V", RegistryContent(i % 2))) return 2;
            if (mode == "registry-once") return 0;
        }
    } catch (const platform::RegistryStoreError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s links-loop|links-once|links-check|registry-loop|registry-once|registry-check PATH\n", argv[0]);
        return 64;
    }
    const std::string mode = argv[1];
    if (mode.rfind("links-", 0) == 0) return Links(mode, argv[2]);
    if (mode.rfind("registry-", 0) == 0) return Registry(mode, argv[2]);
    return 64;
}
