#include "platform/ui/Host.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>
#include <optional>
#include <thread>

namespace ui {

namespace {

int count_code_points(std::string_view text) {
    int n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

int count_lines(std::string_view text) {
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            ++lines;
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            ++lines;
        }
    }
    return lines;
}

} // namespace

int Host::TextWidthPixels(const FontChoice& font, std::string_view text) const {
    // The widest line counts, as Windows' TextWidth measures it.
    int widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        widest = std::max(widest, count_code_points(text.substr(start, end - start)));
        if (end == text.size()) break;
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    int perChar = std::max(1, static_cast<int>(std::nearbyint(font.Size * 3 / 4)));
    return widest * perChar;
}

int Host::TextHeightPixels(const FontChoice& font, std::string_view text) const {
    int perLine = std::max(1, static_cast<int>(std::nearbyint(font.Size * 5 / 3)));
    return count_lines(text) * perLine;
}

void Host::ShowProperties(std::string_view title, std::string_view text) {
    MsgBox(text, vbInformation, title);
}

std::string Host::OpenWith(std::string_view file) {
    std::string name(file);
    auto slash = name.rfind('/');
    if (slash != std::string::npos) name = name.substr(slash + 1);
    return InputBox("No program is associated with \"" + name + "\".\r\n\r\nOpen it with this program:", "Open With");
}

bool Host::PrintDialog(std::string_view what) {
    return MsgBox("Print " + std::string(what) + " on the default printer?", vbOKCancel | vbQuestion, "Print") == vbOK;
}

// --- Registry ---------------------------------------------------------------------------------

void Registry::window_loaded(Window& w) {
    if (std::find(windows_.begin(), windows_.end(), &w) != windows_.end()) return;
    windows_.push_back(&w);
    if (on_window_loaded) on_window_loaded(w);
}

void Registry::window_unloaded(Window& w) {
    if (std::erase(windows_, &w) == 0) return;
    window_hidden(w);
    if (on_window_unloaded) on_window_unloaded(w);
}

void Registry::window_hidden(Window& w) {
    if (active_ != &w) return;
    active_ = nullptr;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (*it != &w && (*it)->Visible) {
            active_ = *it;
            break;
        }
}

void Registry::UnloadAll() {
    std::vector<Window*> all = windows_;
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (std::find(windows_.begin(), windows_.end(), *it) != windows_.end()) (*it)->unload(vbFormCode);
}

void Registry::add_timer(Timer& t) {
    if (std::find(timers_.begin(), timers_.end(), &t) == timers_.end()) timers_.push_back(&t);
}

void Registry::remove_timer(Timer& t) {
    std::erase(timers_, &t);
    if (on_schedule_changed) on_schedule_changed();
}

std::optional<std::chrono::steady_clock::time_point> Registry::NextDue() const {
    std::optional<std::chrono::steady_clock::time_point> next;
    for (Timer* t : timers_)
        if (t->Running() && t->Due() && (!next || *t->Due() < *next)) next = t->Due();
    return next;
}

int Registry::FireDue(std::chrono::steady_clock::time_point now) {
    // Collect first: a handler may stop, start or even destroy timers.
    std::vector<Timer*> due;
    for (Timer* t : timers_)
        if (t->Running() && t->Due() && *t->Due() <= now) due.push_back(t);
    std::stable_sort(due.begin(), due.end(), [](Timer* a, Timer* b) { return *a->Due() < *b->Due(); });
    int fired = 0;
    for (Timer* t : due) {
        if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
        if (!t->Running() || !t->Due() || *t->Due() > now) continue;
        host_.user_action([&] { t->tick(now); });
        ++fired;
    }
    return fired;
}

void Host::action_failed() {
    // Internal error (51) for a failure that is no run-time error of the platform.
    std::optional<vb::Error> error;
    try {
        throw;
    } catch (const vb::Error& e) {
        error = e;
    } catch (const std::bad_alloc&) {
        error = vb::Error(7);
    } catch (const std::exception& e) {
        error = vb::Error(51, e.what());
    } catch (...) {
        error = vb::Error(51);
    }
    try {
        if (on_action_error)
            on_action_error(*error);
        else
            MsgBox(error->description(), vbExclamation);
    } catch (...) {
        // The box could not be shown: the action has ended all the same.
    }
}

void Host::Sleep(int milliseconds) {
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace ui
