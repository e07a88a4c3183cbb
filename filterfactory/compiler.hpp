#pragma once
// The plug-in compiler: a copy of a template plug-in with the current filter patched into the fixed
// fields of its layout (see layouts.hpp). Nothing is compiled or linked. The copy is made and patched
// in memory and written through a temporary file beside the target, so a failed compile leaves an
// existing target whole.

#include "filterfactory/layouts.hpp"
#include "filterfactory/record.hpp"

#include <string>
#include <string_view>

namespace vexolan::ff {

// The compile options of the Preferences' "FF/TF" page, read at each compile.
struct CompileOptions {
    // Option4: 0 "Filter Factory 3.0", 1 "Filter Factory 3.04 (needs plugin.dll from Adobe)", 2 the
    // user template named in UserTemplate, 3 "Macintosh FF (Mac Binary)".
    enum Template : int { FF30 = 0, FF304 = 1, User = 2, Macintosh = 3 };
    int TemplateChoice = FF30;
    std::string UserTemplate;  // Combo2(0): path of the user template plug-in
    bool EditorPlugin = false; // Check5(0) "Editor Plugin": the plug-in shows the formula editor
    bool AllModes = false;     // Check3 "All Modes"
    bool DemoPlugin = false;   // Check6 "Demo Plugin"
    bool BigPreview = false;   // Check11(0) "Big Preview"
    bool MegaPreview = false;  // Check11(1) "Mega Preview"
    bool Encrypted = false;    // Check13(0) "Encrypted"
};

// The longest formula a code slot takes: 1024 bytes less its terminator and four zero bytes.
inline constexpr std::size_t MaxFormulaLength = 1019;
// The longest text of a 256-byte slot of the parameter block.
inline constexpr std::size_t MaxSlotText = 255;
// The preview plug-in in the application folder, patched in place by the editor's preview.
inline constexpr std::string_view PreviewPlugin = "temp.dll";

enum class CompileResult {
    Written,        // the plug-in is in place
    NothingWritten, // a user template of an unknown length: nothing done, nothing said
    Refused,        // a message told the user why; nothing written
    Failed,         // the error box was shown; nothing written
};

// Compiles ff.Record into folder `Diry` ("/" added when missing) as GetFilname(DestPlugin, Filename),
// or with `Override` into the preview plug-in "temp.dll" of the application folder in place.
// `FFYeditor` forces the editor flag to 0. Changes the record as the compile does: ".8bf" added to a
// Filename without ".", "[Premiere FF]" becomes "Premiere(converted)", " Demo..." appended to the title
// of a demo, Premiere code rewritten (pFlag then true).
CompileResult Write8bf(FFContext& ff, std::string& Diry, bool Override, bool FFYeditor, const CompileOptions& options);

// Sets (`Ui` true) or clears the show-dialog flag of the plug-in `filyName`. Files of another length
// than 49152, 57344 or 49664 bytes, and files without the signature of that layout, are left alone
// (false). Reports nothing.
bool ToggleFFUI(std::string_view filyName, bool Ui);

// The room of a zero-terminated text field of a plug-in: the letters of the text at `pos` plus the zero
// bytes after them, less one for the terminator. The catalogue measures the category field the same way.
std::size_t TextFieldRoom(std::string_view file, FilePos pos);

// Writers of this edition that write nothing.
void WritePRM(std::string& Diry);
void WriteTF(std::string& Diry);
void DemoPlugin(std::string& file, bool DestroySign, bool DisableOk, bool DemoName);
void EncryptPRM(std::string& file, FilePos Offset, bool HeavyEncy);
void SwapRBchannels();

// --- the stand-in templates ---------------------------------------------------------------------------

// A template plug-in of our own making for `layout` (57344 or 49152 bytes): a 32-bit Windows DLL image
// of the exact length, with no code and no entry point, whose ".rsrc" section header lies in the
// window the catalogue searches and whose resources are one "PARM" (the parameter block at the layout's
// position) and one "PIPL" whose name and category properties hold their length byte and text at the
// layout's title and category fields ("Untitled" with room for 34 letters, "Synthetic" with room for
// 74) and whose supported-modes property holds the modes word. The signature "Filter Factory" lies in
// its ".data" section. The parameter block holds the identity formulas "r", "g", "b", "a", the
// show-dialog flag set and the editor flag 1. Such a plug-in runs only in this program's own host.
std::string MakeStandInTemplate(const PluginLayout& layout);
// Writes "photo30.dll" and "photo304.dll" into `folder`. Throws vb::Error on failure.
void WriteStandInTemplates(const std::string& folder);
// Replaces the stand-ins an earlier version left in `folder` (files of the template's length that
// begin with that version's note instead of a DLL header) by the current ones, so that plug-ins
// compiled from them are named by the catalogue. Real templates and any other file stay as they
// are. Throws vb::Error when a file cannot be read or written.
void RenewOldStandInTemplates(const std::string& folder);

} // namespace vexolan::ff
