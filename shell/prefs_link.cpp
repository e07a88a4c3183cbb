#include "shell/prefs_link.hpp"

#include "preferences/Form2.hpp"
#include "shell/App.hpp"

namespace vexolan {

std::string PlugTypeMask(App& app) {
    return app.PlugTypeMask;
}

std::vector<std::string> PlugTypeExtensions(App& app) {
    std::vector<std::string> out;
    for (int column = 0; column <= app.PlugTypes.UBound(); ++column)
        out.push_back(app.PlugTypes(1, column));
    return out;
}

bool IncludeSources(App& app) {
    return app.form2().Check8.Value == ui::vbChecked;
}

bool AutoColumnWidth(App& app) {
    return app.form2().Check12[5].Value == ui::vbChecked;
}

void ShowPreferences(App& app, int tab) {
    Form2& prefs = app.form2();
    if (tab > 0) prefs.SSTab1.SelectedItem = tab;
    prefs.ShowModal();
}

std::string ApplicationCommand(App& app, int Index) {
    return app.form2().List1[2].List(Index);
}

void RemoveFavouriteFolder(App& app, int Index) {
    Form2& prefs = app.form2();
    try {
        prefs.List1[0].RemoveItem(Index);
    } catch (const vb::Error&) {
    }
    prefs.ListToMenu(0);
}

} // namespace vexolan
