#include "platform/ui/Window.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/View.hpp"

#include <algorithm>

namespace ui {

namespace {

// The frame Windows draws around a sizable or fixed window, in pixels on each side.
constexpr int FramePixels = 4;

vb::Error cannot_size_now() {
    return vb::Error(384, "A form can't be moved or sized while minimized or maximized");
}

// The character a key types, for the keys the program cares about; 0 for a key that types none.
int ascii_for_key(int keyCode, int shift) {
    if (keyCode >= 'A' && keyCode <= 'Z') {
        if (shift & vbCtrlMask) return keyCode - 'A' + 1;
        if (shift & vbAltMask) return 0;
        return (shift & vbShiftMask) ? keyCode : keyCode - 'A' + 'a';
    }
    if (keyCode >= '0' && keyCode <= '9') return (shift & (vbCtrlMask | vbAltMask)) ? 0 : keyCode;
    switch (keyCode) {
    case vbKeySpace:
    case vbKeyReturn:
    case vbKeyEscape:
    case vbKeyBack:
        return keyCode;
    default:
        return 0;
    }
}

} // namespace

void LoadEvent::operator()() {
    window_.load();
}
void UnloadEvent::operator()() {
    window_.unload(vbFormCode);
}

Window::Window(Host& host, std::string name) : host_(host), name_(std::move(name)) {
    auto size_check = [this](int v) {
        if (WindowState != vbNormal) throw cannot_size_now();
        return v;
    };
    // A position set from code is the window's own, even when it is the one it had (0 included).
    auto place = [this, size_check](int v) {
        v = size_check(v);
        placed_ = true;
        return v;
    };
    Left.adjust = place;
    Top.adjust = place;
    Width.adjust = size_check;
    Height.adjust = size_check;
    Width.on_change = [this] {
        if (loaded_) Resize();
    };
    Height.on_change = [this] {
        if (loaded_) Resize();
    };
    WindowState.setter = [this](int v) {
        if (v < vbNormal || v > vbMaximized) throw vb::Error(vb::ErrInvalidProperty);
        int old = WindowState;
        if (v == old) return;
        if (old == vbNormal) {
            restore_left_ = Left;
            restore_top_ = Top;
            restore_width_ = Width;
            restore_height_ = Height;
        }
        WindowState.store(v);
        if (v == vbMaximized) {
            Left.store(0);
            Top.store(0);
            Width.store(host_.ScreenWidth());
            Height.store(host_.ScreenHeight());
        } else if (v == vbNormal && old == vbMaximized) {
            Left.store(restore_left_);
            Top.store(restore_top_);
            Width.store(restore_width_);
            Height.store(restore_height_);
        }
        if (loaded_) Resize();
    };
    Visible.setter = [this](bool v) {
        if (v)
            Show();
        else
            Hide();
    };
}

Window::~Window() {
    if (loaded_) host_.registry().window_unloaded(*this);
}

// --- registration ---

void Window::add(Control& c, std::string name, Control* container) {
    add_indexed(c, std::move(name), -1, container);
}

void Window::add_indexed(Control& c, std::string name, int index, Control* container) {
    c.name_ = std::move(name);
    c.index_ = index;
    c.window_ = this;
    c.container_ = container;
    c.z_ = next_z();
    controls_.push_back(&c);
    if (auto* t = dynamic_cast<Timer*>(&c)) host_.registry().add_timer(*t);
}

void Window::add_menu(Menu& m, std::string name, Menu* parent) {
    m.name_ = std::move(name);
    m.window_ = this;
    m.parent_ = parent;
    if (parent)
        parent->items_.push_back(&m);
    else
        menu_bar_.push_back(&m);
}

void Window::add_menu(MenuArray& a, std::string name, Menu* parent) {
    a.name_ = name;
    a.window_ = this;
    a.parent_ = parent;
    auto item = std::make_unique<Menu>();
    Menu& m = *item;
    a.items_[0] = std::move(item);
    m.index_ = 0;
    m.array_ = &a;
    add_menu(m, std::move(name), parent);
}

void Window::menu_added(Menu&, Menu*) {
    property_changed("Menus");
}

void Window::forget(Control& c) {
    if (active_ == &c) active_ = nullptr;
    if (drag_source_ == &c) drag_source_ = nullptr;
    std::erase(controls_, &c);
}

// --- geometry ---

int Window::ScaleWidth() const {
    int frame = BorderStyle == vbBSNone ? 0 : 2 * FramePixels;
    return std::max(0, Width - frame * host_.TwipsPerPixelX());
}

int Window::ScaleHeight() const {
    int pixels = 0;
    if (BorderStyle != vbBSNone) pixels += 2 * FramePixels + host_.CaptionHeight();
    if (!PresentMenus().empty()) pixels += host_.MenuHeight();
    return std::max(0, Height - pixels * host_.TwipsPerPixelY());
}

// --- life ---

void Window::load() {
    if (loaded_) return;
    // A window loaded again starts in its design state, its window state included: a window closed
    // maximised or minimised comes back normal, at the size it had before, so that its Load
    // procedure can size it.
    if (WindowState != vbNormal) WindowState = vbNormal;
    loaded_ = true;
    host_.registry().window_loaded(*this);
    for (Control* c : controls_)
        if (auto* t = dynamic_cast<Timer*>(c)) t->reschedule();
    Load.raise();
}

bool Window::unload(int unloadMode) {
    if (!loaded_) return true;
    int cancel = 0;
    QueryUnload(cancel, unloadMode);
    if (cancel) return false;
    Unload.raise(cancel);
    if (cancel) return false;
    if (!loaded_) return true; // the handler unloaded it already
    Visible.store(false);
    loaded_ = false;
    modal_ = false;
    shown_once_ = false;
    active_ = nullptr;
    drag_source_ = nullptr;
    host_.registry().window_unloaded(*this);
    for (Control* c : controls_)
        if (auto* t = dynamic_cast<Timer*>(c)) t->reschedule();
    return true;
}

void Window::set_visible(bool v) {
    if (!v) {
        Visible.store(false);
        host_.registry().window_hidden(*this);
        return;
    }
    if (Visible) return;
    // The screen places a window over its opener as soon as it learns that it shows.
    Window* before = host_.registry().ActiveWindow();
    opener_ = before != this ? before : nullptr;
    Visible.store(true);
    host_.registry().window_activated(*this);
    if (!shown_once_) {
        shown_once_ = true;
        Resize();
    }
    if (Visible) Activate();
}

void Window::Show() {
    load();
    if (!loaded_) return; // unloaded by its own Load procedure
    set_visible(true);
}

void Window::ShowModal() {
    load();
    if (!loaded_) return;
    if (Visible) throw vb::Error(400, "Form already displayed; can't show modally");
    modal_ = true;
    struct Reset {
        Window& w;
        ~Reset() { w.modal_ = false; }
    } reset{*this};
    set_visible(true);
    if (!Visible || !loaded_) return;
    host_.own_actions([&] { host_.ShowModal(*this); });
}

void Window::Hide() {
    if (Visible) set_visible(false);
}

void Window::ZOrder(int) {
    property_changed("ZOrder");
}
void Window::SetPicture(Bitmap picture) {
    picture_ = std::move(picture);
    property_changed("Picture");
}

int Window::SetWindowRgn(Region region, bool /*redraw*/) {
    region_ = std::move(region);
    property_changed("Region");
    return 1;
}

void Window::ClearWindowRgn() {
    if (!region_) return;
    region_.reset();
    property_changed("Region");
}

bool Window::ContainsPixel(int x, int y) const {
    int w = Width / host_.TwipsPerPixelX(), h = Height / host_.TwipsPerPixelY();
    if (x < 0 || y < 0 || x >= w || y >= h) return false;
    return !region_ || region_->contains(x, y);
}

void Window::Refresh() {
    property_changed("Refresh");
}
void Window::SetFocus() {
    property_changed("Focus");
}

// --- focus and controls ---

void Window::focus_control(Control* c) {
    if (c == active_) return;
    Control* old = active_;
    active_ = c;
    property_changed("ActiveControl");
    if (old) old->LostFocus();
    if (c && active_ == c) c->GotFocus();
}

Control* Window::FindControl(std::string_view name, int index) const {
    for (Control* c : controls_)
        if (c->Name() == name && c->Index() == index) return c;
    return nullptr;
}

CommandButton* Window::DefaultButton() const {
    for (Control* c : controls_)
        if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Default) return b;
    return nullptr;
}

CommandButton* Window::CancelButton() const {
    for (Control* c : controls_)
        if (auto* b = dynamic_cast<CommandButton*>(c); b && b->Cancel) return b;
    return nullptr;
}

// --- menus ---

std::vector<Menu*> Window::PresentMenus() const {
    std::vector<Menu*> out;
    for (Menu* m : menu_bar_)
        if (m->Visible) out.push_back(m);
    return out;
}

std::vector<Menu*> Window::AllMenus() const {
    std::vector<Menu*> out;
    std::vector<Menu*> stack(menu_bar_.rbegin(), menu_bar_.rend());
    while (!stack.empty()) {
        Menu* m = stack.back();
        stack.pop_back();
        out.push_back(m);
        for (auto it = m->Items().rbegin(); it != m->Items().rend(); ++it)
            stack.push_back(*it);
    }
    return out;
}

Menu* Window::FindMenu(std::string_view name, int index) const {
    for (Menu* m : AllMenus())
        if (m->Name() == name && m->Index() == index) return m;
    return nullptr;
}

void Window::PopupMenu(Menu& menu, int x, int y) {
    // The menu's own Click runs as it opens, so it can set its entries' states first.
    menu.Click();
    host_.PopupMenu(*this, menu, x, y);
}

// --- drawing ---

void Window::Cls() {
    if (boxes_.empty()) return;
    boxes_.clear();
    property_changed("Boxes");
}

void Window::DrawFilledBox(int x1, int y1, int x2, int y2, Color color) {
    boxes_.push_back({x1, y1, x2, y2, color});
    property_changed("Boxes");
}

int Window::TextWidth(std::string_view text) const {
    return host_.TextWidthPixels(Font.choice(), text) * host_.TwipsPerPixelX();
}

int Window::TextHeight(std::string_view text) const {
    return host_.TextHeightPixels(Font.choice(), text) * host_.TwipsPerPixelY();
}

void Window::FreezeRedraw(bool frozen) {
    if (frozen_ == frozen) return;
    frozen_ = frozen;
    property_changed("RedrawFrozen");
}

// --- what a user does ---

void Window::user_close() {
    host_.user_action([&] {
        if (!Enabled) return;
        // A close asked by the user answers as the window's Cancel button does, never as OK: a
        // dialog's answer lives in its controls and the program's flags, which an unload would leave
        // as the last confirmed use set them.
        if (CommandButton* cancel = CancelButton()) {
            if (cancel->EffectivelyEnabled()) cancel->Value = true;
            return;
        }
        unload(vbFormControlMenu);
    });
}

void Window::user_resize(int width, int height) {
    host_.user_action([&] {
        if (WindowState != vbNormal) return;
        bool changed = Width.store(width);
        changed = Height.store(height) || changed;
        if (changed && loaded_) Resize();
    });
}

void Window::user_move(int left, int top) {
    host_.user_action([&] {
        if (WindowState != vbNormal) return;
        placed_ = true;
        Left.store(left);
        Top.store(top);
    });
}

void Window::user_minimize() {
    host_.user_action([&] { WindowState = vbMinimized; });
}
void Window::user_maximize() {
    host_.user_action([&] { WindowState = vbMaximized; });
}
void Window::user_restore() {
    host_.user_action([&] { WindowState = vbNormal; });
}

bool Window::handle_shortcut(int keyCode, int shift) {
    if (keyCode == 0) return false;
    int mods = shift & (vbShiftMask | vbCtrlMask | vbAltMask);
    for (Menu* m : AllMenus()) {
        if (m->Shortcut->empty() || !m->Visible) continue;
        Menu::Key k = m->ShortcutKey();
        if (k.KeyCode != keyCode || k.Shift != mods) continue;
        // A disabled entry still owns its shortcut: the key does nothing.
        m->user_click();
        return true;
    }
    return false;
}

bool Window::route_key_down(int& keyCode, int& shift) {
    if (handle_shortcut(keyCode, shift)) return false;
    if (KeyPreview) {
        KeyDown(keyCode, shift);
        if (keyCode == 0) return false;
    }
    auto* activeButton = dynamic_cast<CommandButton*>(active_);
    auto* activeText = dynamic_cast<TextBox*>(active_);
    if (keyCode == vbKeyReturn && shift == 0) {
        if (activeButton && activeButton->EffectivelyEnabled()) {
            activeButton->Click();
            return false;
        }
        CommandButton* def = DefaultButton();
        if (def && !(activeText && activeText->MultiLine) && def->EffectivelyEnabled() && def->EffectivelyVisible()) {
            def->Value = true;
            return false;
        }
    }
    if (keyCode == vbKeyEscape && shift == 0) {
        CommandButton* cancel = CancelButton();
        if (cancel && cancel->EffectivelyEnabled() && cancel->EffectivelyVisible()) {
            cancel->Value = true;
            return false;
        }
    }
    if (active_) {
        Control* target = active_;
        target->KeyDown(keyCode, shift);
        if (keyCode == 0) return false;
        target->handle_key_down(keyCode, shift);
    } else if (!KeyPreview) {
        KeyDown(keyCode, shift);
        if (keyCode == 0) return false;
    }
    return true;
}

void Window::user_key_down(int keyCode, int shift) {
    host_.user_action([&] {
        if (Enabled) route_key_down(keyCode, shift);
    });
}

void Window::user_key_press(int keyAscii) {
    host_.user_action([&] {
        if (!Enabled) return;
        if (KeyPreview) {
            KeyPress(keyAscii);
            if (keyAscii == 0) return;
        }
        if (active_) {
            Control* target = active_;
            target->KeyPress(keyAscii);
            if (keyAscii == 0) return;
            target->handle_key_press(keyAscii);
        } else if (!KeyPreview) {
            KeyPress(keyAscii);
        }
    });
}

void Window::user_key_up(int keyCode, int shift) {
    host_.user_action([&] {
        if (!Enabled) return;
        if (KeyPreview) {
            KeyUp(keyCode, shift);
            if (keyCode == 0) return;
        }
        if (active_)
            active_->KeyUp(keyCode, shift);
        else if (!KeyPreview)
            KeyUp(keyCode, shift);
    });
}

void Window::user_key(int keyCode, int shift) {
    host_.user_action([&] {
        if (!Enabled) return;
        int code = keyCode, sh = shift;
        if (route_key_down(code, sh)) {
            int ascii = ascii_for_key(keyCode, shift);
            if (ascii) user_key_press(ascii);
        }
        user_key_up(keyCode, shift);
    });
}

void Window::user_click() {
    host_.user_action([&] {
        if (!Enabled) return;
        user_mouse_down(vbLeftButton, 0, 0, 0);
        user_mouse_up(vbLeftButton, 0, 0, 0);
        Click();
    });
}

void Window::user_dblclick() {
    host_.user_action([&] {
        user_click();
        DblClick();
    });
}

void Window::user_mouse_down(int button, int shift, float x, float y) {
    host_.user_action([&] { MouseDown(button, shift, x, y); });
}
void Window::user_mouse_move(int button, int shift, float x, float y) {
    host_.user_action([&] { MouseMove(button, shift, x, y); });
}
void Window::user_mouse_up(int button, int shift, float x, float y) {
    host_.user_action([&] { MouseUp(button, shift, x, y); });
}
void Window::user_drag_drop(Control& source, float x, float y) {
    host_.user_action([&] {
        bool dragging = source.Parent() && source.Parent()->DragSource() == &source;
        if (dragging) source.Parent()->end_drag();
        DragDrop(source, x, y);
        if (dragging) source.Parent()->DragEnded(source);
    });
}
void Window::user_activate() {
    host_.user_action([&] {
        host_.registry().window_activated(*this);
        Activate();
    });
}

void Window::property_changed(std::string_view name) {
    if (view_) view_->changed(*this, name);
}

} // namespace ui
