#pragma once
// Value types shared by every component: colours, points, rectangles, mouse buttons, key states.
#include <cstdint>

namespace ui {

// 0x00BBGGRR; 0xFF0000nn names system colour nn and is resolved by the backend when drawn.
using TColor = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clNavy = 0x800000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor SystemColorBit = 0xFF000000;
constexpr TColor clScrollBar = 0xFF000000;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clWindowText = 0xFF000008;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clBtnFace = 0xFF00000F;
constexpr TColor clBtnShadow = 0xFF000010;
constexpr TColor clGrayText = 0xFF000011;
constexpr TColor clBtnText = 0xFF000012;
constexpr TColor clBtnHighlight = 0xFF000014;
constexpr TColor cl3DDkShadow = 0xFF000015;
constexpr TColor cl3DLight = 0xFF000016;
constexpr TColor clMenu = 0xFF000004;
constexpr TColor clMenuText = 0xFF000007;
constexpr TColor clMenuHighlight = 0xFF00001D;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == SystemColorBit; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFFu); }
constexpr int RedOf(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr TColor MakeColor(int r, int g, int b) {
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// An int from a wider result, held at the ends of the range rather than wrapped.
constexpr int SaturatedInt(long long value) {
    return value > 2147483647LL ? 2147483647 : value < -2147483648LL ? static_cast<int>(-2147483647 - 1)
                                                                       : static_cast<int>(value);
}

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    // Edges may come from stored or typed values far apart: the extent never wraps.
    int Width() const { return SaturatedInt(static_cast<long long>(Right) - Left); }
    int Height() const { return SaturatedInt(static_cast<long long>(Bottom) - Top); }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Rect(int left, int top, int right, int bottom) { return TRect{left, top, right, bottom}; }
inline TRect Bounds(int left, int top, int width, int height) {
    return TRect{left, top, SaturatedInt(static_cast<long long>(left) + width), SaturatedInt(static_cast<long long>(top) + height)};
}
inline TRect Intersect(const TRect& a, const TRect& b) {
    TRect r{a.Left > b.Left ? a.Left : b.Left, a.Top > b.Top ? a.Top : b.Top,
            a.Right < b.Right ? a.Right : b.Right, a.Bottom < b.Bottom ? a.Bottom : b.Bottom};
    if (r.Empty()) return TRect{};
    return r;
}

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Key and button state of a mouse or key event; bit values are fixed so that backends can map them.
using TShiftState = unsigned;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

// A length designed at D pixels per inch, shown at M: rounded to the nearest pixel, in 64 bits.
constexpr int ScaleLength(int value, int M, int D) {
    if (D == 0 || M == D) return value;
    const long long scaled = static_cast<long long>(value) * M;
    return SaturatedInt(scaled >= 0 ? (scaled + D / 2) / D : -((-scaled + D / 2) / D));
}

inline TRect ScaleRect(const TRect& r, int M, int D) {
    return TRect{ScaleLength(r.Left, M, D), ScaleLength(r.Top, M, D), ScaleLength(r.Right, M, D),
                 ScaleLength(r.Bottom, M, D)};
}

// Virtual key codes (values of the Windows API).
constexpr std::uint16_t vkBack = 0x08;
constexpr std::uint16_t vkTab = 0x09;
constexpr std::uint16_t vkReturn = 0x0D;
constexpr std::uint16_t vkEscape = 0x1B;
constexpr std::uint16_t vkSpace = 0x20;
constexpr std::uint16_t vkPrior = 0x21;
constexpr std::uint16_t vkNext = 0x22;
constexpr std::uint16_t vkEnd = 0x23;
constexpr std::uint16_t vkHome = 0x24;
constexpr std::uint16_t vkLeft = 0x25;
constexpr std::uint16_t vkUp = 0x26;
constexpr std::uint16_t vkRight = 0x27;
constexpr std::uint16_t vkDown = 0x28;
constexpr std::uint16_t vkDelete = 0x2E;
constexpr std::uint16_t vkApps = 0x5D;
constexpr std::uint16_t vkF2 = 0x71;
constexpr std::uint16_t vkF5 = 0x74;
constexpr std::uint16_t vkF10 = 0x79;

// Text drawing flags, combined with "|"; left and top are the defaults. The drawing backends give
// each its platform's meaning.
constexpr unsigned dtLeft = 0;
constexpr unsigned dtTop = 0;
constexpr unsigned dtCenter = 1u << 0;
constexpr unsigned dtRight = 1u << 1;
constexpr unsigned dtVCenter = 1u << 2;
constexpr unsigned dtBottom = 1u << 3;
constexpr unsigned dtWordBreak = 1u << 4;
constexpr unsigned dtSingleLine = 1u << 5;
constexpr unsigned dtExpandTabs = 1u << 6;
constexpr unsigned dtNoClip = 1u << 7;
constexpr unsigned dtCalcRect = 1u << 8;
constexpr unsigned dtNoPrefix = 1u << 9;
constexpr unsigned dtEndEllipsis = 1u << 10;
// The "&" of an accelerator is taken out but its letter is not underlined (keyboard cues hidden).
constexpr unsigned dtHidePrefix = 1u << 11;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Modal results.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;
constexpr int mrAbort = 3;
constexpr int mrRetry = 4;
constexpr int mrIgnore = 5;
constexpr int mrYes = 6;
constexpr int mrNo = 7;
constexpr int mrClose = 8;

}  // namespace ui
