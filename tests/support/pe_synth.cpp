#include "tests/support/pe_synth.hpp"

#include <algorithm>
#include <fstream>
#include <random>

namespace pe_synth {

namespace {

std::string u16(std::uint32_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string u32(std::uint32_t v) {
    return u16(v & 0xFFFF) + u16(v >> 16);
}
void pad4(std::string& s) {
    while (s.size() % 4)
        s += '\0';
}
std::string utf16(const std::string& text) {
    std::string out;
    for (char c : text)
        out += std::string{c, '\0'};
    return out;
}
std::string property(const std::string& key, const std::string& data) {
    std::string p = "MIB8" + key + u32(0) + u32(static_cast<std::uint32_t>(data.size())) + data;
    pad4(p);
    return p;
}
std::string pascal(const std::string& text) {
    return std::string(1, static_cast<char>(text.size())) + text;
}

} // namespace

std::string PiplData(const PiplFilter& f) {
    std::string d = u16(1) + u32(0) + u32(f.Category ? 3 : 2);
    if (f.Category)
        d += property("gtac", pascal(*f.Category) + std::string(static_cast<std::size_t>(f.CategoryZeros), '\0'));
    std::string name = pascal(f.Name);
    if (name.size() < static_cast<std::size_t>(f.NameDataBytes))
        name.resize(static_cast<std::size_t>(f.NameDataBytes), '\0');
    d += property("eman", name);
    d += property("dniK", "MFB8");
    return d;
}

Resource Pipl(const std::vector<PiplFilter>& filters) {
    Resource r{"PIPL", {}};
    for (const auto& f : filters)
        r.Datas.push_back(PiplData(f));
    return r;
}

Resource Pimi(const std::vector<std::string>& categories, std::size_t size) {
    Resource r{"PIMI", {}};
    for (const auto& c : categories) {
        std::string d = u16(1) + c + '\0';
        if (d.size() < size) d.resize(size, '\0');
        r.Datas.push_back(d);
    }
    return r;
}

Resource Menu(const std::vector<std::string>& names) {
    Resource r{"_8BFM", {}};
    for (const auto& n : names)
        r.Datas.push_back(u16(1) + n + '\0');
    return r;
}

std::string VersionString(const std::string& key, const std::string& value) {
    std::string body = utf16(key) + u16(0);
    std::string s = u16(0) + u16(value.empty() ? 0 : static_cast<std::uint32_t>(value.size() + 1)) + u16(1) + body;
    pad4(s);
    if (!value.empty()) s += utf16(value) + u16(0);
    pad4(s);
    s[0] = static_cast<char>(s.size() & 0xFF);
    s[1] = static_cast<char>(s.size() >> 8);
    return s;
}

void Put(std::string& file, std::size_t offset, const std::string& bytes) {
    if (file.size() < offset + bytes.size()) file.resize(offset + bytes.size(), '\0');
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutU32(std::string& file, std::size_t offset, std::uint32_t value) {
    Put(file, offset, u32(value));
}

Built Make(const Options& o) {
    Built b;
    b.S = o.PointerToRawData & ~3u;
    // --- the resource tree, laid out in the order directories, data entries, names, data ---
    const std::uint32_t named = static_cast<std::uint32_t>(o.Resources.size());
    const std::uint32_t ids = o.VersionEntry ? 1 : 0;
    std::uint32_t at = 16 + 8 * (named + ids);
    std::vector<std::uint32_t> typeDir, langDir0, nameAt;
    for (const auto& r : o.Resources) {
        typeDir.push_back(at);
        at += 16 + 8 * static_cast<std::uint32_t>(r.Datas.size());
    }
    for (const auto& r : o.Resources) {
        langDir0.push_back(at);
        at += 24 * static_cast<std::uint32_t>(r.Datas.size());
    }
    std::vector<std::uint32_t> entry0;
    for (const auto& r : o.Resources) {
        entry0.push_back(at);
        at += 16 * static_cast<std::uint32_t>(r.Datas.size());
    }
    for (const auto& r : o.Resources) {
        nameAt.push_back(at);
        at += 2 + 2 * static_cast<std::uint32_t>(r.Type.size());
    }
    at = (at + 3) & ~3u;
    if (o.FirstDataOffset) at = *o.FirstDataOffset;
    std::string sec;
    // the root
    Put(sec, 0, u32(0) + u32(0) + u16(0) + u16(0) + u16(named) + u16(ids));
    for (std::uint32_t t = 0; t < named; ++t)
        Put(sec, 16 + 8 * t, u32(0x80000000u | nameAt[t]) + u32(0x80000000u | typeDir[t]));
    if (ids) Put(sec, 16 + 8 * named, u32(16) + u32(0x80000000u | (typeDir.empty() ? 0 : typeDir.back())));
    b.Data.resize(named);
    b.DataEntry.resize(named);
    for (std::uint32_t t = 0; t < named; ++t) {
        const auto& r = o.Resources[t];
        const auto n = static_cast<std::uint32_t>(r.Datas.size());
        Put(sec, typeDir[t], std::string(12, '\0') + u16(0) + u16(n));
        Put(sec, nameAt[t], u16(static_cast<std::uint32_t>(r.Type.size())) + utf16(r.Type));
        for (std::uint32_t j = 0; j < n; ++j) {
            std::uint32_t lang = langDir0[t] + 24 * j, entry = entry0[t] + 16 * j;
            Put(sec, typeDir[t] + 16 + 8 * j, u32(16000 + j) + u32(0x80000000u | lang));
            Put(sec, lang, std::string(12, '\0') + u16(0) + u16(1) + u32(0x0409) + u32(entry));
            const std::string& data = r.Datas[j];
            Put(sec, at, data + std::string(4, '\0'));
            Put(sec, entry,
                u32(o.VirtualAddress + at) + u32(static_cast<std::uint32_t>(data.size())) + u32(0) + u32(0));
            b.Data[t].push_back(at);
            b.DataEntry[t].push_back(entry);
            at = static_cast<std::uint32_t>((at + data.size() + 4 + 3) & ~std::size_t{3});
        }
    }
    Put(sec, at, o.Extra);
    pad4(sec);

    // --- the headers ---
    std::string file;
    Put(file, 0, "MZ");
    PutU32(file, 0x3C, o.LfaNew);
    const std::uint32_t optional = o.Pe64 ? 0xF0 : 0xE0;
    const std::uint32_t sections = static_cast<std::uint32_t>(o.SectionsBefore) + 1;
    Put(file, o.LfaNew,
        std::string("PE\0\0", 4) + u16(o.Pe64 ? 0x8664 : 0x014C) + u16(sections) + u32(0) + u32(0) + u32(0) +
            u16(optional) + u16(0x2102));
    Put(file, o.LfaNew + 24, u16(o.Pe64 ? 0x20B : 0x10B) + std::string(optional - 2, '\0'));
    std::uint32_t table = o.LfaNew + 24 + optional;
    for (int s = 0; s < o.SectionsBefore; ++s)
        Put(file, table + 40 * static_cast<std::uint32_t>(s),
            std::string(".text\0\0\0", 8) + u32(0x100) + u32(0x1000) + u32(0) + u32(0) + std::string(12, '\0') +
                u32(0x60000020));
    b.SectionHeaderAt = table + 40 * static_cast<std::uint32_t>(o.SectionsBefore);
    Put(file, b.SectionHeaderAt,
        std::string(".rsrc\0\0\0", 8) + u32(static_cast<std::uint32_t>(sec.size())) + u32(o.VirtualAddress) +
            u32(static_cast<std::uint32_t>(sec.size())) + u32(o.PointerToRawData) + std::string(12, '\0') +
            u32(0x40000040));
    Put(file, b.S, sec);
    if (file.size() < o.Length) file.resize(o.Length, '\0');
    b.Bytes = std::move(file);
    return b;
}

namespace {

std::string u32le(std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i)
        s[static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

std::string pipl_property(const std::string& key, std::string data) {
    while ((16 + data.size()) % 4)
        data += '\0';
    return "MIB8" + key + u32le(0) + u32le(static_cast<std::uint32_t>(data.size())) + data;
}

} // namespace

std::string FilterFactoryPlugin(const std::string& title, const std::string& category) {
    std::string name(1, static_cast<char>(title.size()));
    name += title;
    name.resize(36, '\0');
    std::string cat(1, static_cast<char>(category.size()));
    cat += category;
    cat.resize(92, '\0');
    Options o;
    o.Resources.push_back({"PIPL", {std::string("\x01\x00", 2) + u32le(0) + u32le(3) + pipl_property("eman", name) +
                                    pipl_property("gtac", cat) + pipl_property("dniK", "MFB8")}});
    o.FirstDataOffset = static_cast<std::uint32_t>(23843 - 1 - 26 - o.PointerToRawData);
    o.Length = 49152;
    std::string bytes = Make(o).Bytes;
    bytes.resize(49152, '\0');
    Put(bytes, 21024, std::string("Filter Factory", 15));
    return bytes;
}

void WriteBenchmarkPlugins(const std::filesystem::path& root, int count, std::size_t length, std::size_t spread) {
    std::mt19937 rng(2026);
    for (int k = 0; k < count; ++k) {
        const auto dir = root / ("Group " + std::to_string(k / 1000)) / ("Set" + std::to_string(k / 100 % 10));
        std::filesystem::create_directories(dir);
        Options o;
        std::vector<PiplFilter> filters;
        for (std::uint32_t j = 0; j <= rng() % 3; ++j)
            filters.push_back({"Filter " + std::to_string(k) + "." + std::to_string(j),
                               "Category " + std::to_string(rng() % 40)});
        o.Resources.push_back(Pipl(filters));
        o.Length = length + rng() % spread;
        std::string bytes = Make(o).Bytes;
        for (std::size_t i = 0x2000; i < bytes.size(); ++i)
            bytes[i] = static_cast<char>(i * 131 + 7);
        std::ofstream(dir / ("plugin" + std::to_string(k) + ".8bf"), std::ios::binary) << bytes;
    }
}

} // namespace pe_synth
