#include "tests/screen/screen_support.hpp"

#include "shell/artwork.hpp"

#include "imaging/handles.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/imgman.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Window.hpp"

#include "platform/fltk/wm.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace test_support {

std::string screenshot_folder() {
    const char* env = std::getenv("VEXOLAN_SCREENSHOTS");
    static TempDir fallback("shots");
    std::string folder = env && *env ? env : fallback.path().string();
    std::filesystem::create_directories(folder);
    return folder;
}

vexolan::App* ScreenTest::make_app(ScreenTest& self) {
    self.appFolder = self.root.path() / "appfolder";
    self.settingsFile = self.root.path() / "config" / "settings.ini";
    files::set_app_folder(self.appFolder);
    files::prepare_app_folder(VEXOLAN_APPFOLDER);
    self.owned_app = std::make_unique<vexolan::App>(self.host, self.appFolder, self.settingsFile);
    return self.owned_app.get();
}

ScreenTest::ScreenTest() : app(*make_app(*this)) {
    host.set_picture_resolver([](int handle) {
        std::string file = vexolan::ArtworkFile(handle);
        return file.empty() ? std::string() : files::app_path(file);
    });
    // Every test starts from the display's own keyboard state, where the keyboard follows the
    // pointer: a focus that an earlier test's script set on a window of its own would otherwise
    // outlive that window and change which windows hear of the keyboard.
    fl_open_display();
    XSetInputFocus(fl_display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XSync(fl_display, False);
}

std::uint32_t ScreenTest::shot_pixel(const std::string& shot, int x, int y) {
    int h = 0;
    EXPECT_TRUE(vexolan::OpenImg(app, shot, h, true)) << shot;
    const imgman::Image* img = imgman::image_of(h);
    std::uint32_t c = 0;
    if (img && x >= 0 && y >= 0 && x < img->width && y < img->height) {
        const std::uint8_t* p = &img->rgba[(static_cast<std::size_t>(y) * img->width + x) * 4];
        c = (p[0] << 16) | (p[1] << 8) | p[2];
    }
    vexolan::CloseImg(app, h);
    return c;
}

ScreenTest::~ScreenTest() {
    Fl::remove_timeout(give_up);
    owned_app->host.registry().UnloadAll();
    pump_until([] { return false; }, 0.1);
    owned_app.reset();
}

void ScreenTest::close_after(ui::Window& window, double seconds) {
    Fl::add_timeout(seconds, give_up, &window);
}

void ScreenTest::give_up(void* window) {
    auto* w = static_cast<ui::Window*>(window);
    ADD_FAILURE() << "the window \"" << w->Caption.get() << "\" was not closed by the user's actions";
    w->Hide();
}

bool ScreenTest::pump_until(const std::function<bool()>& done, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        Fl::wait(0.02);
    }
    return true;
}

namespace {

// Shell functions every driving script can use.
constexpr std::string_view Prelude = R"sh(set -eu
find_window() {
    for i in $(seq 1 200); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.05
    done
    echo "no window named $1" >&2
    return 1
}
shoot() {
    sleep 0.3
    import -window "$1" "$SHOTS/$2.png"
    colours=$(identify -format '%k' "$SHOTS/$2.png")
    if [ "$colours" -le 1 ]; then echo "screenshot $2 is blank" >&2; return 1; fi
}
focus() {
    xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.2
}
geometry() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT" >> "$2"
}
wait_menu() {
    for i in $(seq 1 200); do
        menu=$(xdotool search --onlyvisible --name '^$' 2>/dev/null | tail -1 || true)
        if [ -n "$menu" ]; then
            eval "$(xdotool getwindowgeometry --shell "$menu")"
            [ "$HEIGHT" -gt 30 ] && [ "$HEIGHT" -lt 600 ] && return 0
        fi
        sleep 0.05
    done
    echo "no menu opened" >&2
    return 1
}
gone() {
    for i in $(seq 1 100); do
        xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    echo "window $1 is still there" >&2
    return 1
}
)sh";

// A script that never brings the program's window to its end would leave the test waiting in a
// window's own loop: after a while every window is closed and the test fails instead.
void watchdog(void*) {
    ADD_FAILURE() << "the screen was still waiting for the user after 25 seconds";
    while (Fl_Window* w = Fl::first_window())
        w->hide();
}

} // namespace

Driver::Driver(ScreenTest& test, std::string_view script) {
    Fl::add_timeout(25.0, watchdog);
    pump_ = [&test](const std::function<bool()>& done, double s) { return test.pump_until(done, s); };
    static int counter = 0;
    std::filesystem::path file =
        test.root.write("drive" + std::to_string(++counter) + ".sh", std::string(Prelude) + std::string(script) + "\n");
    std::string shots = "SHOTS=" + screenshot_folder();
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back(shots);
    std::vector<char*> envp;
    for (auto& s : env)
        envp.push_back(s.data());
    envp.push_back(nullptr);
    std::string sh = "/bin/sh", path = file.string();
    char* argv[] = {sh.data(), path.data(), nullptr};
    if (posix_spawn(&pid_, "/bin/sh", nullptr, nullptr, argv, envp.data()) != 0) pid_ = -1;
}

Driver::~Driver() {
    Fl::remove_timeout(watchdog);
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, &status_, 0);
    }
}

bool Driver::running() {
    if (pid_ <= 0) return false;
    if (::waitpid(pid_, &status_, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
    }
    return true;
}

void Driver::finish() {
    bool ended = pump_([this] { return !running(); }, 20);
    EXPECT_TRUE(ended) << "the driving script did not end";
    EXPECT_TRUE(WIFEXITED(status_) && WEXITSTATUS(status_) == 0) << "the driving script failed";
}

Openbox::Openbox() {
    for (const char* dir : {"/usr/bin", "/usr/local/bin", "/bin"})
        if (std::filesystem::exists(std::string(dir) + "/openbox")) program_ = std::string(dir) + "/openbox";
    if (program_.empty()) return;
    std::string arg0 = program_;
    char* argv[] = {arg0.data(), nullptr};
    pid_t pid = -1;
    pid_ = posix_spawn(&pid, program_.c_str(), nullptr, nullptr, argv, environ) == 0 ? pid : -1;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (pid_ > 0 && !fltk::wm::running() && std::chrono::steady_clock::now() < until)
        Fl::wait(0.05);
    // It announces itself before it is ready to manage windows.
    for (auto ready = std::chrono::steady_clock::now() + std::chrono::milliseconds(800);
         pid_ > 0 && std::chrono::steady_clock::now() < ready;)
        Fl::wait(0.05);
}

Openbox::~Openbox() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    // The root window forgets the manager once it is gone.
    for (int i = 0; i < 100 && fltk::wm::running(); ++i)
        Fl::wait(0.02);
}

bool Openbox::started() const {
    return pid_ > 0 && fltk::wm::running();
}

std::string report_row_point(const fltk::FltkHost& host, const ui::ListView& list, int index) {
    EXPECT_GT(index, 0);
    int x = list.Left, y = list.Top;
    for (const ui::Control* c = list.Container(); c; c = c->Container()) {
        x += c->Left;
        y += c->Top;
    }
    const int px = x / 15 + 40;
    const int py = y / 15 + host.MenuHeight() + list.HeaderHeightPixels() +
                   (index - 1 - list.TopIndex) * list.RowHeightPixels() + list.RowHeightPixels() / 2;
    return std::to_string(px) + " " + std::to_string(py);
}

int report_row_of(const ui::ListView& list, std::string_view text) {
    const auto& items = list.ListItems;
    for (int i = 1; i <= items.Count(); ++i)
        if (items(i).Text.get() == text) return i;
    return 0;
}

std::string middle_of(const ui::Control& c) {
    int x = c.Left + c.Width / 2, y = c.Top + c.Height / 2;
    for (const ui::Control* p = c.Container(); p; p = p->Container()) {
        x += p->Left;
        y += p->Top;
    }
    return std::to_string(x / 15) + " " + std::to_string(y / 15);
}

std::vector<int> read_numbers(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<int> out;
    for (int n; in >> n;)
        out.push_back(n);
    return out;
}

} // namespace test_support
