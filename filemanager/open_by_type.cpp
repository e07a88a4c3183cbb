#include "filemanager/open_by_type.hpp"

#include "catalogue/commands.hpp"
#include "ffeditor/commands.hpp"
#include "filterfactory/text_source.hpp"
#include "imaging/preview.hpp"
#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"

#include <array>

namespace vexolan {

namespace {

// Filter Factory plug-ins, enabled or disabled, and the source formats the editor reads.
constexpr std::array<std::string_view, 10> EditorEndings{".8bf", "_8bf", "._bf", ".prm", "_prm",
                                                         "._rm", ".afs", ".pff", ".bin", ".ffx"};

std::string last_four_lower(std::string_view name) {
    return vb::LCase(name.size() < 4 ? name : name.substr(name.size() - 4));
}

// A user-defined plug-in type matches by its extension at the end of the name, with "." (enabled)
// or "_" (disabled) just before it.
bool is_defined_plugin(App& app, std::string_view name) {
    if (app.form2().List1[3].ListCount() == 0) return false;
    const std::string lower = vb::LCase(name);
    for (int column = 0; column <= app.PlugTypes.UBound(); ++column) {
        const std::string e = vb::LCase(app.PlugTypes(1, column));
        if (e.empty() || lower.size() <= e.size()) continue;
        if (lower.compare(lower.size() - e.size(), e.size(), e) != 0) continue;
        const char before = lower[lower.size() - e.size() - 1];
        if (before == '.' || before == '_') return true;
    }
    return false;
}

// "Open With": the program the user names gets the file as one argument of its own.
void open_with(App& app, const std::string& path, const std::string& folder) {
    const std::string answer = app.host.OpenWith(path);
    std::vector<std::string> argv = desktop::split_command_line(answer);
    if (argv.empty()) return;
    argv.push_back(path);
    try {
        desktop::start_program(argv, folder);
    } catch (const vb::Error& e) {
        app.host.MsgBox("\"" + argv[0] + "\" could not be started: " + e.description(), ui::vbExclamation);
    }
}

} // namespace

void File1_DblClick(App& app, int Index) {
    Form1& f = app.form1();
    const ui::FileListBox& fileBox = f.File1[Index];
    if (fileBox.ListIndex < 0) return;
    const std::string name = fileBox.List(fileBox.ListIndex);
    if (name.empty()) return;
    const std::string folder = files::with_separator(fileBox.Path);
    const std::string path = folder + name;
    const std::string ext = last_four_lower(name);
    bool source = false;

    try {
        if (ext == ".bmp" || ext == ".jpg") {
            f.MousePointer = ui::vbHourglass;
            int handle = 0;
            vb::ResumeNext([&] { LoadintoPicView(app, path, handle); });
            f.MousePointer = ui::vbDefault;
            return;
        }
        if (ext == ".ffl") {
            f.Command1_Click(0);
            return;
        }
        for (std::string_view ending : EditorEndings) {
            if (ext == ending) {
                f.Timer1.Enabled = false;
                LoadintoFFEditor(app, false, false);
                return;
            }
        }
        if (ext == ".txt") {
            source = true;
            if (ReadTXT(app.FF, f.Dir1[Index].Path.get(), name, true, false)) {
                f.Timer1.Enabled = false;
                LoadintoFFEditor(app, true, false);
                return;
            }
        }
        if (!source) {
            if (is_defined_plugin(app, name)) {
                cmd_PlugInInformation(app);
                return;
            }
            Form2& prefs = app.form2();
            if (ext == ".exe" && prefs.Check10[2].Value == ui::vbChecked) {
                // Added even when it is listed already, as every open of a program is.
                prefs.List1[2].AddItem(path);
                prefs.ListToMenu(2);
            }
        }
    } catch (const vb::Error&) {
        return;
    }

    // Only "no program is associated" has an answer; any other failure of the desktop is silent.
    desktop::OpenResult result = desktop::OpenResult::Failed;
    vb::ResumeNext([&] { result = desktop::open_with_association(path, f.Dir1[Index].Path.get()); });
    if (result == desktop::OpenResult::NoAssociation) open_with(app, path, folder);
}

void mnuFileInformation_Click(App& app) {
    const int pane = app.form1().Switchy;
    std::string name;
    vb::ResumeNext([&] { name = GetSingleItem(app, pane); });
    if (name.empty()) vb::ResumeNext([&] { name = GetSingleFolder(app, pane, false); });
    ShowProperties(app, name);
}

bool ShowProperties(App& app, std::string_view FileName) {
    if (FileName.empty()) return false;
    try {
        const std::string text = desktop::file_information(FileName);
        std::string shown = files::absolute_path(std::string(FileName));
        while (shown.size() > 1 && shown.back() == '/')
            shown.pop_back();
        const std::string title = files::is_root(shown) ? shown : GetFileName(shown);
        app.host.ShowProperties(title + " Properties", text);
        return true;
    } catch (const vb::Error&) {
        return false;
    }
}

} // namespace vexolan
