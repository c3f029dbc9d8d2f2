#pragma once
// A picture control and the interval timer.
#include <memory>

#include "ui/Bitmap.h"
#include "ui/Control.h"
#include "ui/GraphicControl.h"

namespace ui {

class TImage : public TGraphicControl {
public:
    explicit TImage(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TImage"; }
    TBitmap& Picture() { return FPicture; }
    bool Center() const { return FCenter; }
    void SetCenter(bool c);
    // Draws the picture with its colour key, over what the parent painted.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool t);
    // Where the picture's top-left corner goes in the client area.
    TPoint PictureOrigin() const;

protected:
    void Paint() override;

private:
    TBitmap FPicture;
    bool FCenter = false;
    bool FTransparent = false;
};

class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    std::u16string ClassName() const override { return u"TTimer"; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool e);
    unsigned Interval() const { return FInterval; }
    void SetInterval(unsigned ms);
    TNotifyEvent OnTimer;
    // The interval elapsed (called by the backend).
    void HandleTimer();

protected:
    void Loaded() override;

private:
    void UpdateTimer();
    bool FEnabled = true;
    unsigned FInterval = 1000;
    std::unique_ptr<TimerPeer> FPeer;
};

}  // namespace ui
