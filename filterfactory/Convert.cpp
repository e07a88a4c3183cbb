#include "filterfactory/Convert.hpp"

#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/help.hpp"
#include "shell/prefs_link.hpp"

#include "platform/fs/files.hpp"

namespace vexolan {

namespace {

// The Preferences' template for a Premiere format names a file that is there.
bool template_present(App& app, int combo) {
    try {
        const std::string path = app.form2().Combo2[combo].Text;
        return !path.empty() && files::file_exists(path);
    } catch (const vb::Error&) {
        return false;
    }
}

} // namespace

Convert::Convert(App& app) : ui::Window(app.host, "Convert"), app(app) {
    add(Frame1, "Frame1");
    add(Combo1, "Combo1", &Frame1);
    add(Check3, "Check3", &Frame1);
    add(Command3, "Command3", &Frame1);
    add(Frame2, "Frame2");
    add(Check1, "Check1", &Frame2);
    add(Check2, "Check2", &Frame2);
    add(Command1, "Command1");
    add(Command2, "Command2");
    add(Command4, "Command4");

    BorderStyle = ui::vbBSNone;
    ControlBox = false;
    Caption = "Convert";
    Width = 4800;
    Height = 2760;
    KeyPreview = true;

    Frame1.Caption = "Output Format";
    Frame1.Move(480, 96, 4200, 1140);
    Combo1.Style = ui::vbComboDropdownList;
    Combo1.Move(120, 264, 2148, 315);
    for (std::string_view format : ConvertFormats)
        Combo1.AddItem(std::string(format));
    Check3.Caption = "Mac FF Adaption";
    Check3.ToolTipText = "Does some corrections for using the FF code on the Macintosh";
    Check3.Move(120, 744, 2148, 255);
    Command3.Caption = "Output Settings";
    Command3.ToolTipText = "Shows Preferences for selecting a plugin format";
    Command3.Move(2388, 264, 1692, 315);

    Frame2.Caption = "Options";
    Frame2.Move(480, 1320, 4200, 816);
    Check1.Caption = "Use Clipboard as Source";
    Check1.ToolTipText = "Ignore the selected files and read FF source code from the clipboard instead";
    Check1.Move(120, 240, 3960, 255);
    Check2.Caption = "Use Filter Name as File Name";
    Check2.ToolTipText = "Activate, if you dislike 8+3 file names";
    Check2.Move(120, 504, 3960, 255);

    Command1.Caption = "Convert";
    Command1.ToolTipText = "Start conversion process";
    Command1.Default = true;
    Command1.Move(480, 2256, 1188, 330);
    Command2.Caption = "Cancel";
    Command2.Cancel = true;
    Command2.Move(1788, 2256, 1188, 330);
    Command4.Caption = "?";
    Command4.ToolTipText = "Show Help File";
    Command4.Move(4200, 2256, 480, 330);

    Load = [this] { Form_Load(); };
    Paint = [this] { Form_Paint(); };
    DblClick = [this] { Form_DblClick(); };
    KeyUp = [this](int& KeyCode, int& Shift) { Form_KeyUp(KeyCode, Shift); };
    Combo1.Click = [this] { Combo1_Click(); };
    Command1.Click = [this] { Command1_Click(); };
    Command2.Click = [this] { Command2_Click(); };
    Command3.Click = [this] { Command3_Click(); };
    Command4.Click = [this] { Command4_Click(); };

    // The text and .afs writers read the box as the conversion's setting.
    app.FF.MacFFAdaption = [this] { return Check3.Value == ui::vbChecked; };
}

void Convert::Form_Load() {
    Combo1.ListIndex = 0;
}

void Convert::Combo1_Click() {
    const int index = Combo1.ListIndex;
    const bool pluginFormat = index < ff::DestAFS;
    Command3.Enabled = pluginFormat;
    Check3.Enabled = !pluginFormat;
    bool refused = false;
    switch (index) {
    case ff::DestPremiereFF:
        refused = !template_present(app, 1);
        break;
    case ff::DestPremiereTF:
        refused = !template_present(app, 2);
        break;
    case ff::DestPFF:
        refused = true;
        break;
    default:
        break;
    }
    if (!refused) return;
    host().MsgBox("This format is only available in the Pro Edition!", ui::vbExclamation);
    Combo1.ListIndex = 0;
}

void Convert::Command1_Click() {
    const int destType = Combo1.ListIndex;
    Hide();
    cmd_Convert(app, destType);
}

void Convert::Command2_Click() {
    Hide();
}

void Convert::Command3_Click() {
    ShowPreferences(app, 2);
}

void Convert::Command4_Click() {
    ShowHelp(app, "buttonbar_Convert.htm");
}

void Convert::Form_Paint() {
    long thickness = 24;
    GreyscaleBar(*this, thickness, false, false);
}

void Convert::Form_DblClick() {
    ToggleRollUp(*this, rollUp_, RollUpAxis::Width);
}

void Convert::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) Command4_Click();
}

void ShowConvertDialog(App& app) {
    app.convertDialog().ShowModal();
}

} // namespace vexolan
