#include "ffeditor/project_menu.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "ffeditor/saving.hpp"
#include "ffeditor/sliders.hpp"
#include "ffeditor/transfer.hpp"
#include "filterfactory/text_source.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/imgman.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"

namespace vexolan {

namespace {

// The working file of a paste, in the application folder.
constexpr std::string_view PasteFile = "Temp.tmp";
// Printed code lines break after this many characters.
constexpr std::size_t PrintWrap = 60;
constexpr std::string_view Indent = "   ";

// The characters of a UTF-8 text, one code point each.
std::vector<std::string> characters(std::string_view text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t end = vb::Utf8CharEnd(text, i);
        out.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return out;
}

} // namespace

void ConnectProjectMenu(App& app, Form1& f) {
    f.mnuCopyFilter2Clip_FFE.Click = [&app] { mnuCopyFilter2Clip_FFE_Click(app); };
    f.mnuPasteFilter_FFE.Click = [&app] { mnuPasteFilter_FFE_Click(app); };
    f.mnuFindReplace_FFE.Click = [&app] { mnuFindReplace_FFE_Click(app); };
    f.mnuAlphaChannel.Click = [&app] { mnuAlphaChannel_Click(app); };
    f.mnuFfeUpdatePreview_FFE.Click = [&app] { mnuFfeUpdatePreview_FFE_Click(app); };
    f.mnuBigView_FFE.Click = [&app] { mnuBigView_FFE_Click(app); };
    f.mnuRandomize_FFE.Click = [&app] { mnuRandomize_FFE_Click(app); };
    f.mnuFfeReset_FFE.Click = [&app] { mnuFfeReset_FFE_Click(app); };
    f.mnuFfeOpenPic_FFE.Click = [&app] { mnuFfeOpenPic_FFE_Click(app); };
    f.mnuFfeSavePic_FFE.Click = [&app] { mnuFfeSavePic_FFE_Click(app); };
    f.mnuSaveType_FFE.Click = [&app](int Index) { mnuSaveType_FFE_Click(app, Index); };
    f.mnuCopyPreview_FFE.Click = [&app] { mnuCopyPreview_FFE_Click(app); };
    f.mnuPrinterSetup_FFE.Click = [&app] { mnuPrinterSetup_FFE_Click(app); };
    f.mnuPrintFilter_FFE.Click = [&app] { mnuPrintFilter_FFE_Click(app); };
}

std::string FilterText(const ff::FilterRecord& record) {
    return ff::TextSourceText(record, nullptr);
}

void mnuCopyFilter2Clip_FFE_Click(App& app) {
    // The window first: the record may still hold the code a preview rewrote for its run.
    vb::ResumeNext([&] {
        if (app.EditorForm().Loaded()) EditorToFilter(app);
    });
    std::string text;
    vb::ResumeNext([&] { text = FilterText(app.FF.Record); });
    vb::ResumeNext([&] { app.host.ClearClipboard(); });
    vb::ResumeNext([&] { app.host.SetClipboardText(text); });
}

void mnuPasteFilter_FFE_Click(App& app) {
    const std::string text = app.host.ClipboardText();
    if (text.empty()) return;
    FFEditorType1& e = app.EditorForm();
    e.MousePointer = ui::vbHourglass;
    struct Pointer {
        FFEditorType1& w;
        ~Pointer() { w.MousePointer = ui::vbDefault; }
    } pointer{e};
    if (!AskResetFilter(app)) return;
    const std::string path = files::app_path(PasteFile);
    vb::ResumeNext([&] {
        files::write_file(path, vb::Utf8ToCp1252(text) + "\r\n");
        if (ff::ReadTXT(app.FF, app.AppPath.string(), PasteFile, true, true)) FilterToEditor(app);
    });
    vb::ResumeNext([&] {
        if (files::file_exists(path)) files::delete_file(path);
    });
    RefreshPreview(app);
}

void mnuFindReplace_FFE_Click(App&) {}

void mnuAlphaChannel_Click(App& app) {
    ui::Menu& entry = app.form1().mnuAlphaChannel;
    entry.Checked = !entry.Checked;
}

void mnuFfeUpdatePreview_FFE_Click(App& app) {
    app.EditorForm().Picture1_Click();
}

void mnuBigView_FFE_Click(App& app) {
    ShowBigPreview(app);
}

void mnuRandomize_FFE_Click(App& app) {
    RandomizeSliders(app);
}

void mnuFfeReset_FFE_Click(App& app) {
    ResetFilter(app);
}

void mnuFfeOpenPic_FFE_Click(App& app) {
    OpenPreviewPic(app);
}

void mnuFfeSavePic_FFE_Click(App& app) {
    SaveFilteredPic(app);
}

void mnuSaveType_FFE_Click(App& app, int Index) {
    SaveFilterAs(app, Index);
}

void mnuCopyPreview_FFE_Click(App& app) {
    vb::ResumeNext([&] { app.host.ClearClipboard(); });
    vb::ResumeNext([&] {
        const ui::Bitmap& shown = app.EditorForm().Picture1.Image();
        if (!shown.empty()) app.host.SetClipboardImage(shown);
    });
}

void mnuPrinterSetup_FFE_Click(App&) {}

std::vector<std::string> PrintedFilterLines(App& app) {
    FFEditorType1& e = app.EditorForm();
    std::vector<std::string> lines;
    const auto caption = [&](std::size_t k) { return e.Label6[k].Caption.get(); };
    lines.emplace_back();
    lines.push_back(std::string(Indent) + "Category: " + caption(1));
    lines.push_back(std::string(Indent) + "Title: " + caption(2));
    lines.push_back(std::string(Indent) + "Copyright: " + caption(4));
    lines.push_back(std::string(Indent) + "Author: " + caption(3));
    lines.push_back(std::string(Indent) + "Filename: " + caption(0));
    lines.emplace_back();
    static constexpr const char* Labels[] = {"A: ", "R: ", "G: ", "B: "};
    for (std::size_t k = 0; k < 4; ++k) {
        std::string line = std::string(Indent) + Labels[k];
        std::size_t count = 0;
        for (const std::string& ch : characters(e.Text5[k].Text.get())) {
            line += ch;
            if (++count % PrintWrap == 0) {
                lines.push_back(line);
                line = std::string(Indent);
            }
        }
        lines.push_back(line);
        lines.emplace_back();
    }
    const auto map_on = [&](std::size_t m) { return e.Check1[m].Value != ui::vbUnchecked; };
    for (std::size_t m = 0; m < 4; ++m) {
        if (map_on(m)) {
            if (!e.Label7[2 * m].Caption.get().empty())
                lines.push_back(std::string(Indent) + "map[" + std::to_string(m) +
                                "]: " + e.Label7[2 * m].Caption.get());
            continue;
        }
        for (std::size_t k = 2 * m; k <= 2 * m + 1; ++k)
            if (!e.Label7[k].Caption.get().empty())
                lines.push_back(std::string(Indent) + "ctl[" + std::to_string(k) + "]: " + e.Label7[k].Caption.get());
    }
    lines.emplace_back();
    for (std::size_t m = 0; m < 4; ++m) {
        const bool named = map_on(m) && !e.Label7[2 * m].Caption.get().empty();
        for (std::size_t k = 2 * m; k <= 2 * m + 1; ++k) {
            const bool shown = map_on(m) ? named : !e.Label7[k].Caption.get().empty();
            if (shown)
                lines.push_back(std::string(Indent) + "val[" + std::to_string(k) + "]: " + e.Label1[k].Caption.get());
        }
    }
    return lines;
}

void mnuPrintFilter_FFE_Click(App& app) {
    try {
        if (!app.host.PrintDialog("the filter")) return;
        imgman::TextPrinter printer;
        printer.FontSize = 12;
        for (const std::string& line : PrintedFilterLines(app))
            printer.Print(line);
        // A page the desktop's print command did not take is reported, not lost in silence.
        if (printer.EndDoc() != 1) imgman::ImgErrBox(app.host);
    } catch (const vb::Error&) {
    }
}

} // namespace vexolan
