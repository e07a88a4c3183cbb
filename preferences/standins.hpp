#pragma once
// Services of the shell that the Preferences windows call and that are not on this branch yet: the
// small-window frame (grey bar, roll-up, caption drag), help pages and the open-file dialog, and the
// imaging library's picture dialog. Each does what its callers rely on.

#include <string>
#include <string_view>

namespace ui {
class Window;
}

namespace vexolan {

class App;

namespace local {

// Paints the grey gradient bar of a small window, `Pixelwidth` pixels thick: along the top (or the
// bottom) when horizontal, down the left edge otherwise.
void GreyscaleBar(ui::Window& Formy, long& Pixelwidth, bool HOrientation, bool Bottomy);
// The roll-up state a window keeps for as long as it exists.
struct RollUpState {
    bool Restored = false;
    long SavedSize = 0; // twips
};
// A double click on the body: rolls the window up to a strip of 28 design pixels or back.
void ToggleRollUpHeight(ui::Window& window, RollUpState& state);
// The left button went down on the body: the window follows the mouse as a caption drag would.
void BeginCaptionDrag(ui::Window& window);
// Opens the page `Fily` of the "help" folder of the application folder; when no program can show
// it, says "You have no HTML Viewer installed!".
void ShowHelp(App& app, std::string_view Fily);
// The open-file dialog over `form`: the chosen file's name, its folder (with "/") into `folder`;
// "" on cancel. `filter` holds "|"-separated description and pattern pairs.
std::string ShowOpenDialog(ui::Window& form, std::string_view title, std::string& folder, std::string_view fileName,
                           std::string_view filter, std::string_view defaultExt);

} // namespace local

// The imaging library's picture dialog: the chosen file's full path into `name` ("" on cancel) and
// an open image handle (0 when none), which the caller closes with CloseImg.
int OpenImgDialog(App& app, std::string& name);
void CloseImg(App& app, int& handle);

} // namespace vexolan
