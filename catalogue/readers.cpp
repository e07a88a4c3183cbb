#include "catalogue/readers.hpp"

#include "filterfactory/plugin_reader.hpp"
#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"
#include "preferences/Form2.hpp"
#include "preferences/plugtypes.hpp"
#include "shell/App.hpp"
#include "shell/helpers.hpp"

#include <algorithm>
#include <new>

namespace vexolan::catalogue {

namespace {

// Parts of a file on disk.
class FileBytes : public ByteSource {
public:
    explicit FileBytes(std::string_view path) : file_(std::string(path)) {}
    std::uint64_t Length() const override { return file_.Length(); }
    std::string Read(std::uint64_t at, std::size_t n) const override { return file_.Read(at, n); }

private:
    files::InputFile file_;
};

} // namespace

std::string MemoryBytes::Read(std::uint64_t position, std::size_t length) const {
    if (position >= bytes_.size()) return {};
    return std::string(bytes_.substr(static_cast<std::size_t>(position), length));
}

namespace {

// Bounds-checked little-endian reads of a buffer: nothing outside it.
struct Bytes {
    std::string_view b;
    bool has(std::int64_t at, std::int64_t n) const {
        return at >= 0 && n >= 0 && at <= static_cast<std::int64_t>(b.size()) &&
               n <= static_cast<std::int64_t>(b.size()) - at;
    }
    std::uint8_t u8(std::int64_t at) const { return static_cast<std::uint8_t>(b[static_cast<std::size_t>(at)]); }
    std::optional<std::uint32_t> u16(std::int64_t at) const {
        if (!has(at, 2)) return std::nullopt;
        return static_cast<std::uint32_t>(u8(at) | (u8(at + 1) << 8));
    }
    std::optional<std::uint32_t> u32(std::int64_t at) const {
        if (!has(at, 4)) return std::nullopt;
        return static_cast<std::uint32_t>(u8(at)) | (static_cast<std::uint32_t>(u8(at + 1)) << 8) |
               (static_cast<std::uint32_t>(u8(at + 2)) << 16) | (static_cast<std::uint32_t>(u8(at + 3)) << 24);
    }
    bool equals(std::int64_t at, std::string_view text) const {
        return has(at, static_cast<std::int64_t>(text.size())) &&
               b.substr(static_cast<std::size_t>(at), text.size()) == text;
    }
    // The bytes from `at` up to a zero byte or the end, at most `limit`.
    std::string zero_terminated(std::int64_t at, std::size_t limit = std::string::npos) const {
        if (!has(at, 0)) return {};
        std::string_view rest = b.substr(static_cast<std::size_t>(at));
        std::size_t end = std::min(rest.find('\0'), std::min(limit, rest.size()));
        return std::string(rest.substr(0, end));
    }
    // A length byte at `at`, then the letters (clipped at the end).
    std::string pascal(std::int64_t at) const {
        if (!has(at, 1)) return {};
        std::size_t n = u8(at);
        std::string_view rest = b.substr(static_cast<std::size_t>(at) + 1);
        return std::string(rest.substr(0, std::min(n, rest.size())));
    }
    // Zero bytes from `at` on, counted up to `limit` + 1.
    int zeros(std::int64_t at, int limit) const {
        int z = 0;
        while (z <= limit && has(at + z, 1) && u8(at + z) == 0)
            ++z;
        return z;
    }
};

void cut_at_zero(std::string& s) {
    if (auto z = s.find('\0'); z != std::string::npos) s.resize(z);
}

void strip_trailing_zeros(std::string& s) {
    while (!s.empty() && s.back() == '\0')
        s.pop_back();
}

constexpr std::uint64_t FirstHeaderOffset = 373;
constexpr std::uint64_t LastHeaderOffset = 1369;

std::optional<RsrcHeader> header_at(const ByteSource& file, std::uint64_t start) {
    std::string h = file.Read(start, 24);
    Bytes b{h};
    if (!b.has(12, 12)) return std::nullopt;
    return RsrcHeader{*b.u32(12), *b.u32(16), *b.u32(20)};
}

} // namespace

std::optional<RsrcHeader> FindRsrcHeader(const ByteSource& file) {
    std::string window = file.Read(FirstHeaderOffset, 1000);
    for (std::uint64_t k = FirstHeaderOffset; k <= LastHeaderOffset; k += 4) {
        std::uint64_t at = k - FirstHeaderOffset;
        if (at + 4 > window.size()) break;
        if (window.compare(static_cast<std::size_t>(at), 4, "rsrc") == 0) return header_at(file, k - 1);
    }
    // The section table through the PE headers: e_lfanew, "PE\0\0", the COFF header's section count and
    // optional-header size, then 40-byte section headers.
    std::string dos = file.Read(0, 64);
    auto lfanew = Bytes{dos}.u32(0x3C);
    if (!lfanew) return std::nullopt;
    std::string pe = file.Read(*lfanew, 24);
    Bytes p{pe};
    if (!p.equals(0, std::string_view("PE\0\0", 4)) || !p.has(0, 24)) return std::nullopt;
    std::uint32_t sections = std::min<std::uint32_t>(*p.u16(6), 96);
    std::uint64_t table = std::uint64_t{*lfanew} + 24 + *p.u16(20);
    std::string t = file.Read(table, sections * 40);
    Bytes tb{t};
    for (std::uint32_t j = 0; j < sections; ++j) {
        if (!tb.has(j * 40, 40)) break;
        if (tb.equals(j * 40, std::string_view(".rsrc\0\0\0", 8))) return header_at(file, table + j * 40);
    }
    return std::nullopt;
}

bool ReadCom8bfResources(const ByteSource& file, PluginInfoList& list) {
    list.assign(1, PluginInfo{});
    auto header = FindRsrcHeader(file);
    if (!header) return false;
    const std::int64_t VA = header->VirtualAddress & 0xFFFFFF;
    const std::int64_t size = header->SizeOfRawData & 0xFFFFFF;
    const std::int64_t S = (header->PointerToRawData & 0xFFFFFF) & ~std::int64_t{3};
    if (size == 0) return false;
    const std::string bytes = file.Read(static_cast<std::uint64_t>(S), static_cast<std::size_t>(size));
    const Bytes sec{bytes};

    auto finish = [&] {
        for (auto& f : list) {
            cut_at_zero(f.Category);
            cut_at_zero(f.Title);
            f.Category = vb::Cp1252ToUtf8(f.Category);
            f.Title = vb::Cp1252ToUtf8(f.Title);
        }
        return !list.empty() && !list[0].Category.empty() && !list[0].Title.empty();
    };

    auto named = sec.u16(12);
    if (!named || !sec.u16(14)) return finish();
    // A root without named entries cannot hold the string-named types read here.
    if (*named == 0) return false;

    // The type name at `at`: a 16-bit length whose low byte is compared, then UTF-16 letters whose low
    // bytes are compared.
    auto name_is = [&](std::int64_t at, std::string_view name) {
        if (!sec.has(at, 2 + 2 * static_cast<std::int64_t>(name.size()))) return false;
        if (sec.u8(at) != name.size()) return false;
        for (std::size_t i = 0; i < name.size(); ++i)
            if (sec.u8(at + 2 + 2 * static_cast<std::int64_t>(i)) != static_cast<std::uint8_t>(name[i])) return false;
        return true;
    };

    bool pimiDone = false, menuDone = false;
    for (int pass = 0; pass < 3; ++pass) {
        enum class Kind { None, Pimi, Pipl, Menu } kind = Kind::None;
        std::int64_t typeDir = 0;
        for (std::uint32_t e = 0; e < *named && kind == Kind::None; ++e) {
            auto nameField = sec.u32(16 + 8 * std::int64_t{e});
            auto nextField = sec.u32(20 + 8 * std::int64_t{e});
            if (!nameField || !nextField) return finish();
            std::int64_t at = *nameField & 0xFFFFFF;
            if (!pimiDone && name_is(at, "PIMI"))
                kind = Kind::Pimi;
            else if (name_is(at, "PIPL"))
                kind = Kind::Pipl;
            else if (!menuDone && name_is(at, "_8BFM"))
                kind = Kind::Menu;
            typeDir = *nextField & 0xFFFFFF;
        }
        if (kind == Kind::None) break;

        auto typeNamed = sec.u16(typeDir + 12);
        auto typeIds = sec.u16(typeDir + 14);
        if (!typeNamed || !typeIds) return finish();
        const std::uint32_t entries = *typeNamed + *typeIds;
        std::size_t n = list.size();
        if (kind != Kind::Menu) {
            n = *typeIds & 0xFF;
            list.assign(n, PluginInfo{});
        }
        // Never more entries than the directory holds.
        n = std::min<std::size_t>(n, entries);

        for (std::size_t j = 0; j < n; ++j) {
            auto langField = sec.u32(typeDir + 20 + 8 * static_cast<std::int64_t>(j));
            if (!langField) return finish();
            std::int64_t lang = *langField & 0xFFFFFF;
            auto dataField = sec.u32(lang + 20);
            if (!dataField) return finish();
            std::int64_t entry = *dataField & 0xFFFFFF;
            auto rva = sec.u32(entry), rsize = sec.u32(entry + 4);
            if (!rva || !rsize) return finish();
            const std::int32_t D = static_cast<std::int32_t>((*rva & 0xFFFFFF) - VA);
            const std::int64_t Size = *rsize & 0xFFFFFF;
            // The copy starts at resource byte 2 and holds Size bytes, clipped at the section's end.
            const std::int64_t from = std::int64_t{D} + 2;
            if (!sec.has(from, 0)) return finish();
            const std::string copyBytes(bytes.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(Size)));
            // Copy byte k (1-based) is copy[k].
            const Bytes copy{copyBytes};
            auto at1 = [](std::int64_t k) { return k - 1; };
            PluginInfo& filter = list[j];

            if (kind == Kind::Pimi) {
                if (filter.Category.empty()) {
                    filter.Category = copy.zero_terminated(0);
                    // Kept as the category "position" of these plug-ins: the fixed values of the
                    // scanner's Premiere table and the plug-in information rely on exactly this value.
                    filter.CatOffset = static_cast<std::int32_t>(S + 3 - D);
                    if (Size > 19) filter.CatRoom = static_cast<std::int32_t>(Size - 19);
                }
            } else if (kind == Kind::Menu) {
                filter.Title += copy.zero_terminated(0);
            } else {
                const std::int64_t last = std::min<std::int64_t>(Size - 4, static_cast<std::int64_t>(copyBytes.size()));
                for (std::int64_t k = 1; k <= last; ++k) {
                    if (copy.equals(at1(k + 4), "eman")) {
                        if (filter.Title.empty()) filter.Title = copy.pascal(at1(k + 16));
                        if (!filter.Category.empty()) break;
                    } else if (copy.equals(at1(k + 4), "gtac")) {
                        filter.CatOffset = static_cast<std::int32_t>(S + 3 + D + k + 16);
                        std::string text = copy.pascal(at1(k + 16));
                        filter.Category += text;
                        int z = copy.zeros(at1(k + 17) + static_cast<std::int64_t>(text.size()), 256);
                        if (z <= 256) filter.CatRoom = static_cast<std::int32_t>(filter.Category.size()) + z;
                        if (!filter.Title.empty()) break;
                    }
                }
            }
            cut_at_zero(filter.Category);
            cut_at_zero(filter.Title);
        }
        if (kind == Kind::Pimi) pimiDone = true;
        if (kind == Kind::Menu) menuDone = true;
        if (kind == Kind::Pipl || (pimiDone && menuDone)) break;
    }
    return finish();
}

namespace {

// ReadComprm searches each window in slices of at most SliceBytes, each read with the SliceOverlap
// bytes after it that a match near its end may look at (a category's letters and the zeros after
// them, the names after a transition's kind code: under 1100 bytes). The same positions are searched
// as in one piece, with memory bounded by these two constants whatever the file's size.
constexpr std::int64_t SliceBytes = std::int64_t{4} << 20;
constexpr std::int64_t SliceOverlap = 4096;

// `length` bytes from `at`, zero-filled past the end of the file as a window's buffer is.
std::string read_zero_filled(const ByteSource& file, std::int64_t at, std::int64_t length) {
    std::string bytes = file.Read(static_cast<std::uint64_t>(at), static_cast<std::size_t>(length));
    bytes.resize(static_cast<std::size_t>(length), '\0');
    return bytes;
}

std::int64_t percent_of(std::int64_t length, double share) {
    return static_cast<std::int64_t>(vb::RoundHalfEven(static_cast<double>(length) * share));
}

} // namespace

bool ReadComprmBytes(const ByteSource& file, std::string& cy, std::string& Fy, std::int32_t& Placy,
                     std::int32_t& CatyLen, const std::function<bool()>& stop) {
    const std::int64_t L = static_cast<std::int64_t>(file.Length());
    auto header = FindRsrcHeader(file);
    const std::int64_t P = header ? std::int64_t{header->PointerToRawData} : 0;

    std::vector<std::pair<std::int64_t, std::int64_t>> windows{{P, P + 7000}, {percent_of(L, 0.98), L}};
    if (L > 1000000) windows.emplace_back(0, percent_of(L, 0.11));
    windows.emplace_back(percent_of(L, 0.85), percent_of(L, 0.98));
    windows.emplace_back(percent_of(L, 0.75), percent_of(L, 0.85));
    windows.emplace_back(percent_of(L, 0.65), percent_of(L, 0.75));
    windows.emplace_back(percent_of(L, 0.48), percent_of(L, 0.65));
    windows.emplace_back(L > 1000000 ? percent_of(L, 0.11) : 0, percent_of(L, 0.48));

    bool ended = false;
    for (auto [from, to] : windows) {
        if (ended || !cy.empty()) break;
        // The window: from its start (4-aligned, plus 2) for n bytes.
        const std::int64_t start = (from & ~std::int64_t{3}) + 2;
        std::int64_t n = std::max<std::int64_t>(0, to - start);
        bool extended = false;
        for (bool again = true; again && !ended;) {
            again = false;
            for (std::int64_t s = 0; s < n && !ended && !again; s += SliceBytes) {
                // A long search may be ended between its slices; the file then counts as unreadable.
                if (s > 0 && stop && stop()) return false;
                const std::int64_t end = std::min(n, s + SliceBytes + SliceOverlap);
                const std::string slice = read_zero_filled(file, start + s, end - s);
                Bytes b{slice};
                auto position = [&](std::int64_t at) { return static_cast<std::int32_t>(start + s + at + 1); };
                for (std::int64_t q = 0; q < SliceBytes && s + q + 4 <= n && !ended && !again; q += 4) {
                    bool plain = b.has(q + 5, 1) && b.u8(q + 4) != 'M' && b.u8(q + 5) != 'I';
                    if (b.equals(q, "MIB8eman")) {
                        if (Fy.empty()) Fy = b.pascal(q + 16);
                        if (!cy.empty()) ended = true;
                    } else if (b.equals(q, "MIB8gtac")) {
                        Placy = position(q + 17);
                        if (n - (s + q) < 100 && !extended) {
                            // The window grows by 100 bytes (zero-filled past the end of the file) once and
                            // is searched again from its start.
                            n += 100;
                            extended = again = true;
                        } else {
                            std::string text = b.pascal(q + 16);
                            cy += text;
                            int z = b.zeros(q + 17 + static_cast<std::int64_t>(text.size()), 255);
                            CatyLen = static_cast<std::int32_t>(text.size()) + std::min(z, 256);
                            if (!Fy.empty()) ended = true;
                        }
                    } else if (plain && b.equals(q, "tlFV")) {
                        std::int64_t t = b.has(q + 8, 1) && b.u8(q + 8) < 3 ? q + 16 : q + 8;
                        Fy = b.zero_terminated(t, 256);
                        Placy = position(t + 1);
                        cy = "[Premiere Video]";
                        ended = true;
                    } else if (plain && b.equals(q, "tlFA")) {
                        Fy = b.zero_terminated(q + 8, 256);
                        Placy = position(q + 9);
                        cy = "[Premiere Audio]";
                        ended = true;
                    } else if (plain && b.equals(q, "XFPS")) {
                        std::string first = b.zero_terminated(q + 8, 256);
                        std::int64_t p = q + 8 + static_cast<std::int64_t>(first.size()); // its ending zero
                        const std::int64_t limit = std::min(end - s, p + 512);
                        while (p < limit && Fy.size() <= 3) {
                            std::int64_t nz = p + 1;
                            while (nz < limit && b.u8(nz) == 0)
                                ++nz;
                            if (nz >= limit) break;
                            if (nz - p < 2) {
                                p += 5;
                                continue;
                            }
                            std::string text = b.zero_terminated(nz, 256);
                            Fy += text;
                            p = nz + static_cast<std::int64_t>(text.size());
                        }
                        if (Fy.size() > first.size()) Fy = first;
                        Placy = position(q + 9);
                        cy = "[Premiere Transition]";
                    }
                }
            }
        }
    }
    strip_trailing_zeros(cy);
    strip_trailing_zeros(Fy);
    return !cy.empty() && !Fy.empty();
}

std::string ReadVersionBytes(std::string_view file, int Which) {
    static constexpr std::string_view keys[3] = {"FileDescription", "InternalName", "ProductName"};
    if (Which < 0 || Which > 2) return {};
    const std::string_view key = keys[Which];
    // The letters compared: 0-3 and 8-11, or 0-3 and 7-10 for ProductName.
    const int second = Which == 2 ? 7 : 8;
    const std::int64_t valueAt = Which == 0 ? 34 : 26;
    const Bytes b{file};
    const std::int64_t n = static_cast<std::int64_t>(file.size());
    std::string result;
    for (std::int64_t at = 0; at + 2 * (second + 4) <= n; at += 2) {
        bool match = true;
        for (int i = 0; i < 4 && match; ++i)
            match = b.u8(at + 2 * i) == static_cast<std::uint8_t>(key[i]) &&
                    b.u8(at + 2 * (second + i)) == static_cast<std::uint8_t>(key[second + i]);
        if (!match) continue;
        // An empty value (wValueLength 0, the word 4 bytes before the key) adds nothing: what follows
        // the key is then the next string's header.
        if (auto valueLength = b.u16(at - 4); valueLength && *valueLength == 0) continue;
        for (std::int64_t p = at + valueAt; p < at + 300 && p < n; p += 2) {
            if (b.u8(p) == 0) break;
            result += static_cast<char>(b.u8(p));
        }
    }
    return result;
}

bool ReadCom8bf(ff::FFContext& ff, std::string_view Filey, PluginInfoList& list) {
    std::string lower = vb::LCase(Filey);
    if (lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".bin") == 0) {
        std::uint64_t length = 0;
        try {
            length = files::file_length(std::string(Filey));
        } catch (const vb::Error&) {
        }
        if (length == 99712 || length == 99840) {
            std::string folder = GetPathName(Filey);
            if (!ff::Read8bf(ff, folder, GetFileName(Filey), false, false)) return false;
            list.assign(1, PluginInfo{ff.Record.Category, ff.Record.Title, 0,
                                      static_cast<std::int32_t>(vb::Utf8ToCp1252(ff.Record.Category).size())});
            return true;
        }
    }
    list.assign(1, PluginInfo{});
    try {
        FileBytes source(Filey);
        return ReadCom8bfResources(source, list);
    } catch (const vb::Error&) {
        return false;
    }
}

bool ReadComprm(std::string_view Filey, std::string& cy, std::string& Fy, std::int32_t& Placy, std::int32_t& CatyLen,
                const std::function<bool()>& stop) {
    std::string c = vb::Utf8ToCp1252(cy), t = vb::Utf8ToCp1252(Fy);
    bool ok = false;
    try {
        FileBytes source(Filey);
        bool stopped = false;
        ok = ReadComprmBytes(source, c, t, Placy, CatyLen, [&] { return stopped = stop && stop(); });
        // A search ended early found nothing to trust: the file counts as unreadable.
        if (stopped) {
            c = vb::Utf8ToCp1252(cy);
            t = vb::Utf8ToCp1252(Fy);
            ok = false;
        }
    } catch (const vb::Error&) {
        ok = false;
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    cy = vb::Cp1252ToUtf8(c);
    Fy = vb::Cp1252ToUtf8(t);
    return ok;
}

std::string ReadVersionRessource(std::string_view Filey, int Which) {
    return vb::Cp1252ToUtf8(ReadVersionBytes(files::read_file_bytes(std::string(Filey)), Which));
}

int MatchingPlugType(const PlugTypeTable& PlugTypes, std::string_view name) {
    std::string lower = vb::LCase(name);
    for (int c = 0; c <= PlugTypes.UBound(); ++c) {
        std::string ext = vb::LCase(PlugTypes(1, c));
        if (ext.empty() || lower.size() <= ext.size()) continue;
        std::size_t at = lower.size() - ext.size();
        if (lower.compare(at, ext.size(), ext) == 0 && (lower[at - 1] == '.' || lower[at - 1] == '_')) return c;
    }
    return -1;
}

bool ReadOther8b(const PlugTypeTable& PlugTypes, bool typeListHasEntries, std::string_view Filey, std::string& cy,
                 std::string& Fy) {
    std::string lower = vb::LCase(Filey);
    int digit = 3;
    if (typeListHasEntries) {
        int c = MatchingPlugType(PlugTypes, lower);
        if (c >= 0) {
            cy = "[" + PlugTypes(0, c) + "]";
            digit = static_cast<int>(vb::Val(PlugTypes(2, c)));
        }
    }
    if (cy.empty()) cy = "[Other Plugins]";
    if (digit < 3) {
        try {
            Fy = ReadVersionRessource(Filey, digit);
        } catch (const vb::Error&) {
        }
    }
    if (Fy.empty()) {
        std::string name = GetFileName(Filey);
        std::size_t cut = name.find('.');
        if (cut == std::string::npos) cut = name.find('_');
        Fy = name.substr(0, cut);
    }
    return !cy.empty() && !Fy.empty();
}

bool ReadOther8b(App& app, std::string_view Filey, std::string& cy, std::string& Fy) {
    return ReadOther8b(app.PlugTypes, app.form2().List1[3].ListCount() > 0, Filey, cy, Fy);
}

std::string DescribePlugin(std::string_view Filey) {
    std::string bytes;
    try {
        bytes = files::read_file_bytes(std::string(Filey));
    } catch (const vb::Error&) {
        return {};
    }
    const MemoryBytes source(bytes);
    PluginInfoList list;
    ReadCom8bfResources(source, list);
    std::string text;
    for (const auto& filter : list) {
        if (filter.Category.empty() && filter.Title.empty()) continue;
        text += filter.Category + ": " + filter.Title + "\r";
    }
    static constexpr std::string_view Keys[] = {"FileDescription", "InternalName", "ProductName"};
    for (int which = 0; which < 3; ++which) {
        const std::string value = vb::Cp1252ToUtf8(ReadVersionBytes(bytes, which));
        if (!value.empty()) text += std::string(Keys[which]) + ": " + value + "\r";
    }
    if (!text.empty()) text.pop_back();
    return text;
}

} // namespace vexolan::catalogue
