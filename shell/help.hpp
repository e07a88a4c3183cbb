#pragma once
// Help pages, web links, e-mail and starting programs: the work the program hands to the desktop.
// Only the desktop's answer "no program is associated" is reported to the user; a missing help page
// and other refusals stay silent.

#include <string>
#include <string_view>

namespace vexolan {

class App;

// The maker's addresses: configuration, kept in one place.
namespace endpoints {
inline constexpr std::string_view FeedbackAddress = "feedback@vexolan.example";
inline constexpr std::string_view SupportAddress = "support@vexolan.example";
inline constexpr std::string_view InfoAddress = "info@vexolan.example";
inline constexpr std::string_view HomePage = "https://vexolan.example/";
inline constexpr std::string_view NewsletterPage = "https://vexolan.example/newsletter";
inline constexpr std::string_view ProductsPage = "https://vexolan.example/products";
// The name of the Internet shortcut that "Add URL to Favorites / on Desktop" writes.
inline constexpr std::string_view ShortcutName = "Quillmark";
} // namespace endpoints

// Special folders by their Windows numbers.
enum SpecialFolder : int { CSIDL_FAVORITES = 6, CSIDL_DESKTOPDIRECTORY = 16 };

// Opens the page `Fily` of the "help" folder of the application folder ("tuts\tutorials.htm" and
// "tuts/tutorials.htm" both name help/tuts/tutorials.htm).
void ShowHelp(App& app, std::string_view Fily);
// Opens a web address (or any document the desktop can open) as it stands.
void ShowURL(App& app, std::string_view URL);
// Starts a new e-mail: "mailto:" + Address, then "?subject=" + Subject and "body=" + Body for the
// parts that are not empty ("?" before the first, "&" before the second). Nothing is escaped.
void SendEmail(App& app, std::string_view Address, std::string_view Subject, std::string_view Body);
// The path of a special folder, or "" when it cannot be found. Favorites has no desktop standard:
// it is the folder "Favorites" of the application folder, made when missing. The Desktop is the
// freedesktop user folder DESKTOP (~/Desktop unless user-dirs.dirs says otherwise).
std::string GetSpecialPath(App& app, int CSIDL);
// Writes the Internet shortcut name + ".url" into Favorites (onDesktop 0) or onto the Desktop:
// "[InternetShortcut]" CR LF "URL=" + url CR LF, replacing one that is there. A folder that cannot be
// found or a file that cannot be written is reported, and nothing is written.
void CreateURLFile(App& app, std::string_view name, std::string_view url, int onDesktop);
// Runs the desktop's helper for a request of the form "shell32.dll,OpenAs_RunDLL " + path: asks for a
// program and opens the file with it, without waiting. A program that cannot be started is reported.
void RunDLL(App& app, std::string_view Commandy);
// Runs a command line (program and arguments, split without a shell) and waits for its end; the
// program is found on PATH. A program that cannot be started is reported.
void ShellAndWait(App& app, std::string_view RunProg);

// --- the Help menu of the main window ---
void mnuHelp_Click(App& app);              // "Help": Help.htm of the application folder
void mnuHelpTutorials_Click(App& app);     // "Tutorials"
void mnuHelpQMK_Click(App& app);           // "Quillmark": the maker's home page
void mnuVexoNews_Click(App& app);          // "The Vexo Newsletter"
void mnuAddURL_Click(App& app, int Index); // 0 "Add URL to Favorites", 1 "Add URL on Desktop"
void mnuEmailAuthor_Click(App& app);       // "Comment"
void mnuEmailTechSupport_Click(App& app);  // "Technical Support"

} // namespace vexolan
