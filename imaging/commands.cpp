#include "imaging/commands.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

void Timer1_Timer(App& app) {
    app.form1().Timer1.Enabled = false;
    cmd_Preview(app, false);
}

void mnuPluginPreview_Click(App& app) {
    Form1& f = app.form1();
    ui::ToolbarButton& b = f.Toolbar1.Buttons(1);
    b.Value = b.Value == ui::tbrPressed ? ui::tbrUnpressed : ui::tbrPressed;
    f.mnuPluginPreview.Checked = b.Value == ui::tbrPressed;
    f.Toolbar1.ButtonClick(b);
}

void cmd_Preview(App&, bool) {}
void cmd_SavePreview(App&) {}
void cmd_SaveSetting(App&) {}
void cmd_ApplySetting(App&, const std::string&, bool) {}
void cmd_Invoke(App&) {}
void cmd_Thumbnail(App&) {}
void cmd_PicSelect(App&) {}
bool ApplyFilter(App&, const std::string&, int&, const std::string&) {
    return false;
}
bool ApplyFF_Filter(App&, const std::string&, int&, bool) {
    return false;
}
void TilePicture(App&, int, int) {}
void DisplayPSPInPreview(App&, const std::string&, const std::string&) {}
void CrashInspector(App&, int) {}
void GrabPhotoshopLibs(App&) {}

void mnuSavePreview_Click(App& app) {
    cmd_SavePreview(app);
}
void mnuSetWallpaper_Click(App&) {}
// Randomize and Update have no command in this edition.
void mnuRandomize_Click(App&) {}
void mnuUpdateCache_Click(App&) {}
void mnuApplySetting_Click(App& app) {
    cmd_ApplySetting(app, "", true);
}
void mnuSaveSetting_Click(App& app) {
    cmd_SaveSetting(app);
}

} // namespace vexolan
