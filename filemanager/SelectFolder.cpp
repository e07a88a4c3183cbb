#include "filemanager/SelectFolder.hpp"

#include "filemanager/refresh.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/help.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

SelectFolder::SelectFolder(App& app) : ui::Window(app.host, "SelectFolder"), app(app) {
    add(Combo1, "Combo1");
    add(Command1, "Command1");
    add(Command2, "Command2");
    add(Command3, "Command3");
    add(Check2, "Check2");

    BorderStyle = ui::vbBSNone;
    ControlBox = false;
    Caption = "Select Folder";
    Width = 5388;
    Height = 1272;
    Combo1.Move(192, 288, 3372, 315);
    Command1.Caption = "Select Folder";
    Command1.Move(3552, 288, 1260, 300);
    Command2.Caption = "Ok";
    Command2.Default = true;
    Command2.Move(3456, 864, 876, 300);
    Command3.Caption = "Cancel";
    Command3.Cancel = true;
    Command3.Move(4416, 864, 876, 300);
    Check2.Caption = "Automatically create sub folder(s)";
    Check2.Move(384, 960, 3036, 204);
    Check2.Visible = false;
    KeyPreview = true;

    Activate = [this] { Form_Activate(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    MouseDown = [this](int Button, int Shift, float X, float Y) { Form_MouseDown(Button, Shift, X, Y); };
    KeyUp = [this](int& KeyCode, int& Shift) { Form_KeyUp(KeyCode, Shift); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
}

void SelectFolder::SetFirstEntry(std::string_view FirstEntry) {
    firstEntry_ = std::string(FirstEntry);
}

void SelectFolder::SetNoChange() {
    noChange_ = true;
}

void SelectFolder::Form_Activate() {
    Form1& f = app.form1();
    const int active = f.Switchy, passive = 1 - f.Switchy;
    auto step = [](auto&& action) {
        try {
            action();
        } catch (const vb::Error&) {
        }
    };
    std::string passiveFolder, activeFolder;
    step([&] { passiveFolder = files::with_separator(f.Dir1[passive].Path); });
    step([&] { activeFolder = files::with_separator(f.Dir1[active].Path); });
    step([&] { Combo1.Clear(); });
    if (!firstEntry_.empty()) {
        step([&] { Combo1.AddItem(firstEntry_); });
        firstEntry_.clear();
    }
    step([&] { Combo1.AddItem(passiveFolder); });
    if (activeFolder != passiveFolder) step([&] { Combo1.AddItem(activeFolder); });
    step([&] {
        const ui::ListBox& folders = app.form2().List1[0];
        for (int i = 0; i < folders.ListCount(); ++i)
            Combo1.AddItem(folders.List(i));
    });
    step([&] {
        Combo1.ListIndex = 0;
        Combo1.Text = Combo1.List(0);
    });
}

void SelectFolder::Command1_Click() {
    std::string path = app.form2().GetBrowseDirectory("Please select a folder ...");
    if (path.empty()) return;
    path = files::with_separator(path);
    try {
        Combo1.AddItem(path, 0);
        Combo1.ListIndex = 0;
        Combo1.Text = path;
    } catch (const vb::Error&) {
    }
}

void SelectFolder::Command2_Click() {
    Form1& f = app.form1();
    const int active = f.Switchy, passive = 1 - f.Switchy;
    // Blanks go before the separator is added, so "x " names the folder "x", not "x ".
    std::string text = files::with_separator(vb::Trim(Combo1.Text.get()));
    try {
        Combo1.Text = text;
        if (!files::exists(text)) {
            const int answer = host().MsgBox(text + " doesn't exist!" + "\r" + "Do you want to create it?",
                                             ui::vbYesNo + ui::vbExclamation);
            if (answer != ui::vbYes) return;
            files::make_folder(text);
            if (text.starts_with(files::with_separator(f.Dir1[active].Path))) RefreshFile1(app, active);
        }
        if (!noChange_ && files::with_separator(f.Dir1[passive].Path) != text) {
            // The drive box first: its change would otherwise take the folder box back to the drive.
            f.Drive1[passive].Drive = text;
            f.Dir1[passive].Path = text;
            f.File1[passive].Path = text;
            DrawDirLabel(app, passive);
            RefreshFile1C(app, active);
        }
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
        return;
    }
    noChange_ = false;
    Hide();
}

void SelectFolder::Command3_Click() {
    Hide();
    Combo1.Text = "";
    noChange_ = false;
}

void SelectFolder::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, false, false);
}

void SelectFolder::Form_DblClick() {
    ToggleRollUp(*this, rollUp_, RollUpAxis::Width);
}

void SelectFolder::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void SelectFolder::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "buttonbar.htm");
}

} // namespace vexolan
