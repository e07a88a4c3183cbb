#include "filemanager/OverwriteCheck.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/help.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

namespace {

// "name  (123 bytes, 12/9/2026 4:15:16 AM)". A file that has gone meanwhile shows "?" for what
// cannot be read.
std::string file_line(std::string_view path) {
    std::string length = "?";
    std::string date = "?";
    try {
        length = std::to_string(files::file_length(std::string(path)));
        date = vb::GeneralDate(files::file_date(std::string(path)));
    } catch (const vb::Error&) {
    }
    return std::string(path) + "  (" + length + " bytes, " + date + ")";
}

} // namespace

Overwrite::Overwrite(App& app) : ui::Window(app.host, "Overwrite"), app(app) {
    add(Label4, "Label4");
    add(Label1, "Label1");
    add(Label2, "Label2");
    add(Label3, "Label3");
    add(Command1, "Command1");
    BorderStyle = ui::vbBSNone;
    ControlBox = false;
    Caption = "Overwrite";
    Width = 5868;
    Height = 1848;
    // The title on the bar is as wide as its text.
    Label4.AutoSize = true;
    Label4.Caption = "Overwrite";
    Label4.Move(96, 24);
    Label1.Move(96, 384, 5676, 204);
    Label2.Caption = "With: ";
    Label2.Move(96, 672, 780, 204);
    Label3.Move(96, 960, 5676, 204);
    static constexpr std::array<std::string_view, 5> Captions{"Overwrite", "Ignore", "Overwrite All", "Ignore All",
                                                              "Cancel"};
    static constexpr std::array<int, 5> Lefts{96, 1248, 2400, 3552, 4704};
    for (int i = 0; i < 5; ++i) {
        Command1[i].Caption = std::string(Captions[i]);
        Command1[i].Move(Lefts[i], 1440, 1068, 300);
        Command1[i].Click = [this, i] { Command1_Click(i); };
    }
    Command1[0].Default = true;
    Command1[4].Cancel = true;
    DblClick = [this] { Form_DblClick(); };
    KeyUp = [this](int& KeyCode, int& Shift) { Form_KeyUp(KeyCode, Shift); };
    MouseDown = [this](int Button, int Shift, float X, float Y) { Form_MouseDown(Button, Shift, X, Y); };
    for (ui::Label* label : {&Label1, &Label2, &Label3, &Label4})
        label->MouseDown = [this](int Button, int Shift, float X, float Y) { Form_MouseDown(Button, Shift, X, Y); };
    Paint = [this] { Form_Paint(); };
}

void Overwrite::Command1_Click(int Index) {
    OverwriteResult = Index;
    Hide();
}

void Overwrite::Form_DblClick() {
    ToggleRollUp(*this, rollUp_, RollUpAxis::Height);
}

void Overwrite::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "buttonbar_Convert.htm");
}

void Overwrite::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void Overwrite::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, true, false);
}

int OverwriteCheck(App& app, std::string_view OrigFile, std::string_view OverFile) {
    if (OrigFile.empty() && OverFile.empty()) {
        app.OverwriteRemembered = 0;
        return OverwriteGo;
    }
    // Any existing file counts, hidden ones too: only an absent target (or a folder, which no writer
    // can replace) goes without a question.
    const std::string target(OverFile);
    if (OverFile.empty() || !files::exists(target) || files::folder_exists(target)) return OverwriteGo;
    if (app.OverwriteRemembered == 2) return OverwriteGo;
    if (app.OverwriteRemembered == 3) return OverwriteSkip;

    Overwrite& w = app.overwrite();
    w.Label1.Caption = file_line(OverFile);
    if (OrigFile.empty()) {
        w.Label3.Caption = "";
        w.Label3.Visible = false;
        w.Label2.Visible = false;
        w.Label1.Caption = w.Label1.Caption.get() + " ?";
    } else {
        w.Label3.Caption = file_line(OrigFile) + " ?";
        w.Label2.Visible = true;
        w.Label3.Visible = true;
    }
    // A window closed without a button counts as Cancel.
    w.OverwriteResult = OverwriteCancelBatch;
    w.ShowModal();
    app.form1().Refresh();

    const int answer = w.OverwriteResult;
    app.OverwriteRemembered = answer;
    switch (answer) {
    case 0:
    case 2:
        return OverwriteGo;
    case 1:
    case 3:
        return OverwriteSkip;
    default:
        return OverwriteCancelBatch;
    }
}

} // namespace vexolan
