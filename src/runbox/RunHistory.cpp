#include "runbox/RunHistory.h"

#include <algorithm>
#include <exception>

#include "platform/Registry.h"
#include "util/FileUtils.h"

namespace runbox {

namespace {
const std::u16string OrderValue = u"MRUList";

bool SameCommand(const std::u16string& a, const std::u16string& b) {
    return a.size() == b.size() && util::UpperCaseText(a) == util::UpperCaseText(b);
}
}  // namespace

bool RunHistory::Keepable(const std::u16string& command) {
    return !command.empty() && command.size() <= LongestCommand &&
           command.find_first_of(u"\r\n", 0) == std::u16string::npos &&
           command.find(u'\0') == std::u16string::npos &&
           command.find_first_not_of(u" \t") != std::u16string::npos;
}

void RunHistory::Add(const std::u16string& command) {
    if (!Keepable(command)) return;
    std::erase_if(FCommands, [&](const std::u16string& kept) { return SameCommand(kept, command); });
    FCommands.insert(FCommands.begin(), command);
    if (FCommands.size() > Capacity) FCommands.resize(Capacity);
}

void RunHistory::Load(const std::u16string& keyPath) {
    FCommands.clear();
    try {
        auto key = platform::GetRegistry().Open(platform::RootKey::CurrentUser, keyPath, platform::KeyRead, false);
        if (!key) return;
        bool tooLarge = false;
        // The order: one letter per command, at most one string of a few letters.
        const auto order = key->Read(OrderValue, 2 * (Capacity + 1) * 4, tooLarge);
        if (!order || (order->Type != platform::RegSz && order->Type != platform::RegExpandSz)) return;
        std::u16string seen;
        for (char16_t letter : platform::StringOf(*order)) {
            if (FCommands.size() == Capacity) break;
            if (letter < u'a' || letter > u'z' || seen.find(letter) != std::u16string::npos) continue;
            seen += letter;
            const auto value = key->Read(std::u16string(1, letter), 2 * (LongestCommand + 1), tooLarge);
            if (!value || (value->Type != platform::RegSz && value->Type != platform::RegExpandSz)) continue;
            const std::u16string command = platform::StringOf(*value);
            if (!Keepable(command)) continue;
            if (std::any_of(FCommands.begin(), FCommands.end(),
                            [&](const std::u16string& kept) { return SameCommand(kept, command); }))
                continue;
            FCommands.push_back(command);
        }
    } catch (const std::exception&) {
        // A store that cannot be read is an empty history: the run box still runs.
        FCommands.clear();
    }
}

bool RunHistory::Save(const std::u16string& keyPath) const {
    try {
        auto key = platform::GetRegistry().Open(platform::RootKey::CurrentUser, keyPath, platform::KeyWrite, true);
        if (!key) return false;
        std::u16string order;
        bool written = true;
        for (std::size_t i = 0; i < FCommands.size(); ++i) {
            const char16_t letter = static_cast<char16_t>(u'a' + i);
            written = key->Write(std::u16string(1, letter), platform::StringValue(FCommands[i])) && written;
            order += letter;
        }
        // The order last: a write cut short leaves the old order over values it may still name.
        return key->Write(OrderValue, platform::StringValue(order)) && written;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace runbox
