#pragma once
// Filter Factory, Premiere Filter Factory and Transition Factory plug-ins of our own making, laid out
// from the layout table: the tests and the fuzz seed generator use them. `Full` fills every text field
// to its whole room, with no 0 byte before the next field, the hardest case for an in-place writer and
// for every reader; `Plain` gives short texts such as a user would write.

#include "filterfactory/layouts.hpp"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace ff_plugin_synth {

using namespace vexolan::ff;

enum class Fill { Plain, Full };

inline void put(std::string& file, FilePos pos, std::string_view bytes) {
    if (pos <= 0) return;
    const auto at = static_cast<std::size_t>(pos - 1);
    if (at + bytes.size() > file.size()) return;
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<std::ptrdiff_t>(at));
}

// `count` letters cycling through `letters`.
inline std::string letters(std::size_t count, std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ") {
    std::string s(count, ' ');
    for (std::size_t i = 0; i < count; ++i)
        s[i] = letters[i % letters.size()];
    return s;
}

// The bytes a text field at `pos` may use: up to the next field of the layout, 255 letters at most.
inline std::size_t room_at(const PluginLayout& l, FilePos pos) {
    FilePos next = l.Lengths[0] + 1;
    for (FilePos f : {l.Signature, l.TitleLength, l.Title, l.CategoryLength, l.Category, l.ModesWord, l.Block,
                      l.PreviewData, l.AuthorLine})
        if (f > pos) next = std::min(next, f);
    return std::min<std::size_t>(static_cast<std::size_t>(next - pos), 255);
}

// A text field with its length byte (0 = none). Full: the letters fill the whole room.
inline void put_field(std::string& file, const PluginLayout& l, FilePos lengthByte, FilePos first, std::string_view plain,
                      Fill fill) {
    if (first <= 0) return;
    const std::string text = fill == Fill::Full ? letters(room_at(l, first)) : std::string(plain);
    if (lengthByte > 0) put(file, lengthByte, std::string(1, static_cast<char>(text.size())));
    put(file, first, text);
}

// A block slot of 256 bytes: zero-terminated on the PC (Full: 256 letters, no 0), length-prefixed in
// MacBinary form (Full: 255 letters).
inline void put_slot(std::string& file, const PluginLayout& l, int offset, std::string_view plain, Fill fill) {
    const FilePos pos = SlotPos(l, offset);
    if (l.MacBinary) {
        const std::string text = fill == Fill::Full ? letters(255, "abcdefghij") : std::string(plain);
        put(file, pos, std::string(1, static_cast<char>(text.size())) + text);
    } else {
        put(file, pos, fill == Fill::Full ? letters(block::TextSlot, "abcdefghij") : std::string(plain));
    }
}

// A formula slot: a formula of the longest length the compiler writes when Full.
inline std::string formula(int k, Fill fill) {
    static constexpr std::string_view Plain[4] = {"r+ctl(0)-ctl(1)", "g*val(2,0,255)/255", "b^x%(y+1)", "a"};
    if (fill == Fill::Plain) return std::string(Plain[k]);
    std::string f = "c";
    while (f.size() + 4 <= 1019)
        f += "+x-y";
    return f;
}

inline void put_number(std::string& file, const PluginLayout& l, int offset, std::uint8_t value) {
    put(file, NumberPos(l, offset), std::string(1, static_cast<char>(value)));
}

// A plug-in of `layout` (its first length unless `length` is given).
inline std::string plugin(const PluginLayout& l, Fill fill, std::int64_t length = 0) {
    std::string file(static_cast<std::size_t>(length ? length : l.Lengths[0]), '\0');
    const std::string_view signature = &l == &LayoutFilterFactoryVariant ? SignatureLeadingBlank
                                       : l.MacBinary                     ? SignatureBlank.substr(7)
                                                                         : SignatureBlank;
    put(file, l.Signature, signature);
    if (!l.TitleFromBlock) {
        put_field(file, l, l.TitleLength, l.Title, "Twirl Deluxe", fill);
        put_field(file, l, l.CategoryLength, l.Category, "Distort", fill);
    }
    if (l.ModesWord > 0) put(file, l.ModesWord, std::string("\x10\x00", 2));
    put_number(file, l, block::EditorFlag, 0);
    put_number(file, l, block::ShowDialog, 1);
    for (int c = 0; c < 8; ++c) {
        put_number(file, l, block::Value(c), static_cast<std::uint8_t>(c * 31 + 7));
        put_number(file, l, block::ControlUsed(c), 1);
        put_slot(file, l, block::ControlName(c), "Amount " + std::to_string(c), fill);
    }
    for (int m = 0; m < 4; ++m) {
        put_number(file, l, block::MapUsed(m), 1);
        put_slot(file, l, block::MapName(m), "Map " + std::to_string(m), fill);
    }
    put_slot(file, l, block::Category, "Distort", fill);
    put_slot(file, l, block::Title, "Twirl Deluxe", fill);
    put_slot(file, l, block::Copyright, "(c) 2026 Vexolan tests", fill);
    put_slot(file, l, block::Author, "Vexolan", fill);
    for (int k = 0; k < 4; ++k) {
        put(file, SlotPos(l, block::Formula(k)), formula(k, fill)); // zero-terminated in every layout
    }
    return file;
}

// A Premiere Filter Factory plug-in of each probe row (length 50688, which no Photoshop layout has).
inline std::vector<std::string> premiere_plugins(Fill fill) {
    std::vector<std::string> out;
    for (const PremiereProbe& p : PremiereFFProbes) {
        std::string file(50688, '\0');
        put(file, PremiereFFProbeX, std::string(1, static_cast<char>(p.X)));
        if (p.FurtherPos > 0 && p.Further >= 0) put(file, p.FurtherPos, std::string(1, static_cast<char>(p.Further)));
        put(file, p.TitlePos, fill == Fill::Full ? letters(255) : "Distort: Twirl");
        const FilePos b = p.Shift + PremiereFFBlockBase;
        put(file, b + premiere_block::Copyright, fill == Fill::Full ? letters(256, "abc") : "(c) Vexolan");
        for (int c = 0; c < 8; ++c)
            put(file, b + block::Value(c), std::string(1, static_cast<char>(c * 30 + 1)));
        int k = 0;
        for (int at : {premiere_block::FormulaBlue, premiere_block::FormulaGreen, premiere_block::FormulaRed,
                       premiere_block::FormulaAlpha})
            put(file, b + at, formula(k++, fill));
        out.push_back(std::move(file));
    }
    return out;
}

// A Transition Factory plug-in of each probe row.
inline std::vector<std::string> transition_plugins(Fill fill) {
    std::vector<std::string> out;
    for (const TransitionProbe& p : TransitionProbes) {
        std::string file(53248, '\0');
        put(file, TransitionProbeX, std::string(1, static_cast<char>(p.X)));
        if (p.Further >= 0) put(file, TransitionProbeY, std::string(1, static_cast<char>(p.Further)));
        if (p.IdentityPos > 0) put(file, p.IdentityPos, TransitionIdentity);
        put(file, p.Shift + TransitionTitleBase, fill == Fill::Full ? letters(255) : "Wipe: Soft");
        put(file, p.Shift + TransitionExtraBase, fill == Fill::Full ? letters(255, "xyz") : "extra");
        const FilePos t = p.BlockShift + TransitionBlockBase;
        for (int k = 0; k < 4; ++k)
            put(file, t + block::Formula(k), formula(k, fill));
        out.push_back(std::move(file));
    }
    return out;
}

} // namespace ff_plugin_synth
