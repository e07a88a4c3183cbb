#pragma once
// The call log of the temporary stand-ins (ffeditor/standins.*): procedures
// that the main window calls before those parts of the program exist. Each does the least its
// caller needs and notes its call here, so the menus and buttons can be checked end to end.

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


} // namespace vexolan
