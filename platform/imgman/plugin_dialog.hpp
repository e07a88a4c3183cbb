#pragma once
// The dialog of a Filter Factory plug-in: its title as caption, a named slider for each control in
// use (the two sliders of a map in use under the map's name), the four formulas when the plug-in
// shows the formula editor, and OK and Cancel.

#include "platform/imgman/plugin_host.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

#include <array>

namespace imgman {

class PlugInDialog : public ui::Window {
public:
    PlugInDialog(ui::Host& host, const PluginFilter& filter);

    std::array<ui::Label, 8> CtlLabel;
    std::array<ui::HScrollBar, 8> CtlSlider;
    std::array<ui::Label, 8> CtlValue;
    std::array<ui::Label, 4> FormulaLabel;
    std::array<ui::TextBox, 4> FormulaText;
    ui::CommandButton cmdOK, cmdCancel;

    // Set by OK.
    bool Accepted = false;
    // The values and formulas as the dialog left them.
    std::array<uint8_t, 8> values() const;
    std::array<std::string, 4> formulas() const;

private:
    bool editor_;
    std::array<std::string, 4> original_formulas_;
};

} // namespace imgman
