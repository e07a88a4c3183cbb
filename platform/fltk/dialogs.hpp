#pragma once
// The host's own dialog windows: message box, input box and font chooser. Each runs modally until
// the user answers.

#include "platform/ui/Host.hpp"

#include <optional>
#include <string>
#include <string_view>

class Fl_Window;

namespace fltk {

// Puts a window that is about to show centred over `owner` (when there is one), wholly on the
// screen that holds the owner.
void place_over(Fl_Window& window, Fl_Window* owner);

// A message box with the Windows button set and icon of `style`; returns the Windows answer.
// Return presses the default button; Escape and the close box answer Cancel where there is one
// (OK for a box with OK alone) and do nothing otherwise.
int show_message_box(std::string_view prompt, int style, std::string_view title, Fl_Window* owner = nullptr);
// The text entered, or "" when the user cancels.
std::string show_input_box(std::string_view prompt, std::string_view title, std::string_view defaultText,
                           Fl_Window* owner = nullptr);
// A small font chooser: face list, size, bold, italic, underline, strikeout. nullopt on cancel.
std::optional<ui::FontChoice> show_font_dialog(const ui::FontChoice& initial, Fl_Window* owner = nullptr);

} // namespace fltk
