// The form manager's control table: texts from the language library and levels for the user.
#include "framework/FormManager.h"
#include "framework/ResourceManager.h"
#include "framework/TextTargets.h"
#include "ui/Exceptions.h"
#include "ui/Menus.h"
#include "util/Utils.h"

namespace framework {

using namespace ui;

TFormItem* TFormManager::Item(int index) const { return dynamic_cast<TFormItem*>(FStrings.Objects(index)); }

const TFormItem* TFormManager::Find(const std::u16string& name) const {
    const int index = FStrings.IndexOf(name);
    return index < 0 ? nullptr : Item(index);
}

void TFormManager::SetStrings(const TStrings& lines) {
    if (Designing()) FStrings.CopyLines(lines);
}

void TFormManager::Loaded() {
    TComponent::Loaded();
    if (Designing() || FLoaded) return;
    FLoaded = true;
    int index = 0;
    while (index < FStrings.Count()) {
        const std::u16string line = FStrings.Strings(index);
        util::StringList fields;
        if (line.find(u'\t') != std::u16string::npos) util::SplitToList(line, u"\t", fields);
        if (fields.size() != 3) {
            FStrings.Delete(index);
            continue;
        }
        auto item = std::make_unique<TFormItem>();
        // A number beyond 32 bits raises the conversion error and fails the form's loading.
        item->ResID = StrToInt(util::CleanIntText(fields[1]));
        item->LevelID = UserLevelFromName(fields[2]);
        FStrings.SetString(index, fields[0]);
        FStrings.SetObject(index, item.release());
        ++index;
    }
    if (FAutoRes) SetStringResources();
    if (FAutoLevel) SetCtrlLevels();
}

void TFormManager::AddCtrl(const std::u16string& AName, int AResID, TUserLevel AUserLevel) {
    if (Designing()) return;
    auto item = std::make_unique<TFormItem>();
    item->ResID = AResID;
    item->LevelID = AUserLevel;
    FStrings.Add(AName, item.release());
    if (FAutoRes) SetStringResources();
    if (FAutoLevel) SetCtrlLevels();
}

void TFormManager::DelCtrl(const std::u16string& AName) {
    if (Designing()) return;
    const int index = FStrings.IndexOf(AName);
    if (index < 0) return;
    delete FStrings.Objects(index);
    FStrings.Delete(index);
}

int TFormManager::GetCtrlResID(const std::u16string& AName) const {
    if (Designing()) return 0;
    const TFormItem* item = Find(AName);
    return item ? item->ResID : -1;
}

TUserLevel TFormManager::GetCtrlUserLevel(const std::u16string& AName) const {
    if (Designing()) return ulAdmin;
    const TFormItem* item = Find(AName);
    return item ? UserLevelFromOrdinal(item->LevelID) : ulAdmin;
}

bool TFormManager::IsCtrlEnabled(const std::u16string& AName) const {
    if (Designing()) return false;
    const TFormItem* item = Find(AName);
    return item && item->LevelID >= static_cast<int>(UserManager().UserLevel());
}

void TFormManager::SetStringResources() {
    if (Designing() || !FOwner) return;
    if (auto* form = dynamic_cast<TForm*>(FOwner)) {
        const TFormItem* own = Find(form->Name());
        if (own && own->ResID > 0) {
            const std::u16string caption = GetResourceStrDef(own->ResID, u"");
            if (!caption.empty()) form->SetCaption(caption);
        }
    }
    for (int i = 0; i < FOwner->ComponentCount(); ++i) {
        TComponent* component = FOwner->Components(i);
        const TFormItem* item = Find(component->Name());
        if (!item || item->ResID <= 0) continue;
        const std::u16string text = GetResourceStrDef(item->ResID, u"");
        if (text.empty()) continue;
        if (TakesCaption(component)) {
            static_cast<TControl*>(component)->SetCaption(text);
        } else if (TakesCaptionAndHint(component)) {
            std::u16string caption, hint;
            SplitCaptionAndHint(text, caption, hint);
            auto* control = static_cast<TControl*>(component);
            control->SetCaption(caption);
            control->SetHint(hint);
        } else if (auto* menuItem = dynamic_cast<TMenuItem*>(component)) {
            menuItem->SetCaption(text);
        }
        SetColumnCaptions(component, item->ResID);
    }
}

void TFormManager::SetCtrlLevels() {
    if (Designing() || !FOwner) return;
    const int level = UserManager().UserLevel();
    for (int i = 0; i < FOwner->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(FOwner->Components(i));
        if (!control) continue;
        const TFormItem* item = Find(control->Name());
        if (!item) continue;
        const bool enabled = item->LevelID >= level;
        if (OnLevelChange) OnLevelChange(this, control, enabled);
        else control->SetEnabled(enabled);
    }
}

void TFormManager::Assign(const TPersistent* Source) {
    if (auto* other = dynamic_cast<const TFormManager*>(Source)) Source = &other->FStrings;
    if (!FStrings.TakeLines(Source)) TComponent::Assign(Source);
}

void TFormManager::AssignTo(TPersistent* Dest) const {
    if (!FStrings.GiveLines(Dest)) TComponent::AssignTo(Dest);
}

void TFormManager::ReadData(const std::vector<std::uint8_t>& in, std::size_t& pos) { FStrings.ReadData(in, pos); }

void TFormManager::WriteData(std::vector<std::uint8_t>& out) const { FStrings.WriteData(out); }

bool TFormManager::DataStored(const TFormManager* ancestor) const {
    return FStrings.Stored(ancestor ? &ancestor->FStrings : nullptr);
}

}  // namespace framework
