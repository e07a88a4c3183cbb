#pragma once
// The Convert dialog: the output format, its options, and the button that starts the conversion of
// the active pane's selection (or of the clipboard text) into the other pane's folder.

#include "shell/frame.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Window.hpp"

#include <array>
#include <string_view>

namespace vexolan {

class App;

// The format list, by DestType.
inline constexpr std::array<std::string_view, 6> ConvertFormats{
    "Photoshop FF Plugin", "Premiere FF Plugin", "Premiere TF Plugin", "AFS File", "PFF File", "Text File",
};

class Convert : public ui::Window {
public:
    explicit Convert(App& app);

    App& app;

    ui::Frame Frame1;           // "Output Format"
    ui::ComboBox Combo1;        // the format, by DestType
    ui::CheckBox Check3;        // "Mac FF Adaption": read by the text and .afs writers
    ui::CommandButton Command3; // "Output Settings": the Preferences' "FF/TF" page
    ui::Frame Frame2;           // "Options"
    ui::CheckBox Check1;        // "Use Clipboard as Source"
    ui::CheckBox Check2;        // "Use Filter Name as File Name"
    ui::CommandButton Command1; // "Convert"
    ui::CommandButton Command2; // "Cancel"
    ui::CommandButton Command4; // help

    void Form_Load();
    // Enables "Output Settings" for the plug-in formats and "Mac FF Adaption" for the source formats,
    // and refuses the formats this edition cannot write.
    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    void Form_Paint();
    void Form_DblClick();
    void Form_KeyUp(int& KeyCode, int& Shift);

    RollUpState rollUp_;
};

// Shows the Convert dialog modally (the button bar's Convert and the Commands menu's entry).
void ShowConvertDialog(App& app);

} // namespace vexolan
