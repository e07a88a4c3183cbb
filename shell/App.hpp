#pragma once
// The application object: owns every window and every piece of program-wide state. A test builds
// a fresh App on a scripted host and a temporary application folder, so tests never share state.
// Windows are created on first use (their Load runs when they are loaded or shown).

#include "platform/settings/settings.hpp"
#include "platform/ui/Host.hpp"
#include "platform/values/values.hpp"

#include "filterfactory/compiler.hpp"
#include "filterfactory/record.hpp"
#include "preferences/plugtypes.hpp"
#include "shell/helpers.hpp"
#include "shell/panes.hpp"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vexolan {

class Form1;
class Form2;
class FrmPluginType;
class frmDownload;
class Form3;
class frmAbout;
class frmTip;
class frmSplash;
class ProVersionAd;
class Overwrite;
class SelectFolder;
class Convert;
class PicView;
class Form4;
class FFEditorType1;

class App {
public:
    // `appPath` becomes the process's application folder; the settings live in `settingsFile`.
    App(ui::Host& host, std::filesystem::path appPath, std::filesystem::path settingsFile = settings::default_path());
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    ui::Host& host;
    // The per-user, writable application folder (templates, temp.dll, lists, help pages).
    std::filesystem::path AppPath;
    // The per-user settings store (application "Vexo10").
    settings::Store Settings;
    // The error a procedure caught last, as the error boxes report it.
    vb::ErrObject Err;

    // --- current filter ---
    // FilterRecord (FF.Record), pFlag (FF.pFlag) and the hooks its readers call out through.
    ff::FFContext FF;

    // --- main window: panes and views ---
    // The view of each pane: 1 File View, 2 Plugin View, 3 FFL View.
    std::array<int, 2> PaneMode{1, 1};
    // The pane's Plugin View lists are current for the folder last scanned.
    std::array<bool, 2> ScanValid{};
    // The catalogue rows behind each pane's plug-in list (row 0 is never filled), and a copy of
    // each pane's category list after its scan. Each pane keeps its own, so a scan of one pane
    // never takes the rows from under the other.
    std::array<PluginCatalogPane, 2> PluginCatalog;
    std::array<std::vector<std::string>, 2> PaneCategories;
    // The library file each pane's FFL View lists, and the byte position (counted from 1) of each
    // listed entry, indexed by the entry's tag less one. Nothing fills them in this edition.
    std::array<std::string, 2> PaneFFLFile;
    std::array<std::vector<long>, 2> PaneFFLOffsets;
    // The folder scanner behind the Plugin View: fills the pane's catalogue rows and category
    // list and returns the number of rows, 0 when nothing was found or the user stopped it with
    // Esc (it then sets ScanStopped of the pane).
    std::function<long(int Index, bool OnlyFF, int MultiTask, int LastDirInd)> ScanPluginRecurse;
    std::array<bool, 2> ScanStopped{};

    // --- windows ---
    Form1& form1();

    // --- preferences ---
    // The Preferences window: the live settings every subsystem reads. Created hidden on first use.
    Form2& form2();
    // The plug-in type dialog of the Preferences window.
    FrmPluginType& frmPluginType();
    // The link-list window "FX Download", created on first use.
    frmDownload& linkListWindow();
    // The checked plug-in types and their scan mask (";*?api;*.p;*_p..."), rebuilt by the
    // Preferences loader and its Ok.
    PlugTypeTable PlugTypes;
    std::string PlugTypeMask;
    // The editor interface: the chosen description file ("Interfc4.des", or "OFF" for the plain
    // editor) and the folder of the application folder that holds the files.
    std::string InterfaceFile = "Interfc4.des";
    std::string InterfaceFolder = "interface";

    // --- the Filter Factory editor ---
    // The editor window, created hidden on first use (its Load runs when it is loaded or shown).
    FFEditorType1& EditorForm();
    // Set by the interface file: graphic sliders (track and knob pictures) instead of scroll bars.
    bool GraphSliders = false;
    // The address of the interface file's mail link area.
    std::string MailtoAddress;

    // --- small windows: input box, about box, tip of the day, splash, edition advertisement ---
    Form3& form3();
    frmAbout& aboutBox();
    frmTip& tipWindow();
    frmSplash& splash();
    ProVersionAd& proVersionAd();
    // Set True by the input box's OK and False by its Cancel (also by the plug-in list options).
    bool DialogOK = false;
    // --- end of small windows ---

    // --- Filter Factory formats, the plug-in compiler and the overwrite prompt ---
    Overwrite& overwrite();
    // OverwriteCheck's remembered answer: 2 "Overwrite All" and 3 "Ignore All" answer later calls
    // until a call with two empty names clears it.
    int OverwriteRemembered = 0;
    // Where the compiler reads the Preferences' compile options at each compile; until the
    // Preferences window connects it, the defaults (the "Filter Factory 3.0" template, no options).
    std::function<ff::CompileOptions()> CompileOptionsSource;
    ff::CompileOptions FFCompileOptions() const;

    // --- start-up and shutdown ---
    // Set by StartProgram: Form1 is then the program's start-up object and runs the start-up
    // sequence as it loads and the shutdown as it unloads. A main window built on its own (as the
    // tests of its parts build it) stays a plain window.
    bool ProgramStarted = false;
    // The file named on the command line, "" for none.
    std::string CommandLine;
    // Form_Load's failures so far: the first three are shown, later ones pass silently.
    int StartupErrors = 0;
    // The image handles the main window keeps (0 = none): the preview thumbnail and the working
    // copy a plug-in filters in place.
    int PreviewImage = 0;
    // The full path of the preview picture the thumbnail was made from ("" until first prepared).
    std::string OriginalBMP;
    int PluginImage = 0;
    // The picture editor's current image (closed when the picture editor unloads).
    int PicImage = 0;
    // The picture editor window, created hidden on first use.
    PicView& picView();
    // The draw in [0, 1) that decides on the advertisement at exit; unset, a clock-seeded random number.
    std::function<double()> ExitDraw;
    // --- end of start-up and shutdown ---

    // --- file view, target-folder dialog and conversion ---
    // The sort direction of each column (1 Name, 2 Size, 3 Date) of each pane's report list; each
    // pane keeps its own, so a refill of one pane never turns the other's direction.
    std::array<ColumnSortOrders, 2> ColumnSortOrder{ColumnSortOrders{false, true, true, true},
                                                    ColumnSortOrders{false, true, true, true}};
    // Where each pane's report list stood before its folder box was shown beside it, and the main
    // window's width then (twips).
    struct ListPlace {
        int ListLeft = 0;
        int ListWidth = 0;
    };
    std::array<ListPlace, 2> FolderBoxGeometry{};
    int FolderBoxWindowWidth = 0;
    // The position of the folder item each pane was entered from by a double click (0: none); the
    // way back up selects it once.
    std::array<int, 2> ReturnItemIndex{};
    // An inline rename of a report-list item is being carried out: the list's keys do nothing.
    bool LabelEditActive = false;
    // The item each pane's inline edit started on: the rename names it, whatever the mouse did since.
    struct EditedLabel {
        std::string Text;
        int Icon = 0;
    };
    std::array<EditedLabel, 2> LabelEditItem{};
    // The file last clicked in a file box, and the item last clicked in a report list, while the
    // preview button was pressed.
    std::string LastPreviewPath;
    std::string LastPreviewItemPath;
    // The target-folder dialog and the Convert dialog, created hidden on first use.
    SelectFolder& selectFolder();
    Convert& convertDialog();
    // --- end of file view ---

    // --- plug-in catalogue ---
    // The options dialog of the plug-in list, created hidden on first use.
    Form4& form4();

private:
    std::unique_ptr<Form1> form1_;
    // --- preferences ---
    std::unique_ptr<Form2> form2_;
    std::unique_ptr<FrmPluginType> frmPluginType_;
    std::unique_ptr<frmDownload> linkListWindow_;
    // --- small windows ---
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<frmAbout> aboutBox_;
    std::unique_ptr<frmTip> tipWindow_;
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<ProVersionAd> proVersionAd_;
    // --- end of small windows ---
    std::unique_ptr<Overwrite> overwrite_;
    std::unique_ptr<FFEditorType1> editor_;
    // --- file view, target-folder dialog and conversion ---
    std::unique_ptr<SelectFolder> selectFolder_;
    std::unique_ptr<Convert> convert_;
    // --- end of file view ---
    // --- picture editor ---
    std::unique_ptr<PicView> picView_;
    // --- end of picture editor ---
    std::unique_ptr<Form4> form4_;
};

} // namespace vexolan
