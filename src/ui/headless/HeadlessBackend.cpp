#include "ui/headless/HeadlessBackend.h"

#include <algorithm>

#include "ui/ExtCtrls.h"
#include "ui/Form.h"
#include "ui/GuardedCall.h"
#include "ui/Menus.h"
#include "ui/StdCtrls.h"

namespace ui {

UiBackend& DefaultBackend() { return headless::Headless(); }

namespace headless {

HeadlessBackend& Headless() {
    static HeadlessBackend backend;
    return backend;
}

// ---- widgets --------------------------------------------------------------------------------

std::unique_ptr<FormPeer> HeadlessBackend::CreateForm(TForm& form) { return std::make_unique<HeadlessForm>(form); }
std::unique_ptr<CustomPeer> HeadlessBackend::CreateCustomControl(TWinControl& control) {
    return std::make_unique<HeadlessCustom>(control);
}
std::unique_ptr<ButtonPeer> HeadlessBackend::CreateButton(TButton& button) {
    return std::make_unique<HeadlessButton>(button);
}
std::unique_ptr<EditPeer> HeadlessBackend::CreateEdit(TEdit& edit) { return std::make_unique<HeadlessEdit>(edit); }
std::unique_ptr<ComboBoxPeer> HeadlessBackend::CreateComboBox(TComboBox& box) {
    return std::make_unique<HeadlessComboBox>(box);
}
std::unique_ptr<ComboBoxExPeer> HeadlessBackend::CreateComboBoxEx(TComboBoxEx& box) {
    return std::make_unique<HeadlessComboBoxEx>(box);
}
std::unique_ptr<CheckBoxPeer> HeadlessBackend::CreateCheckBox(TCheckBox& box) {
    return std::make_unique<HeadlessCheckBox>(box);
}

std::unique_ptr<TreeViewPeer> HeadlessBackend::CreateTreeView(TTreeView& tree) {
    return std::make_unique<HeadlessTreeView>(tree);
}
std::unique_ptr<ListViewPeer> HeadlessBackend::CreateListView(TListView& list) {
    return std::make_unique<HeadlessListView>(list);
}

void HeadlessBackend::Unregister(HeadlessPeer* peer) {
    Peers.erase(std::remove(Peers.begin(), Peers.end(), peer), Peers.end());
    if (FocusedPeer == peer) FocusedPeer = nullptr;
    if (CapturedPeer == peer) CapturedPeer = nullptr;
}

TWinControl* HeadlessBackend::ControlAt(TPoint screen) {
    TWinControl* best = nullptr;
    int bestDepth = -1;
    for (HeadlessPeer* peer : Peers) {
        TWinControl& control = peer->Control;
        if (!control.Showing() && !(dynamic_cast<TForm*>(&control) && control.Visible())) continue;
        const TPoint origin = peer->ClientOrigin();
        const TSize client = peer->ClientSizeFor(peer->Bounds.Width(), peer->Bounds.Height());
        if (!Bounds(origin.X, origin.Y, client.cx, client.cy).Contains(screen.X, screen.Y)) continue;
        int depth = 0;
        for (TWinControl* p = control.Parent(); p; p = p->Parent()) ++depth;
        if (depth > bestDepth) {
            best = &control;
            bestDepth = depth;
        }
    }
    return best;
}

// ---- image lists ----------------------------------------------------------------------------

namespace {
// Our own lists are known by their handle, so that drawing from one draws its real pixels.
class HeadlessImageList final : public ImageListPeer {
public:
    HeadlessImageList(int width, int height) : FWidth(width), FHeight(height) { Lists().push_back(this); }
    ~HeadlessImageList() override {
        auto& lists = Lists();
        lists.erase(std::remove(lists.begin(), lists.end(), this), lists.end());
    }
    int Add(const TBitmap& image, TColor maskColor) override {
        auto copy = std::make_unique<TBitmap>(FWidth, FHeight, maskColor);
        copy->Canvas().Draw(0, 0, image);
        FImages.push_back({std::move(copy), maskColor});
        return static_cast<int>(FImages.size()) - 1;
    }
    void Clear() override { FImages.clear(); }
    std::intptr_t Handle() const override { return reinterpret_cast<std::intptr_t>(this); }

    static std::vector<HeadlessImageList*>& Lists() {
        static std::vector<HeadlessImageList*> lists;
        return lists;
    }
    static HeadlessImageList* Find(std::intptr_t handle) {
        for (HeadlessImageList* list : Lists())
            if (list->Handle() == handle) return list;
        return nullptr;
    }
    void Draw(CanvasSurface& surface, int index, int x, int y) const {
        if (index < 0 || index >= static_cast<int>(FImages.size())) return;
        const Entry& entry = FImages[static_cast<std::size_t>(index)];
        const TBitmap& image = *entry.Image;
        for (int row = 0; row < image.Height(); ++row)
            for (int col = 0; col < image.Width(); ++col)
                if (image.Pixel(col, row) != entry.Mask) surface.SetPixel(x + col, y + row, image.Pixel(col, row));
    }

private:
    struct Entry {
        std::unique_ptr<TBitmap> Image;
        TColor Mask;
    };
    int FWidth, FHeight;
    std::vector<Entry> FImages;
};
}  // namespace

std::unique_ptr<ImageListPeer> HeadlessBackend::CreateImageList(int width, int height) {
    return std::make_unique<HeadlessImageList>(width, height);
}

void HeadlessBackend::DrawListImage(CanvasSurface& surface, std::intptr_t list, int index, int x, int y) {
    if (const HeadlessImageList* own = HeadlessImageList::Find(list)) {
        own->Draw(surface, index, x, y);
        return;
    }
    // The system list stands in as a square whose colour tells the index.
    surface.FillRect(Bounds(x, y, 16, 16), MakeColor(index * 37, index * 91, index * 53));
}

// ---- timers ---------------------------------------------------------------------------------

struct HeadlessBackend::Timer : TimerPeer {
    explicit Timer(TTimer& t) : Owner(t) { Headless().Timers.push_back(this); }
    ~Timer() override {
        auto& list = Headless().Timers;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
    void Set(bool enabled, unsigned interval) override {
        Running = enabled;
        Interval = interval;
    }
    TTimer& Owner;
    bool Running = false;
    unsigned Interval = 0;
};

std::unique_ptr<TimerPeer> HeadlessBackend::CreateTimer(TTimer& timer) { return std::make_unique<Timer>(timer); }

void HeadlessBackend::TickTimers() {
    auto timers = Timers;
    for (Timer* t : timers)
        if (std::find(Timers.begin(), Timers.end(), t) != Timers.end() && t->Running)
            GuardedCall([t] { t->Owner.HandleTimer(); });
}

bool HeadlessBackend::TimerRunning(const TTimer& timer) const {
    for (const Timer* t : Timers)
        if (&t->Owner == &timer) return t->Running;
    return false;
}

// ---- work from other threads and queued input -----------------------------------------------

HeadlessBackend::HeadlessBackend() = default;

HeadlessBackend::~HeadlessBackend() { FWork.Discard(nullptr); }

void HeadlessBackend::Post(const void* owner, std::function<void()> work) { FWork.Post(owner, std::move(work), {}); }

bool HeadlessBackend::Send(const void* owner, std::function<void()> work) {
    if (std::this_thread::get_id() == FGuiThread) {
        GuardedCall(work);
        return true;
    }
    return FWork.Send(owner, std::move(work), {});
}

void HeadlessBackend::DiscardPosted(const void* owner) { FWork.Discard(owner); }

void HeadlessBackend::ProcessMessages() {
    // Only what was waiting when the call began; work posted meanwhile waits for the next call.
    FWork.RunWaiting(FWork.Waiting());
}

void HeadlessBackend::RunUntil(const std::function<bool()>& done) {
    // Without a real user, a loop ends when the queued input runs out.
    while (!done() && FWork.RunWaiting(1)) {
    }
}

// ---- the rest -------------------------------------------------------------------------------

TColor HeadlessBackend::SystemColor(int index) {
    // The classic Windows palette: fixed, so that pixel checks are exact.
    switch (index) {
        case 4: return 0xF0F0F0;   // menu
        case 5: return 0xFFFFFF;   // window
        case 7: return 0x000000;   // menu text
        case 8: return 0x000000;   // window text
        case 13: return 0xD77800;  // highlight
        case 14: return 0xFFFFFF;  // highlight text
        case 15: return 0xF0F0F0;  // button face
        case 16: return 0xA0A0A0;  // button shadow
        case 17: return 0x6D6D6D;  // gray text
        case 18: return 0x000000;  // button text
        case 20: return 0xFFFFFF;  // button highlight
        case 21: return 0x696969;  // 3-D dark shadow
        case 22: return 0xE3E3E3;  // 3-D light
        case 29: return 0xFF9933;  // menu highlight
        default: return 0xC0C0C0;
    }
}

void HeadlessBackend::TrackPopup(TPopupMenu& menu, int x, int y) {
    Popups.push_back({&menu, {x, y}});
    if (OnPopup) OnPopup(menu);
}

TMsgAnswer HeadlessBackend::MessageBox(const std::u16string& text, const std::u16string& caption, TMsgIcon icon,
                                       TMsgButtons buttons) {
    MessageBoxes.push_back({text, caption, icon, buttons});
    return MessageBoxAnswer;
}

}  // namespace headless
}  // namespace ui
