#include "shell/ProVersionAd.hpp"

#include "shell/App.hpp"
#include "shell/artwork.hpp"
#include "shell/frame.hpp"
#include "shell/help.hpp"
#include "shell/helpers.hpp"

namespace vexolan {

ProVersionAd::ProVersionAd(App& app) : ui::Window(app.host, "ProVersionAd"), app(app) {
    add(Label1, "Label1");
    add(Image1, "Image1");
    add(Command1, "Command1");

    Load = [this] { Form_Load(); };
    Paint = [this] { Form_Paint(); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    for (int i = 0; i < 2; ++i)
        Command1[static_cast<std::size_t>(i)].Click = [this, i] { Command1_Click(i); };

    ApplyDesign();
}

// The design, on the 12-twips grid. Each load starts from it: Form_Load scales the window to the
// screen, and scaling what the previous load left would grow the window at every showing.
void ProVersionAd::ApplyDesign() {
    Caption = "Vexolan Pro Edition";
    BorderStyle = ui::vbBSNone;
    Width = 5280;
    Height = 3240;
    Label1.Move(600, 180, 4440, 420);
    Label1.Caption = "Get the Pro Edition of Vexolan";
    Label1.Font.Name = "Arial";
    Label1.Font.Size = 12;
    Label1.Font.Bold = true;
    Label1.BackStyle = 0;
    Image1.Move(600, 660, 4440, 1680);
    Image1.Picture = ProEditionPicture;
    Image1.Stretch = true;
    Command1[0].Move(600, 2520, 1080, 420);
    Command1[0].Caption = "Exit";
    Command1[0].Cancel = true;
    Command1[1].Move(1800, 2520, 3240, 420);
    Command1[1].Caption = "More Information on the Pro Edition";
    for (auto& button : Command1)
        button.Font.Size = ui::DesignFontSize;
}

void ProVersionAd::Form_Load() {
    ApplyDesign();
    ScaleForm(*this);
    Left = (app.host.ScreenWidth() - Width) / 2;
    Top = (app.host.ScreenHeight() - Height) / 2;
}

void ProVersionAd::Form_Paint() {
    long thickness = 32;
    GreyscaleBar(*this, thickness, false, false);
}

void ProVersionAd::Form_MouseDown(int Button, int, float, float) {
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void ProVersionAd::Command1_Click(int Index) {
    if (Index == 0)
        Unload();
    else
        ShowURL(app, endpoints::ProductsPage);
}

} // namespace vexolan
