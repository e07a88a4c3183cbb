#pragma once
// The overwrite prompt: before a command writes a file over an existing one it asks here, showing the
// name, size and date of the file to be replaced and of the one replacing it. "Overwrite All" and
// "Ignore All" are remembered until the batch ends with OverwriteCheck("", "").

#include "shell/frame.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

#include <array>
#include <string_view>

namespace vexolan {

class App;

// The answers of OverwriteCheck.
enum OverwriteAnswer : int { OverwriteGo = 0, OverwriteSkip = 1, OverwriteCancelBatch = 4 };

// Asks whether `OverFile` may be replaced by `OrigFile` (which may be empty): 0 write, 1 leave this
// target alone, 4 stop the whole batch. A target that does not exist, or is a folder, is not asked
// about (0). Every existing file is, hidden (dot) files included. A call with both names empty ends a
// batch: the remembered "All" answer is forgotten and the result is 0.
int OverwriteCheck(App& app, std::string_view OrigFile, std::string_view OverFile);

class Overwrite : public ui::Window {
public:
    explicit Overwrite(App& app);

    App& app;

    ui::Label Label4; // "Overwrite" on the bar
    ui::Label Label1; // the file that would be replaced
    ui::Label Label2; // "With: "
    ui::Label Label3; // the file that would replace it
    // "Overwrite" (Enter), "Ignore", "Overwrite All", "Ignore All", "Cancel" (Esc)
    std::array<ui::CommandButton, 5> Command1;

    // The index of the button that closed the window.
    int OverwriteResult = OverwriteCancelBatch;

private:
    void Command1_Click(int Index);
    void Form_DblClick();
    void Form_KeyUp(int& KeyCode, int& Shift);
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_Paint();

    RollUpState rollUp_;
};

} // namespace vexolan
