#pragma once
// Temporary stand-ins for commands of the catalogue and the conversion that the
// main window calls before those parts of the program exist. Each does the least its caller
// needs and notes its call, so the menus and buttons can be checked end to end; the real
// procedures replace them one by one.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;

// --- the call log of every stand-in ---
void standin_called(std::string_view name);
std::vector<std::string>& standin_calls();
// Runs after a stand-in noted its call (a test may act as the real command would).
std::function<void(std::string_view)>& on_standin_call();

// --- catalogue ---
void cmd_EnableDisable(App& app);
void cmd_ChangeCategory(App& app);
void cmd_PlugInInformation(App& app);
void cmd_PlugInList(App& app);
void cmd_AboutDialog(App& app);

} // namespace vexolan
