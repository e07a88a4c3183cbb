#include "tests/support/ScriptedHost.hpp"

#include "platform/ui/Menu.hpp"

#include <gtest/gtest.h>

#include <ctime>

namespace test_support {

ScriptedHost::ScriptedHost() {
    // An arbitrary, fixed start so that durations are exact and repeatable.
    start_ = std::chrono::steady_clock::time_point(std::chrono::hours(1000));
    now_ = start_;
}

ScriptedHost::~ScriptedHost() {
    registry().on_schedule_changed = nullptr;
    if (!expect_all_answers_used) return;
    for (const auto& a : msgbox_answers_)
        ADD_FAILURE() << "A message box answer was never asked for"
                      << (a.Prompt ? ": expected \"" + *a.Prompt + "\"" : "");
    if (!inputbox_answers_.empty()) ADD_FAILURE() << inputbox_answers_.size() << " input box answer(s) never asked for";
    if (!file_answers_.empty()) ADD_FAILURE() << file_answers_.size() << " file dialog answer(s) never asked for";
    if (!font_answers_.empty()) ADD_FAILURE() << font_answers_.size() << " font dialog answer(s) never asked for";
    if (!browse_answers_.empty())
        ADD_FAILURE() << browse_answers_.size() << " folder browser answer(s) never asked for";
    for (const auto& m : modal_scripts_)
        ADD_FAILURE() << "The modal window \"" << m.WindowName << "\" was never shown";
    for (const auto& p : popup_choices_)
        ADD_FAILURE() << "The pop-up menu choice \"" << p.Menu << "\" was never asked for";
}

// --- message boxes ---

void ScriptedHost::answer_msgbox(int answer) {
    msgbox_answers_.push_back({answer, std::nullopt, std::nullopt, std::nullopt});
}

void ScriptedHost::answer_msgbox(int answer, std::string prompt, std::optional<int> style,
                                 std::optional<std::string> title) {
    msgbox_answers_.push_back({answer, std::move(prompt), style, std::move(title)});
}

const ScriptedHost::MsgBoxRecord& ScriptedHost::last_msgbox() const {
    static const MsgBoxRecord none;
    if (msgboxes_.empty()) {
        ADD_FAILURE() << "No message box was shown";
        return none;
    }
    return msgboxes_.back();
}

int ScriptedHost::MsgBox(std::string_view prompt, int style, std::string_view title) {
    if (on_msgbox) on_msgbox(prompt);
    MsgBoxRecord rec{std::string(prompt), style, title.empty() ? std::string(ui::DefaultTitle) : std::string(title), 0};
    if (msgbox_answers_.empty()) {
        if (accept_unscripted_msgboxes) {
            rec.Answer = ui::vbOK;
        } else {
            ADD_FAILURE() << "Unexpected message box: \"" << prompt << "\" (style " << style << ", title \""
                          << rec.Title << "\")";
            rec.Answer = ui::vbCancel;
        }
        msgboxes_.push_back(rec);
        return rec.Answer;
    }
    MsgBoxAnswer a = msgbox_answers_.front();
    msgbox_answers_.pop_front();
    if (a.Prompt && *a.Prompt != prompt)
        ADD_FAILURE() << "Message box prompt: expected \"" << *a.Prompt << "\", shown \"" << prompt << "\"";
    if (a.Style && *a.Style != style)
        ADD_FAILURE() << "Message box \"" << prompt << "\": expected style " << *a.Style << ", shown " << style;
    if (a.Title && *a.Title != rec.Title)
        ADD_FAILURE() << "Message box \"" << prompt << "\": expected title \"" << *a.Title << "\", shown \""
                      << rec.Title << "\"";
    rec.Answer = a.Answer;
    msgboxes_.push_back(rec);
    return rec.Answer;
}

// --- other questions ---

void ScriptedHost::answer_inputbox(std::string text) {
    inputbox_answers_.push_back(std::move(text));
}

std::string ScriptedHost::InputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    inputbox_prompts_.emplace_back(prompt);
    inputbox_titles_.emplace_back(title);
    inputbox_defaults_.emplace_back(defaultText);
    if (inputbox_answers_.empty()) {
        ADD_FAILURE() << "Unexpected input box: \"" << prompt << "\"";
        return {};
    }
    std::string a = std::move(inputbox_answers_.front());
    inputbox_answers_.pop_front();
    return a;
}

void ScriptedHost::answer_file_dialog(std::string path) {
    file_answers_.push_back(std::move(path));
}

std::string ScriptedHost::FileDialog(const ui::FileDialogRequest& request) {
    file_dialogs_.push_back(request);
    if (file_answers_.empty()) {
        ADD_FAILURE() << "Unexpected file dialog: \"" << request.Title << "\"";
        return {};
    }
    std::string a = std::move(file_answers_.front());
    file_answers_.pop_front();
    return a;
}

void ScriptedHost::answer_font_dialog(std::optional<ui::FontChoice> font) {
    font_answers_.push_back(std::move(font));
}

std::optional<ui::FontChoice> ScriptedHost::FontDialog(const ui::FontChoice& initial) {
    font_initials_.push_back(initial);
    if (font_answers_.empty()) {
        ADD_FAILURE() << "Unexpected font dialog";
        return std::nullopt;
    }
    auto a = std::move(font_answers_.front());
    font_answers_.pop_front();
    return a;
}

void ScriptedHost::answer_browse_for_folder(std::string folder) {
    browse_answers_.push_back(std::move(folder));
}

std::string ScriptedHost::BrowseForFolder(std::string_view prompt, std::string_view) {
    browse_prompts_.emplace_back(prompt);
    if (browse_answers_.empty()) {
        ADD_FAILURE() << "Unexpected folder browser: \"" << prompt << "\"";
        return {};
    }
    std::string a = std::move(browse_answers_.front());
    browse_answers_.pop_front();
    return a;
}

// --- modal windows ---

void ScriptedHost::on_modal(std::string window_name, std::function<void(ui::Window&)> act) {
    modal_scripts_.push_back({std::move(window_name), std::move(act)});
}

void ScriptedHost::ShowModal(ui::Window& window) {
    modal_windows_.push_back(window.Name());
    if (modal_scripts_.empty()) {
        ADD_FAILURE() << "Unexpected modal window \"" << window.Name() << "\"";
    } else {
        ModalScript s = std::move(modal_scripts_.front());
        modal_scripts_.pop_front();
        if (!s.WindowName.empty() && s.WindowName != window.Name())
            ADD_FAILURE() << "Modal window: expected \"" << s.WindowName << "\", shown \"" << window.Name() << "\"";
        if (s.Act) s.Act(window);
    }
    if (window.Loaded() && window.Visible) window.Hide();
}

// --- pop-up menus ---

void ScriptedHost::choose_popup(std::string menu_name, int index) {
    popup_choices_.push_back({std::move(menu_name), index});
}

void ScriptedHost::choose_no_popup() {
    popup_choices_.push_back({"", -1});
}

void ScriptedHost::PopupMenu(ui::Window& owner, ui::Menu& menu, int x, int y) {
    popups_.push_back({menu.Name(), x, y});
    if (popup_choices_.empty()) {
        ADD_FAILURE() << "Unexpected pop-up menu \"" << menu.Name() << "\"";
        return;
    }
    PopupChoice c = std::move(popup_choices_.front());
    popup_choices_.pop_front();
    if (c.Menu.empty()) return;
    // A window may pop up another window's menu: its entries are found in their own window.
    ui::Window& menus = menu.Parent() ? *menu.Parent() : owner;
    ui::Menu* chosen = menus.FindMenu(c.Menu, c.Index);
    if (!chosen) {
        ADD_FAILURE() << "Pop-up menu \"" << menu.Name() << "\": no entry \"" << c.Menu << "\"";
        return;
    }
    bool inside = false;
    for (ui::Menu* m = chosen->ParentMenu(); m; m = m->ParentMenu())
        if (m == &menu) inside = true;
    if (!inside) {
        ADD_FAILURE() << "Pop-up menu \"" << menu.Name() << "\" has no entry \"" << c.Menu << "\"";
        return;
    }
    if (!chosen->Visible || !chosen->EffectivelyEnabled()) {
        ADD_FAILURE() << "Pop-up menu entry \"" << c.Menu << "\" is " << (chosen->Visible ? "disabled" : "hidden");
        return;
    }
    chosen->user_click();
}

// --- time ---

void ScriptedHost::advance(int ms) {
    auto target = now_ + std::chrono::milliseconds(ms);
    while (true) {
        auto next = registry().NextDue();
        if (!next || *next > target) break;
        if (*next > now_) now_ = *next;
        if (registry().FireDue(now_) == 0) break;
    }
    now_ = target;
}

void ScriptedHost::set_start_date(const vb::DateTime& d) {
    start_date_ = d;
}

vb::DateTime ScriptedHost::Now() {
    std::time_t t = vb::TimeFromDate(start_date_);
    t += static_cast<std::time_t>(std::chrono::duration_cast<std::chrono::seconds>(now_ - start_).count());
    return vb::DateFromTime(t);
}

double ScriptedHost::Rnd() {
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_);
}

// --- keys ---

void ScriptedHost::press_key_from_poll(int keyCode, int nth) {
    keys_[keyCode].DownFromPoll = nth;
}

void ScriptedHost::set_key_down(int keyCode, bool down) {
    keys_[keyCode].Down = down;
    keys_[keyCode].DownFromPoll = 0;
}

int ScriptedHost::key_polls(int keyCode) const {
    auto it = keys_.find(keyCode);
    return it == keys_.end() ? 0 : it->second.Polls;
}

bool ScriptedHost::KeyDown(int keyCode) {
    KeyScript& k = keys_[keyCode];
    ++k.Polls;
    if (k.DownFromPoll > 0) return k.Polls >= k.DownFromPoll;
    return k.Down;
}

// --- the event loop and the pointer ---

void ScriptedHost::DoEvents() {
    ++do_events_;
    if (on_do_events) on_do_events();
}

void ScriptedHost::SetMousePointer(int pointer) {
    pointer_ = pointer;
    pointers_.push_back(pointer);
}

} // namespace test_support
