#include "ffeditor/FFEditorType1.hpp"

#include "ffeditor/artwork.hpp"
#include "ffeditor/interface.hpp"
#include "ffeditor/memory_spots.hpp"
#include "ffeditor/sliders.hpp"
#include "ffeditor/snippets.hpp"
#include "imaging/handles.hpp"
#include "imaging/preview.hpp"
#include "shell/App.hpp"
#include "shell/frame.hpp"
#include "shell/helpers.hpp"
#include "shell/status.hpp"

#include "platform/imgman/imgman.hpp"

namespace vexolan {

namespace {

constexpr std::array InfoCaptions{"Filename", "Category", "Filtername", "Author", "Copyright"};
constexpr std::array InfoTips{"Enter Filename", "Enter Category", "Enter Filtername", "Enter Author",
                              "Enter Copyright"};
constexpr std::array ToolbarTips{"Clear all Memory Spots", "Delete only one Memory Spot",
                                 "Show large preview",     "Open new BMP picture as preview source",
                                 "Save filtered picture",  "Create random slider values",
                                 "Reset all settings",     "Save filter in different formats"};
struct Place {
    int left, top, width, height;
};
constexpr std::array<Place, 8> ToolbarPlaces{{{4896, 1308, 780, 252},
                                              {5724, 1308, 672, 252},
                                              {5256, 2304, 948, 300},
                                              {4848, 2676, 612, 324},
                                              {5508, 2688, 924, 300},
                                              {5100, 3072, 1164, 264},
                                              {5376, 3456, 660, 264},
                                              {5244, 3840, 936, 264}}};
constexpr std::array CodeTips{"Show/Hide Aphacode", "Show/Hide Redcode", "Show/Hide Greencode", "Show/Hide Bluecode"};
constexpr std::array<Place, 4> CodeLabelPlaces{
    {{2352, 4800, 312, 300}, {3072, 4848, 300, 216}, {3744, 4848, 300, 204}, {4416, 4848, 300, 204}}};
constexpr std::array CodeTexts{"a\r\n", "r\r\n", "g\r\n", "b\r\n"};

void transparent(ui::Label& l) {
    l.BackStyle = 0;
    l.ForeColor = 0;
}

void bare(ui::PictureBox& p) {
    p.BorderStyle = 0;
}

void window_button(ui::CommandButton& b, int left, const char* caption, const char* tip) {
    b.Move(left, 240, 204, 204);
    b.Caption = caption;
    b.Font.Bold = true;
    b.Font.Size = 7.8;
    b.ToolTipText = tip;
}

} // namespace

FFEditorType1::FFEditorType1(App& app) : ui::Window(app.host, "FFEditorType1"), app(app) {
    // Registration order is the stacking order: later controls lie above earlier ones.
    add(Label6, "Label6");
    add(Label7, "Label7");
    add(HScroll1, "HScroll1");
    add(Picture2, "Picture2");
    add(Picture3, "Picture3");
    add(Label1, "Label1");
    add(Check1, "Check1");
    add(Picture1, "Picture1");
    add(Check2, "Check2");
    add(Label8, "Label8");
    add(Command9, "Command9");
    add(Command12, "Command12");
    add(Command16, "Command16");
    add(Command7, "Command7");
    add(Command8, "Command8");
    add(Picture6, "Picture6");
    add(Picture7, "Picture7", &Picture6);
    add(Label9, "Label9");
    add(Label10, "Label10");
    add(Combo2, "Combo2");
    add(Text5, "Text5");
    add(Label2, "Label2");
    add(Command10, "Command10");
    add(Command14, "Command14");
    add(Combo1, "Combo1");
    add(Text10, "Text10");
    add(Picture4, "Picture4");
    add(Picture5, "Picture5");
    add(Timer1, "Timer1");

    Load = [this] { Form_Load(); };
    Unload = [this](int& Cancel) { Form_Unload(Cancel); };
    connect_events();

    // Design values that loading never changes.
    BorderStyle = ui::vbBSNone;
    ControlBox = false;
    MinButton = false;
    MaxButton = false;
    // F1 reaches the window whichever control has the focus.
    KeyPreview = true;
    for (const char* item : {"Photoshop Plug", "Premiere Plug", "AFS File", "PFF File", "Text File"})
        Combo2.AddItem(item);
    Combo2.Style = ui::vbComboDropdownList;
    Combo1[0].Style = ui::vbComboDropdownList;
    for (std::string_view item : FunctionTemplates)
        Combo1[0].AddItem(std::string(item));
    Combo1[1].Style = ui::vbComboDropdownList;
    for (auto& box : Text5)
        box.MultiLine = true;
    for (auto& s : HScroll1) {
        s.Min = 0;
        s.Max = 255;
        s.LargeChange = 10;
        s.SmallChange = 1;
    }
    Timer1.Interval = 2000;
    ApplyDesign();
}

void FFEditorType1::ApplyDesign() {
    // The controls return to their design values with the window disabled: a slider, check box or
    // list still holding the previous load's value raises its event on the way back, and an enabled
    // window would let that event run a preview, which copies the half-reset window into the
    // filter record. The window is enabled again at the end, also when a step fails.
    struct Reenable {
        FFEditorType1& window;
        ~Reenable() { window.Enabled = true; }
    } reenable{*this};
    Enabled = false;
    Caption = "";
    Width = 7896;
    Height = 6204;
    SetPicture({});
    ClearWindowRgn();
    // Fonts too: a window loaded again on a rescaled screen must not grow twice.
    for (ui::Control* c : Controls())
        c->Font.Size = ui::DesignFontSize;
    for (std::size_t k = 0; k < Label6.size(); ++k) {
        auto& l = Label6[k];
        l.Move(384, 384 + 192 * static_cast<int>(k), 2124, k == 4 ? 408 : 216);
        l.Caption = InfoCaptions[k];
        l.ToolTipText = InfoTips[k];
        transparent(l);
        l.Visible = true;
    }
    for (std::size_t i = 0; i < 8; ++i) {
        const int top = 2304 + 288 * static_cast<int>(i);
        const std::string number = std::to_string(i + 1);
        auto& name = Label7[i];
        name.Move(1116, top, 1356, 204);
        name.Caption = "Slider " + number;
        name.ToolTipText = "Name of Slider " + number;
        name.Font.Strikeout = false;
        name.Enabled = true;
        name.Visible = true;
        transparent(name);
        HScroll1[i].Move(2784, top, 1644, 204);
        HScroll1[i].Value = 0;
        HScroll1[i].Visible = true;
        Picture2[i].Move(2784, top, 1644, 204);
        Picture2[i].Picture = 0;
        bare(Picture2[i]);
        Picture3[i].Move(2976, top, 108, 204);
        Picture3[i].Picture = 0;
        bare(Picture3[i]);
        Label1[i].Move(4488, top, 300, i == 1 ? 216 : 204);
        Label1[i].Caption = "0";
        Label1[i].Visible = true;
        transparent(Label1[i]);
    }
    for (std::size_t j = 0; j < 4; ++j) {
        Check1[j].Move(864, 2496 + 576 * static_cast<int>(j), 156, 156);
        Check1[j].Caption = "Check1";
        Check1[j].ToolTipText = "Activate Map " + std::to_string(j + 1);
        Check1[j].Value.store(ui::vbUnchecked);
    }
    Picture1.Move(2784, 384, 1920, 1320);
    Picture1.ToolTipText = "Click me to update preview!";
    Picture1.Cls();
    Check2.Move(4896, 384, 156, 180);
    Check2.ToolTipText = "Activate/Deactivate Auto Refresh of Preview";
    Check2.Value.store(ui::vbChecked);
    Label8.Move(5184, 384, 972, 204);
    Label8.Caption = "Auto Preview";
    Label8.ToolTipText = Check2.ToolTipText.get();
    transparent(Label8);
    window_button(Command9, 6528, "x", "Hide FF Editor");
    window_button(Command12, 6324, "_", "Minimize Window");
    window_button(Command16, 6780, "X", "Unload FF Editor from Memory");
    Picture6.Move(4896, 672, 1452, 588);
    Picture6.Picture = PadPicture;
    bare(Picture6);
    for (std::size_t s = 0; s < 10; ++s) {
        const int col = static_cast<int>(s % 5), row = static_cast<int>(s / 5);
        Picture7[s].Move(12 + 288 * col, 12 + 288 * row, 300, 300);
        Picture7[s].Picture = MarkerPicture;
        Picture7[s].Visible = false;
        bare(Picture7[s]);
        Command7[s].Move(4896 + 288 * col, 672 + 288 * row, 300, 300);
        Command7[s].Caption = std::to_string(s + 1);
        Command7[s].Font.Bold = false;
    }
    Command8.Move(6816, 864, 684, 300);
    Command8.Caption = "Delete";
    Command8.ToolTipText = "Click, then select a Spot to delete";
    Command8.Visible = false;
    Command8.Enabled = true;
    for (std::size_t k = 0; k < 8; ++k) {
        auto& l = Label9[k];
        l.Move(ToolbarPlaces[k].left, ToolbarPlaces[k].top, ToolbarPlaces[k].width, ToolbarPlaces[k].height);
        l.Caption = "";
        l.ToolTipText = ToolbarTips[k];
        l.BorderStyle = 0;
        transparent(l);
    }
    Label10.Move(2652, 1872, 2184, 216);
    Label10.Caption = "";
    Label10.ToolTipText = "";
    Label10.Visible = true;
    Label10.BorderStyle = 0;
    transparent(Label10);
    Combo2.Move(5088, 4128, 1260, 288);
    Combo2.ToolTipText = "Choose Save Format";
    for (std::size_t b = 0; b < 4; ++b) {
        Text5[b].Move(2592, 2208, 3756, 2316);
        Text5[b].Text = CodeTexts[b];
        Text5[b].Font.Name = "MS Sans Serif";
        Text5[b].Font.Size = 9.6;
        Text5[b].Font.Bold = false;
        Text5[b].Font.Italic = false;
        Text5[b].Font.Underline = false;
        Text5[b].Font.Strikeout = false;
        Text5[b].Visible = false;
        Label2[b].Move(CodeLabelPlaces[b].left, CodeLabelPlaces[b].top, CodeLabelPlaces[b].width,
                       CodeLabelPlaces[b].height);
        Label2[b].Caption = b == 0 ? "" : b == 1 ? "R=" : b == 2 ? "G=" : "B=";
        Label2[b].ToolTipText = CodeTips[b];
        Label2[b].Font.Bold = false;
        Label2[b].Visible = true;
        transparent(Label2[b]);
    }
    Command10.Move(5184, 4848, 204, 204);
    Command10.Caption = "1";
    Command10.ToolTipText = "One/Three code boxes";
    Command14.Move(5460, 4848, 204, 204);
    Command14.Caption = "F";
    Command14.ToolTipText = "Larger Fonts";
    Combo1[0].Move(1296, 4800, 972, 288);
    Combo1[0].ToolTipText = "FF functions ready to paste into a code window";
    Combo1[0].Enabled = false;
    // No template or snippet is chosen in a window loaded again.
    Combo1[0].ListIndex = -1;
    Combo1[1].Move(144, 5280, 2088, 288);
    Combo1[1].ListIndex = -1;
    Combo1[1].Clear();
    Combo1[1].ToolTipText = "Code Snipet Database";
    Combo1[1].Enabled = false;
    SnippetCode.clear();
    Text10.Move(864, 5664, 1740, 288);
    Text10.Text = "";
    Text10.Visible = false;
    for (std::size_t n = 0; n < 3; ++n) {
        Picture4[n].Move(3840, 5376 + 192 * static_cast<int>(n), 1644, 204);
        Picture4[n].Picture = TrackPicture0 - static_cast<int>(n);
        Picture4[n].Visible = false;
        bare(Picture4[n]);
        Picture5[n].Move(5568, 5376 + 192 * static_cast<int>(n), n == 0 ? 108 : 96, 204);
        Picture5[n].Picture = KnobPicture0 - static_cast<int>(n);
        Picture5[n].Visible = false;
        bare(Picture5[n]);
    }
    Timer1.Enabled = false;
    EditedLabel = &Check2;
    FormulaProblem.clear();
}

void FFEditorType1::Form_Load() {
    // Each step on its own: a failure is shown in the common error box and loading goes on.
    auto step = [this](auto&& body) {
        try {
            body();
        } catch (const vb::Error& e) {
            app.Err.Raise(e);
            ErrorMessage(app);
        }
    };
    // A window loaded again starts from its design, as a fresh window would.
    step([&] { ApplyDesign(); });
    step([&] { ShowPendingSpotMarks(app); });
    step([&] {
        if (app.PreviewImage == 0) PreparePreviewPic(app);
    });
    step([&] { EditedLabel = &Check2; });
    step([&] { Combo2.ListIndex = 0; });
    step([&] {
        if (app.host.TwipsPerPixelX() != 12 && app.host.TwipsPerPixelY() != 12) ScaleForm(*this);
    });
    step([&] { LoadSnippets(app); });
    step([&] { LoadInterface(app); });
    step([&] {
        imgman::ImageInfo info;
        std::int32_t flags = 0;
        if (imgman::ImgGetInfoStruct(app.PreviewImage, info, flags) == 0)
            throw vb::Error(imgman::ImgGetStatus() + 31000, imgman::ImgGetErrorText());
        Picture1.Width = (info.Width - 1) * app.host.TwipsPerPixelX();
        Picture1.Height = (info.Height - 1) * app.host.TwipsPerPixelY();
    });
    step([&] {
        Picture1.Cls();
        DrawImg(app, app.PreviewImage, Picture1);
    });
}

void FFEditorType1::Form_Unload(int& /*Cancel*/) {
    vb::ResumeNext([&] { app.Settings.SaveSetting("Vexo10", "Settings", "PreviewPic", app.OriginalBMP); });
}

} // namespace vexolan
