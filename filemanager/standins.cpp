#include "filemanager/standins.hpp"

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/standins.hpp"

#include <algorithm>

namespace vexolan {

namespace {

void ignore_errors(auto&& step) {
    try {
        step();
    } catch (const vb::Error&) {
    }
}

} // namespace

void RefreshFile1(App& app, int Switchx) {
    Form1& f = app.form1();
    ignore_errors([&] { f.Dir1[Switchx].Refresh(); });
    ignore_errors([&] { f.File1[Switchx].Refresh(); });
    if (f.ListView1[Switchx].Visible) FillDirList(app, f.Dir1[Switchx].Path, Switchx);
}

void FillDirList(App& app, const std::string& Currentdir, int Switchx, const std::string&) {
    Form1& f = app.form1();
    ui::ListView& lv = f.ListView1[Switchx];
    lv.ListItems.Clear();
    try {
        if (!f.Dir1[Switchx].Visible && !files::is_root(Currentdir)) lv.ListItems.Add(-1, "", "..", 2, 2);
        auto folders = files::list_folders(Currentdir);
        auto byName = [](const files::DirEntry& a, const files::DirEntry& b) {
            return vb::LCase(a.Name) < vb::LCase(b.Name);
        };
        std::sort(folders.begin(), folders.end(), byName);
        for (const auto& d : folders)
            lv.ListItems.Add(-1, "", " " + d.Name, 1, 1);
        auto list = files::list_files(Currentdir);
        std::sort(list.begin(), list.end(), byName);
        for (const auto& e : list) {
            ui::ListItem& item = lv.ListItems.Add(-1, "", e.Name, 3, 3);
            item.SubItems(1) = vb::Format(static_cast<double>(e.Length), "#,##0");
            item.SubItems(2) = vb::GeneralDate(e.Date);
        }
    } catch (const vb::Error&) {
    }
}

void Dir1_Change(App& app, int Index) {
    Form1& f = app.form1();
    ignore_errors([&] { f.File1[Index].Path = f.Dir1[Index].Path.get(); });
    ignore_errors([&] { files::ChDir(f.Dir1[Index].Path.get()); });
    if (f.ListView1[Index].Visible) FillDirList(app, f.Dir1[Index].Path, Index);
    DrawDirLabel(app, Index);
}

void Combo1_Click(App& app, int Index) {
    static const char* const patterns[] = {
        "*.*",
        "*.8b?;*._bf;*_8bf;*.prm;*.pr-;*._rm;*_prm;*.aex;*.ae-;*_aex",
        "*.jpg;*.gif;*.bmp;*.wmf;*.png;*.tga;*.pcx;*.tif;*.eps",
        "",
        "*.ffl;*.txt;*.afs;*.pff;*.ffx",
        "*.zip",
    };
    Form1& f = app.form1();
    int i = f.Combo1[Index].ListIndex;
    if (i < 0 || i > 5 || i == 3) return;
    ignore_errors([&] { f.File1[Index].Pattern = std::string(patterns[i]); });
}

void Combo1_KeyPress(App& app, int Index, int& KeyAscii) {
    Form1& f = app.form1();
    if (KeyAscii != 13 || f.Combo1[Index].ListIndex != -1) return;
    ignore_errors([&] { f.File1[Index].Pattern = f.Combo1[Index].Text.get(); });
}

void File1_DblClick(App&, int) {
    standin_called("File1_DblClick");
}
void ListView1_DblClick(App&, int) {
    standin_called("ListView1_DblClick");
}

int DetermineFileViewMode(App& app, int Switchx) {
    Form1& f = app.form1();
    if (!f.ListView1[Switchx].Visible) return 4;
    return f.ListView1[Switchx].View;
}

void Image2_Click(App& app, int Index) {
    Form1& f = app.form1();
    if (Index != f.Switchy) f.Switchit(Index);
    int mode = DetermineFileViewMode(app, Index);
    for (int i = 0; i < 5; ++i)
        f.mnuFileViewMode[i].Checked = i == mode;
    f.PopupMenu(f.mnuFileViewMenu);
}

void Image5_Click(App& app, int Index) {
    Form1& f = app.form1();
    if (!f.ListView1[Index].Visible) return;
    f.Image5[Index].Tag = f.Image5[Index].Tag.get() == "1" ? "" : "1";
    f.Dir1[Index].Visible = f.Image5[Index].Tag.get() == "1";
    ArrangeFileView(app, Index);
    FillDirList(app, f.Dir1[Index].Path, Index);
}

void cmd_CopyFiles(App&) {
    standin_called("cmd_CopyFiles");
}
void cmd_MoveFiles(App&) {
    standin_called("cmd_MoveFiles");
}
void cmd_RenameFiles(App&) {
    standin_called("cmd_RenameFiles");
}
void cmd_DeleteFiles(App&) {
    standin_called("cmd_DeleteFiles");
}
void cmd_Kill(App&) {
    standin_called("cmd_Kill");
}
void mnuFileInformation_Click(App&) {
    standin_called("mnuFileInformation_Click");
}
void mnuRenameFolder_Click(App&) {
    standin_called("mnuRenameFolder_Click");
}
void cmd_MoveDir(App&) {
    standin_called("cmd_MoveDir");
}
void cmd_KillDir(App&) {
    standin_called("cmd_KillDir");
}
void cmd_MakeDir(App&) {
    standin_called("cmd_MakeDir");
}
void mnuSelectAll_Click(App&) {
    standin_called("mnuSelectAll_Click");
}
void mnuToggleselect_Click(App&) {
    standin_called("mnuToggleselect_Click");
}
void mnuApplySetting_Click(App&) {
    standin_called("mnuApplySetting_Click");
}
void mnuSaveSetting_Click(App&) {
    standin_called("mnuSaveSetting_Click");
}
void mnuClearTmp_Click(App&) {
    standin_called("mnuClearTmp_Click");
}
void mnuZipit_Click(App&) {
    standin_called("mnuZipit_Click");
}
void mnuUnzipit_Click(App&) {
    standin_called("mnuUnzipit_Click");
}
void mnuViewZip_Click(App&) {
    standin_called("mnuViewZip_Click");
}
void mnuUnzip_Click(App&) {
    standin_called("mnuUnzip_Click");
}
void mnuAddtoZip_Click(App&) {
    standin_called("mnuAddtoZip_Click");
}
void mnuTestZip_Click(App&) {
    standin_called("mnuTestZip_Click");
}
void mnuRepairZip_Click(App&) {
    standin_called("mnuRepairZip_Click");
}
void mnuRescueZip_Click(App&) {
    standin_called("mnuRescueZip_Click");
}

} // namespace vexolan
