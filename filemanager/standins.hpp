#pragma once
// Temporary stand-ins for the file manager's procedures that the main window calls, until the
// file manager exists. Each only notes its call.

#include <string>

namespace vexolan {

class App;

// --- commands ---
void mnuClearTmp_Click(App& app);
void mnuZipit_Click(App& app);
void mnuUnzipit_Click(App& app);
void mnuViewZip_Click(App& app);
void mnuUnzip_Click(App& app);
void mnuAddtoZip_Click(App& app);
void mnuTestZip_Click(App& app);
void mnuRepairZip_Click(App& app);
void mnuRescueZip_Click(App& app);

} // namespace vexolan
