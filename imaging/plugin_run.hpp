#pragma once
// Running a filter plug-in on the working image PluginImage: host loaded, plug-in loaded, one run
// in place, the result drawn at its own size into the box's top-left corner, host unloaded.

#include "platform/imgman/plugin_host.hpp"
#include "platform/ui/Controls.hpp"

#include <cstdint>
#include <string>

namespace vexolan {

class App;

// The window handle that stands for the main window when a caller passes 0.
inline constexpr int32_t MainWindowHandle = 1;

// The message of a plug-in that cannot be loaded.
inline constexpr std::string_view PluginLoadError = "An error occured while loading the plugin!\r\r"
                                                    "The plugin may be invalid or\r"
                                                    "you may need msvcrt10.dll or plugin.dll\r"
                                                    "in your Windows System folder.";

// Draws the image `handle` into `box`: `source` of the image into `destination` of the box. Set by
// the imaging layer's drawing; nothing is drawn while it is empty.
using ImageDrawer = std::function<void(int32_t handle, ui::PictureBox& box, const imgman::Rect& destination,
                                       const imgman::Rect& source)>;
void set_image_drawer(ImageDrawer drawer);

// Runs the plug-in `PlugName` of the folder `PlugPath` on app.PluginImage; with `PicDraw` draws
// the result into `PicBox`. `FormyHwnd` 0 becomes MainWindowHandle. True when the run succeeded.
bool PluginInvoke(App& app, std::string& PlugPath, std::string& PlugName, ui::PictureBox& PicBox, bool& PicDraw,
                  int32_t& FormyHwnd);

} // namespace vexolan
