#include "platform/ui/Bars.hpp"

#include "platform/ui/Window.hpp"

namespace ui {

// --- TabStrip ---

TabStrip::TabStrip() {
    SelectedItem.adjust = [this](int v) {
        if (v < 1 || v > Tabs.Count()) throw vb::Error(vb::ErrInvalidProperty);
        return v;
    };
    SelectedItem.on_change = [this] { Click(); };
    Tabs.on_added = [this](int index) {
        if (SelectedItem == 0)
            SelectedItem.store(1);
        else if (SelectedItem >= index)
            SelectedItem.store(SelectedItem + 1);
    };
    Tabs.on_removed = [this](int index) {
        if (Tabs.Count() == 0)
            SelectedItem.store(0);
        else if (SelectedItem > index || SelectedItem > Tabs.Count())
            SelectedItem.store(SelectedItem - 1);
    };
}

void TabStrip::user_select_tab(int index) {
    if (!AcceptsInput() || index < 1 || index > Tabs.Count()) return;
    user_mouse_down(vbLeftButton, 0, 0, 0);
    SelectedItem = index;
    user_mouse_up(vbLeftButton, 0, 0, 0);
}

void TabStrip::handle_key_down(int keyCode, int shift) {
    if (Tabs.Count() == 0) return;
    int cur = SelectedItem;
    if ((keyCode == vbKeyTab && (shift & vbCtrlMask)) || keyCode == vbKeyRight) {
        int next = (keyCode == vbKeyTab && (shift & vbShiftMask)) ? cur - 1 : cur + 1;
        if (keyCode == vbKeyTab) next = (next - 1 + Tabs.Count()) % Tabs.Count() + 1;
        if (next >= 1 && next <= Tabs.Count()) SelectedItem = next;
    } else if (keyCode == vbKeyLeft && cur > 1) {
        SelectedItem = cur - 1;
    }
}

// --- Toolbar ---

Toolbar::Toolbar() = default;

void Toolbar::user_click_button(int index) {
    if (!AcceptsInput() || index < 1 || index > Buttons.Count()) return;
    ToolbarButton& b = Buttons(index);
    if (!b.Visible || !b.Enabled || b.Style == tbrSeparator || b.Style == tbrPlaceholder) return;
    if (b.Style == tbrCheck) {
        b.Value = b.Value == tbrPressed ? tbrUnpressed : tbrPressed;
    } else if (b.Style == tbrButtonGroup) {
        // The group is the run of group buttons around this one, up to separators.
        int first = index, last = index;
        while (first > 1 && Buttons(first - 1).Style == tbrButtonGroup)
            --first;
        while (last < Buttons.Count() && Buttons(last + 1).Style == tbrButtonGroup)
            ++last;
        for (int i = first; i <= last; ++i)
            Buttons(i).Value = i == index ? tbrPressed : tbrUnpressed;
    }
    ButtonClick(b);
}

} // namespace ui
