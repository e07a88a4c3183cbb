#include "filemanager/navigation.hpp"

#include "filemanager/fileview.hpp"
#include "filemanager/refresh.hpp"
#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/prefs_link.hpp"
#include "shell/selection.hpp"

namespace vexolan {

namespace {

// A folder as the list holds it, with its separator; folders that differ only in letter case are two.
std::string folder_key(const std::string& path) {
    return files::with_separator(path);
}

// Points pane `pane` at `folder` as the drive box, the folder box and the file box show it. The
// drive box goes first: its change would otherwise take the folder box back to the drive's root.
void open_in_pane(App& app, int pane, const std::string& folder) {
    Form1& f = app.form1();
    vb::ResumeNext([&] { f.Drive1[pane].Drive = folder; });
    vb::ResumeNext([&] { f.Dir1[pane].Path = folder; });
    vb::ResumeNext([&] { f.File1[pane].Path = folder; });
    vb::ResumeNext([&] { files::ChDir(folder); });
}

} // namespace

bool RememberFolder(ui::ListBox& list, const std::string& path, bool autoAdd, bool autoTop, int limit) {
    const std::string key = folder_key(path);
    int found = -1;
    for (int i = 0; i < list.ListCount() && found < 0; ++i)
        if (folder_key(list.List(i)) == key) found = i;

    bool changed = false;
    if (autoAdd || found >= 0) {
        if (autoTop) {
            if (found >= 0) list.RemoveItem(found);
            list.AddItem(files::with_separator(path), 0);
            changed = true;
        } else if (found < 0) {
            list.AddItem(files::with_separator(path));
            changed = true;
        }
    }
    // One entry at most per visit, even when the list is longer still.
    if (list.ListCount() > limit && list.ListCount() > 0) {
        list.RemoveItem(autoTop ? list.ListCount() - 1 : 0);
        changed = true;
    }
    return changed;
}

void Dir1_Change(App& app, int Index) {
    Form1& f = app.form1();
    ui::DirListBox& dir = f.Dir1[Index];
    // The plug-in scanner walks the sub-folders with a disabled folder box.
    if (!dir.Enabled && f.Visible) return;
    const std::string path = dir.Path;

    vb::ResumeNext([&] { f.File1[Index].Path = path; });
    vb::ResumeNext([&] { files::ChDir(path); });
    // The list follows whatever moved the folder box: the commands, the dialogs and the favourite
    // folders set the folder box and rely on the list showing the folder then, whether the folder
    // box is shown beside the list or not.
    if (f.ListView1[Index].Visible) vb::ResumeNext([&] { FillDirList(app, path, Index, false); });
    vb::ResumeNext([&] { DrawDirLabel(app, Index); });

    vb::ResumeNext([&] {
        Form2& prefs = app.form2();
        const bool autoAdd = prefs.Check10[0].Value == ui::vbChecked;
        const bool autoTop = prefs.Check19.Value == ui::vbChecked;
        if (RememberFolder(prefs.List1[0], path, autoAdd, autoTop, prefs.FolderLimit())) prefs.ListToMenu(0);
    });
}

void Dir1_KeyPress(App& app, int Index, int& KeyAscii) {
    if (KeyAscii != ui::vbKeyReturn) return;
    ui::DirListBox& dir = app.form1().Dir1[Index];
    vb::ResumeNext([&] {
        const std::string target = dir.List(dir.ListIndex);
        if (!target.empty()) dir.Path = target;
    });
}

void Dir1_KeyUp(App& app, int Index, int& KeyCode, int&) {
    if (KeyCode != ui::vbKeyBack) return;
    ui::DirListBox& dir = app.form1().Dir1[Index];
    // At the root there is no entry -2: the highlight fails and the folder stays.
    vb::ResumeNext([&] {
        dir.ListIndex = -2;
        dir.Path = dir.List(-2);
    });
}

void Image5_Click(App& app, int Index) {
    Form1& f = app.form1();
    ui::ListView& list = f.ListView1[Index];
    if (!list.Visible) return;
    App::ListPlace& saved = app.FolderBoxGeometry[static_cast<std::size_t>(Index)];

    if (f.Image5[Index].Tag.get() != "1") {
        f.FreezeRedraw(true);
        for (int i = list.ListItems.Count(); i >= 1; --i)
            vb::ResumeNext([&] {
                if (list.ListItems(i).Icon == IconFolder) list.ListItems.Remove(i);
            });
        f.FreezeRedraw(false);
        saved.ListLeft = list.Left;
        saved.ListWidth = list.Width;
        app.FolderBoxWindowWidth = f.Width;
        vb::ResumeNext([&] { list.Move(f.File1[Index].Left, list.Top, f.File1[Index].Width, list.Height); });
        f.Dir1[Index].Visible = true;
        f.Image5[Index].Tag = "1";
        if (list.View == ui::lvwReport)
            vb::ResumeNext([&] {
                if (AutoColumnWidth(app)) LV_OptimalWidth(list);
            });
        return;
    }

    // The saved width holds only while the window kept its width; after a resize the list spans
    // the file box and the folder box.
    const int width =
        f.Width == app.FolderBoxWindowWidth ? saved.ListWidth : f.File1[Index].Width + f.Dir1[Index].Width;
    vb::ResumeNext([&] { list.Move(saved.ListLeft, list.Top, width, list.Height); });
    f.Dir1[Index].Visible = false;
    f.Image5[Index].Tag = "0";
    // The pane of the button is refilled, sub-folders again included, whichever pane is active.
    RefreshFile1(app, Index);
}

void Image4_Click(App& app, int Index) {
    Form1& f = app.form1();
    std::string folder;
    vb::ResumeNext([&] { folder = f.Dir1[Index].Path.get(); });
    if (folder.empty()) return;
    open_in_pane(app, 1 - Index, folder);
    vb::ResumeNext([&] { RefreshFile1C(app, Index); });
}

void Image6_Click(App& app, int Index) {
    std::string folder;
    vb::ResumeNext([&] { folder = desktop::desktop_folder(); });
    if (folder.empty() || !files::folder_exists(folder)) return;
    open_in_pane(app, Index, folder);
    vb::ResumeNext([&] { RefreshFile1(app, Index); });
}

} // namespace vexolan
