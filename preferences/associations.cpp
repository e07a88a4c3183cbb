// File associations: Vexolan becomes the program that opens Filter Factory plug-ins and sources when
// the user double-clicks them. On the Linux desktop that is a desktop entry for the program, a file
// type per extension in the user's shared MIME database, and that type's default program in
// mimeapps.list, all under $XDG_DATA_HOME.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "platform/values/values.hpp"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace vexolan {

namespace {

// The desktop entry of the program: "vexolan.desktop".
constexpr std::string_view DesktopId = "vexolan";

struct FileType {
    std::string_view Extension;
    std::string_view MimeType;
    std::string_view Comment;
};

// The extensions of Check18(0..4), in that order.
constexpr std::array<FileType, 5> FileTypes{{
    {".8bf", "application/x-8bf", "Photoshop filter plug-in"},
    {".prm", "application/x-prm", "Premiere plug-in"},
    {".ffl", "application/x-ffl", "Filter Factory library"},
    {".afs", "application/x-afs", "Filter Factory settings"},
    {".pff", "application/x-pff", "Filter Factory settings (PFF)"},
}};

FileType file_type_of(std::string_view extension) {
    for (const auto& t : FileTypes)
        if (vb::EqualsNoCase(t.Extension, extension)) return t;
    return {};
}

// The file types the desktop entry already names: those of earlier associations.
std::vector<std::string> associated_types() {
    std::vector<std::string> types;
    std::string path =
        files::join_path(files::join_path(files::data_home(), "applications"), std::string(DesktopId) + ".desktop");
    std::string text;
    try {
        if (!files::file_exists(path)) return types;
        text = files::read_file_bytes(path);
    } catch (const vb::Error&) {
        return types;
    }
    std::size_t at = text.find("\nMimeType=");
    if (at == std::string::npos) return types;
    at += 10;
    std::size_t end = text.find('\n', at);
    std::string_view list = std::string_view(text).substr(at, end == std::string::npos ? std::string::npos : end - at);
    while (!list.empty()) {
        std::size_t semi = list.find(';');
        std::string_view one = list.substr(0, semi);
        if (!one.empty()) types.emplace_back(one);
        if (semi == std::string_view::npos) break;
        list.remove_prefix(semi + 1);
    }
    return types;
}

} // namespace

bool Form2::AssociateExtension(std::string_view Extension) {
    if (Extension.size() < 2 || Extension[0] != '.' || Extension.find('/') != std::string_view::npos) return false;
    FileType known = file_type_of(Extension);
    std::string suffix = vb::LCase(Extension.substr(1));
    std::string mimeType = known.MimeType.empty() ? "application/x-" + suffix : std::string(known.MimeType);
    std::string comment = known.Comment.empty() ? std::string(Extension) + " file" : std::string(known.Comment);

    // The program, opening the one file it is given. The desktop entry names only the types the
    // user associated: the desktop takes a program that names a type as a candidate for it even
    // without a default.
    desktop::DesktopEntry entry;
    entry.Id = std::string(DesktopId);
    entry.Name = "Vexolan";
    entry.Command = {desktop::program_path()};
    entry.MimeTypes = associated_types();
    if (std::find(entry.MimeTypes.begin(), entry.MimeTypes.end(), mimeType) == entry.MimeTypes.end())
        entry.MimeTypes.push_back(mimeType);
    if (entry.Command[0].empty()) return false;
    try {
        desktop::write_desktop_entry(entry);
    } catch (const vb::Error&) {
        return false;
    }
    try {
        desktop::register_mime_types("vexolan-" + suffix, {{mimeType, comment, {"*" + vb::LCase(Extension)}}});
        desktop::set_default_application(mimeType, DesktopId);
    } catch (const vb::Error&) {
        return false;
    }
    return true;
}

void Form2::Command13_Click() {
    MousePointer = ui::vbHourglass;
    bool all = true;
    for (std::size_t i = 0; i < FileTypes.size(); ++i)
        if (Check18[i].Value == ui::vbChecked && !AssociateExtension(FileTypes[i].Extension)) all = false;
    MousePointer = ui::vbDefault;
    // A write that failed is said, never reported as done.
    if (all)
        host().MsgBox("The associations were set.", ui::vbInformation);
    else
        host().MsgBox("The associations could not be set.", ui::vbExclamation);
}

} // namespace vexolan
