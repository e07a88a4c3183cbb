#pragma once
// The Filter Factory editor ready for a test: the application folder holding what the editor needs
// (interface files, the preview picture Test.bmp, the template plug-ins) and the preview plug-in
// "temp.dll" as start-up makes it, and the skinned editor chosen in the Preferences.

#include "shell/App.hpp"

namespace test_support {

// Copies the installed application folder into the App's and makes "temp.dll" from "photo30.dll"
// with its dialog flag cleared.
void prepare_editor_folder(vexolan::App& app);
// Chooses an interface file (not "Original FF Editor!") in the Preferences' interface box.
void choose_skinned_editor(vexolan::App& app);
// The plug-in host's runs since its log was last reset.
int plugin_runs();

} // namespace test_support
