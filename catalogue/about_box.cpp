// The plug-in's own about box, shown through the imaging layer's plug-in host.

#include "catalogue/commands.hpp"

#include "platform/imgman/plugin_host.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

namespace vexolan {

PluginHostCalls DefaultPluginHostCalls() {
    PluginHostCalls calls;
    calls.IsEnabled = [] { return imgman::ImgPlugInHostIsEnabled(); };
    calls.Unload = [] { return imgman::ImgPlugInHostUnload(); };
    calls.Load = [](std::string_view folder) { return imgman::ImgPlugInHostLoad(folder); };
    // The main window owns the box: it is shown through the program's host.
    calls.About = [](App& app, std::string_view path) { return imgman::ImgPlugInAbout(&app.host, path); };
    return calls;
}

PluginHostCalls& plugin_host_calls() {
    static PluginHostCalls calls = DefaultPluginHostCalls();
    return calls;
}

void cmd_AboutDialog(App& app) {
    Form1& f = app.form1();
    const int pane = f.Switchy;
    if (app.PaneMode[pane] == 3) return;
    // The pointer is set back on every way out.
    struct PointerBack {
        Form1& f;
        ~PointerBack() { f.MousePointer = ui::vbDefault; }
    } pointerBack{f};
    try {
        const std::string path = GetSingleItem(app, pane);
        if (path.empty()) {
            app.host.MsgBox("Please select a plugin or other supported file.", ui::vbExclamation);
            return;
        }
        const std::string ext = vb::LCase(path.size() >= 4 ? path.substr(path.size() - 4) : path);
        if (ext == ".8bf" || ext == "._bf") {
            f.MousePointer = ui::vbHourglass;
        } else if (ext == "_8bf") {
            const int answer = app.host.MsgBox(
                "Photoshop-compatible plugins without a file extension can cause a crash\r\n"
                "when you try to execute them. To avoid this risk please use the En/Disable \r\n"
                "command to add a .8bf or ._bf extension to the plugin file.\r\n\r\n"
                "Do you want to execute this plugin anyway?",
                ui::vbYesNo | ui::vbExclamation, "Warning");
            if (answer != ui::vbYes) return;
        } else {
            app.host.MsgBox("Please select a Photoshop-compatible plugin to execute this function.", ui::vbExclamation);
            return;
        }
        PluginHostCalls& host = plugin_host_calls();
        if (host.IsEnabled() && host.Unload() != 1) return;
        if (host.Load("") != 1) return;
        if (host.About(app, path) != 1) return;
        host.Unload();
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
}

} // namespace vexolan
