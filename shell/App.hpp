#pragma once
// The application object: owns every window and every piece of program-wide state. A test builds
// a fresh App on a scripted host and a temporary application folder, so tests never share state.
// Windows are created on first use (their Load runs when they are loaded or shown).

#include "platform/settings/settings.hpp"
#include "platform/ui/Host.hpp"
#include "platform/values/values.hpp"

#include "filterfactory/compiler.hpp"
#include "filterfactory/record.hpp"

#include <filesystem>
#include <functional>
#include <memory>

namespace vexolan {

class Form1;
class Form3;
class frmAbout;
class frmTip;
class frmSplash;
class ProVersionAd;
class Overwrite;

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

    // --- windows ---
    Form1& form1();

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

private:
    std::unique_ptr<Form1> form1_;
    // --- small windows ---
    std::unique_ptr<Form3> form3_;
    std::unique_ptr<frmAbout> aboutBox_;
    std::unique_ptr<frmTip> tipWindow_;
    std::unique_ptr<frmSplash> splash_;
    std::unique_ptr<ProVersionAd> proVersionAd_;
    // --- end of small windows ---
    std::unique_ptr<Overwrite> overwrite_;
};

} // namespace vexolan
