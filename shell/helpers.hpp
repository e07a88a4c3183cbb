#pragma once
// Small procedures every subsystem calls: splitting paths, sorting a report list by text, number
// or date, and rescaling a window designed at 12 twips per pixel to the screen's resolution.

#include <array>
#include <string>
#include <string_view>

namespace ui {
class Window;
class ListView;
} // namespace ui

namespace vexolan {

// The text after the last "/"; the whole text when there is none; "" when it ends with "/".
std::string GetFileName(std::string_view path);
// The text up to and including the last "/"; "" when there is none.
std::string GetPathName(std::string_view path);
// Every digit d becomes 9 - d and every "-" a blank; other characters stay.
std::string InvertDigits(std::string_view text);

// The sort direction of each column (1 to 3) of a pane's report list; True means ascending.
// Each pane keeps its own, so sorting one pane never changes the other's next direction.
using ColumnSortOrders = std::array<bool, 4>;

// How SortListView compares the cells of the column.
enum SortKind : int { SortText = 0, SortNumber = 1, SortDate = 2 };

// Sorts a report list on `column` (1 = the item text, n = sub-item n - 1) as text, number or date.
// Number and date cells get a temporary key that sorts as text; their real texts and tags are put
// back afterwards. The column's header shows the ascending (11) or descending (12) mark from
// `order[column]`; every other column's direction is set to False.
void SortListView(ui::ListView& list, int column, int kind, bool ascending, ColumnSortOrders& order);
// Fits every column to the widest of its cells and its header.
void LV_OptimalWidth(ui::ListView& list);

// Multiplies the window's size and its controls' positions, sizes, line ends and (for the named
// kinds) font sizes by the screen's twips per pixel / 12, each axis by its own factor. The window's
// position is not changed.
void ScaleForm(ui::Window& window);

} // namespace vexolan
