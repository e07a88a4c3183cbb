// Vexolan: plug-in organizer, converter and creator. Builds the App on the FLTK host with the
// per-user application folder prepared from the installed one, shows the main window and runs the
// event loop until the last window closes.
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/artwork.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include "version.hpp"

#if VEXOLAN_HAVE_FLTK
#include "platform/fltk/FltkHost.hpp"
#endif

#include <cstdlib>
#include <iostream>
#include <string>

namespace {

#if VEXOLAN_HAVE_FLTK
// Until the start-up sequence restores the saved state, both panes open on the home folder with
// every file listed.
void show_main_window(vexolan::App& app) {
    vexolan::Form1& f = app.form1();
    const char* home = std::getenv("HOME");
    for (int pane = 0; pane < 2; ++pane) {
        try {
            f.Combo1[pane].AddItem("All Files (*.*)");
            f.Combo1[pane].ListIndex = 0;
            if (home && *home) f.Dir1[pane].Path = home;
        } catch (const vb::Error&) {
            // A home folder that cannot be listed leaves the pane on its first folder.
        }
    }
    f.Caption = "Vexolan " + std::to_string(vexolan::VersionMajor) + "." + vb::Format(vexolan::VersionMinor, "00") +
                " - Light Edition";
    f.Show();
}
#endif

} // namespace

int main(int, char**) {
#if VEXOLAN_HAVE_FLTK
    std::string why;
    if (!fltk::open_display(why)) {
        std::cerr << why << "\n";
        return 2;
    }
    const std::string appFolder = files::app_folder();
    try {
        files::prepare_app_folder(VEXOLAN_APPFOLDER);
    } catch (const vb::Error& e) {
        std::cerr << "Vexolan could not prepare its application folder " << appFolder << ": " << e.description()
                  << "\n";
        return 1;
    }
    fltk::FltkHost host;
    host.set_picture_resolver([](int handle) {
        std::string file = vexolan::ArtworkFile(handle);
        return file.empty() ? std::string() : files::app_path(file);
    });
    vexolan::App app(host, appFolder);
    show_main_window(app);
    int code = host.run();
    app.host.registry().UnloadAll();
    return code;
#else
    std::cerr << "Vexolan was built without FLTK (install libfltk1.3-dev and build again): it has no window to show.\n";
    return 2;
#endif
}
