#pragma once
// How the program comes up: the main window's Form_Initialize and Form_Load.
//
//     App app(host, appFolder);
//     StartProgram(app, commandLine);   // Form_Initialize, then Form1 loads and shows itself
//     host.run();
//
// Form_Initialize shows the splash window and switches off what this edition lacks. Form_Load fills
// the panes' filter boxes, prepares the preview plug-in "temp.dll", loads the Preferences, restores
// both panes and the window from the settings store, welcomes a first-time user, shows the window
// with its caption, the tip of the day, and selects a file named on the command line.

#include <string>
#include <string_view>

namespace vexolan {

class App;
class Form1;

// The caption of the main window: "Vexolan 1.52 - Light Edition" (the minor version with at least
// two digits, so 1.5 reads "Vexolan 1.05 - Light Edition").
std::string MainCaption(int major, int minor);
// The first-run welcome, its lines joined by CR LF.
std::string WelcomeMessage();
// The command line as the program takes it: the arguments joined by blanks, surrounding quotes
// taken off, made absolute against the current folder; "" when there are none.
std::string CommandLineFile(int argc, const char* const* argv);

// Makes Form1 the program's start-up object and brings it up: Form_Initialize, then Form1 loads,
// which runs Form_Load. `commandLine` is at most one file path.
void StartProgram(App& app, std::string commandLine = {});

// The main window's events of start-up.
void Form_Initialize(Form1& f);
void Form_Load(Form1& f);

} // namespace vexolan
