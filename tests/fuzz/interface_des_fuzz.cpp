// Feeds interface description files (".des") to the editor: the input becomes the chosen file of
// an app folder in a temporary folder and is applied to the editor window, outline and all.
#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/interface.hpp"
#include "shell/App.hpp"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

// A host that answers every question with "cancel" and has a fixed screen.
class QuietHost : public ui::Host {
public:
    int MsgBox(std::string_view, int = ui::vbOKOnly, std::string_view = {}) override { return ui::vbOK; }
    std::string InputBox(std::string_view, std::string_view = {}, std::string_view = {}) override { return {}; }
    void ShowModal(ui::Window& w) override { w.Hide(); }
    void PopupMenu(ui::Window&, ui::Menu&, int = -1, int = -1) override {}
    std::string FileDialog(const ui::FileDialogRequest&) override { return {}; }
    std::optional<ui::FontChoice> FontDialog(const ui::FontChoice&) override { return std::nullopt; }
    std::string BrowseForFolder(std::string_view, std::string_view) override { return {}; }
    void DoEvents() override {}
    void SetMousePointer(int p) override { pointer_ = p; }
    int MousePointer() const override { return pointer_; }
    bool KeyDown(int) override { return false; }
    std::chrono::steady_clock::time_point SteadyNow() override { return {}; }
    vb::DateTime Now() override { return {}; }
    double Rnd() override { return 0.5; }
    void Randomize(std::uint32_t) override {}
    int TwipsPerPixelX() const override { return 15; }
    int TwipsPerPixelY() const override { return 15; }
    int ScreenWidth() const override { return 1280 * 15; }
    int ScreenHeight() const override { return 1024 * 15; }
    int CaptionHeight() const override { return 18; }
    int MenuHeight() const override { return 19; }
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(std::string_view) override {}
    void ClearClipboard() override {}

private:
    int pointer_ = 0;
};

const std::filesystem::path& folder() {
    static const std::filesystem::path dir = [] {
        auto d = std::filesystem::temp_directory_path() / ("vexolan-fuzz-des-" + std::to_string(getpid()));
        std::filesystem::create_directories(d / "app" / "interface");
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder(), ec);
        });
        return d;
    }();
    return dir;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QuietHost host;
    static vexolan::App app(host, folder() / "app", folder() / "settings.ini");
    {
        std::ofstream out(folder() / "app" / "interface" / "Chosen.des", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    app.InterfaceFile = "Chosen.des";
    vexolan::LoadInterface(app);
    const auto& region = app.EditorForm().WindowRegion();
    if (region) (void)region->contains(10, 10);
    return 0;
}
