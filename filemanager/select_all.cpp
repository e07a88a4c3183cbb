#include "filemanager/select_all.hpp"

#include "filemanager/fileview.hpp"
#include "filemanager/selection.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

namespace {

// Each treated entry becomes selected (Select All) or the opposite of what it was (Toggle Select).
void change_selection(App& app, bool toggle) {
    Form1& f = app.form1();
    const int pane = f.Switchy;
    auto next = [toggle](bool selected) { return toggle ? !selected : true; };

    f.MousePointer = ui::vbHourglass;
    f.FreezeRedraw(true);
    ui::ToolbarButton* preview = nullptr;
    vb::ResumeNext([&] { preview = &f.Toolbar1.Buttons(1); });
    if (preview && preview->Value == ui::tbrPressed) preview->Visible = false;

    switch (app.PaneMode[pane]) {
    case 3: {
        ui::ListView& list = f.ListView2[pane];
        for (int i = 1; i <= list.ListItems.Count(); ++i)
            vb::ResumeNext([&] { list.ListItems(i).Selected = next(list.ListItems(i).Selected); });
        vb::ResumeNext([&] { list.SetFocus(); });
        break;
    }
    case 2: {
        ui::ListBox& list = f.List3[pane];
        for (int i = 0; i < list.ListCount(); ++i)
            vb::ResumeNext([&] { list.Selected(i) = next(list.IsSelected(i)); });
        vb::ResumeNext([&] { list.SetFocus(); });
        break;
    }
    default: {
        ui::FileListBox& fileBox = f.File1[pane];
        if (fileBox.Visible) {
            // Disabled meanwhile, so the box's own click does not run once per entry.
            fileBox.Enabled = false;
            for (int i = 0; i < fileBox.ListCount(); ++i)
                vb::ResumeNext([&] { fileBox.Selected(i) = next(fileBox.IsSelected(i)); });
            fileBox.Enabled = true;
            vb::ResumeNext([&] { fileBox.SetFocus(); });
            File1_Click(app, pane);
        } else {
            ui::ListView& list = f.ListView1[pane];
            for (int i = 1; i <= list.ListItems.Count(); ++i) {
                ui::ListItem& item = list.ListItems(i);
                if (item.Icon > IconParent) vb::ResumeNext([&] { item.Selected = next(item.Selected); });
            }
            vb::ResumeNext([&] { list.SetFocus(); });
        }
        break;
    }
    }

    f.MousePointer = ui::vbDefault;
    f.FreezeRedraw(false);
    if (preview && !preview->Visible) preview->Visible = true;
}

} // namespace

void mnuSelectAll_Click(App& app) {
    change_selection(app, false);
}

void mnuToggleselect_Click(App& app) {
    change_selection(app, true);
}

} // namespace vexolan
