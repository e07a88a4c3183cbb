#pragma once
// The preview entries of the main window. The preview itself is absent from this edition, so
// Timer1_Timer, cmd_Invoke and cmd_Thumbnail are complete as they are; the handlers of the preview
// picture and the picture editor are temporary stand-ins until the imaging part exists.

#include <string>

namespace vexolan {

class App;

// --- complete in this edition ---
// The preview delay ran out: the timer stops and the (empty) preview command runs.
void Timer1_Timer(App& app);
void cmd_Preview(App& app);
void cmd_Invoke(App& app);
void cmd_Thumbnail(App& app);
// View > "Preview": toggles the toolbar's first button and the entry's check mark together.
void mnuPluginPreview_Click(App& app);

// --- stand-ins ---
void mnuOpen_Click(App& app);
void mnuSavePreview_Click(App& app);
void mnuRandomize_Click(App& app);
void mnuUpdateCache_Click(App& app);
void mnuPictures_Click(App& app, int Index);
void mnuPictureView_Click(App& app);
// Opens a picture in the picture editor; `ImageLoady` is the handle variable the picture is opened
// into (0 for a new one).
void LoadintoPicView(App& app, const std::string& ImageFile, int& ImageLoady);

} // namespace vexolan
