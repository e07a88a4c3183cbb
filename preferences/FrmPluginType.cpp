#include "preferences/FrmPluginType.hpp"

#include "preferences/plugtypes.hpp"
#include "shell/App.hpp"
#include "shell/frame.hpp"
#include "shell/help.hpp"

namespace vexolan {

namespace {

void set_geometry(ui::Control& c, int left, int top, int width, int height) {
    c.Left.store(left);
    c.Top.store(top);
    c.Width.store(width);
    c.Height.store(height);
}

} // namespace

FrmPluginType::FrmPluginType(App& app) : ui::Window(app.host, "FrmPluginType"), app(app) {
    BorderStyle.store(ui::vbBSNone);
    ControlBox.store(false);
    MinButton.store(false);
    MaxButton.store(false);
    KeyPreview.store(true);
    Width.store(4560);
    Height.store(DesignHeight);

    // The grey bar runs along the top, 24 pixels high; the title sits on it.
    add(Label2, "Label2");
    Label2.Caption.store("Add Plugin Type");
    Label2.BackStyle.store(0);
    set_geometry(Label2, 120, 60, 3000, 255);

    add(Label1, "Label1");
    Label1[0].Caption.store("Plugin Type:");
    set_geometry(Label1[0], 120, 540, 1200, 255);
    Label1[1].Caption.store("File Extension:");
    set_geometry(Label1[1], 120, 960, 1200, 255);
    add(Text1, "Text1");
    set_geometry(Text1[0], 1380, 480, 3000, 315);
    set_geometry(Text1[1], 1380, 900, 1200, 315);

    add(Frame1, "Frame1");
    Frame1.Caption.store("Get Plugin Name from");
    set_geometry(Frame1, 120, 1380, 4260, 1080);
    static constexpr std::array<const char*, 4> sources{"Description", "Internal Name", "Product Name", "File Name"};
    for (int i = 0; i < 4; ++i) {
        add_indexed(Option1[i], "Option1", i, &Frame1);
        Option1[i].Caption.store(sources[i]);
        set_geometry(Option1[i], 120 + (i % 2) * 2040, 300 + (i / 2) * 360, 1920, 255);
    }
    Option1[0].Value.store(true);

    add(Command1, "Command1");
    Command1[0].Caption.store("OK");
    set_geometry(Command1[0], 1860, 2640, 1200, 375);
    Command1[0].Default = true;
    Command1[1].Caption.store("Cancel");
    set_geometry(Command1[1], 3180, 2640, 1200, 375);
    Command1[1].Cancel = true;

    for (int i = 0; i < 2; ++i)
        Command1[i].Click = [this, i] { Command1_Click(i); };
    Load = [this] { Form_Load(); };
    Activate = [this] { Form_Activate(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int Button, int Shift, float X, float Y) { Form_MouseDown(Button, Shift, X, Y); };
    Label2.MouseDown = [this](int Button, int Shift, float X, float Y) { Form_MouseDown(Button, Shift, X, Y); };
    KeyUp = [this](int& KeyCode, int& Shift) { Form_KeyUp(KeyCode, Shift); };
}

void FrmPluginType::Command1_Click(int Index) {
    if (Index == 1) {
        Text1[0].Text = "";
        Text1[1].Text = "";
        Hide();
        return;
    }
    if (Text1[0].Text.get().empty()) {
        host().MsgBox("Please enter the Plugin Name!", ui::vbExclamation);
        Text1[0].SetFocus();
        return;
    }
    // An extension that is empty once cleaned ("*.", ".") is refused as a missing one: it would make
    // a type line without an extension and a pattern that matches every dotted name.
    std::string extension = NormalisePlugTypeExtension(Text1[1].Text.get());
    if (extension.empty()) {
        host().MsgBox("Please enter the File Extension e.g. 8bf ", ui::vbExclamation);
        Text1[1].SetFocus();
        return;
    }
    Text1[1].Text = extension;
    Hide();
}

// A freshly loaded dialog starts as designed (controls keep their values across an unload).
void FrmPluginType::Form_Load() {
    Label2.Caption = "Add Plugin Type";
    Text1[0].Text = "";
    Text1[1].Text = "";
    Option1[0].Value = true;
    Height = DesignHeight;
    roll_up_ = {};
}

// The focus goes to the name box when the dialog is shown, not on every repaint: a repaint after a
// message box would otherwise take it out of the extension box the message asked for.
void FrmPluginType::Form_Activate() {
    try {
        Text1[0].SetFocus();
    } catch (const vb::Error&) {
    }
}

void FrmPluginType::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, true, false);
}

void FrmPluginType::Form_MouseDown(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void FrmPluginType::Form_KeyUp(int& KeyCode, int& /*Shift*/) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "Prefs_PluginTypes.htm");
}

void FrmPluginType::Form_DblClick() {
    ToggleRollUp(*this, roll_up_, RollUpAxis::Height);
}

} // namespace vexolan
