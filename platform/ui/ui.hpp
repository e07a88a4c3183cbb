#pragma once
// The whole ui model: the one include for window classes and their tests.
//
// A window class derives from ui::Window, holds its controls and menus as members named as the
// program names them (control arrays as std::array, indexed by the same number the program uses),
// registers them in its constructor and connects their events to its event procedures:
//
//     class Form2 : public ui::Window {
//     public:
//         explicit Form2(App& app);
//         std::array<ui::FileListBox, 2> File1;
//         ui::Frame Frame1;
//         std::array<ui::CommandButton, 6> Command1;   // inside Frame1
//         ui::Timer Timer2;
//         ui::Menu mnuDirs, mnuEditFolders;
//         ui::MenuArray mnuDirectorys;
//     private:
//         void Form_Load();
//         void Form_Resize();
//         void File1_DblClick(int Index);
//         void Command1_Click(int Index);
//         void Timer2_Timer();
//         void mnuDirectorys_Click(int Index);
//     };
//
//     Form2::Form2(App& app) : ui::Window(app.host(), "Form2") {
//         add(File1, "File1");
//         add(Frame1, "Frame1");
//         add(Command1, "Command1", &Frame1);
//         add(Timer2, "Timer2");
//         add_menu(mnuDirs, "mnuDirs");
//         add_menu(mnuEditFolders, "mnuEditFolders", &mnuDirs);
//         add_menu(mnuDirectorys, "mnuDirectorys", &mnuDirs);
//         Load = [this] { Form_Load(); };
//         Resize = [this] { Form_Resize(); };
//         for (int i = 0; i < 2; ++i) File1[i].DblClick = [this, i] { File1_DblClick(i); };
//         for (int i = 0; i < 6; ++i) Command1[i].Click = [this, i] { Command1_Click(i); };
//         Timer2.Tick = [this] { Timer2_Timer(); };
//         mnuDirectorys.Click = [this](int Index) { mnuDirectorys_Click(Index); };
//         // design values: Caption, geometry, Interval, menu captions and shortcuts ...
//     }
//
// Procedures then read as on Windows: `Combo1[pane].ListIndex = 2;` (raises Combo1_Click),
// `File1[pane].Selected(i) = true;`, `Dir1[pane].Path = path;` (Change when the folder differs),
// `SSTab1[pane].SelectedItem = 1;` (Click), `Form2.Show();`, `Form3.ShowModal();`, `Unload();`,
// `host.MsgBox(...)`. Failing property sets throw vb::Error with Windows' number (380 invalid
// property value, 76 path not found, 5 invalid call, 35600 index out of bounds); the procedure
// that sets them catches as its own rules say.
//
// Tests build the window on a test_support::ScriptedHost, script the answers, and act through the
// user_... entry points, which raise events in the order a real user causes them (the screen
// binding calls the same entry points):
//
//     test_support::ScriptedHost host;
//     Form2 form(app);                        // an App made on `host`
//     form.Show();                            // Load, Resize, Activate
//     host.answer_msgbox(ui::vbYes, "Delete the file?", ui::vbYesNo + ui::vbQuestion);
//     form.File1[1].user_mouse_down(ui::vbRightButton, 0, 10, 10);  // GotFocus, then MouseDown
//     form.File1[0].user_dblclick_item(3);
//     form.ListView1[0].user_click_item(2);   // MouseDown, ItemClick, Click, MouseUp
//     form.user_key_down(ui::vbKeyF5);        // menu shortcuts first, then KeyPreview, then the control
//     host.on_modal("SelectFolder", [](ui::Window& w) { ... });
//     host.advance(100);                      // timers due within 100 ms tick
//
// An unscripted message box, input box, dialog, modal window or pop-up menu fails the test and
// answers Cancel or nothing; an answer left unused fails it when the host goes.

#include "platform/ui/Bars.hpp"
#include "platform/ui/Control.hpp"
#include "platform/ui/Controls.hpp"
#include "platform/ui/Event.hpp"
#include "platform/ui/Host.hpp"
#include "platform/ui/ListView.hpp"
#include "platform/ui/Lists.hpp"
#include "platform/ui/Menu.hpp"
#include "platform/ui/Property.hpp"
#include "platform/ui/View.hpp"
#include "platform/ui/Window.hpp"
