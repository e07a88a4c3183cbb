// The shutdown of the main window: Form_Unload and the keys it writes.

#include "shell/shutdown.hpp"

#include "filemanager/fileview.hpp"
#include "filemanager/filters.hpp"
#include "filemanager/refresh.hpp"
#include "imaging/handles.hpp"
#include "preferences/Form2.hpp"
#include "preferences/main_window.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/status.hpp"

#include "platform/values/values.hpp"

#include <chrono>
#include <exception>
#include <string>
#include <vector>

namespace vexolan {

namespace {

constexpr std::string_view AppName = "Vexo10";

// A pixel count as written: plain decimal text with a point, never a blank or a thousands separator.
std::string Pixels(int twips, int twipsPerPixel) {
    return vb::CStr(static_cast<double>(twips) / twipsPerPixel);
}

} // namespace

bool AdvertiseAtExit(double r) {
    return vb::RoundHalfEven(2 * r) == 0;
}

void Form_Unload(Form1& f, int& /*Cancel*/) {
    App& app = f.app;
    if (!app.ProgramStarted) return;
    ui::Host& host = app.host;
    // A write that fails is passed over: the rest of the state is still saved, and closing goes on.
    // The first failure is told once all were tried (a full disk fails every one).
    std::string failure;
    auto save = [&](std::string_view section, const std::string& key, const std::string& value) {
        try {
            app.Settings.SaveSetting(AppName, section, key, value);
        } catch (const vb::Error& e) {
            if (failure.empty()) failure = NotWrittenMessage(e, app.Settings.path().string());
        } catch (const std::exception&) {
        }
    };
    auto quietly = [](auto&& step) {
        try {
            step();
        } catch (const std::exception&) {
        }
    };

    // Sort, folder and filter of each pane.
    for (int i = 0; i < 2; ++i) {
        quietly([&] {
            int key = f.ListView1[i].SortKey;
            save("Folders", "Sortkey" + std::to_string(i), vb::CStr(key));
            if (key >= 0 && key <= 2)
                save("Folders", "SortDirection" + std::to_string(i),
                     vb::BoolText(app.ColumnSortOrder[static_cast<std::size_t>(i)][static_cast<std::size_t>(key + 1)]));
        });
    }
    for (int i = 0; i < 2; ++i)
        quietly([&] { save("Folders", "Folder" + std::to_string(i + 1), f.Dir1[i].Path); });
    for (int i = 0; i < 2; ++i) {
        quietly([&] {
            int entry = f.Combo1[i].ListIndex;
            save("Folders", "Pattern" + std::to_string(i + 1),
                 entry != -1 ? vb::Str(entry) : "-" + f.Combo1[i].Text.get());
        });
    }

    // The favourite folders, when this copy changed its Folders menu since the list was loaded: a
    // second copy that never touched the list must not put back what it loaded over the first copy's
    // saved list. Keys beyond the list stay as they are.
    bool favouritesChanged = true;
    quietly([&] { favouritesChanged = MenuCaptions(app, 0) != app.form2().FolderMenuAsLoaded; });
    if (favouritesChanged) {
        for (int k = 0; k <= f.mnuDirectorys.UBound(); ++k)
            quietly([&] { save("Folders", vb::CStr(k), f.mnuDirectorys[k].Caption); });
    }

    // List modes.
    for (int i = 0; i < 2; ++i)
        quietly([&] { save("Settings", "FileViewMode" + std::to_string(i), vb::Str(DetermineFileViewMode(app, i))); });

    // The window. Size and position are those of the normal state: a minimized window's
    // position lies off the screen, so it keeps the last normal one.
    const int state = f.WindowState;
    if (state == ui::vbNormal) {
        save("Settings", "Height", Pixels(f.Height, host.TwipsPerPixelY()));
        save("Settings", "Width", Pixels(f.Width, host.TwipsPerPixelX()));
    }
    save("Folders", "Maximize", state == ui::vbMaximized ? "True" : "False");
    if (state != ui::vbMinimized) {
        save("Folders", "LastX", Pixels(f.Left, host.TwipsPerPixelX()));
        save("Folders", "LastY", Pixels(f.Top, host.TwipsPerPixelY()));
    }

    if (!failure.empty()) quietly([&] { host.MsgBox(failure, ui::vbExclamation); });

    // The image handles.
    quietly([&] { CloseImg(app, app.PreviewImage); });
    quietly([&] { CloseImg(app, app.PluginImage); });

    // The advertisement on about one exit in four.
    quietly([&] {
        double r;
        if (app.ExitDraw) {
            r = app.ExitDraw();
        } else {
            auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
            host.Randomize(static_cast<std::uint32_t>(ticks));
            r = host.Rnd();
        }
        if (AdvertiseAtExit(r)) app.proVersionAd().ShowModal();
    });

    // Every other window goes; with no window left the event loop ends.
    std::vector<ui::Window*> loaded = host.registry().LoadedWindows();
    for (auto it = loaded.rbegin(); it != loaded.rend(); ++it) {
        if (*it == &f) continue;
        quietly([&] { (*it)->Unload(); });
    }
}

} // namespace vexolan
