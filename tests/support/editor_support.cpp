#include "tests/support/editor_support.hpp"

#include "filterfactory/compiler.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/plugin_host.hpp"
#include "preferences/Form2.hpp"

namespace test_support {

void prepare_editor_folder(vexolan::App& app) {
    files::prepare_app_folder(VEXOLAN_APPFOLDER);
    const std::string preview = (app.AppPath / vexolan::ff::PreviewPlugin).string();
    files::copy_file((app.AppPath / "photo30.dll").string(), preview, true);
    vexolan::ff::ToggleFFUI(preview, false);
}

void choose_skinned_editor(vexolan::App& app) {
    vexolan::Form2& prefs = app.form2();
    if (prefs.Combo1.ListCount() < 2) prefs.Combo1.AddItem("Vexolan Classic");
    prefs.Combo1.ListIndex = 1;
}

int plugin_runs() {
    return static_cast<int>(imgman::plugin_host_log().Invokes.size());
}

} // namespace test_support
