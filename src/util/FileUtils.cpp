#include "util/FileUtils.h"

#include <algorithm>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/ShellIcons.h"
#include "platform/System.h"

namespace util {
namespace {
constexpr std::u16string_view InvalidFileNameChars = u"\\/:*?\"<>|";

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Compares two digit runs by value without a fixed-width integer, so runs of any length (a
// 14-digit time stamp in a file name) compare by magnitude and never overflow.
int CompareDigitRuns(const std::u16string& a, const std::u16string& b) {
    size_t ia = a.find_first_not_of(u'0'), ib = b.find_first_not_of(u'0');
    if (ia == std::u16string::npos) ia = a.size();
    if (ib == std::u16string::npos) ib = b.size();
    const size_t la = a.size() - ia, lb = b.size() - ib;
    if (la != lb) return la < lb ? -1 : 1;
    for (size_t k = 0; k < la; ++k)
        if (a[ia + k] != b[ib + k]) return a[ia + k] < b[ib + k] ? -1 : 1;
    return 0;
}

// Case-insensitive for a-z only; the difference of the first differing characters, else of the
// lengths.
int CompareTextAscii(const std::u16string& a, const std::u16string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t k = 0; k < n; ++k) {
        const int d = static_cast<int>(UpperAscii(a[k])) - static_cast<int>(UpperAscii(b[k]));
        if (d != 0) return d;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}
}  // namespace

bool IsValidFileName(const std::u16string& name) {
    return name.find_first_of(InvalidFileNameChars) == std::u16string::npos;
}

std::u16string StripInvalidFileNameChars(const std::u16string& name) {
    std::u16string out;
    out.reserve(name.size());
    for (char16_t c : name)
        if (InvalidFileNameChars.find(c) == std::u16string_view::npos) out += c;
    return out;
}

void SplitDigitRuns(const std::u16string& text, StringList& list) {
    list.clear();
    size_t start = 0;
    for (size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || IsDigit(text[i]) != IsDigit(text[start])) {
            list.push_back(text.substr(start, i - start));
            start = i;
        }
    }
}

int NaturalCompare(const std::u16string& a, const std::u16string& b) {
    StringList runsA, runsB;
    SplitDigitRuns(a, runsA);
    SplitDigitRuns(b, runsB);
    const size_t n = std::min(runsA.size(), runsB.size());
    for (size_t i = 0; i < n; ++i) {
        const bool numA = IsDigit(runsA[i][0]), numB = IsDigit(runsB[i][0]);
        int result;
        if (numA && numB) result = CompareDigitRuns(runsA[i], runsB[i]);
        else if (numA != numB) result = numA ? -1 : 1;
        else result = CompareTextAscii(runsA[i], runsB[i]);
        if (result != 0) return result;
    }
    return 0;
}

bool DirectoryExists(const std::u16string& path) {
    const auto attributes = platform::GetFiles().Attributes(path);
    return attributes && (*attributes & platform::AttrDirectory);
}

bool FileExists(const std::u16string& path) {
    const auto attributes = platform::GetFiles().Attributes(path);
    return attributes && !(*attributes & platform::AttrDirectory);
}

std::u16string UpperCaseText(std::u16string text) {
    for (char16_t& c : text) c = platform::UpperCaseChar(c);
    return text;
}

int SysIconIndex(const std::u16string& path, platform::IconStyle style, int unknown) {
    return platform::GetShellIcons().SysIconIndex(path, style).value_or(unknown);
}

int SysOpenIconIndex(const std::u16string& path, platform::IconStyle style) {
    return SysIconIndex(path, style.Opened());
}

std::u16string WindowsDirectory() { return platform::GetSystem().WindowsDirectory(); }
std::u16string ComputerName() { return platform::GetSystem().ComputerName(); }
std::u16string CurrentUserName() { return platform::GetSystem().UserName(); }

std::u16string FileVersionText(const std::u16string& fileName) {
    const auto version = platform::GetSystem().FileVersion(fileName);
    if (!version) return {};
    std::string text;
    for (size_t i = 0; i < version->size(); ++i) {
        if (i) text += '.';
        text += std::to_string((*version)[i]);
    }
    return std::u16string(text.begin(), text.end());
}

bool HasSubDirectories(const std::u16string& path) {
    platform::DirectoryEntry entry;
    auto search = platform::GetFiles().FindFirst(EnsureTrailingBackslash(path) + u"*.*", entry);
    if (!search) return false;
    do {
        if ((entry.Attributes & platform::AttrDirectory) && !entry.Name.empty() && entry.Name[0] != u'.') return true;
    } while (search->Next(entry));
    return false;  // the search closes with its object
}

}  // namespace util
