#pragma once
// The edition advertisement: invites the user to the larger edition. Shown modally; "Exit" closes
// it, "More Information on the Pro Edition" opens the products page and leaves it open. Dragged by
// its body with the left button.

#include "platform/ui/ui.hpp"

#include <array>

namespace vexolan {

class App;

class ProVersionAd : public ui::Window {
public:
    explicit ProVersionAd(App& app);

    App& app;

    ui::Label Label1;
    ui::Image Image1;
    std::array<ui::CommandButton, 2> Command1; // 0 "Exit", 1 "More Information on the Pro Edition"

    void AdEmptyProc() {}

private:
    void ApplyDesign();
    void Form_Load();
    void Form_Paint();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Command1_Click(int Index);
};

} // namespace vexolan
