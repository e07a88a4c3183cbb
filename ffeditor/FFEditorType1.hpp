#pragma once
// The Filter Factory editor window: a skinned, borderless window whose controls hold the filter
// being edited (information fields, eight sliders that pair into four maps, four code boxes, the
// memory pad and the live preview box). Its look (picture, size, outline, slider kind, mail link,
// code-box rectangle) comes from an interface description file (see interface.hpp); the copying
// between the controls and the current filter is in transfer.hpp, the graphic sliders in sliders.hpp.
//
// Positions are designed at 12 twips per pixel; Form_Load rescales on other screens.

#include "platform/ui/ui.hpp"

#include <array>
#include <string>
#include <vector>

namespace vexolan {

class App;

class FFEditorType1 : public ui::Window {
public:
    explicit FFEditorType1(App& app);

    App& app;

    // --- the filter ---
    std::array<ui::Label, 5> Label6; // file name, category, filter name, author, copyright
    std::array<ui::Label, 8> Label7; // slider names; "" = slider not used
    std::array<ui::HScrollBar, 8> HScroll1;
    std::array<ui::PictureBox, 8> Picture2; // graphic slider tracks
    std::array<ui::PictureBox, 8> Picture3; // their knobs, above the tracks
    std::array<ui::Label, 8> Label1;        // slider values "0" .. "255": the values of record
    std::array<ui::CheckBox, 4> Check1;     // map j joins sliders 2j and 2j+1
    std::array<ui::TextBox, 4> Text5;       // code: alpha, red, green, blue

    // --- preview and window buttons ---
    ui::PictureBox Picture1;     // the preview box
    ui::CheckBox Check2;         // Auto Preview
    ui::Label Label8;            // "Auto Preview"
    ui::CommandButton Command9;  // "x" hide
    ui::CommandButton Command12; // "_" minimize
    ui::CommandButton Command16; // "X" unload

    // --- memory spots ---
    std::array<ui::CommandButton, 10> Command7; // spot buttons, covered by the pad
    ui::PictureBox Picture6;                    // the pad
    std::array<ui::PictureBox, 10> Picture7;    // a marker per stored spot, inside the pad
    ui::CommandButton Command8;                 // "Delete"

    // --- toolbar, mail link, lists ---
    std::array<ui::Label, 8> Label9;    // hot spots over the skin picture
    ui::Label Label10;                  // the mail link area
    ui::ComboBox Combo2;                // save format
    std::array<ui::Label, 4> Label2;    // channel labels, "R=", "G=", "B="
    ui::CommandButton Command10;        // "1": one or three colour boxes
    ui::CommandButton Command14;        // "F": larger fonts
    std::array<ui::ComboBox, 2> Combo1; // function templates, snippets
    ui::TextBox Text10;                 // the inline edit box

    // --- the built-in slider looks, copied by the interface file's slider choice ---
    std::array<ui::PictureBox, 3> Picture4; // tracks
    std::array<ui::PictureBox, 3> Picture5; // knobs
    ui::Timer Timer1;                       // typing pause

    // --- state the window owns ---
    // The label the inline edit box is editing; the Auto Preview box while none is.
    ui::Control* EditedLabel = &Check2;
    // The code of each snippet of Combo1(1), item k at position k.
    std::vector<std::string> SnippetCode;
    // Spots a text source marked as stored while the window was not loaded: shown as it loads.
    std::array<bool, 10> PendingSpotMarks{};
    // Why the filter could not run at the last preview (a formula too long or not compiling, named by
    // its box), shown in the preview box, its tip and the caption; "" once every formula can run.
    std::string FormulaProblem;

    // Puts every control back to its design geometry, caption and state (at 12 twips per pixel).
    void ApplyDesign();

    // A click on the preview box: the main window's File menu as a pop-up (also the Project menu's
    // "Update Preview").
    void Picture1_Click();
    // Opens code box `Index` (closing any other) or closes it when it is open.
    void Label2_Click(int Index);

    // --- events (public so that tests and the screen can raise them as Windows would) ---
    void Form_MouseMove(int Button, int Shift, float X, float Y);
    void Form_MouseDown(int Button, int Shift, float X, float Y);
    void Form_MouseUp(int Button, int Shift, float X, float Y);
    void Form_KeyUp(int& KeyCode, int& Shift);
    void Check1_Click(int Index);
    void Check2_Click();
    void HScroll1_Change(int Index);
    void HScroll1_Scroll(int Index);
    void HScroll1_KeyPress(int Index, int& KeyAscii);
    void HScroll1_DragOver(int Index, ui::Control& Source, float X, float Y, int State);
    void Picture2_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Picture3_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Picture3_MouseUp(int Index, int Button, int Shift, float X, float Y);
    // The start of an inline edit of a value, information or name label.
    void Label1_Click(int Index);
    void Label6_Click(int Index);
    void Label7_Click(int Index);
    void Text10_GotFocus();
    void Text10_KeyPress(int& KeyAscii);
    void text10_lostfocus();
    void Command10_Click();
    void Text5_KeyPress(int Index, int& KeyAscii);
    void Timer1_Timer();
    void Combo1_Click(int Index);
    void Combo2_Click();
    void Label9_Click(int Index);
    void Label10_Click();
    // Hover marks: the label under the mouse shows white text, a toolbar label a frame.
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label2_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label6_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label7_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label9_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label10_MouseMove(int Button, int Shift, float X, float Y);
    // The memory spots.
    void Picture6_MouseDown(int Button, int Shift, float X, float Y);
    void Picture7_Click(int Index);
    void Command7_Click(int Index);
    void Command8_Click();
    void Command9_Click();
    void Command12_Click();
    void Command14_Click();
    void Command16_Click();

private:
    void Form_Load();
    void Form_Unload(int& Cancel);
    void connect_events();
};

} // namespace vexolan
