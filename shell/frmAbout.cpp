#include "shell/frmAbout.hpp"

#include "shell/App.hpp"
#include "shell/frmSplash.hpp"
#include "shell/help.hpp"

#include "version.hpp"

namespace vexolan {

namespace {

constexpr int DesignWidth = 6900;
constexpr int DesignHeight = 4200;

} // namespace

std::string VersionLine(int major, int minor, int revision) {
    return "Light Edition - Version " + std::to_string(major) + "." + vb::Format(minor, "00") + " (Revision " +
           std::to_string(revision) + ")";
}

frmAbout::frmAbout(App& app) : ui::Window(app.host, "frmAbout"), app(app) {
    add(Image1, "Image1");
    add(lblTitle, "lblTitle");
    add(Label2, "Label2");
    add(Line1, "Line1");
    add(Label1, "Label1");
    add(Label3, "Label3");
    add(Line2, "Line2");
    add(cmdOK, "cmdOK");

    Load = [this] { Form_Load(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    MouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    KeyUp = [this](int& k, int& s) { Form_KeyUp(k, s); };
    for (int i = 0; i < 2; ++i) {
        Label1[i].MouseMove = [this, i](int b, int s, float x, float y) { Label1_MouseMove(i, b, s, x, y); };
        Label1[i].Click = [this, i] { Label1_Click(i); };
    }
    cmdOK.Click = [this] { cmdOK_Click(); };

    // Design.
    Caption = "About Vexolan";
    BorderStyle = ui::vbBSNone;
    KeyPreview = true;
    Width = DesignWidth;
    Height = DesignHeight;
    Image1.Move(540, 360, 1440, 1440);
    Image1.Stretch = true;
    lblTitle.Move(2280, 300, 4200, 540);
    lblTitle.Caption = "Vexolan";
    lblTitle.Font.Name = "Arial";
    lblTitle.Font.Size = 18;
    lblTitle.Font.Bold = true;
    lblTitle.BackStyle = 0;
    Label2.Move(2280, 870, 4440, 300);
    Label2.BackStyle = 0;
    Line1.X1 = 2280;
    Line1.X2 = 6600;
    Line1.Y1 = 1260;
    Line1.Y2 = 1260;
    Line1.BorderColor = ui::RGB(128, 128, 128);
    Label1[0].Move(2280, 1380, 4440, 270);
    Label1[0].Caption = "Copyright \xC2\xA9 2026 The Vexolan team";
    Label1[1].Move(2280, 1680, 4440, 270);
    Label1[1].Caption = std::string(endpoints::HomePage);
    for (auto& l : Label1)
        l.BackStyle = 0;
    Label1[0].ToolTipText = "Write to " + std::string(endpoints::InfoAddress);
    Label1[1].ToolTipText = "Open " + std::string(endpoints::HomePage);
    Label3.Move(2280, 2100, 4440, 1140);
    Label3.Caption = "Vexolan organises Photoshop-compatible plug-ins, converts Filter Factory filters between their "
                     "formats and creates new ones. Thanks to everyone who tried early builds and sent in filters.";
    Label3.WordWrap = true;
    Label3.BackStyle = 0;
    Line2.X1 = 2280;
    Line2.X2 = 6600;
    Line2.Y1 = 3300;
    Line2.Y2 = 3300;
    Line2.BorderColor = ui::RGB(128, 128, 128);
    cmdOK.Move(5400, 3480, 1200, 420);
    cmdOK.Caption = "OK";
    cmdOK.Default = true;
    cmdOK.Cancel = true;
}

// A box loaded again starts as designed: one closed while rolled up comes back at its full size.
void frmAbout::Form_Load() {
    Width = DesignWidth;
    Height = DesignHeight;
    rollUp = {};
    // The links as designed, also when the box was closed with the pointer on one.
    for (auto& l : Label1) {
        l.ForeColor = ui::vbWindowText;
        l.Font.Bold = false;
    }
    Label2.Caption = VersionLine(VersionMajor, VersionMinor, VersionRevision);
    Image1.Picture = app.splash().imgLogo.Picture;
    CenterOnScreen(*this);
}

void frmAbout::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, false, false);
}

void frmAbout::Form_DblClick() {
    ToggleRollUp(*this, rollUp, RollUpAxis::Width);
}

void frmAbout::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void frmAbout::Form_MouseMove(int, int, float, float) {
    for (auto& l : Label1)
        if (l.Font.Bold) {
            l.ForeColor = ui::RGB(0, 0, 0);
            l.Font.Bold = false;
        }
}

void frmAbout::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "menu_Help.htm");
}

void frmAbout::Label1_MouseMove(int Index, int, int, float, float) {
    ui::Label& l = Label1[static_cast<std::size_t>(Index)];
    if (!l.Font.Bold) {
        l.ForeColor = ui::RGB(0, 0, 255);
        l.Font.Bold = true;
    }
}

void frmAbout::Label1_Click(int Index) {
    if (Index == 0)
        SendEmail(app, endpoints::InfoAddress, "", "");
    else
        ShowURL(app, endpoints::HomePage);
}

void frmAbout::cmdOK_Click() {
    Unload();
}

} // namespace vexolan
