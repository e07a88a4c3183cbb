#include "platform/fltk/dialogs.hpp"
#include "platform/fltk/selection.hpp"

#include "platform/fltk/draw.hpp"
#include "platform/fltk/modal.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Spinner.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <set>
#include <vector>

namespace fltk {

namespace {

struct MessageButton {
    const char* Caption;
    int Answer;
};

std::vector<MessageButton> buttons_of(int style) {
    switch (style & 7) {
    case ui::vbOKCancel:
        return {{"OK", ui::vbOK}, {"Cancel", ui::vbCancel}};
    case ui::vbAbortRetryIgnore:
        return {{"&Abort", ui::vbAbort}, {"&Retry", ui::vbRetry}, {"&Ignore", ui::vbIgnore}};
    case ui::vbYesNoCancel:
        return {{"&Yes", ui::vbYes}, {"&No", ui::vbNo}, {"Cancel", ui::vbCancel}};
    case ui::vbYesNo:
        return {{"&Yes", ui::vbYes}, {"&No", ui::vbNo}};
    case ui::vbRetryCancel:
        return {{"&Retry", ui::vbRetry}, {"Cancel", ui::vbCancel}};
    default:
        return {{"OK", ui::vbOK}};
    }
}

// The answer of Escape and of the close box: Cancel where the box has it, OK on a lone OK, else none.
int escape_answer(const std::vector<MessageButton>& buttons) {
    for (const MessageButton& b : buttons)
        if (b.Answer == ui::vbCancel) return ui::vbCancel;
    if (buttons.size() == 1) return buttons[0].Answer;
    return 0;
}

class MessageWindow : public Fl_Window {
public:
    MessageWindow(int w, int h, const char* title) : Fl_Window(w, h, title) {}
    int handle(int event) override {
        if (event == FL_KEYBOARD || event == FL_SHORTCUT) {
            if (Fl::event_key() == FL_Escape) {
                if (escape) answer = escape;
                return 1;
            }
            if (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter) {
                // Return presses the button that has the focus, or else the default button.
                Fl_Widget* f = Fl::focus();
                if (f && f->window() == this && dynamic_cast<Fl_Button*>(f)) {
                    f->do_callback();
                    return 1;
                }
                if (enter_button) {
                    enter_button->do_callback();
                    return 1;
                }
            }
        }
        return Fl_Window::handle(event);
    }
    int answer = 0;
    int escape = 0;
    Fl_Widget* enter_button = nullptr;
};

void run_until_answered(MessageWindow& win, Fl_Window* owner) {
    place_over(win, owner);
    win.set_non_modal();
    win.show();
    // Above the window that asked, and the only one of the program that takes input meanwhile.
    modal::Scope scope(&win, owner);
    while (win.shown() && win.answer == 0)
        Fl::wait();
    win.hide();
}

} // namespace

void place_over(Fl_Window& window, Fl_Window* owner) {
    if (!owner || !owner->shown() || owner == &window) return;
    // The frame the desktop adds around the client area counts as part of both windows.
    int x = owner->x() + (owner->w() - window.w()) / 2;
    int y = owner->y() + (owner->h() - window.h()) / 2;
    int sx, sy, sw, sh;
    Fl::screen_work_area(sx, sy, sw, sh, owner->x() + owner->w() / 2, owner->y() + owner->h() / 2);
    x = std::max(sx, std::min(x, sx + sw - window.w()));
    y = std::max(sy, std::min(y, sy + sh - window.h()));
    window.position(x, y);
}

int show_message_box(std::string_view prompt, int style, std::string_view title, Fl_Window* owner) {
    std::vector<MessageButton> buttons = buttons_of(style);
    std::string text = escape_label(prompt);
    std::string caption(title);

    fl_font(FL_HELVETICA, 14);
    int tw = 380, th = 0;
    fl_measure(text.c_str(), tw, th, 0);
    if (tw > 380) {
        tw = 380;
        th = 0;
        fl_measure(text.c_str(), tw, th, 0);
    }
    // A little room, so the label's own wrapping never breaks a line the measure kept whole.
    tw = std::max(tw + 12, 160);
    int icon = (style & 0x70) ? 48 : 0;
    int buttonW = 84, buttonH = 28, gap = 8;
    int rowW = static_cast<int>(buttons.size()) * (buttonW + gap) - gap;
    int w = std::max(20 + icon + (icon ? 14 : 0) + tw + 20, rowW + 40);
    int h = 20 + std::max(th, icon) + 20 + buttonH + 16;

    MessageWindow win(w, h, caption.c_str());
    win.escape = escape_answer(buttons);
    win.callback([](Fl_Widget* wid, void*) {
        auto* mw = static_cast<MessageWindow*>(wid);
        if (mw->escape) mw->answer = mw->escape;
    });
    int textX = 20;
    if (icon) {
        auto* box = new Fl_Box(20, 20, icon, icon);
        int kind = style & 0x70;
        const char* letter = kind == ui::vbCritical      ? "X"
                             : kind == ui::vbQuestion    ? "?"
                             : kind == ui::vbExclamation ? "!"
                                                         : "i";
        Fl_Color colour = kind == ui::vbCritical      ? fl_rgb_color(200, 30, 30)
                          : kind == ui::vbExclamation ? fl_rgb_color(230, 170, 0)
                                                      : fl_rgb_color(30, 90, 200);
        box->copy_label(letter);
        box->box(FL_OVAL_BOX);
        box->color(colour);
        box->labelcolor(FL_WHITE);
        box->labelfont(FL_HELVETICA_BOLD);
        box->labelsize(30);
        textX = 20 + icon + 14;
    }
    auto* message = new Fl_Box(textX, 20, tw, std::max(th, icon));
    message->copy_label(text.c_str());
    message->labelfont(FL_HELVETICA);
    message->labelsize(14);
    message->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP | (icon ? 0 : FL_ALIGN_TOP));

    int defaultIndex = (style & ui::vbDefaultButton3) ? 2 : (style & ui::vbDefaultButton2) ? 1 : 0;
    defaultIndex = std::min(defaultIndex, static_cast<int>(buttons.size()) - 1);
    int x = (w - rowW) / 2;
    Fl_Button* first = nullptr;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        auto* b = new Fl_Button(x, h - 16 - buttonH, buttonW, buttonH);
        b->copy_label(buttons[i].Caption);
        b->labelsize(14);
        b->callback(
            [](Fl_Widget* wid, void* answer) {
                static_cast<MessageWindow*>(wid->window())->answer = static_cast<int>(reinterpret_cast<long>(answer));
            },
            reinterpret_cast<void*>(static_cast<long>(buttons[i].Answer)));
        if (static_cast<int>(i) == defaultIndex) first = b;
        if (static_cast<int>(i) == defaultIndex) win.enter_button = b;
        x += buttonW + gap;
    }
    win.end();
    if (first) first->take_focus();
    run_until_answered(win, owner);
    return win.answer ? win.answer : win.escape;
}

std::string show_input_box(std::string_view prompt, std::string_view title, std::string_view defaultText,
                           Fl_Window* owner) {
    std::string caption(title), text = escape_label(prompt), value(defaultText);
    MessageWindow win(400, 150, caption.c_str());
    win.escape = ui::vbCancel;
    win.callback([](Fl_Widget* wid, void*) { static_cast<MessageWindow*>(wid)->answer = ui::vbCancel; });
    auto* label = new Fl_Box(12, 10, 280, 70);
    label->copy_label(text.c_str());
    label->labelsize(14);
    label->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    // A pasted text gives its first line, read by the program's own reader.
    auto* input = new PlainInput(12, 100, 376, 28);
    input->value(value.c_str());
    input->textsize(14);
    auto* ok = new Fl_Return_Button(304, 10, 84, 28, "OK");
    ok->callback([](Fl_Widget* wid, void*) { static_cast<MessageWindow*>(wid->window())->answer = ui::vbOK; });
    win.enter_button = ok;
    auto* cancel = new Fl_Button(304, 44, 84, 28, "Cancel");
    cancel->callback([](Fl_Widget* wid, void*) { static_cast<MessageWindow*>(wid->window())->answer = ui::vbCancel; });
    win.end();
    input->take_focus();
    input->position(input->size(), 0);
    run_until_answered(win, owner);
    return win.answer == ui::vbOK ? std::string(input->value()) : std::string();
}

namespace {

// The font families the display offers, by name, sorted and without the style variants.
std::vector<std::string> font_names() {
    static std::vector<std::string> names;
    if (!names.empty()) return names;
    std::set<std::string> unique{"Arial", "Courier New", "MS Sans Serif", "Times New Roman"};
    int count = Fl::set_fonts(nullptr);
    for (int i = 0; i < count; ++i) {
        int attributes = 0;
        const char* name = Fl::get_font_name(static_cast<Fl_Font>(i), &attributes);
        if (name && *name && attributes == 0) unique.insert(name);
    }
    names.assign(unique.begin(), unique.end());
    return names;
}

class FontWindow : public MessageWindow {
public:
    FontWindow() : MessageWindow(460, 330, "Font") {}
    Fl_Hold_Browser* faces = nullptr;
    Fl_Spinner* size = nullptr;
    Fl_Check_Button *bold = nullptr, *italic = nullptr, *underline = nullptr, *strikeout = nullptr;
    Fl_Box* sample = nullptr;
    std::vector<std::string> names;

    ui::FontChoice choice() const {
        ui::FontChoice f;
        int line = faces->value();
        f.Name = line > 0 ? names[static_cast<std::size_t>(line - 1)] : std::string(ui::DesignFontName);
        f.Size = size->value();
        f.Bold = bold->value();
        f.Italic = italic->value();
        f.Underline = underline->value();
        f.Strikeout = strikeout->value();
        return f;
    }
    void update_sample() {
        ui::FontChoice f = choice();
        // The face itself where the display has it under that name.
        Fl_Font face = to_fl_font(f);
        sample->labelfont(face);
        sample->labelsize(to_fl_size(f));
        sample->redraw();
    }
};

} // namespace

std::optional<ui::FontChoice> show_font_dialog(const ui::FontChoice& initial, Fl_Window* owner) {
    FontWindow win;
    win.escape = ui::vbCancel;
    win.callback([](Fl_Widget* wid, void*) { static_cast<MessageWindow*>(wid)->answer = ui::vbCancel; });
    win.names = font_names();
    if (std::find(win.names.begin(), win.names.end(), initial.Name) == win.names.end() && !initial.Name.empty()) {
        win.names.push_back(initial.Name);
        std::sort(win.names.begin(), win.names.end());
    }
    auto changed = [](Fl_Widget* wid, void*) { static_cast<FontWindow*>(wid->window())->update_sample(); };
    win.faces = new Fl_Hold_Browser(12, 28, 250, 220, "Font:");
    win.faces->align(FL_ALIGN_TOP_LEFT);
    for (std::size_t i = 0; i < win.names.size(); ++i) {
        std::string line = escape_label(win.names[i]);
        win.faces->add(line.c_str());
        if (win.names[i] == initial.Name) win.faces->value(static_cast<int>(i) + 1);
    }
    win.faces->callback(changed);
    win.size = new Fl_Spinner(320, 28, 70, 26, "Size:");
    win.size->range(1, 144);
    win.size->value(initial.Size);
    win.size->callback(changed);
    win.bold = new Fl_Check_Button(280, 66, 160, 24, "&Bold");
    win.italic = new Fl_Check_Button(280, 92, 160, 24, "&Italic");
    win.underline = new Fl_Check_Button(280, 118, 160, 24, "&Underline");
    win.strikeout = new Fl_Check_Button(280, 144, 160, 24, "&Strikeout");
    win.bold->value(initial.Bold);
    win.italic->value(initial.Italic);
    win.underline->value(initial.Underline);
    win.strikeout->value(initial.Strikeout);
    for (Fl_Check_Button* b : {win.bold, win.italic, win.underline, win.strikeout})
        b->callback(changed);
    win.sample = new Fl_Box(FL_DOWN_BOX, 12, 258, 436, 60, "AaBbYyZz 0123");
    win.sample->color(FL_WHITE);
    auto* ok = new Fl_Return_Button(280, 190, 84, 28, "OK");
    ok->callback([](Fl_Widget* wid, void*) { static_cast<MessageWindow*>(wid->window())->answer = ui::vbOK; });
    win.enter_button = ok;
    auto* cancel = new Fl_Button(370, 190, 78, 28, "Cancel");
    cancel->callback([](Fl_Widget* wid, void*) { static_cast<MessageWindow*>(wid->window())->answer = ui::vbCancel; });
    win.end();
    win.update_sample();
    run_until_answered(win, owner);
    if (win.answer != ui::vbOK) return std::nullopt;
    return win.choice();
}

} // namespace fltk
