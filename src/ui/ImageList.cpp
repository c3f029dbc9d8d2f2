#include "ui/ImageList.h"

#include "ui/Backend.h"

namespace ui {

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}

void TImageList::SetSize(int width, int height) {
    if (width == FWidth && height == FHeight) return;
    FWidth = width;
    FHeight = height;
    FPeer.reset();  // made anew at the new size on next need
}

void TImageList::BindHandle(std::intptr_t handle, int count) {
    FHandle = handle;
    FHandleCount = count;
    FShareImages = true;
    FImages.clear();
    FPeer.reset();
}

int TImageList::Add(const TBitmap& image) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(&image);
    FImages.push_back(std::move(copy));
    if (FPeer) FPeer->Add(*FImages.back(), FImages.back()->TransparentColor());
    return static_cast<int>(FImages.size()) - 1;
}

std::intptr_t TImageList::Handle() const {
    if (FHandle) return FHandle;
    if (!FPeer) {
        FPeer = GetBackend().CreateImageList(FWidth, FHeight);
        if (!FPeer) return 0;
        for (const auto& image : FImages) FPeer->Add(*image, image->TransparentColor());
    }
    return FPeer->Handle();
}

int TImageList::Count() const { return FHandle ? FHandleCount : static_cast<int>(FImages.size()); }

void TImageList::Draw(TCanvas& canvas, int x, int y, int index) const {
    if (index < 0 || !canvas.Surface()) return;
    if (FHandle) {
        GetBackend().DrawListImage(*canvas.Surface(), FHandle, index, x, y);
        return;
    }
    if (index >= static_cast<int>(FImages.size())) return;
    const TBitmap& image = *FImages[index];
    canvas.DrawPart(x, y, image, Rect(0, 0, image.Width(), image.Height()), image.TransparentColor());
}

}  // namespace ui
