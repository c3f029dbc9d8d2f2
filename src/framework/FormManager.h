#pragma once
// The form manager: one on every form. It keeps the form's window placement, named options and
// the stored language in the application's registry branch, and a control table that gives the
// listed components their texts in the current language and their enabled state for the
// current user. All managers of the process form a chain that carries change broadcasts.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "framework/ItemTable.h"
#include "framework/LanguageManager.h"
#include "framework/UserManager.h"
#include "platform/Registry.h"
#include "ui/Component.h"
#include "ui/Control.h"
#include "ui/Form.h"
#include "ui/Strings.h"

namespace framework {

using TFormNotifyEvent = std::function<void(ui::TObject* Sender, int ChangeID)>;
using TFormLevelEvent = std::function<void(ui::TObject* Sender, ui::TControl* Control, bool Enabled)>;

// What a change broadcast reports.
constexpr int ciRegistryKey = 0;
constexpr int ciLanguage = 1;
constexpr int ciUser = 2;

// Long double: the options' floating-point type; stored rounded to a double.
using Extended = long double;

// One control-table entry's numbers.
class TFormItem : public ui::TObject {
public:
    std::u16string ClassName() const override { return u"TFormItem"; }
    int ResID = 0;
    int LevelID = 0;
};

class TFormManager : public ui::TComponent {
public:
    explicit TFormManager(ui::TComponent* AOwner);
    ~TFormManager() override;
    std::u16string ClassName() const override { return u"TFormManager"; }

    TFormManager* Next = nullptr;

    // ---- process-wide properties ----
    std::u16string RegistryKey() const;
    // A different branch is stored and broadcast; the same one does nothing.
    void SetRegistryKey(const std::u16string& key);
    TLanguage Language() const { return LanguageManager().Language(); }
    // Sets the language and broadcasts, even when it does not change.
    void SetLanguage(TLanguage language);
    TUser User() const { return UserManager().User(); }
    // Sets the user and broadcasts, even when it does not change.
    void SetUser(const TUser& user);

    bool AutoRes() const { return FAutoRes; }
    void SetAutoRes(bool v) { FAutoRes = v; }
    bool AutoLevel() const { return FAutoLevel; }
    void SetAutoLevel(bool v) { FAutoLevel = v; }
    ui::TWinControl* Owner() const { return FOwner; }

    TFormNotifyEvent OnChange;
    TFormLevelEvent OnLevelChange;
    ui::TNotifyEvent OnLanguageChange;
    ui::TNotifyEvent OnUserChange;

    // ---- placement ----
    void ReadPlacement(ui::TForm& Form);
    void WritePlacement(ui::TForm& Form);
    void ReadPlacementEx(const std::u16string& Key, ui::TForm& Form);
    void WritePlacementEx(const std::u16string& Key, ui::TForm& Form);

    // ---- options under the branch's "Options" key ----
    bool ReadOption(const std::u16string& Valuename, bool Default);
    int ReadOption(const std::u16string& Valuename, int Default);
    Extended ReadOption(const std::u16string& Valuename, Extended Default);
    std::u16string ReadOption(const std::u16string& Valuename, const std::u16string& Default);
    void WriteOption(const std::u16string& Valuename, bool Value);
    void WriteOption(const std::u16string& Valuename, int Value);
    void WriteOption(const std::u16string& Valuename, Extended Value);
    void WriteOption(const std::u16string& Valuename, const std::u16string& Value);
    bool ReadOptionEx(platform::RootKey Key, const std::u16string& Valuename, bool Default);
    int ReadOptionEx(platform::RootKey Key, const std::u16string& Valuename, int Default);
    Extended ReadOptionEx(platform::RootKey Key, const std::u16string& Valuename, Extended Default);
    std::u16string ReadOptionEx(platform::RootKey Key, const std::u16string& Valuename, const std::u16string& Default);
    void WriteOptionEx(platform::RootKey Key, const std::u16string& Valuename, bool Value);
    void WriteOptionEx(platform::RootKey Key, const std::u16string& Valuename, int Value);
    void WriteOptionEx(platform::RootKey Key, const std::u16string& Valuename, Extended Value);
    void WriteOptionEx(platform::RootKey Key, const std::u16string& Valuename, const std::u16string& Value);
    // Literals pick the intended overload (a text literal would otherwise read as a Boolean, a
    // double literal be ambiguous).
    std::u16string ReadOption(const std::u16string& n, const char16_t* d) { return ReadOption(n, std::u16string(d)); }
    Extended ReadOption(const std::u16string& n, double d) { return ReadOption(n, Extended(d)); }
    void WriteOption(const std::u16string& n, const char16_t* v) { WriteOption(n, std::u16string(v)); }
    void WriteOption(const std::u16string& n, double v) { WriteOption(n, Extended(v)); }
    std::u16string ReadOptionEx(platform::RootKey k, const std::u16string& n, const char16_t* d) {
        return ReadOptionEx(k, n, std::u16string(d));
    }
    Extended ReadOptionEx(platform::RootKey k, const std::u16string& n, double d) { return ReadOptionEx(k, n, Extended(d)); }
    void WriteOptionEx(platform::RootKey k, const std::u16string& n, const char16_t* v) {
        WriteOptionEx(k, n, std::u16string(v));
    }
    void WriteOptionEx(platform::RootKey k, const std::u16string& n, double v) { WriteOptionEx(k, n, Extended(v)); }

    // ---- stored language ----
    TLanguage ReadLanguage();
    void WriteLanguage(TLanguage ALanguage);

    // ---- control table ----
    // Before loading one raw line per entry; after it one name per entry with its item attached.
    const ui::TStrings& Strings() const { return FStrings; }
    void SetStrings(const ui::TStrings& lines);
    TFormItem* Item(int index) const;
    void AddCtrl(const std::u16string& AName, int AResID, TUserLevel AUserLevel);
    void DelCtrl(const std::u16string& AName);
    int GetCtrlResID(const std::u16string& AName) const;
    TUserLevel GetCtrlUserLevel(const std::u16string& AName) const;
    bool IsCtrlEnabled(const std::u16string& AName) const;
    void SetStringResources();
    void SetCtrlLevels();

    void Assign(const ui::TPersistent* Source) override;
    // The "Data" value of the form definition.
    void ReadData(const std::vector<std::uint8_t>& in, std::size_t& pos);
    void WriteData(std::vector<std::uint8_t>& out) const;
    bool DataStored(const TFormManager* ancestor) const;

protected:
    void Loaded() override;
    void AssignTo(ui::TPersistent* Dest) const override;

private:
    void FormManagerChange(ui::TObject* Sender, int ChangeID);
    void ReadPlacementFrom(const std::u16string& path, const std::u16string& guardKey, ui::TForm& Form);
    void WritePlacementTo(const std::u16string& path, const std::u16string& guardKey, ui::TForm& Form);
    const TFormItem* Find(const std::u16string& name) const;
    bool Designing() const { return (ComponentState() & ui::csDesigning) != 0; }

    bool FAutoRes = true;
    bool FAutoLevel = true;
    TItemTable FStrings;
    bool FLoaded = false;
    ui::TWinControl* FOwner;
    // The branch each placement (by subkey, "" for the form's own) was last read from: a
    // placement is written only back to a branch it was read from, so that the moves and sizes
    // a window reports while it is being made do not overwrite what the user left there.
    std::map<std::u16string, std::u16string> FPlacementRead;
};

// The process-wide branch, set without a broadcast (the program start does this).
void SetProcessRegistryKey(const std::u16string& key);
const std::u16string& ProcessRegistryKey();
// The first manager of the chain, or nullptr.
TFormManager* FirstFormManager();

}  // namespace framework
