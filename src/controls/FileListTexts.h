#pragma once
// The texts of the directory file list: sizes with at most four characters before the unit, the
// mask rule that picks files by extension, and the date of the last change.
#include <cstdint>
#include <string>

namespace controls {

// "0 Byte", "999 Byte", "0.97 KB" (1000), "1 KB" (1024), "12.0 KB" (12345), "5 GB"; digits past
// the four are cut, not rounded; beyond terabytes the value is followed by " ..".
std::u16string FormatFileSize(std::uint64_t size);

// Whether a file name passes the mask: "*.*" passes every file; any other mask passes a file
// that has an extension when "*" and that extension (with its dot, upper-cased) occur anywhere
// in the upper-cased mask, so "*.exe;*.lnk" passes ".exe" and ".lnk" (and ".ex" and ".ln").
bool MaskPasses(const std::u16string& mask, const std::u16string& fileName);

// A file time (UTC, 100-nanosecond units since 1601) as the list shows it: local
// "dd.mm.yy hh:nn".
std::u16string ListDateText(std::int64_t fileTime);

}  // namespace controls
