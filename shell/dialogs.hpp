#pragma once
// The common dialogs behind plain strings: open/save a file and choose a font. Each is modal over
// the window passed in and goes through its Host.

#include <string>
#include <string_view>

namespace ui {
class Window;
}

namespace vexolan {

// Modes of ShowFileDialog.
enum FileDialogMode : int { OpenMustExist = 0, SaveWithOverwritePrompt = 1, SaveWithoutPrompt = 2 };

// Shows the open (mode 0) or save dialog (any other mode; 1 asks before replacing a file). `filter`
// holds "|"-separated description and pattern pairs ("Plugins (*.8bf)|*.8bf|All Files (*.*)|*.*").
// On OK returns the chosen file's name and sets `folder` to its folder with the trailing "/"; on
// cancel returns "" and leaves `folder` alone. Paths of any length are fine.
std::string ShowFileDialog(ui::Window& form, std::string_view title, std::string& folder, std::string_view fileName,
                           std::string_view filter, std::string_view defaultExt, int& mode);
// ShowFileDialog in mode 0, the form every caller uses.
std::string ShowOpenDialog(ui::Window& form, std::string_view title, std::string& folder, std::string_view fileName,
                           std::string_view filter, std::string_view defaultExt);

// Shows the font dialog with FontName, FontSize (points) and Style (letters b, i, s, u) and writes
// the choice back into them (the letters in that order). False and nothing changed on cancel.
// Callers pass Flags 257 (screen fonts with effects).
bool ShowFontDialog(ui::Window& form, std::string& FontName, short& FontSize, std::string& Style, long Flags);

// The font request the dialog starts from, as the platform's logical font describes it: the height
// in pixels is negative (a character height), weight 700 for bold and 300 otherwise.
struct LogicalFont {
    std::string FaceName; // at most 31 characters
    int Height = 0;
    int Weight = 0;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};
LogicalFont MakeLogicalFont(std::string_view FontName, short FontSize, std::string_view Style, int pixelsPerInch);
// The size in points and the style letters (b, i, s, u) a logical font stands for.
short PointSizeOf(const LogicalFont& font, int pixelsPerInch);
std::string StyleLettersOf(const LogicalFont& font);

} // namespace vexolan
