#pragma once
// The File View of a pane: the report list ListView1(pane) built from the pane's file box and folder
// box, its icons, size and date texts, its sorting, and the choice of its view mode.
//
// Every item carries an icon number that also tells its kind everywhere in the program:
// 1 a sub-folder (text: one blank and the name), 2 the parent entry " ..", 3 and above a file.

#include "platform/values/values.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {
class ColumnHeader;
}

namespace vexolan {

class App;

// Icon numbers of the report list's items.
enum FileViewIcon : int {
    IconFolder = 1,
    IconParent = 2,
    IconFile = 3,
    IconPlugin = 4,    // .8bf
    IconPremiere = 5,  // .prm
    IconAfterFx = 6,   // .aex
    IconLibrary = 7,   // .ffl
    IconZip = 8,       // .zip
    IconPaintShop = 9, // tubes, masks, patterns and the like
    IconPicture = 11,  // .jpg, .gif, .bmp, .wmf, .png, .tga, .pcx
};

// The icon of a file by the last four characters of its name, compared in lower case. Disabled
// spellings of plug-ins ("._bf", "_prm") get the plain file icon.
int FileIcon(std::string_view name);
// The size column's text: the length grouped by thousands ("1,200,000"); "" for an empty file.
std::string SizeText(std::uint64_t length);
// The date column's text: the general date text cut after its first blank, the blank kept
// ("12/9/2026 "); a text without a blank (midnight) stays whole.
std::string DateText(const vb::DateTime& date);

// Rebuilds pane `Switchx`'s report list from folder `Currentdir` (".." and relative paths are taken
// from the pane's own folder): the parent item (not at the root), the files of the pane's file box,
// the sub-folders when the folder box is hidden, then a sort on the pane's sort column. With
// `FocusItem` the item at the position of the selected one is selected again. Returns the folder
// listed, ending in "/", or "" when `Currentdir` is no folder (the list then stays as it was).
std::string FillDirList(App& app, std::string_view Currentdir, int Switchx, bool FocusItem = false);
// The older call form with an item text: a non-empty text keeps the selection by position.
std::string FillDirList(App& app, std::string_view Currentdir, int Switchx, const char* FocusItem);

// The pane's list mode: 0 Large Icons, 1 Small Icons, 2 List, 3 Details, 4 Classic (file box shown).
int DetermineFileViewMode(App& app, int Switchx);
// The view-mode image of a pane: makes the pane active, checks its mode in the "FileView" pop-up and
// shows the pop-up below the image.
void Image2_Click(App& app, int Index);
// A click on a column header: turns that column's direction for the pane and sorts on it, keeping the
// selected item in view.
void ListView1_ColumnClick(App& app, int Index, ui::ColumnHeader& ColumnHeader);

} // namespace vexolan
