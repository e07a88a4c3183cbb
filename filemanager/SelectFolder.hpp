#pragma once
// The target-folder dialog: a small modal window in which the user confirms or chooses the folder a
// command writes into. Its list offers the passive pane's folder first, then the active pane's, then
// the Preferences folder list. Ok points the passive pane at the choice (creating a missing folder
// after asking) unless SetNoChange was called; Cancel leaves the text empty.
//
//     SelectFolder& dialog = app.selectFolder();
//     dialog.ShowModal();
//     if (dialog.Combo1.Text.get().empty()) return;  // cancelled
//     std::string target = dialog.Combo1.Text;        // ends with "/"

#include "shell/frame.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Window.hpp"

#include <string>
#include <string_view>

namespace vexolan {

class App;

class SelectFolder : public ui::Window {
public:
    explicit SelectFolder(App& app);

    App& app;

    ui::ComboBox Combo1;        // the folder; after the window closes, the result ("" = cancelled)
    ui::CommandButton Command1; // "Select Folder": the folder browser
    ui::CommandButton Command2; // "Ok" (Enter)
    ui::CommandButton Command3; // "Cancel" (Esc)
    // "Automatically create sub folder(s)": hidden; a caller may show it and read it afterwards.
    // The dialog itself does nothing with it.
    ui::CheckBox Check2;

    // The folder offered first at the next showing (one showing only).
    void SetFirstEntry(std::string_view FirstEntry);
    // The next Ok leaves both panes where they are.
    void SetNoChange();

    void Form_Activate();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

private:
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);

    std::string firstEntry_;
    bool noChange_ = false;
    RollUpState rollUp_;
};

} // namespace vexolan
