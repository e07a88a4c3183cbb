#pragma once
// Temporary stand-ins for commands of the link-list window that the
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

// --- the link-list window ---
// View > "FX Download": shows the link-list window without waiting.
void mnuFilterDownload_Click(App& app);

} // namespace vexolan
