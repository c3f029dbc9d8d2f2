#pragma once
// A list of same-sized images: either its own bitmaps, or the platform's list (the system's
// small icons) bound by handle and never owned.
#include <cstdint>
#include <memory>
#include <vector>

#include "ui/Bitmap.h"
#include "ui/Canvas.h"
#include "ui/Component.h"
#include "ui/Peers.h"

namespace ui {

class TImageList : public TComponent {
public:
    explicit TImageList(TComponent* AOwner);
    std::u16string ClassName() const override { return u"TImageList"; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetSize(int width, int height);

    // Binds the platform list; ShareImages stays true, so the list is never freed here.
    void BindHandle(std::intptr_t handle, int count);
    // The platform's list: the bound one, or one made from the own images on first need (with a
    // mask from each image's transparent colour) and kept in step with them afterwards.
    std::intptr_t Handle() const;
    bool ShareImages() const { return FShareImages; }
    void SetShareImages(bool share) { FShareImages = share; }

    // Own images (a list not bound to the platform).
    int Add(const TBitmap& image);
    int Count() const;
    void Draw(TCanvas& canvas, int x, int y, int index) const;

private:
    int FWidth = 16;
    int FHeight = 16;
    std::intptr_t FHandle = 0;
    int FHandleCount = 0;
    bool FShareImages = false;
    std::vector<std::unique_ptr<TBitmap>> FImages;
    mutable std::unique_ptr<ImageListPeer> FPeer;
};

}  // namespace ui
