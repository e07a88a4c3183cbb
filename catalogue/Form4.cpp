#include "catalogue/Form4.hpp"

#include "shell/App.hpp"
#include "shell/help.hpp"

namespace vexolan {

namespace {

constexpr int DesignWidth = 4200;
constexpr int DesignHeight = 4080;

} // namespace

Form4::Form4(App& app) : ui::Window(app.host, "Form4"), app(app) {
    add(Label2, "Label2");
    add(Frame1, "Frame1");
    add(Check1, "Check1", &Frame1);
    add(Check2, "Check2", &Frame1);
    add(Check3, "Check3", &Frame1);
    add(Check4, "Check4", &Frame1);
    add(Check5, "Check5", &Frame1);
    add(Check6, "Check6");
    add(Check7, "Check7");
    add(Label1, "Label1");
    add(Text1, "Text1");
    add(Command1, "Command1");
    add(Command2, "Command2");

    Load = [this] { Form_Load(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    Label2.MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    KeyUp = [this](int& k, int& s) { Form_KeyUp(k, s); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Check6.Click = [this] { Check6_Click(); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };

    // Design: a borderless window with the grey bar and its title along the top.
    Caption = "Plugin List Options";
    BorderStyle = ui::vbBSNone;
    KeyPreview = true;
    Width = DesignWidth;
    Height = DesignHeight;
    Label2.Move(120, 60, 3600, 255);
    Label2.Caption = "Plugin List Options";
    Label2.BackStyle = 0;
    Frame1.Move(180, 480, 1860, 2160);
    Frame1.Caption = "Include";
    Check1.Move(120, 300, 1620, 300);
    Check1.Caption = "Category";
    Check2.Move(120, 660, 1620, 300);
    Check2.Caption = "Filtername";
    Check3.Move(120, 1020, 1620, 300);
    Check3.Caption = "Filename";
    Check4.Move(120, 1380, 1620, 300);
    Check4.Caption = "Author";
    Check5.Move(120, 1740, 1620, 300);
    Check5.Caption = "Copyright";
    Check6.Move(2220, 600, 1860, 300);
    Check6.Caption = "Output to Clipboard";
    Check6.ToolTipText = "Exports the plugin list to the clipboard";
    Check7.Move(2220, 960, 1860, 300);
    Check7.Caption = "CSV Format";
    Label1.Move(180, 2820, 900, 255);
    Label1.Caption = "Filename:";
    Text1.Move(1140, 2760, 2880, 330);
    Command1.Move(1740, 3420, 1080, 405);
    Command1.Caption = "Start";
    Command1.Default = true;
    Command2.Move(2940, 3420, 1080, 405);
    Command2.Caption = "Cancel";
    Command2.Cancel = true;
}

void Form4::Form_Load() {
    // Each loading starts from the design values: a run after Cancel has none of its choices left,
    // and a window closed rolled up comes back at its full size.
    Width = DesignWidth;
    Height = DesignHeight;
    rollUp_ = {};
    Check1.Value = ui::vbChecked;
    Check2.Value = ui::vbChecked;
    Check3.Value = ui::vbUnchecked;
    Check4.Value = ui::vbUnchecked;
    Check5.Value = ui::vbUnchecked;
    Check6.Value = ui::vbUnchecked;
    Check7.Value = ui::vbUnchecked;
    Text1.Text = "FFL-List.txt";
    CenterOnScreen(*this);
}

void Form4::ApplyShowDefaults() {
    Check6.Value = ui::vbChecked;
    Check6_Click();
}

void Form4::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, true, false);
}

void Form4::Form_DblClick() {
    ToggleRollUp(*this, rollUp_, RollUpAxis::Height);
}

void Form4::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Form4::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "menu_Command.htm");
}

void Form4::Command1_Click() {
    app.DialogOK = true;
    Hide();
}

void Form4::Command2_Click() {
    app.DialogOK = false;
    Unload();
}

void Form4::Check6_Click() {
    const bool toFile = Check6.Value != ui::vbChecked;
    Label1.Enabled = toFile;
    Text1.Enabled = toFile;
}

void Form4::Text1_GotFocus() {
    Text1.SelStart = 0;
    int length = 0;
    for (unsigned char c : Text1.Text.get())
        if ((c & 0xC0) != 0x80) ++length; // characters, not bytes
    Text1.SelLength = length;
}

} // namespace vexolan
