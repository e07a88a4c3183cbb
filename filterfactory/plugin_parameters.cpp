#include "filterfactory/plugin_parameters.hpp"

#include "filterfactory/layouts.hpp"
#include "filterfactory/plugin_reader.hpp"
#include "filterfactory/record.hpp"

namespace vexolan::ff {

std::optional<imgman::PluginFilter> ReadPluginParameters(std::string_view file) {
    const PluginLayout* layout = FindPluginLayout(file);
    if (!layout) return std::nullopt;
    FilterRecord record;
    if (!Read8bfBytes(record, file, false)) return std::nullopt;
    imgman::PluginFilter f;
    f.Title = record.Title;
    f.Category = record.Category;
    f.Copyright = record.Copyright;
    f.Author = record.Author;
    f.MapNames = record.MapName;
    f.CtlNames = record.CtlName;
    f.Values = record.CtlValue;
    for (int k = 0; k < 4; ++k)
        f.Formulas[static_cast<std::size_t>(k)] = record.Code(k);
    auto flag = [&](int offset) { return byte_at(file, NumberPos(*layout, offset)).value_or(0); };
    for (int m = 0; m < 4; ++m)
        f.MapUsed[static_cast<std::size_t>(m)] = flag(block::MapUsed(m)) == 1;
    for (int c = 0; c < 8; ++c)
        f.CtlUsed[static_cast<std::size_t>(c)] = flag(block::ControlUsed(c)) == 1;
    f.EditorFlag = flag(block::EditorFlag) != 0;
    f.ShowDialog = flag(block::ShowDialog) == 1;
    return f;
}

void InstallPluginReader() {
    imgman::set_plugin_reader(ReadPluginParameters);
}

} // namespace vexolan::ff
