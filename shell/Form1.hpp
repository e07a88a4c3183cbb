#pragma once
// The main window: two panes, the menu bar, the button bar and the status strip at the bottom.

#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

namespace vexolan {

class App;

class Form1 : public ui::Window {
public:
    explicit Form1(App& app);

    App& app;

    // --- the status strip ---
    ui::Label Label3; // "n of m" of a running batch; the progress bar is drawn over it
    ui::Label Label4; // the remaining seconds
};

} // namespace vexolan
