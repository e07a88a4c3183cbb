#include "preferences/main_window.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "shell/helpers.hpp"

#include "platform/ui/ListView.hpp"

namespace vexolan {

ui::MenuArray* MenuArrayOf(App& app, int list) {
    Form1& main = app.form1();
    switch (list) {
    case 0:
        return &main.mnuDirectorys;
    case 1:
        return &main.mnuPictures;
    case 2:
        return &main.mnuApps;
    default:
        return nullptr;
    }
}

std::vector<std::string> MenuCaptions(App& app, int list) {
    std::vector<std::string> captions;
    ui::MenuArray* menu = MenuArrayOf(app, list);
    if (!menu) return captions;
    for (int k = 0; k <= menu->UBound(); ++k)
        captions.push_back(menu->Exists(k) ? (*menu)[k].Caption.get() : std::string());
    return captions;
}

ui::FontChoice ListFont(App& app) {
    return app.form1().ListView1[0].Font.choice();
}

ui::FontChoice OtherFont(App& app) {
    return app.form1().Label1[0].Font.choice();
}

namespace {

void set_font(ui::Control& c, const ui::FontChoice& font) {
    c.Font.Name = font.Name;
    c.Font.Size = font.Size;
    c.Font.Bold = font.Bold;
    c.Font.Italic = font.Italic;
}

} // namespace

void ApplyFontGroup(App& app, int group, const ui::FontChoice& font) {
    Form1& main = app.form1();
    for (int p = 0; p < 2; ++p) {
        if (group == 0) {
            for (ui::Control* c :
                 std::initializer_list<ui::Control*>{&main.ListView1[p], &main.ListView2[p], &main.List2[p],
                                                     &main.List3[p], &main.File1[p], &main.Dir1[p]})
                set_font(*c, font);
        } else {
            for (ui::Control* c :
                 std::initializer_list<ui::Control*>{&main.Combo1[p], &main.Label6[p], &main.Label5[p], &main.Label1[p],
                                                     &main.Check1[p], &main.SSTab1[p]})
                set_font(*c, font);
        }
    }
    if (group == 1)
        for (auto& button : main.Command1)
            set_font(button, font);
}

void ApplyListViewOption(App& app, int option, bool on) {
    Form1& main = app.form1();
    for (ui::ListView* list : {&main.ListView1[0], &main.ListView1[1], &main.ListView2[0], &main.ListView2[1]}) {
        switch (option) {
        case 2:
            list->GridLines = on;
            break;
        case 3:
            list->FullRowSelect = on;
            break;
        // Hover selection, flat scroll bars and hot tracking are looks the screen draws alike
        // either way; the report-list model has nothing to set for them.
        default:
            break;
        }
    }
}

void FitListViewColumns(App& app) {
    Form1& main = app.form1();
    for (auto& list : main.ListView1)
        if (list.View == ui::lvwReport) LV_OptimalWidth(list);
    for (auto& list : main.ListView2)
        LV_OptimalWidth(list);
}

} // namespace vexolan
