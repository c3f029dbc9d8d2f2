// The tables that travel with a form: any "Data" value, or any lines in one, loads into the size
// manager and the form manager without harm, and the form then resizes.
#include <memory>

#include "FuzzTarget.h"
#include "controls/GraphicButton.h"
#include "framework/DataStream.h"
#include "framework/FormManager.h"
#include "framework/SizeManager.h"
#include "ui/Exceptions.h"
#include "ui/Form.h"
#include "ui/StdCtrls.h"

namespace fuzz {
namespace {

class TableForm : public ui::TForm {
public:
    explicit TableForm(const std::vector<std::uint8_t>& data) : TForm(nullptr) {
        BeginLoading();
        SetName(u"FuzzForm");
        SetClientSize(300, 200);
        for (const char16_t* name : {u"A", u"B", u"C"}) {
            auto* control = new ui::TLabel(this);
            control->SetName(name);
            control->SetParent(this);
            control->SetBounds(10, 20, 30, 40);
        }
        auto* button = new controls::TGraphicButton(this);
        button->SetName(u"G");
        button->SetParent(this);
        auto* sizes = new framework::TSizeManager(this);
        auto* forms = new framework::TFormManager(this);
        std::size_t pos = 0;
        sizes->ReadData(data, pos);
        pos = 0;
        forms->ReadData(data, pos);
        FinishLoading();
    }
};

}  // namespace

void LayoutTables(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return;
    std::vector<std::uint8_t> value;
    if (data[0] & 1) {
        // The raw value, as a damaged form definition would hold it.
        value.assign(data + 1, data + size);
    } else {
        // Lines, as a designer would have typed them.
        ui::TStringList lines;
        std::u16string line;
        for (std::size_t i = 1; i < size; ++i) {
            if (data[i] == '\n') {
                lines.Add(line);
                line.clear();
            } else {
                line.push_back(static_cast<char16_t>(data[i]));
            }
        }
        lines.Add(line);
        framework::WriteDataList(lines, value);
    }
    std::unique_ptr<TableForm> form;
    try {
        form = std::make_unique<TableForm>(value);
    } catch (const ui::EConvertError&) {
        return;  // a margin that is no number fails the form's loading, as it should
    }
    const int sizes[][2] = {{600, 500}, {1, 1}, {1900, 1200}};
    for (const auto& s : sizes) form->SetClientSize(s[0], s[1]);
}

}  // namespace fuzz
