#pragma once
// An event slot of a window, control or menu. The window class connects one handler, its event
// procedure:
//
//     Command1[0].Click = [this] { Command1_Click(0); };
//     File1[pane].KeyDown = [this, pane](int& KeyCode, int& Shift) { File1_KeyDown(pane, KeyCode, Shift); };
//
// Raising an event that has no handler does nothing. Arguments a handler may change (KeyCode,
// KeyAscii, Cancel) are passed by reference, as Windows passes them.

#include <functional>
#include <utility>

namespace ui {

template <typename... Args> class Event {
public:
    using Handler = std::function<void(Args...)>;

    Event() = default;
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    // Connects the handler, replacing any earlier one.
    Event& operator=(Handler handler) {
        handler_ = std::move(handler);
        return *this;
    }
    void disconnect() { handler_ = nullptr; }
    bool connected() const { return static_cast<bool>(handler_); }

    // Raises the event: runs the handler, if any.
    void raise(Args... args) const {
        if (handler_) handler_(std::forward<Args>(args)...);
    }
    void operator()(Args... args) const { raise(std::forward<Args>(args)...); }

private:
    Handler handler_;
};

} // namespace ui
