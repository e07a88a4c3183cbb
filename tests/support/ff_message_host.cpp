#include "tests/support/ff_message_host.hpp"

#include <gtest/gtest.h>

namespace ff_synth {

int MessageHost::MsgBox(std::string_view prompt, int style, std::string_view title) {
    Boxes.push_back({std::string(prompt), style, std::string(title)});
    return ui::vbOK;
}

std::string MessageHost::InputBox(std::string_view prompt, std::string_view, std::string_view) {
    ADD_FAILURE() << "unexpected input box: " << prompt;
    return {};
}

void MessageHost::ShowModal(ui::Window&) {
    ADD_FAILURE() << "unexpected modal window";
}

void MessageHost::PopupMenu(ui::Window&, ui::Menu&, int, int) {
    ADD_FAILURE() << "unexpected pop-up menu";
}

std::string MessageHost::FileDialog(const ui::FileDialogRequest& request) {
    ADD_FAILURE() << "unexpected file dialog: " << request.Title;
    return {};
}

std::optional<ui::FontChoice> MessageHost::FontDialog(const ui::FontChoice&) {
    ADD_FAILURE() << "unexpected font dialog";
    return std::nullopt;
}

std::string MessageHost::BrowseForFolder(std::string_view prompt, std::string_view) {
    ADD_FAILURE() << "unexpected folder dialog: " << prompt;
    return {};
}

} // namespace ff_synth
