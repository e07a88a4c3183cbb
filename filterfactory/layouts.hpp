#pragma once
// Where Filter Factory and Premiere plug-ins keep a filter: the one description of every accepted
// file length, signature and field position. The plug-in reader, the compiler, the catalogue and the
// plug-in host all read their positions from here.
//
// A Filter Factory plug-in is a template plug-in patched at fixed places, so it is recognised by its
// exact length and a signature text, never by parsing its executable structure. File positions are
// 1-based (see bytes.hpp); offsets inside the parameter block count from 0 at the block's first byte.

#include "filterfactory/bytes.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vexolan::ff {

// --- Photoshop Filter Factory plug-ins ---------------------------------------------------------------

// The signature texts that mark a Filter Factory plug-in (the last with a leading blank).
inline constexpr std::string_view SignatureDash = "Filter-Factory";
inline constexpr std::string_view SignatureBlank = "Filter Factory";
inline constexpr std::string_view SignatureLeadingBlank = " FilterFactory";
// A MacBinary plug-in stores only the text after this prefix at its signature position.
inline constexpr std::string_view MacSignaturePrefix = "Filter ";

struct PluginLayout {
    std::string_view Name;               // "57344", "49152/50176 FilterFactory", "MacBinary", ...
    std::array<std::int64_t, 2> Lengths; // file lengths that select this layout (0 = unused)
    int Shift;                           // S: how far the block sits from the 57344-byte layout's
    FilePos Signature;                   // zero-terminated signature text
    FilePos TitleLength;                 // length byte of the title field; 0 when there is none
    FilePos Title;                       // first letter of the title
    FilePos CategoryLength;              // length byte of the category field; 0 when there is none
    FilePos Category;                    // first letter of the category
    FilePos ModesWord;                   // 16-bit supported-modes word (compiler only); 0 when there is none
    FilePos Block;                       // P: first byte of the 8296-byte parameter block
    bool TitleFromBlock;                 // title and category are read from the block's own slots
    bool MacBinary;                      // big-endian numbers and length-prefixed texts
    bool Compiled;                       // the compiler writes plug-ins of this layout
    std::string_view Template;           // its template in the application folder; empty = the user's own
    FilePos PreviewData;                 // "Big"/"Mega" preview dialog data; 0 when absent
    FilePos AuthorLine;                  // UTF-16LE author/copyright line; 0 when absent
};

inline constexpr int MaxAuthorLineBytes = 124;

// One row per layout. The " FilterFactory" variant shares its lengths with the 49152/50176 rows and
// is chosen only by its signature (see FindPluginLayout).
// clang-format off
inline constexpr std::array<PluginLayout, 7> PluginLayouts{{
//   Name                          Lengths         Shift  Sign.  TitleL Title  CatL   Cat    Modes  Block  FromBl MacBin Compiled Template       Preview AuthorLine
    {"57344",                     {57344, 0},         0, 28209, 31011, 31012, 31063, 31064, 31155, 31253, false, false, true,  "photo30.dll",  43809, 0},
    {"49152",                     {49152, 0},     -7168, 21025, 23843, 23844, 23895, 23896, 23987, 24085, false, false, true,  "photo304.dll", 36641, 0},
    {"50176",                     {50176, 0},     -7168, 21025, 23843, 23844, 23895, 23896, 23987, 24085, false, false, false, "",             36641, 0},
    {"49664",                     {49664, 0},     -4668, 21025, 34927, 34928, 34979, 34980, 35071, 26585, false, false, true,  "",             0,     42335},
    {"53760",                     {53760, 0},      -576, 27697, 0,     30352, 30403, 30404, 0,     30677, false, false, false, "",             0,     0},
    {"49152/50176 FilterFactory", {49152, 50176}, -5096, 21025, 0,     26517, 0,     26261, 0,     26157, true,  false, false, "",             0,     0},
    {"MacBinary",                 {99712, 99840}, 19308, 59018, 49853, 49854, 50125, 50126, 0,     50561, false, true,  false, "",             0,     0},
}};
// clang-format on

inline constexpr const PluginLayout& Layout57344 = PluginLayouts[0];
inline constexpr const PluginLayout& Layout49152 = PluginLayouts[1];
inline constexpr const PluginLayout& Layout50176 = PluginLayouts[2];
inline constexpr const PluginLayout& Layout49664 = PluginLayouts[3];
inline constexpr const PluginLayout& Layout53760 = PluginLayouts[4];
inline constexpr const PluginLayout& LayoutFilterFactoryVariant = PluginLayouts[5];
inline constexpr const PluginLayout& LayoutMacBinary = PluginLayouts[6];

// The layout a file of `length` bytes has before its signature is looked at; null for any length
// that is not a Filter Factory plug-in. Never the " FilterFactory" variant.
const PluginLayout* LayoutForLength(std::int64_t length);

// The signature text of `file` as `layout` places it ("Filter " put in front for MacBinary); empty
// when the position lies outside the file.
std::string SignatureText(std::string_view file, const PluginLayout& layout);

// Whether `text` is one of the three signatures.
bool IsFilterFactorySignature(std::string_view text);

// The layout of a whole plug-in file: by its length, then by its signature, with the " FilterFactory"
// variant for 49152- and 50176-byte files that carry it. Null when the file is not a Filter Factory
// plug-in.
const PluginLayout* FindPluginLayout(std::string_view file);

// Offsets inside the parameter block. Numbers are 32-bit fields of which only the low byte is read or
// written: the first byte of the field on the PC, the fourth in MacBinary form (big-endian).
namespace block {
inline constexpr int Size = 8296;
inline constexpr int EditorFlag = 4;  // 1 = the plug-in shows its controls, 0 = the formula editor
inline constexpr int ShowDialog = 40; // 1 = show the dialog when run, 0 = run at once
constexpr int Value(int c) {
    return 8 + 4 * c;
}
constexpr int MapUsed(int m) {
    return 56 + 4 * m;
}
constexpr int ControlUsed(int c) {
    return 72 + 4 * c;
}
inline constexpr int TextSlot = 256;
inline constexpr int Category = 104;
inline constexpr int Title = 360;
inline constexpr int Copyright = 616;
inline constexpr int Author = 872;
constexpr int MapName(int m) {
    return 1128 + TextSlot * m;
}
constexpr int ControlName(int c) {
    return 2152 + TextSlot * c;
}
inline constexpr int FormulaSlot = 1024;
// The formula of channel k (0 red, 1 green, 2 blue, 3 alpha); zero-terminated in every layout.
constexpr int Formula(int k) {
    return 4200 + FormulaSlot * k;
}
} // namespace block

// Position of the low byte of the 32-bit number at `offset` in the block of `layout`.
FilePos NumberPos(const PluginLayout& layout, int offset);
// Position of the text slot at `offset` in the block (its length byte in MacBinary form).
inline FilePos SlotPos(const PluginLayout& layout, int offset) {
    return layout.Block + offset;
}

// A text of a plug-in's title or category field or of a block slot, as UTF-8: zero-terminated from
// `pos` on, or in MacBinary form the length byte at `pos` followed by that many letters.
std::string ReadPluginText(std::string_view file, FilePos pos, bool lengthPrefixed);

// --- Premiere Filter Factory plug-ins -------------------------------------------------------------------

inline constexpr std::array<std::int64_t, 3> PremiereFFLengths{50176, 50688, 53248};
inline constexpr FilePos PremiereFFProbeX = 29021;
inline constexpr FilePos PremiereFFProbeY = 28877; // looked at when X is "D"
inline constexpr FilePos PremiereFFProbeZ = 32031; // looked at when X is 202

// One row of the probe table: X selects the row group, the further probe (when there is one) the
// row; the first matching row wins.
struct PremiereProbe {
    int X;              // byte at the first probe position
    FilePos FurtherPos; // 0 = no further probe
    int Further;        // byte the further probe must hold; -1 = any byte
    int Shift;          // b
    FilePos TitlePos;   // "category: title" text
};

inline constexpr std::array<PremiereProbe, 8> PremiereFFProbes{{
    {'D', PremiereFFProbeY, 'v', -4, 29099},
    {'D', PremiereFFProbeY, 'r', -8, 29099},
    {'D', PremiereFFProbeY, -1, 0, 29107},
    {'e', 0, -1, 504, 29611},
    {202, PremiereFFProbeZ, 'r', 3064, 32171},
    {202, PremiereFFProbeZ, 'c', 3072, 32179},
    {202, PremiereFFProbeZ, -1, 0, 29107},
    {'5', 0, -1, 0, 29107},
}};
inline constexpr FilePos PremiereFFBlockBase = 29365; // block B = b + 29365

// Offsets in the Premiere parameter block (Filter Factory and Transition Factory alike). Values and
// flags sit as in the Photoshop block (block::Value, block::MapUsed, ...), little-endian.
namespace premiere_block {
inline constexpr int Size = block::Size;
inline constexpr int Copyright = 360;
// The formulas are stored blue, green, red, alpha.
inline constexpr int FormulaBlue = 4200;
inline constexpr int FormulaGreen = 5224;
inline constexpr int FormulaRed = 6248;
inline constexpr int FormulaAlpha = 7272;
} // namespace premiere_block

struct PremiereFFLayout {
    int Shift;     // b
    FilePos Title; // "category: title"
    FilePos Block; // B
};

// The layout of a Premiere Filter Factory plug-in; nothing when the length or the probes do not match
// or the file is too short for them.
std::optional<PremiereFFLayout> FindPremiereFFLayout(std::string_view file);

// --- Premiere Transition Factory plug-ins -----------------------------------------------------------------

inline constexpr FilePos TransitionProbeX = 29081;
inline constexpr FilePos TransitionProbeY = 22033; // looked at when X is "n"
inline constexpr std::string_view TransitionIdentity = "Premiere Transition Factory";

struct TransitionProbe {
    int X;
    int Further;         // byte at TransitionProbeY (only for X = "n"); -1 = any, -2 = not looked at
    int Shift;           // b: title and TFExtra
    FilePos IdentityPos; // 0 = the build carries no identity text
    int BlockShift;      // b raised for the block
};

inline constexpr std::array<TransitionProbe, 5> TransitionProbes{{
    {'n', 'P', 9904, 22033, 9912},
    {'n', 139, 520, 0, 524},
    {'n', -1, 0, 21521, 0},
    {'o', -2, 3076, 25105, 3076},
    {'2', -2, 0, 21521, 0},
}};
inline constexpr FilePos TransitionTitleBase = 29171; // title = b + 29171
inline constexpr FilePos TransitionExtraBase = 29427; // TFExtra = b + 29427
inline constexpr FilePos TransitionBlockBase = 29697; // block T = raised b + 29697

struct TransitionLayout {
    int Shift; // b
    FilePos Title;
    FilePos TFExtra;
    FilePos Block; // T
};

// The layout of a Transition Factory plug-in: probes, identity text, and a file long enough to hold
// the whole parameter block. Nothing otherwise.
std::optional<TransitionLayout> FindTransitionLayout(std::string_view file);

} // namespace vexolan::ff
