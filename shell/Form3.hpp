#pragma once
// The input box: a prompt, an entry field and an optional choice list. Callers set the prompt and
// the proposal, show it modally and read `app.DialogOK` and the entry afterwards:
//
//     Form3& f = app.form3();
//     f.Label1.Caption = "Enter name for new folder";
//     f.Text1.Text = "New";
//     f.ShowModal();
//     if (app.DialogOK) name = f.Text1.Text;
//
// OK hides the window (it stays loaded, so its fields can be read); Cancel unloads it. An empty
// entry is returned as it is: callers check it.

#include "shell/frame.hpp"

#include "platform/ui/ui.hpp"

namespace vexolan {

class App;

class Form3 : public ui::Window {
public:
    explicit Form3(App& app);

    App& app;

    ui::Label Label1;           // the prompt
    ui::TextBox Text1;          // the entry
    ui::ComboBox Combo1;        // a choice list with an entry field, hidden unless a caller shows it
    ui::CommandButton Command2; // OK
    ui::CommandButton Command1; // Cancel
    ui::CheckBox Check1;        // "Case Sensitiv": read by nothing, never shown

    RollUpState rollUp;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Label1_MouseDown(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);
    void Command2_Click();
    void Command1_Click();
    void Text1_KeyPress(int& KeyAscii);
    void Combo1_KeyPress(int& KeyAscii);
    void Combo1_Click();
    void Text1_GotFocus();
    void Combo1_GotFocus();
};

} // namespace vexolan
