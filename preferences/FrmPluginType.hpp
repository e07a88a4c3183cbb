#pragma once
// The plug-in type dialog: a small borderless modal window in which the user enters or edits one
// plug-in type (a display name, a file extension and where the catalogue takes a plug-in's name from).
// The Preferences window sets the title, the two boxes and the option, shows it modally, and reads
// the same controls afterwards; Cancel leaves both boxes empty, which the caller takes as nothing
// entered.

#include "shell/frame.hpp"

#include "platform/ui/Controls.hpp"
#include "platform/ui/Window.hpp"

#include <array>

namespace vexolan {

class App;

class FrmPluginType : public ui::Window {
public:
    explicit FrmPluginType(App& app);

    App& app;

    ui::Label Label2;                          // the title: "Add Plugin Type" or "Edit Plugin Type"
    std::array<ui::Label, 2> Label1;           // "Plugin Type:", "File Extension:"
    std::array<ui::TextBox, 2> Text1;          // the name, the extension
    ui::Frame Frame1;                          // "Get Plugin Name from"
    std::array<ui::OptionButton, 4> Option1;   // Description, Internal Name, Product Name, File Name
    std::array<ui::CommandButton, 2> Command1; // "OK" (Enter), "Cancel" (Esc)

    void Command1_Click(int Index);
    void Form_Load();
    void Form_Activate();
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);

private:
    static constexpr int DesignHeight = 3240;
    RollUpState roll_up_;
};

} // namespace vexolan
