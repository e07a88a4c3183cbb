// Vexolan: plug-in organizer, converter and creator. Builds the App on the FLTK host with the
// per-user application folder prepared from the installed one, starts the main window with the file
// named on the command line, and runs the event loop until the last window goes.
//
//     vexolan [file]
#include "filterfactory/compiler.hpp"
#include "shell/App.hpp"
#include "shell/artwork.hpp"
#include "shell/startup.hpp"

#include "platform/fs/files.hpp"

#include "platform/fltk/FltkHost.hpp"

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
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
    try {
        vexolan::ff::RenewOldStandInTemplates(appFolder);
    } catch (const vb::Error& e) {
        // The old stand-ins still compile plug-ins; only the catalogue cannot name those.
        std::cerr << "Vexolan could not renew the template plug-ins in " << appFolder << ": " << e.description() << "\n";
    }
    try {
        fltk::FltkHost host;
        host.set_picture_resolver([](int handle) {
            std::string file = vexolan::ArtworkFile(handle);
            return file.empty() ? std::string() : files::app_path(file);
        });
        vexolan::App app(host, appFolder);
        vexolan::StartProgram(app, vexolan::CommandLineFile(argc, argv));
        int code = host.run();
        // Windows still loaded when the loop ends (none after a normal close) go now, in order.
        app.host.registry().UnloadAll();
        return code;
    } catch (const std::exception& e) {
        std::cerr << "Vexolan stopped: " << e.what() << "\n";
        return 1;
    }
}
