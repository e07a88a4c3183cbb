#pragma once
// Temporary stand-ins for the file manager's procedures that the main window calls, until the
// file manager exists. The folder and list procedures do the least that keeps a pane usable
// (follow the folder, list its entries); the commands only note their call.

#include <string>

namespace vexolan {

class App;

// --- the File View of a pane ---
void Dir1_Change(App& app, int Index);
void File1_DblClick(App& app, int Index);
void ListView1_DblClick(App& app, int Index);
// The folder-box image: switches the folder box beside the report list on or off.
void Image5_Click(App& app, int Index);

// --- commands ---
void mnuFileInformation_Click(App& app);
void mnuSelectAll_Click(App& app);
void mnuToggleselect_Click(App& app);
void mnuApplySetting_Click(App& app);
void mnuSaveSetting_Click(App& app);
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
