#pragma once
// Synthetic Filter Factory and Premiere plug-ins for tests. Every field is written at a position
// spelled out in ff_synth.cpp itself, never taken from the program's layout table, so a wrong table
// entry fails a test instead of agreeing with itself. Bytes that no field uses are filler (0xCC), the
// unused bytes of each 32-bit number are sentinels (0x5A), and each field holds a text of its own, so
// a read from a wrong position shows.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ff_synth {

inline constexpr char Filler = '\xCC';
inline constexpr char Sentinel = '\x5A';

// The fields of a synthetic plug-in, as the file's own Windows-1252 bytes.
struct Fields {
    std::string Title;
    std::string Category;
    std::string Copyright;
    std::string Author;
    std::array<std::string, 4> MapNames;
    std::array<std::string, 8> CtlNames;
    std::array<std::uint8_t, 8> Values{};
    std::array<bool, 4> MapUsed{};
    std::array<bool, 8> CtlUsed{};
    std::array<std::string, 4> Formulas; // red, green, blue, alpha
    std::string TFExtra;                 // Transition Factory only
    // MacBinary only: letters written after each length-prefixed text, beyond its length byte.
    std::string PascalTail;
};

// Every field distinct: texts "SynTitle", "SynMap0".., values 11, 22, ..; maps 0 and 2 in use and
// the controls of maps 1 and 3; the copyright starts with the byte 0xA9 (the copyright sign).
Fields DistinctFields();

// --- Photoshop Filter Factory plug-ins ---

enum class Layout { Pc57344, Pc49152, Pc50176, Pc49664, Pc53760, Variant49152, Variant50176, Mac99712, Mac99840 };
inline constexpr std::array<Layout, 9> AllLayouts{Layout::Pc57344,      Layout::Pc49152,  Layout::Pc50176,
                                                  Layout::Pc49664,      Layout::Pc53760,  Layout::Variant49152,
                                                  Layout::Variant50176, Layout::Mac99712, Layout::Mac99840};
std::size_t LengthOf(Layout layout);
std::string NameOf(Layout layout);

// A plug-in of `layout` holding `f`. `signature` replaces the layout's signature text (for MacBinary
// the text stored after "Filter ", normally "Factory").
std::string MakePlugin(Layout layout, const Fields& f, std::optional<std::string> signature = std::nullopt);

// A template for the compiler: MakePlugin(layout, DistinctFields()) with room behind the title and
// category fields (zero bytes up to the category's length byte after the title, 40 after the
// category), so that a title of 50 letters and a category of 50 fit, and filler behind the terminator
// of every text and formula slot of the block. PC layouts only.
std::string MakeTemplate(Layout layout);

// --- Premiere Filter Factory plug-ins ---

// One branch of the probe table each: the byte at 29021 and, where it matters, at 28877 or 32031.
enum class PrmBranch { D_v, D_r, D_other, e, x202_r, x202_c, x202_other, digit5 };
inline constexpr std::array<PrmBranch, 8> AllPrmBranches{PrmBranch::D_v,        PrmBranch::D_r,    PrmBranch::D_other,
                                                         PrmBranch::e,          PrmBranch::x202_r, PrmBranch::x202_c,
                                                         PrmBranch::x202_other, PrmBranch::digit5};
std::string NameOf(PrmBranch branch);

// A Premiere Filter Factory plug-in of `length` bytes whose title text is `titleText` (by default
// category, ": ", title).
std::string MakePremiereFF(PrmBranch branch, const Fields& f, std::size_t length = 50176,
                           std::optional<std::string> titleText = std::nullopt);

// --- Premiere Transition Factory plug-ins ---

enum class TfBranch { n_P, n_139, n_other, o, digit2 };
inline constexpr std::array<TfBranch, 5> AllTfBranches{TfBranch::n_P, TfBranch::n_139, TfBranch::n_other, TfBranch::o,
                                                       TfBranch::digit2};
std::string NameOf(TfBranch branch);

// A Transition Factory plug-in just long enough for its parameter block. `identity` replaces the
// identity text "Premiere Transition Factory" where the build carries one.
std::string MakePremiereTF(TfBranch branch, const Fields& f, std::optional<std::string> identity = std::nullopt);

} // namespace ff_synth
