#include "framework/SizeManager.h"

#include "ui/Form.h"

#include "ui/Exceptions.h"
#include "util/Utils.h"

namespace framework {

using namespace ui;

TSizeManager::TSizeManager(TComponent* AOwner) : TComponent(AOwner), FForm(AOwner) {}

TSizeManager::~TSizeManager() = default;

TSizeItem* TSizeManager::Item(int index) const { return dynamic_cast<TSizeItem*>(FStrings.Objects(index)); }

void TSizeManager::SetStrings(const TStrings& lines) {
    if (ComponentState() & csDesigning) FStrings.CopyLines(lines);
}

void TSizeManager::Loaded() {
    TComponent::Loaded();
    if ((ComponentState() & csDesigning) || FLoaded) return;
    FLoaded = true;
    int index = 0;
    while (index < FStrings.Count()) {
        const std::u16string line = FStrings.Strings(index);
        if (line.find(u'\t') == std::u16string::npos) {
            FStrings.Delete(index);
            continue;
        }
        util::StringList fields;
        util::SplitToList(line, u"\t", fields);
        if (fields.size() != 5 && fields.size() != 9) {
            FStrings.Delete(index);
            continue;
        }
        auto item = std::make_unique<TSizeItem>();
        item->ScaleH = fields[1] != u"0";
        item->ScaleV = fields[2] != u"0";
        item->MoveH = fields[3] != u"0";
        item->MoveV = fields[4] != u"0";
        TComponent* component = FForm ? FForm->FindComponent(fields[0]) : nullptr;
        // A five-field line that names a control keeps zero margins, like any line without them.
        if (dynamic_cast<TControl*>(component) && fields.size() == 9) {
            item->Rect.Left = StrToInt(fields[5]);
            item->Rect.Right = StrToInt(fields[6]);
            item->Rect.Top = StrToInt(fields[7]);
            item->Rect.Bottom = StrToInt(fields[8]);
        }
        // Margins are written at the design's 96 pixels per inch; the form may show it at more.
        if (const auto* form = dynamic_cast<const TForm*>(FForm))
            item->Rect = ScaleRect(item->Rect, form->CurrentDpi(), form->PixelsPerInch());
        FStrings.SetString(index, fields[0]);
        FStrings.SetObject(index, item.release());
        ++index;
    }
}

void TSizeManager::ResizeForm() {
    for (int i = 0; i < FStrings.Count(); ++i) {
        const TSizeItem* item = Item(i);
        if (!item || !(item->ScaleH || item->ScaleV || item->MoveH || item->MoveV)) continue;
        // Looked up anew each time: controls may come and go while the form lives.
        auto* control = dynamic_cast<TControl*>(FForm ? FForm->FindComponent(FStrings.Strings(i)) : nullptr);
        if (!control || !control->Parent()) continue;
        // In 64 bits: margins come from a table anyone can edit, and may be at the ends of the range.
        const long long CW = control->Parent()->ClientWidth();
        const long long CH = control->Parent()->ClientHeight();
        const TRect& m = item->Rect;
        int W = item->ScaleH ? SaturatedInt(CW - m.Left - m.Right) : control->Width();
        int H = item->ScaleV ? SaturatedInt(CH - m.Top - m.Bottom) : control->Height();
        int L = item->MoveH ? SaturatedInt(CW - W - m.Right) : control->Left();
        int T = item->MoveV ? SaturatedInt(CH - H - m.Bottom) : control->Top();
        if (OnSize) OnSize(this, control, L, T, W, H);
        if (item->ScaleH) control->SetWidth(W);
        if (item->ScaleV) control->SetHeight(H);
        if (item->MoveH) control->SetLeft(L);
        if (item->MoveV) control->SetTop(T);
    }
}

void TSizeManager::ScaleDesign(int M, int D) {
    // Before loading the table holds raw lines; Loaded scales by the form's DPI then.
    for (int i = 0; i < FStrings.Count(); ++i)
        if (TSizeItem* item = Item(i)) item->Rect = ScaleRect(item->Rect, M, D);
}

void TSizeManager::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TSizeManager*>(Source)) Source = &other->FStrings;
    if (!FStrings.TakeLines(Source)) TComponent::Assign(Source);
}

void TSizeManager::AssignTo(TPersistent* Dest) const {
    if (!FStrings.GiveLines(Dest)) TComponent::AssignTo(Dest);
}

void TSizeManager::ReadData(const std::vector<std::uint8_t>& in, std::size_t& pos) { FStrings.ReadData(in, pos); }

void TSizeManager::WriteData(std::vector<std::uint8_t>& out) const { FStrings.WriteData(out); }

bool TSizeManager::DataStored(const TSizeManager* ancestor) const {
    return FStrings.Stored(ancestor ? &ancestor->FStrings : nullptr);
}

}  // namespace framework
