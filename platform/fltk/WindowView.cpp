#include "platform/fltk/WindowView.hpp"

#include "platform/fltk/selection.hpp"

#include "platform/fltk/FltkHost.hpp"
#include "platform/fltk/draw.hpp"
#include "platform/fltk/modal.hpp"
#include "platform/fltk/pictures.hpp"
#include "platform/fltk/shape.hpp"
#include "platform/fltk/wm.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Multiline_Input.H>
#include <FL/Fl_Round_Button.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/Fl_Secret_Input.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

namespace fltk {

namespace {

int px(int twips) {
    return static_cast<int>(std::lround(twips / static_cast<double>(TwipsPerPixel)));
}

// Byte offset of the n-th code point of a UTF-8 text (its size when n is past the end).
int byte_of_char(std::string_view s, int n) {
    int count = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) continue;
        if (count == n) return static_cast<int>(i);
        ++count;
    }
    return static_cast<int>(s.size());
}

int char_of_byte(std::string_view s, int byte) {
    int count = 0;
    for (int i = 0; i < byte && i < static_cast<int>(s.size()); ++i)
        if ((static_cast<unsigned char>(s[static_cast<std::size_t>(i)]) & 0xC0) != 0x80) ++count;
    return count;
}

// A multi-line box holds its line ends as the program writes them (CR LF), but the input widget
// would draw each CR as "^M": the widget is given each CR LF as one LF, and offsets are mapped.
bool is_pair_cr(std::string_view s, std::size_t i) {
    return s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n';
}

std::string shown_text(const ui::TextBox& t) {
    const std::string& text = t.Text.get();
    if (!t.MultiLine) return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
        if (!is_pair_cr(text, i)) out += text[i];
    return out;
}

// The byte offset in the shown text of the box's n-th character.
int shown_byte_of_char(const ui::TextBox& t, int n) {
    const std::string& text = t.Text.get();
    int b = byte_of_char(text, n);
    if (!t.MultiLine) return b;
    int dropped = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(b); ++i)
        if (is_pair_cr(text, i)) ++dropped;
    return b - dropped;
}

// The box's character at a byte offset of the shown text.
int char_of_shown_byte(const ui::TextBox& t, int shownByte) {
    const std::string& text = t.Text.get();
    if (!t.MultiLine) return char_of_byte(text, shownByte);
    int shown = 0, chars = 0;
    for (std::size_t i = 0; i < text.size() && shown < shownByte; ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++chars;
        if (!is_pair_cr(text, i)) ++shown;
    }
    return chars;
}

// The box's text for what the widget shows after an edit of its own (a paste, an undo).
std::string text_of_shown(const ui::TextBox& t, std::string_view shown) {
    if (!t.MultiLine) return std::string(shown);
    std::string out;
    for (char ch : shown) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

// The access key of a caption ("&Next Tip" gives 'N'), upper case, or 0.
char access_key(std::string_view caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    }
    return 0;
}

// A text that stays at one address for the rest of the run. FLTK's tooltip keeps the pointer it was
// given while its timer runs: a style change of the control (a label whose colour follows the
// pointer) must not free the text under it. Tooltip texts are few and repeat, so each is kept once.
const char* lasting_text(const std::string& text) {
    static std::set<std::string> kept;
    return kept.insert(text).first->c_str();
}

int depth_of(const ui::Control& c) {
    int d = 0;
    for (const ui::Control* p = c.Container(); p; p = p->Container())
        ++d;
    return d;
}

// A widget that reports its events and drawing to the view of its window.
template <typename W> class Bound : public W {
public:
    Bound(WindowView& view, ui::Control& control) : W(0, 0, 10, 10), view_(view), control_(control) {}
    int handle(int event) override {
        return view_.handle_control_event(*this, control_, event, [this](int e) { return W::handle(e); });
    }
    // A control draws inside its own rectangle only, as a Windows control does: a caption longer
    // than a small check box is cut off instead of running over its neighbours.
    void draw() override {
        fl_push_clip(this->x(), this->y(), this->w(), this->h());
        if (!view_.draw_control(*this, control_)) W::draw();
        fl_pop_clip();
    }

private:
    WindowView& view_;
    ui::Control& control_;
};

// A control drawn by the view itself (labels, frames, images, lines, picture boxes).
class Surface : public Fl_Widget {
public:
    Surface(int x, int y, int w, int h) : Fl_Widget(x, y, w, h) {}
    void draw() override {}
    int handle(int) override { return 0; }
};

} // namespace

// --- the screen window -------------------------------------------------------------------------

class ScreenWindow : public Fl_Double_Window {
public:
    ScreenWindow(WindowView& view) : Fl_Double_Window(100, 100), view_(view) {
        end();
        resizable(nullptr);
        callback(
            [](Fl_Widget*, void* v) {
                // FLTK closes a window on an Escape that no widget took. Here Escape is an ordinary
                // key: the model saw it already (a Cancel button, KeyDown, KeyPress) and a window
                // closes only through its close button, the window manager or the program.
                if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
                static_cast<WindowView*>(v)->close_requested();
            },
            &view_);
    }
    int handle(int event) override {
        return view_.handle_window_event(event, [this](int e) { return Fl_Double_Window::handle(e); });
    }
    void draw() override {
        if (!(damage() & ~FL_DAMAGE_CHILD)) redraw_overlapped_children();
        view_.draw_window_surface();
        draw_children();
    }
    void resize(int x, int y, int w, int h) override {
        bool moved = x != this->x() || y != this->y() || w != this->w() || h != this->h();
        Fl_Double_Window::resize(x, y, w, h);
        if (moved && shown() && !view_.applying()) view_.screen_window_configured();
    }

private:
    // Only some controls changed: FLTK draws the window's background again within their boxes and
    // then only them. A control lying in one of those boxes without having changed itself (a list's
    // scroll bars, a box over a picture or frame) is drawn again too, or the background covers it.
    void redraw_overlapped_children() {
        std::vector<Fl_Widget*> changed;
        for (int i = 0; i < children(); ++i)
            if (child(i)->damage()) changed.push_back(child(i)); // hidden ones too: their boxes were painted
        for (int i = 0; i < children(); ++i) {
            Fl_Widget* c = child(i);
            if (c->damage() || !c->visible()) continue;
            for (Fl_Widget* d : changed)
                if (c->x() < d->x() + d->w() && d->x() < c->x() + c->w() && c->y() < d->y() + d->h() &&
                    d->y() < c->y() + c->h()) {
                    c->clear_damage(FL_DAMAGE_ALL); // the window's drawing is clipped to the changed boxes
                    break;
                }
        }
    }

    WindowView& view_;
};

// --- construction ----------------------------------------------------------------------------------

WindowView::WindowView(FltkHost& host, ui::Window& model) : host_(host), model_(model) {
    // The window's design size, as its class made it: the smallest the user can size it to.
    min_w_ = model_.Width / TwipsPerPixel - 8;
    min_h_ = model_.Height / TwipsPerPixel - 8 - host_.CaptionHeight();
    window_ = new ScreenWindow(*this);
    modal::track(*window_);
    model_.attach_view(this);
    sync_controls();
    rebuild_menus();
    apply_window_geometry();
    sync_window();
}

WindowView::~WindowView() {
    Fl::remove_timeout(paint_callback, this);
    Fl::remove_timeout(configured_callback, this);
    Fl::remove_timeout(rebuild_menus_callback, this);
    // The model may be gone by now (the App ends before the host): touch only the screen side.
    if (window_) {
        modal::untrack(*window_);
        window_->hide();
        Fl::delete_widget(window_);
    }
}

void WindowView::detach() {
    detached_ = true;
    Fl::remove_timeout(paint_callback, this);
    Fl::remove_timeout(configured_callback, this);
    Fl::remove_timeout(rebuild_menus_callback, this);
    if (window_) window_->hide();
}

Fl_Window* WindowView::window() const {
    return window_;
}

Fl_Widget* WindowView::widget(ui::Control& control) {
    auto it = widgets_.find(&control);
    return it == widgets_.end() ? nullptr : it->second;
}

ui::Control* WindowView::control_of(Fl_Widget* widget) const {
    auto it = controls_.find(widget);
    return it == controls_.end() ? nullptr : it->second;
}

void WindowView::sync_controls() {
    // Controls come and go with control arrays only: nothing to do while the list is the same.
    if (model_.Controls() == known_controls_) return;
    known_controls_ = model_.Controls();
    bool added = false;
    for (ui::Control* c : model_.Controls())
        if (!widgets_.count(c) && c->Kind() != "Timer") {
            create_widget(*c);
            added = true;
        }
    // Controls that went away (a control array element unloaded) lose their widgets.
    for (auto it = widgets_.begin(); it != widgets_.end();) {
        if (std::find(model_.Controls().begin(), model_.Controls().end(), it->first) == model_.Controls().end()) {
            remove_scroll_bars(*it->first);
            controls_.erase(it->second);
            window_->remove(it->second);
            Fl::delete_widget(it->second);
            it = widgets_.erase(it);
        } else {
            ++it;
        }
    }
    if (added) {
        restack();
        layout();
        for (auto& [c, w] : widgets_)
            sync_control(*c);
    }
}

void WindowView::create_widget(ui::Control& c) {
    std::string_view kind = c.Kind();
    Fl_Widget* w = nullptr;
    if (kind == "CommandButton") {
        auto* b = new Bound<Fl_Button>(*this, c);
        w = b;
    } else if (kind == "CheckBox") {
        w = new Bound<Fl_Check_Button>(*this, c);
    } else if (kind == "OptionButton") {
        w = new Bound<Fl_Round_Button>(*this, c);
    } else if (kind == "TextBox") {
        auto& t = static_cast<ui::TextBox&>(c);
        if (t.MultiLine)
            w = new Bound<Fl_Multiline_Input>(*this, c);
        else if (!t.PasswordChar->empty())
            w = new Bound<Fl_Secret_Input>(*this, c);
        else
            w = new Bound<Fl_Input>(*this, c);
        static_cast<Fl_Input*>(w)->when(FL_WHEN_NEVER);
    } else if (kind == "HScrollBar" || kind == "VScrollBar") {
        auto* s = new Bound<Fl_Scrollbar>(*this, c);
        s->type(kind == "HScrollBar" ? FL_HORIZONTAL : FL_VERTICAL);
        s->callback(
            [](Fl_Widget* wid, void* data) {
                auto* sb = static_cast<ui::ScrollBar*>(data);
                int v = static_cast<int>(static_cast<Fl_Scrollbar*>(wid)->value());
                if (v != sb->Value) sb->user_scroll_to(v);
            },
            &c);
        w = s;
    } else {
        // Labels, frames, images, lines, picture boxes: drawn here from the model.
        w = new Bound<Surface>(*this, c);
    }
    window_->add(w);
    widgets_[&c] = w;
    controls_[w] = &c;
}

// --- geometry and stacking ---------------------------------------------------------------------------

int WindowView::menu_height() const {
    return model_.PresentMenus().empty() ? 0 : host_.MenuHeight();
}

void WindowView::control_origin(const ui::Control& c, int& x, int& y) const {
    int tx = 0, ty = 0;
    for (const ui::Control* p = c.Container(); p; p = p->Container()) {
        tx += p->Left;
        ty += p->Top;
    }
    x = px(tx);
    y = px(ty) + menu_height();
}

void WindowView::restack() {
    // Containers first, then by the model's stacking order: FLTK draws children in order and gives
    // events to the last one under the pointer.
    std::vector<ui::Control*> order;
    for (auto& [c, w] : widgets_)
        order.push_back(c);
    std::stable_sort(order.begin(), order.end(), [](ui::Control* a, ui::Control* b) {
        int da = depth_of(*a), db = depth_of(*b);
        if (da != db) return da < db;
        return a->ZPosition() < b->ZPosition();
    });
    for (ui::Control* c : order)
        window_->remove(widgets_[c]);
    for (ui::Control* c : order)
        window_->add(widgets_[c]);
    // A list's scroll bars lie just above the list.
    for (auto& [c, bars] : scroll_bars_)
        for (Fl_Widget* bar : {static_cast<Fl_Widget*>(bars.vertical), static_cast<Fl_Widget*>(bars.horizontal)})
            if (bar) window_->insert(*bar, window_->find(widgets_[c]) + 1);
    if (menubar_) {
        window_->remove(menubar_);
        window_->add(menubar_);
    }
}

void WindowView::layout() {
    ++applying_;
    for (auto& [c, w] : widgets_) {
        int ox, oy;
        control_origin(*c, ox, oy);
        if (auto* line = dynamic_cast<ui::Line*>(c)) {
            int x1 = ox + px(line->X1), x2 = ox + px(line->X2), y1 = oy + px(line->Y1), y2 = oy + px(line->Y2);
            int bw = std::max(1, line->BorderWidth.get());
            w->resize(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + bw, std::abs(y2 - y1) + bw);
        } else {
            w->resize(ox + px(c->Left), oy + px(c->Top), std::max(1, px(c->Width)), std::max(1, px(c->Height)));
        }
        if (c->EffectivelyVisible())
            w->show();
        else
            w->hide();
        if (c->EffectivelyEnabled())
            w->activate();
        else
            w->deactivate();
    }
    for (auto& [c, w] : widgets_)
        if (has_scroll_bars(*c)) sync_scroll_bars(*c);
    if (menubar_) menubar_->resize(0, 0, window_->w(), menu_height());
    --applying_;
    window_->redraw();
}

bool WindowView::sizable() const {
    return model_.BorderStyle == ui::vbSizable && model_.MaxButton;
}

void WindowView::frame_offset(int& left, int& top) const {
    // Where the client area lies inside the outer rectangle the model keeps: the window manager's
    // real frame where it says what it is; else the frame the model assumes (4 pixels and the
    // caption). The same offset is used both ways, so a position read back is the one given.
    left = 4;
    top = 4 + host_.CaptionHeight();
    std::optional<wm::Frame> frame = wm::frame_of(*window_);
    if (frame && (frame->left || frame->top || frame->right || frame->bottom))
        wm::remember_frame(*frame);
    else
        frame = wm::expected_frame();
    if (frame) {
        left = frame->left;
        top = frame->top;
    }
}

void WindowView::apply_window_geometry() {
    ++applying_;
    int tpp = TwipsPerPixel;
    bool borderless = model_.BorderStyle == ui::vbBSNone;
    int w = model_.Width / tpp, h = model_.Height / tpp;
    int x = model_.Left / tpp, y = model_.Top / tpp;
    if (!borderless) {
        // The model's size counts a frame of 4 pixels and its caption; the position is the outer
        // corner, placed by the window manager's own frame.
        w -= 8;
        h -= 8 + host_.CaptionHeight();
        int left = 0, top = 0;
        frame_offset(left, top);
        placed_left_ = left;
        placed_top_ = top;
        x += left;
        y += top;
    }
    w = std::max(w, 1);
    h = std::max(h, 1);
    if (sizable()) {
        // The user may size the window down to its design size (or the smaller size it opened at).
        window_->resizable(window_);
        window_->size_range(std::max(1, std::min(min_w_, w)), std::max(1, std::min(min_h_, h)), 0, 0);
    }
    const int previous = applied_state_;
    applied_state_ = model_.WindowState;
    if (model_.WindowState == ui::vbMinimized) {
        if (window_->shown()) window_->iconize();
    } else if (model_.WindowState == ui::vbMaximized && sizable()) {
        maximize_on_screen();
    } else {
        // Restored by the program: the window manager restores it too. (A window the user just
        // maximized, whose model has not heard of it yet, stays maximized.)
        if (previous == ui::vbMaximized && window_->shown() && wm::maximized(*window_)) {
            restore_requested_ = true;
            wm::set_maximized(*window_, false);
        }
        window_->resize(x, y, w, h);
    }
    --applying_;
    layout();
}

void WindowView::maximize_on_screen() {
    if (!window_->shown()) return; // asked again once shown
    if (wm::running()) {
        if (!wm::maximized(*window_)) {
            maximize_requested_ = true;
            wm::set_maximized(*window_, true);
        }
        return;
    }
    // No window manager: the window fills the work area.
    int sx, sy, sw, sh;
    Fl::screen_work_area(sx, sy, sw, sh, window_->x() + window_->w() / 2, window_->y() + window_->h() / 2);
    window_->resize(sx, sy, sw, sh);
}

void WindowView::screen_geometry_changed(int x, int y, int w, int h) {
    if (detached_) return;
    if (sizable() && wm::running() && window_->shown()) {
        // The window manager's maximize button, or its restore: the model follows.
        const bool onScreen = wm::maximized(*window_);
        if (onScreen) maximize_requested_ = false;
        if (!onScreen) restore_requested_ = false;
        if (onScreen && model_.WindowState == ui::vbNormal && !restore_requested_) {
            model_.user_maximize();
            layout();
            schedule_paint();
            return;
        }
        if (!onScreen && model_.WindowState == ui::vbMaximized && !maximize_requested_) {
            model_.user_restore();
            return;
        }
        if (onScreen) {
            layout();
            return;
        }
    }
    if (model_.WindowState != ui::vbNormal) return;
    bool borderless = model_.BorderStyle == ui::vbBSNone;
    int frameW = borderless ? 0 : 8, frameH = borderless ? 0 : 8 + host_.CaptionHeight();
    int left = 0, top = 0;
    if (!borderless) frame_offset(left, top);
    int outerX = x - left, outerY = y - top;
    struct FromScreen {
        int& n;
        explicit FromScreen(int& count) : n(count) { ++n; }
        ~FromScreen() { --n; }
    } fromScreen(from_screen_);
    // The model keeps twips; only a change the screen's pixels can show counts as the user's.
    int tpp = TwipsPerPixel;
    if (outerX != model_.Left / tpp || outerY != model_.Top / tpp) model_.user_move(outerX * tpp, outerY * tpp);
    if (w + frameW != model_.Width / tpp || h + frameH != model_.Height / tpp) {
        model_.user_resize((w + frameW) * tpp, (h + frameH) * tpp);
        layout();
        schedule_paint();
    }
}

void WindowView::screen_window_configured() {
    // A window the user may maximize: the window manager sets the maximized state just after it
    // gives the window its new size. The model hears of both together, a moment later, so that a
    // maximized window is never taken for one the user dragged to the screen's size.
    if (sizable() && wm::running()) {
        Fl::remove_timeout(configured_callback, this);
        Fl::add_timeout(0.05, configured_callback, this);
        return;
    }
    screen_geometry_changed(window_->x(), window_->y(), window_->w(), window_->h());
}

void WindowView::configured_callback(void* self) {
    auto* v = static_cast<WindowView*>(self);
    if (!v->detached_ && v->window_->shown())
        v->screen_geometry_changed(v->window_->x(), v->window_->y(), v->window_->w(), v->window_->h());
}

void WindowView::window_manager_changed() {
    if (detached_ || !window_->shown() || applying_) return;
    // Placed before the window manager said what frame it draws: placed again by the real one,
    // so that the outer corner is where the model has it.
    std::optional<wm::Frame> frame = wm::frame_of(*window_);
    if (frame && model_.BorderStyle != ui::vbBSNone && model_.WindowState == ui::vbNormal && !wm::maximized(*window_) &&
        (frame->left != placed_left_ || frame->top != placed_top_) &&
        (frame->left || frame->top || frame->right || frame->bottom)) {
        apply_window_geometry();
        return;
    }
    screen_window_configured();
}

void WindowView::activate_model_window() {
    // A click into a window makes it the one the user works in (Activate runs).
    if (host_.registry().ActiveWindow() != &model_ && model_.Loaded() && model_.Visible) model_.user_activate();
}

void WindowView::close_requested() {
    if (!detached_) model_.user_close();
}

// --- showing ---------------------------------------------------------------------------------------------

void WindowView::sync_window() {
    // The screen's caption is a C string: it shows the caption up to a NUL, and it is compared so,
    // or every sync would set it again (and the window manager's answer bring the next sync).
    std::string caption = display_lines(model_.Caption.get());
    caption.resize(std::min(caption.size(), caption.find('\0')));
    if (!window_->label() || caption != window_->label()) window_->copy_label(caption.c_str());
    bool visible = model_.Loaded() && model_.Visible;
    if (visible && !window_->shown()) {
        place_over_opener();
        window_->border(model_.BorderStyle != ui::vbBSNone);
        // Kept above the others by the window manager; a modal window's blocking of the other
        // windows is the host's (one modal window at a time, see modal.hpp).
        window_->set_non_modal();
        apply_window_geometry();
        window_->show();
        if (!model_.Modal() || modal::top() != window_) modal::keep_on_top();
        if (model_.WindowState == ui::vbMaximized && sizable()) maximize_on_screen();
        if (model_.WindowRegion()) apply_window_shape(*window_, model_.WindowRegion());
        host_.apply_pointer(*window_);
        shown_ = true;
        sync_focus();
        schedule_paint();
    } else if (visible && !window_->visible()) {
        window_->show();
        modal::keep_on_top();
        schedule_paint();
    } else if (!visible && window_->shown()) {
        window_->hide();
    }
    if (model_.Enabled)
        window_->activate();
    else
        window_->deactivate();
}

void WindowView::place_over_opener() {
    // A window with a place of its own (saved, set by the program, or where the user dragged it)
    // opens there; any other opens centred over the window it was opened from, wholly on the
    // screen, and again over that window the next time, wherever the window went meanwhile.
    if (model_.WindowState != ui::vbNormal) return;
    auto centred = host_.centred_places.find(&model_);
    const bool ours = centred != host_.centred_places.end() && centred->second.first == model_.Left &&
                      centred->second.second == model_.Top;
    if (!ours && model_.Placed()) return;
    ui::Window* opener = model_.Opener();
    const auto& loaded = host_.registry().LoadedWindows();
    auto usable = [&](ui::Window* w) {
        return w && w != &model_ && std::find(loaded.begin(), loaded.end(), w) != loaded.end() && w->Visible;
    };
    // Opened with no window the user worked in (a key before any click): over the active window,
    // or else in the middle of the screen, never in its corner.
    if (!usable(opener)) opener = host_.registry().ActiveWindow();
    int left = (host_.ScreenWidth() - model_.Width) / 2;
    int top = (host_.ScreenHeight() - model_.Height) / 2;
    if (usable(opener)) {
        left = opener->Left + (opener->Width - model_.Width) / 2;
        top = opener->Top + (opener->Height - model_.Height) / 2;
    }
    left = std::max(0, std::min(left, host_.ScreenWidth() - model_.Width));
    top = std::max(0, std::min(top, host_.ScreenHeight() - model_.Height));
    model_.Left = left;
    model_.Top = top;
    host_.centred_places[&model_] = {model_.Left.get(), model_.Top.get()};
}

void WindowView::schedule_paint() {
    if (paint_pending_) return;
    paint_pending_ = true;
    Fl::add_timeout(0.0, paint_callback, this);
}

void WindowView::paint_callback(void* self) {
    auto* v = static_cast<WindowView*>(self);
    v->paint_pending_ = false;
    if (v->model_.Loaded() && v->model_.Visible) v->model_.Paint();
    if (v->window_) v->window_->redraw();
}

void WindowView::sync_focus() {
    ui::Control* active = model_.ActiveControl();
    if (!active) return;
    // A window held back by a modal window does not take the keyboard from it.
    if (modal::blocks(window_)) return;
    Fl_Widget* w = widget(*active);
    if (w && Fl::focus() != w && w->visible_r() && window_->shown()) w->take_focus();
}

// --- model changes ------------------------------------------------------------------------------------

void WindowView::changed(ui::Control& control, std::string_view property) {
    if (!widgets_.count(&control)) {
        if (control.Kind() != "Timer") sync_controls();
        return;
    }
    if (model_.RedrawFrozen() && (property == "Items" || property == "List")) {
        if (std::find(filled_while_frozen_.begin(), filled_while_frozen_.end(), &control) == filled_while_frozen_.end())
            filled_while_frozen_.push_back(&control);
        return;
    }
    if (property == "Left" || property == "Top" || property == "Width" || property == "Height" ||
        property == "Visible" || property == "Enabled" || property == "X1" || property == "X2" || property == "Y1" ||
        property == "Y2" || property == "BorderWidth") {
        layout();
    } else if (property == "ZOrder") {
        restack();
        layout();
    } else if (property == "Drag" || (property == "DragIcon" && model_.DragSource() == &control)) {
        // A drag from code: the pointer shows it until the drop.
        show_drag_pointer();
    }
    if (property == "ListIndex" || property == "Items" || property == "List") keep_cursor_in_view(control);
    if (property == "LabelEdit")
        if (auto* lv = dynamic_cast<ui::ListView*>(&control)) sync_label_editor(*lv);
    sync_control(control);
    // Refresh draws now, as long work asks for it between its steps.
    if (property == "Refresh") host_.FlushDrawing();
}

void WindowView::sync_lists_filled_while_frozen() {
    std::vector<ui::Control*> lists;
    lists.swap(filled_while_frozen_);
    for (ui::Control* c : lists) {
        if (!widgets_.count(c)) continue; // gone meanwhile
        keep_cursor_in_view(*c);
        sync_control(*c);
    }
}

void WindowView::changed(ui::Window&, std::string_view property) {
    if (property == "RedrawFrozen" && !model_.RedrawFrozen()) sync_lists_filled_while_frozen();
    if (property == "Caption" || property == "Visible" || property == "Enabled" || property == "BorderStyle") {
        sync_window();
    } else if (from_screen_ && (property == "Left" || property == "Top")) {
        // The model follows the screen: nothing to move back (the window manager may already have
        // moved the window on since the event that is being handled).
    } else if (from_screen_ && (property == "Width" || property == "Height")) {
        // The program corrects a size the user gave (a minimum, a snapped height): the size only.
        ++applying_;
        int w = std::max(1, model_.Width / TwipsPerPixel - 8);
        int h = std::max(1, model_.Height / TwipsPerPixel - 8 - host_.CaptionHeight());
        if (model_.BorderStyle == ui::vbBSNone) {
            w = std::max(1, model_.Width / TwipsPerPixel);
            h = std::max(1, model_.Height / TwipsPerPixel);
        }
        if (model_.WindowState == ui::vbNormal && (w != window_->w() || h != window_->h())) window_->size(w, h);
        --applying_;
        layout();
        schedule_paint();
    } else if (property == "Left" || property == "Top" || property == "Width" || property == "Height" ||
               property == "WindowState") {
        apply_window_geometry();
        if (model_.WindowRegion()) apply_window_shape(*window_, model_.WindowRegion());
        if (property == "WindowState" && model_.WindowState == ui::vbNormal && window_->shown()) window_->show();
        schedule_paint();
    } else if (property == "Menus") {
        menus_dirty_ = true;
        Fl::remove_timeout(rebuild_menus_callback, this);
        Fl::add_timeout(0.0, rebuild_menus_callback, this);
        layout();
    } else if (property == "ActiveControl") {
        sync_focus();
    } else if (property == "Region") {
        apply_window_shape(*window_, model_.WindowRegion());
    } else if (property == "CaptionDrag") {
        begin_caption_drag();
    } else if (property == "MousePointer") {
        // The screen has no arrow with an hourglass: the hourglass stands for both.
        if (model_.MousePointer == ui::vbHourglass || model_.MousePointer == ui::vbArrowHourglass)
            window_->cursor(FL_CURSOR_WAIT);
        else
            host_.apply_pointer(*window_);
    } else if (property == "Focus" || property == "ZOrder") {
        if (window_->shown()) window_->show();
        // A window brought forward stays under the modal window that is open.
        modal::keep_on_top();
    }
    window_->redraw();
    if (property == "Refresh") host_.FlushDrawing();
}

void WindowView::changed(ui::Menu&, std::string_view) {
    // Rebuilt before the next wait: the change may come from inside a menu's own callback.
    menus_dirty_ = true;
    Fl::remove_timeout(rebuild_menus_callback, this);
    Fl::add_timeout(0.0, rebuild_menus_callback, this);
}

void WindowView::rebuild_menus_callback(void* self) {
    auto* view = static_cast<WindowView*>(self);
    if (view->detached_) return;
    // While a menu is open it reads the items in place: rebuild once it has closed.
    if (Fl::grab()) {
        Fl::add_timeout(0.1, rebuild_menus_callback, self);
        return;
    }
    view->rebuild_menus();
}

void WindowView::sync_style(ui::Control& c, Fl_Widget& w) {
    ui::FontChoice f = c.Font.choice();
    w.labelfont(to_fl_font(f));
    w.labelsize(to_fl_size(f));
    w.labelcolor(to_fl_color(c.ForeColor));
    w.color(to_fl_color(c.BackColor));
    w.tooltip(c.ToolTipText->empty() ? nullptr : lasting_text(c.ToolTipText.get()));
}

void WindowView::sync_control(ui::Control& c) {
    Fl_Widget* w = widget(c);
    if (!w) return;
    sync_style(c, *w);
    if (auto* b = dynamic_cast<ui::CommandButton*>(&c)) {
        w->copy_label(menu_label(b->Caption.get()).c_str());
        w->color(to_fl_color(b->BackColor));
    } else if (auto* k = dynamic_cast<ui::CheckBox*>(&c)) {
        w->copy_label(menu_label(k->Caption.get()).c_str());
        static_cast<Fl_Button*>(w)->value(k->Value != ui::vbUnchecked);
        w->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    } else if (auto* o = dynamic_cast<ui::OptionButton*>(&c)) {
        w->copy_label(menu_label(o->Caption.get()).c_str());
        static_cast<Fl_Button*>(w)->value(o->Value ? 1 : 0);
        w->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    } else if (auto* t = dynamic_cast<ui::TextBox*>(&c)) {
        auto* in = static_cast<Fl_Input*>(w);
        const std::string text = shown_text(*t);
        if (text != (in->value() ? in->value() : "")) in->value(text.c_str(), static_cast<int>(text.size()));
        // The widget keeps which end of the selection moves; a selection the model changed puts
        // the caret at its end.
        int start = shown_byte_of_char(*t, t->SelStart), end = shown_byte_of_char(*t, t->SelStart + t->SelLength);
        if (!reading_text_ &&
            (std::min(in->position(), in->mark()) != start || std::max(in->position(), in->mark()) != end))
            in->position(end, start);
        in->readonly(t->Locked ? 1 : 0);
        in->textfont(to_fl_font(c.Font.choice()));
        in->textsize(to_fl_size(c.Font.choice()));
        in->textcolor(to_fl_color(c.ForeColor));
    } else if (auto* s = dynamic_cast<ui::ScrollBar*>(&c)) {
        auto* sb = static_cast<Fl_Scrollbar*>(w);
        sb->bounds(s->Min, s->Max);
        sb->linesize(s->SmallChange);
        sb->value(s->Value);
        sb->color(to_fl_color(ui::vbButtonFace));
    }
    if (has_scroll_bars(c)) sync_scroll_bars(c);
    w->redraw();
}

// --- menus ----------------------------------------------------------------------------------------------

void WindowView::build_menu_items(const std::vector<ui::Menu*>& entries, std::vector<Fl_Menu_Item>& out,
                                  std::deque<std::string>& labels, bool withCallbacks, MenuPictures* pictures,
                                  bool bar) {
    // A drop-down with a picture on any entry keeps a column for them on all its entries.
    bool column = false;
    if (pictures && !bar)
        for (ui::Menu* m : entries)
            if (m->Visible && !m->IsSeparator() && !pictures->file_of(m->Picture).empty()) column = true;
    // A separator draws a line below the entry before it on the same level: after a submenu that is
    // the submenu's own entry, not the end mark of its items.
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::size_t previous = none;
    for (ui::Menu* m : entries) {
        if (!m->Visible) continue;
        if (m->IsSeparator()) {
            if (previous != none) out[previous].flags |= FL_MENU_DIVIDER;
            continue;
        }
        labels.push_back(menu_label(m->Caption.get()));
        Fl_Menu_Item item{};
        item.text = labels.back().c_str();
        item.shortcut_ = fl_shortcut(m->Shortcut.get());
        item.user_data_ = m;
        item.labeltype_ = FL_NORMAL_LABEL;
        item.labelfont_ = FL_HELVETICA;
        item.labelsize_ = 13;
        item.labelcolor_ = FL_BLACK;
        if (withCallbacks) item.callback_ = [](Fl_Widget*, void* data) { static_cast<ui::Menu*>(data)->user_click(); };
        if (!m->Enabled) item.flags |= FL_MENU_INACTIVE;
        if (m->Checked) item.flags |= FL_MENU_TOGGLE | FL_MENU_VALUE;
        bool hasEntries = !m->PresentItems().empty();
        if (hasEntries) {
            item.flags |= FL_SUBMENU;
            item.callback_ = nullptr;
        }
        if (column) pictures->add(item, pictures->file_of(m->Picture), m->Enabled);
        previous = out.size();
        out.push_back(item);
        if (hasEntries) {
            build_menu_items(m->Items(), out, labels, withCallbacks, pictures);
            out.push_back(Fl_Menu_Item{});
        }
    }
}

void WindowView::rebuild_menus() {
    if (!menus_dirty_) return;
    menus_dirty_ = false;
    std::vector<ui::Menu*> bar = model_.PresentMenus();
    if (bar.empty()) {
        if (menubar_) menubar_->hide();
        return;
    }
    if (!menubar_) {
        menubar_ = new Fl_Menu_Bar(0, 0, window_->w(), host_.MenuHeight());
        menubar_->box(FL_FLAT_BOX);
        menubar_->color(to_fl_color(ui::vbButtonFace));
        menubar_->textsize(13);
        window_->add(menubar_);
    }
    menubar_->show();
    std::vector<Fl_Menu_Item> items;
    std::deque<std::string> labels;
    menu_pictures_.clear();
    build_menu_items(model_.MenuBar(), items, labels, true, &menu_pictures_, true);
    items.push_back(Fl_Menu_Item{});
    menu_items_ = std::move(items);
    menu_labels_ = std::move(labels);
    menubar_->menu(menu_items_.data());
    menubar_->redraw();
}

// --- events ------------------------------------------------------------------------------------------

float WindowView::twips_x(Fl_Widget& w) const {
    return static_cast<float>((Fl::event_x() - w.x()) * TwipsPerPixel);
}

float WindowView::twips_y(Fl_Widget& w) const {
    return static_cast<float>((Fl::event_y() - w.y()) * TwipsPerPixel);
}

bool WindowView::key_is_used_up(int keyCode, int shift) const {
    // What the model does with a key before any KeyPress: a menu shortcut, or Return and Escape
    // pressing a button. Those keys type no character.
    int mods = shift & (ui::vbShiftMask | ui::vbCtrlMask | ui::vbAltMask);
    for (ui::Menu* m : model_.AllMenus()) {
        if (m->Shortcut->empty() || !m->Visible) continue;
        ui::Menu::Key k = m->ShortcutKey();
        if (k.KeyCode == keyCode && k.Shift == mods) return true;
    }
    ui::Control* active = model_.ActiveControl();
    if (keyCode == ui::vbKeyReturn && shift == 0) {
        if (dynamic_cast<ui::CommandButton*>(active) && active->EffectivelyEnabled()) return true;
        auto* text = dynamic_cast<ui::TextBox*>(active);
        ui::CommandButton* def = model_.DefaultButton();
        if (def && !(text && text->MultiLine) && def->EffectivelyEnabled() && def->EffectivelyVisible()) return true;
    }
    if (keyCode == ui::vbKeyEscape && shift == 0) {
        ui::CommandButton* cancel = model_.CancelButton();
        if (cancel && cancel->EffectivelyEnabled() && cancel->EffectivelyVisible()) return true;
    }
    return false;
}

int WindowView::route_key(ui::Control* focused, const std::function<int(int)>& base) {
    // A key typed into a window makes it the one the user works in, as a click does.
    activate_model_window();
    int keyCode = key_code_of_event();
    int shift = shift_of_event();
    auto* text = dynamic_cast<ui::TextBox*>(focused);
    bool ctrl = shift & ui::vbCtrlMask;
    // Keys the model leaves to the screen: moving between controls, menus by their access keys,
    // and the text box's selection and clipboard keys.
    if (keyCode == ui::vbKeyTab && !ctrl) return base ? base(FL_KEYBOARD) : 0;
    // The characters the key (or an input method) committed, as UTF-8. A key with no key code of
    // its own (a letter of another alphabet, or a layout's ä, ß or <) still types its character.
    std::string_view typed;
    if (Fl::event_length() > 0 && !ctrl && !(shift & ui::vbAltMask) &&
        static_cast<unsigned char>(Fl::event_text()[0]) >= 32 && Fl::event_text()[0] != 127)
        typed = std::string_view(Fl::event_text(), static_cast<std::size_t>(Fl::event_length()));
    auto* combo = dynamic_cast<ui::ComboBox*>(focused);
    bool editable = combo && combo->Style != ui::vbComboDropdownList;
    if (keyCode == 0) {
        if (typed.empty() || !((text && !text->Locked) || editable || typed.size() == 1))
            return base ? base(FL_KEYBOARD) : 0;
        type_text(typed, text, editable ? combo : nullptr);
        return 1;
    }
    bool used = key_is_used_up(keyCode, shift);
    model_.user_key_down(keyCode, shift);
    if (used) return 1;
    if ((shift & ui::vbAltMask) && !ctrl) return 0; // on to the menu bar's access keys
    if (text && base) {
        bool selecting = (shift & ui::vbShiftMask) && keyCode >= ui::vbKeyPageUp && keyCode <= ui::vbKeyDown;
        bool clip = ctrl && (keyCode == 'A' || keyCode == 'C' || keyCode == 'X' || keyCode == 'V' || keyCode == 'Z');
        bool lines = text->MultiLine && (keyCode == ui::vbKeyUp || keyCode == ui::vbKeyDown ||
                                         keyCode == ui::vbKeyPageUp || keyCode == ui::vbKeyPageDown);
        // The older clipboard keys: Ctrl+Insert copies, Shift+Delete cuts, Shift+Insert pastes.
        int clipKey = clip ? keyCode : 0;
        if (keyCode == ui::vbKeyInsert && shift == ui::vbCtrlMask) clipKey = 'C';
        if (keyCode == ui::vbKeyDelete && shift == ui::vbShiftMask) clipKey = 'X';
        if (keyCode == ui::vbKeyInsert && shift == ui::vbShiftMask) clipKey = 'V';
        if (selecting || clipKey || lines) {
            // Copy, cut and paste are typed characters too (3, 24 and 22): the box's KeyPress runs
            // before the clipboard acts, so a pasted formula starts the editor's typing pause.
            if (clipKey == 'C' || clipKey == 'X' || clipKey == 'V') {
                Fl_Widget* before = widget(*text);
                model_.user_key_press(clipKey - 'A' + 1);
                if (widget(*text) != before || !before) return 1;
            }
            auto* in = static_cast<Fl_Input*>(widget(*text));
            if (clipKey == 'V') {
                // The model pastes, by its rule; the text comes from the program's own reader.
                text_selection_to_model(*text, *in);
                text->user_paste(host_.ClipboardText());
                return 1;
            }
            int r = 1;
            if (clipKey == keyCode || !clipKey)
                r = base(FL_KEYBOARD);
            else if (clipKey == 'C')
                in->copy(1);
            else if (in->copy(1))
                in->cut();
            if (widget(*text) == in) text_to_model(*text, *in);
            return r;
        }
    }
    int ascii = 0;
    switch (keyCode) {
    case ui::vbKeyReturn:
        ascii = 13;
        break;
    case ui::vbKeyBack:
        ascii = 8;
        break;
    case ui::vbKeyEscape:
        ascii = 27;
        break;
    default:
        if (Fl::event_length() == 1) {
            unsigned char c = static_cast<unsigned char>(Fl::event_text()[0]);
            // Delete arrives with the DEL character as its text; it is a key, not a character
            // (the control's KeyDown deletes), and raises no KeyPress.
            if (c < 127 && (c >= 32 || ctrl)) ascii = c;
        }
    }
    if (typed.size() > 1)
        type_text(typed, text, editable ? combo : nullptr);
    else if (ascii)
        model_.user_key_press(ascii);
    // Arrows between buttons and boxes move the focus, as the screen's own navigation does.
    if (!text && focused && (keyCode >= ui::vbKeyLeft && keyCode <= ui::vbKeyDown) && base &&
        (dynamic_cast<ui::CommandButton*>(focused) || dynamic_cast<ui::CheckBox*>(focused) ||
         dynamic_cast<ui::OptionButton*>(focused)))
        return 0;
    if (base && dynamic_cast<ui::ScrollBar*>(focused)) return base(FL_KEYBOARD);
    return 1;
}

void WindowView::type_text(std::string_view typed, ui::TextBox* text, ui::ComboBox* combo) {
    // Into a text box or an editable combo box the characters go whole, through the model's typing
    // (KeyPress for one-byte characters); a character beyond ASCII is never split into key codes.
    if (text)
        text->user_type(typed);
    else if (combo)
        combo->user_type(typed);
    else if (typed.size() == 1)
        model_.user_key_press(static_cast<unsigned char>(typed[0]));
}

void WindowView::paste_primary(ui::TextBox& t, Fl_Widget& w) {
    // A paste as Ctrl+V's: KeyPress 22 first (it starts the editor's typing pause), then the text.
    model_.user_key_press(22);
    if (widget(t) != &w) return;
    t.user_paste(selection_text(SelectionName::Primary));
}

void WindowView::text_selection_to_model(ui::TextBox& t, Fl_Widget& w) {
    auto* in = static_cast<Fl_Input*>(&w);
    int a = std::min(in->position(), in->mark()), b = std::max(in->position(), in->mark());
    int start = char_of_shown_byte(t, a), length = char_of_shown_byte(t, b) - start;
    ++reading_text_;
    if (t.SelStart != start) t.SelStart = start;
    if (t.SelLength != length) t.SelLength = length;
    --reading_text_;
}

void WindowView::text_to_model(ui::TextBox& t, Fl_Widget& w) {
    auto* in = static_cast<Fl_Input*>(&w);
    std::string now = in->value() ? in->value() : "";
    if (now != shown_text(t)) {
        ++reading_text_;
        t.Text = text_of_shown(t, now);
        --reading_text_;
    }
    // The text's Change may have closed the window or hidden the box.
    if (widget(t) == &w) text_selection_to_model(t, w);
}

void WindowView::begin_caption_drag() {
    if (!Fl::event_buttons() && !Fl::pushed()) return;
    caption_drag_ = true;
    drag_offset_x_ = Fl::event_x_root() - window_->x();
    drag_offset_y_ = Fl::event_y_root() - window_->y();
}

void WindowView::follow_caption_drag() {
    ++applying_;
    window_->position(Fl::event_x_root() - drag_offset_x_, Fl::event_y_root() - drag_offset_y_);
    --applying_;
}

void WindowView::end_caption_drag() {
    caption_drag_ = false;
    screen_geometry_changed(window_->x(), window_->y(), window_->w(), window_->h());
}

int WindowView::handle_control_event(Fl_Widget& w, ui::Control& c, int event, const std::function<int(int)>& base) {
    if (detached_) return base(event);
    if (c.Kind() == "Line" || c.Kind() == "ImageList") return 0; // drawing only: the pointer passes through
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
    } depth(host_.event_depth);
    if (event == FL_PUSH) activate_model_window();
    if (is_list_kind(c)) return handle_list_event(w, c, event, base);
    bool isText = dynamic_cast<ui::TextBox*>(&c) != nullptr;
    bool isScroll = dynamic_cast<ui::ScrollBar*>(&c) != nullptr;
    bool isButton = dynamic_cast<ui::CommandButton*>(&c) != nullptr;
    bool isToggle = dynamic_cast<ui::CheckBox*>(&c) || dynamic_cast<ui::OptionButton*>(&c);
    switch (event) {
    case FL_PUSH: {
        int button = button_of_event();
        double_press_ = Fl::event_clicks() != 0 && button == ui::vbLeftButton;
        if (isText || isScroll) base(event);
        c.user_mouse_down(button, shift_of_event(), twips_x(w), twips_y(w));
        if (isText && widget(c) == &w) text_to_model(static_cast<ui::TextBox&>(c), w);
        if (isButton && button == ui::vbLeftButton) {
            static_cast<Fl_Button&>(w).value(1);
            w.redraw();
        }
        if (double_press_ && !isButton && !isToggle && !isText && !isScroll) c.DblClick();
        return 1;
    }
    case FL_DRAG:
        if (caption_drag_) {
            follow_caption_drag();
            return 1;
        }
        if (isText || isScroll) base(event);
        if (isText) text_to_model(static_cast<ui::TextBox&>(c), w);
        if (isButton) {
            static_cast<Fl_Button&>(w).value(Fl::event_inside(&w) ? 1 : 0);
            w.redraw();
        }
        // While a control is dragged the pointer's moves are drag-overs, not mouse moves.
        if (!model_.DragSource())
            c.user_mouse_move(Fl::event_button1() ? ui::vbLeftButton : ui::vbRightButton, shift_of_event(), twips_x(w),
                              twips_y(w));
        if (model_.DragSource()) follow_drag(false);
        return 1;
    case FL_RELEASE: {
        if (caption_drag_) end_caption_drag();
        if (model_.DragSource()) {
            follow_drag(true);
            return 1;
        }
        int button = button_of_event();
        // The middle button pastes the primary selection through the program's own reader, not
        // the widget's (which would ask FLTK for another program's data).
        const bool middlePaste = isText && Fl::event_button() == FL_MIDDLE_MOUSE;
        if ((isText && !middlePaste) || isScroll) base(event);
        // Whatever the widget changed of its own while the button was down reaches the model.
        if (isText) text_to_model(static_cast<ui::TextBox&>(c), w);
        if (middlePaste && widget(c) == &w) paste_primary(static_cast<ui::TextBox&>(c), w);
        if (widget(c) != &w) return 1;
        bool inside = Fl::event_inside(&w);
        if (isButton) {
            static_cast<Fl_Button&>(w).value(0);
            w.redraw();
        }
        c.user_mouse_up(button, shift_of_event(), twips_x(w), twips_y(w));
        if (button != ui::vbLeftButton || !inside || !c.EffectivelyEnabled()) return 1;
        if (auto* k = dynamic_cast<ui::CheckBox*>(&c)) {
            k->Value = k->Value == ui::vbChecked ? ui::vbUnchecked : ui::vbChecked;
        } else if (auto* o = dynamic_cast<ui::OptionButton*>(&c)) {
            o->Value = true;
        } else if (isButton || !double_press_) {
            if (!isText && !isScroll) c.Click();
        }
        double_press_ = false;
        return 1;
    }
    case FL_LEAVE:
        if (isText || isScroll) base(event);
        return 1;
    case FL_ENTER: // the pointer arriving is a move too
        if (isText || isScroll) base(event);
        c.user_mouse_move(0, shift_of_event(), twips_x(w), twips_y(w));
        return 1;
    case FL_MOVE:
        c.user_mouse_move(0, shift_of_event(), twips_x(w), twips_y(w));
        return 1;
    case FL_FOCUS:
        if (!c.CanFocus()) return 0;
        base(event);
        c.user_focus();
        return 1;
    case FL_UNFOCUS:
        base(event);
        return 1;
    case FL_KEYBOARD:
        return route_key(&c, base);
    case FL_KEYUP:
        model_.user_key_up(key_code_of_event(), shift_of_event());
        return 1;
    case FL_SHORTCUT: {
        // Alt and the access key of a button's caption press it.
        if (!(Fl::event_state() & FL_ALT) || !c.EffectivelyVisible() || !c.AcceptsInput()) return 0;
        std::string caption;
        if (auto* b = dynamic_cast<ui::CommandButton*>(&c)) caption = b->Caption.get();
        if (auto* k = dynamic_cast<ui::CheckBox*>(&c)) caption = k->Caption.get();
        if (auto* o = dynamic_cast<ui::OptionButton*>(&c)) caption = o->Caption.get();
        char key = access_key(caption);
        int pressed = Fl::event_key();
        if (!key || pressed > 127 || std::toupper(pressed) != key) return 0;
        c.user_click();
        return 1;
    }
    case FL_PASTE:
        // What the user pasted (Ctrl+V, the middle button, a drop) arrives here, at once or later from
        // another program: the model pastes it where the widget's caret is, as the user sees it.
        if (!isText) return base(event);
        text_to_model(static_cast<ui::TextBox&>(c), w);
        if (Fl::event_text() && widget(c) == &w)
            static_cast<ui::TextBox&>(c).user_paste(
                std::string_view(Fl::event_text(), static_cast<std::size_t>(std::max(0, Fl::event_length()))));
        return 1;
    default:
        return base(event);
    }
}

int WindowView::handle_window_event(int event, const std::function<int(int)>& base) {
    if (detached_) return base(event);
    struct Depth {
        int& d;
        explicit Depth(int& depth) : d(depth) { ++d; }
        ~Depth() { --d; }
    } depth(host_.event_depth);
    bool focusIsOurs = Fl::focus() && control_of(Fl::focus());
    switch (event) {
    case FL_PUSH: {
        activate_model_window();
        if (menubar_ && menubar_->visible() && Fl::event_inside(menubar_)) {
            // The menu of the bar under the pointer drops down: its Click runs first.
            const Fl_Menu_Item* item = menubar_->menu();
            for (int x = menubar_->x() + 6; item && item->text; item = item->next()) {
                fl_font(item->labelfont_, item->labelsize_);
                int width = static_cast<int>(fl_width(item->text)) + 16;
                if (Fl::event_x() >= x && Fl::event_x() < x + width) {
                    auto* m = static_cast<ui::Menu*>(item->user_data_);
                    if (m && !m->Items().empty()) {
                        m->user_open();
                        rebuild_menus();
                    }
                    break;
                }
                x += width;
            }
            return base(event);
        }
        if (base(event)) return 1;
        int button = button_of_event();
        double_press_ = Fl::event_clicks() != 0 && button == ui::vbLeftButton;
        float x = static_cast<float>(Fl::event_x() * TwipsPerPixel);
        float y = static_cast<float>((Fl::event_y() - menu_height()) * TwipsPerPixel);
        model_.user_mouse_down(button, shift_of_event(), x, y);
        if (double_press_) model_.DblClick();
        return 1;
    }
    case FL_DRAG:
        if (caption_drag_) {
            follow_caption_drag();
            return 1;
        }
        model_.user_mouse_move(Fl::event_button1() ? ui::vbLeftButton : ui::vbRightButton, shift_of_event(),
                               static_cast<float>(Fl::event_x() * TwipsPerPixel),
                               static_cast<float>((Fl::event_y() - menu_height()) * TwipsPerPixel));
        return 1;
    case FL_RELEASE: {
        if (caption_drag_) end_caption_drag();
        int button = button_of_event();
        model_.user_mouse_up(button, shift_of_event(), static_cast<float>(Fl::event_x() * TwipsPerPixel),
                             static_cast<float>((Fl::event_y() - menu_height()) * TwipsPerPixel));
        if (button == ui::vbLeftButton && !double_press_) model_.Click();
        double_press_ = false;
        return 1;
    }
    case FL_ENTER:
    case FL_MOVE: {
        int r = base(event);
        if (Fl::belowmouse() == window_)
            model_.user_mouse_move(0, shift_of_event(), static_cast<float>(Fl::event_x() * TwipsPerPixel),
                                   static_cast<float>((Fl::event_y() - menu_height()) * TwipsPerPixel));
        return r;
    }
    case FL_SHORTCUT:
        if (!Fl::focus() && !(Fl::event_state() & (FL_ALT | FL_CTRL)) && !Fl::grab()) {
            // No widget has the keyboard (the window got the key without the focus, as under a
            // pointer-focus desktop): FLTK offers the key only as a shortcut. The model takes it
            // as the window's own key, so Escape still presses the Cancel button.
            if (route_key(nullptr, nullptr)) return 1;
        }
        if ((Fl::event_state() & FL_ALT) && menubar_ && menubar_->visible()) {
            // Alt and a menu's access key drop that menu down: its Click runs first.
            int key = Fl::event_key();
            char letter = static_cast<char>(key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key);
            // FLTK offers the same key a second time with its case flipped: one Click per key.
            if (!menu_opened_by_key_)
                for (ui::Menu* m : model_.PresentMenus())
                    if (m->AccessKey() == letter && !m->Items().empty()) {
                        menu_opened_by_key_ = true;
                        m->user_open();
                        rebuild_menus();
                        break;
                    }
        }
        return base(event);
    case FL_KEYBOARD:
        menu_opened_by_key_ = false;
        if (focusIsOurs) return base(event); // the control had it first: navigation only
        return route_key(nullptr, nullptr) ? 1 : base(event);
    case FL_KEYUP:
        if (!focusIsOurs) model_.user_key_up(key_code_of_event(), shift_of_event());
        return 1;
    case FL_SHOW: {
        int r = base(event);
        schedule_paint();
        return r;
    }
    default:
        return base(event);
    }
}

// --- drawing ---------------------------------------------------------------------------------------------

namespace {

void draw_boxes(const std::vector<ui::FilledBox>& boxes, int ox, int oy) {
    for (const ui::FilledBox& b : boxes) {
        int x1 = px(std::min(b.X1, b.X2)), x2 = px(std::max(b.X1, b.X2));
        int y1 = px(std::min(b.Y1, b.Y2)), y2 = px(std::max(b.Y1, b.Y2));
        fl_rectf(ox + x1, oy + y1, x2 - x1 + 1, y2 - y1 + 1, to_fl_color(b.FillColor));
    }
}

void draw_text_block(const std::string& text, const ui::Control& c, int x, int y, int w, int h, int alignment,
                     bool wrap) {
    ui::FontChoice f = c.Font.choice();
    fl_font(to_fl_font(f), to_fl_size(f));
    fl_color(c.EffectivelyEnabled() ? to_fl_color(c.ForeColor) : fl_rgb_color(128, 128, 128));
    Fl_Align align = FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_CLIP;
    align |= alignment == ui::vbRightJustify ? FL_ALIGN_RIGHT
             : alignment == ui::vbCenter     ? FL_ALIGN_CENTER
                                             : FL_ALIGN_LEFT;
    if (alignment == ui::vbCenter) align &= ~FL_ALIGN_LEFT;
    if (wrap) align |= FL_ALIGN_WRAP;
    fl_draw(text.c_str(), x, y, w, h, align, nullptr, 0);
    if (f.Underline || f.Strikeout) {
        int tw = 0, th = 0;
        fl_measure(text.c_str(), tw, th, 0);
        int lx = alignment == ui::vbRightJustify ? x + w - tw : alignment == ui::vbCenter ? x + (w - tw) / 2 : x;
        int base = y + fl_height() - fl_descent();
        if (f.Underline) fl_line(lx, base + 1, lx + std::min(tw, w), base + 1);
        if (f.Strikeout) fl_line(lx, base - fl_height() / 3, lx + std::min(tw, w), base - fl_height() / 3);
    }
}

} // namespace

void WindowView::draw_window_surface() {
    if (detached_) return;
    fl_rectf(0, 0, window_->w(), window_->h(), to_fl_color(model_.BackColor));
    draw_bitmap(model_.Picture(), 0, menu_height());
    draw_boxes(model_.Boxes(), 0, menu_height());
}

bool WindowView::draw_control(Fl_Widget& w, ui::Control& c) {
    if (detached_) return true;
    if (is_list_kind(c)) {
        draw_list(w, c);
        return true;
    }
    if (c.Kind() == "ImageList") return true;
    int x = w.x(), y = w.y(), width = w.w(), height = w.h();
    if (auto* l = dynamic_cast<ui::Label*>(&c)) {
        fl_push_clip(x, y, width, height);
        if (l->BackStyle == 1) fl_rectf(x, y, width, height, to_fl_color(l->BackColor));
        if (l->BorderStyle == 1) fl_draw_box(FL_THIN_DOWN_FRAME, x, y, width, height, FL_BLACK);
        int inset = l->BorderStyle == 1 ? 2 : 0;
        draw_text_block(plain_label(l->Caption.get()), c, x + inset, y + inset, width - 2 * inset, height - 2 * inset,
                        l->Alignment, !l->AutoSize || l->WordWrap);
        fl_pop_clip();
        return true;
    }
    if (auto* f = dynamic_cast<ui::Frame*>(&c)) {
        fl_push_clip(x, y, width, height);
        fl_rectf(x, y, width, height, to_fl_color(f->BackColor));
        ui::FontChoice font = c.Font.choice();
        fl_font(to_fl_font(font), to_fl_size(font));
        int top = f->Caption->empty() ? 0 : fl_height() / 2;
        if (f->BorderStyle == 1) fl_draw_box(FL_ENGRAVED_FRAME, x, y + top, width, height - top, FL_BLACK);
        if (!f->Caption->empty()) {
            std::string caption = plain_label(f->Caption.get());
            int tw = static_cast<int>(fl_width(caption.c_str())) + 4;
            fl_rectf(x + 6, y, tw, fl_height(), to_fl_color(f->BackColor));
            draw_text_block(caption, c, x + 8, y, width - 10, fl_height() + 2, ui::vbLeftJustify, false);
        }
        fl_pop_clip();
        return true;
    }
    if (auto* im = dynamic_cast<ui::Image*>(&c)) {
        std::string file = host_.picture_file(im->Picture);
        fl_push_clip(x, y, width, height);
        if (!file.empty()) {
            if (Fl_Shared_Image* img = Fl_Shared_Image::get(file.c_str())) {
                if (im->Stretch && (img->w() != width || img->h() != height)) {
                    Fl_Image* scaled = img->copy(width, height);
                    scaled->draw(x, y);
                    delete scaled;
                } else {
                    img->draw(x, y);
                }
                img->release();
            }
        }
        if (im->BorderStyle == 1) fl_draw_box(FL_THIN_DOWN_FRAME, x, y, width, height, FL_BLACK);
        fl_pop_clip();
        return true;
    }
    if (auto* line = dynamic_cast<ui::Line*>(&c)) {
        int ox, oy;
        control_origin(c, ox, oy);
        fl_color(to_fl_color(line->BorderColor));
        fl_line_style(FL_SOLID, std::max(1, line->BorderWidth.get()));
        fl_line(ox + px(line->X1), oy + px(line->Y1), ox + px(line->X2), oy + px(line->Y2));
        fl_line_style(0);
        return true;
    }
    if (auto* p = dynamic_cast<ui::PictureBox*>(&c)) {
        fl_push_clip(x, y, width, height);
        fl_rectf(x, y, width, height, to_fl_color(p->BackColor));
        int inset = p->BorderStyle != 0 ? 1 : 0;
        std::string file = host_.picture_file(p->Picture);
        if (!file.empty())
            if (Fl_Shared_Image* img = Fl_Shared_Image::get(file.c_str())) {
                img->draw(x + inset, y + inset);
                img->release();
            }
        draw_bitmap(p->Image(), x + inset, y + inset);
        draw_boxes(p->Boxes(), x + inset, y + inset);
        // Texts printed into the box, each from its top-left corner.
        for (const ui::PrintedText& t : p->Texts()) {
            fl_font(to_fl_font(t.Font), to_fl_size(t.Font));
            fl_color(to_fl_color(t.ForeColor));
            fl_draw(t.Text.c_str(), x + inset + px(t.X), y + inset + px(t.Y) + fl_height() - fl_descent());
        }
        if (inset) fl_draw_box(FL_THIN_DOWN_FRAME, x, y, width, height, FL_BLACK);
        fl_pop_clip();
        return true;
    }
    return false;
}

} // namespace fltk
