#pragma once
// The host's own dialog windows: message box, input box and font chooser. Each runs modally until
// the user answers.

#include "platform/ui/Host.hpp"

#include <optional>
#include <string>
#include <string_view>

namespace fltk {

// A message box with the Windows button set and icon of `style`; returns the Windows answer.
// Return presses the default button; Escape and the close box answer Cancel where there is one
// (OK for a box with OK alone) and do nothing otherwise.
int show_message_box(std::string_view prompt, int style, std::string_view title);
// The text entered, or "" when the user cancels.
std::string show_input_box(std::string_view prompt, std::string_view title, std::string_view defaultText);
// A small font chooser: face list, size, bold, italic, underline, strikeout. nullopt on cancel.
std::optional<ui::FontChoice> show_font_dialog(const ui::FontChoice& initial);

} // namespace fltk
