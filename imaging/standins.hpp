#pragma once
// Temporary stand-ins of the imaging commands that are not built yet. Each only notes its call.

#include <string>

namespace vexolan {

class App;

// File > "Open Preview Image...": asks for a new preview picture (built with the Filter Factory
// editor's preview).
void OpenPreviewPic(App& app);
// Opens a picture in the picture editor; `ImageLoady` is the handle variable the picture is opened
// into (0 for a new one).
void LoadintoPicView(App& app, const std::string& ImageFile, int& ImageLoady);

} // namespace vexolan
