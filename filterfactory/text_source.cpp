#include "filterfactory/text_source.hpp"

#include "filterfactory/bytes.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/rewrite.hpp"
#include "filterfactory/settings_files.hpp"

#include "platform/fs/files.hpp"

#include <array>
#include <optional>
#include <vector>

namespace vexolan::ff {

namespace {

constexpr std::string_view ReportHeader = "Filter Factory Plugin Information:";

// Thrown inside the reader for everything that the user sees as "Format Violation".
struct FormatViolation {};

bool starts_with(std::string_view line, std::string_view key) {
    return line.substr(0, key.size()) == key;
}

SettingsLookups* g_lookups = nullptr;

bool is_settings_file_name(std::string_view name) {
    return name.size() >= 4 && vb::EqualsNoCase(name.substr(name.size() - 4), ".afs");
}

std::vector<std::string> settings_files_of(const std::vector<files::DirEntry>& entries) {
    std::vector<std::string> names;
    for (const files::DirEntry& e : entries)
        if (is_settings_file_name(e.Name)) names.push_back(e.Name);
    return names;
}

std::vector<std::string> list_settings_files(const std::string& folder) {
    try {
        return settings_files_of(files::list_files(folder, {}, {.IncludeHidden = true}));
    } catch (const vb::Error&) {
        return {};
    }
}

// The settings file beside report `FName`: the report's name with the extension "afs" exactly, else
// the one of that name in any letter case (one that differs only in its extension preferred, then the
// first in byte order, so that the choice never depends on the order of the listing); "" when there
// is none.
std::string companion_settings_file(std::string_view Diry, std::string_view FName) {
    const std::string stem(FName.substr(0, FName.size() >= 3 ? FName.size() - 3 : 0));
    const std::string wanted = stem + "afs";
    const std::string exact = files::join_path(Diry, wanted);
    if (files::file_exists(exact)) return exact;
    std::vector<std::string> own;
    const std::vector<std::string>* names = nullptr;
    if (SettingsLookups* lookups = SettingsLookups::Open())
        names = &lookups->SettingsFilesIn(std::string(Diry));
    else
        names = &(own = list_settings_files(std::string(Diry)));
    const std::string* best = nullptr;
    const auto rank = [&](const std::string& name) { return name.starts_with(stem) ? 0 : 1; };
    for (const std::string& name : *names) {
        if (!vb::EqualsNoCase(name, wanted)) continue;
        if (!best || rank(name) < rank(*best) || (rank(name) == rank(*best) && name < *best)) best = &name;
    }
    return best ? files::join_path(Diry, *best) : std::string();
}

bool starts_with_no_case(std::string_view line, std::string_view key) {
    return line.size() >= key.size() && vb::EqualsNoCase(line.substr(0, key.size()), key);
}

std::string text_of(std::string_view bytes) {
    return vb::Cp1252ToUtf8(bytes);
}

std::string trimmed_text(std::string_view bytes) {
    return vb::Trim(text_of(bytes));
}

// A code line ends at its first "//".
std::string_view without_comment(std::string_view line) {
    return line.substr(0, line.find("//"));
}

bool is_channel_key(std::string_view line) {
    return line.size() >= 2 && line[1] == ':' && (line[0] == 'R' || line[0] == 'G' || line[0] == 'B' || line[0] == 'A');
}

// The digit of "ctl[k]", "map[k]", "val[k]" and "set[s]": the fifth character, read as a number.
int index_digit(std::string_view line) {
    return line.size() >= 5 ? static_cast<int>(vb::Val(line.substr(4, 1))) : 0;
}

// The text after the seventh character.
std::string_view after_key(std::string_view line) {
    return line.size() > 7 ? line.substr(7) : std::string_view{};
}

int whole_number(std::string_view text, int low, int high) {
    const double v = vb::RoundHalfEven(vb::Val(text));
    if (v < low || v > high) throw FormatViolation{};
    return static_cast<int>(v);
}

// The lines of a source, taken one at a time from its bytes (which the caller keeps).
class Lines {
public:
    explicit Lines(std::string_view bytes) : lines_(bytes) {}
    bool at_end() const { return lines_.AtEnd(); }
    // The next line; reading past the end is a format violation.
    std::string read() {
        if (at_end()) throw FormatViolation{};
        return std::string(lines_.Next());
    }
    // Skips lines up to one that `match` accepts.
    template <typename Match> std::string skip_to(Match match) {
        for (;;) {
            std::string line = read();
            if (match(line)) return line;
        }
    }

private:
    TextLines lines_;
};

// The key and value layout; `line` is the first line, already read.
bool read_key_value(FFContext& ff, Lines& lines, std::string line, bool Preset) {
    FilterRecord& r = ff.Record;
    r.CodeA = "a";
    bool ended = false;
    for (;;) {
        if (starts_with_no_case(line, "category:")) {
            r.Category = trimmed_text(line.substr(9));
            if (r.Category.empty()) r.Category = "Photoshop";
        }
        if (starts_with_no_case(line, "name:")) r.Title = trimmed_text(line.substr(5));
        if (starts_with_no_case(line, "title:")) r.Title = trimmed_text(line.substr(6));
        if (starts_with_no_case(line, "copyright:")) r.Copyright = trimmed_text(line.substr(10));
        if (starts_with_no_case(line, "author:")) r.Author = trimmed_text(line.substr(7));
        // The name inside the source may be a Windows path: its last part names the filter's file.
        if (starts_with_no_case(line, "filename:"))
            r.Filename = NameFromFile(trimmed_text(line.substr(9)));
        else if (starts_with_no_case(line, "file:"))
            r.Filename = NameFromFile(trimmed_text(line.substr(5)));

        // The four channels are tested one after the other on the line as it stands, so blocks in
        // the order R, G, B, A follow each other directly, while a block that ends on the key of an
        // earlier channel drops that line.
        static constexpr char Channels[] = {'R', 'G', 'B', 'A'};
        for (int k = 0; k < 4 && !ended; ++k) {
            if (line.size() < 2 || line[0] != Channels[k] || (line[1] != ':' && line[1] != '=')) continue;
            const bool keyText = line.size() > 2;
            std::string code = keyText ? std::string(without_comment(line).substr(2)) : std::string();
            std::string collected;
            bool any = false;
            for (;;) {
                if (lines.at_end()) { // the end of the file ends the block
                    line.clear();
                    ended = true;
                    break;
                }
                line = lines.read();
                if (line.empty() || is_channel_key(line) || (k == 3 && starts_with_no_case(line, "ctl"))) break;
                collected += without_comment(line);
                any = true;
            }
            // Lines below an empty key line replace the channel's default ("a" for alpha).
            if (keyText)
                r.Code(k) = trimmed_text(code + collected);
            else if (any)
                r.Code(k) = trimmed_text(collected);
        }

        if (line.size() >= 3 && starts_with_no_case(line, "ctl")) {
            const int k = index_digit(line);
            if (k >= 0 && k <= 7) r.CtlName[k] = trimmed_text(after_key(line));
        } else if (line.size() >= 3 && starts_with_no_case(line, "map")) {
            const int k = index_digit(line);
            if (k >= 0 && k <= 3) r.MapName[k] = trimmed_text(after_key(line));
        } else if (line.size() >= 3 && starts_with_no_case(line, "val")) {
            const int k = index_digit(line);
            if (k >= 0 && k <= 7) r.CtlValue[k] = static_cast<std::uint8_t>(whole_number(after_key(line), 0, 255));
        }
        if (Preset && starts_with_no_case(line, "set")) {
            const int s = index_digit(line);
            std::string_view rest = after_key(line);
            std::array<std::int16_t, 8> values{};
            for (int c = 0; c < 8; ++c) {
                const auto comma = rest.find(',');
                if (rest.empty() && c > 0) throw FormatViolation{};
                values[c] = static_cast<std::int16_t>(whole_number(rest.substr(0, comma), -32768, 32767));
                rest = comma == std::string_view::npos ? std::string_view{} : rest.substr(comma + 1);
            }
            if (s >= 0 && s <= 9) {
                for (int c = 0; c < 8; ++c)
                    r.MemorySpot(s, c) = values[c];
                if (ff.MarkPresetSpot) ff.MarkPresetSpot(s);
            }
        }
        if (ended || lines.at_end()) break;
        line = lines.read();
    }
    if (r.Filename.empty()) r.Filename = "-NoName.8bf";
    for (int k = 0; k < 4; ++k)
        if (r.Code(k).empty()) return false;
    return true;
}

// A map or control line of the report layout: "Map k: [name]", "Control k: [name]". False when the
// entry is marked "[]", which ends the list.
bool read_report_name(Lines& lines, std::string_view word, int k, std::string& name) {
    const std::string key = std::string(word) + " " + std::to_string(k) + ":";
    const std::string line = lines.skip_to([&](const std::string& l) { return starts_with(l, word); });
    if (!starts_with(line, key)) throw FormatViolation{};
    if (line.ends_with("[]")) return false;
    const std::size_t from = key.size() + 2; // after the blank and the opening bracket
    if (line.size() >= from + key.size() && line.substr(from, key.size()) == key) return true;
    name = line.size() > from ? text_of(line.substr(from, line.size() - from - 1)) : std::string();
    return true;
}

std::string join_until(Lines& lines, const std::function<bool(const std::string&)>& last) {
    std::string code;
    for (;;) {
        const std::string line = lines.read();
        if (last(line)) return code;
        code += line;
    }
}

void read_report(FFContext& ff, Lines& lines, std::string_view Diry, std::string_view FName) {
    FilterRecord& r = ff.Record;
    const std::string line = lines.skip_to([](const std::string& l) { return starts_with(l, "FILENAME:"); });
    std::string_view tail = line;
    if (tail.size() > 12) tail.remove_prefix(tail.size() - 12);
    if (const auto slash = tail.find('\\'); slash != std::string_view::npos) tail.remove_prefix(slash + 1);
    r.Filename = NameFromFile(text_of(tail));
    const auto next_after = [&](std::string_view key) {
        lines.skip_to([&](const std::string& l) { return starts_with(l, key); });
        return text_of(lines.read());
    };
    r.Category = next_after("CATEGORY:");
    r.Title = next_after("TITLE:");
    r.Copyright = next_after("COPYRIGHT:");
    r.Author = next_after("AUTHOR:");
    for (int k = 0; k < 4; ++k)
        if (!read_report_name(lines, "Map", k, r.MapName[k])) break;
    for (int k = 0; k < 8; ++k)
        if (!read_report_name(lines, "Control", k, r.CtlName[k])) break;

    lines.skip_to([](const std::string& l) { return l == "R="; });
    r.CodeR = text_of(join_until(lines, [](const std::string& l) { return l == "G="; }));
    r.CodeG = text_of(join_until(lines, [](const std::string& l) { return starts_with(l, "B="); }));
    r.CodeB = text_of(join_until(lines, [](const std::string& l) { return l == "A="; }));
    std::string alpha;
    while (!lines.at_end()) { // an empty line or the end of the file ends the alpha block
        const std::string l = lines.read();
        if (l.empty()) break;
        alpha += l;
    }
    r.CodeA = text_of(alpha);

    // The control values come from the settings file beside the report: its header and the eight
    // values on the lines after it, all within the first bytes of any settings file read.
    const std::string found = companion_settings_file(Diry, FName);
    if (found.empty()) return;
    const std::string head = files::InputFile(found).Read(0, SettingsFileBound);
    Lines values(head);
    values.read(); // the header
    for (int c = 0; c < 8; ++c)
        r.CtlValue[c] = static_cast<std::uint8_t>(whole_number(values.read(), 0, 255));
}

} // namespace

SettingsLookups::SettingsLookups() : outer_(g_lookups) {
    if (!outer_) g_lookups = this;
}

SettingsLookups::~SettingsLookups() {
    if (!outer_) g_lookups = nullptr;
}

SettingsLookups* SettingsLookups::Open() {
    return g_lookups;
}

void SettingsLookups::Listed(const std::string& folder, const std::vector<files::DirEntry>& entries) {
    if (outer_) return outer_->Listed(folder, entries);
    folders_[files::absolute_path(folder)] = settings_files_of(entries);
}

const std::vector<std::string>& SettingsLookups::SettingsFilesIn(const std::string& folder) {
    if (outer_) return outer_->SettingsFilesIn(folder);
    const std::string abs = files::absolute_path(folder);
    auto there = folders_.find(abs);
    if (there == folders_.end()) there = folders_.emplace(abs, list_settings_files(abs)).first;
    return there->second;
}

bool ReadTXT(FFContext& ff, std::string_view Diry, std::string_view FName, bool /*Silent*/, bool Preset) {
    IniVars(ff.Record);
    ff.RefusedLength = 0;
    const std::string path = files::join_path(Diry, FName);
    if (!files::file_exists(path)) {
        if (ff.RefreshActivePane) ff.RefreshActivePane();
        return false;
    }
    try {
        const std::optional<std::string> bytes = read_bounded_file(path, TextSourceBound, ff.RefusedLength);
        if (!bytes) return false;
        Lines lines(*bytes);
        const std::string first = lines.read();
        if (first.substr(0, ReportHeader.size()) != ReportHeader) {
            if (!read_key_value(ff, lines, first, Preset)) return false;
        } else {
            read_report(ff, lines, Diry, FName);
        }
    } catch (const FormatViolation&) {
        ff.Message(std::string(FName) + ": Format Violation", ui::vbExclamation, "Error");
        return false;
    } catch (const vb::Error&) {
        ff.Message(std::string(FName) + ": Format Violation", ui::vbExclamation, "Error");
        return false;
    }
    OptimizeCode(ff.Record, ff.NoOptimization());
    ff.pFlag = true;
    return true;
}

std::string TextSourceBytes(const FilterRecord& r, const std::function<bool(int)>* storedSpot) {
    return vb::Utf8ToCp1252(TextSourceText(r, storedSpot));
}

std::string TextSourceText(const FilterRecord& r, const std::function<bool(int)>* storedSpot) {
    std::string out;
    const auto line = [&](std::string_view text) {
        out += text;
        out += "\r\n";
    };
    line("Category: " + r.Category);
    line("Title: " + r.Title);
    line("Copyright: " + r.Copyright);
    line("Author: " + r.Author);
    line("Filename: " + r.Filename);
    line("");
    line("R:" + r.CodeR);
    line("");
    line("G:" + r.CodeG);
    line("");
    line("B:" + r.CodeB);
    line("");
    line("A:" + r.CodeA);
    line("");
    for (int m = 0; m < 4; ++m) {
        if (!r.MapName[m].empty()) {
            line("map[" + std::to_string(m) + "]: " + r.MapName[m]);
            continue;
        }
        for (int c = 2 * m; c <= 2 * m + 1; ++c)
            if (!r.CtlName[c].empty()) line("ctl[" + std::to_string(c) + "]: " + r.CtlName[c]);
    }
    line("");
    for (int m = 0; m < 4; ++m)
        for (int c = 2 * m; c <= 2 * m + 1; ++c)
            if (!r.MapName[m].empty() || !r.CtlName[c].empty())
                line("val[" + std::to_string(c) + "]: " + std::to_string(r.CtlValue[c]));
    line("");
    if (storedSpot && *storedSpot) {
        for (int s = 0; s <= 9; ++s) {
            if (!(*storedSpot)(s)) continue;
            std::string set = "set[" + std::to_string(s) + "]: ";
            for (int c = 0; c < 8; ++c)
                set += (c ? "," : "") + std::to_string(r.MemorySpot(s, c));
            line(set);
        }
    }
    return out;
}

bool WriteTXT(FFContext& ff, std::string_view Diry, bool Preset) {
    FilterRecord& r = ff.Record;
    if (!ff.pFlag) {
        for (int k = 0; k < 4; ++k)
            Correctprmcode(r.Code(k));
        ff.pFlag = true; // the record now holds Photoshop code; a second writer must not rewrite it again
    }
    if (ff.MacAdaption()) CorrectCodeForMac(r);
    if (r.Filename.find('.') == std::string::npos) r.Filename += ".txt";
    try {
        files::write_file(files::join_path(Diry, GetFilname(DestText, r.Filename)),
                          TextSourceBytes(r, Preset ? &ff.PresetSpotStored : nullptr));
    } catch (const vb::Error& e) {
        // Told as the compiler tells its failures: the common error box, or the batch's item message.
        if (ff.ShowError) ff.ShowError(e);
        return false;
    }
    return true;
}

} // namespace vexolan::ff
