// Text that another program owns (xclip) pasted into text boxes on a real screen, and selections
// made to the left with the keyboard: Create Folder's box makes the folder the user sees (the first
// line of a pasted text, a middle-button paste of the primary selection, a selection grown to the
// left and typed over); an editor code box holds the pasted formula in the model, keeps both lines
// of a pasted text, and Save writes what it holds; Convert reads a filter source from the clipboard
// and writes its plug-in. Checked on the disk and on the model.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/saving.hpp"
#include "filemanager/open_by_type.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/text_source.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "tests/screen/editor_screen.hpp"
#include "tests/screen/paste_support.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include <FL/Fl.H>
#include <FL/x.H>

#include <fstream>
#include <optional>
#include <sstream>

using namespace vexolan;
using test_support::Driver;
using test_support::ForeignSelection;
using test_support::ModelWatch;
using test_support::wait_ready;

namespace {

std::string Names(const std::filesystem::path& folder) {
    std::string out;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        out += " [" + entry.path().filename().string() + "]";
    return out;
}

// One thing the user does in a box: what another program owns first (none when `Selection` is
// empty), the keys, the text the box then holds in the model.
struct Paste {
    std::string Selection;
    std::string Owned;
    std::string Keys;
    std::string Entry;
};

struct PasteSelectScreen : test_support::EditorScreenTest {
    test_support::TempDir data{"paste"};

    PasteSelectScreen() {
        data.write("amount.txt", "Category: Screen\r\nTitle: Amount\r\nR:r\r\nG:g\r\nB:b\r\nA:a\r\n");
        list_folder(data.path());
    }
};

} // namespace

TEST_F(PasteSelectScreen, CreateFolderMakesWhatWasPastedOrTypedOverASelectionToTheLeft) {
    NEED_XCLIP();
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    Form3& box = app.form3();
    const std::string click2 =
        "xdotool mousemove --window \"$box\" " + test_support::middle_of(box.Text1) + " click 2\n";
    const std::vector<Paste> rows{
        {"clipboard", "Zürich日本", "xdotool key ctrl+a ctrl+v\n", "Zürich日本"},
        {"clipboard", "Erste\nZweite", "xdotool key ctrl+a ctrl+v\n", "Erste"},
        {"primary", "Mitte", "xdotool key End BackSpace BackSpace BackSpace\n" + click2, "Mitte"},
        {"", "",
         "xdotool key ctrl+a\nxdotool type abcde\nxdotool key End shift+Left shift+Left shift+Left\n"
         "xdotool type X\n",
         "abX"},
        {"", "", "xdotool key ctrl+a\nxdotool type abcde\nxdotool key End shift+Left shift+Home\nxdotool type Y\n",
         "Y"},
    };
    for (const Paste& row : rows) {
        SCOPED_TRACE("Create Folder: " + row.Entry);
        std::optional<ForeignSelection> owner;
        if (!row.Selection.empty()) owner.emplace(*this, row.Selection, row.Owned);
        ModelWatch watch([&] { return box.Visible && box.Text1.Text.get() == row.Entry; }, root / "ready");
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool key shift+F7\n"
                           "box=$(find_window '^Vexolan - Input$')\nfocus \"$box\"\n" +
                               row.Keys + wait_ready(watch.ready) + "xdotool key Return\ngone '^Vexolan - Input$'\n");
        user.finish();
        EXPECT_TRUE(pump_until([&] { return std::filesystem::is_directory(data / row.Entry); }, 5))
            << Names(data.path());
    }
}

TEST_F(PasteSelectScreen, ACodeBoxHoldsWhatWasPastedOrTypedOverASelectionToTheLeftAndSaveWritesIt) {
    NEED_XCLIP();
    f.Show();
    f.Switchit(0);
    ASSERT_NO_FATAL_FAILURE(open_in_editor("amount.txt"));
    ui::TextBox& code = e.Text5[1]; // the red channel's formula
    const std::vector<Paste> rows{
        {"clipboard", "255-r", "xdotool key ctrl+a ctrl+v\n", "255-r"},
        {"clipboard", "r+\n10", "xdotool key ctrl+a ctrl+v\n", "r+\r\n10"},
        {"", "",
         "xdotool key ctrl+a\nxdotool type abcde\nxdotool key End shift+Left shift+Left shift+Left\n"
         "xdotool type X\n",
         "abX"},
        {"", "",
         "xdotool key ctrl+a\nxdotool type 'abc def'\nxdotool key End shift+Left ctrl+shift+Left\n"
         "xdotool type X\n",
         "abc X"},
        {"clipboard", "g*2", "xdotool key ctrl+a ctrl+v\n", "g*2"},
    };
    for (const Paste& row : rows) {
        SCOPED_TRACE("code box: " + row.Entry);
        std::optional<ForeignSelection> owner;
        if (!row.Selection.empty()) owner.emplace(*this, row.Selection, row.Owned);
        code.Visible = true;
        code.Text = "old";
        Driver user(*this, "id=$(find_window '^Filter Factory Editor')\nfocus \"$id\"\n"
                           "xdotool mousemove --window \"$id\" " +
                               std::to_string(code.Left / 15 + 20) + " " + std::to_string(code.Top / 15 + 10) +
                               " click 1\n" + row.Keys);
        user.finish();
        EXPECT_TRUE(pump_until([&] { return code.Text.get() == row.Entry; }, 5)) << "[" << code.Text.get() << "]";
    }
    // The pasted formula is what Save writes.
    code.Visible = false;
    e.Label6[0].Caption = "Pasted";
    SaveFilterAs(app, 4);
    const std::string saved = test_support::read_file(data / "Pasted.txt");
    EXPECT_NE(saved.find("\r\nR:g*2\r\n"), std::string::npos) << saved;

    // A paste alone starts the typing pause, and the preview then runs the pasted formula: here it
    // tells why the formula does not compile.
    ASSERT_EQ(e.Check2.Value.get(), ui::vbChecked) << "Auto Preview";
    ForeignSelection owner(*this, "clipboard", "(r");
    code.Visible = true;
    code.Text = "r";
    RefreshPreview(app);
    ASSERT_EQ(e.FormulaProblem, "");
    e.Timer1.Enabled = false; // no pause left running from the typing above
    Driver user(*this, "id=$(find_window '^Filter Factory Editor')\nfocus \"$id\"\n"
                       "xdotool mousemove --window \"$id\" " +
                           std::to_string(code.Left / 15 + 20) + " " + std::to_string(code.Top / 15 + 10) +
                           " click 1\nxdotool key ctrl+a ctrl+v\n");
    user.finish();
    EXPECT_TRUE(pump_until([&] { return e.FormulaProblem.starts_with("The R formula does not compile"); }, 6))
        << "[" << code.Text.get() << "] [" << e.FormulaProblem << "]";
}

TEST_F(PasteSelectScreen, ConvertReadsAFilterSourceAnotherProgramCopied) {
    NEED_XCLIP();
    test_support::TempDir target{"target"};
    ff::FilterRecord r = ff_synth::TwirlRecord();
    r.Filename = "Pasted.8bf";
    r.Title = "Pasted";
    ForeignSelection owner(*this, "clipboard", ff::TextSourceBytes(r, nullptr));
    f.Dir1[1].Path = target.path().string();
    app.form2().Check4.Value = ui::vbUnchecked;
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    Convert& dialog = app.convertDialog();
    dialog.Check1.Value = ui::vbChecked;
    // The button bar lies below the main window's menu bar.
    int x = 0, y = 0;
    std::istringstream(test_support::middle_of(f.Command1[0])) >> x >> y;
    const int row = test_support::report_row_of(f.ListView1[0], "amount.txt");
    ASSERT_GT(row, 0);
    Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
                           test_support::report_row_point(host, f.ListView1[0], row) +
                           " click 1\nxdotool mousemove --window \"$id\" " + std::to_string(x) + " " +
                           std::to_string(y + host.MenuHeight()) +
                           " click 1\n"
                           "dlg=$(find_window '^Convert$')\nfocus \"$dlg\"\nxdotool mousemove --window \"$dlg\" " +
                           test_support::middle_of(dialog.Command1) +
                           " click 1\n"
                           "sel=$(find_window '^Select Folder$')\nfocus \"$sel\"\nxdotool key Return\n"
                           "gone '^Select Folder$'\n");
    user.finish();
    EXPECT_TRUE(pump_until([&] { return std::filesystem::exists(target / "Pasted.8bf"); }, 5)) << Names(target.path());
    EXPECT_EQ(dialog.Check1.Value.get(), ui::vbUnchecked);
}
