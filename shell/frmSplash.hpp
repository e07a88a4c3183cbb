#pragma once
// The splash window shown while the program starts: the logo, the maker, the edition and a progress
// line the start-up sequence sets step by step. Any key or click closes it early; a progress text
// set after that only changes the (unloaded) label.

#include "platform/ui/ui.hpp"

namespace vexolan {

class App;

class frmSplash : public ui::Window {
public:
    explicit frmSplash(App& app);

    App& app;

    ui::Frame Frame1; // holds the labels and the logo
    ui::Image imgLogo;
    ui::Label lblCompanyProduct;
    ui::Label lblVersion;
    ui::Label lblCopyright;
    ui::Label Label1; // the progress text

private:
    void Form_Load();
    void Form_Resize();
    void Form_Paint();
    void Form_KeyPress(int& KeyAscii);
    void CloseSplash();

    // The logo's height as designed (after scaling); painting shows it one pixel shorter.
    int logoDesignHeight_ = 0;
};

} // namespace vexolan
