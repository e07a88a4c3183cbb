#include "preferences/plugtypes.hpp"

#include "preferences/Form2.hpp"
#include "preferences/FrmPluginType.hpp"
#include "shell/App.hpp"

#include "platform/values/values.hpp"

namespace vexolan {

// --- the table and the type lines --------------------------------------------------------------

const std::string& PlugTypeTable::operator()(int row, int column) const {
    static const std::string empty;
    if (row < 0 || row > 2 || column < 0 || column >= Columns()) return empty;
    return columns_[static_cast<std::size_t>(column)][static_cast<std::size_t>(row)];
}

void PlugTypeTable::set(int column, std::string name, std::string extension, std::string digit) {
    auto& c = columns_.at(static_cast<std::size_t>(column));
    c[0] = std::move(name);
    c[1] = std::move(extension);
    c[2] = std::move(digit);
}

const std::vector<std::string>& DefaultPlugTypes() {
    struct Kind {
        const char* Name;
        const char* Extension;
        int Digit;
    };
    static constexpr Kind kinds[] = {
        {"Acrobat Plugin", "api", 2},
        {"trueSpace Plugin", "tsx", 1},
        {"Lightwave Plugin", "p", 3},
        {"Maya Plugin", "mll", 3},
        {"Photoshop Action", "atn", 3},
        {"Illustrator Plugin", "aip", 3},
        {"ActiveX Plugin", "ax", 0},
        {"Ulead Filter Plugin", "vft", 3},
        {"Ulead FX Plugin", "vfx", 3},
        {"Ulead Audio Plugin", "aft", 3},
        {"PS Export Plugin", "8be", 1},
        {"PS File Format Plugin", "8bi", 1},
        {"PS Import Plugin", "8ba", 0},
        {"PS Extension Plugin", "8bx", 0},
        {"PS Automation Plugin", "8li", 1},
        {"PS Parser Plugin", "8by", 2},
        {"PS General Plugin", "8bp", 1},
        {"PS Color Picker Plugin", "8bc", 1},
        {"PS Selection Plugin", "8bs", 1},
        {"ACDSee Plugin", "apl", 0},
        {"PSP 6 Pattern", "pat", 3},
        {"PSP 6 Texture", "tex", 3},
        {"PSP 7 Shape", "jsl", 3},
        {"PSP 7 Texture/Pattern", "bmp", 3},
        {"PSP Brush", "jbr", 3},
        {"PSP Frame", "pfr", 3},
        {"PSP Gradient", "jgd", 3},
        {"PSP Image", "psp", 3},
        {"PSP Mask", "msk", 3},
        {"PSP Styled Line", "sld", 3},
        {"PSP Tube", "tub", 3},
        {"Painter Plugin", "arp", 3},
        {"PhotoImpact Plugin", "upi", 0},
        {"Photo-Paint Plugin", "eff", 1},
        {"Ultimate Paint Plugin", "upc", 3},
        {"Quick Time Extension", "qtx", 0},
        {"Hollywood FX Effect", "hfx", 3},
        {"Avid Express", "avx", 0},
        {"QuarkXpress XTension", "xxt", 0},
        {"Indesign Plugin", "pln", 0},
        {"PhotoBrush Plugin", "xtr", 3},
    };
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> v;
        for (const auto& k : kinds)
            v.push_back(PlugTypeLine(k.Name, k.Extension, k.Digit));
        return v;
    }();
    return lines;
}

std::string PlugTypeLine(std::string_view name, std::string_view extension, int digit) {
    return std::string(name) + " (" + std::string(extension) + "|" + std::to_string(digit) + ")";
}

std::optional<PlugTypeParts> SplitPlugTypeLine(std::string_view line) {
    // From the right: a name may hold "(" or "|", the extension and digit never do.
    auto bar = line.rfind('|');
    if (bar == std::string_view::npos || bar == 0) return std::nullopt;
    auto open = line.rfind('(', bar - 1);
    if (open == std::string_view::npos) return std::nullopt;
    PlugTypeParts parts;
    // The name ends before the blank in front of "(" (a line written without it loses nothing).
    std::size_t nameEnd = open > 0 && line[open - 1] == ' ' ? open - 1 : open;
    parts.Name = std::string(line.substr(0, nameEnd));
    parts.Extension = std::string(line.substr(open + 1, bar - open - 1));
    parts.Digit = bar + 1 < line.size() ? std::string(1, line[bar + 1]) : std::string();
    return parts;
}

std::string PlugTypePattern(std::string_view extension) {
    if (extension.empty()) return {};
    std::string ext(extension);
    if (ext.size() >= 3) return ";*?" + ext;
    return ";*." + ext + ";*_" + ext;
}

bool SamePlugType(std::string_view entry, std::string_view builtin) {
    auto key = [](std::string_view text) {
        auto bar = text.find('|');
        return vb::LCase(bar == std::string_view::npos ? text : text.substr(0, bar));
    };
    return key(entry) == key(builtin);
}

std::string NormalisePlugTypeExtension(std::string_view typed) {
    std::string out;
    for (char c : vb::LCase(typed))
        if (c != '.' && c != '*' && c != '|' && c != '(' && c != ')' && c != ';') out += c;
    return out;
}

// --- the Plugin Types page ---------------------------------------------------------------------

void Form2::GetPlugTypes() {
    ui::ListBox& list = List1[3];
    int n = list.ListCount();
    // An empty list leaves the table and mask as they were: the catalogue never loses every kind
    // at once by an emptied list.
    if (n == 0) return;
    app.PlugTypes.resize(n);
    app.PlugTypeMask.clear();
    for (int i = 0; i < n; ++i) {
        if (!list.IsSelected(i)) continue;
        auto parts = SplitPlugTypeLine(list.List(i));
        if (!parts) continue;
        app.PlugTypeMask += PlugTypePattern(parts->Extension);
        app.PlugTypes.set(i, std::move(parts->Name), std::move(parts->Extension), std::move(parts->Digit));
    }
}

namespace {

int chosen_source(const FrmPluginType& dialog) {
    for (int i = 0; i < 4; ++i)
        if (dialog.Option1[static_cast<std::size_t>(i)].Value) return i;
    return 0;
}

bool dialog_has_entry(const FrmPluginType& dialog) {
    return !dialog.Text1[0].Text.get().empty() || !dialog.Text1[1].Text.get().empty();
}

std::string dialog_line(const FrmPluginType& dialog) {
    return PlugTypeLine(dialog.Text1[0].Text.get(), dialog.Text1[1].Text.get(), chosen_source(dialog));
}

} // namespace

void Form2::Command15_Click() {
    ui::ListBox& list = List1[3];
    int current = list.ListIndex;
    // With no current entry there is nothing to edit: no dialog.
    if (current < 0 || current >= list.ListCount()) return;
    FrmPluginType& dialog = app.frmPluginType();
    dialog.Load();
    dialog.Label2.Caption = "Edit Plugin Type";
    if (auto parts = SplitPlugTypeLine(list.List(current))) {
        dialog.Text1[0].Text = parts->Name;
        dialog.Text1[1].Text = parts->Extension;
        int digit = parts->Digit.empty() ? 0 : parts->Digit[0] - '0';
        if (digit >= 0 && digit <= 3) dialog.Option1[static_cast<std::size_t>(digit)].Value = true;
    } else {
        dialog.Text1[0].Text = list.List(current);
        dialog.Text1[1].Text = "";
    }
    dialog.ShowModal();
    try {
        if (dialog_has_entry(dialog)) list.SetList(current, dialog_line(dialog));
    } catch (const vb::Error&) {
    }
    dialog.Unload();
}

void Form2::Command16_Click() {
    ui::ListBox& list = List1[3];
    for (const std::string& builtin : DefaultPlugTypes()) {
        bool present = false;
        for (int i = 0; i < list.ListCount() && !present; ++i)
            present = SamePlugType(list.List(i), builtin);
        if (!present) list.AddItem(builtin);
    }
}

void Form2::Command17_Click() {
    ui::ListBox& list = List1[3];
    int n = list.ListCount();
    if (n == 0) return;
    // The state of the second entry decides (the first when there is only one).
    bool turnOn = !list.IsSelected(n >= 2 ? 1 : 0);
    int current = list.ListIndex;
    for (int i = 0; i < n; ++i)
        list.Selected(i) = turnOn;
    if (current >= -1 && current < n) list.ListIndex.store(current);
    list.Refresh();
}

// Add on the Plugin Types page (Command3_Click(3)).
void Form2::add_plug_type() {
    FrmPluginType& dialog = app.frmPluginType();
    dialog.Load();
    dialog.Label2.Caption = "Add Plugin Type";
    dialog.ShowModal();
    if (!dialog_has_entry(dialog)) return;
    ui::ListBox& list = List1[3];
    list.AddItem(dialog_line(dialog));
    list.Selected(list.NewIndex()) = true;
    dialog.Unload();
}

} // namespace vexolan
