#pragma once
// An image list of the platform made from the program's own pictures: 32-bit colour with a mask
// built from each picture's transparent colour, destroyed with the peer.
#include "ui/win32/Win.h"

#include <commctrl.h>

#include "ui/Peers.h"

namespace ui::win32 {

class Win32ImageList final : public ImageListPeer {
public:
    Win32ImageList(int width, int height);
    ~Win32ImageList() override;
    Win32ImageList(const Win32ImageList&) = delete;
    Win32ImageList& operator=(const Win32ImageList&) = delete;

    int Add(const TBitmap& image, TColor maskColor) override;
    void Clear() override;
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(FList); }

private:
    HIMAGELIST FList = nullptr;
    int FWidth, FHeight;
};

}  // namespace ui::win32
