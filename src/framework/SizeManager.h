#pragma once
// Lays the controls of a form out when it is resized: per control, whether it stretches with the
// parent's client area and whether it keeps its right or bottom margin, from a table that
// travels with the form.
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/ItemTable.h"
#include "ui/Control.h"
#include "ui/Strings.h"

namespace framework {

class TSizeItem : public ui::TObject {
public:
    std::u16string ClassName() const override { return u"TSizeItem"; }
    bool ScaleH = false;
    bool ScaleV = false;
    bool MoveH = false;
    bool MoveV = false;
    // Margins, not a rectangle: distances from the parent's left, top, right and bottom client edges.
    ui::TRect Rect;
};

using TSizeEvent = std::function<void(ui::TObject* Sender, ui::TControl* Control, int& Left, int& Top,
                                      int& Width, int& Height)>;

class TSizeManager : public ui::TComponent {
public:
    explicit TSizeManager(ui::TComponent* AOwner);
    ~TSizeManager() override;
    std::u16string ClassName() const override { return u"TSizeManager"; }

    // Before loading one raw line per entry; after it one name per entry with its item attached.
    const ui::TStrings& Strings() const { return FStrings; }
    // Takes the lines only while the component is being designed; at run time nothing changes.
    void SetStrings(const ui::TStrings& lines);
    // The item attached to an entry, or nullptr.
    TSizeItem* Item(int index) const;

    void ResizeForm();
    TSizeEvent OnSize;

    void Assign(const ui::TPersistent* Source) override;
    // Margins are lengths of the design: they scale with the form.
    void ScaleDesign(int M, int D) override;

    // The "Data" value of the form definition.
    void ReadData(const std::vector<std::uint8_t>& in, std::size_t& pos);
    void WriteData(std::vector<std::uint8_t>& out) const;
    // Whether "Data" is written: the table has lines and, for an inherited form, differs from the
    // ancestor's table.
    bool DataStored(const TSizeManager* ancestor) const;

protected:
    void Loaded() override;
    void AssignTo(ui::TPersistent* Dest) const override;

private:
    bool FLoaded = false;
    ui::TComponent* FForm;
    TItemTable FStrings;
};

}  // namespace framework
