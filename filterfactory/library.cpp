#include "filterfactory/library.hpp"

#include "filterfactory/compiler.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "filterfactory/rewrite.hpp"
#include "filterfactory/settings_files.hpp"
#include "filterfactory/text_source.hpp"

#include "filemanager/OverwriteCheck.hpp"
#include "filterfactory/batch.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"

#include "platform/fs/files.hpp"

#include <algorithm>
#include <array>
#include <optional>

namespace vexolan::ff {

namespace {

// One entry's 29 lines, as the file's bytes, into the record.
bool fill_entry(FFContext& ff, const std::array<std::string, LibraryEntryLines>& l) {
    FilterRecord& r = ff.Record;
    const auto text = [](std::string_view bytes) { return vb::Cp1252ToUtf8(bytes); };
    // A Windows path names the entry's file by its last part; "//" before the name marks a deleted
    // entry and stays.
    r.Filename = text(l[0]);
    if (!r.Filename.starts_with("//")) r.Filename = NameFromFile(r.Filename);
    ff.pFlag = !EndsWithNoCase(r.Filename, ".prm");
    r.Category = text(l[1]);
    r.Title = text(l[2]);
    r.Author = text(l[3]);
    r.Copyright = (l[4].starts_with('\xA9') ? "Copyright " : "") + text(l[4]);
    for (int m = 0; m < 4; ++m)
        r.MapName[m] = text(l[5 + m]);
    for (int c = 0; c < 8; ++c)
        r.CtlName[c] = text(l[9 + c]);
    for (int c = 0; c < 8; ++c) {
        const double v = vb::RoundHalfEven(vb::Val(l[17 + c]));
        if (v < 0 || v > 255) return false;
        r.CtlValue[c] = static_cast<std::uint8_t>(v);
    }
    r.CodeR = text(l[25]);
    r.CodeG = l[26] == "\"" ? r.CodeR : text(l[26]);
    r.CodeB = l[27] == "\"" ? r.CodeG : text(l[27]);
    r.CodeA = text(l[28]);
    return true;
}

std::string extension_of(std::string_view name) {
    return vb::LCase(name.substr(name.size() >= 4 ? name.size() - 4 : 0));
}

bool is_plugin_extension(std::string_view ext) {
    return ext == ".8bf" || ext == "._bf" || ext == ".bin" || ext == "_8bf";
}

bool is_premiere_extension(std::string_view ext) {
    return ext == ".prm" || ext == "._rm" || ext == "_prm";
}

bool read_premiere(FFContext& ff, std::string& dir, std::string_view name) {
    return Readprm(ff, dir, name, false, true) || ReadTF(ff, dir, name, false);
}

void rewrite_premiere_code(FFContext& ff) {
    for (int k = 0; k < 4; ++k)
        Correctprmcode(ff.Record.Code(k));
    ff.pFlag = true;
}

} // namespace

static_assert(LibraryLeastBound == TextSourceBound && LibraryLeastBound == SettingsFileBound);

std::uint64_t LibraryBound(double count) {
    const double counted = std::clamp(count, 0.0, 99999.0);
    return std::max(LibraryLeastBound, (static_cast<std::uint64_t>(counted) + 1) * LibraryBytesPerEntry);
}

bool ReadFFLEntry(FFContext& ff, TextLines& lines) {
    std::array<std::string, LibraryEntryLines> entry;
    for (auto& line : entry) {
        if (lines.AtEnd()) return false;
        const std::string_view text = lines.Next();
        // No line of a real entry comes near the room of a whole entry: a longer one is no entry (and
        // is not copied).
        if (text.size() > LibraryBytesPerEntry) return false;
        line = text;
    }
    return fill_entry(ff, entry);
}

bool ReadFFLEntryII(FFContext& ff, ByteCursor& file) {
    std::array<std::string, LibraryEntryLines> entry;
    for (auto& line : entry) {
        if (file.AtEnd()) return false;
        line = vb::Utf8ToCp1252(Byt2str(file)); // back to the file's bytes, as the text reader has them
    }
    return fill_entry(ff, entry);
}

void Convertffl(App& app, std::string_view FFLy, std::string Destdir, int DestType, ConversionBatch& batch) {
    FFContext& ff = app.FF;
    if (Destdir.empty() || Destdir.back() != '/') Destdir += '/';
    // A remembered "Overwrite All" or "Ignore All" of an interrupted batch must not reach this one.
    OverwriteCheck(app, "", "");
    const std::string libraryName = GetFileName(FFLy);
    const std::string path(FFLy);
    std::string bytes;
    double n = 0;
    try {
        // The first line and the count, from the file's first bytes, say how large it may be.
        const std::uint64_t length = files::file_length(path);
        if (length > LibraryBound(99999)) {
            batch.Unreadable(libraryName + " (" + SizeText(length) + ")");
            return;
        }
        const std::string head = files::InputFile(path).Read(0, 256);
        if (!files::folder_exists(Destdir)) files::make_folders(Destdir);
        TextLines headLines(head);
        const std::string_view first = headLines.Next();
        if (first != "FFL1.0" && first != "FFL1.1") {
            IniVars(ff.Record);
            batch.ItemError(std::string(FFLy) + " is not a Filter Factory Library File!", ui::vbExclamation,
                            "Format Violation");
            return;
        }
        n = vb::Val(headLines.Next());
        std::uint64_t refused = 0;
        std::optional<std::string> whole = read_bounded_file(path, LibraryBound(n), refused);
        if (!whole) {
            batch.Unreadable(libraryName + " (" + SizeText(refused) + ")");
            return;
        }
        bytes = std::move(*whole);
    } catch (const vb::Error&) {
        batch.Unreadable(libraryName);
        return;
    }
    IniVars(ff.Record);
    TextLines lines(bytes);
    lines.Next(); // the header and the count, read above
    lines.Next();
    const CompileOptions options = app.FFCompileOptions();
    const bool mac = options.TemplateChoice == CompileOptions::Macintosh;
    auto& status = app.form1().Label3;
    for (int i = 1; !lines.AtEnd(); ++i) {
        if (app.host.KeyDown(ui::vbKeyEscape) || batch.Cancelled()) break;
        if (!ReadFFLEntry(ff, lines)) {
            // A cut last entry or a damaged value ends the unpacking.
            batch.Unreadable(libraryName + " (entry " + std::to_string(i) + ")");
            break;
        }
        if (!ff.Record.Filename.starts_with("//")) {
            const std::string target = files::join_path(Destdir, GetFilname(DestType, ff.Record.Filename, mac));
            const int answer = batch.MayWrite("", target);
            if (answer == OverwriteCancelBatch) break;
            if (answer == OverwriteGo && WriteCurrent(ff, DestType, Destdir, options)) batch.Written(target);
        }
        status.Caption = vb::Str(i) + " of " + vb::Str(n);
        status.Refresh();
    }
    OverwriteCheck(app, "", "");
    status.Caption = "";
}

void Convertffl(App& app, std::string_view FFLy, std::string Destdir, int DestType) {
    ConversionBatch batch(app);
    batch.SetItem(FFLy);
    Convertffl(app, FFLy, std::move(Destdir), DestType, batch);
    batch.SetItem("");
    batch.Finish();
}

bool WriteCurrent(FFContext& ff, int DestType, std::string Diry, const CompileOptions& options) {
    switch (DestType) {
    case DestPlugin:
        return Write8bf(ff, Diry, false, false, options) == CompileResult::Written;
    case DestPremiereFF:
        WritePRM(Diry);
        return false;
    case DestPremiereTF:
        WriteTF(Diry);
        return false;
    case DestAFS:
    case DestPFF:
        return Writeafspff(ff, Diry, DestType == DestAFS ? 0 : 1);
    case DestText:
        return WriteTXT(ff, Diry, false);
    default:
        return false;
    }
}

bool ReadFFfile(FFContext& ff, std::string_view PathFily) {
    ff.RefusedLength = 0;
    std::string dir = GetPathName(PathFily);
    const std::string name = GetFileName(PathFily);
    const std::string ext = extension_of(name);
    if (ext == ".txt") return ReadTXT(ff, dir, name, true, false);
    if (is_plugin_extension(ext)) return Read8bf(ff, dir, name, false, true);
    if (is_premiere_extension(ext)) return read_premiere(ff, dir, name);
    // A settings file without its names tail has its file name for a title; it is read all the same.
    if (ext == ".afs") return ReadAFS(ff, dir, name);
    if (ext == ".pff") return ReadPFF(ff, dir, name);
    if (ext == ".ffx") return ReadFFX(ff, dir, name);
    return false;
}

bool LoadIt(FFContext& ff, std::string_view path) {
    std::string dir = GetPathName(path);
    const std::string name = GetFileName(path);
    const std::string ext = extension_of(name);
    if (is_plugin_extension(ext)) return Read8bf(ff, dir, name, false, true);
    if (ext == ".ffx") return ReadFFX(ff, dir, name);
    if (is_premiere_extension(ext)) {
        if (!read_premiere(ff, dir, name)) return false;
        rewrite_premiere_code(ff);
        return true;
    }
    bool ok = false;
    if (ext == ".txt")
        ok = ReadTXT(ff, dir, name, false, true);
    else if (ext == ".afs")
        ok = ReadAFS(ff, dir, name);
    else if (ext == ".pff") {
        ok = ReadPFF(ff, dir, name);
        if (ok) rewrite_premiere_code(ff);
    } else
        return false;
    if (ok) {
        std::string& filename = ff.Record.Filename;
        filename = filename.substr(0, filename.size() >= 4 ? filename.size() - 4 : 0) + ext;
    }
    return ok;
}

bool FFLNumWrite(std::string_view FFLfile, int Numy) {
    // The count takes the five characters of line 2 and nothing more: a count that needs more (a
    // negative one or one above 99999) or a file whose line 2 is not five characters between CR LF
    // pairs is left alone, so that the line ends stay where they are.
    if (Numy < 0 || Numy > 99999) return false;
    std::string field = std::to_string(Numy);
    field.insert(0, 5 - field.size(), ' ');
    try {
        const std::string head = files::InputFile(std::string(FFLfile)).Read(0, 15);
        if (head.size() < 15 || head.compare(6, 2, "\r\n") != 0 || head.compare(13, 2, "\r\n") != 0) return false;
        files::write_bytes_at(std::string(FFLfile), 8, field);
    } catch (const vb::Error&) {
        return false;
    }
    return true;
}

void WriteFFLEntry(std::string_view) {}
void cmd_SearchFFL() {}
void cmd_Extract(int, bool) {}
void cmd_Add2FFL() {}

} // namespace vexolan::ff
