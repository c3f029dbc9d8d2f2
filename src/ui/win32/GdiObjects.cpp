#include "ui/win32/GdiObjects.h"

#include <atomic>
#include <map>
#include <tuple>

#include "platform/win32/WinText.h"
#include "ui/win32/WinHandles.h"

namespace ui::win32 {

using platform::win32::W;

HFONT FontFor(const TFont& font) {
    using Key = std::tuple<std::u16string, int, TFontStyles>;
    static std::map<Key, UniqueFont> fonts;
    Key key{font.Name(), font.Height(), font.Style()};
    auto found = fonts.find(key);
    if (found != fonts.end()) return found->second.get();
    LOGFONTW lf{};
    lf.lfHeight = font.Height();
    lf.lfWeight = (font.Style() & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style() & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (font.Style() & fsUnderline) ? TRUE : FALSE;
    lf.lfStrikeOut = (font.Style() & fsStrikeOut) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    // Longer face names than LOGFONT holds cannot name a font; the platform then picks one.
    const std::u16string& name = font.Name();
    if (name.size() < LF_FACESIZE) wcsncpy(lf.lfFaceName, W(name), LF_FACESIZE - 1);
    HFONT made = HeldGdi(CreateFontIndirectW(&lf));
    if (!made) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return fonts.emplace(std::move(key), UniqueFont(made)).first->second.get();
}

namespace {
std::atomic<long> heldGdi{0};
std::atomic<long> heldUser{0};
}  // namespace

HeldObjects HeldObjectCounts() { return {heldGdi.load(), heldUser.load()}; }
void CountGdiObject(int delta) { heldGdi += delta; }
void CountUserObject(int delta) { heldUser += delta; }

}  // namespace ui::win32
