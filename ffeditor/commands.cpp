#include "ffeditor/commands.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "imaging/commands.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

void mnuFFE_Click(App& app) {
    Form1& main = app.form1();
    main.MousePointer = ui::vbHourglass;
    vb::ResumeNext([&] {
        FFEditorType1& editor = app.EditorForm();
        if (editor.Loaded() && editor.Visible) {
            editor.Hide();
        } else if (app.form2().Combo1.ListIndex == 0) {
            // The plain editor has no window of its own.
            cmd_Preview(app, false);
        } else {
            editor.Show();
        }
    });
    main.MousePointer = ui::vbDefault;
}

void LoadEditorHidden(App& app) {
    app.EditorForm().Load();
}

} // namespace vexolan
