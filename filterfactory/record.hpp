#pragma once
// The current Filter Factory filter: every reader fills it, every writer and the editor take it from
// there. Texts are held as UTF-8; the readers and writers convert to and from the Windows-1252 bytes
// of the files.

#include "platform/ui/Host.hpp"
#include "platform/values/values.hpp"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace vexolan::ff {

struct FilterRecord {
    std::string Filename; // with extension, without folder
    std::string Title;
    std::string Copyright;
    std::string Category;
    std::string Author;
    // Index m is map m+1 of the editor (map number m of plug-ins and text sources); map m joins the
    // controls 2m and 2m+1. An empty name means the map is not in use.
    std::array<std::string, 4> MapName;
    // Index c is control c+1 of the editor (control c of plug-ins and text sources). Empty = unused.
    std::array<std::string, 8> CtlName;
    std::array<std::uint8_t, 8> CtlValue{};
    std::string CodeR, CodeG, CodeB, CodeA; // one line each
    // A further text only the Transition Factory reader fills; IniVars leaves it alone.
    std::string TFExtra;
    // Ten preset sets of the eight control values; IniVars leaves them alone. See MemorySpot.
    std::array<std::int16_t, 80> MemorySpots{};

    // The preset value of control c (0..7) in memory spot s (0..9): element s + 10·c.
    std::int16_t& MemorySpot(int s, int c) { return MemorySpots.at(static_cast<std::size_t>(s + 10 * c)); }
    std::int16_t MemorySpot(int s, int c) const { return MemorySpots.at(static_cast<std::size_t>(s + 10 * c)); }

    // The formula of channel k: 0 red, 1 green, 2 blue, 3 alpha.
    std::string& Code(int k);
    const std::string& Code(int k) const;
};

// Clears the record for the next read: texts, names, values and formulas. MemorySpots, TFExtra (and
// the dialect flag, which lives beside the record) stay as they are.
void IniVars(FilterRecord& record);

// The current filter with the state that travels with it, and the few ways out that the readers need.
// The application owns exactly one; tests make their own.
struct FFContext {
    FilterRecord Record;
    // True when the four formulas are in Photoshop Filter Factory syntax, False while they are still
    // in the Premiere dialect; every Photoshop writer rewrites them first when it is False.
    bool pFlag = false;

    // Refreshes the folder and file lists of the active pane; a reader calls it when its file has
    // gone missing. Set by the main window; empty until then.
    std::function<void()> RefreshActivePane;
    // The Preferences box "No FF Code Optimization": true limits OptimizeCode to cleaning. Read at
    // each use, as the box is a live setting; empty means unchecked.
    std::function<bool()> NoCodeOptimization;
    // Where the Premiere readers report an unreadable file; no message when null.
    ui::Host* Host = nullptr;

    // The editor's memory-spot marks: the text reader marks spot s (0..9) as stored when it reads its
    // "set[" line, and the text writer asks which spots are stored. Empty = no spot is stored.
    std::function<void(int)> MarkPresetSpot;
    std::function<bool(int)> PresetSpotStored;
    // The length of the file the last source read refused unread because it is larger than any real
    // file of its kind (the bounds are in text_source.hpp, settings_files.hpp and library.hpp); 0 when
    // that read refused nothing for its size. The conversion names the size among the skipped files.
    std::uint64_t RefusedLength = 0;

    // The Convert dialog's box "Mac FF Adaption"; empty means unchecked.
    std::function<bool()> MacFFAdaption;
    // The common error box for a run-time error the compiler caught; nothing is shown when empty.
    std::function<void(const vb::Error&)> ShowError;

    bool NoOptimization() const { return NoCodeOptimization && NoCodeOptimization(); }
    bool MacAdaption() const { return MacFFAdaption && MacFFAdaption(); }
    // Takes the readers' and the compiler's messages instead of the host while a conversion batch
    // runs, so that they name their item and can end the batch.
    std::function<void(std::string_view prompt, int style, std::string_view title)> MessageHook;
    // A message box through the host, when there is one.
    void Message(std::string_view prompt, int style, std::string_view title) const {
        if (MessageHook)
            MessageHook(prompt, style, title);
        else if (Host)
            Host->MsgBox(prompt, style, title);
    }
};

} // namespace vexolan::ff
