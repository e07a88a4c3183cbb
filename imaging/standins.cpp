#include "imaging/standins.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/standins.hpp"

namespace vexolan {

void Timer1_Timer(App& app) {
    app.form1().Timer1.Enabled = false;
    cmd_Preview(app);
}

void cmd_Preview(App&) {}
void cmd_Invoke(App&) {}
void cmd_Thumbnail(App&) {}

void mnuPluginPreview_Click(App& app) {
    Form1& f = app.form1();
    ui::ToolbarButton& b = f.Toolbar1.Buttons(1);
    b.Value = b.Value == ui::tbrPressed ? ui::tbrUnpressed : ui::tbrPressed;
    f.mnuPluginPreview.Checked = b.Value == ui::tbrPressed;
    f.Toolbar1.ButtonClick(b);
}

void mnuOpen_Click(App&) {
    standin_called("mnuOpen_Click");
}
void mnuSavePreview_Click(App&) {
    standin_called("mnuSavePreview_Click");
}
void mnuRandomize_Click(App&) {
    standin_called("mnuRandomize_Click");
}
void mnuUpdateCache_Click(App&) {
    standin_called("mnuUpdateCache_Click");
}
void mnuPictures_Click(App&, int) {
    standin_called("mnuPictures_Click");
}
void mnuPictureView_Click(App&) {
    standin_called("mnuPictureView_Click");
}
void LoadintoPicView(App&, const std::string& ImageFile, int&) {
    standin_called("LoadintoPicView " + ImageFile);
}

} // namespace vexolan
