#pragma once
// Synthetic Windows PE plug-ins for tests: PE32 or PE32+ files whose .rsrc section holds PiPL, PIMI
// and _8BFM resources (one per filter), version strings, at chosen sizes and places.
//
//     pe_synth::Options o;
//     o.Resources.push_back(pe_synth::Pipl({{"Twirl", "Distort"}, {"Wave", "Distort"}}));
//     pe_synth::Built pe = pe_synth::Make(o);   // pe.Bytes, pe.S, pe.Data[type][filter] (D)

#include <filesystem>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pe_synth {

// One named resource type with one resource (data) per filter.
struct Resource {
    std::string Type; // "PIPL", "PIMI", "_8BFM"
    std::vector<std::string> Datas;
};

struct PiplFilter {
    std::string Name;
    std::optional<std::string> Category;
    // Zero bytes after the category's letters inside its property (the property is padded to 4 on top
    // when 1 + letters + zeros is no multiple of 4).
    int CategoryZeros = 2;
    // The name property holds this many data bytes at least (zero padded).
    int NameDataBytes = 0;
};

// A PiPL resource for one filter: header, then the category property (when given), the name property
// and a closing "kind" property whose non-zero vendor ends the category's zero run.
std::string PiplData(const PiplFilter& filter);
Resource Pipl(const std::vector<PiplFilter>& filters);
// PIMI: a 16-bit word, then the category and a zero, padded to `size` bytes at least.
Resource Pimi(const std::vector<std::string>& categories, std::size_t size = 24);
// _8BFM: a 16-bit word, then the menu name and a zero.
Resource Menu(const std::vector<std::string>& names);

// A version String struct (wLength, wValueLength, wType 1, key, padding, value), 4-aligned in size.
std::string VersionString(const std::string& key, const std::string& value);

struct Options {
    bool Pe64 = false;
    std::uint32_t LfaNew = 0x80;
    // Sections before .rsrc in the table (each 40 bytes further on).
    int SectionsBefore = 0;
    std::uint32_t PointerToRawData = 0x400;
    std::uint32_t VirtualAddress = 0x3000;
    std::vector<Resource> Resources;
    // Raw bytes put after the resource data inside the section (version strings, for example).
    std::string Extra;
    // The section offset of the first resource's data (4-aligned), or after the tree when unset.
    std::optional<std::uint32_t> FirstDataOffset;
    // An ID entry (16, RT_VERSION) after the named ones in the root directory.
    bool VersionEntry = true;
    // The file is padded with zeros to this length at least.
    std::size_t Length = 0;
};

struct Built {
    std::string Bytes;
    std::uint32_t S = 0;                               // the section's file offset
    std::vector<std::vector<std::uint32_t>> Data;      // section offset D of each resource, by type
    std::vector<std::vector<std::uint32_t>> DataEntry; // section offset of each data entry, by type
    std::uint32_t RootAt = 0;                          // section offset of the root directory
    std::uint32_t SectionHeaderAt = 0;                 // file offset of the .rsrc section header
};

Built Make(const Options& options);

// Writes `bytes` into `file` at the 0-based `offset`, growing it with zeros when needed.
void Put(std::string& file, std::size_t offset, const std::string& bytes);
void PutU32(std::string& file, std::size_t offset, std::uint32_t value);

// A 49152-byte Filter Factory plug-in: its PiPL name and category lie in the layout's title and
// category fields, and it carries the Filter Factory signature.
std::string FilterFactoryPlugin(const std::string& title, const std::string& category);

// Writes `count` plug-ins for the scan benchmarks under `root`, a hundred to a folder
// ("Group G/SetS/pluginK.8bf"), each with one to three filters in forty categories and
// `length` + a random part of `spread` bytes, filled with code-like bytes rather than zeros.
void WriteBenchmarkPlugins(const std::filesystem::path& root, int count, std::size_t length, std::size_t spread);

} // namespace pe_synth
