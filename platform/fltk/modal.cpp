#include "platform/fltk/modal.hpp"

#include "platform/fltk/wm.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <set>
#include <vector>

namespace fltk::modal {

namespace {

std::set<Fl_Window*>& tracked() {
    static std::set<Fl_Window*> windows;
    return windows;
}

// Oldest first; nullptr is a foreign chooser.
std::vector<Fl_Window*>& stack() {
    static std::vector<Fl_Window*> windows;
    return windows;
}

Fl_Window* top_level(Fl_Window* w) {
    while (w && w->parent() && w->window())
        w = w->window();
    return w;
}

bool is_input(int event) {
    switch (event) {
    case FL_PUSH:
    case FL_RELEASE:
    case FL_DRAG:
    case FL_MOVE:
    case FL_ENTER:
    case FL_MOUSEWHEEL:
    case FL_KEYBOARD:
    case FL_KEYUP:
    case FL_SHORTCUT:
    case FL_DND_ENTER:
    case FL_DND_DRAG:
    case FL_DND_RELEASE:
    case FL_PASTE:
        return true;
    default:
        return false;
    }
}

// The keyboard goes to the modal window: FLTK gives each key to the focused widget, wherever the
// display delivered it.
void take_keyboard(Fl_Window& window) {
    Fl_Widget* f = Fl::focus();
    if (f && (f == &window || f->inside(&window))) return;
    // As FLTK's own modal windows do: the first control that takes the focus gets it.
    if (!window.take_focus()) Fl::focus(&window);
}

} // namespace

void track(Fl_Window& window) {
    tracked().insert(&window);
}

void untrack(Fl_Window& window) {
    tracked().erase(&window);
    close(&window);
}

void open(Fl_Window* window, Fl_Window* owner) {
    auto& s = stack();
    if (window) s.erase(std::remove(s.begin(), s.end(), window), s.end());
    s.push_back(window);
    if (!window) return;
    if (owner) owner = top_level(owner);
    if (owner && owner != window && owner->shown()) wm::set_transient_for(*window, *owner);
    wm::raise(*window);
    take_keyboard(*window);
}

void close(Fl_Window* window) {
    auto& s = stack();
    // The newest entry of that window: a foreign chooser's scope closes its own entry.
    for (auto it = s.rbegin(); it != s.rend(); ++it)
        if (*it == window) {
            s.erase(std::next(it).base());
            break;
        }
}

Fl_Window* top() {
    return stack().empty() ? nullptr : stack().back();
}

bool any() {
    return !stack().empty();
}

bool blocks(Fl_Window* window) {
    if (stack().empty() || !window) return false;
    window = top_level(window);
    if (window == stack().back()) return false;
    // Pop-up menus, drop-downs and tooltips belong to whichever window opened them.
    if (window->menu_window() || window->tooltip_window()) return false;
    const auto& s = stack();
    return tracked().count(window) || std::find(s.begin(), s.end(), window) != s.end();
}

void keep_on_top() {
    for (Fl_Window* w : stack())
        if (w && w->shown()) wm::raise(*w);
}

int dispatch(int event, Fl_Window* window) {
    if (is_input(event) && blocks(window)) {
        // Keys belong to the modal window whichever window the display gave them to (with no
        // window manager the keyboard follows the pointer).
        if (event == FL_KEYBOARD || event == FL_KEYUP || event == FL_SHORTCUT) {
            Fl_Window* to = top() ? top() : Fl::modal();
            if (!to || !to->shown() || blocks(to)) return 0;
            take_keyboard(*to);
            return Fl::handle_(event, to);
        }
        // A click on a blocked window brings the modal window back to the front, as a desktop does.
        if (event == FL_PUSH) keep_on_top();
        return 0;
    }
    return Fl::handle_(event, window);
}

} // namespace fltk::modal
