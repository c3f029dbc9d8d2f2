#include "controls/FileListTexts.h"

#include "platform/Files.h"
#include "util/DateTime.h"
#include "util/FileUtils.h"
#include "util/Utils.h"

namespace controls {

namespace {

std::u16string TwoDigits(int value) {
    return {static_cast<char16_t>(u'0' + value / 10 % 10), static_cast<char16_t>(u'0' + value % 10)};
}
}  // namespace

std::u16string FormatFileSize(std::uint64_t size) {
    static const char16_t* const Units[] = {u"Byte", u"KB", u"MB", u"GB", u"TB"};
    int unit = 0;
    for (std::uint64_t v = size; v >= 1024; v /= 1024) ++unit;
    const auto scaled = [&](int power) {
        double divisor = 1;
        for (int i = 0; i < power; ++i) divisor *= 1024;
        return util::FloatToTextWithSep(u'.', static_cast<double>(size) / divisor);
    };
    std::u16string text = scaled(unit);
    const std::size_t dot = text.find(u'.');
    // Four integer digits go up one unit (1000 bytes show as 0.97 KB).
    if ((dot == std::u16string::npos && text.size() > 3) || (dot != std::u16string::npos && dot >= 4))
        text = scaled(++unit);
    if (const std::size_t p = text.find(u'.'); p != std::u16string::npos) text.resize(std::min<std::size_t>(text.size(), p == 3 ? 3 : 4));
    if (unit > 4) return text + u" ..";
    return text + u" " + Units[unit];
}

bool MaskPasses(const std::u16string& mask, const std::u16string& fileName) {
    if (mask == u"*.*") return true;
    const std::size_t dot = fileName.find_last_of(u'.');
    const std::size_t separator = fileName.find_last_of(u"\\:");
    if (dot == std::u16string::npos || (separator != std::u16string::npos && dot < separator)) return false;
    return util::UpperCaseText(mask).find(u"*" + util::UpperCaseText(fileName.substr(dot))) != std::u16string::npos;
}

std::u16string ListDateText(std::int64_t fileTime) {
    const util::CivilTime t = util::FileTimeToCivil(platform::GetFiles().UtcToLocal(fileTime));
    return TwoDigits(t.Day) + u"." + TwoDigits(t.Month) + u"." + TwoDigits(t.Year % 100) + u" " + TwoDigits(t.Hour) +
           u":" + TwoDigits(t.Minute);
}

}  // namespace controls
