#pragma once
// What the user pastes: the clipboard and the primary selection (what was last selected anywhere,
// pasted with the middle button). A selection this program owns is taken from FLTK, which holds
// its data. Another program's selection is read over a display connection and window of the
// reader's own, by the X conventions for selections: the owner is asked which types it offers
// (TARGETS), then for the first wanted one, which comes whole or in parts (INCR). FLTK never sees
// these events, so its own receive path (which writes past its buffer while it gathers a large
// transfer) never touches another program's data.
//
//     std::string text = fltk::selection_text(fltk::SelectionName::Clipboard);

#include "platform/ui/Bitmap.hpp"

#include <FL/Fl_Input.H>

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace fltk {

enum class SelectionName { Primary, Clipboard };

struct SelectionLimits {
    // The longest wait for the owner's next answer: an owner that never answers gives nothing.
    std::chrono::milliseconds Quiet{3000};
    // The longest a whole transfer may take.
    std::chrono::milliseconds Whole{20000};
    // A larger selection counts as none.
    std::size_t Bound = std::size_t{64} << 20;
};

struct SelectionData {
    std::string Type; // the type the owner answered with
    std::string Bytes;
};

// True when a window of this program owns the selection.
bool own_selection(SelectionName which);

// Another program's selection in the first of `types` (most wanted first) that its owner offers.
// Nothing when no one owns it, the owner offers none of the types, does not answer in time, or
// the data is larger than the bound.
std::optional<SelectionData> read_foreign_selection(SelectionName which, const std::vector<std::string>& types,
                                                    const SelectionLimits& limits = {});

// The selection's text as UTF-8 (UTF8_STRING, else Latin-1 STRING); "" when it holds none.
std::string selection_text(SelectionName which);
// The picture on the clipboard (image/png, else image/bmp); nothing when it holds none.
std::optional<ui::Bitmap> clipboard_picture();

// A one-line entry of the screen that is no control of the model (the list's label editor, the
// input box): Ctrl+V, Shift+Insert and the middle button paste through the reader above and the
// model's paste rule; Ctrl+Insert copies and Shift+Delete cuts.
class PlainInput : public Fl_Input {
public:
    PlainInput(int x, int y, int w, int h, const char* label = nullptr) : Fl_Input(x, y, w, h, label) {}
    int handle(int event) override;

private:
    void paste_text(std::string_view text);
};

} // namespace fltk
