#include "shell/frmTip.hpp"

#include "shell/App.hpp"
#include "shell/artwork.hpp"
#include "shell/help.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

namespace {

constexpr std::string_view SettingsApp = "Vexo10";
constexpr std::string_view OptionsSection = "Options";
constexpr std::string_view ShowTipsKey = "Show Tips at Startup";
constexpr int DesignWidth = 6900;
constexpr int DesignHeight = 4050;

} // namespace

std::vector<std::string> ReadTipLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(vb::Cp1252ToUtf8(bytes.substr(start)));
            break;
        }
        lines.push_back(vb::Cp1252ToUtf8(bytes.substr(start, end - start)));
        start = end + ((bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

frmTip::frmTip(App& app) : ui::Window(app.host, "frmTip"), app(app) {
    add(Label2, "Label2");
    add(Label3, "Label3");
    add(Picture1, "Picture1");
    add(Label1, "Label1");
    add(lblTipText, "lblTipText");
    add(chkLoadTipsAtStartup, "chkLoadTipsAtStartup");
    add(cmdNextTip, "cmdNextTip");
    add(cmdOK, "cmdOK");

    Load = [this] { Form_Load(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    Label2.MouseDown = [this](int b, int s, float x, float y) { Label2_MouseDown(b, s, x, y); };
    KeyUp = [this](int& k, int& s) { Form_KeyUp(k, s); };
    cmdNextTip.Click = [this] { cmdNextTip_Click(); };
    chkLoadTipsAtStartup.Click = [this] { chkLoadTipsAtStartup_Click(); };
    cmdOK.Click = [this] { cmdOK_Click(); };

    // Design.
    Caption = "Tip of the Day";
    BorderStyle = ui::vbBSNone;
    KeyPreview = true;
    Width = DesignWidth;
    Height = DesignHeight;
    Label2.Move(300, 390, 4200, 390);
    Label2.Caption = "Tip of the Day";
    Label2.Font.Size = 12;
    Label2.Font.Bold = true;
    Label2.BackStyle = 0;
    Label3.Move(5100, 420, 1500, 300);
    Label3.Alignment = ui::vbRightJustify;
    Label3.BackStyle = 0;
    Picture1.Move(300, 930, 960, 960);
    Picture1.BorderStyle = 0;
    Picture1.Picture = TipPicture;
    Label1.Move(1440, 930, 5160, 300);
    Label1.Caption = "Did you know...";
    Label1.Font.Bold = true;
    Label1.BackStyle = 0;
    lblTipText.Move(1440, 1290, 5160, 1740);
    lblTipText.WordWrap = true;
    lblTipText.BackColor = ui::vbWindowBackground;
    lblTipText.BorderStyle = 1;
    chkLoadTipsAtStartup.Move(300, 3330, 3000, 330);
    chkLoadTipsAtStartup.Caption = "&Show Tips at Startup";
    cmdNextTip.Move(3840, 3270, 1320, 420);
    cmdNextTip.Caption = "&Next Tip";
    cmdOK.Move(5280, 3270, 1320, 420);
    cmdOK.Caption = "OK";
    cmdOK.Default = true;
    cmdOK.Cancel = true;
}

void frmTip::Form_Load() {
    // Opened again from the Help menu, the window starts at its design size, not rolled up as it
    // may have been closed.
    Width = DesignWidth;
    Height = DesignHeight;
    rollUp = {};
    CenterOnScreen(*this);
    // A stored text that is not 0 or 1 (a hand edit) counts as on rather than failing the window.
    std::string stored;
    try {
        stored = app.Settings.GetSetting(SettingsApp, OptionsSection, ShowTipsKey, "1");
    } catch (const vb::Error&) {
        stored = "1";
    }
    // Setting the box raises its Click, which stores the value: harmless, it is the same value.
    chkLoadTipsAtStartup.Value = vb::Val(stored) != 0 ? ui::vbChecked : ui::vbUnchecked;
    auto ticks = app.host.SteadyNow().time_since_epoch().count();
    app.host.Randomize(static_cast<std::uint32_t>(ticks ^ (ticks >> 32)));
    if (!LoadTips(files::app_path("TipOfDay.txt"))) lblTipText.Caption = "The Tip file was not found. \r\n";
}

bool frmTip::LoadTips(std::string_view sFile) {
    if (TipList.empty()) {
        if (sFile.empty() || !files::file_exists(std::string(sFile))) return false;
        try {
            TipList = ReadTipLines(files::read_file_bytes(std::string(sFile)));
        } catch (const vb::Error&) {
            // An unreadable file gives no tips.
        }
    }
    // Round(Rnd * n): a start of 0 and a start of n both lead to tip 1, which is so a little likelier.
    CurrentTip = static_cast<long>(vb::RoundHalfEven(app.host.Rnd() * static_cast<double>(TipList.size())));
    AdvanceTip();
    return true;
}

void frmTip::AdvanceTip() {
    if (TipList.empty()) return;
    CurrentTip = CurrentTip + 1;
    if (CurrentTip > static_cast<long>(TipList.size())) CurrentTip = 1;
    Label3.Caption = std::to_string(CurrentTip) + "/" + std::to_string(TipList.size());
    DisplayCurrentTip();
}

void frmTip::DisplayCurrentTip() {
    if (!TipList.empty()) lblTipText.Caption = TipList[static_cast<std::size_t>(CurrentTip - 1)];
}

void frmTip::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, true, false);
}

void frmTip::Form_DblClick() {
    ToggleRollUp(*this, rollUp, RollUpAxis::Height);
}

void frmTip::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void frmTip::Label2_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void frmTip::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) mnuHelp_Click(app);
}

void frmTip::cmdNextTip_Click() {
    AdvanceTip();
}

void frmTip::chkLoadTipsAtStartup_Click() {
    try {
        app.Settings.SaveSetting(SettingsApp, OptionsSection, ShowTipsKey,
                                 chkLoadTipsAtStartup.Value == ui::vbChecked ? "1" : "0");
    } catch (const vb::Error&) {
        // The value stays set and goes out with the next write of the settings.
    }
}

void frmTip::cmdOK_Click() {
    Unload();
}

} // namespace vexolan
