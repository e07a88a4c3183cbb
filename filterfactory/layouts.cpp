#include "filterfactory/layouts.hpp"

#include "platform/values/values.hpp"

#include <algorithm>

namespace vexolan::ff {

const PluginLayout* LayoutForLength(std::int64_t length) {
    if (length <= 0) return nullptr; // 0 marks an unused entry of Lengths
    for (const auto& layout : PluginLayouts) {
        if (layout.TitleFromBlock) continue;
        if (std::find(layout.Lengths.begin(), layout.Lengths.end(), length) != layout.Lengths.end()) return &layout;
    }
    return nullptr;
}

std::string SignatureText(std::string_view file, const PluginLayout& layout) {
    if (!in_file(file, layout.Signature)) return {};
    std::string text = bytes2string2(layout.Signature, file);
    if (layout.MacBinary) text.insert(0, MacSignaturePrefix);
    return text;
}

bool IsFilterFactorySignature(std::string_view text) {
    return text == SignatureDash || text == SignatureBlank || text == SignatureLeadingBlank;
}

const PluginLayout* FindPluginLayout(std::string_view file) {
    const PluginLayout* layout = LayoutForLength(static_cast<std::int64_t>(file.size()));
    if (!layout) return nullptr;
    const std::string signature = SignatureText(file, *layout);
    if (!IsFilterFactorySignature(signature)) return nullptr;
    if (signature == SignatureLeadingBlank && (layout == &Layout49152 || layout == &Layout50176))
        return &LayoutFilterFactoryVariant;
    return layout;
}

FilePos NumberPos(const PluginLayout& layout, int offset) {
    return layout.Block + offset + (layout.MacBinary ? 3 : 0);
}

std::string ReadPluginText(std::string_view file, FilePos pos, bool lengthPrefixed) {
    if (!lengthPrefixed) return bytes2string2(pos, file);
    const auto length = byte_at(file, pos);
    if (!length) return {};
    // The letters are read as a zero-terminated text and then cut to the length byte; the cut counts
    // bytes of the file, before they become UTF-8.
    std::string raw = slot_bytes2(pos + 1, file);
    if (raw.size() > *length) raw.resize(*length);
    return vb::Cp1252ToUtf8(raw);
}

std::optional<PremiereFFLayout> FindPremiereFFLayout(std::string_view file) {
    const auto length = static_cast<std::int64_t>(file.size());
    if (std::find(PremiereFFLengths.begin(), PremiereFFLengths.end(), length) == PremiereFFLengths.end())
        return std::nullopt;
    const auto x = byte_at(file, PremiereFFProbeX);
    if (!x) return std::nullopt;
    for (const auto& row : PremiereFFProbes) {
        if (row.X != *x) continue;
        if (row.FurtherPos != 0 && row.Further >= 0) {
            const auto further = byte_at(file, row.FurtherPos);
            if (!further) return std::nullopt;
            if (*further != row.Further) continue;
        }
        const PremiereFFLayout layout{row.Shift, row.TitlePos, row.Shift + PremiereFFBlockBase};
        if (!in_file(file, layout.Block, premiere_block::Size)) return std::nullopt;
        return layout;
    }
    return std::nullopt;
}

std::optional<TransitionLayout> FindTransitionLayout(std::string_view file) {
    const auto x = byte_at(file, TransitionProbeX);
    if (!x) return std::nullopt;
    for (const auto& row : TransitionProbes) {
        if (row.X != *x) continue;
        if (row.Further >= 0) {
            const auto further = byte_at(file, TransitionProbeY);
            if (!further) return std::nullopt;
            if (*further != row.Further) continue;
        }
        if (row.IdentityPos != 0 && bytes2string2(row.IdentityPos, file) != TransitionIdentity) return std::nullopt;
        const TransitionLayout layout{row.Shift, row.Shift + TransitionTitleBase, row.Shift + TransitionExtraBase,
                                      row.BlockShift + TransitionBlockBase};
        if (!in_file(file, layout.Block, premiere_block::Size)) return std::nullopt;
        return layout;
    }
    return std::nullopt;
}

} // namespace vexolan::ff
