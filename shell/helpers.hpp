#pragma once
// Small procedures every subsystem calls: splitting paths, sorting a report list by text, number
// or date, and rescaling a window designed at 12 twips per pixel to the screen's resolution.

#include <string>
#include <string_view>

namespace ui {
class Window;
}

namespace vexolan {

// The text after the last "/"; the whole text when there is none; "" when it ends with "/".
std::string GetFileName(std::string_view path);
// The text up to and including the last "/"; "" when there is none.
std::string GetPathName(std::string_view path);
// Every digit d becomes 9 - d and every "-" a blank; other characters stay.
std::string InvertDigits(std::string_view text);

// Multiplies the window's size and its controls' positions, sizes, line ends and (for the named
// kinds) font sizes by the screen's twips per pixel / 12, each axis by its own factor. The window's
// position is not changed.
void ScaleForm(ui::Window& window);

} // namespace vexolan
