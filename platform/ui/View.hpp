#pragma once
// The hook a screen binding attaches to a window to mirror the model. The model calls it after
// every stored property change (by property name: "Caption", "ListIndex", "List" for a change of
// a list's entries, "Items" for a report list's items, "Boxes" for the drawing of a window or
// picture box). The binding never changes the model behind its back: what the user does comes
// back through the model's user_... entry points, which raise the events a real user raises.

#include <string_view>

namespace ui {

class Control;
class Window;
class Menu;

class View {
public:
    virtual ~View() = default;
    virtual void changed(Control& control, std::string_view property) = 0;
    virtual void changed(Window& window, std::string_view property) = 0;
    virtual void changed(Menu& menu, std::string_view property) = 0;
};

} // namespace ui
