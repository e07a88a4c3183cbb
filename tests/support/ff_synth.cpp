#include "tests/support/ff_synth.hpp"

#include <stdexcept>

namespace ff_synth {

namespace {

// All positions below are 1-based file positions; `put` converts them.
void put(std::string& file, std::size_t pos1, std::string_view bytes) {
    if (pos1 < 1 || pos1 - 1 + bytes.size() > file.size()) throw std::logic_error("synthetic field outside the file");
    file.replace(pos1 - 1, bytes.size(), bytes);
}

void put_byte(std::string& file, std::size_t pos1, int byte) {
    put(file, pos1, std::string(1, static_cast<char>(byte)));
}

std::string zero_terminated(std::string_view text) {
    return std::string(text) + '\0';
}

// A 32-bit number of which only the low byte matters; the other three bytes are sentinels.
void put_number(std::string& file, std::size_t pos1, int low, bool bigEndian) {
    std::string field(4, Sentinel);
    field[bigEndian ? 3 : 0] = static_cast<char>(low);
    put(file, pos1, field);
}

// A text in a slot of `room` bytes: the text, its 0 and zeros to the end of the slot.
void put_slot(std::string& file, std::size_t pos1, std::string_view text, std::size_t room) {
    std::string slot(text);
    slot.resize(room, '\0');
    put(file, pos1, slot);
}

// A length-prefixed (MacBinary) text in a slot of `room` bytes, with `tail` after the counted letters.
void put_pascal_slot(std::string& file, std::size_t pos1, std::string_view text, std::string_view tail,
                     std::size_t room) {
    std::string slot(1, static_cast<char>(text.size()));
    slot += text;
    slot += tail;
    slot.resize(room, '\0');
    put(file, pos1, slot);
}

struct PcPlacement {
    std::size_t Length, Signature, TitleLength, Title, CategoryLength, Category, Block;
};

// Where each PC layout keeps its fields; TitleLength 0 = the layout has no length byte.
PcPlacement pc_placement(Layout layout) {
    switch (layout) {
    case Layout::Pc57344:
        return {57344, 28209, 31011, 31012, 31063, 31064, 31253};
    case Layout::Pc49152:
        return {49152, 21025, 23843, 23844, 23895, 23896, 24085};
    case Layout::Pc50176:
        return {50176, 21025, 23843, 23844, 23895, 23896, 24085};
    case Layout::Pc49664:
        return {49664, 21025, 34927, 34928, 34979, 34980, 26585};
    case Layout::Pc53760:
        return {53760, 27697, 0, 30352, 30403, 30404, 30677};
    case Layout::Variant49152:
        return {49152, 21025, 23843, 23844, 23895, 23896, 26157};
    case Layout::Variant50176:
        return {50176, 21025, 23843, 23844, 23895, 23896, 26157};
    default:
        throw std::logic_error("not a PC layout");
    }
}

// The parameter block shared by all Filter Factory layouts, at block start P.
void put_block(std::string& file, std::size_t P, const Fields& f, bool mac, bool variantTexts) {
    put(file, P, std::string(4, '\xA5'));
    put_number(file, P + 4, 1, mac); // editor flag
    for (int c = 0; c < 8; ++c)
        put_number(file, P + 8 + 4 * c, f.Values[c], mac);
    put_number(file, P + 40, 1, mac); // show-dialog flag
    put(file, P + 44, std::string(12, '\xA5'));
    for (int m = 0; m < 4; ++m)
        put_number(file, P + 56 + 4 * m, f.MapUsed[m] ? 1 : 0, mac);
    for (int c = 0; c < 8; ++c)
        put_number(file, P + 72 + 4 * c, f.CtlUsed[c] ? 1 : 0, mac);
    auto text = [&](std::size_t pos1, std::string_view t) {
        if (mac)
            put_pascal_slot(file, pos1, t, f.PascalTail, 256);
        else
            put_slot(file, pos1, t, 256);
    };
    // The block's own category and title slots: read only for the " FilterFactory" variant, so the
    // other layouts hold texts that must not turn up.
    text(P + 104, variantTexts ? f.Category : "BlockCategory");
    text(P + 360, variantTexts ? f.Title : "BlockTitle");
    text(P + 616, f.Copyright);
    text(P + 872, f.Author);
    for (int m = 0; m < 4; ++m)
        text(P + 1128 + 256 * m, f.MapNames[m]);
    for (int c = 0; c < 8; ++c)
        text(P + 2152 + 256 * c, f.CtlNames[c]);
    for (int k = 0; k < 4; ++k)
        put_slot(file, P + 4200 + 1024 * k, f.Formulas[k], 1024);
}

struct PrmPlacement {
    int X;
    std::size_t FurtherPos; // 0 = none
    int Further;            // -1 = leave the filler there
    std::size_t Title, Block;
};

PrmPlacement prm_placement(PrmBranch branch) {
    switch (branch) {
    case PrmBranch::D_v:
        return {'D', 28877, 'v', 29099, 29361};
    case PrmBranch::D_r:
        return {'D', 28877, 'r', 29099, 29357};
    case PrmBranch::D_other:
        return {'D', 28877, 'q', 29107, 29365};
    case PrmBranch::e:
        return {'e', 0, -1, 29611, 29869};
    case PrmBranch::x202_r:
        return {202, 32031, 'r', 32171, 32429};
    case PrmBranch::x202_c:
        return {202, 32031, 'c', 32179, 32437};
    case PrmBranch::x202_other:
        return {202, 0, -1, 29107, 29365};
    case PrmBranch::digit5:
        return {'5', 0, -1, 29107, 29365};
    }
    throw std::logic_error("unknown branch");
}

// The Premiere block: values and flags as in Photoshop's, copyright at 360, formulas blue, green,
// red, alpha. The Photoshop copyright and author offsets hold decoys.
void put_premiere_block(std::string& file, std::size_t B, const Fields& f) {
    for (int c = 0; c < 8; ++c)
        put_number(file, B + 8 + 4 * c, f.Values[c], false);
    for (int m = 0; m < 4; ++m)
        put_number(file, B + 56 + 4 * m, f.MapUsed[m] ? 1 : 0, false);
    for (int c = 0; c < 8; ++c)
        put_number(file, B + 72 + 4 * c, f.CtlUsed[c] ? 1 : 0, false);
    put_slot(file, B + 360, f.Copyright, 256);
    put_slot(file, B + 616, "DecoyCopyright", 256);
    put_slot(file, B + 872, "DecoyAuthor", 256);
    for (int m = 0; m < 4; ++m)
        put_slot(file, B + 1128 + 256 * m, f.MapNames[m], 256);
    for (int c = 0; c < 8; ++c)
        put_slot(file, B + 2152 + 256 * c, f.CtlNames[c], 256);
    put_slot(file, B + 4200, f.Formulas[2], 1024);
    put_slot(file, B + 5224, f.Formulas[1], 1024);
    put_slot(file, B + 6248, f.Formulas[0], 1024);
    put_slot(file, B + 7272, f.Formulas[3], 1024);
}

std::uint8_t byte_at(const std::string& file, std::size_t pos1) {
    return static_cast<std::uint8_t>(file[pos1 - 1]);
}

} // namespace

Fields DistinctFields() {
    Fields f;
    f.Title = "SynTitle";
    f.Category = "SynCategory";
    f.Copyright = "\xA9 SynCopyright";
    f.Author = "SynAuthor";
    for (int m = 0; m < 4; ++m)
        f.MapNames[m] = "SynMap" + std::to_string(m);
    for (int c = 0; c < 8; ++c)
        f.CtlNames[c] = "SynCtl" + std::to_string(c);
    for (int c = 0; c < 8; ++c)
        f.Values[c] = static_cast<std::uint8_t>(11 * (c + 1));
    f.MapUsed = {true, false, true, false};
    f.CtlUsed = {false, false, true, true, false, false, true, true};
    f.Formulas = {"r+1", "g+2", "b+3", "a+4"};
    f.TFExtra = "SynExtra";
    return f;
}

std::size_t LengthOf(Layout layout) {
    switch (layout) {
    case Layout::Mac99712:
        return 99712;
    case Layout::Mac99840:
        return 99840;
    default:
        return pc_placement(layout).Length;
    }
}

std::string NameOf(Layout layout) {
    switch (layout) {
    case Layout::Pc57344:
        return "Pc57344";
    case Layout::Pc49152:
        return "Pc49152";
    case Layout::Pc50176:
        return "Pc50176";
    case Layout::Pc49664:
        return "Pc49664";
    case Layout::Pc53760:
        return "Pc53760";
    case Layout::Variant49152:
        return "Variant49152";
    case Layout::Variant50176:
        return "Variant50176";
    case Layout::Mac99712:
        return "Mac99712";
    case Layout::Mac99840:
        return "Mac99840";
    }
    return "?";
}

std::string MakePlugin(Layout layout, const Fields& f, std::optional<std::string> signature) {
    std::string file(LengthOf(layout), Filler);
    if (layout == Layout::Mac99712 || layout == Layout::Mac99840) {
        put(file, 59018, zero_terminated(signature.value_or("Factory")));
        std::string title(1, static_cast<char>(f.Title.size()));
        put(file, 49853, title + f.Title + f.PascalTail + '\0');
        std::string category(1, static_cast<char>(f.Category.size()));
        put(file, 50125, category + f.Category + f.PascalTail + '\0');
        put_block(file, 50561, f, true, false);
        return file;
    }
    const bool variant = layout == Layout::Variant49152 || layout == Layout::Variant50176;
    const PcPlacement at = pc_placement(layout);
    put(file, at.Signature, zero_terminated(signature.value_or(variant ? " FilterFactory" : "Filter Factory")));
    // The title and category fields: a length byte, the letters and a 0. In the variant they hold
    // decoys, as its texts come from the block.
    const std::string title = variant ? "DecoyTitle" : f.Title;
    const std::string category = variant ? "DecoyCategory" : f.Category;
    if (at.TitleLength != 0) put_byte(file, at.TitleLength, static_cast<int>(title.size()));
    put(file, at.Title, zero_terminated(title));
    put_byte(file, at.CategoryLength, static_cast<int>(category.size()));
    put(file, at.Category, zero_terminated(category));
    put_block(file, at.Block, f, false, variant);
    return file;
}

std::string MakeTemplate(Layout layout) {
    const Fields f = DistinctFields();
    std::string file = MakePlugin(layout, f);
    const PcPlacement at = pc_placement(layout);
    for (std::size_t pos = at.Title + f.Title.size(); pos < at.CategoryLength; ++pos)
        put_byte(file, pos, 0);
    for (std::size_t pos = at.Category + f.Category.size(); pos < at.Category + f.Category.size() + 40; ++pos)
        put_byte(file, pos, 0);
    // Filler behind the terminator of every text and formula slot, so that a stray zero shows.
    const auto fill_slot = [&](std::size_t pos1, std::size_t room) {
        std::size_t end = file.find('\0', pos1 - 1);
        for (std::size_t i = end + 1; i < pos1 - 1 + room; ++i)
            file[i] = Filler;
    };
    for (std::size_t offset : {104, 360, 616, 872})
        fill_slot(at.Block + offset, 256);
    for (int i = 0; i < 12; ++i)
        fill_slot(at.Block + 1128 + 256 * i, 256);
    for (int k = 0; k < 4; ++k)
        fill_slot(at.Block + 4200 + 1024 * k, 1024);
    return file;
}

std::string NameOf(PrmBranch branch) {
    switch (branch) {
    case PrmBranch::D_v:
        return "D_v";
    case PrmBranch::D_r:
        return "D_r";
    case PrmBranch::D_other:
        return "D_other";
    case PrmBranch::e:
        return "e";
    case PrmBranch::x202_r:
        return "x202_r";
    case PrmBranch::x202_c:
        return "x202_c";
    case PrmBranch::x202_other:
        return "x202_other";
    case PrmBranch::digit5:
        return "digit5";
    }
    return "?";
}

std::string MakePremiereFF(PrmBranch branch, const Fields& f, std::size_t length,
                           std::optional<std::string> titleText) {
    std::string file(length, Filler);
    const PrmPlacement at = prm_placement(branch);
    put(file, at.Title, zero_terminated(titleText.value_or(f.Category + ": " + f.Title)));
    put_premiere_block(file, at.Block, f);
    put_byte(file, 29021, at.X);
    if (at.FurtherPos != 0) put_byte(file, at.FurtherPos, at.Further);
    // For the 202 row without a further probe the byte at 32031 lies inside the block (in the name of
    // control 2); the branch holds only while it is neither "r" nor "c".
    if (branch == PrmBranch::x202_other && (byte_at(file, 32031) == 'r' || byte_at(file, 32031) == 'c'))
        throw std::logic_error("control name 2 turns the probe at 32031 into another branch");
    return file;
}

std::string NameOf(TfBranch branch) {
    switch (branch) {
    case TfBranch::n_P:
        return "n_P";
    case TfBranch::n_139:
        return "n_139";
    case TfBranch::n_other:
        return "n_other";
    case TfBranch::o:
        return "o";
    case TfBranch::digit2:
        return "digit2";
    }
    return "?";
}

std::string MakePremiereTF(TfBranch branch, const Fields& f, std::optional<std::string> identity) {
    struct Placement {
        int X;
        int Y; // -1 = leave the filler
        std::size_t Identity, Title, Extra, Block;
    };
    Placement at{};
    switch (branch) {
    case TfBranch::n_P:
        at = {'n', -1, 22033, 39075, 39331, 39609};
        break; // identity starts with the "P"
    case TfBranch::n_139:
        at = {'n', 139, 0, 29691, 29947, 30221};
        break;
    case TfBranch::n_other:
        at = {'n', 'q', 21521, 29171, 29427, 29697};
        break;
    case TfBranch::o:
        at = {'o', -1, 25105, 32247, 32503, 32773};
        break;
    case TfBranch::digit2:
        at = {'2', -1, 21521, 29171, 29427, 29697};
        break;
    }
    std::string file(at.Block + 8296 - 1, Filler);
    if (at.Identity != 0) put(file, at.Identity, zero_terminated(identity.value_or("Premiere Transition Factory")));
    put(file, 29081, std::string(1, static_cast<char>(at.X)));
    if (at.Y >= 0) put_byte(file, 22033, at.Y);
    put_slot(file, at.Title, f.Title, 256);
    put_slot(file, at.Extra, f.TFExtra, 256);
    put_premiere_block(file, at.Block, f);
    return file;
}

} // namespace ff_synth
