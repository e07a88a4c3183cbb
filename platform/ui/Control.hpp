#pragma once
// The base of every control: what all kinds share. Geometry is in twips, relative to the
// container's client area. Controls are members of their window class, registered with
// Window::add(), and never copied or moved.

#include "platform/ui/Event.hpp"
#include "platform/ui/Host.hpp"
#include "platform/ui/Property.hpp"

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

class Window;
class Control;

// Colours are Windows colour values: 0x00BBGGRR, or a system colour 0x800000nn.
using Color = std::uint32_t;
inline constexpr Color vbWindowBackground = 0x80000005;
inline constexpr Color vbWindowText = 0x80000008;
inline constexpr Color vbButtonFace = 0x8000000F;
inline constexpr Color vbButtonText = 0x80000012;

inline constexpr Color RGB(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Drag actions and drag-over states.
enum DragAction : int { vbCancel_Drag = 0, vbBeginDrag = 1, vbEndDrag = 2 };
enum DragOverState : int { vbEnter = 0, vbLeave = 1, vbOver = 2 };

// The font of a control or window. Every control starts with the design font "MS Sans Serif",
// 8 points; the screen binding maps the name to a font it has.
inline constexpr std::string_view DesignFontName = "MS Sans Serif";
inline constexpr double DesignFontSize = 8;

class FontProperties {
public:
    explicit FontProperties(PropertyOwner* owner)
        : Name(owner, "Font", std::string(DesignFontName)), Size(owner, "Font", DesignFontSize), Bold(owner, "Font"),
          Italic(owner, "Font"), Underline(owner, "Font"), Strikeout(owner, "Font") {}
    Property<std::string> Name;
    Property<double> Size;
    Property<bool> Bold;
    Property<bool> Italic;
    Property<bool> Underline;
    Property<bool> Strikeout;

    FontChoice choice() const { return {Name, Size, Bold, Italic, Underline, Strikeout}; }
    void assign(const FontChoice& f) {
        Name = f.Name;
        Size = f.Size;
        Bold = f.Bold;
        Italic = f.Italic;
        Underline = f.Underline;
        Strikeout = f.Strikeout;
    }
};

// A filled box drawn on a window or picture box (Windows' Line (x1, y1)-(x2, y2), colour, BF),
// in twips of the client area. Cls removes them all.
struct FilledBox {
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    Color FillColor = 0;
    bool operator==(const FilledBox&) const = default;
};

// A text printed into a picture box: its top-left corner in twips of the client area, the font
// and the colour it was printed with.
struct PrintedText {
    int X = 0, Y = 0;
    std::string Text;
    FontChoice Font;
    Color ForeColor = 0;
};

class Control : public PropertyOwner {
public:
    Control();
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // The Windows type name of the control ("Label", "FileListBox", "Line", ...).
    virtual std::string_view Kind() const = 0;
    // Whether the control can hold the focus (labels, frames, images, lines and timers cannot).
    virtual bool CanFocus() const { return true; }

    // --- identity ---
    const std::string& Name() const { return name_; }
    // The index in its control array, or -1 for a single control.
    int Index() const { return index_; }
    Window* Parent() const { return window_; }
    // The frame or picture box the control sits in, or nullptr for the window itself.
    Control* Container() const { return container_; }
    void set_container(Control* container) { container_ = container; }

    // --- common properties ---
    Property<int> Left{this, "Left"};
    Property<int> Top{this, "Top"};
    Property<int> Width{this, "Width"};
    Property<int> Height{this, "Height"};
    Property<bool> Visible{this, "Visible", true};
    Property<bool> Enabled{this, "Enabled", true};
    Property<std::string> Tag{this, "Tag"};
    Property<std::string> ToolTipText{this, "ToolTipText"};
    Property<Color> BackColor{this, "BackColor", vbWindowBackground};
    Property<Color> ForeColor{this, "ForeColor", vbWindowText};
    FontProperties Font{this};
    Property<int> TabIndex{this, "TabIndex"};
    Property<int> MousePointer{this, "MousePointer"};
    Property<int> DragIcon{this, "DragIcon"}; // an image handle; 0 = the default outline

    void Move(int left, int top);
    void Move(int left, int top, int width, int height);
    // Whether the control and every container it sits in are visible / enabled.
    bool EffectivelyVisible() const;
    bool EffectivelyEnabled() const;
    // Whether a user can act on the control now: enabled, in enabled containers, on an enabled
    // window. Every user_... entry point does nothing otherwise.
    bool AcceptsInput() const;

    // Gives the control the focus: the control that had it gets LostFocus, this one GotFocus.
    // Fails with error 5 when the control cannot take the focus (hidden, disabled, or a kind
    // that never takes it), as Windows does.
    void SetFocus();
    bool HasFocus() const;
    // Brings the control to the front (0) or sends it to the back (1) of its siblings.
    void ZOrder(int position = 0);
    // Position in the stacking order among the window's controls: higher is in front.
    int ZPosition() const { return z_; }
    // Redraws the control now (tells the screen); the file system boxes also re-read their folder.
    virtual void Refresh();
    // Begins (1), ends (2) or cancels (0) a manual drag. The window remembers the dragged control
    // (Window::DragSource) until a target takes the drop through user_drag_drop, which the screen
    // binding calls where the pointer is let go.
    void Drag(int action = vbBeginDrag);
    bool Dragging() const;

    // Text measure in this control's font, twips.
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;

    // --- events ---
    Event<> Click;
    Event<> DblClick;
    Event<> Change;
    Event<> GotFocus;
    Event<> LostFocus;
    Event<int&, int&> KeyDown;               // KeyCode, Shift
    Event<int&, int&> KeyUp;                 // KeyCode, Shift
    Event<int&> KeyPress;                    // KeyAscii
    Event<int, int, float, float> MouseDown; // Button, Shift, X, Y (twips)
    Event<int, int, float, float> MouseMove;
    Event<int, int, float, float> MouseUp;
    Event<Control&, float, float> DragDrop;      // Source, X, Y
    Event<Control&, float, float, int> DragOver; // Source, X, Y, State

    // --- what a user does (the screen binding and the tests call these) ---
    // A left click: mouse down (focusing the control first), mouse up, then the click itself.
    virtual void user_click();
    // A double click: mouse down, up, Click, DblClick, mouse up.
    virtual void user_dblclick();
    // Mouse down: an unfocused control that can take the focus gets it first (GotFocus), then
    // MouseDown runs.
    virtual void user_mouse_down(int button, int shift, float x, float y);
    virtual void user_mouse_move(int button, int shift, float x, float y);
    virtual void user_mouse_up(int button, int shift, float x, float y);
    // Keys go to the window, which gives them to this control after focusing it (menu shortcuts
    // and the window's KeyPreview come first, as on Windows).
    void user_key_down(int keyCode, int shift = 0);
    void user_key_press(int keyAscii);
    void user_key_up(int keyCode, int shift = 0);
    // Down, press (for keys that type a character) and up.
    void user_key(int keyCode, int shift = 0);
    // The user tabs or clicks into the control.
    void user_focus();
    // The dragged `source` is dropped on / moved over this control at (x, y).
    virtual void user_drag_drop(Control& source, float x, float y);
    virtual void user_drag_over(Control& source, float x, float y, int state);

    // --- for the model and the screen binding ---
    void property_changed(std::string_view name) override;
    // Raised by a control's own handling of a key the window routed to it (after KeyDown ran and
    // left the key in place). Kinds with key behaviour (lists move their cursor) override it.
    virtual void handle_key_down(int keyCode, int shift);
    virtual void handle_key_press(int keyAscii);

protected:
    Host* host() const;
    void notify(std::string_view name) { property_changed(name); }

private:
    friend class Window;
    std::string name_;
    int index_ = -1;
    Window* window_ = nullptr;
    Control* container_ = nullptr;
    int z_ = 0;
};

} // namespace ui
