#pragma once
// Modal windows of the program, as a stack: the newest takes the keyboard and the mouse, every
// other window of the program gets none of them until it closes, and it stays above the window it
// belongs to. Message boxes, input boxes, the program's modal windows and the file and folder
// choosers all open through here, so only one of them takes input at a time.

class Fl_Window;

namespace fltk::modal {

// A window of the program (a model window's screen window): blocked while a modal window is open.
void track(Fl_Window& window);
void untrack(Fl_Window& window);

// `window` (shown) opens modally over `owner` (may be nullptr): it becomes transient for the owner
// and goes on top. A null `window` stands for a chooser whose windows are not ours: while it is the
// newest, every window of the program is blocked and the chooser's own windows take input. A press
// or drag under way in a window it blocks ends, and its release reaches no control.
void open(Fl_Window* window, Fl_Window* owner);
void close(Fl_Window* window);
// The newest modal window (nullptr when there is none, or a foreign chooser is the newest).
Fl_Window* top();
bool any();
// Whether input to `window` is held back now.
bool blocks(Fl_Window* window);
// Puts the open modal windows back on top, oldest first (after another window was raised).
void keep_on_top();

// FLTK's event dispatch with the blocking above (installed by the host).
int dispatch(int event, Fl_Window* window);

// Opens a modal window for the life of the scope.
struct Scope {
    Scope(Fl_Window* window, Fl_Window* owner) : window_(window) { open(window, owner); }
    ~Scope() { close(window_); }
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

private:
    Fl_Window* window_;
};

} // namespace fltk::modal
