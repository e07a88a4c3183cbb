#pragma once
// The about box: title, edition and version, the rights notice and the web address as links
// (e-mail and web page), a credits paragraph and the logo. Borderless, with the grey bar down its
// left edge; rolls up its width on a double click.

#include "shell/frame.hpp"

#include "platform/ui/ui.hpp"

#include <array>
#include <string>

namespace vexolan {

class App;

// "Light Edition - Version 1.52 (Revision 0)": the minor version always with two digits.
std::string VersionLine(int major, int minor, int revision);

class frmAbout : public ui::Window {
public:
    explicit frmAbout(App& app);

    App& app;

    ui::Label lblTitle;
    ui::Label Label2;                // the version line
    std::array<ui::Label, 2> Label1; // 0 the notice line (e-mail), 1 the web address
    ui::Label Label3;                // credits
    ui::Image Image1;                // the logo
    ui::Line Line1, Line2;
    ui::CommandButton cmdOK;

    RollUpState rollUp;

private:
    void Form_Load();
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label1_Click(int Index);
    void cmdOK_Click();
};

} // namespace vexolan
