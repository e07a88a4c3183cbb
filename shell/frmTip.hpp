#pragma once
// The tip of the day: one tip at a time from "TipOfDay.txt" of the application folder (one tip a
// line, empty lines included), starting at a random tip; "Next Tip" goes round without end. The
// check box "Show Tips at Startup" is stored at once on every click, as "1" or "0".

#include "shell/frame.hpp"

#include "platform/ui/ui.hpp"

#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;

// The lines of a tip file: CR LF, CR and LF all end a line; the empty text after the last line
// break is no line. Bytes are Windows-1252.
std::vector<std::string> ReadTipLines(std::string_view bytes);

class frmTip : public ui::Window {
public:
    explicit frmTip(App& app);

    App& app;

    ui::Label Label2; // "Tip of the Day"
    ui::PictureBox Picture1;
    ui::Label Label1; // "Did you know..."
    ui::Label lblTipText;
    ui::Label Label3; // the counter, "3/25"
    ui::CheckBox chkLoadTipsAtStartup;
    ui::CommandButton cmdNextTip;
    ui::CommandButton cmdOK;

    // The tips read (1-based in the counter) and the number of the tip shown.
    std::vector<std::string> TipList;
    long CurrentTip = 0;

    bool LoadTips(std::string_view sFile);
    void AdvanceTip();
    void DisplayCurrentTip();

    RollUpState rollUp;

private:
    void Form_Load();
    void Form_Paint();
    void Form_DblClick();
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Label2_MouseDown(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);
    void cmdNextTip_Click();
    void chkLoadTipsAtStartup_Click();
    void cmdOK_Click();
};

} // namespace vexolan
