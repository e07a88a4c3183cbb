#pragma once
// A window (a form). A window class derives from it, holds its controls and menus as members
// named as the program names them, registers them in its constructor and connects their events
// to its event procedures:
//
//     class Form2 : public ui::Window {
//     public:
//         explicit Form2(ui::Host& host);
//         ui::Label Label1;
//         std::array<ui::CommandButton, 2> Command1;
//         ui::Menu mnuFile, mnuExit;
//     private:
//         void Form_Load();
//         void Command1_Click(int Index);
//     };
//     Form2::Form2(ui::Host& host) : ui::Window(host, "Form2") {
//         add(Label1, "Label1");
//         add(Command1, "Command1");
//         add_menu(mnuFile, "mnuFile");
//         add_menu(mnuExit, "mnuExit", &mnuFile);
//         Load = [this] { Form_Load(); };
//         for (int i = 0; i < 2; ++i) Command1[i].Click = [this, i] { Command1_Click(i); };
//     }
//
// The window object exists from construction; it is loaded (its Load event runs once) by Load(),
// Show() or ShowModal(), and Unload() ends the loaded state. Controls keep their values across an
// unload; a window that must start afresh sets its controls in its Load procedure. A window loaded
// again comes back in the normal window state, whatever state it was unloaded in.
//
// A close asked by the user (the window manager's close box, Alt+F4, a taskbar's close) presses the
// window's Cancel button when it has one (CommandButton::Cancel), so a dialog closed so answers as
// Cancel does, never as OK, and where Cancel only hides the window the close hides it too. A window
// without a Cancel button is unloaded (QueryUnload with vbFormControlMenu, then Unload).
//
// Every user_* entry point below runs as one user action (Host::user_action): an error that
// escapes the event procedures it raises is shown in the error box, and the program goes on.

#include "platform/ui/Control.hpp"
#include "platform/ui/Event.hpp"
#include "platform/ui/Host.hpp"
#include "platform/ui/Property.hpp"
#include "platform/ui/Region.hpp"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Menu;
class MenuArray;
class View;
class Window;
class CommandButton;

enum WindowStateKind : int { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum BorderStyleKind : int { vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3 };
// Why a window is being unloaded (QueryUnload's UnloadMode).
enum UnloadModeKind : int { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3 };

// The Load slot of a window: assigning connects the Load event procedure; calling it loads the
// window (running the procedure on the first call only), as Windows' `Load Form2` does.
class LoadEvent : public Event<> {
public:
    explicit LoadEvent(Window& w) : window_(w) {}
    using Event<>::operator=;
    void operator()();

private:
    Window& window_;
};

// The Unload slot: assigning connects the Unload(Cancel) procedure; calling it with no argument
// unloads the window (QueryUnload, then Unload, either may cancel).
class UnloadEvent : public Event<int&> {
public:
    explicit UnloadEvent(Window& w) : window_(w) {}
    using Event<int&>::operator=;
    void operator()();

private:
    Window& window_;
};

class Window : public PropertyOwner {
public:
    Window(Host& host, std::string name);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    Host& host() const { return host_; }
    const std::string& Name() const { return name_; }

    // --- registration of the members (called by the window class's constructor) ---
    void add(Control& c, std::string name, Control* container = nullptr);
    template <typename C, std::size_t N>
    void add(std::array<C, N>& controls, std::string name, Control* container = nullptr) {
        for (std::size_t i = 0; i < N; ++i)
            add_indexed(controls[i], name, static_cast<int>(i), container);
    }
    void add_indexed(Control& c, std::string name, int index, Control* container = nullptr);
    // A menu of the bar (parent nullptr) or an entry of `parent`, in the order added.
    void add_menu(Menu& m, std::string name, Menu* parent = nullptr);
    // A menu control array: its item 0 exists from now on; further items are loaded at run time.
    void add_menu(MenuArray& a, std::string name, Menu* parent = nullptr);

    // --- properties ---
    Property<std::string> Caption{this, "Caption"};
    Property<int> Left{this, "Left"};
    Property<int> Top{this, "Top"};
    Property<int> Width{this, "Width", 6000};                 // raises Resize
    Property<int> Height{this, "Height", 4500};               // raises Resize
    Property<int> WindowState{this, "WindowState", vbNormal}; // raises Resize
    Property<bool> Visible{this, "Visible"};                  // True shows (loading first), False hides
    Property<bool> Enabled{this, "Enabled", true};
    Property<int> MousePointer{this, "MousePointer"};
    Property<int> BorderStyle{this, "BorderStyle", vbSizable};
    Property<bool> ControlBox{this, "ControlBox", true};
    Property<bool> MinButton{this, "MinButton", true};
    Property<bool> MaxButton{this, "MaxButton", true};
    Property<int> Icon{this, "Icon"}; // an image handle
    Property<bool> KeyPreview{this, "KeyPreview"};
    Property<Color> BackColor{this, "BackColor", vbButtonFace};
    Property<Color> ForeColor{this, "ForeColor", vbWindowText};
    Property<std::string> Tag{this, "Tag"};
    FontProperties Font{this};

    // The client area in twips: the outer size less the frame (4 pixels each side unless the
    // border style is none), the caption bar and, when a menu of the bar is visible, the menu bar.
    int ScaleWidth() const;
    int ScaleHeight() const;

    // --- life ---
    LoadEvent Load{*this};
    UnloadEvent Unload{*this};
    bool Loaded() const { return loaded_; }
    // Loads, then makes the window visible. The first Show raises Resize; each Show of a hidden
    // window raises Activate.
    void Show();
    // Loads, shows and runs the window modally through the Host; returns when it is hidden or
    // unloaded.
    void ShowModal();
    bool Modal() const { return modal_; }
    // The window the user worked in when this one was last shown (nullptr for none): a window
    // with no position of its own opens over it.
    Window* Opener() const { return opener_; }
    // Whether the window has a position of its own: code set Left or Top (to any value, 0 too),
    // or the user moved the window.
    bool Placed() const { return placed_; }
    void Hide();
    void ZOrder(int position = 0);
    void Refresh();
    void SetFocus();

    // --- focus and controls ---
    Control* ActiveControl() const { return active_; }
    const std::vector<Control*>& Controls() const { return controls_; }
    // A control by name (and index, for an element of a control array), or nullptr.
    Control* FindControl(std::string_view name, int index = -1) const;
    CommandButton* DefaultButton() const;
    CommandButton* CancelButton() const;

    // --- menus ---
    // The menus of the bar, in order, hidden ones included.
    const std::vector<Menu*>& MenuBar() const { return menu_bar_; }
    // The menus of the bar that are present (visible); positions count over these only.
    std::vector<Menu*> PresentMenus() const;
    Menu* FindMenu(std::string_view name, int index = -1) const;
    // Shows `menu`'s entries as a pop-up through the Host (the chosen entry's Click runs first).
    void PopupMenu(Menu& menu, int x = -1, int y = -1);

    // --- drawing ---
    void Cls();
    void DrawFilledBox(int x1, int y1, int x2, int y2, Color color);
    const std::vector<FilledBox>& Boxes() const { return boxes_; }
    int TextWidth(std::string_view text) const;
    int TextHeight(std::string_view text) const;
    // Redraw freeze (LockWindowUpdate): the screen stops drawing the window until unfrozen.
    void FreezeRedraw(bool frozen);
    bool RedrawFrozen() const { return frozen_; }

    // --- background picture and outline ---
    // The picture drawn over the window's back colour, under every control, from the client
    // area's top-left corner (Windows' Picture of a form). An empty bitmap is no picture.
    const Bitmap& Picture() const { return picture_; }
    void SetPicture(Bitmap picture);
    // Gives the window an outline (pixels of the window, from its top-left corner): it shows and
    // takes the mouse only inside it. Nothing gives the window back its whole rectangle. Returns
    // 1, as Windows' SetWindowRgn does on success. `redraw` is kept for the callers' sake; the
    // screen always redraws.
    int SetWindowRgn(Region region, bool redraw);
    void ClearWindowRgn();
    const std::optional<Region>& WindowRegion() const { return region_; }
    // Whether the window pixel (x, y) lies inside the window: inside its outline when it has one.
    bool ContainsPixel(int x, int y) const;

    // --- drag and drop ---
    // The control being dragged (Control::Drag(1) began it), or nullptr.
    Control* DragSource() const { return drag_source_; }

    // --- events ---
    Event<int&, int> QueryUnload; // Cancel, UnloadMode
    Event<> Resize;
    Event<> Paint;
    Event<> Activate;
    Event<> Deactivate;
    Event<> Click;
    Event<> DblClick;
    Event<int&, int&> KeyDown;
    Event<int&, int&> KeyUp;
    Event<int&> KeyPress;
    Event<int, int, float, float> MouseDown;
    Event<int, int, float, float> MouseMove;
    Event<int, int, float, float> MouseUp;
    Event<Control&, float, float> DragDrop;
    // A drag of one of the window's controls is over: raised after the drop's DragDrop ran (wherever
    // it landed, on a control without a handler too), or when the drag was ended or cancelled from
    // code. What a drag armed can be disarmed here whatever became of it.
    Event<Control&> DragEnded;

    // --- what a user does ---
    // The close box: presses the Cancel button when the window has one; otherwise QueryUnload with
    // vbFormControlMenu, then Unload, either of which may cancel.
    void user_close();
    // The user resizes the window to an outer size in twips (Resize runs once).
    void user_resize(int width, int height);
    void user_move(int left, int top);
    void user_minimize();
    void user_maximize();
    void user_restore();
    // A key goes first to a matching menu shortcut, then (KeyPreview) to the window, then to the
    // active control, or to the window when no control has the focus. Return and Escape press
    // the default and cancel buttons.
    void user_key_down(int keyCode, int shift = 0);
    void user_key_press(int keyAscii);
    void user_key_up(int keyCode, int shift = 0);
    void user_key(int keyCode, int shift = 0);
    void user_click();
    void user_dblclick();
    void user_mouse_down(int button, int shift, float x, float y);
    void user_mouse_move(int button, int shift, float x, float y);
    void user_mouse_up(int button, int shift, float x, float y);
    void user_activate();
    // The dragged `source` is dropped on the window's own background.
    void user_drag_drop(Control& source, float x, float y);

    // --- the screen binding ---
    void attach_view(View* view) { view_ = view; }
    View* view() const { return view_; }
    void property_changed(std::string_view name) override;

    // --- for the model ---
    // Unloads with a given mode. Returns whether the window was unloaded.
    bool unload(int unloadMode = vbFormCode);
    void load();
    void focus_control(Control* c); // nullptr removes the focus
    // A control is going away: drop every reference to it, raising nothing.
    void forget(Control& c);
    void begin_drag(Control* c) { drag_source_ = c; }
    void end_drag() { drag_source_ = nullptr; }
    int next_z() { return ++z_counter_; }
    int lowest_z() { return --z_low_; }
    void menu_added(Menu& m, Menu* parent);
    // Every menu entry in the window's tree, depth first.
    std::vector<Menu*> AllMenus() const;

private:
    friend class MenuArray;
    void set_visible(bool v);
    bool handle_shortcut(int keyCode, int shift);
    // KeyDown routing; false when the key was used up (a shortcut, a default or cancel button,
    // or a handler that zeroed it) and must not go on to KeyPress.
    bool route_key_down(int& keyCode, int& shift);

    Host& host_;
    std::string name_;
    std::vector<Control*> controls_;
    std::vector<Menu*> menu_bar_;
    std::vector<FilledBox> boxes_;
    Bitmap picture_;
    std::optional<Region> region_;
    Control* active_ = nullptr;
    Control* drag_source_ = nullptr;
    View* view_ = nullptr;
    Window* opener_ = nullptr;
    bool placed_ = false;
    bool loaded_ = false;
    bool shown_once_ = false;
    bool modal_ = false;
    bool frozen_ = false;
    int z_counter_ = 0;
    int z_low_ = 0;
    int restore_left_ = 0, restore_top_ = 0, restore_width_ = 0, restore_height_ = 0;
};

} // namespace ui
