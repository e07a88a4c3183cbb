#include "filemanager/drag_drop.hpp"

#include "filemanager/copy_move.hpp"
#include "filemanager/fileview.hpp"
#include "filterfactory/library.hpp"

#include "platform/fs/files.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/artwork.hpp"
#include "catalogue/commands.hpp"

#include <cmath>

namespace vexolan {

namespace {

// The list that carries a file drag: the one the passive pane shows, so that a drop on the passive
// pane comes from a control of its own.
ui::Control& DragCarrier(App& app) {
    Form1& f = app.form1();
    const int passive = 1 - f.Switchy;
    switch (app.PaneMode[passive]) {
    case 2:
        return f.List3[passive];
    case 3:
        return f.ListView2[passive];
    default:
        if (f.ListView1[passive].Visible) return f.ListView1[passive];
        return f.File1[passive];
    }
}

void BeginFileDrag(App& app) {
    Form1& f = app.form1();
    ui::Control& carrier = DragCarrier(app);
    carrier.DragIcon = f.File1[0].DragIcon.get();
    carrier.Drag(ui::vbBeginDrag);
}

// The full path of a folder item's folder with a trailing "/". Only the one blank that marks a folder
// item goes: a folder whose own name begins with blanks keeps them.
std::string FolderOfItem(App& app, int pane, const ui::ListItem& item) {
    const std::string& text = item.Text;
    const std::string name = !text.empty() && text[0] == ' ' ? text.substr(1) : text;
    return files::with_separator(app.form1().Dir1[pane].Path) + name + "/";
}

} // namespace

void ConnectDragAndDrop(Form1& f) {
    App& app = f.app;
    for (int p = 0; p < 2; ++p) {
        f.File1[p].DragIcon = DragFilesPicture;
        f.ListView1[p].MouseMove = [&app, p](int b, int s, float x, float y) {
            ListView1_MouseMove(app, p, b, s, x, y);
        };
        f.File1[p].MouseMove = [&app, p](int b, int s, float x, float y) { File1_MouseMove(app, p, b, s, x, y); };
        f.List3[p].MouseMove = [&app, p](int b, int s, float x, float y) { List3_MouseMove(app, p, b, s, x, y); };
        f.List3[p].LostFocus = [&app, p] { List3_LostFocus(app, p); };
        f.ListView1[p].DragOver = [&app, p](ui::Control& source, float x, float y, int state) {
            ListView1_DragOver(app, p, source, x, y, state);
        };
        f.List2[p].DragOver = [&app, p](ui::Control& source, float x, float y, int state) {
            List2_DragOver(app, p, source, x, y, state);
        };
        f.File1[p].DragDrop = [&app, p](ui::Control& source, float x, float y) {
            File1_DragDrop(app, p, source, x, y);
        };
        f.Dir1[p].DragDrop = [&app, p](ui::Control& source, float x, float y) { Dir1_DragDrop(app, p, source, x, y); };
        f.ListView1[p].DragDrop = [&app, p](ui::Control& source, float x, float y) {
            ListView1_DragDrop(app, p, source, x, y);
        };
        f.List2[p].DragDrop = [&app, p](ui::Control& source, float x, float y) {
            List2_DragDrop(app, p, source, x, y);
        };
        f.List3[p].DragDrop = [&app, p](ui::Control& source, float x, float y) {
            List3_DragDrop(app, p, source, x, y);
        };
    }
    // A plug-in drag that ends anywhere, or is given up, must not leave the category list answering
    // to the next Change Category as if it were a drop.
    f.DragEnded = [&f](ui::Control&) { f.PluginDragActive = false; };
}

// --- starting a drag ---

void ListView1_MouseMove(App& app, int Index, int Button, int, float X, float) {
    Form1& f = app.form1();
    f.ResetButtons();
    try {
        if (Button == ui::vbLeftButton && !f.DragArmed) {
            f.DragStartX = static_cast<int>(vb::RoundHalfEven(X));
            f.DragArmed = true;
        } else if (Button == 0) {
            f.DragStartX = static_cast<int>(vb::RoundHalfEven(X));
            f.DragArmed = false;
        }
        // Only sideways movement counts, so that selecting rows by moving up and down starts none.
        if (std::abs(X - static_cast<float>(f.DragStartX)) > 10.0f * static_cast<float>(app.host.TwipsPerPixelX()) &&
            Index == f.Switchy)
            BeginFileDrag(app);
    } catch (const vb::Error&) {
    }
}

void File1_MouseMove(App& app, int Index, int Button, int, float X, float) {
    Form1& f = app.form1();
    f.ResetButtons();
    if ((X < 0 || X > static_cast<float>(f.File1[f.Switchy].Width.get())) && Index == f.Switchy &&
        Button == ui::vbLeftButton)
        BeginFileDrag(app);
}

void List3_MouseMove(App& app, int Index, int Button, int, float X, float) {
    Form1& f = app.form1();
    try {
        const int active = f.Switchy;
        if ((X < 0 || X > static_cast<float>(f.List2[active].Width.get())) && Button == ui::vbLeftButton &&
            Index == active) {
            f.List3[active].DragIcon = f.File1[0].DragIcon.get();
            f.List3[active].Drag(ui::vbBeginDrag);
            f.PluginDragActive = true;
        }
    } catch (const vb::Error&) {
    }
}

void List3_LostFocus(App& app, int) {
    app.form1().PluginDragActive = false;
}

// --- while dragging ---

void ListView1_DragOver(App& app, int Index, ui::Control&, float X, float Y, int) {
    Form1& f = app.form1();
    try {
        ui::ListView& list = f.ListView1[Index];
        ui::ListItem* item = list.HitTest(X, Y);
        if (!item) return;
        // Only the passive pane shows where a drop would go: its folder item under the pointer.
        if (Index != f.Switchy) {
            ui::ListItem* selected = list.SelectedItem();
            if (selected && selected != item) selected->Selected = false;
            if (item->Icon == IconFolder) item->Selected = true;
        }
        item->EnsureVisible();
        if (item->Index() > 1) list.ListItems(item->Index() - 1).EnsureVisible();
    } catch (const vb::Error&) {
    }
}

void List2_DragOver(App& app, int Index, ui::Control& Source, float, float Y, int State) {
    Form1& f = app.form1();
    if (Index != f.Switchy || State != ui::vbOver) return;
    try {
        ui::ListBox& list = f.List2[Index];
        for (int i = 0; i < list.ListCount(); ++i)
            list.Selected(i) = false;
        Source.DragIcon = f.File1[0].DragIcon.get();
        const int rowHeight = static_cast<int>(
            vb::RoundHalfEven(static_cast<double>(list.ItemHeightPixels()) * app.host.TwipsPerPixelY()));
        if (rowHeight <= 0) return;
        const int row = static_cast<int>(std::floor(Y / static_cast<float>(rowHeight))) + list.TopIndex;
        // Below the last category the row stays as it was.
        if (row < list.ListCount()) {
            // Its click handling returns at once while the plug-in drag lasts.
            list.ListIndex = row;
            list.Selected(row) = true;
        }
    } catch (const vb::Error&) {
    }
}

// --- drops ---

void File1_DragDrop(App& app, int Index, ui::Control& Source, float, float) {
    Form1& f = app.form1();
    Source.Drag(ui::vbEndDrag);
    const int active = f.Switchy;
    if (Index != active) {
        // The folder under the pointer is not used: the files go into the pane's own folder.
        const int source = app.PaneMode[active];
        if (source == 1 || source == 2)
            cmd_MoveFiles(app, "");
        else if (source == 3)
            ff::cmd_Extract(0, false);
    }
    f.PluginDragActive = false;
}

void Dir1_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y) {
    File1_DragDrop(app, Index, Source, X, Y);
}

void ListView1_DragDrop(App& app, int Index, ui::Control&, float X, float Y) {
    Form1& f = app.form1();
    const int active = f.Switchy;
    const int source = app.PaneMode[active];
    try {
        if (Index != active && source == 3) {
            ff::cmd_Extract(0, false);
        } else if (source == 1) {
            // Empty space below the items is nothing to drop on.
            if (ui::ListItem* item = f.ListView1[Index].HitTest(X, Y)) {
                if (item->Icon == IconFolder)
                    cmd_MoveFiles(app, FolderOfItem(app, Index, *item));
                else if (Index != active) // a file or " .." of the passive pane: its own folder
                    cmd_MoveFiles(app, "");
            }
        }
    } catch (const vb::Error&) {
    }
    f.PluginDragActive = false;
}

void List2_DragDrop(App& app, int Index, ui::Control& Source, float X, float Y) {
    Form1& f = app.form1();
    if (Index != f.Switchy) {
        List3_DragDrop(app, Index, Source, X, Y);
        return;
    }
    Source.Drag(ui::vbEndDrag);
    // The category is the row that the drag highlighted last; the command reads it while the flag is set.
    cmd_ChangeCategory(app);
    f.PluginDragActive = false;
}

void List3_DragDrop(App& app, int Index, ui::Control& Source, float, float) {
    Form1& f = app.form1();
    Source.Drag(ui::vbEndDrag);
    const int active = f.Switchy;
    if (Index != active) {
        if (app.PaneMode[active] == 1) {
            // Cleared first: the move rescans this pane's Plugin View, whose category list must answer.
            f.PluginDragActive = false;
            cmd_MoveFiles(app, "");
        } else {
            ff::cmd_Extract(0, false);
        }
    }
    f.PluginDragActive = false;
}

} // namespace vexolan
