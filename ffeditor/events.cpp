// The editor window's events: sliders and maps, the start of inline edits, the code boxes and the
// typing pause, the toolbar, hover marks, the borderless window's drag, pop-up menus, F1 and the
// window buttons. The memory spots' events are in memory_spots.cpp, the insertion lists' in
// snippets.cpp. The handlers stay thin: the work is done by the editor's procedures.

#include "ffeditor/FFEditorType1.hpp"

#include "ffeditor/characters.hpp"
#include "ffeditor/inline_edits.hpp"
#include "ffeditor/memory_spots.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/saving.hpp"
#include "ffeditor/sliders.hpp"
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/frame.hpp"
#include "shell/help.hpp"

namespace vexolan {

namespace {

constexpr ui::Color Black = ui::RGB(0, 0, 0);
constexpr ui::Color White = ui::RGB(255, 255, 255);

// The text the save-format box answers a format of the larger edition with.
constexpr std::string_view ProOnlyFormat = "This format is only available in the Pro Edition!";

template <typename Labels> void all_black(Labels& labels) {
    for (ui::Label& l : labels)
        l.ForeColor = Black;
}

} // namespace

void FFEditorType1::connect_events() {
    MouseMove = [this](int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); };
    MouseDown = [this](int b, int s, float x, float y) { Form_MouseDown(b, s, x, y); };
    MouseUp = [this](int b, int s, float x, float y) { Form_MouseUp(b, s, x, y); };
    KeyUp = [this](int& k, int& s) { Form_KeyUp(k, s); };
    for (int j = 0; j < 4; ++j)
        Check1[static_cast<std::size_t>(j)].Click = [this, j] { Check1_Click(j); };
    Check2.Click = [this] { Check2_Click(); };
    for (int i = 0; i < 8; ++i) {
        auto k = static_cast<std::size_t>(i);
        Picture2[k].MouseDown = [this, i](int b, int s, float x, float y) { Picture2_MouseDown(i, b, s, x, y); };
        Picture3[k].MouseMove = [this, i](int b, int s, float x, float y) { Picture3_MouseMove(i, b, s, x, y); };
        Picture3[k].MouseUp = [this, i](int b, int s, float x, float y) { Picture3_MouseUp(i, b, s, x, y); };
        HScroll1[k].Change = [this, i] { HScroll1_Change(i); };
        HScroll1[k].Scroll = [this, i] { HScroll1_Scroll(i); };
        HScroll1[k].KeyPress = [this, i](int& a) { HScroll1_KeyPress(i, a); };
        HScroll1[k].DragOver = [this, i](ui::Control& src, float x, float y, int st) {
            HScroll1_DragOver(i, src, x, y, st);
        };
        Label1[k].Click = [this, i] { Label1_Click(i); };
        Label7[k].Click = [this, i] { Label7_Click(i); };
        Label1[k].MouseMove = [this, i](int b, int s, float x, float y) { Label1_MouseMove(i, b, s, x, y); };
        Label7[k].MouseMove = [this, i](int b, int s, float x, float y) { Label7_MouseMove(i, b, s, x, y); };
        Label9[k].Click = [this, i] { Label9_Click(i); };
        Label9[k].MouseMove = [this, i](int b, int s, float x, float y) { Label9_MouseMove(i, b, s, x, y); };
    }
    for (int k = 0; k < 5; ++k) {
        auto n = static_cast<std::size_t>(k);
        Label6[n].Click = [this, k] { Label6_Click(k); };
        Label6[n].MouseMove = [this, k](int b, int s, float x, float y) { Label6_MouseMove(k, b, s, x, y); };
    }
    for (int c = 0; c < 4; ++c) {
        auto n = static_cast<std::size_t>(c);
        Label2[n].Click = [this, c] { Label2_Click(c); };
        Label2[n].MouseMove = [this, c](int b, int s, float x, float y) { Label2_MouseMove(c, b, s, x, y); };
        Text5[n].KeyPress = [this, c](int& a) { Text5_KeyPress(c, a); };
    }
    Label10.Click = [this] { Label10_Click(); };
    Label10.MouseMove = [this](int b, int s, float x, float y) { Label10_MouseMove(b, s, x, y); };
    Text10.GotFocus = [this] { Text10_GotFocus(); };
    Text10.KeyPress = [this](int& a) { Text10_KeyPress(a); };
    Text10.LostFocus = [this] { text10_lostfocus(); };
    Command10.Click = [this] { Command10_Click(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    Combo1[0].Click = [this] { Combo1_Click(0); };
    Combo1[1].Click = [this] { Combo1_Click(1); };
    Combo2.Click = [this] { Combo2_Click(); };
    Picture1.Click = [this] { Picture1_Click(); };
    Picture6.MouseDown = [this](int b, int s, float x, float y) { Picture6_MouseDown(b, s, x, y); };
    for (int s = 0; s < 10; ++s) {
        auto n = static_cast<std::size_t>(s);
        Picture7[n].Click = [this, s] { Picture7_Click(s); };
        Command7[n].Click = [this, s] { Command7_Click(s); };
    }
    Command8.Click = [this] { Command8_Click(); };
    Command9.Click = [this] { Command9_Click(); };
    Command12.Click = [this] { Command12_Click(); };
    Command14.Click = [this] { Command14_Click(); };
    Command16.Click = [this] { Command16_Click(); };
}

// --- sliders and maps ---

void FFEditorType1::Check1_Click(int Index) {
    ShowMapControls(app, Index);
}

void FFEditorType1::Check2_Click() {
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
}

void FFEditorType1::HScroll1_Change(int Index) {
    // While a procedure fills the window it is disabled: its bulk changes start no preview.
    if (!Enabled) return;
    auto i = static_cast<std::size_t>(Index);
    Label1[i].Caption = std::to_string(HScroll1[i].Value.get());
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
    Picture1.Refresh();
}

void FFEditorType1::HScroll1_Scroll(int Index) {
    // The thumb is being dragged: the label follows, the preview waits for the release (Change).
    auto i = static_cast<std::size_t>(Index);
    Label1[i].Caption = std::to_string(HScroll1[i].Value.get());
}

void FFEditorType1::HScroll1_KeyPress(int Index, int& /*KeyAscii*/) {
    if (!Enabled) return;
    auto i = static_cast<std::size_t>(Index);
    Label1[i].Caption = std::to_string(HScroll1[i].Value.get());
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
}

void FFEditorType1::HScroll1_DragOver(int Index, ui::Control&, float, float, int) {
    auto i = static_cast<std::size_t>(Index);
    Label1[i].Caption = std::to_string(HScroll1[i].Value.get());
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
}

void FFEditorType1::Picture2_MouseDown(int Index, int Button, int Shift, float X, float Y) {
    SliderTrackClick(app, Index, Button, Shift, X, Y);
}

void FFEditorType1::Picture3_MouseMove(int Index, int Button, int Shift, float X, float Y) {
    SliderKnobDrag(app, Index, Button, Shift, X, Y);
}

void FFEditorType1::Picture3_MouseUp(int, int, int, float, float) {
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
}

// --- the start of inline edits ---

void FFEditorType1::Label1_Click(int Index) {
    auto i = static_cast<std::size_t>(Index);
    ui::Label& label = Label1[i];
    // Moving the focus away ends an edit still open on another label.
    vb::ResumeNext([&] { Picture1.SetFocus(); });
    vb::ResumeNext([&] { app.host.DoEvents(); });
    if (!Loaded()) return;
    EditedLabel = &label;
    vb::ResumeNext([&] { Text10.Text = label.Caption.get(); });
    vb::ResumeNext([&] { Text10.Left = label.Left.get(); });
    vb::ResumeNext([&] { Text10.Top = label.Top.get(); });
    // A value's box is a little wider than its narrow label, so that three digits fit.
    vb::ResumeNext([&] { Text10.Width = label.Width + 8 * app.host.TwipsPerPixelX(); });
    vb::ResumeNext([&] {
        Text10.SelStart = 0;
        Text10.SelLength = character_count(Text10.Text.get());
    });
    vb::ResumeNext([&] { Text10.Visible = true; });
    vb::ResumeNext([&] { Text10.SetFocus(); });
}

namespace {

void start_text_edit(FFEditorType1& e, ui::Label& label) {
    if (e.ActiveControl() == &e.Text10) e.text10_lostfocus();
    vb::ResumeNext([&] { e.app.host.DoEvents(); });
    if (!e.Loaded()) return;
    e.EditedLabel = &label;
    vb::ResumeNext([&] { e.Text10.Text = label.Caption.get(); });
    vb::ResumeNext([&] { e.Text10.Left = label.Left.get(); });
    vb::ResumeNext([&] { e.Text10.Top = label.Top.get(); });
    vb::ResumeNext([&] { e.Text10.Width = label.Width.get(); });
    vb::ResumeNext([&] { e.Text10.Visible = true; });
    vb::ResumeNext([&] {
        // The box keeps the focus from an edit just committed: taking it anew selects the text.
        if (e.ActiveControl() == &e.Text10) e.Text10_GotFocus();
        e.Text10.SetFocus();
    });
}

} // namespace

void FFEditorType1::Label6_Click(int Index) {
    start_text_edit(*this, Label6[static_cast<std::size_t>(Index)]);
}

void FFEditorType1::Label7_Click(int Index) {
    start_text_edit(*this, Label7[static_cast<std::size_t>(Index)]);
}

void FFEditorType1::Text10_GotFocus() {
    vb::ResumeNext([&] {
        Text10.SelStart = 0;
        Text10.SelLength = character_count(Text10.Text.get());
    });
}

void FFEditorType1::Text10_KeyPress(int& KeyAscii) {
    if (KeyAscii == ui::vbKeyReturn) {
        KeyAscii = 0;
        text10_lostfocus();
    }
}

void FFEditorType1::text10_lostfocus() {
    CommitLabelEdit(app);
}

// --- the code boxes ---

void FFEditorType1::Label2_Click(int Index) {
    auto c = static_cast<std::size_t>(Index);
    if (Label2[c].Font.Bold) {
        Label2[c].Font.Bold = false;
        Text5[c].Visible = false;
        Combo1[0].Enabled = false;
        Combo1[1].Enabled = false;
        return;
    }
    for (std::size_t b = 0; b < 4; ++b) {
        if (b == c) continue;
        Label2[b].Font.Bold = false;
        Text5[b].Visible = false;
    }
    Label2[c].Font.Bold = true;
    vb::ResumeNext([&] {
        Text5[c].SelStart = 0;
        Text5[c].SelLength = character_count(Text5[c].Text.get());
    });
    Text5[c].Visible = true;
    vb::ResumeNext([&] { Text5[c].SetFocus(); });
    Combo1[0].Enabled = true;
    Combo1[1].Enabled = true;
}

void FFEditorType1::Command10_Click() {
    if (Command10.Caption.get() != "1") {
        Command10.Caption = "1";
        Label2[1].Caption = "R=";
        Label2[2].Visible = true;
        Label2[3].Visible = true;
    } else {
        // One common box for the three colour channels; the green and blue code stays as it is.
        Command10.Caption = "3";
        Label2[1].Caption = "C=";
        for (std::size_t b : {2u, 3u}) {
            Label2[b].Visible = false;
            Label2[b].Font.Bold = false;
            Text5[b].Visible = false;
        }
    }
}

void FFEditorType1::Text5_KeyPress(int, int&) {
    // Each typed character starts the pause anew: the preview waits for the typing to rest.
    Timer1.Enabled = false;
    Timer1.Enabled = true;
}

void FFEditorType1::Timer1_Timer() {
    Timer1.Enabled = false;
    if (Check2.Value == ui::vbChecked) RefreshPreview(app);
}

void FFEditorType1::Combo2_Click() {
    const int chosen = Combo2.ListIndex;
    if (chosen != 1 && chosen != 3) return;
    app.host.MsgBox(ProOnlyFormat, ui::vbExclamation);
    Combo2.ListIndex = 0;
}

// --- toolbar and mail link ---

void FFEditorType1::Label9_Click(int Index) {
    switch (Index) {
    case 0:
        ClearMemorySpots(app);
        break;
    case 1:
        Command8_Click();
        break;
    case 2:
        ShowBigPreview(app);
        break;
    case 3:
        OpenPreviewPic(app);
        break;
    case 4:
        SaveFilteredPic(app);
        break;
    case 5:
        RandomizeSliders(app);
        break;
    case 6:
        ResetFilter(app);
        break;
    case 7:
        SaveFilterAs(app, std::max(0, Combo2.ListIndex.get()));
        break;
    default:
        break;
    }
}

void FFEditorType1::Label10_Click() {
    SendEmail(app, app.MailtoAddress, "Your Design", "");
}

// --- hover marks ---

void FFEditorType1::Label1_MouseMove(int Index, int, int, float, float) {
    all_black(Label1);
    Label1[static_cast<std::size_t>(Index)].ForeColor = White;
}

void FFEditorType1::Label7_MouseMove(int Index, int, int, float, float) {
    all_black(Label7);
    Label7[static_cast<std::size_t>(Index)].ForeColor = White;
}

void FFEditorType1::Label6_MouseMove(int Index, int, int, float, float) {
    all_black(Label6);
    Label6[static_cast<std::size_t>(Index)].ForeColor = White;
}

void FFEditorType1::Label2_MouseMove(int Index, int, int, float, float) {
    Label2[static_cast<std::size_t>(Index)].ForeColor = White;
}

void FFEditorType1::Label9_MouseMove(int Index, int, int, float, float) {
    for (ui::Label& l : Label9)
        l.BorderStyle = 0;
    Label9[static_cast<std::size_t>(Index)].BorderStyle = 1;
}

void FFEditorType1::Label10_MouseMove(int, int, float, float) {
    Label10.BorderStyle = 1;
}

// --- the window body ---

void FFEditorType1::Form_MouseMove(int Button, int, float, float) {
    vb::ResumeNext([&] { Label10.BorderStyle = 0; });
    for (ui::Label& l : Label9)
        vb::ResumeNext([&] { l.BorderStyle = 0; });
    vb::ResumeNext([&] { all_black(Label2); });
    vb::ResumeNext([&] { all_black(Label1); });
    vb::ResumeNext([&] { all_black(Label7); });
    vb::ResumeNext([&] { all_black(Label6); });
    // The left button held on the body moves the window, as a caption drag would.
    if (Button == ui::vbLeftButton) BeginCaptionDrag(*this);
}

void FFEditorType1::Form_MouseDown(int Button, int, float, float) {
    if (Button != ui::vbRightButton) return;
    vb::ResumeNext([&] { PopupMenu(app.form1().mnuFfeFunctions_FFE); });
}

void FFEditorType1::Form_MouseUp(int, int, float, float) {
    // Any release on the body ends a pending inline edit and closes the code boxes.
    if (ActiveControl() == &Text10) vb::ResumeNext([&] { Picture1.SetFocus(); });
    for (std::size_t b = 0; b < 4; ++b) {
        Text5[b].Visible = false;
        Label2[b].Font.Bold = false;
    }
    Combo1[0].Enabled = false;
    Combo1[1].Enabled = false;
}

void FFEditorType1::Form_KeyUp(int& KeyCode, int&) {
    if (KeyCode == ui::vbKeyF1) ShowHelp(app, "ffe.htm");
}

void FFEditorType1::Picture1_Click() {
    if (!Enabled) return;
    Form1& main = app.form1();
    // The File menu without its Preferences and Exit entries, which belong to the main window.
    for (ui::Menu* m : {&main.zmnu1, &main.mnuOptions, &main.mnu1, &main.mnuExiting})
        m->Visible = false;
    vb::ResumeNext([&] { PopupMenu(main.mnuProject); });
    main.zmnu1.Visible = true;
    main.mnuOptions.Visible = true;
    // Hiding the entries took the Preferences entry's picture's place: put it back where the entry
    // now stands, after the picture list's entries (one when the list is empty).
    vb::ResumeNext([&] {
        int pictures = app.form2().List1[1].ListCount();
        if (pictures == 0) pictures = 1;
        ChangeMenuBitmap2(main, main.Image3[8], 0, 9 + pictures);
    });
    main.mnu1.Visible = true;
    main.mnuExiting.Visible = true;
}

// --- window buttons ---

void FFEditorType1::Command9_Click() {
    Hide();
}

void FFEditorType1::Command12_Click() {
    WindowState = ui::vbMinimized;
}

void FFEditorType1::Command14_Click() {
    ChooseCodeFont(app);
}

void FFEditorType1::Command16_Click() {
    Unload();
}

} // namespace vexolan
