#pragma once
// Builds a window's menu tree entry by entry, with the captions and shortcuts of its design.

#include "platform/ui/Menu.hpp"
#include "platform/ui/Window.hpp"

namespace ui {

class MenuBuilder {
public:
    explicit MenuBuilder(Window& window) : window_(window) {}
    // A menu of the bar.
    void top(Menu& m, const char* name, const char* caption) {
        window_.add_menu(m, name);
        m.Caption = caption;
    }
    // An entry of `parent`; "-" as the caption makes a separator.
    void item(Menu& m, const char* name, Menu& parent, const char* caption, const char* shortcut = "") {
        window_.add_menu(m, name, &parent);
        m.Caption = caption;
        m.Shortcut = shortcut;
    }

private:
    Window& window_;
};

} // namespace ui
