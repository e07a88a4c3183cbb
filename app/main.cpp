// Vexolan: plug-in organizer, converter and creator. Builds the App on the FLTK host with the
// per-user application folder prepared from the installed one, shows a window and runs the loop.
#include "shell/App.hpp"
#include "shell/artwork.hpp"
#include "shell/frmAbout.hpp"

#include "platform/fs/files.hpp"

#if VEXOLAN_HAVE_FLTK
#include "platform/fltk/FltkHost.hpp"
#endif

#include <cstdlib>
#include <iostream>
#include <string>

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
    // The start-up sequence behind the splash window comes with the finished main window; until
    // then the program shows its about box.
    app.aboutBox().Show();
    int code = host.run();
    app.host.registry().UnloadAll();
    return code;
#else
    std::cerr << "Vexolan was built without FLTK (install libfltk1.3-dev and build again): it has no window to show.\n";
    return 2;
#endif
}
