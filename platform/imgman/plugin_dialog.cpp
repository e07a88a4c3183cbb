#include "platform/imgman/plugin_dialog.hpp"

#include <string>

namespace imgman {

namespace {
constexpr int Row = 420; // twips from one slider to the next
}

PlugInDialog::PlugInDialog(ui::Host& host, const PluginFilter& filter)
    : ui::Window(host, "PlugInDialog"), editor_(!filter.EditorFlag), original_formulas_(filter.Formulas) {
    add(CtlLabel, "CtlLabel");
    add(CtlSlider, "CtlSlider");
    add(CtlValue, "CtlValue");
    add(FormulaLabel, "FormulaLabel");
    add(FormulaText, "FormulaText");
    add(cmdOK, "cmdOK");
    add(cmdCancel, "cmdCancel");

    Caption = filter.Title.empty() ? std::string("Filter Factory") : filter.Title;
    BorderStyle = ui::vbFixedDialog;
    MinButton = false;
    MaxButton = false;

    int top = 120;
    for (int c = 0; c < 8; ++c) {
        const std::size_t i = static_cast<std::size_t>(c);
        const bool map_used = filter.MapUsed[i / 2];
        const bool shown = filter.CtlUsed[i] || map_used;
        std::string name = filter.CtlUsed[i] ? filter.CtlNames[i] : std::string();
        if (!filter.CtlUsed[i] && map_used && c % 2 == 0) name = filter.MapNames[i / 2];
        CtlLabel[i].Caption = name;
        CtlLabel[i].Visible = shown;
        CtlSlider[i].Min = 0;
        CtlSlider[i].Max = 255;
        CtlSlider[i].LargeChange = 16;
        CtlSlider[i].Value = filter.Values[i];
        CtlSlider[i].Visible = shown;
        CtlValue[i].Caption = std::to_string(filter.Values[i]);
        CtlValue[i].Visible = shown;
        CtlSlider[i].Change = [this, i] { CtlValue[i].Caption = std::to_string(CtlSlider[i].Value()); };
        if (shown) {
            CtlLabel[i].Move(120, top, 1800, 300);
            CtlSlider[i].Move(1980, top, 3000, 255);
            CtlValue[i].Move(5040, top, 480, 300);
            top += Row;
        }
    }
    static constexpr const char* Channels[4] = {"R:", "G:", "B:", "A:"};
    for (std::size_t k = 0; k < 4; ++k) {
        FormulaLabel[k].Caption = Channels[k];
        FormulaText[k].Text = filter.Formulas[k];
        FormulaLabel[k].Visible = editor_;
        FormulaText[k].Visible = editor_;
        if (editor_) {
            FormulaLabel[k].Move(120, top, 360, 300);
            FormulaText[k].Move(480, top, 5040, 315);
            top += Row;
        }
    }
    cmdOK.Caption = "OK";
    cmdOK.Default = true;
    cmdCancel.Caption = "Cancel";
    cmdCancel.Cancel = true;
    cmdOK.Move(3000, top + 120, 1200, 375);
    cmdCancel.Move(4320, top + 120, 1200, 375);
    Width = 5760;
    Height = top + 1200;
    cmdOK.Click = [this] {
        Accepted = true;
        Hide();
    };
    cmdCancel.Click = [this] {
        Accepted = false;
        Hide();
    };
}

std::array<uint8_t, 8> PlugInDialog::values() const {
    std::array<uint8_t, 8> v{};
    for (std::size_t i = 0; i < 8; ++i)
        v[i] = static_cast<uint8_t>(CtlSlider[i].Value());
    return v;
}

std::array<std::string, 4> PlugInDialog::formulas() const {
    if (!editor_) return original_formulas_;
    std::array<std::string, 4> f;
    for (std::size_t k = 0; k < 4; ++k)
        f[k] = FormulaText[k].Text();
    return f;
}

} // namespace imgman
