#pragma once
// Temporary stand-ins for commands of the catalogue, the conversion and the help links that the
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
// The folder scanner: finds nothing yet.
long ScanPluginRecurse(App& app, int Index, bool OnlyFF, int MultiTask, int LastDirInd);
void cmd_EnableDisable(App& app);
void cmd_ChangeCategory(App& app);
void cmd_PlugInInformation(App& app);
void cmd_PlugInList(App& app);
void cmd_AboutDialog(App& app);

// --- help pages, links and the small windows ---
void mnuHelp_Click(App& app);
void mnuHelpTutorials_Click(App& app);
void mnuHelpQMK_Click(App& app);
void mnuVexoNews_Click(App& app);
void mnuAddURL_Click(App& app, int Index);
void mnuEmailAuthor_Click(App& app);
void mnuEmailTechSupport_Click(App& app);
void mnuFilterDownload_Click(App& app);
void ShowURL(App& app, std::string_view URL);
void ShowTipWindow(App& app);
void ShowAboutBox(App& app, bool modal);

} // namespace vexolan
