// The stand-in template plug-ins: 32-bit Windows DLL images of our own making, laid out so that the
// compiler's fixed positions fall on the fields a Filter Factory template keeps there.
//
// Image layout (file offsets, 0-based):
//   0x000  DOS header ("MZ", e_lfanew = 0x80)
//   0x080  "PE\0\0", COFF header, PE32 optional header (16 data directories)
//   0x178  section table: ".data", ".rsrc" (the ".rsrc" letters fall in the window where the
//          catalogue looks for them)
//   0x400  .data: a note saying what the file is, and the signature text at the layout's position
//   then   .rsrc: the resource directory, one "PARM" resource (the parameter block at the layout's
//          position) and one "PIPL" resource whose name, category and supported-modes properties
//          carry their data where the layout puts the title field, the category field and the modes
//          word.
// There is no code section, no entry point, no import or export table: nothing in the file can be run.

#include "filterfactory/compiler.hpp"

#include "platform/fs/files.hpp"
#include "platform/values/values.hpp"

#include <stdexcept>

namespace vexolan::ff {

namespace {

constexpr std::uint32_t FileAlignment = 0x200;
constexpr std::uint32_t SectionAlignment = 0x1000;
constexpr std::uint32_t HeadersSize = 0x400;
constexpr std::uint32_t PeHeader = 0x80;
constexpr std::uint32_t OptionalHeaderSize = 224;
constexpr std::uint32_t SectionTable = PeHeader + 4 + 20 + OptionalHeaderSize; // 0x178
constexpr std::uint32_t ImageBase = 0x10000000;
constexpr std::uint32_t ResourceId = 16000;
constexpr std::uint32_t LanguageEnUs = 0x0409;

// PiPL properties are a 16-byte head (vendor, key, identifier, data length) and their data.
constexpr std::uint32_t PropertyHead = 16;
// The room of the name property's data: its length byte, the title and the zero bytes up to the next
// property, which starts 52 bytes after the title's length byte in every template layout.
constexpr std::uint32_t NameData = 52 - PropertyHead;
// The properties before the name: kind and version, 20 bytes each.
constexpr std::uint32_t LeadingProperties = 2 * (PropertyHead + 4);
// The PiPL resource head: a 16-bit 1, the list version and the property count.
constexpr std::uint32_t PiplHead = 10;

constexpr std::uint32_t align_up(std::uint32_t n, std::uint32_t a) {
    return (n + a - 1) / a * a;
}

void put16(std::string& f, std::size_t at, std::uint32_t v) {
    f[at] = static_cast<char>(v & 0xFF);
    f[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

void put32(std::string& f, std::size_t at, std::uint32_t v) {
    put16(f, at, v & 0xFFFF);
    put16(f, at + 2, v >> 16);
}

void put_bytes(std::string& f, std::size_t at, std::string_view bytes) {
    f.replace(at, bytes.size(), bytes);
}

// A PiPL property of Adobe's vendor code; keys are given as they are stored (byte-reversed).
void put_property(std::string& f, std::size_t at, std::string_view storedKey, std::uint32_t dataLength) {
    put_bytes(f, at, "MIB8");
    put_bytes(f, at + 4, storedKey);
    put32(f, at + 8, 0);
    put32(f, at + 12, dataLength);
}

// A length byte, the letters and the zero bytes of a name or category property's data.
void put_counted(std::string& f, std::size_t at, std::string_view text) {
    f[at] = static_cast<char>(text.size());
    put_bytes(f, at + 1, text);
}

// One resource directory holding a single entry.
void put_directory(std::string& f, std::size_t at, std::uint16_t named, std::uint16_t ids, std::uint32_t name,
                   std::uint32_t next) {
    put16(f, at + 12, named);
    put16(f, at + 14, ids);
    put32(f, at + 16, name);
    put32(f, at + 20, next);
}

void put_section(std::string& f, std::size_t at, std::string_view name, std::uint32_t va, std::uint32_t rawOffset,
                 std::uint32_t rawSize, std::uint32_t characteristics) {
    put_bytes(f, at, name);
    put32(f, at + 8, rawSize); // VirtualSize
    put32(f, at + 12, va);
    put32(f, at + 16, rawSize);
    put32(f, at + 20, rawOffset);
    put32(f, at + 36, characteristics);
}

} // namespace

std::string MakeStandInTemplate(const PluginLayout& layout) {
    const auto length = static_cast<std::uint32_t>(layout.Lengths[0]);
    const auto signature = static_cast<std::uint32_t>(buffer_index(layout.Signature));
    const auto nameProperty = static_cast<std::uint32_t>(buffer_index(layout.TitleLength)) - PropertyHead;
    const auto categoryProperty = static_cast<std::uint32_t>(buffer_index(layout.CategoryLength)) - PropertyHead;
    const auto modesProperty = static_cast<std::uint32_t>(buffer_index(layout.ModesWord)) - PropertyHead;
    const auto parameterBlock = static_cast<std::uint32_t>(buffer_index(layout.Block));
    const std::uint32_t pipl = nameProperty - LeadingProperties - PiplHead;
    const std::uint32_t categoryData = modesProperty - categoryProperty - PropertyHead;
    const std::uint32_t piplEnd = modesProperty + PropertyHead + 4;

    const std::uint32_t dataOffset = HeadersSize;
    const std::uint32_t rsrcOffset = align_up(signature + static_cast<std::uint32_t>(SignatureBlank.size()) + 1,
                                              FileAlignment);
    if (layout.TitleLength == 0 || categoryProperty != nameProperty + PropertyHead + NameData ||
        modesProperty <= categoryProperty + PropertyHead || pipl % 4 != 0 || pipl < rsrcOffset + 256 ||
        parameterBlock < piplEnd || parameterBlock + block::Size > length || length % FileAlignment != 0)
        throw std::logic_error(std::string("no stand-in template for the layout ") + std::string(layout.Name));

    const std::uint32_t dataSize = rsrcOffset - dataOffset;
    const std::uint32_t rsrcSize = length - rsrcOffset;
    const std::uint32_t dataVA = SectionAlignment;
    const std::uint32_t rsrcVA = dataVA + align_up(dataSize, SectionAlignment);
    const std::uint32_t imageSize = rsrcVA + align_up(rsrcSize, SectionAlignment);
    const auto rva = [&](std::uint32_t fileOffset) { return rsrcVA + (fileOffset - rsrcOffset); };

    std::string f(length, '\0');

    // DOS header: the usual values of a linker's header, with no stub program.
    put_bytes(f, 0, "MZ");
    put16(f, 0x02, 0x90);
    put16(f, 0x04, 3);
    put16(f, 0x08, 4);
    put16(f, 0x0C, 0xFFFF);
    put16(f, 0x10, 0xB8);
    put16(f, 0x18, 0x40);
    put32(f, 0x3C, PeHeader);

    // COFF header: i386, two sections, a DLL image without line numbers or symbols.
    put_bytes(f, PeHeader, std::string_view("PE\0\0", 4));
    const std::size_t coff = PeHeader + 4;
    put16(f, coff, 0x014C);
    put16(f, coff + 2, 2);
    put16(f, coff + 16, OptionalHeaderSize);
    put16(f, coff + 18, 0x0002 | 0x0004 | 0x0008 | 0x0100 | 0x2000);

    // PE32 optional header. AddressOfEntryPoint and SizeOfCode stay 0: there is no code.
    const std::size_t opt = coff + 20;
    put16(f, opt, 0x010B);
    put32(f, opt + 8, dataSize + rsrcSize); // SizeOfInitializedData
    put32(f, opt + 24, dataVA);             // BaseOfData
    put32(f, opt + 28, ImageBase);
    put32(f, opt + 32, SectionAlignment);
    put32(f, opt + 36, FileAlignment);
    put16(f, opt + 40, 4); // operating system version 4.0
    put16(f, opt + 48, 4); // subsystem version 4.0
    put32(f, opt + 56, imageSize);
    put32(f, opt + 60, HeadersSize);
    put16(f, opt + 68, 2); // Windows GUI
    put32(f, opt + 72, 0x100000);
    put32(f, opt + 76, 0x1000);
    put32(f, opt + 80, 0x100000);
    put32(f, opt + 84, 0x1000);
    put32(f, opt + 92, 16);
    put32(f, opt + 96 + 2 * 8, rsrcVA); // data directory 2: the resources
    put32(f, opt + 96 + 2 * 8 + 4, rsrcSize);

    put_section(f, SectionTable, ".data", dataVA, dataOffset, dataSize, 0xC0000040);
    put_section(f, SectionTable + 40, ".rsrc", rsrcVA, rsrcOffset, rsrcSize, 0x40000040);

    // .data: what the file is, and the signature.
    put_bytes(f, dataOffset, "Vexolan stand-in Filter Factory template: plug-ins made from it run only in Vexolan.");
    put_bytes(f, signature, SignatureBlank);

    // .rsrc: root (two named types) -> type (one id) -> language (one id) -> data entry.
    const std::uint32_t r = rsrcOffset;
    constexpr std::uint32_t Subdirectory = 0x80000000, Named = 0x80000000;
    constexpr std::uint32_t ParmType = 32, PiplType = 56, ParmLanguage = 80, PiplLanguage = 104;
    constexpr std::uint32_t ParmData = 128, PiplData = 144, ParmName = 160, PiplName = 170;
    put16(f, r + 12, 2);
    put32(f, r + 16, Named | ParmName);
    put32(f, r + 20, Subdirectory | ParmType);
    put32(f, r + 24, Named | PiplName);
    put32(f, r + 28, Subdirectory | PiplType);
    put_directory(f, r + ParmType, 0, 1, ResourceId, Subdirectory | ParmLanguage);
    put_directory(f, r + PiplType, 0, 1, ResourceId, Subdirectory | PiplLanguage);
    put_directory(f, r + ParmLanguage, 0, 1, LanguageEnUs, ParmData);
    put_directory(f, r + PiplLanguage, 0, 1, LanguageEnUs, PiplData);
    put32(f, r + ParmData, rva(parameterBlock));
    put32(f, r + ParmData + 4, static_cast<std::uint32_t>(block::Size));
    put32(f, r + PiplData, rva(pipl));
    put32(f, r + PiplData + 4, piplEnd - pipl);
    for (auto [at, name] : {std::pair{ParmName, std::string_view("PARM")}, std::pair{PiplName, std::string_view("PIPL")}}) {
        put16(f, r + at, static_cast<std::uint32_t>(name.size()));
        for (std::size_t i = 0; i < name.size(); ++i)
            put16(f, r + at + 2 + 2 * i, static_cast<std::uint8_t>(name[i]));
    }

    // The PiPL: kind "8BFM" (a filter), version 4.0, name, category, supported modes. No code property
    // names an entry point, so no image editor takes it for a filter it could run.
    put16(f, pipl, 1);
    put32(f, pipl + 6, 5);
    std::uint32_t p = pipl + PiplHead;
    put_property(f, p, "dnik", 4);
    put_bytes(f, p + PropertyHead, "MFB8");
    p += PropertyHead + 4;
    put_property(f, p, "srev", 4);
    put32(f, p + PropertyHead, 0x00040000);
    put_property(f, nameProperty, "eman", NameData);
    put_counted(f, nameProperty + PropertyHead, "Untitled");
    put_property(f, categoryProperty, "gtac", categoryData);
    put_counted(f, categoryProperty + PropertyHead, "Synthetic");
    put_property(f, modesProperty, "edom", 4);
    put_bytes(f, modesProperty + PropertyHead, std::string_view("\x10\x00", 2));

    // The parameter block: the identity filter, showing its dialog with the filter's own controls.
    const auto slot = [&](int offset) { return parameterBlock + static_cast<std::uint32_t>(offset); };
    f[slot(block::EditorFlag)] = 1;
    f[slot(block::ShowDialog)] = 1;
    put_bytes(f, slot(block::Category), "Synthetic");
    put_bytes(f, slot(block::Title), "Untitled");
    const std::string_view identity[] = {"r", "g", "b", "a"};
    for (int k = 0; k < 4; ++k)
        put_bytes(f, slot(block::Formula(k)), identity[k]);
    return f;
}

void WriteStandInTemplates(const std::string& folder) {
    for (const PluginLayout* layout : {&Layout57344, &Layout49152})
        files::replace_file(files::join_path(folder, layout->Template), MakeStandInTemplate(*layout));
}

void RenewOldStandInTemplates(const std::string& folder) {
    static constexpr std::string_view OldNote = "Vexolan stand-in Filter Factory template";
    for (const PluginLayout* layout : {&Layout57344, &Layout49152}) {
        const std::string path = files::join_path(folder, layout->Template);
        if (!files::file_exists(path) || files::file_length(path) != static_cast<std::uint64_t>(layout->Lengths[0]))
            continue;
        const std::string file = files::read_file_bytes(path);
        if (file.compare(0, OldNote.size(), OldNote) == 0) files::replace_file(path, MakeStandInTemplate(*layout));
    }
}

} // namespace vexolan::ff
