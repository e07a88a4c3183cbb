#pragma once
// What the Preferences window changes and reads in the main window: the menu arrays its lists fill,
// the two font groups, and the File View display options.

#include <string>
#include <vector>

namespace ui {
class MenuArray;
struct FontChoice;
} // namespace ui

namespace vexolan {

class App;

// The menu array a list fills: 0 the favourite folders (mnuDirectorys), 1 the pictures (mnuPictures),
// 2 the applications (mnuApps).
ui::MenuArray* MenuArrayOf(App& app, int list);
// The captions of that menu array's items 0 to its upper bound ("" for an item not loaded).
std::vector<std::string> MenuCaptions(App& app, int list);
// The list font (of the left report list ListView1(0)) and the other font (of the left pane label
// Label1(0)).
ui::FontChoice ListFont(App& app);
ui::FontChoice OtherFont(App& app);
// Gives every control of a font group the font: group 0 the lists of both panes (ListView1,
// ListView2, List2, List3, File1, Dir1), group 1 the filter boxes, pane labels, "Photoshop Mode"
// boxes and tab strips of both panes and the six buttons of the button bar.
void ApplyFontGroup(App& app, int group, const ui::FontChoice& font);
// Sets one File View display option on both panes' report lists and library lists: 0 hover
// selection, 1 flat scroll bar, 2 grid lines, 3 full-row selection, 4 hot tracking.
void ApplyListViewOption(App& app, int option, bool on);
// Fits the columns of each report list showing the report view, and of both library lists.
void FitListViewColumns(App& app);

} // namespace vexolan
