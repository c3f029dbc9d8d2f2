#include "framework/FormManager.h"

#include <algorithm>

namespace framework {

using namespace ui;

namespace {
struct ProcessState {
    std::u16string RegistryKey;
    TFormManager* Head = nullptr;
};
ProcessState& Process() {
    static ProcessState state;
    return state;
}

// Calls every manager's OnChange. A handler may destroy managers (a form closing on a language
// change): the walk goes over a copy and skips those no longer in the chain.
void Broadcast(int ChangeID) {
    std::vector<TFormManager*> managers;
    for (TFormManager* m = Process().Head; m; m = m->Next) managers.push_back(m);
    for (TFormManager* m : managers) {
        bool live = false;
        for (TFormManager* c = Process().Head; c && !live; c = c->Next) live = c == m;
        if (live && m->OnChange) m->OnChange(m, ChangeID);
    }
}
}  // namespace

void SetProcessRegistryKey(const std::u16string& key) { Process().RegistryKey = key; }
const std::u16string& ProcessRegistryKey() { return Process().RegistryKey; }
TFormManager* FirstFormManager() { return Process().Head; }

TFormManager::TFormManager(TComponent* AOwner) : TComponent(AOwner), FOwner(dynamic_cast<TWinControl*>(AOwner)) {
    OnChange = [this](TObject* Sender, int ChangeID) { FormManagerChange(Sender, ChangeID); };
    TFormManager** link = &Process().Head;
    while (*link) link = &(*link)->Next;
    *link = this;
}

TFormManager::~TFormManager() {
    for (TFormManager** link = &Process().Head; *link; link = &(*link)->Next) {
        if (*link == this) {
            *link = Next;
            break;
        }
    }
}

std::u16string TFormManager::RegistryKey() const { return Process().RegistryKey; }

void TFormManager::SetRegistryKey(const std::u16string& key) {
    if (key == Process().RegistryKey) return;
    Process().RegistryKey = key;
    Broadcast(ciRegistryKey);
}

void TFormManager::SetLanguage(TLanguage language) {
    LanguageManager().SetLanguage(language);
    Broadcast(ciLanguage);
}

void TFormManager::SetUser(const TUser& user) {
    UserManager().SetUser(user);
    Broadcast(ciUser);
}

void TFormManager::FormManagerChange(TObject*, int ChangeID) {
    if (Designing()) return;
    if (ChangeID == ciLanguage) {
        if (FAutoRes) SetStringResources();
        if (OnLanguageChange) OnLanguageChange(this);
    } else if (ChangeID == ciUser) {
        if (FAutoLevel) SetCtrlLevels();
        if (OnUserChange) OnUserChange(this);
    }
}

}  // namespace framework
