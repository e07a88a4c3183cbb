#pragma once
// Temporary stand-ins of the imaging commands that are not built yet. Each only notes its call.

namespace vexolan {

class App;

// File > "Open Preview Image...": asks for a new preview picture (built with the Filter Factory
// editor's preview).
void OpenPreviewPic(App& app);

} // namespace vexolan
