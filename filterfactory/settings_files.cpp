#include "filterfactory/settings_files.hpp"

#include "filterfactory/bytes.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/rewrite.hpp"

#include "platform/fs/files.hpp"

#include <optional>
#include <vector>

namespace vexolan::ff {

namespace {

struct ReadFailure {};

std::string text_of(std::string_view bytes) {
    return vb::Cp1252ToUtf8(bytes);
}

std::uint8_t control_value(std::string_view line) {
    const double v = vb::RoundHalfEven(vb::Val(line));
    if (v < 0 || v > 255) throw ReadFailure{};
    return static_cast<std::uint8_t>(v);
}

// The file name a settings file gives its filter: its own name with "8bf" for the last three letters.
std::string plugin_name(std::string_view FName) {
    return std::string(FName.substr(0, FName.size() >= 3 ? FName.size() - 3 : 0)) + "8bf";
}

// Settings files arrive with their lines ended by CR alone (as the Filter Factory writes them), by
// CR LF or by LF (after a text-mode transfer). The readers below work on the bytes as the formats
// define them, so a file is first given the line ends of its format. An .afs ends every line with a
// lone CR and follows each formula and text by an empty line. A .pff has its header and values each
// on a line of its own, followed or not by an empty line, and then either the .afs layout or one
// item per line; it is brought to the .afs layout throughout. The file's bytes are taken over: an
// .afs is changed in place (its text only shrinks), a .pff is rewritten and its bytes let go.
std::string with_format_line_ends(std::string bytes, bool pff) {
    if (!pff && bytes.find('\n') == std::string::npos) return bytes;
    if (!pff) {
        // Every line end becomes one CR; a last line without an end gets one.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char c = bytes[i];
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            bytes[kept++] = c == '\n' ? '\r' : c;
        }
        bytes.resize(kept);
        if (!bytes.empty() && bytes.back() != '\r') bytes.push_back('\r');
        return bytes;
    }
    TextLines lines(bytes);
    std::string out;
    out.reserve(bytes.size() + 64);
    for (int item = 0; item < 9 && !lines.AtEnd(); ++item) {
        out += lines.Next();
        out += "\r\r";
        TextLines after = lines;
        if (!after.AtEnd() && after.Next().empty()) lines = after;
    }
    // Items separated by empty lines keep them; items one to a line each get their empty line.
    bool separated = false, gap = false;
    for (TextLines rest = lines; !rest.AtEnd() && !separated;) {
        const bool empty = rest.Next().empty();
        separated = gap && !empty;
        gap = gap || empty;
    }
    while (!lines.AtEnd()) {
        out += lines.Next();
        out += separated ? "\r" : "\r\r";
    }
    return out;
}

// Whether nothing but line ends is left to read.
bool only_line_ends_left(const ByteCursor& file) {
    return file.Bytes.find_first_not_of("\r\n", file.Next) == std::string_view::npos;
}

// .afs and .pff differ only in how the header and the values end and in the order of the channels.
// A read past the end of the file fails the whole read: a file cut short is not a filter.
bool read_settings(FFContext& ff, std::string_view Diry, std::string_view FName, bool pff) {
    FilterRecord& r = ff.Record;
    IniVars(r);
    const std::string path = files::join_path(Diry, FName);
    std::optional<std::string> read;
    try {
        read = read_bounded_file(path, SettingsFileBound, ff.RefusedLength);
        if (!read) return false;
    } catch (const vb::Error&) {
        // A file that has gone (or is a folder) makes the pane show what is there now.
        if (!files::file_exists(path) && ff.RefreshActivePane) ff.RefreshActivePane();
        return false;
    }
    try {
        const std::string bytes = with_format_line_ends(std::move(*read), pff);
        ByteCursor file{bytes};
        const auto line = [&](bool joined) {
            if (file.AtEnd()) throw ReadFailure{};
            return joined ? ReadtoDD(file) : ReadtoD(file);
        };
        r.Filename = plugin_name(FName);
        // The .pff header is not checked; an .afs must begin with its own.
        const std::string header = line(pff);
        if (!pff && vb::Trim(header) != "%RGB-1.0") return false;
        for (int c = 0; c < 8; ++c) {
            r.CtlValue[c] = control_value(line(pff && c < 7));
            if (r.CtlValue[c] != 0) r.CtlName[c] = "Slider " + std::to_string(c + 1);
        }
        static constexpr int AfsOrder[] = {0, 1, 2, 3};
        static constexpr int PffOrder[] = {2, 1, 0, 3};
        for (int k : pff ? PffOrder : AfsOrder)
            r.Code(k) = line(true);
        r.Title = r.Filename;
        r.Category = "Synthetic";
        if (!only_line_ends_left(file)) {
            // The tail's category as written, an empty one included.
            r.Category = line(true);
            r.Title = line(true);
            r.Author = line(true);
            r.Copyright = line(true);
            for (int c = 0; c < 8; ++c) {
                const std::string name = line(true);
                if (name.size() > 3) r.CtlName[c] = name.substr(3);
            }
        }
    } catch (const ReadFailure&) {
        return false;
    } catch (const vb::Error&) {
        return false;
    }
    OptimizeCode(r, ff.NoOptimization());
    ff.pFlag = !pff;
    return true;
}

// Reads the .ffx items in turn; every read checks that the file holds it.
class FfxReader {
public:
    explicit FfxReader(std::string_view bytes) : bytes_(bytes) {}
    std::uint32_t number() {
        need(4);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = (v << 8) | static_cast<std::uint8_t>(bytes_[next_ + i]);
        next_ += 4;
        return v;
    }
    std::string text() {
        const std::uint32_t length = number();
        need(length);
        std::string t(bytes_.substr(next_, length));
        next_ += length;
        return t;
    }
    void skip(std::size_t n) {
        need(n);
        next_ += n;
    }

private:
    void need(std::size_t n) const {
        if (n > bytes_.size() - next_) throw ReadFailure{};
    }
    std::string_view bytes_;
    std::size_t next_ = 0;
};

} // namespace

bool ReadAFS(FFContext& ff, std::string_view Diry, std::string_view FName) {
    return read_settings(ff, Diry, FName, false);
}

bool ReadPFF(FFContext& ff, std::string_view Diry, std::string_view FName) {
    return read_settings(ff, Diry, FName, true);
}

bool ReadFFX(FFContext& ff, std::string_view Diry, std::string_view Fily) {
    const std::string path = files::join_path(Diry, Fily);
    ff.RefusedLength = 0;
    if (!files::file_exists(path)) return false;
    FilterRecord& r = ff.Record;
    IniVars(r);
    r.Filename = std::string(Fily);
    try {
        const std::optional<std::string> bytes = read_bounded_file(path, SettingsFileBound, ff.RefusedLength);
        if (!bytes) return false;
        FfxReader file(*bytes);
        if (!file.text().starts_with("FFX")) return false;
        r.Title = text_of(file.text());
        r.Category = text_of(file.text());
        r.Author = text_of(file.text());
        r.Copyright = text_of(file.text());
        file.text(); // not used
        for (int k = 0; k < 4; ++k)
            r.Code(k) = text_of(file.text());
        for (int c = 0; c < 8; ++c) {
            r.CtlName[c] = text_of(file.text());
            file.skip(1);
            r.CtlValue[c] = static_cast<std::uint8_t>(file.number() & 0xFF);
        }
    } catch (const ReadFailure&) {
        return false;
    } catch (const vb::Error&) {
        return false;
    }
    ff.pFlag = true;
    return true;
}

std::string AfsBytes(const FilterRecord& r) {
    std::string out = "%RGB-1.0\r";
    for (int c = 0; c < 8; ++c)
        out += std::to_string(r.CtlValue[c]) + "\r";
    const auto item = [&](std::string_view text) {
        Writecode(text, out);
        out += '\r';
    };
    for (int k = 0; k < 4; ++k)
        item(r.Code(k));
    item(r.Category);
    item(r.Title);
    item(r.Author);
    item(r.Copyright);
    for (int c = 0; c < 8; ++c)
        item(std::to_string(c + 1) + ": " + r.CtlName[c]);
    return out;
}

bool Writeafspff(FFContext& ff, std::string_view Diry, int Desicion) {
    if (Desicion != 0) return false;
    FilterRecord& r = ff.Record;
    if (r.Filename.find('.') == std::string::npos) r.Filename += ".afs";
    // The controls of a named map carry no names of their own but are in use: their values stay.
    for (int c = 0; c < 8; ++c)
        if (r.CtlName[c].empty() && r.MapName[c / 2].empty()) r.CtlValue[c] = 0;
    if (!ff.pFlag) {
        for (int k = 0; k < 4; ++k)
            Correctprmcode(r.Code(k));
        ff.pFlag = true; // the record now holds Photoshop code; a second writer must not rewrite it again
    }
    if (ff.MacAdaption()) CorrectCodeForMac(r);
    try {
        files::write_file(files::join_path(Diry, GetFilname(DestAFS, r.Filename)), AfsBytes(r));
    } catch (const vb::Error& e) {
        // Told as the compiler tells its failures: the common error box, or the batch's item message.
        if (ff.ShowError) ff.ShowError(e);
        return false;
    }
    return true;
}

} // namespace vexolan::ff
