#include "platform/ui/Control.hpp"

#include "platform/ui/View.hpp"
#include "platform/ui/Window.hpp"

namespace ui {

Control::Control() = default;

Control::~Control() {
    if (window_) window_->forget(*this);
}

Host* Control::host() const {
    return window_ ? &window_->host() : nullptr;
}

void Control::property_changed(std::string_view name) {
    if (window_ && window_->view()) window_->view()->changed(*this, name);
}

void Control::Move(int left, int top) {
    Left = left;
    Top = top;
}

void Control::Move(int left, int top, int width, int height) {
    Left = left;
    Top = top;
    Width = width;
    Height = height;
}

bool Control::EffectivelyVisible() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->Visible) return false;
    return true;
}

bool Control::EffectivelyEnabled() const {
    for (const Control* c = this; c; c = c->container_)
        if (!c->Enabled) return false;
    return true;
}

bool Control::AcceptsInput() const {
    return EffectivelyEnabled() && (!window_ || window_->Enabled);
}

void Control::SetFocus() {
    if (!window_ || !CanFocus() || !EffectivelyVisible() || !EffectivelyEnabled()) throw vb::Error(vb::ErrInvalidCall);
    window_->focus_control(this);
}

bool Control::HasFocus() const {
    return window_ && window_->ActiveControl() == this;
}

void Control::ZOrder(int position) {
    if (!window_) return;
    z_ = position == 0 ? window_->next_z() : window_->lowest_z();
    notify("ZOrder");
}

void Control::Refresh() {
    notify("Refresh");
}

void Control::Drag(int action) {
    if (!window_) return;
    if (action == vbBeginDrag) {
        window_->begin_drag(this);
        notify("Drag");
    } else if (window_->DragSource() == this) {
        // Ending a drag from code drops it where the pointer is; the model has no pointer, so the
        // screen binding reports that drop through user_drag_drop. Here it simply ends.
        window_->end_drag();
        notify("Drag");
        window_->DragEnded(*this);
    }
}

bool Control::Dragging() const {
    return window_ && window_->DragSource() == this;
}

int Control::TextWidth(std::string_view text) const {
    Host* h = host();
    if (!h) return 0;
    return h->TextWidthPixels(Font.choice(), text) * h->TwipsPerPixelX();
}

int Control::TextHeight(std::string_view text) const {
    Host* h = host();
    if (!h) return 0;
    return h->TextHeightPixels(Font.choice(), text) * h->TwipsPerPixelY();
}

// --- what a user does ---

namespace {

// Each entry point below is one user action, with the host's error net.
template <typename Action> void as_action(const Control& c, Action&& action) {
    if (Window* w = c.Parent())
        w->host().user_action(action);
    else
        action();
}

} // namespace

void Control::user_focus() {
    as_action(*this, [&] {
        if (!window_ || !CanFocus() || !EffectivelyVisible() || !AcceptsInput()) return;
        if (!HasFocus()) window_->focus_control(this);
    });
}

void Control::user_click() {
    as_action(*this, [&] {
        if (!AcceptsInput()) return;
        user_mouse_down(vbLeftButton, 0, 0, 0);
        user_mouse_up(vbLeftButton, 0, 0, 0);
        Click();
    });
}

void Control::user_dblclick() {
    as_action(*this, [&] {
        if (!AcceptsInput()) return;
        // Windows' order: down, up, Click, DblClick, up (the second press raises no MouseDown).
        user_click();
        DblClick();
        user_mouse_up(vbLeftButton, 0, 0, 0);
    });
}

void Control::user_mouse_down(int button, int shift, float x, float y) {
    as_action(*this, [&] {
        if (!AcceptsInput()) return;
        user_focus();
        MouseDown(button, shift, x, y);
    });
}

void Control::user_mouse_move(int button, int shift, float x, float y) {
    as_action(*this, [&] {
        if (!AcceptsInput()) return;
        MouseMove(button, shift, x, y);
    });
}

void Control::user_mouse_up(int button, int shift, float x, float y) {
    as_action(*this, [&] {
        if (!AcceptsInput()) return;
        MouseUp(button, shift, x, y);
    });
}

void Control::user_key_down(int keyCode, int shift) {
    as_action(*this, [&] {
        if (!window_) return;
        user_focus();
        window_->user_key_down(keyCode, shift);
    });
}

void Control::user_key_press(int keyAscii) {
    as_action(*this, [&] {
        if (!window_) return;
        user_focus();
        window_->user_key_press(keyAscii);
    });
}

void Control::user_key_up(int keyCode, int shift) {
    as_action(*this, [&] {
        if (!window_) return;
        user_focus();
        window_->user_key_up(keyCode, shift);
    });
}

void Control::user_key(int keyCode, int shift) {
    as_action(*this, [&] {
        if (!window_) return;
        user_focus();
        window_->user_key(keyCode, shift);
    });
}

void Control::user_drag_drop(Control& source, float x, float y) {
    as_action(*this, [&] {
        // The drop handler sees the drag over already, as on Windows; the source's window hears the end
        // once the handler has run.
        Window* from = source.window_;
        bool dragging = from && from->DragSource() == &source;
        if (dragging) from->end_drag();
        DragDrop(source, x, y);
        if (dragging) from->DragEnded(source);
    });
}

void Control::user_drag_over(Control& source, float x, float y, int state) {
    as_action(*this, [&] { DragOver(source, x, y, state); });
}

void Control::handle_key_down(int, int) {}
void Control::handle_key_press(int) {}

} // namespace ui
