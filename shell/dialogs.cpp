#include "shell/dialogs.hpp"

#include "platform/ui/Window.hpp"
#include "platform/values/values.hpp"

#include <cmath>
#include <cstdlib>

namespace vexolan {

namespace {

// "a|b|c|d" as the pairs (a, b) and (c, d); a description without its pattern is left out.
std::vector<ui::FileFilter> filter_pairs(std::string_view filter) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= filter.size()) {
        std::size_t bar = filter.find('|', start);
        if (bar == std::string_view::npos) bar = filter.size();
        parts.emplace_back(filter.substr(start, bar - start));
        start = bar + 1;
    }
    std::vector<ui::FileFilter> out;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].empty() || !parts[i + 1].empty()) out.push_back({parts[i], parts[i + 1]});
    return out;
}

int dpi_of(const ui::Window& form) {
    return 1440 / form.host().TwipsPerPixelY();
}

} // namespace

std::string ShowFileDialog(ui::Window& form, std::string_view title, std::string& folder, std::string_view fileName,
                           std::string_view filter, std::string_view defaultExt, int& mode) {
    ui::FileDialogRequest request;
    request.DialogMode = mode == OpenMustExist             ? ui::FileDialogRequest::Open
                         : mode == SaveWithOverwritePrompt ? ui::FileDialogRequest::SaveWithPrompt
                                                           : ui::FileDialogRequest::SaveNoPrompt;
    request.Title = std::string(title);
    request.InitialFolder = folder;
    request.ProposedName = std::string(fileName);
    request.Filters = filter_pairs(filter);
    request.DefaultExtension = std::string(defaultExt);
    std::string path = form.host().FileDialog(request);
    if (path.empty()) return {};
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return path;
    folder = path.substr(0, slash + 1);
    return path.substr(slash + 1);
}

std::string ShowOpenDialog(ui::Window& form, std::string_view title, std::string& folder, std::string_view fileName,
                           std::string_view filter, std::string_view defaultExt) {
    int mode = OpenMustExist;
    return ShowFileDialog(form, title, folder, fileName, filter, defaultExt, mode);
}

LogicalFont MakeLogicalFont(std::string_view FontName, short FontSize, std::string_view Style, int pixelsPerInch) {
    LogicalFont f;
    f.FaceName = std::string(FontName.substr(0, 31));
    f.Height = -static_cast<int>(vb::RoundHalfEven(FontSize * pixelsPerInch / 72.0));
    // 300, not the 400 of a normal weight: the dialog starts from a light face.
    f.Weight = Style.find('b') != std::string_view::npos ? 700 : 300;
    f.Italic = Style.find('i') != std::string_view::npos;
    f.Underline = Style.find('u') != std::string_view::npos;
    f.StrikeOut = Style.find('s') != std::string_view::npos;
    return f;
}

short PointSizeOf(const LogicalFont& font, int pixelsPerInch) {
    return static_cast<short>(std::abs(vb::RoundHalfEven(72.0 / pixelsPerInch * font.Height)));
}

std::string StyleLettersOf(const LogicalFont& font) {
    std::string style;
    if (font.Weight >= 500) style += 'b';
    if (font.Italic) style += 'i';
    if (font.StrikeOut) style += 's';
    if (font.Underline) style += 'u';
    return style;
}

bool ShowFontDialog(ui::Window& form, std::string& FontName, short& FontSize, std::string& Style, long) {
    int dpi = dpi_of(form);
    LogicalFont request = MakeLogicalFont(FontName, FontSize, Style, dpi);
    ui::FontChoice initial;
    initial.Name = request.FaceName;
    initial.Size = std::abs(request.Height) * 72.0 / dpi;
    initial.Bold = request.Weight >= 500;
    initial.Italic = request.Italic;
    initial.Underline = request.Underline;
    initial.Strikeout = request.StrikeOut;
    std::optional<ui::FontChoice> chosen = form.host().FontDialog(initial);
    if (!chosen) return false;
    LogicalFont answer;
    answer.FaceName = chosen->Name.substr(0, 31);
    answer.Height = -static_cast<int>(vb::RoundHalfEven(chosen->Size * dpi / 72.0));
    answer.Weight = chosen->Bold ? 700 : 400;
    answer.Italic = chosen->Italic;
    answer.Underline = chosen->Underline;
    answer.StrikeOut = chosen->Strikeout;
    dpi = dpi_of(form);
    FontSize = PointSizeOf(answer, dpi);
    FontName = answer.FaceName;
    Style = StyleLettersOf(answer);
    return true;
}

} // namespace vexolan
