#include "shell/frmSplash.hpp"

#include "shell/App.hpp"
#include "shell/artwork.hpp"
#include "shell/help.hpp"
#include "shell/helpers.hpp"

namespace vexolan {

frmSplash::frmSplash(App& app) : ui::Window(app.host, "frmSplash"), app(app) {
    add(Frame1, "Frame1");
    add(imgLogo, "imgLogo", &Frame1);
    add(lblCompanyProduct, "lblCompanyProduct", &Frame1);
    add(lblVersion, "lblVersion", &Frame1);
    add(lblCopyright, "lblCopyright", &Frame1);
    add(Label1, "Label1", &Frame1);

    Load = [this] { Form_Load(); };
    Resize = [this] { Form_Resize(); };
    Paint = [this] { Form_Paint(); };
    KeyPress = [this](int& k) { Form_KeyPress(k); };
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&Frame1, &imgLogo, &lblCompanyProduct, &lblCopyright, &lblVersion}) {
        c->Click = [this] { CloseSplash(); };
    }
    Frame1.DblClick = [this] { CloseSplash(); };
    imgLogo.DblClick = [this] { CloseSplash(); };

    // Design, on the 12-twips grid (ScaleForm brings it to the screen's resolution).
    Caption = "Vexolan";
    BorderStyle = ui::vbBSNone;
    Width = 5760;
    Height = 3480;
    BackColor = ui::RGB(255, 255, 255);
    Frame1.Move(0, 0, 5520, 3240);
    Frame1.BackColor = ui::RGB(255, 255, 255);
    imgLogo.Move(180, 240, 1536, 1536);
    imgLogo.Picture = LogoPicture;
    imgLogo.Stretch = true;
    for (ui::Label* l : {&lblCompanyProduct, &lblVersion, &lblCopyright, &Label1}) {
        l->Font.Name = "Arial";
        l->BackStyle = 0;
        l->WordWrap = true;
    }
    lblCompanyProduct.Move(1920, 300, 3420, 360);
    lblCompanyProduct.Caption = "The Vexolan team presents";
    lblCompanyProduct.Font.Size = 10;
    lblVersion.Move(1920, 720, 3420, 480);
    lblVersion.Font.Size = 16;
    lblVersion.Font.Bold = true;
    lblVersion.ForeColor = ui::RGB(40, 60, 120);
    lblCopyright.Move(1920, 1320, 3420, 600);
    lblCopyright.Caption = "Copyright \xC2\xA9 2026 The Vexolan team\r\n" + std::string(endpoints::SupportAddress);
    lblCopyright.Font.Size = 7;
    Label1.Move(180, 2760, 5160, 300);
    Label1.Caption = "Initializing ...";
    Label1.Font.Size = 8;
}

void frmSplash::Form_Load() {
    lblVersion.Caption = "Light Edition";
    ScaleForm(*this);
    logoDesignHeight_ = imgLogo.Height;
    Left = (app.host.ScreenWidth() - Width) / 2;
    Top = (app.host.ScreenHeight() - Height) / 2;
}

void frmSplash::Form_Resize() {
    const double tppy = app.host.TwipsPerPixelY();
    Frame1.Left = (ScaleWidth() - Frame1.Width) / 2.0;
    Frame1.Top = ScaleHeight() / 2.0 - (Frame1.Height / 2.0 + 4 * tppy);
}

void frmSplash::Form_Paint() {
    // The logo shows one pixel row short of its design height. It is set, not shortened again on
    // every paint, so repeated paints leave it as it is.
    if (logoDesignHeight_ > 0) imgLogo.Height = logoDesignHeight_ - app.host.TwipsPerPixelY();
}

void frmSplash::Form_KeyPress(int&) {
    CloseSplash();
}

void frmSplash::CloseSplash() {
    Unload();
}

} // namespace vexolan
