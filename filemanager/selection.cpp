#include "filemanager/selection.hpp"

#include "filemanager/fileview.hpp"
#include "filemanager/open_by_type.hpp"
#include "filemanager/refresh.hpp"
#include "filemanager/rename_files.hpp"
#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include <array>

namespace vexolan {

namespace {

// Plug-in endings, enabled and disabled: renaming such a file makes the Plugin View scan again.
constexpr std::array<std::string_view, 9> PluginEndings{".8bf", ".prm", "._bf", "._rm", ".aex",
                                                        "._ex", "_8bf", "_prm", "_aex"};

bool preview_pressed(Form1& f) {
    bool pressed = false;
    vb::ResumeNext([&] { pressed = f.Toolbar1.Buttons(1).Value == ui::tbrPressed; });
    return pressed;
}

bool is_folder_item(const ui::ListItem& item) {
    return item.Icon <= IconParent || item.SmallIcon <= IconParent;
}

// Selects, in the pane's file box, the first entry named `name` and nothing else. False when the
// file box does not list it.
bool select_in_file_box(ui::FileListBox& fileBox, const std::string& name) {
    for (int i = 0; i < fileBox.ListCount(); ++i)
        if (fileBox.IsSelected(i)) fileBox.Selected(i) = false;
    for (int i = 0; i < fileBox.ListCount(); ++i) {
        if (fileBox.List(i) == name) {
            fileBox.Selected(i) = true;
            fileBox.ListIndex = i;
            return true;
        }
    }
    return false;
}

// Up one folder in the report list; the folder item one came from by a double click is selected
// again, once.
void list_up(App& app, int Index) {
    Form1& f = app.form1();
    FillDirList(app, "..", Index, false);
    int& back = app.ReturnItemIndex[static_cast<std::size_t>(Index)];
    ui::ListView& list = f.ListView1[Index];
    if (back > 0 && back <= list.ListItems.Count()) {
        vb::ResumeNext([&] {
            if (ui::ListItem* selected = list.SelectedItem()) selected->Selected = false;
            ui::ListItem& item = list.ListItems(back);
            item.EnsureVisible();
            list.SetSelectedItem(&item);
        });
    }
    back = 0;
}

} // namespace

void File1_Click(App& app, int Index) {
    Form1& f = app.form1();
    ui::FileListBox& fileBox = f.File1[Index];
    f.Timer1.Enabled = false;
    if (!fileBox.Enabled) return;
    const std::string folder = files::with_separator(fileBox.Path);
    vb::ResumeNext([&] { files::ChDir(folder); });
    if (fileBox.Visible) {
        // Rounded after each addition, halves to even, as the sum has always been shown.
        double total = 0;
        for (int i = 0; i < fileBox.ListCount(); ++i)
            if (fileBox.IsSelected(i))
                vb::ResumeNext([&] {
                    total = vb::RoundHalfEven(total +
                                              static_cast<double>(files::file_length(folder + fileBox.List(i))) / 1024);
                });
        f.Label6[Index].Alignment = ui::vbCenter;
        f.Label6[Index].Caption = vb::Str(total) + " K";
    }
    if (preview_pressed(f)) {
        const std::string path = folder + fileBox.List(fileBox.ListIndex);
        if (path != app.LastPreviewPath) f.Timer1.Enabled = true;
        app.LastPreviewPath = path;
    }
}

void File1_KeyDown(App& app, int Index, int& KeyCode, int& Shift) {
    Form1& f = app.form1();
    if (KeyCode == ui::vbKeyReturn && Shift == ui::vbAltMask) {
        mnuFileInformation_Click(app);
    } else if (KeyCode == ui::vbKeyReturn && Shift == 0) {
        File1_DblClick(app, Index);
    } else if (KeyCode == ui::vbKeyBack) {
        // At the root there is no parent entry and the folder stays.
        ui::DirListBox& dir = f.Dir1[Index];
        vb::ResumeNext([&] {
            const std::string parent = dir.List(-2);
            if (!parent.empty()) dir.Path = parent;
        });
    }
}

void ListView1_ItemClick(App& app, int Index, const std::string& ItemText) {
    Form1& f = app.form1();
    if (!preview_pressed(f)) return;
    const std::string path = files::join_path(f.File1[Index].Path.get(), ItemText);
    if (path != app.LastPreviewItemPath) f.Timer1.Enabled = true;
    app.LastPreviewItemPath = path;
}

void ListView1_DblClick(App& app, int Index) {
    Form1& f = app.form1();
    ui::ListView& list = f.ListView1[Index];
    try {
        ui::ListItem* item = list.HitTest(static_cast<float>(f.ListViewMouseX), static_cast<float>(f.ListViewMouseY));
        if (!item) return;
        if (!is_folder_item(*item)) {
            if (select_in_file_box(f.File1[Index], item->Text)) File1_DblClick(app, Index);
            return;
        }
        if (item->Icon == IconParent) {
            list_up(app, Index);
            return;
        }
        const std::string name = item->Text.get().substr(1);
        app.ReturnItemIndex[static_cast<std::size_t>(Index)] = list.SelectedItem() ? list.SelectedItem()->Index() : 0;
        FillDirList(app, files::join_path(f.Dir1[Index].Path.get(), name), Index, false);
    } catch (const vb::Error&) {
    }
}

void ListView1_KeyDown(App& app, int Index, int& KeyCode, int& Shift) {
    if (app.LabelEditActive) return;
    Form1& f = app.form1();
    try {
        if (KeyCode == ui::vbKeyBack) {
            list_up(app, Index);
        } else if (KeyCode == ui::vbKeyReturn && Shift == ui::vbAltMask) {
            mnuFileInformation_Click(app);
        } else if (KeyCode == ui::vbKeyReturn && Shift == 0) {
            const std::string folder = GetSingleFolder(app, Index, true);
            if (folder != "\\") {
                FillDirList(app, folder, Index, false);
                return;
            }
            const std::string name = GetFileName(GetSingleItem(app, Index));
            if (!name.empty() && select_in_file_box(f.File1[Index], name)) File1_DblClick(app, Index);
        }
    } catch (const vb::Error&) {
    }
}

void ListView1_BeforeLabelEdit(App& app, int Index, int& Cancel) {
    App::EditedLabel& edited = app.LabelEditItem[static_cast<std::size_t>(Index)];
    edited = {};
    const ui::ListItem* item = app.form1().ListView1[Index].SelectedItem();
    if (!item || item->Icon == IconParent) {
        Cancel = 1;
        return;
    }
    edited.Text = item->Text;
    edited.Icon = item->Icon;
}

void ListView1_AfterLabelEdit(App& app, int Index, int& Cancel, std::string& NewString) {
    Form1& f = app.form1();
    const App::EditedLabel edited = app.LabelEditItem[static_cast<std::size_t>(Index)];
    app.LabelEditItem[static_cast<std::size_t>(Index)] = {};
    // The label goes back to the old name unless the rename really happened.
    Cancel = 1;
    if (edited.Text.empty() || edited.Icon == IconParent) return;

    app.LabelEditActive = true;
    const bool folder = edited.Icon <= IconParent;
    const std::string oldName = folder ? edited.Text.substr(1) : edited.Text;
    const std::string newName = folder ? vb::Trim(NewString) : NewString;
    if (newName.empty() || newName == oldName) {
        app.LabelEditActive = false;
        return;
    }
    if (newName.find('/') != std::string::npos) {
        app.host.MsgBox("A name cannot contain \"/\":\r\n" + newName, ui::vbExclamation);
        app.LabelEditActive = false;
        return;
    }
    const std::string from = files::with_separator(f.Dir1[Index].Path) + oldName;
    // Renamed as Rename File renames: a file that had the new name is put aside and erased only once
    // the rename is done, and comes back when the rename fails.
    try {
        if (!RenameOne(app, from, newName)) {
            app.LabelEditActive = false;
            return;
        }
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
        app.LabelEditActive = false;
        return;
    }

    if (!folder) {
        const std::string ending = vb::LCase(oldName.size() < 4 ? oldName : oldName.substr(oldName.size() - 4));
        for (std::string_view plugin : PluginEndings)
            if (ending == plugin) app.ScanValid[static_cast<std::size_t>(Index)] = false;
    }
    // The refill shows the file under its new name. The edit stays cancelled all the same: the
    // item edited is gone, and the label must not land on whichever item took its place.
    app.host.DoEvents();
    RefreshFile1(app, Index);
    app.LabelEditActive = false;
}

int FileListCount(App& app) {
    const ui::FileListBox& fileBox = app.form1().File1[app.form1().Switchy];
    return fileBox.SelCount();
}

} // namespace vexolan
