// Plug-in information: what a plug-in file names itself, what kind it is, and where and how long
// its category field is.

#include "catalogue/commands.hpp"

#include "catalogue/readers.hpp"
#include "filterfactory/bytes.hpp"
#include "filterfactory/layouts.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/selection.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace vexolan {

namespace {

bool one_of(std::uint64_t n, std::initializer_list<std::uint64_t> list) {
    return std::find(list.begin(), list.end(), n) != list.end();
}

std::string hex_upper(std::uint32_t n) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%X", n);
    return buffer;
}

// Whether the editor's Filter Factory readers load the file: a Photoshop Filter Factory plug-in of
// any layout with its signature (Macintosh ones included), or a Premiere Filter Factory or Transition
// Factory plug-in.
bool FilterFactoryLoads(const std::string& path, bool premiere) {
    try {
        const std::string bytes = files::read_file_bytes(path);
        if (!premiere) return ff::FindPluginLayout(bytes) != nullptr;
        ff::FilterRecord scratch;
        if (ff::ReadprmBytes(scratch, bytes, true)) return true;
        ff::IniVars(scratch);
        return ff::ReadTFBytes(scratch, bytes, true);
    } catch (const vb::Error&) {
        return false;
    }
}

std::string filter_lines(const catalogue::PluginInfoList& list) {
    std::string text;
    for (std::size_t j = 0; j < list.size(); ++j) {
        if (j > 0) text += "\r\n";
        text += list[j].Category + ": " + list[j].Title;
    }
    return text;
}

struct Information {
    std::string Label = "Category";
    std::string Type;
    std::string Category, Title;
    std::string Filters;
    std::int64_t Position = 0;
    int Room = 0;
    bool FilterFactory = false; // the Filter Factory readers load the file
};

// Reads the file by its ending; an empty type means the file is unknown.
Information Inspect(App& app, const std::string& path) {
    Information info;
    const std::string name = GetFileName(path);
    const std::size_t n = name.size();
    bool marked = false;
    for (std::size_t k = 2; k <= 4 && k <= n; ++k)
        marked = marked || name[n - k] == '.' || name[n - k] == '_';
    if (!marked) return info;
    const std::uint64_t length = files::file_length(path);
    const std::string three = vb::LCase(name.substr(n - 3));
    std::string folder = GetPathName(path);

    if (three == "8bf" || three == "_bf") {
        catalogue::PluginInfoList list;
        if (!catalogue::ReadCom8bf(app.FF, path, list) || list.empty()) return info;
        if (length == 49152)
            info.Type = "Photoshop Filter Factory 3.04";
        else if (length == 49664)
            info.Type = "Orrin's FF Design (FF 3.04)";
        else if (length == 57344)
            info.Type = "Photoshop Filter Factory 3.0";
        else if (length == 99712 || length == 99840) {
            info.Type = "Macintosh Filter Factory Plugin";
            ff::Read8bf(app.FF, folder, name, false, false);
        } else
            info.Type = "Photoshop Filter Plugin";
        if (list.size() >= 2) {
            info.Type = "Photoshop Multiple Filter Plugin";
        } else {
            info.Position = list[0].CatOffset;
            if (info.Position < 0 && info.Type == "Photoshop Filter Plugin") info.Type = "Photoshop 2.5 Filter Plugin";
        }
        info.Filters = filter_lines(list);
        info.Room = list[0].CatRoom;
        // For a plug-in whose category Change Category writes, the box promises what that command
        // accepts: the letters that fit before the 0 byte that ends the text.
        if (const int letters = CategoryLetters(files::read_file_bytes(path)); letters >= 0) info.Room = letters;
        info.FilterFactory = FilterFactoryLoads(path, false);
    } else if (three == "aex" || three == "_ex") {
        catalogue::PluginInfoList list;
        if (!catalogue::ReadCom8bf(app.FF, path, list) || list.empty()) return info;
        info.Type = "After Effects Plugin";
        info.Filters = filter_lines(list);
        if (list.size() == 1) info.Position = list[0].CatOffset;
        info.Room = list[0].CatRoom;
    } else if (three == "prm" || three == "_rm") {
        std::string cy, fy;
        std::int32_t placy = 0, room = 0;
        if (!catalogue::ReadComprm(path, cy, fy, placy, room)) return info;
        info.Category = cy;
        info.Title = fy;
        info.Position = placy;
        info.Room = std::clamp<std::int32_t>(room, 0, 255);
        if (cy == "[Premiere Video]") {
            info.Label = "Plugin Name";
            info.Type = "Premiere 4.2 Video Plugin";
            if (one_of(length, {50176, 50688, 53248})) {
                info.Type = "Premiere Filter Factory";
                info.Category = "[Premiere FF]";
            }
        } else if (cy == "[Premiere Audio]") {
            info.Label = "Plugin Name";
            info.Type = "Premiere 4.2 Audio Plugin";
        } else if (cy == "[Premiere Transition]") {
            info.Label = "Plugin Name";
            info.Type = "Premiere 4.2 Transition Plugin";
            if (one_of(length, {50688, 51200})) {
                info.Type = "Premiere Transition Factory";
                info.Category = "[Premiere TF]";
            }
        } else {
            info.Type = "Premiere 5.0 Plugin";
        }
        info.FilterFactory = FilterFactoryLoads(path, true);
    } else if (three == "bin") {
        if (length != 99712 && length != 99840) return info;
        if (!ff::Read8bf(app.FF, folder, name, false, false)) return info;
        info.Category = app.FF.Record.Category;
        info.Title = app.FF.Record.Title;
        info.Type = "Macintosh Filter Factory Plugin";
        info.FilterFactory = true;
    } else {
        if (app.form2().List1[3].ListCount() == 0) return info;
        if (catalogue::MatchingPlugType(app.PlugTypes, vb::LCase(name)) < 0) return info;
        std::string cy, fy;
        if (!catalogue::ReadOther8b(app, path, cy, fy)) return info;
        info.Category = cy;
        info.Title = fy;
        info.Type = cy.size() >= 2 ? cy.substr(1, cy.size() - 2) : std::string();
        if (info.Type.empty()) info.Type = cy;
    }
    return info;
}

} // namespace

void cmd_PlugInInformation(App& app) {
    Form1& f = app.form1();
    const int pane = f.Switchy;
    if (app.PaneMode[pane] == 3) {
        app.host.MsgBox("Plugin Information only works in File and Plugin View.", ui::vbExclamation);
        return;
    }
    const std::string path = GetSingleItem(app, pane);
    if (path.empty()) {
        app.host.MsgBox("Please select a plugin or other supported file.", ui::vbExclamation);
        return;
    }
    f.MousePointer = ui::vbHourglass;
    Information info;
    try {
        info = Inspect(app, path);
    } catch (const vb::Error&) {
        info = Information{}; // a file that cannot be read is reported as unknown
    }
    if (info.Type.empty()) {
        app.host.MsgBox(GetFileName(path) + " is an unknown file type or maybe damaged.", ui::vbExclamation);
        f.MousePointer = ui::vbDefault;
        return;
    }
    if (info.Filters.empty()) info.Filters = info.Category + ": " + info.Title;

    // A row of dashes as wide as the widest line in the window's font.
    int widest = 0;
    std::size_t start = 0;
    while (start <= info.Filters.size()) {
        std::size_t end = info.Filters.find("\r\n", start);
        if (end == std::string::npos) end = info.Filters.size();
        widest = std::max(widest, f.TextWidth(std::string_view(info.Filters).substr(start, end - start)));
        start = end + 2;
    }
    std::string dashes;
    do
        dashes += "-";
    while (f.TextWidth(dashes) < widest && dashes.size() < 4096);

    std::string text = info.Filters + "\r\n" + dashes + "\r\n" + "Type: " + info.Type + "\r\n";
    if (info.Room != 0) text += "Max. Category Name: " + std::to_string(info.Room) + " letters\r\n";
    if (info.Position != 0)
        text += info.Label + " at &H" + hex_upper(static_cast<std::uint32_t>(std::llabs(info.Position) - 1)) + "\r\n";
    if (!info.FilterFactory)
        text += "\r\nThis file isn't a Filter Factory plugin\r\nand therefor can't be loaded\r\n"
                "into the Filter Factory Editor.";
    app.host.MsgBox(text, ui::vbInformation, "Plugin Information");
    f.MousePointer = ui::vbDefault;
}

} // namespace vexolan
