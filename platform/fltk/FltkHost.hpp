#pragma once
// The desktop Host: draws every loaded window of the model with FLTK and asks the user through
// real dialogs. The program builds one after checking that a display is there:
//
//     std::string why;
//     if (!fltk::open_display(why)) { std::cerr << why; return 1; }
//     fltk::FltkHost host;
//     vexolan::App app(host, ...);
//     app.form1().Show();
//     return host.run();
//
// Windows are bound to the screen when they are loaded: before FLTK waits for the next event, every
// loaded window without a screen window gets one, mirroring all its controls. From then on a property
// set in the model redraws its widget, and what the user does on a widget comes back through the
// model's user_... entry points, raising the events a scripted test raises.

#include "platform/ui/Host.hpp"

#include <functional>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

class Fl_Widget;
class Fl_Window;

namespace ui {
class Control;
}

namespace fltk {

class WindowView;

// Opens the X11 display FLTK draws on. False, with a sentence for the user, when there is none.
bool open_display(std::string& why);

class FltkHost : public ui::Host {
public:
    FltkHost();
    ~FltkHost() override;

    // Runs the event loop until every window is hidden or unloaded; returns the exit code (0).
    int run();
    // Binds every loaded window that has no screen window yet (the loop does this before each wait).
    void bind_loaded_windows();
    // The screen window of a model window, or nullptr when it is not bound (yet).
    Fl_Window* screen_window(ui::Window& window);
    // The widget of a control, or nullptr (timers have none).
    Fl_Widget* widget(ui::Control& control);
    // Pictures: the file that an image handle stands for ("" = nothing to draw). The program's own
    // artwork uses handles the program gives out; the resolver maps them to files.
    void set_picture_resolver(std::function<std::string(int handle)> resolver);
    std::string picture_file(int handle) const;

    // --- ui::Host ---
    int MsgBox(std::string_view prompt, int style = ui::vbOKOnly, std::string_view title = {}) override;
    std::string InputBox(std::string_view prompt, std::string_view title = {},
                         std::string_view defaultText = {}) override;
    void ShowModal(ui::Window& window) override;
    void PopupMenu(ui::Window& owner, ui::Menu& menu, int x = -1, int y = -1) override;
    std::string FileDialog(const ui::FileDialogRequest& request) override;
    std::optional<ui::FontChoice> FontDialog(const ui::FontChoice& initial) override;
    std::string BrowseForFolder(std::string_view prompt, std::string_view initialFolder) override;
    void DoEvents() override;
    void FlushDrawing() override;
    void SetMousePointer(int pointer) override;
    int MousePointer() const override { return pointer_; }
    bool KeyDown(int keyCode) override;
    std::chrono::steady_clock::time_point SteadyNow() override;
    vb::DateTime Now() override;
    double Rnd() override;
    void Randomize(std::uint32_t seed) override;
    int TwipsPerPixelX() const override;
    int TwipsPerPixelY() const override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    int CaptionHeight() const override;
    int MenuHeight() const override;
    int TextWidthPixels(const ui::FontChoice& font, std::string_view text) const override;
    int TextHeightPixels(const ui::FontChoice& font, std::string_view text) const override;
    std::string ClipboardText() override;
    void SetClipboardText(std::string_view text) override;
    void ClearClipboard() override;
    std::optional<ui::Bitmap> ClipboardImage() override;
    void SetClipboardImage(const ui::Bitmap& picture) override;

    // --- for the views ---
    WindowView* view_of(ui::Window& window);
    // Events being handled now (nested loops count): dead views are freed only outside them.
    int event_depth = 0;
    void apply_pointer(Fl_Window& window) const;

    // The window a dialog opens over: the active window's, or the one that had the last event.
    Fl_Window* owner_window();
    // Where the binding last centred a window over its opener (twips). A window still there has no
    // place of its own and is centred again when it opens next.
    std::map<const ui::Window*, std::pair<int, int>> centred_places;

private:
    // While a chooser that is not ours runs, its windows are put over the window that asked.
    struct ForeignDialog {
        explicit ForeignDialog(FltkHost& h) : host(h) {
            host.foreign_owner_ = host.owner_window();
            open_foreign_modal();
        }
        ~ForeignDialog() {
            close_foreign_modal();
            host.foreign_owner_ = nullptr;
            host.placed_.clear();
        }
        FltkHost& host;
    };
    void centre_foreign_windows();
    // While a chooser that is not ours runs, no window of the program takes input.
    static void open_foreign_modal();
    static void close_foreign_modal();
    Fl_Window* foreign_owner_ = nullptr;
    std::set<Fl_Window*> placed_;
    static void check_callback(void* self);
    static int x_event(void* event, void* self);
    static void wm_changes_callback(void* self);
    std::set<ui::Window*> pending_wm_changes_;
    static void timer_callback(void* self);
    void arm_timer();

    void unbind(ui::Window& window);
    void bury_dead_views();

    std::map<ui::Window*, std::unique_ptr<WindowView>> views_;
    // Views of unloaded windows wait here until no event of theirs is being handled.
    std::vector<std::unique_ptr<WindowView>> dead_views_;
    std::function<std::string(int)> picture_resolver_;
    std::mt19937 rng_{std::random_device{}()};
    int pointer_ = ui::vbDefault;
    bool timer_armed_ = false;
    ui::Window* last_active_ = nullptr;
    std::chrono::steady_clock::time_point last_flush_{};
    // For each key asked about: the server time of the newest press KeyDown reported from the queue.
    std::map<int, unsigned long> key_press_seen_;
    // When the display was last asked for Esc, and whether it was held down then.
    static constexpr std::chrono::milliseconds EscapePollInterval{25};
    std::chrono::steady_clock::time_point last_escape_poll_{};
    bool escape_held_ = false;
};

} // namespace fltk
