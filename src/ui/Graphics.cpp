#include "ui/Graphics.h"

namespace ui {

void TFont::SetName(const std::u16string& name) {
    if (name == FName) return;
    FName = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == FHeight) return;
    FHeight = height;
    Changed();
}

int TFont::Size() const {
    const int magnitude = (PixelHeight() * 72 + FPixelsPerInch / 2) / FPixelsPerInch;
    return FHeight < 0 ? magnitude : -magnitude;
}

void TFont::SetSize(int points) {
    const int magnitude = ((points < 0 ? -points : points) * FPixelsPerInch + 36) / 72;
    SetHeight(points < 0 ? magnitude : -magnitude);
}

void TFont::SetColor(TColor color) {
    if (color == FColor) return;
    FColor = color;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == FStyle) return;
    FStyle = style;
    Changed();
}

void TFont::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TFont*>(Source)) {
        FPixelsPerInch = other->FPixelsPerInch;  // changes no pixel: nothing to tell
        if (*this == *other) return;
        FName = other->FName;
        FHeight = other->FHeight;
        FColor = other->FColor;
        FStyle = other->FStyle;
        Changed();
        return;
    }
    TPersistent::Assign(Source);
}

void TFont::Changed() {
    if (OnChange) OnChange();
}

}  // namespace ui
