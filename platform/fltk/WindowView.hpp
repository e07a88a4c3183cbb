#pragma once
// The screen side of one model window: an FLTK window with one widget per control, kept in step
// with the model both ways (see FltkHost.hpp). Internal to the binding.

#include "platform/fltk/menu_pictures.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/View.hpp"
#include "platform/ui/Window.hpp"

#include <FL/Fl_Menu_Item.H>

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class Fl_Widget;
class Fl_Window;
class Fl_Menu_Bar;
class Fl_Scrollbar;

namespace fltk {

class FltkHost;
class ScreenWindow;

class WindowView : public ui::View {
public:
    WindowView(FltkHost& host, ui::Window& model);
    ~WindowView() override;
    WindowView(const WindowView&) = delete;
    WindowView& operator=(const WindowView&) = delete;

    ui::Window& model() { return model_; }
    FltkHost& host() { return host_; }
    Fl_Window* window() const;
    Fl_Widget* widget(ui::Control& control);
    ui::Control* control_of(Fl_Widget* widget) const;
    // The vertical or horizontal scroll bar of a list, or nullptr while it has none.
    Fl_Widget* scroll_bar(ui::Control& control, bool vertical);
    // The user moved a list's scroll bar to `value` (rows, or columns or pixels across).
    void scroll_bar_moved(ui::Control& c, bool vertical, int value);

    // The model window unloaded: hide the screen window and never touch the model again.
    void detach();
    bool detached() const { return detached_; }

    // Shows, hides and places the screen window as the model says.
    void sync_window();
    // Builds widgets for controls registered since the last call (list controls load at run time).
    void sync_controls();

    // --- ui::View ---
    void changed(ui::Control& control, std::string_view property) override;
    void changed(ui::Window& window, std::string_view property) override;
    void changed(ui::Menu& menu, std::string_view property) override;

    // --- from the widgets ---
    // Handles an FLTK event on a control's widget; `base` is the widget's own FLTK handling.
    int handle_control_event(Fl_Widget& w, ui::Control& c, int event, const std::function<int(int)>& base);
    // Handles an event on the window body (no control under the pointer) or a key with no widget focused.
    int handle_window_event(int event, const std::function<int(int)>& base);
    // Draws a control kind FLTK has no widget for; false lets the widget draw itself.
    bool draw_control(Fl_Widget& w, ui::Control& c);
    void draw_window_surface();
    // The user moved or sized the screen window (not the model).
    void screen_geometry_changed(int x, int y, int w, int h);
    // The screen window got a new place or size from outside the program.
    void screen_window_configured();
    static void configured_callback(void* self);
    // The window manager changed the window's state or frame (a property of the X window).
    void window_manager_changed();
    void close_requested();
    void activate_model_window();
    bool applying() const { return applying_ != 0; }
    // Window position of a control's client origin, in pixels.
    void control_origin(const ui::Control& c, int& x, int& y) const;
    int menu_height() const;

    // --- pop-up menus: items built from a menu's entries (nested), user_data = ui::Menu* ---
    // With `pictures`, the entries of each drop-down show their pictures (not those of the bar).
    static void build_menu_items(const std::vector<ui::Menu*>& entries, std::vector<Fl_Menu_Item>& out,
                                 std::deque<std::string>& labels, bool withCallbacks, MenuPictures* pictures = nullptr,
                                 bool bar = false);

private:
    void create_widget(ui::Control& c);
    void layout();
    void restack();
    void sync_control(ui::Control& c);
    void sync_style(ui::Control& c, Fl_Widget& w);
    void sync_focus();
    void rebuild_menus();
    void schedule_paint();
    static void paint_callback(void* self);
    static void rebuild_menus_callback(void* self);
    void apply_window_geometry();
    // A window the user may resize and maximize.
    bool sizable() const;
    // Pixels from the window's outer corner to its client area.
    void frame_offset(int& left, int& top) const;
    void maximize_on_screen();
    int min_w_ = 1, min_h_ = 1;
    // The frame offset the window was last placed with.
    int placed_left_ = 0, placed_top_ = 0;
    // The model is being told what the user did to the window on the screen.
    int from_screen_ = 0;
    // The window state the screen window was last given.
    int applied_state_ = 0;
    // Asked of the window manager and not yet done: its configure events meanwhile change nothing.
    bool maximize_requested_ = false;
    bool restore_requested_ = false;
    void place_over_opener();
    int route_key(ui::Control* focused, const std::function<int(int)>& base);
    // Hands typed characters (UTF-8) to the focused text box or editable combo box, or a one-byte
    // character to the window as a KeyPress.
    void type_text(std::string_view typed, ui::TextBox* text, ui::ComboBox* combo);
    bool key_is_used_up(int keyCode, int shift) const;
    void begin_caption_drag();
    void follow_caption_drag();
    void end_caption_drag();
    // --- the list kinds, drawn and hit-tested here from the model (WindowView_lists.cpp) ---
    static bool is_list_kind(const ui::Control& c);
    int handle_list_event(Fl_Widget& w, ui::Control& c, int event, const std::function<int(int)>& base);
    void draw_list(Fl_Widget& w, ui::Control& c);
    void drop_down(Fl_Widget& w, ui::ListControl& list);
    void keep_cursor_in_view(ui::Control& c);
    // Lists whose entries changed while the window's drawing was frozen: they are brought up to date
    // (scroll bars, extent, style) once, when drawing resumes, not once per entry added.
    std::vector<ui::Control*> filled_while_frozen_;
    void sync_lists_filled_while_frozen();
    // --- scroll bars of the lists whose content does not fit (WindowView_lists.cpp) ---
    struct ListScrollBars {
        Fl_Scrollbar* vertical = nullptr;
        Fl_Scrollbar* horizontal = nullptr;
        int left = 0; // pixels the report view is scrolled to the right
    };
    static bool has_scroll_bars(const ui::Control& c);
    void sync_scroll_bars(ui::Control& c);
    void remove_scroll_bars(ui::Control& c);
    // The room inside a list's frame that its scroll bars leave to its entries, in window pixels.
    void list_content_box(ui::Control& c, Fl_Widget& w, int& x, int& y, int& width, int& height) const;
    int list_left(ui::Control& c) const;
    std::map<ui::Control*, ListScrollBars> scroll_bars_;
    struct ContentClip;
    // --- drag and drop between controls ---
    ui::Control* control_at(int x, int y) const;
    void follow_drag(bool dropping);
    // The pointer of a drag: the source's drag picture (DragIcon) while a control is dragged.
    void show_drag_pointer();
    ui::Control* drag_over_ = nullptr;
    // --- label edit of a report list's item: an entry field over the item ---
    void sync_label_editor(ui::ListView& list);
    void finish_label_edit(bool accept);
    Fl_Widget* label_editor_ = nullptr;
    ui::ListView* label_list_ = nullptr;

    float twips_x(Fl_Widget& w) const;
    float twips_y(Fl_Widget& w) const;
    // A text box's selection, or its text and selection, as the widget holds them after an edit or
    // a move of its own, written to the model. While they are read, the model's changes do not set
    // the widget's selection back, so a selection grown to the left keeps its anchor.
    void text_selection_to_model(ui::TextBox& t, Fl_Widget& w);
    void text_to_model(ui::TextBox& t, Fl_Widget& w);
    // A middle-button paste into a text box: the primary selection goes in where the caret is.
    void paste_primary(ui::TextBox& t, Fl_Widget& w);

    FltkHost& host_;
    ui::Window& model_;
    ScreenWindow* window_ = nullptr;
    Fl_Menu_Bar* menubar_ = nullptr;
    std::map<ui::Control*, Fl_Widget*> widgets_;
    std::map<Fl_Widget*, ui::Control*> controls_;
    std::vector<Fl_Menu_Item> menu_items_;
    std::deque<std::string> menu_labels_;
    MenuPictures menu_pictures_{host_};
    bool menus_dirty_ = true;
    int applying_ = 0;
    int reading_text_ = 0;
    bool paint_pending_ = false;
    bool shown_ = false;
    bool detached_ = false;
    // A drag of the whole window by its body, started by the program at a left-button press.
    bool caption_drag_ = false;
    int drag_offset_x_ = 0, drag_offset_y_ = 0;
    // The second press of a double click raises DblClick, and its release raises no Click.
    bool double_press_ = false;
    bool menu_opened_by_key_ = false;
    std::vector<ui::Control*> known_controls_;
};

} // namespace fltk
