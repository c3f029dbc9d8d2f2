#pragma once
// Small stateless string routines shared by the whole program. Positions are 1-based.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace util {

using StringList = std::vector<std::u16string>;

std::u16string EnsureTrailingBackslash(const std::u16string& path);
std::u16string TrimTrailingBackslash(const std::u16string& path);
// The folder part of a path, up to and including its last backslash; empty when it has none.
std::u16string FolderPart(const std::u16string& path);
// The name after a path's last backslash; the whole path when it has none.
std::u16string NamePart(const std::u16string& path);
void SplitToList(const std::u16string& text, const std::u16string& separator, StringList& list);
int PosFrom(int start, const std::u16string& text, const std::u16string& sub);
std::u16string CleanIntText(const std::u16string& text);
std::u16string TextBeforeBar(const std::u16string& text);
std::u16string TextAfterBar(const std::u16string& text);
std::u16string FloatToTextWithSep(char16_t decimalSeparator, double value);
int ChooseInt(bool condition, int a, int b);
std::u16string ChooseStr(bool condition, const std::u16string& a, const std::u16string& b);

// Case folding of the ASCII letters a-z only; every other character compares by its code.
char16_t UpperAscii(char16_t c);
bool SameTextAscii(const std::u16string& a, const std::u16string& b);

// Leading and trailing blanks and control characters (code 32 and below) removed.
std::u16string TrimBlanks(const std::u16string& text);

// Waits until more than the given milliseconds have passed on the tick counter, processing window
// messages meanwhile through the installed message pump (the UI layer installs one).
void DelayWithMessages(std::uint32_t milliseconds);
// Installs the routine that processes pending window messages; returns the previous one.
std::function<void()> SetMessagePump(std::function<void()> pump);

}  // namespace util
