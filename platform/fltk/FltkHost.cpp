#include "platform/fltk/FltkHost.hpp"

#include "platform/fltk/WindowView.hpp"
#include "platform/fltk/dialogs.hpp"
#include "platform/fltk/draw.hpp"
#include "platform/fltk/fonts.hpp"
#include "platform/fltk/modal.hpp"
#include "platform/fltk/selection.hpp"
#include "platform/fltk/wm.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace fltk {

namespace {

// The host whose windows the display's events go to.
FltkHost* dispatching_host = nullptr;

// Each event the display delivers is one action of the user, with the model's error net.
int dispatch_action(int event, Fl_Window* window) {
    if (!dispatching_host) return modal::dispatch(event, window);
    int handled = 0;
    dispatching_host->own_actions(
        [&] { dispatching_host->user_action([&] { handled = modal::dispatch(event, window); }); });
    return handled;
}

} // namespace

bool open_display(std::string& why) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        why = "Vexolan needs a graphical display (X11): none found (DISPLAY is not set).";
        return false;
    }
    Display* d = XOpenDisplay(display);
    if (!d) {
        why = std::string("Vexolan needs a graphical display (X11): cannot open display \"") + display + "\".";
        return false;
    }
    // FLTK takes this connection over: closing it first would leave a server with no other client
    // empty, and such a server resets itself, refusing the next connection for a while.
    fl_open_display(d);
    return true;
}

FltkHost::FltkHost() {
    fl_open_display();
    install_interface_fonts();
    fl_register_images();
    Fl::scheme("gtk+");
    Fl::background(236, 233, 226);
    Fl::add_check(check_callback, this);
    Fl::add_system_handler(x_event, this);
    dispatching_host = this;
    Fl::event_dispatch(dispatch_action);
    registry().on_schedule_changed = [this] { arm_timer(); };
    registry().on_window_loaded = [this](ui::Window& w) { view_of(w); };
    registry().on_window_unloaded = [this](ui::Window& w) { unbind(w); };
}

FltkHost::~FltkHost() {
    Fl::remove_check(check_callback, this);
    Fl::remove_system_handler(x_event);
    Fl::event_dispatch(nullptr);
    if (dispatching_host == this) dispatching_host = nullptr;
    Fl::remove_timeout(timer_callback, this);
    Fl::remove_timeout(wm_changes_callback, this);
    registry().on_schedule_changed = nullptr;
    registry().on_window_loaded = nullptr;
    registry().on_window_unloaded = nullptr;
    views_.clear();
    dead_views_.clear();
}

int FltkHost::run() {
    bind_loaded_windows();
    while (Fl::first_window()) {
        Fl::wait(1e20);
        bind_loaded_windows();
    }
    return 0;
}

void FltkHost::check_callback(void* self) {
    auto* host = static_cast<FltkHost*>(self);
    host->bind_loaded_windows();
    host->bury_dead_views();
    host->centre_foreign_windows();
    // Another window became the active one: the lists of the others draw their selection anew.
    ui::Window* active = host->registry().ActiveWindow();
    if (active != host->last_active_) {
        host->last_active_ = active;
        for (auto& [w, view] : host->views_)
            if (view->window()->shown()) view->window()->redraw();
    }
}

int FltkHost::x_event(void* event, void* self) {
    // The window manager maximizes, restores or re-frames a window by setting its properties; the
    // configure event that moves it may come before or after them.
    auto* e = static_cast<XEvent*>(event);
    if (e->type != PropertyNotify) return 0;
    static const Atom state = XInternAtom(fl_display, "_NET_WM_STATE", False);
    static const Atom frame = XInternAtom(fl_display, "_NET_FRAME_EXTENTS", False);
    if (e->xproperty.atom != state && e->xproperty.atom != frame) return 0;
    auto* host = static_cast<FltkHost*>(self);
    for (auto& [model, view] : host->views_)
        if (view->window()->shown() && fl_xid(view->window()) == e->xproperty.window) {
            host->pending_wm_changes_.insert(model);
            Fl::add_timeout(0.0, wm_changes_callback, host);
        }
    return 0;
}

void FltkHost::wm_changes_callback(void* self) {
    auto* host = static_cast<FltkHost*>(self);
    std::set<ui::Window*> windows;
    windows.swap(host->pending_wm_changes_);
    for (ui::Window* w : windows)
        if (auto it = host->views_.find(w); it != host->views_.end()) it->second->window_manager_changed();
}

void FltkHost::unbind(ui::Window& window) {
    pending_wm_changes_.erase(&window);
    auto it = views_.find(&window);
    if (it == views_.end()) return;
    // The window may be in its destructor: only its ui::Window part is touched.
    window.attach_view(nullptr);
    it->second->detach();
    dead_views_.push_back(std::move(it->second));
    views_.erase(it);
}

void FltkHost::bury_dead_views() {
    if (event_depth == 0) dead_views_.clear();
}

void FltkHost::bind_loaded_windows() {
    for (ui::Window* w : registry().LoadedWindows()) {
        auto it = views_.find(w);
        if (it == views_.end()) {
            views_.emplace(w, std::make_unique<WindowView>(*this, *w));
        } else {
            if (w->view() != it->second.get()) w->attach_view(it->second.get());
            it->second->sync_controls();
            it->second->sync_window();
        }
    }
}

WindowView* FltkHost::view_of(ui::Window& window) {
    auto it = views_.find(&window);
    if (it == views_.end()) {
        if (!window.Loaded()) return nullptr;
        it = views_.emplace(&window, std::make_unique<WindowView>(*this, window)).first;
    }
    return it->second.get();
}

Fl_Window* FltkHost::screen_window(ui::Window& window) {
    auto it = views_.find(&window);
    return it == views_.end() ? nullptr : it->second->window();
}

Fl_Widget* FltkHost::widget(ui::Control& control) {
    if (!control.Parent()) return nullptr;
    auto it = views_.find(control.Parent());
    return it == views_.end() ? nullptr : it->second->widget(control);
}

void FltkHost::set_picture_resolver(std::function<std::string(int)> resolver) {
    picture_resolver_ = std::move(resolver);
}

std::string FltkHost::picture_file(int handle) const {
    if (handle == 0 || !picture_resolver_) return {};
    return picture_resolver_(handle);
}

// --- questions to the user ----------------------------------------------------------------------------

Fl_Window* FltkHost::owner_window() {
    // The newest modal window asks; else the window the user works in; else the screen window
    // that had the last event.
    if (Fl_Window* w = modal::top(); w && w->shown()) return w;
    if (ui::Window* active = registry().ActiveWindow())
        if (Fl_Window* w = screen_window(*active); w && w->shown()) return w;
    return Fl::first_window();
}

void FltkHost::centre_foreign_windows() {
    // Windows that are not the model's (the file and folder choosers) open over their owner too.
    if (!foreign_owner_) return;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
        if (w == foreign_owner_ || placed_.count(w)) continue;
        bool ours = false;
        for (auto& [m, view] : views_)
            if (view->window() == w) ours = true;
        if (ours || w->parent() || w->menu_window() || w->tooltip_window()) continue;
        placed_.insert(w);
        place_over(*w, foreign_owner_);
        wm::set_transient_for(*w, *foreign_owner_);
        wm::raise(*w);
    }
}

void FltkHost::open_foreign_modal() {
    modal::open(nullptr, nullptr);
}

void FltkHost::close_foreign_modal() {
    modal::close(nullptr);
}

int FltkHost::MsgBox(std::string_view prompt, int style, std::string_view title) {
    return show_message_box(prompt, style, title.empty() ? ui::DefaultTitle : title, owner_window());
}

std::string FltkHost::InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    return show_input_box(prompt, title.empty() ? ui::DefaultTitle : title, defaultText, owner_window());
}

void FltkHost::ShowModal(ui::Window& window) {
    Fl_Window* owner = owner_window();
    WindowView* view = view_of(window);
    if (!view) return;
    view->sync_window();
    // Above the window it was opened from; no other window of the program takes input meanwhile.
    modal::Scope scope(view->window(), owner);
    // The window runs its own loop until the program hides or unloads it.
    while (window.Loaded() && window.Visible) {
        Fl::wait(1e20);
        bind_loaded_windows();
        if (!window.Loaded()) break;
        view = view_of(window);
        if (view && !view->window()->shown() && window.Visible) view->sync_window();
    }
}

void FltkHost::PopupMenu(ui::Window& owner, ui::Menu& menu, int x, int y) {
    std::vector<Fl_Menu_Item> items;
    std::deque<std::string> labels;
    MenuPictures pictures(*this);
    WindowView::build_menu_items(menu.Items(), items, labels, false, &pictures);
    if (items.empty()) return;
    items.push_back(Fl_Menu_Item{});
    int px = Fl::event_x(), py = Fl::event_y();
    if (x >= 0 || y >= 0) {
        // Twips of the owner's client area, turned into coordinates of the window that had the last event.
        WindowView* view = view_of(owner);
        int rootX = (view ? view->window()->x_root() : 0) + x / TwipsPerPixel;
        int rootY = (view ? view->window()->y_root() + view->menu_height() : 0) + y / TwipsPerPixel;
        px = rootX - (Fl::event_x_root() - Fl::event_x());
        py = rootY - (Fl::event_y_root() - Fl::event_y());
    }
    const Fl_Menu_Item* chosen = items.front().popup(px, py);
    if (chosen && chosen->user_data_) static_cast<ui::Menu*>(chosen->user_data_)->user_click();
}

namespace {

// "Plugins (*.8bf)" + "*.8bf;*._bf" as FLTK writes a filter: "Plugins (*.8bf)\t{*.8bf,*._bf}".
std::string fl_filter(const std::vector<ui::FileFilter>& filters) {
    std::string out;
    for (const ui::FileFilter& f : filters) {
        if (!out.empty()) out += '\n';
        std::string pattern = f.Pattern;
        if (pattern.find(';') != std::string::npos) {
            std::replace(pattern.begin(), pattern.end(), ';', ',');
            pattern = "{" + pattern + "}";
        }
        if (pattern == "*.*") pattern = "*";
        std::string desc = f.Description;
        std::replace(desc.begin(), desc.end(), '\t', ' ');
        // The chooser shows the patterns after the text itself: drop them from the text.
        std::string shown = " (" + f.Pattern + ")";
        if (desc.size() > shown.size() && desc.compare(desc.size() - shown.size(), shown.size(), shown) == 0)
            desc.erase(desc.size() - shown.size());
        out += desc + "\t" + pattern;
    }
    return out;
}

} // namespace

std::string FltkHost::FileDialog(const ui::FileDialogRequest& request) {
    Fl_Native_File_Chooser chooser;
    chooser.title(request.Title.empty() ? nullptr : request.Title.c_str());
    switch (request.DialogMode) {
    case ui::FileDialogRequest::Open:
        chooser.type(Fl_Native_File_Chooser::BROWSE_FILE);
        break;
    default:
        chooser.type(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
        if (request.DialogMode == ui::FileDialogRequest::SaveWithPrompt)
            chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM);
    }
    std::string filter = fl_filter(request.Filters);
    if (!filter.empty()) chooser.filter(filter.c_str());
    if (!request.InitialFolder.empty()) chooser.directory(request.InitialFolder.c_str());
    if (!request.ProposedName.empty()) chooser.preset_file(request.ProposedName.c_str());
    ForeignDialog over(*this);
    if (chooser.show() != 0 || !chooser.filename()) return {};
    std::string path = chooser.filename();
    if (request.DialogMode != ui::FileDialogRequest::Open && !request.DefaultExtension.empty()) {
        std::size_t slash = path.rfind('/');
        std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        if (name.find('.') == std::string::npos) path += "." + request.DefaultExtension;
    }
    return path;
}

std::optional<ui::FontChoice> FltkHost::FontDialog(const ui::FontChoice& initial) {
    return show_font_dialog(initial, owner_window());
}

std::string FltkHost::BrowseForFolder(std::string_view prompt, std::string_view initialFolder) {
    // FLTK's own folder chooser, not GTK's: a GTK chooser opens at the screen's top-left corner,
    // where nothing can put it over the window that asked, and runs a loop of its own in which no
    // timer of the program fires.
    std::string title(prompt), start(initialFolder);
    Fl_File_Chooser chooser(start.empty() ? nullptr : start.c_str(), "*", Fl_File_Chooser::DIRECTORY, title.c_str());
    ForeignDialog over(*this);
    chooser.show();
    while (chooser.shown())
        Fl::wait();
    const char* chosen = chooser.count() > 0 ? chooser.value() : nullptr;
    if (!chosen || !*chosen) return {};
    std::string folder = chosen;
    // The chooser ends a folder's name with a separator; the caller gets the folder's own name.
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

// --- the event loop, the pointer and polling ------------------------------------------------------------------

void FltkHost::DoEvents() {
    Fl::check();
}

void FltkHost::FlushDrawing() {
    auto now = std::chrono::steady_clock::now();
    if (now - last_flush_ < FlushInterval) return;
    last_flush_ = now;
    // Windows loaded during the work get their screen windows; then every damaged window draws.
    // No event is read, so nothing the user does runs inside the work.
    bind_loaded_windows();
    Fl::flush();
}

void FltkHost::apply_pointer(Fl_Window& window) const {
    window.cursor(pointer_ == ui::vbHourglass ? FL_CURSOR_WAIT : FL_CURSOR_DEFAULT);
}

void FltkHost::SetMousePointer(int pointer) {
    pointer_ = pointer;
    for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
        apply_pointer(*w);
    Fl::flush();
}

namespace {

// A press of one key among the events waiting in the queue, newer than the last one reported.
struct PressSearch {
    KeyCode key;
    Time after;
    Time newest = 0;
};

Bool find_press(Display*, XEvent* e, XPointer arg) {
    auto* search = reinterpret_cast<PressSearch*>(arg);
    if (e->type == KeyPress && e->xkey.keycode == search->key && e->xkey.time > search->after &&
        e->xkey.time > search->newest)
        search->newest = e->xkey.time;
    return False; // the event stays in the queue for the window it belongs to
}

} // namespace

bool FltkHost::KeyDown(int keyCode) {
    // The mouse buttons: X tells no keyboard query about them. The state comes from the events
    // the program received: every press, release and move carries it, and a release read by
    // DoEvents clears it (FLTK keeps it in the event state).
    if (keyCode == ui::vbKeyLButton) return (Fl::event_state() & FL_BUTTON1) != 0;
    if (keyCode == ui::vbKeyRButton) return (Fl::event_state() & FL_BUTTON3) != 0;
    if (keyCode == 4) return (Fl::event_state() & FL_BUTTON2) != 0; // the middle button
    // Long work asks for Esc before every file; each question is a round trip to the display, so
    // the display is asked at most every EscapePollInterval and the answer stands until then.
    if (keyCode == ui::vbKeyEscape) {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_escape_poll_ < EscapePollInterval) return escape_held_;
        last_escape_poll_ = now;
        escape_held_ = Fl::get_key(FL_Escape) != 0;
        if (escape_held_) return true;
    }
    int key = fl_key_from_code(keyCode);
    if (!key) return false;
    // Fl::get_key asks the display for the live keyboard state, not the last event.
    if (keyCode == ui::vbKeyShift) return Fl::get_key(FL_Shift_L) || Fl::get_key(FL_Shift_R);
    if (keyCode == ui::vbKeyControl) return Fl::get_key(FL_Control_L) || Fl::get_key(FL_Control_R);
    if (keyCode == ui::vbKeyMenu) return Fl::get_key(FL_Alt_L) || Fl::get_key(FL_Alt_R);
    if (keyCode != ui::vbKeyEscape && Fl::get_key(key)) return true; // Esc was asked above
    // Long work asks between its steps, and a short press may come and go inside one step: a press
    // that came since the last question counts too, once. The work reads no events, so the press
    // still waits in the queue (it is looked at, not taken; the window gets it afterwards).
    if (!fl_display) return false;
    const KeyCode code = XKeysymToKeycode(fl_display, static_cast<KeySym>(key));
    if (!code) return false;
    PressSearch search{code, key_press_seen_[keyCode]};
    XEvent unused;
    XCheckIfEvent(fl_display, &unused, find_press, reinterpret_cast<XPointer>(&search));
    if (!search.newest) return false;
    key_press_seen_[keyCode] = search.newest;
    return true;
}

// --- time and chance ------------------------------------------------------------------------------------

std::chrono::steady_clock::time_point FltkHost::SteadyNow() {
    return std::chrono::steady_clock::now();
}

vb::DateTime FltkHost::Now() {
    return vb::Now();
}

double FltkHost::Rnd() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
}

void FltkHost::Randomize(std::uint32_t seed) {
    rng_.seed(seed);
}

void FltkHost::arm_timer() {
    Fl::remove_timeout(timer_callback, this);
    auto next = registry().NextDue();
    if (!next) return;
    double delay = std::chrono::duration<double>(*next - std::chrono::steady_clock::now()).count();
    Fl::add_timeout(std::max(0.0, delay), timer_callback, this);
}

void FltkHost::timer_callback(void* self) {
    auto* host = static_cast<FltkHost*>(self);
    host->registry().FireDue(std::chrono::steady_clock::now());
    host->arm_timer();
}

// --- the screen -------------------------------------------------------------------------------------------

int FltkHost::TwipsPerPixelX() const {
    return TwipsPerPixel;
}
int FltkHost::TwipsPerPixelY() const {
    return TwipsPerPixel;
}
int FltkHost::ScreenWidth() const {
    return Fl::w() * TwipsPerPixel;
}
int FltkHost::ScreenHeight() const {
    return Fl::h() * TwipsPerPixel;
}
int FltkHost::CaptionHeight() const {
    return 22;
}
int FltkHost::MenuHeight() const {
    return 24;
}

int FltkHost::TextWidthPixels(const ui::FontChoice& font, std::string_view text) const {
    fl_font(to_fl_font(font), to_fl_size(font));
    int widest = 0;
    std::string lines = display_lines(text);
    std::size_t start = 0;
    while (true) {
        std::size_t end = lines.find('\n', start);
        std::string line = lines.substr(start, end == std::string::npos ? std::string::npos : end - start);
        widest = std::max(widest, static_cast<int>(std::ceil(fl_width(line.c_str()))));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return widest;
}

int FltkHost::TextHeightPixels(const ui::FontChoice& font, std::string_view text) const {
    fl_font(to_fl_font(font), to_fl_size(font));
    std::string lines = display_lines(text);
    int count = 1 + static_cast<int>(std::count(lines.begin(), lines.end(), '\n'));
    return count * fl_height();
}

// --- the clipboard -------------------------------------------------------------------------------------------

std::string FltkHost::ClipboardText() {
    // Another program's text is read by the program's own reader, never by FLTK's paste.
    return selection_text(SelectionName::Clipboard);
}

void FltkHost::SetClipboardText(std::string_view text) {
    Fl::copy(text.data(), static_cast<int>(text.size()), 1, Fl::clipboard_plain_text);
}

void FltkHost::ClearClipboard() {
    Fl::copy("", 0, 1, Fl::clipboard_plain_text);
}

} // namespace fltk
