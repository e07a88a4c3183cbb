#include "shell/helpers.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Window.hpp"
#include "platform/values/values.hpp"

#include <array>

namespace vexolan {

std::string GetFileName(std::string_view path) {
    auto p = path.rfind('/');
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string GetPathName(std::string_view path) {
    auto p = path.rfind('/');
    return p == std::string_view::npos ? std::string() : std::string(path.substr(0, p + 1));
}

std::string InvertDigits(std::string_view text) {
    std::string r(text);
    for (char& c : r) {
        if (c >= '0' && c <= '9')
            c = static_cast<char>('9' - (c - '0'));
        else if (c == '-')
            c = ' ';
    }
    return r;
}

namespace {

// The cell of `column`: the item's own text for column 1, else its sub-item column - 1.
struct Cell {
    ui::ListItem& item;
    int column;
    std::string text() const { return column == 1 ? item.Text.get() : item.ListSubItems(column - 1).Text.get(); }
    std::string tag() const { return column == 1 ? item.Tag.get() : item.ListSubItems(column - 1).Tag.get(); }
    void set(const std::string& text, const std::string& tag) const {
        if (column == 1) {
            item.Text = text;
            item.Tag = tag;
        } else {
            item.ListSubItems(column - 1).Text = text;
            item.ListSubItems(column - 1).Tag = tag;
        }
    }
};

// Twenty integer digits and ten decimals, so that a text sort orders the values.
std::string numberKey(const std::string& text) {
    if (!vb::IsNumeric(text)) return "";
    double value = vb::NumericValue(text);
    std::string key = vb::Format(value < 0 ? -value : value, "00000000000000000000.0000000000");
    return value < 0 ? "&" + InvertDigits(key) : key;
}

std::string dateKey(const std::string& text) {
    auto d = vb::ParseGeneralDate(text);
    return d ? vb::DateKey(*d) : text;
}

} // namespace

void SortListView(ui::ListView& list, int column, int kind, bool ascending, ColumnSortOrders& order) {
    const int pointer = list.MousePointer;
    list.MousePointer = ui::vbHourglass;
    for (int c = 1; c <= list.ColumnHeaders.Count(); ++c)
        list.ColumnHeaders(c).Icon = 0;
    const bool keyed = kind == SortNumber || kind == SortDate;
    if (keyed && column >= 1) {
        for (int i = 1; i <= list.ListItems.Count(); ++i) {
            Cell cell{list.ListItems(i), column};
            std::string text = cell.text();
            cell.set(kind == SortNumber ? numberKey(text) : dateKey(text), text + '\0' + cell.tag());
        }
    }
    list.SortOrder = ascending ? ui::lvwAscending : ui::lvwDescending;
    list.SortKey = column - 1;
    if (list.Sorted)
        list.Sort();
    else
        list.Sorted = true;
    if (keyed && column >= 1) {
        for (int i = 1; i <= list.ListItems.Count(); ++i) {
            Cell cell{list.ListItems(i), column};
            std::string tag = cell.tag();
            auto zero = tag.find('\0');
            if (zero != std::string::npos) cell.set(tag.substr(0, zero), tag.substr(zero + 1));
        }
    }
    if (column >= 1 && column <= list.ColumnHeaders.Count() && column < static_cast<int>(order.size()))
        list.ColumnHeaders(column).Icon = order[static_cast<std::size_t>(column)] ? 11 : 12;
    for (int i = 1; i <= 3; ++i)
        if (i != column) order[static_cast<std::size_t>(i)] = false;
    list.MousePointer = pointer;
}

void LV_OptimalWidth(ui::ListView& list) {
    list.AutoSizeAllColumns();
}

namespace {

bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

int scaled(double value, float factor) {
    return static_cast<int>(vb::RoundHalfEven(value * factor));
}

} // namespace

void ScaleForm(ui::Window& window) {
    const float fx = static_cast<float>(window.host().TwipsPerPixelX()) / 12.0f;
    const float fy = static_cast<float>(window.host().TwipsPerPixelY()) / 12.0f;
    window.Width = scaled(window.Width, fx);
    window.Height = scaled(window.Height, fy);

    // Controls parked far left on hidden tab pages of the main window stay parked.
    static constexpr std::array parkedPrefixes{"List", "Label1", "Label2", "Option5", "Option6", "Option7"};
    static constexpr std::array fontPrefixes{"Com", "Lab", "Fil", "Dir", "Che", "Opt", "lbl", "Tex",
                                             "Wri", "Lis", "Ren", "Clo", "Fra", "SST", "Dri"};
    const bool mainWindow = window.Name() == "Form1";
    for (ui::Control* c : window.Controls()) {
        const std::string& name = c->Name();
        if (startsWith(name, "CommonDialog") || startsWith(name, "mnu") || startsWith(name, "Dialog") ||
            startsWith(name, "Timer"))
            continue;
        if (startsWith(name, "Line")) {
            if (auto* line = dynamic_cast<ui::Line*>(c)) {
                line->X1 = scaled(line->X1, fx);
                line->X2 = scaled(line->X2, fx);
                line->Y1 = scaled(line->Y1, fy);
                line->Y2 = scaled(line->Y2, fy);
            }
            continue;
        }
        bool parked = false;
        if (mainWindow)
            for (auto prefix : parkedPrefixes)
                if (startsWith(name, prefix)) parked = true;
        c->Left = parked ? scaled(c->Left + 75000.0, fx) - 75000 : scaled(c->Left, fx);
        c->Top = scaled(c->Top, fy);
        c->Width = scaled(c->Width, fx);
        if (!startsWith(name, "Drive") && !startsWith(name, "Combo")) c->Height = scaled(c->Height, fy);
        for (auto prefix : fontPrefixes)
            if (startsWith(name, prefix)) {
                c->Font.Size = c->Font.Size * (fx + fy) / 2;
                break;
            }
    }
}

} // namespace vexolan
