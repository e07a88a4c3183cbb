// The plug-in list: one line per filter of the selected plug-in files, as text or semicolon-separated
// values, sorted, into a file in the other pane's folder or onto the clipboard.

#include "catalogue/commands.hpp"

#include "catalogue/Form4.hpp"
#include "catalogue/readers.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/refresh.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"

namespace vexolan {

namespace {

bool checked(const ui::CheckBox& box) {
    return box.Value == ui::vbChecked;
}

// The line of the record in the columns chosen in the options dialog, ending in CR LF.
std::string ListLine(const Form4& options, ff::FilterRecord& r, const std::string& path) {
    // Plug-ins named through their resources carry no file name of their own.
    if (r.Filename.empty()) r.Filename = GetFileName(path);
    std::string line;
    if (checked(options.Check7)) {
        r.Category = vb::Trim(r.Category);
        std::string title = r.Title;
        if (title.size() >= 3 && title.compare(title.size() - 3, 3, "...") == 0) title.resize(title.size() - 3);
        line = vb::Trim(title) + ";" + r.Category + ";" + vb::Trim(r.Author) + ";" + ";freeware;";
    } else {
        if (checked(options.Check1)) line += r.Category + ": ";
        if (checked(options.Check2)) line += r.Title;
        if (checked(options.Check3)) line += " (" + r.Filename + ")";
        if (checked(options.Check4) && !r.Author.empty()) line += " by " + r.Author;
        if (checked(options.Check5) && !r.Copyright.empty()) line += ", " + r.Copyright;
    }
    return line + "\r\n";
}

} // namespace

void cmd_PlugInList(App& app) {
    Form1& f = app.form1();
    const int pane = f.Switchy;
    std::vector<std::string> items;
    if (!GetSelectedItems(app, items, pane)) {
        app.host.MsgBox("Please select one or more plugin files.", ui::vbExclamation);
        return;
    }
    Form4& options = app.form4();
    // The defaults are applied once per showing, never by a repaint behind the user's back.
    options.Load();
    options.ApplyShowDefaults();
    app.DialogOK = false;
    options.ShowModal();
    if (!app.DialogOK) return;
    app.host.DoEvents();

    const bool toClipboard = checked(options.Check6);
    if (!toClipboard && !checked(app.form2().Check4)) {
        SelectFolder& target = app.selectFolder();
        target.ShowModal();
        if (target.Combo1.Text.get().empty()) {
            f.MousePointer = ui::vbDefault;
            return;
        }
    }
    f.MousePointer = ui::vbHourglass;
    const int other = 1 - pane;
    const std::string output = files::join_path(files::with_separator(f.Dir1[other].Path), options.Text1.Text.get());

    const bool Silent = !checked(options.Check4) && !checked(options.Check5);
    ff::FilterRecord& r = app.FF.Record;
    f.ArrayList.Clear();
    auto add = [&](const std::string& path) { f.ArrayList.AddItem(ListLine(options, r, path)); };
    auto add_filters = [&](const std::string& path, const catalogue::PluginInfoList& list) {
        for (const auto& filter : list) {
            ff::IniVars(r);
            r.Category = filter.Category;
            r.Title = filter.Title;
            add(path);
        }
    };
    for (const auto& path : items) {
        if (path.empty()) continue; // an entry of the host's own filters names no file
        ff::IniVars(r);
        std::string folder = GetPathName(path);
        const std::string name = GetFileName(path);
        const std::string ext = vb::LCase(path.size() >= 4 ? path.substr(path.size() - 4) : path);
        try {
            if (ext == ".8bf" || ext == "._bf" || ext == "_8bf") {
                catalogue::PluginInfoList list;
                if (ff::Read8bf(app.FF, folder, name, Silent, false))
                    add(path);
                else if (catalogue::ReadCom8bf(app.FF, path, list))
                    add_filters(path, list);
                else {
                    ff::IniVars(r);
                    add(path);
                }
            } else if (ext == ".prm" || ext == "._rm" || ext == "_prm") {
                if (!ff::Readprm(app.FF, folder, name, Silent, false)) {
                    std::string cy, fy;
                    std::int32_t placy = 0, room = 0;
                    catalogue::ReadComprm(path, cy, fy, placy, room);
                    r.Category = cy;
                    r.Title = fy;
                }
                add(path);
            } else if (ext == ".aex" || ext == "._ex" || ext == "_aex") {
                catalogue::PluginInfoList list;
                if (catalogue::ReadCom8bf(app.FF, path, list)) add_filters(path, list);
            }
        } catch (const vb::Error&) {
            // A file that cannot be read adds no line; the others are listed.
        }
    }

    std::string all;
    for (int j = 0; j < f.ArrayList.ListCount(); ++j)
        all += f.ArrayList.List(j);
    f.ArrayList.Clear();
    if (!toClipboard) {
        // The old list is replaced only by a complete new one.
        try {
            files::replace_file(output, vb::Utf8ToCp1252(all));
        } catch (const vb::Error&) {
            app.host.MsgBox("Couldn't write " + output, ui::vbExclamation);
        }
    } else {
        app.host.ClearClipboard();
        app.host.SetClipboardText(all);
    }
    RefreshFile1C(app, pane);
    f.MousePointer = ui::vbDefault;
}

} // namespace vexolan
