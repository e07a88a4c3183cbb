// Command enabling by the file types of the active pane's selection, the right-click menus of the
// pane controls, and the hover borders of the image buttons.

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/frame.hpp"
#include "shell/prefs_link.hpp"
#include "shell/selection.hpp"

#include "platform/values/values.hpp"

#include <cmath>

namespace vexolan {

namespace {

bool ends_with(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool one_of(std::string_view s, std::initializer_list<std::string_view> set) {
    for (std::string_view x : set)
        if (s == x) return true;
    return false;
}

} // namespace

void Form1::SwitchCommandItems(bool& state) {
    std::vector<std::string> items;
    bool selected = GetSelectedItems(app, items, Switchy);
    // Enabling all needs no selection: after a command that removed it, the entries and their
    // shortcuts must not stay narrowed.
    if (!selected && !state) return;

    bool a = state, b = false, c = false, d = false;
    if (state) {
        a = b = c = d = true;
    } else {
        std::vector<std::string> extensions = PlugTypeExtensions(app);
        for (const std::string& item : items) {
            if (item.empty()) continue;
            std::string lower = vb::LCase(item);
            std::string last4 = lower.size() >= 4 ? lower.substr(lower.size() - 4) : lower;
            if (one_of(last4, {".8bf", "._bf", "_8bf", "_prm", ".prm", "._rm", ".bin"})) {
                a = b = c = d = true;
                break;
            }
            if (one_of(last4, {".afs", ".pff", ".txt", ".ffx"})) {
                a = true;
                continue;
            }
            if (one_of(last4, {".aex", "_aex", "._ex"})) {
                c = d = true;
                continue;
            }
            for (const std::string& ext : extensions) {
                // An unchecked type has no extension and matches nothing.
                if (ext.empty()) continue;
                std::string e = vb::LCase(ext);
                if (lower.size() > e.size() && ends_with(lower, e)) {
                    char before = lower[lower.size() - e.size() - 1];
                    if (before == '.' || before == '_') c = true;
                }
            }
        }
    }
    if (app.PaneMode[Switchy] != 2) d = false;

    mnuCreateBMPs.Enabled = a;
    mnuListtoFile.Enabled = a;
    mnuAdd.Enabled = a;
    mnuCreateLibrary.Enabled = a;
    mnuPluginAbout.Enabled = b;
    mnuPlugInfo.Enabled = c;
    mnuInvoke.Enabled = b;
    mnuChangeCat.Enabled = d;
    mnuEnable.Enabled = c;
    mnuConvert.Enabled = a;
    if (a) state = true;
}

void Form1::CommandsPopup() {
    bool narrow = false;
    SwitchCommandItems(narrow);
    PopupMenu(mnuOperations);
    bool widen = true;
    SwitchCommandItems(widen);
}

void Form1::Dir1_MouseDown(int Index, int Button, int, float, float) {
    if (Index != Switchy) Switchit(Index);
    if (Button == ui::vbRightButton && Index == Switchy) PopupMenu(mnuDirs);
}

void Form1::File1_MouseDown(int Index, int Button, int, float, float) {
    if (Index != Switchy) Switchit(Index);
    if (Button == ui::vbRightButton && Index == Switchy) CommandsPopup();
}

void Form1::List3_MouseDown(int Index, int Button, int, float, float) {
    PluginDragActive = false;
    if (Index != Switchy) Switchit(Index);
    if (Button == ui::vbRightButton && Index == Switchy) CommandsPopup();
}

void Form1::ListView1_MouseDown(int Index, int Button, int, float X, float Y) {
    ListViewMouseX = static_cast<int>(std::nearbyint(X));
    ListViewMouseY = static_cast<int>(std::nearbyint(Y));
    if (Button != ui::vbRightButton || Index != Switchy) return;
    ui::ListItem* item =
        ListView1[Index].HitTest(static_cast<float>(ListViewMouseX), static_cast<float>(ListViewMouseY));
    // Empty space below the items opens nothing.
    if (!item) return;
    if (item->Icon > 2 || item->SmallIcon > 2)
        CommandsPopup();
    else
        PopupMenu(mnuDirs);
}

void Form1::Label6_MouseDown(int Index, int Button, int, float, float) {
    if (Button == ui::vbRightButton) {
        if (Index != Switchy) Switchit(Index);
        PopupMenu(mnuDirs);
    } else if (Button == ui::vbLeftButton) {
        if (Index != Switchy) Switchit(Index);
    }
}

void Form1::Frame1_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Form1::Label6_MouseMove(int, int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Form1::TextFieldFocus(bool inTextField) {
    if (editing_shortcuts_.empty())
        editing_shortcuts_ = {
            {&mnuDelete, mnuDelete.Shortcut}, {&mnuKill2, mnuKill2.Shortcut}, {&mnuSelectAll, mnuSelectAll.Shortcut}};
    for (auto& [menu, shortcut] : editing_shortcuts_)
        menu->Shortcut = inTextField ? std::string() : shortcut;
}

void Form1::ResetButtons() {
    auto reset = [](ui::Image& image) {
        // Only a change redraws, so moving the pointer costs nothing.
        if (image.BorderStyle == 1) image.BorderStyle = 0;
    };
    reset(Image1);
    for (int p = 0; p < 2; ++p) {
        reset(Image2[p]);
        reset(Image4[p]);
        reset(Image5[p]);
        reset(Image6[p]);
    }
}

void Form1::ImageButton_MouseMove(ui::Image& image) {
    if (image.BorderStyle != 1) image.BorderStyle = 1;
}

} // namespace vexolan
