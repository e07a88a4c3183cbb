#include "shell/Form3.hpp"

#include "shell/App.hpp"
#include "shell/help.hpp"

namespace vexolan {

namespace {

constexpr int DesignWidth = 5400;
constexpr int DesignHeight = 2160;

} // namespace

Form3::Form3(App& app) : ui::Window(app.host, "Form3"), app(app) {
    add(Label1, "Label1");
    add(Text1, "Text1");
    add(Combo1, "Combo1");
    add(Command2, "Command2");
    add(Command1, "Command1");
    add(Check1, "Check1");

    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    Label1.MouseDown = [this](int b, int s, float x, float y) { Label1_MouseDown(b, s, x, y); };
    KeyUp = [this](int& k, int& s) { Form_KeyUp(k, s); };
    Command2.Click = [this] { Command2_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Text1.KeyPress = [this](int& k) { Text1_KeyPress(k); };
    Combo1.KeyPress = [this](int& k) { Combo1_KeyPress(k); };
    Combo1.Click = [this] { Combo1_Click(); };
    Text1.GotFocus = [this] { Text1_GotFocus(); };
    Combo1.GotFocus = [this] { Combo1_GotFocus(); };

    // Design: a borderless strip with the grey bar along the top.
    Caption = "Vexolan - Input";
    BorderStyle = ui::vbBSNone;
    KeyPreview = true;
    Width = DesignWidth;
    Height = DesignHeight;
    Label1.Move(180, 420, 5040, 540);
    Label1.BackStyle = 0;
    Label1.WordWrap = true;
    Text1.Move(180, 1020, 5040, 330);
    Combo1.Move(180, 1020, 5040, 330);
    Combo1.Visible = false;
    Command2.Move(2940, 1560, 1080, 405);
    Command2.Caption = "OK";
    Command1.Move(4140, 1560, 1080, 405);
    Command1.Caption = "Cancel";
    Command1.Cancel = true;
    Check1.Move(180, 1620, 2400, 300);
    Check1.Caption = "Case Sensitiv";
    Check1.Visible = false;
    Text1.TabIndex = 0;
    Command2.TabIndex = 1;
    Command1.TabIndex = 2;
}

// A box loaded again starts at its design size, not rolled up as it may have been closed; what it
// asks and proposes its callers set before they show it.
void Form3::Form_Load() {
    Width = DesignWidth;
    Height = DesignHeight;
    rollUp = {};
    CenterOnScreen(*this);
}

// At every showing, after OK hid the box as much as after Cancel unloaded it, the entry takes the
// focus anew, so its GotFocus selects the proposal and typing replaces it.
void Form3::Form_Activate() {
    ui::Control& entry = Combo1.Visible ? static_cast<ui::Control&>(Combo1) : static_cast<ui::Control&>(Text1);
    if (entry.HasFocus()) focus_control(nullptr);
    try {
        entry.SetFocus();
    } catch (const vb::Error&) {
        // Not focusable now (disabled or hidden): nothing to select.
    }
}

void Form3::Form_Paint() {
    if (Combo1.Visible) {
        try {
            Combo1.SetFocus();
        } catch (const vb::Error&) {
            // Not focusable while the window is not on screen: nothing to do.
        }
    }
    long thickness = 24;
    GreyscaleBar(*this, thickness, true, false);
}

void Form3::Form_DblClick() {
    ToggleRollUp(*this, rollUp, RollUpAxis::Height);
}

void Form3::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Form3::Label1_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Form3::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "buttonbar_ChangeCat.htm");
}

void Form3::Command2_Click() {
    app.DialogOK = true;
    Hide();
}

void Form3::Command1_Click() {
    app.DialogOK = false;
    Unload();
}

void Form3::Text1_KeyPress(int& KeyAscii) {
    if (KeyAscii == ui::vbKeyReturn) {
        KeyAscii = 0;
        Command2_Click();
    }
}

void Form3::Combo1_KeyPress(int& KeyAscii) {
    if (KeyAscii == ui::vbKeyReturn) {
        KeyAscii = 0;
        Command2_Click();
    }
}

void Form3::Combo1_Click() {
    if (!Combo1.Text->empty()) Command2_Click();
}

void Form3::Text1_GotFocus() {
    Text1.SelStart = 0;
    int length = 0;
    for (unsigned char c : Text1.Text.get())
        if ((c & 0xC0) != 0x80) ++length; // characters, not bytes
    Text1.SelLength = length;
}

void Form3::Combo1_GotFocus() {
    Combo1.SelStart = 0;
    int length = 0;
    for (unsigned char c : Combo1.Text.get())
        if ((c & 0xC0) != 0x80) ++length; // characters, not bytes
    Combo1.SelLength = length;
}

} // namespace vexolan
