#pragma once
// Small-window services the Preferences windows call on the main window's side: the help pages, the
// grey gradient bar and the caption drag of a borderless window. Kept here until the shell's own
// versions are in place.

#include <string>
#include <string_view>

namespace ui {
class Window;
}

namespace vexolan {

class App;

// Opens the page `Fily` of the "help" folder of the application folder; when no viewer can show it,
// says "You have no HTML Viewer installed!".
void ShowHelp(App& app, std::string_view Fily);
// Paints the grey gradient bar of a small borderless window, `Pixelwidth` pixels thick, horizontal
// (along the top, or the bottom with `Bottomy`) or vertical (along the left side).
void GreyscaleBar(ui::Window& Formy, int Pixelwidth, bool HOrientation, bool Bottomy);
// The left button went down on the body of a borderless window: the window follows the mouse as if
// its caption had been grabbed.
void BeginCaptionDrag(ui::Window& Formy);

} // namespace vexolan

namespace ui {
class MenuArray;
}

namespace vexolan {

// The imaging library's picture dialog: the chosen file's full path into `name` ("" on cancel) and
// an open image handle (0 when none), which the caller closes with CloseImg.
int OpenImgDialog(App& app, std::string& name);
void CloseImg(App& app, int& handle);

// The open-file dialog: returns the chosen file's name without its folder ("" on cancel) and puts
// the file's folder into `folder`. A start folder "c:\" stands for the user's home folder; `filter`
// is the "|"-separated text of description and pattern pairs.
std::string ShowOpenDialog(App& app, std::string_view title, std::string& folder, std::string_view proposedName,
                           std::string_view filter, std::string_view defaultExtension);

// The main window's menu arrays the lists fill: 0 the favourite folders (mnuDirectorys), 1 the pictures
// (mnuPictures), 2 the applications (mnuApps); nullptr while the main window has none.
ui::MenuArray* MenuArrayOf(App& app, int list);
// Gives the present entry at `itemPosition` of the menu at `barPosition` of the main window's menu
// bar the picture Image3(picture) (ChangeMenuBitmap2).
void MenuPicture(App& app, int picture, int barPosition, int itemPosition);

} // namespace vexolan

namespace ui {
struct FontChoice;
}

namespace vexolan {

// The main window's fonts: the list font (its left report list ListView1(0)) and the other font
// (its left pane label Label1(0)).
ui::FontChoice ListFont(App& app);
ui::FontChoice OtherFont(App& app);
// Gives the main window's controls of a font group (0 lists, 1 the others) the font.
void ApplyFontGroup(App& app, int group, const ui::FontChoice& font);
// Sets one File View display option (0 hover selection, 1 flat scroll bar, 2 grid lines, 3 full-row
// selection, 4 hot tracking) on both panes' report lists and library lists.
void ApplyListViewOption(App& app, int option, bool on);
// Fits the report lists' columns: each ListView1 showing the report view, and both ListView2.
void FitListViewColumns(App& app);
// Refreshes the main window's application button (GetIcons).
void GetIcons(App& app);

} // namespace vexolan
