#pragma once
// The main window's imaging commands of the larger edition: the preview toggle and timer, and the
// commands that exist in this edition without behaviour. Their entries start disabled or hidden,
// and callers pass these procedures their arguments, so the names and parameters stay.

#include <string>

namespace vexolan {

class App;

// The preview delay ran out: the timer stops and the (empty) preview command runs.
void Timer1_Timer(App& app);
// View > "Preview": toggles the toolbar's first button and the entry's check mark together.
void mnuPluginPreview_Click(App& app);

// --- procedures with an empty body in this edition ---
void cmd_Preview(App& app, bool NotFromChache);
void cmd_SavePreview(App& app);
void cmd_SaveSetting(App& app);
void cmd_ApplySetting(App& app, const std::string& Setfile, bool Rescan);
void cmd_Invoke(App& app);
void cmd_Thumbnail(App& app);
void cmd_PicSelect(App& app);
bool ApplyFilter(App& app, const std::string& Stringy, int& Imgvary, const std::string& Parameter);
bool ApplyFF_Filter(App& app, const std::string& PlugFile, int& Imgvary, bool Randomy);
void TilePicture(App& app, int SrcObj, int DestObj);
void DisplayPSPInPreview(App& app, const std::string& Diry, const std::string& Fily);
void CrashInspector(App& app, int ArNum);
void GrabPhotoshopLibs(App& app);

// --- handlers of the File menu's disabled and hidden entries ---
void mnuSavePreview_Click(App& app);
void mnuSetWallpaper_Click(App& app);
void mnuRandomize_Click(App& app);
void mnuUpdateCache_Click(App& app);
void mnuApplySetting_Click(App& app);
void mnuSaveSetting_Click(App& app);

} // namespace vexolan
