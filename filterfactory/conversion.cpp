#include "filterfactory/conversion.hpp"

#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/refresh.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/batch.hpp"
#include "filterfactory/bytes.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/library.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/rewrite.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"
#include "shell/status.hpp"

#include "platform/fs/files.hpp"

#include <string>
#include <vector>

namespace vexolan {

namespace {

// A replacement that could not take its old file's place at the end of the batch: the old file is
// kept whole; the user is told which one.
void report_batch_failures(App& app, const std::vector<files::BatchFailure>& failures) {
    for (const files::BatchFailure& failure : failures)
        app.host.MsgBox(NotWrittenMessage(failure.Error, failure.Path), ui::vbExclamation);
}

// The clipboard text passes through this file of the application folder to the text reader.
constexpr std::string_view ClipboardSource = "Temp.txt";

// Puts the normal pointer back however the command ends.
class PointerGuard {
public:
    explicit PointerGuard(Form1& f) : f_(f) { f_.MousePointer = ui::vbHourglass; }
    ~PointerGuard() {
        try {
            f_.MousePointer = ui::vbDefault;
        } catch (const vb::Error&) {
        }
    }
    PointerGuard(const PointerGuard&) = delete;
    PointerGuard& operator=(const PointerGuard&) = delete;

private:
    Form1& f_;
};

bool select_folder_suppressed(App& app) {
    return app.form2().Check4.Value == ui::vbChecked;
}

// With "Use Filter Name as File Name" the output is named after the title without ".", "\", "/", ":"
// and blanks; a title with nothing left keeps the item's own name, so no nameless file is written.
void apply_title_option(App& app, std::string_view itemName) {
    if (app.convertDialog().Check2.Value != ui::vbChecked) return;
    ff::FilterRecord& r = app.FF.Record;
    std::string title = r.Title;
    std::string cleaned = ff::RemoveChars(title);
    r.Filename = cleaned.empty() ? std::string(itemName) : cleaned;
}

// The output name of the current filter in `DestType`, as the writers name it.
std::string output_name(App& app, int DestType, const ff::CompileOptions& options) {
    return ff::GetFilname(DestType, app.FF.Record.Filename, options.TemplateChoice == ff::CompileOptions::Macintosh);
}

// Reads the current filter from the clipboard text and writes it into the other pane's folder.
void convert_clipboard(App& app, int DestType, int active) {
    Form1& f = app.form1();
    Convert& dialog = app.convertDialog();
    if (!select_folder_suppressed(app)) {
        SelectFolder& target = app.selectFolder();
        target.ShowModal();
        if (target.Combo1.Text.get().empty()) return;
    }
    const std::string text = app.host.ClipboardText();
    if (text.empty()) return;

    const std::string appFolder = files::with_separator(files::app_folder());
    const std::string source = appFolder + std::string(ClipboardSource);
    bool cancelled = false;
    try {
        files::replace_file(source, vb::Utf8ToCp1252(text) + "\r\n");
        if (ff::ReadTXT(app.FF, appFolder, ClipboardSource, false, false)) {
            const ff::CompileOptions options = app.FFCompileOptions();
            const std::string dest = files::with_separator(f.Dir1[1 - active].Path);
            apply_title_option(app, ClipboardSource);
            const int answer = OverwriteCheck(app, "", dest + output_name(app, DestType, options));
            if (answer == OverwriteCancelBatch)
                cancelled = true;
            else if (answer == OverwriteGo)
                ff::WriteCurrent(app.FF, DestType, dest, options);
        }
    } catch (const vb::Error& e) {
        app.Err.Raise(e);
        ErrorMessage(app);
    }
    // The temporary file never outlives the command, a cancelled one included.
    try {
        if (files::exists(source)) files::delete_file(source);
    } catch (const vb::Error&) {
    }
    if (!cancelled) {
        RefreshFile1(app, active);
        dialog.Check1.Value = ui::vbUnchecked;
    }
    // The file went into the other pane's folder: show it there too.
    RefreshFile1C(app, active);
    OverwriteCheck(app, "", "");
}

} // namespace

void cmd_Convert(App& app, int DestType) {
    Form1& f = app.form1();
    const bool fromClipboard = app.convertDialog().Check1.Value == ui::vbChecked;
    if (app.PaneMode[f.Switchy] == 3 && !fromClipboard) {
        ff::cmd_Extract(DestType, true);
        return;
    }
    PointerGuard pointer(f);
    const int active = f.Switchy;
    const int other = 1 - active;

    if (fromClipboard) {
        convert_clipboard(app, DestType, active);
        return;
    }

    if (app.PaneMode[active] != 1 && app.PaneMode[active] != 2) return;
    std::vector<std::string> items;
    if (!GetSelectedItems(app, items, active)) return;

    SelectFolder& target = app.selectFolder();
    if (!select_folder_suppressed(app)) {
        target.Check2.Visible = true;
        target.ShowModal();
        target.Check2.Visible = false;
        if (target.Combo1.Text.get().empty()) return;
    }
    const std::string dest = files::with_separator(f.Dir1[other].Path);
    // The box keeps its value while the dialog is suppressed, and counts all the same.
    const bool subFolders = target.Check2.Value == ui::vbChecked;
    const ff::CompileOptions options = app.FFCompileOptions();
    const auto iniTime = app.host.SteadyNow();
    const long total = static_cast<long>(items.size());

    ConversionBatch batch(app);
    // The outputs go to disk as one batch: one sync for all the files that replace old ones, done
    // before any of them takes an old file's place (see files::WriteBatch).
    files::WriteBatch writes;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (app.host.KeyDown(ui::vbKeyEscape) || batch.Cancelled()) break;
        const std::string& item = items[i];
        batch.SetItem(item);
        bool stop = false;
        try {
            if (ff::EndsWithNoCase(item, ".ffl")) {
                std::string folder = dest;
                if (subFolders) {
                    std::string name = GetFileName(item);
                    folder = dest + name.substr(0, name.size() - 4) + "/";
                }
                ff::Convertffl(app, item, folder, DestType, batch);
            } else if (ff::ReadFFfile(app.FF, item)) {
                apply_title_option(app, GetFileName(item));
                const std::string targetFile = dest + output_name(app, DestType, options);
                const int answer = batch.MayWrite(item, targetFile);
                if (answer == OverwriteCancelBatch)
                    stop = true;
                else if (answer == OverwriteGo && ff::WriteCurrent(app.FF, DestType, dest, options))
                    batch.Written(targetFile);
            } else if (!batch.Cancelled()) {
                // A file larger than any source of its kind was refused unread: its size says why.
                const std::uint64_t refused = app.FF.RefusedLength;
                batch.Unreadable(GetFileName(item) + (refused ? " (" + ff::SizeText(refused) + ")" : std::string()));
            }
        } catch (const vb::Error& e) {
            app.Err.Raise(e);
            if (ErrorMessage2(app) != ui::vbYes) {
                StatusDisplayClear(app);
                return;
            }
        }
        if (stop) break;
        StatusDisplay(app, static_cast<long>(i + 1), total, iniTime);
    }
    batch.SetItem("");
    report_batch_failures(app, writes.commit());

    RefreshFile1C(app, active);
    StatusDisplayClear(app);
    OverwriteCheck(app, "", "");
    app.ScanValid[other] = false;
    f.FolderChanged(dest);
    if (app.PaneMode[other] == 2) f.SSTab1_Click(other);
    batch.Finish();
}

} // namespace vexolan
