#include "filterfactory/settings_files.hpp"

#include "filterfactory/bytes.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/rewrite.hpp"

#include "platform/fs/files.hpp"

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

// The line readers give UTF-8 texts. .afs and .pff differ only in how the header and the values end and in the order of
// the channels.
bool read_settings(FFContext& ff, std::string_view Diry, std::string_view FName, bool pff) {
    FilterRecord& r = ff.Record;
    IniVars(r);
    const std::string path = files::join_path(Diry, FName);
    if (!files::file_exists(path)) {
        if (ff.RefreshActivePane) ff.RefreshActivePane();
        return false;
    }
    try {
        const std::string bytes = files::read_file_bytes(path);
        ByteCursor file{bytes};
        r.Filename = plugin_name(FName);
        pff ? ReadtoDD(file) : ReadtoD(file); // the header, not checked
        for (int c = 0; c < 8; ++c) {
            r.CtlValue[c] = control_value(pff && c < 7 ? ReadtoDD(file) : ReadtoD(file));
            if (r.CtlValue[c] != 0) r.CtlName[c] = "Slider " + std::to_string(c + 1);
        }
        static constexpr int AfsOrder[] = {0, 1, 2, 3};
        static constexpr int PffOrder[] = {2, 1, 0, 3};
        for (int k : pff ? PffOrder : AfsOrder)
            r.Code(k) = ReadtoDD(file);
        r.Title = r.Filename;
        r.Category = "Synthetic";
        if (!file.AtEnd()) {
            // An empty category in the tail means none: the default stays.
            if (std::string category = ReadtoDD(file); !category.empty()) r.Category = category;
            r.Title = ReadtoDD(file);
            r.Author = ReadtoDD(file);
            r.Copyright = ReadtoDD(file);
            for (int c = 0; c < 8; ++c) {
                const std::string line = ReadtoDD(file);
                if (line.size() > 3) r.CtlName[c] = line.substr(3);
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
    if (!files::file_exists(path)) return false;
    FilterRecord& r = ff.Record;
    IniVars(r);
    r.Filename = std::string(Fily);
    try {
        const std::string bytes = files::read_file_bytes(path);
        FfxReader file(bytes);
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
    } catch (const vb::Error&) {
        return false;
    }
    return true;
}

} // namespace vexolan::ff
