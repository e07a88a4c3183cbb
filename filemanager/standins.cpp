#include "filemanager/standins.hpp"

#include "filemanager/fileview.hpp"

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/standins.hpp"

#include <algorithm>

namespace vexolan {

void Dir1_Change(App& app, int Index) {
    Form1& f = app.form1();
    vb::ResumeNext([&] { f.File1[Index].Path = f.Dir1[Index].Path.get(); });
    vb::ResumeNext([&] { files::ChDir(f.Dir1[Index].Path.get()); });
    if (f.ListView1[Index].Visible) FillDirList(app, f.Dir1[Index].Path, Index);
    DrawDirLabel(app, Index);
}

void File1_DblClick(App&, int) {
    standin_called("File1_DblClick");
}
void ListView1_DblClick(App&, int) {
    standin_called("ListView1_DblClick");
}

void Image5_Click(App& app, int Index) {
    Form1& f = app.form1();
    if (!f.ListView1[Index].Visible) return;
    f.Image5[Index].Tag = f.Image5[Index].Tag.get() == "1" ? "" : "1";
    f.Dir1[Index].Visible = f.Image5[Index].Tag.get() == "1";
    ArrangeFileView(app, Index);
    FillDirList(app, f.Dir1[Index].Path, Index);
}

void mnuFileInformation_Click(App&) {
    standin_called("mnuFileInformation_Click");
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
