#include "shell/App.hpp"

#include "filterfactory/plugin_parameters.hpp"

#include "catalogue/Form4.hpp"
#include "catalogue/scanner.hpp"
#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/memory_spots.hpp"
#include "preferences/Form2.hpp"
#include "preferences/FrmPluginType.hpp"
#include "preferences/frmDownload.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmSplash.hpp"
#include "shell/frmTip.hpp"
#include "shell/status.hpp"

#include "catalogue/readers.hpp"
#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/refresh.hpp"
#include "filterfactory/Convert.hpp"
#include "imaging/PicView.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/plugin_host.hpp"

namespace vexolan {

App::App(ui::Host& host, std::filesystem::path appPath, std::filesystem::path settingsFile)
    : host(host), AppPath(std::move(appPath)), Settings(std::move(settingsFile)) {
    files::set_app_folder(AppPath);
    FF.Host = &host;
    // The plug-in host reads Filter Factory plug-ins through the format layouts.
    ff::InstallPluginReader();
    // Its about box names the filters of other plug-ins through the catalogue's readers.
    imgman::set_plugin_describer([](std::string_view path) { return catalogue::DescribePlugin(path); });
    ScanPluginRecurse = [this](int Index, bool OnlyFF, int MultiTask, int LastDirInd) {
        return vexolan::ScanPluginRecurse(*this, Index, OnlyFF, MultiTask, LastDirInd);
    };
    // A reader that misses its file refreshes the active pane, whose list is out of date.
    FF.RefreshActivePane = [this] { vb::ResumeNext([this] { RefreshFile1(*this, form1().Switchy); }); };
    // The compiler reads its options from the Preferences' FF/TF page at each compile.
    CompileOptionsSource = [this] {
        Form2& p = form2();
        ff::CompileOptions o;
        for (int i = 0; i < static_cast<int>(p.Option4.size()); ++i)
            if (p.Option4[static_cast<std::size_t>(i)].Value) o.TemplateChoice = i;
        o.UserTemplate = p.Combo2[0].Text.get();
        o.EditorPlugin = p.Check5[0].Value == ui::vbChecked;
        o.AllModes = p.Check3.Value == ui::vbChecked;
        o.DemoPlugin = p.Check6.Value == ui::vbChecked;
        o.BigPreview = p.Check11[0].Value == ui::vbChecked;
        o.MegaPreview = p.Check11[1].Value == ui::vbChecked;
        o.Encrypted = p.Check13[0].Value == ui::vbChecked;
        return o;
    };
    // The text reader and writer keep the editor's memory-spot marks.
    ConnectMemorySpots(*this);
    // The compiler's run-time errors go to the common error box, and so does any error that escapes
    // what a user's action started: that action ends, the program goes on.
    FF.ShowError = [this](const vb::Error& e) {
        Err.Raise(e);
        ErrorMessage(*this);
    };
    host.on_action_error = FF.ShowError;
}

App::~App() {
    host.on_action_error = nullptr;
}

Form1& App::form1() {
    if (!form1_) form1_ = std::make_unique<Form1>(*this);
    return *form1_;
}

// --- preferences ---

Form2& App::form2() {
    if (!form2_) {
        form2_ = std::make_unique<Form2>(*this);
        form2_->Load();
    }
    return *form2_;
}

FrmPluginType& App::frmPluginType() {
    if (!frmPluginType_) frmPluginType_ = std::make_unique<FrmPluginType>(*this);
    return *frmPluginType_;
}

frmDownload& App::linkListWindow() {
    if (!linkListWindow_) linkListWindow_ = std::make_unique<frmDownload>(*this);
    return *linkListWindow_;
}

// --- small windows ---

Form3& App::form3() {
    if (!form3_) form3_ = std::make_unique<Form3>(*this);
    return *form3_;
}

frmAbout& App::aboutBox() {
    if (!aboutBox_) aboutBox_ = std::make_unique<frmAbout>(*this);
    return *aboutBox_;
}

frmTip& App::tipWindow() {
    if (!tipWindow_) tipWindow_ = std::make_unique<frmTip>(*this);
    return *tipWindow_;
}

frmSplash& App::splash() {
    if (!splash_) splash_ = std::make_unique<frmSplash>(*this);
    return *splash_;
}

ProVersionAd& App::proVersionAd() {
    if (!proVersionAd_) proVersionAd_ = std::make_unique<ProVersionAd>(*this);
    return *proVersionAd_;
}

// --- end of small windows ---

// --- Filter Factory formats, the plug-in compiler and the overwrite prompt ---

FFEditorType1& App::EditorForm() {
    if (!editor_) editor_ = std::make_unique<FFEditorType1>(*this);
    return *editor_;
}

Overwrite& App::overwrite() {
    if (!overwrite_) overwrite_ = std::make_unique<Overwrite>(*this);
    return *overwrite_;
}

ff::CompileOptions App::FFCompileOptions() const {
    return CompileOptionsSource ? CompileOptionsSource() : ff::CompileOptions{};
}

// --- file view, target-folder dialog and conversion ---

SelectFolder& App::selectFolder() {
    if (!selectFolder_) selectFolder_ = std::make_unique<SelectFolder>(*this);
    return *selectFolder_;
}

Convert& App::convertDialog() {
    if (!convert_) convert_ = std::make_unique<Convert>(*this);
    return *convert_;
}

// --- end of file view ---

// --- picture editor ---

PicView& App::picView() {
    if (!picView_) picView_ = std::make_unique<PicView>(*this);
    return *picView_;
}

// --- end of picture editor ---

// --- plug-in catalogue ---
Form4& App::form4() {
    if (!form4_) form4_ = std::make_unique<Form4>(*this);
    return *form4_;
}

} // namespace vexolan
