#pragma once
// The editor's live preview: the filter of the window compiled and run over the preview picture.

namespace vexolan {

class App;

// Compiles the window's filter and shows it in the preview box; when a formula is too long for a
// plug-in or does not compile, the box shows why in place of the picture, naming the code box.
// Every slider move with Auto Preview on calls it.
void RefreshPreview(App& app);
// Toolbar "Show large preview": the filter over the full-size picture, shown in the picture editor.
void ShowBigPreview(App& app);
// Toolbar "Save filtered picture".
void SaveFilteredPic(App& app);
// File > "Open Preview Image..." and the toolbar's "Open new BMP picture as preview source": asks
// for a new preview picture. A file the imaging layer cannot open changes nothing.
void OpenPreviewPic(App& app);
// Makes the preview plug-in "temp.dll" in the application folder: a copy of the template
// "Photo30.dll" with its dialog flag cleared. False when there is no template.
bool PreparePreviewPlugin(App& app);

} // namespace vexolan
