#pragma once
// The main window's status strip: a progress bar painted over the status label, the "n of m"
// count, the remaining-time estimate, and the two standard error boxes.

#include <chrono>
#include <string>
#include <string_view>

namespace vb {
class Error;
}

namespace vexolan {

class App;

// Draws the bar for `Percent` (0 clears it, 101 and more do nothing); `Full` covers the whole
// status line, otherwise only its lower third.
void Progressbar(App& app, long Percent, bool Full);
// Progress of a batch: the thin bar, " 1 of  4" and the remaining seconds (" 4 sec."), counted
// from `iniTime`, the steady-clock time the batch started.
void StatusDisplay(App& app, long Current, long total, std::chrono::steady_clock::time_point iniTime);
void StatusDisplayClear(App& app);
// "Vexo Error 53: File not found" for the current error, to inform.
void ErrorMessage(App& app);
// The same, asking "Continue anyway?"; returns 6 (Yes) or 7 (No).
int ErrorMessage2(App& app);
// "Vexo Error 61: Disk full" and, on a second line, "<path> was not written.": the message for a file
// the program could not write.
std::string NotWrittenMessage(const vb::Error& error, std::string_view path);

} // namespace vexolan
