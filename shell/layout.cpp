// The main window's layout: the design positions of both panes, the File View's arrangement of
// report list and folder box, and the proportional relayout when the window is resized.

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"
#include "shell/panes.hpp"
#include "shell/prefs_link.hpp"

#include "platform/values/values.hpp"

#include <cmath>

namespace vexolan {

namespace {

// Design positions are in pixels of a 15-twip screen, as the window was drawn.
constexpr int px(int pixels) {
    return pixels * 15;
}

constexpr int PaneWidth = 392;
constexpr int ViewTop = 80;
constexpr int ViewHeight = 420;
constexpr int StatusTop = ViewTop + ViewHeight + 4;
constexpr int StatusHeight = 17;
constexpr int ClientWidth = 2 * PaneWidth + 8;
// Caption, menu bar and frame of the 15-twip design screen: 18 + 19 + 2 x 4 pixels.
constexpr int DesignFramePixels = 45;

} // namespace

void Form1::design_layout() {
    Width = px(ClientWidth + 8);
    Height = px(StatusTop + StatusHeight + DesignFramePixels);

    Frame1.Move(0, 0, px(ClientWidth), px(34));
    Frame1.BorderStyle = 0;
    for (int i = 0; i < 6; ++i)
        Command1[i].Move(px(6 + i * 82), px(5), px(78), px(24));
    Toolbar1.Move(px(502), px(5), px(96), px(24));
    Image1.Move(px(ClientWidth - 40), px(1), px(32), px(32));

    for (int p = 0; p < 2; ++p) {
        int x = 4 + p * (PaneWidth + 0);
        Label6[p].Move(px(x), px(38), px(PaneWidth - 84), px(18));
        Image2[p].Move(px(x + PaneWidth - 80), px(38), px(18), px(18));
        Image5[p].Move(px(x + PaneWidth - 60), px(38), px(18), px(18));
        Image4[p].Move(px(x + PaneWidth - 40), px(38), px(18), px(18));
        Image6[p].Move(px(x + PaneWidth - 20), px(38), px(18), px(18));
        SSTab1[p].Move(px(x), px(58), px(PaneWidth - 4), px(22));
        for (int k = 1; k <= 3; ++k)
            ViewFrame(p, k).Move(px(x), px(ViewTop), px(PaneWidth - 4), px(ViewHeight));

        // File View: drive box on top, folder box on the left, file list or report list beside
        // it, the file-type filter at the bottom.
        Drive1[p].Move(px(2), px(2), px(PaneWidth - 8), px(21));
        Combo1[p].Move(px(2), px(ViewHeight - 23), px(PaneWidth - 8), px(21));
        int listTop = 27, listHeight = ViewHeight - 23 - listTop;
        Dir1[p].Move(px(2), px(listTop), px(136), px(listHeight));
        File1[p].Move(px(142), px(listTop), px(PaneWidth - 148), px(listHeight));
        ListView1[p].Move(px(2), px(listTop), px(PaneWidth - 8), px(listHeight));
        ListView1[p].ColumnHeaders(1).Width = px(150);
        ListView1[p].ColumnHeaders(2).Width = px(60);
        ListView1[p].ColumnHeaders(3).Width = px(160);

        // Plugin View: categories on the left, plug-ins on the right, the information line and
        // the "Photoshop Mode" box below.
        Label5[p].Move(px(2), px(ViewHeight - 44), px(PaneWidth - 8), px(18));
        Check1[p].Move(px(2), px(ViewHeight - 23), px(200), px(21));
        List2[p].Move(px(2), px(2), px(136), px(ViewHeight - 46));
        List3[p].Move(px(142), px(2), px(PaneWidth - 148), px(ViewHeight - 46));

        // FFL View: the library list and its label.
        Label1[p].Move(px(2), px(ViewHeight - 20), px(PaneWidth - 8), px(18));
        ListView2[p].Move(px(2), px(2), px(PaneWidth - 8), px(ViewHeight - 22));
        ListView2[p].ColumnHeaders(1).Width = px(170);
        ListView2[p].ColumnHeaders(2).Width = px(110);
        ListView2[p].ColumnHeaders(3).Width = px(90);
    }
    Label3.Move(0, px(StatusTop), px(ClientWidth - 200), px(StatusHeight));
    Label4.Move(px(ClientWidth - 200), px(StatusTop), px(200), px(StatusHeight));
    Label4.Alignment = ui::vbRightJustify;
    for (ui::Image& picture : Image3)
        picture.Move(0, 0, px(16), px(16));
    picFont.Move(0, 0, px(20), px(20));
}

void ArrangeFileView(App& app, int pane) {
    Form1& f = app.form1();
    ui::DirListBox& dir = f.Dir1[pane];
    ui::ListView& list = f.ListView1[pane];
    int right = f.File1[pane].Left + f.File1[pane].Width;
    int left = dir.Visible ? f.File1[pane].Left.get() : dir.Left.get();
    vb::ResumeNext([&] { list.Move(left, dir.Top, right - left, dir.Height); });
}

void Form1::Form_Resize() {
    LayoutState& s = layout_;
    if (!Enabled) return;
    // While the frame is dragged the relayout waits for the button to come up.
    if (host().KeyDown(ui::vbKeyLButton)) {
        Timer2.Enabled = true;
        return;
    }
    Timer2.Enabled = false;
    if (s.SkipNext) {
        s.SkipNext = false;
        return;
    }
    if (WindowState == ui::vbMinimized) {
        s.SkipNext = true;
        return;
    }
    if (s.LastInnerWidth == 0) {
        s.LastInnerWidth = s.DesignInnerWidth = ScaleWidth();
        s.LastInnerHeight = s.DesignInnerHeight = ScaleHeight();
        s.DesignWidth = Width;
        s.DesignHeight = Height;
        return;
    }

    // Never smaller than designed.
    if (ScaleWidth() < s.DesignInnerWidth) {
        Enabled = false;
        vb::ResumeNext([&] { Width = s.DesignWidth; });
        Enabled = true;
    }
    float ratioX = static_cast<float>(ScaleWidth()) / static_cast<float>(s.LastInnerWidth);
    if (ScaleHeight() < s.DesignInnerHeight) {
        Enabled = false;
        vb::ResumeNext([&] { Height = s.DesignHeight; });
        Enabled = true;
    }
    float ratioY = static_cast<float>(ScaleHeight()) / static_cast<float>(s.LastInnerHeight);

    if (ScaleWidth() != s.LastInnerWidth || ScaleHeight() != s.LastInnerHeight) {
        s.LastInnerWidth = ScaleWidth();
        s.LastInnerHeight = ScaleHeight();
        MousePointer = ui::vbHourglass;
        Refresh();
        FreezeRedraw(true);

        // Every control keeps its proportions, hidden ones too, so that a view or list mode
        // shown later comes back in place. Drive and combo boxes keep the height of their font.
        for (ui::Control* c : Controls()) {
            if (c->Kind() == "Timer" || c->Name() == "picFont") continue;
            if (auto* line = dynamic_cast<ui::Line*>(c)) {
                vb::ResumeNext([&] {
                    line->X1 = line->X1 * ratioX;
                    line->X2 = line->X2 * ratioX;
                    line->Y1 = line->Y1 * ratioY;
                    line->Y2 = line->Y2 * ratioY;
                });
                continue;
            }
            vb::ResumeNext([&] { c->Left = c->Left * ratioX; });
            vb::ResumeNext([&] { c->Width = c->Width * ratioX; });
            vb::ResumeNext([&] { c->Top = c->Top * ratioY; });
            if (c->Kind() != "DriveListBox" && c->Kind() != "ComboBox")
                vb::ResumeNext([&] { c->Height = c->Height * ratioY; });
        }

        // The lists of each pane end where the label or filter box below them begins.
        for (int i = 0; i < 2; ++i) {
            vb::ResumeNext([&] {
                switch (app.PaneMode[i]) {
                case 1:
                    File1[i].Height = Combo1[i].Top - File1[i].Top;
                    Dir1[i].Height = Combo1[i].Top - Dir1[i].Top;
                    break;
                case 2:
                    List2[i].Height = Label5[i].Top - List2[i].Top;
                    List3[i].Height = Label5[i].Top - List3[i].Top;
                    break;
                default:
                    ListView2[i].Height = Label1[i].Top - ListView2[i].Top;
                    break;
                }
            });
        }

        if (AutoColumnWidth(app)) {
            for (int i = 0; i < 2; ++i) {
                if (ListView1[i].View == ui::lvwReport) LV_OptimalWidth(ListView1[i]);
                LV_OptimalWidth(ListView2[i]);
            }
        } else {
            for (int i = 0; i < 2; ++i) {
                for (int j = 1; j <= 3; ++j) {
                    vb::ResumeNext([&] {
                        ui::ColumnHeader& c = ListView1[i].ColumnHeaders(j);
                        c.Width = c.Width * ratioX;
                    });
                    vb::ResumeNext([&] {
                        ui::ColumnHeader& c = ListView2[i].ColumnHeaders(j);
                        c.Width = c.Width * ratioX;
                    });
                }
            }
        }

        FreezeRedraw(false);
        Refresh();
        MousePointer = ui::vbDefault;
    }

    // The window ends at the bottom of the status line.
    Enabled = false;
    vb::ResumeNext([&] {
        double frame = (host().CaptionHeight() + 4 + host().MenuHeight() + 4) * host().TwipsPerPixelY();
        Height = static_cast<int>(vb::RoundHalfEven(frame)) + Label3.Top + Label3.Height;
    });
    Enabled = true;
}

void Form1::Timer2_Timer() {
    if (!host().KeyDown(ui::vbKeyLButton)) Form_Resize();
}

} // namespace vexolan
