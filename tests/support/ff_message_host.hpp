#pragma once
// A Host that records the message boxes the Filter Factory readers show and fails the test on any
// other question. Enough for the readers; window tests use the full scripted host.

#include "platform/ui/Host.hpp"

#include <string>
#include <vector>

namespace ff_synth {

class MessageHost : public ui::Host {
public:
    struct Box {
        std::string Prompt;
        int Style;
        std::string Title;
    };
    std::vector<Box> Boxes;

    int MsgBox(std::string_view prompt, int style, std::string_view title) override;
    std::string InputBox(std::string_view prompt, std::string_view, std::string_view) override;
    void ShowModal(ui::Window&) override;
    void PopupMenu(ui::Window&, ui::Menu&, int, int) override;
    std::string FileDialog(const ui::FileDialogRequest&) override;
    std::optional<ui::FontChoice> FontDialog(const ui::FontChoice&) override;
    std::string BrowseForFolder(std::string_view, std::string_view) override;
    void DoEvents() override {}
    void SetMousePointer(int pointer) override { pointer_ = pointer; }
    int MousePointer() const override { return pointer_; }
    bool KeyDown(int) override { return false; }
    std::chrono::steady_clock::time_point SteadyNow() override { return {}; }
    vb::DateTime Now() override { return {}; }
    double Rnd() override { return 0.5; }
    void Randomize(std::uint32_t) override {}
    int TwipsPerPixelX() const override { return 15; }
    int TwipsPerPixelY() const override { return 15; }
    int ScreenWidth() const override { return 1920 * 15; }
    int ScreenHeight() const override { return 1080 * 15; }
    int CaptionHeight() const override { return 20; }
    int MenuHeight() const override { return 20; }
    std::string ClipboardText() override { return {}; }
    void SetClipboardText(std::string_view) override {}
    void ClearClipboard() override {}

private:
    int pointer_ = 0;
};

} // namespace ff_synth
