#include "platform/fltk/modal.hpp"

#include "platform/fltk/wm.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <memory>
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

// For each open modal window, the widget that had the keyboard before it opened: it gets the keyboard
// back when the window closes (the tracker forgets a widget that is deleted meanwhile).
std::vector<std::unique_ptr<Fl_Widget_Tracker>>& displaced() {
    static std::vector<std::unique_ptr<Fl_Widget_Tracker>> widgets;
    return widgets;
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

// The window a widget belongs to (a window belongs to itself).
Fl_Window* home_of(Fl_Widget* w) {
    return w->as_window() ? w->as_window() : w->window();
}

bool is_key(int event) {
    return event == FL_KEYBOARD || event == FL_KEYUP || event == FL_SHORTCUT;
}

// The keyboard goes to the modal window: FLTK gives each key to the focused widget, wherever the
// display delivered it.
void take_keyboard(Fl_Window& window) {
    Fl_Widget* f = Fl::focus();
    if (f && (f == &window || f->inside(&window))) return;
    // As FLTK's own modal windows do: the first control that takes the focus gets it.
    if (!window.take_focus()) Fl::focus(&window);
}

// Readies FLTK's own key delivery for a key that goes to the modal window `to`. FLTK gives a key to
// the focused widget, and one that no widget took it offers as a shortcut to the widget under the
// pointer and to the front window; each of these may still belong to a blocked window (the focus
// stays where it was when a pull-down menu opened the modal window and no window manager moves it;
// the pointer may rest over a blocked window, which gets no pointer moves meanwhile).
void keys_to(Fl_Window& to) {
    take_keyboard(to);
    if (Fl_Widget* below = Fl::belowmouse()) {
        if (blocks(home_of(below))) Fl::belowmouse(nullptr);
    }
    if (Fl::first_window() != &to) Fl::first_window(&to);
}

// A press that began in a window the newest modal window blocks ends here, without a release. FLTK
// keeps sending the pointer's moves to the pressed widget until the button comes up, and that
// release, over a blocked window, never reaches it: the control would follow the pointer over the
// modal window and, once that closes, with no button held. A scroll bar's own hold ends too (its
// arrow stops repeating), as when the button comes up away from it: no click.
void end_blocked_press() {
    Fl_Widget* pressed = Fl::pushed();
    if (!pressed || !blocks(home_of(pressed))) return;
    Fl::pushed(nullptr);
    if (auto* bar = dynamic_cast<Fl_Scrollbar*>(pressed)) bar->Fl_Scrollbar::handle(FL_RELEASE);
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
    auto& d = displaced();
    if (window)
        for (std::size_t i = s.size(); i-- > 0;)
            if (s[i] == window) {
                s.erase(s.begin() + static_cast<std::ptrdiff_t>(i));
                d.erase(d.begin() + static_cast<std::ptrdiff_t>(i));
            }
    s.push_back(window);
    d.push_back(Fl::focus() ? std::make_unique<Fl_Widget_Tracker>(Fl::focus()) : nullptr);
    end_blocked_press();
    if (!window) return;
    if (owner) owner = top_level(owner);
    if (owner && owner != window && owner->shown()) wm::set_transient_for(*window, *owner);
    wm::raise(*window);
    take_keyboard(*window);
}

void close(Fl_Window* window) {
    auto& s = stack();
    auto& d = displaced();
    // The newest entry of that window: a foreign chooser's scope closes its own entry.
    for (auto it = s.rbegin(); it != s.rend(); ++it)
        if (*it == window) {
            const auto at = std::next(it).base() - s.begin();
            s.erase(s.begin() + at);
            std::unique_ptr<Fl_Widget_Tracker> before = std::move(d[static_cast<std::size_t>(at)]);
            d.erase(d.begin() + at);
            // The keyboard goes back to where it was, unless it went to a window that takes input.
            Fl_Widget* w = before ? before->widget() : nullptr;
            Fl_Widget* f = Fl::focus();
            bool lost = !f || f == window || (window && f->inside(window)) || blocks(home_of(f));
            if (w && lost && !Fl::grab() && w->visible_r() && !blocks(home_of(w))) Fl::focus(w);
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
    if (any() && is_key(event) && !Fl::grab()) {
        // Keys belong to the modal window whichever window the display gave them to (with no
        // window manager the keyboard follows the pointer).
        Fl_Window* to = top() ? top() : Fl::modal();
        if (blocks(window) || (to && !blocks(to))) {
            if (!to || !to->shown() || blocks(to)) return 0;
            keys_to(*to);
            return Fl::handle_(event, to);
        }
    }
    if (event == FL_FOCUS && blocks(window)) {
        // The display gave a blocked window the keyboard (with no window manager it follows the
        // pointer): it goes on to the modal window, and the blocked window's controls keep none.
        if (Fl_Window* to = top(); to && to->shown()) take_keyboard(*to);
        return 1;
    }
    if ((is_input(event) || event == FL_CLOSE) && blocks(window)) {
        // A click on a blocked window, or a request to close it, brings the modal window back to
        // the front, as a desktop does; the blocked window stays.
        if (event == FL_PUSH || event == FL_CLOSE) keep_on_top();
        return 0;
    }
    return Fl::handle_(event, window);
}

} // namespace fltk::modal
