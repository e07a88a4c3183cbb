#include "filemanager/filters.hpp"

#include "filemanager/fileview.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

namespace {

constexpr std::array<std::string_view, 6> Patterns{
    "*.*",
    "*.8b?;*._bf;*_8bf;*.prm;*.pr-;*._rm;*_prm;*.aex;*.ae-;*_aex",
    "*.jpg;*.gif;*.bmp;*.wmf;*.png;*.tga;*.pcx;*.tif;*.eps",
    "",
    "*.ffl;*.txt;*.afs;*.pff;*.ffx",
    "*.zip",
};

// Refills pane `Index`'s list when the active pane's list is shown (the box has the focus while it
// is used, so the two are one pane).
void refill(App& app, int Index) {
    Form1& f = app.form1();
    if (f.ListView1[f.Switchy].Visible) FillDirList(app, f.Dir1[Index].Path.get(), Index, true);
}

} // namespace

std::string FilterPattern(App& app, int Index) {
    if (Index < 0 || Index >= static_cast<int>(Patterns.size())) return {};
    if (Index == DefinedPluginsEntry) return app.PlugTypeMask;
    return std::string(Patterns[static_cast<std::size_t>(Index)]);
}

void AddFilterEntries(App& app, int Index) {
    ui::ComboBox& box = app.form1().Combo1[Index];
    box.Clear();
    for (std::string_view entry : FilterEntries)
        box.AddItem(std::string(entry));
}

void Combo1_Click(App& app, int Index) {
    Form1& f = app.form1();
    const int entry = f.Combo1[Index].ListIndex;
    if (entry >= 0 && entry < static_cast<int>(Patterns.size()))
        vb::ResumeNext([&] { f.File1[Index].Pattern = FilterPattern(app, entry); });
    vb::ResumeNext([&] { refill(app, Index); });
}

void Combo1_KeyPress(App& app, int Index, int& KeyAscii) {
    if (KeyAscii != ui::vbKeyReturn) return;
    Form1& f = app.form1();
    if (f.Combo1[Index].ListIndex == -1) vb::ResumeNext([&] { f.File1[Index].Pattern = f.Combo1[Index].Text.get(); });
    vb::ResumeNext([&] { refill(app, Index); });
}

void Combo1_GotFocus(App& app, int Index) {
    Form1& f = app.form1();
    if (Index != f.Switchy) f.Switchit(Index);
}

} // namespace vexolan
