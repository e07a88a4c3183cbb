#pragma once
// The options of the plug-in list: which columns a line holds, text or semicolon-separated lines,
// and a file in the other pane's folder or the clipboard. Shown modally by the plug-in list command:
// Start hides the window, so the choices stay for the next run; Cancel unloads it, so the next run
// starts from the design values.

#include "shell/frame.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

namespace vexolan {

class App;

class Form4 : public ui::Window {
public:
    explicit Form4(App& app);

    App& app;

    ui::Label Label2;           // "Plugin List Options", the title on the grey bar
    ui::Frame Frame1;           // "Include"
    ui::CheckBox Check1;        // "Category"
    ui::CheckBox Check2;        // "Filtername"
    ui::CheckBox Check3;        // "Filename"
    ui::CheckBox Check4;        // "Author"
    ui::CheckBox Check5;        // "Copyright"
    ui::CheckBox Check6;        // "Output to Clipboard"
    ui::CheckBox Check7;        // "CSV Format"
    ui::Label Label1;           // "Filename:"
    ui::TextBox Text1;          // the output file's name
    ui::CommandButton Command1; // "Start"
    ui::CommandButton Command2; // "Cancel"

    // What every showing starts with: the list goes to the clipboard, so the file name box is off.
    void ApplyShowDefaults();

    void Command1_Click();
    void Command2_Click();
    void Check6_Click();

private:
    void Form_Load();
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);
    void Text1_GotFocus();

    RollUpState rollUp_;
};

} // namespace vexolan
