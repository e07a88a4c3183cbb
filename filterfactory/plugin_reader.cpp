#include "filterfactory/plugin_reader.hpp"

#include "filterfactory/bytes.hpp"
#include "filterfactory/layouts.hpp"
#include "filterfactory/rewrite.hpp"
#include "platform/values/values.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace vexolan::ff {

namespace {

void complete_folder(std::string& Diry) {
    if (Diry.empty() || Diry.back() != '/') Diry += '/';
}

// Whether a file (not a folder) of that name is there, as a directory lookup for files finds it.
bool file_exists(const std::filesystem::path& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec) && !std::filesystem::is_directory(path, ec);
}

void refresh_active_pane(FFContext& ff) {
    if (ff.RefreshActivePane) ff.RefreshActivePane();
}

// Number of characters of a UTF-8 text.
std::size_t character_count(std::string_view text) {
    std::size_t n = 0;
    for (unsigned char c : text)
        n += (c & 0xC0) != 0x80;
    return n;
}

// The fields the Premiere readers share, from a block laid out as the Premiere Filter Factory writes
// it (copyright at 360, formulas blue, green, red, alpha).
void read_premiere_block(FilterRecord& record, std::string_view file, FilePos block) {
    record.Copyright = bytes2string2(block + premiere_block::Copyright, file);
    for (int m = 0; m < 4; ++m) {
        if (byte_at(file, block + block::MapUsed(m)) == 1)
            record.MapName[m] = bytes2string2(block + block::MapName(m), file);
    }
    for (int c = 0; c < 8; ++c) {
        record.CtlValue[c] = byte_at(file, block + block::Value(c)).value_or(0);
        if (byte_at(file, block + block::ControlUsed(c)) == 1)
            record.CtlName[c] = bytes2string2(block + block::ControlName(c), file);
    }
    record.CodeB = bytes2string(block + premiere_block::FormulaBlue, file);
    record.CodeG = bytes2string(block + premiere_block::FormulaGreen, file);
    record.CodeR = bytes2string(block + premiere_block::FormulaRed, file);
    record.CodeA = bytes2string(block + premiere_block::FormulaAlpha, file);
}

void report_unreadable(FFContext& ff, std::string_view FName, bool Silent) {
    if (!Silent && ff.Host)
        ff.Host->MsgBox("Skiping " + std::string(FName) + "! Unexpected Error!", ui::vbOKOnly, "Error");
}

// Reads a whole Premiere plug-in; an unreadable file is reported unless `Silent`.
std::optional<std::string> read_premiere_file(FFContext& ff, const std::filesystem::path& path, std::string_view FName,
                                              bool Silent) {
    try {
        return read_file_bytes(path);
    } catch (const std::exception&) {
        report_unreadable(ff, FName, Silent);
        return std::nullopt;
    }
}

} // namespace

bool Read8bfBytes(FilterRecord& record, std::string_view file, bool Silent) {
    const PluginLayout* layout = FindPluginLayout(file);
    if (!layout) return false;
    const bool pascal = layout->MacBinary;
    if (pascal) {
        record.Title = ReadPluginText(file, layout->TitleLength, true);
        record.Category = ReadPluginText(file, layout->CategoryLength, true);
    } else {
        // The length byte before a PC title or category is not trusted: the text runs to its 0 byte.
        record.Title = bytes2string2(layout->Title, file);
        record.Category = bytes2string2(layout->Category, file);
    }
    if (character_count(vb::Trim(record.Category)) < 2) record.Category = DefaultPluginCategory;
    if (Silent) return true;

    const FilePos P = layout->Block;
    record.Copyright = ReadPluginText(file, P + block::Copyright, pascal);
    record.Author = ReadPluginText(file, P + block::Author, pascal);
    for (int m = 0; m < 4; ++m) {
        if (byte_at(file, NumberPos(*layout, block::MapUsed(m))) == 1)
            record.MapName[m] = ReadPluginText(file, P + block::MapName(m), pascal);
    }
    for (int c = 0; c < 8; ++c) {
        if (byte_at(file, NumberPos(*layout, block::ControlUsed(c))) == 1)
            record.CtlName[c] = ReadPluginText(file, P + block::ControlName(c), pascal);
    }
    for (int c = 0; c < 8; ++c)
        record.CtlValue[c] = byte_at(file, NumberPos(*layout, block::Value(c))).value_or(0);
    for (int k = 0; k < 4; ++k)
        record.Code(k) = bytes2string(P + block::Formula(k), file);
    return true;
}

namespace {

// What every plug-in reader does first: clear the record, name it, and find the file. A missing
// file refreshes the active pane (its list is out of date) and reads as not this format.
std::optional<std::filesystem::path> start_reading(FFContext& ff, std::string& Diry, std::string_view FName) {
    IniVars(ff.Record);
    ff.Record.Filename = FName;
    complete_folder(Diry);
    std::filesystem::path path = Diry + std::string(FName);
    if (!file_exists(path)) {
        refresh_active_pane(ff);
        return std::nullopt;
    }
    return path;
}

} // namespace

bool Read8bf(FFContext& ff, std::string& Diry, std::string_view FName, bool Silent, bool optimize) {
    const auto found = start_reading(ff, Diry, FName);
    if (!found) return false;
    const std::filesystem::path& path = *found;
    std::error_code ec;
    const auto length = std::filesystem::file_size(path, ec);
    if (ec || !LayoutForLength(static_cast<std::int64_t>(length))) return false;
    std::string file;
    try {
        file = read_file_bytes(path);
    } catch (const std::exception&) {
        return false;
    }
    if (!Read8bfBytes(ff.Record, file, Silent)) return false;
    if (optimize) OptimizeCode(ff.Record, ff.NoOptimization());
    ff.pFlag = true;
    return true;
}

bool ReadprmBytes(FilterRecord& record, std::string_view file, bool Silent) {
    const auto layout = FindPremiereFFLayout(file);
    if (!layout) return false;
    std::string text = slot_bytes2(layout->Title, file);
    const std::size_t colon = text.find(':');
    if (colon != std::string::npos) {
        record.Category = vb::Cp1252ToUtf8(text.substr(0, colon));
        // The blank after the colon is dropped; any other character belongs to the title.
        std::size_t start = colon + 1;
        if (start < text.size() && text[start] == ' ') ++start;
        text = text.substr(start);
    }
    record.Title = vb::Cp1252ToUtf8(text);
    if (!Silent) read_premiere_block(record, file, layout->Block);
    if (record.Category.empty()) record.Category = PremiereFFCategory;
    return true;
}

bool Readprm(FFContext& ff, std::string& Diry, std::string_view FName, bool Silent, bool optimize) {
    const auto found = start_reading(ff, Diry, FName);
    if (!found) return false;
    const std::filesystem::path& path = *found;
    // Only the three lengths are read, so a large file of another kind is never loaded.
    std::error_code ec;
    const auto length = std::filesystem::file_size(path, ec);
    if (ec) {
        report_unreadable(ff, FName, Silent);
        return false;
    }
    if (std::find(PremiereFFLengths.begin(), PremiereFFLengths.end(), static_cast<std::int64_t>(length)) ==
        PremiereFFLengths.end())
        return false;
    const auto file = read_premiere_file(ff, path, FName, Silent);
    if (!file || !ReadprmBytes(ff.Record, *file, Silent)) return false;
    if (optimize) OptimizeCode(ff.Record, ff.NoOptimization());
    ff.pFlag = false;
    return true;
}

bool ReadTFBytes(FilterRecord& record, std::string_view file, bool Silent) {
    const auto layout = FindTransitionLayout(file);
    if (!layout) return false;
    record.Title = bytes2string2(layout->Title, file);
    if (!Silent) {
        record.TFExtra = bytes2string2(layout->TFExtra, file);
        read_premiere_block(record, file, layout->Block);
    }
    record.Category = PremiereTFCategory;
    return true;
}

bool ReadTF(FFContext& ff, std::string& Diry, std::string_view FName, bool Silent) {
    IniVars(ff.Record);
    ff.Record.Filename = FName;
    const std::filesystem::path path = Diry + "/" + std::string(FName);
    if (!file_exists(path)) {
        refresh_active_pane(ff);
        return false;
    }
    // A drive root is written without its separator, as the separator comes next.
    if (Diry == "/") Diry.clear();
    std::optional<std::string> file;
    try {
        file = read_bounded_file(Diry + "/" + std::string(FName), TransitionFileBound, ff.RefusedLength);
        if (!file) return false;
    } catch (const std::exception&) {
        report_unreadable(ff, FName, Silent);
        return false;
    }
    if (!ReadTFBytes(ff.Record, *file, Silent)) return false;
    OptimizeCode(ff.Record, ff.NoOptimization());
    ff.pFlag = false;
    return true;
}

} // namespace vexolan::ff
