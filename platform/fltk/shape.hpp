#pragma once
// Shaped windows: a model window's outline (ui::Region) given to its screen window through the X
// shape extension, so the desktop shows and hands the mouse to it only inside the outline.
// Internal to the binding.

#include "platform/ui/Region.hpp"

#include <optional>

class Fl_Window;

namespace fltk {

// Applies the outline to a shown window (nothing restores the full rectangle when `region` is
// empty of value). Does nothing while the window has no X window yet.
void apply_window_shape(Fl_Window& window, const std::optional<ui::Region>& region);

} // namespace fltk
