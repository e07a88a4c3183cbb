#include "ffeditor/saving.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/sliders.hpp"
#include "ffeditor/transfer.hpp"
#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/refresh.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "imaging/handles.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/status.hpp"

#include <array>

namespace vexolan {

namespace {

// The extension of each entry of the save-format box.
constexpr std::array<std::string_view, 5> SaveExtensions{".8bf", ".prm", ".afs", ".pff", ".txt"};
constexpr std::array<std::string_view, 5> DefaultCaptions{"Filename", "Category", "Filtername", "Author", "Copyright"};
constexpr std::array<std::string_view, 4> DefaultCode{"a", "r", "g", "b"};

// The folder the save writes into: the target-folder dialog with the panes' roles swapped (its Ok
// points the pane that was active at the choice), or the active pane's folder when the dialog is
// suppressed. "" when the dialog was cancelled.
std::string target_folder(App& app) {
    Form1& f = app.form1();
    std::string folder;
    if (app.form2().Check4.Value == ui::vbUnchecked) {
        const int active = f.Switchy;
        f.Switchy = 1 - active;
        struct Restore {
            Form1& f;
            int pane;
            ~Restore() { f.Switchy = pane; }
        } restore{f, active};
        SelectFolder& dialog = app.selectFolder();
        dialog.ShowModal();
        folder = dialog.Combo1.Text.get();
        if (folder.empty()) return folder;
    } else {
        folder = f.Dir1[f.Switchy].Path.get();
    }
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

// The writer of format `Index` into `folder`; false when it failed (a compile that refused or
// failed has told the user already, `told` is then set).
bool write_format(App& app, int Index, std::string folder, bool& told) {
    Form1& f = app.form1();
    switch (Index) {
    case 0: {
        const ff::CompileResult r = ff::Write8bf(app.FF, folder, false, false, app.FFCompileOptions());
        app.ScanValid[f.Switchy] = false;
        told = r == ff::CompileResult::Refused || r == ff::CompileResult::Failed;
        return r == ff::CompileResult::Written || r == ff::CompileResult::NothingWritten;
    }
    case 1:
        if (!app.form2().Combo2[1].Text.get().empty()) {
            ff::WritePRM(folder);
            app.ScanValid[f.Switchy] = false;
        }
        return true;
    case 2:
        // A failed write has been told by the writer itself.
        told = !ff::Writeafspff(app.FF, folder, 0);
        return !told;
    case 3:
        ff::Writeafspff(app.FF, folder, 1);
        return true;
    case 4:
        told = !ff::WriteTXT(app.FF, folder, true);
        return !told;
    default:
        return true;
    }
}

} // namespace

void SaveFilterAs(App& app, int Index) {
    FFEditorType1& e = app.EditorForm();
    Form1& f = app.form1();
    try {
        const std::string given = e.Label6[0].Caption.get();
        if (given.empty() || given == "Filename") {
            app.host.MsgBox("Filename isn't specified!", ui::vbExclamation, "Error");
            return;
        }
        const std::string folder = target_folder(app);
        if (folder.empty()) return;
        EditorToFilter(app);
        app.FF.pFlag = true;

        // The name is the text before the first "." with the format's extension. Only its last
        // path component counts, so that a typed or loaded name cannot lead the file out of the
        // chosen folder.
        const std::string safe = ff::SafeFileName(given);
        std::string base = safe.substr(0, safe.find('.'));
        if (base.empty()) base = "-NoName";
        const std::string extension = Index >= 0 && Index < 5 ? std::string(SaveExtensions[Index]) : std::string();
        const std::string name = base + extension;
        e.Label6[0].Caption = name;
        app.FF.Record.Filename = name;

        const int answer = OverwriteCheck(app, "", folder + name);
        OverwriteCheck(app, "", "");
        if (answer != OverwriteGo) return;

        bool told = false;
        const bool written = write_format(app, Index, folder, told);
        // Whatever the writer did in the folder, a Plugin View that shows it scans again.
        f.FolderChanged(folder);
        if (!written && !told) throw vb::Error(75, "The filter could not be written to " + folder + name);
        RefreshFile1(app, f.Switchy);
    } catch (const vb::Error& err) {
        // A writer's failure is told; the file it wrote over is left whole by the writers.
        app.Err.Raise(err);
        ErrorMessage(app);
    }
}

void ResetFilter(App& app) {
    AskResetFilter(app);
}

bool AskResetFilter(App& app) {
    FFEditorType1& e = app.EditorForm();
    if (app.host.MsgBox("Delete the current filter?", ui::vbOKCancel, "Attention") != ui::vbOK) return false;
    vb::ResumeNext([&] { e.Enabled = false; });
    for (std::size_t k = 0; k < 5; ++k)
        vb::ResumeNext([&] { e.Label6[k].Caption = std::string(DefaultCaptions[k]); });
    for (std::size_t k = 0; k < 4; ++k)
        vb::ResumeNext([&] { e.Text5[k].Text = std::string(DefaultCode[k]); });
    for (std::size_t i = 0; i < 8; ++i) {
        vb::ResumeNext([&] { e.HScroll1[i].Value = 0; });
        vb::ResumeNext([&] { SetSliderKnob(app, 0, static_cast<int>(i)); });
        vb::ResumeNext([&] { e.HScroll1[i].Visible = false; });
        vb::ResumeNext([&] { e.Picture2[i].Visible = false; });
        vb::ResumeNext([&] { e.Picture3[i].Visible = false; });
        vb::ResumeNext([&] { e.Label7[i].Caption = ""; });
        vb::ResumeNext([&] { e.Label1[i].Caption = "0"; });
        vb::ResumeNext([&] { e.Label1[i].Visible = false; });
    }
    for (std::size_t j = 0; j < 4; ++j)
        vb::ResumeNext([&] { e.Check1[j].Value = ui::vbUnchecked; });
    vb::ResumeNext([&] { e.Enabled = true; });
    vb::ResumeNext([&] {
        e.Picture1.Cls();
        DrawImg(app, app.PreviewImage, e.Picture1);
    });
    return true;
}

} // namespace vexolan
