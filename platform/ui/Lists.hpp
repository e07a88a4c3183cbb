#pragma once
// The list kinds: list box, combo box, and the drive, folder and file list boxes over the real
// file system.
//
// Rules the program relies on: setting ListIndex raises Click exactly once, and only when the
// value changes; a ListIndex outside -1..ListCount-1 fails with error 380. Setting Selected(i)
// from code selects the entry, makes it the ListIndex entry and raises Click when anything
// changed. Clear, RemoveItem and a re-read of a file box move the cursor without raising Click.

#include "platform/fs/files.hpp"
#include "platform/ui/Control.hpp"

#include <filesystem>
#include <string>
#include <vector>

namespace ui {

enum MultiSelectKind : int { vbMultiSelectNone = 0, vbMultiSelectSimple = 1, vbMultiSelectExtended = 2 };

// What list boxes, combo boxes, drive boxes and file boxes share: entries with a text, an
// ItemData number and a selected flag.
class ListControl : public Control {
public:
    ListControl();

    // The text of entry i; "" outside the list, as Windows returns it.
    std::string List(int i) const;
    // Replaces the text of entry i (error 381 outside the list).
    void SetList(int i, std::string text);
    int ListCount() const { return static_cast<int>(items_.size()); }
    // The cursor entry, -1 for none. Setting raises Click on a change.
    Property<int> ListIndex{this, "ListIndex", -1};
    // Adds an entry at `index` (-1: at the end, or in order when Sorted); NewIndex tells where.
    // An index beyond ListCount fails with error 5.
    void AddItem(std::string text, int index = -1);
    // Removes an entry (error 5 outside the list).
    void RemoveItem(int index);
    // Empties the list (an editable combo box's text too).
    void Clear();
    int NewIndex() const { return new_index_; }
    // Whether entry i is selected; settable: `File1.Selected(i) = true`.
    ItemRef<bool> Selected(int i);
    bool IsSelected(int i) const;
    int SelCount() const;
    // The number kept with entry i: `List3.ItemData(List3.NewIndex) = row`.
    ItemRef<int> ItemData(int i);
    int GetItemData(int i) const;
    // The first entry shown.
    Property<int> TopIndex{this, "TopIndex"};
    Property<int> MultiSelect{this, "MultiSelect", vbMultiSelectNone};
    // New entries go in case-insensitive order.
    Property<bool> Sorted{this, "Sorted"};
    // The height of one entry in pixels: the font's line height.
    int ItemHeightPixels() const;

    // --- what a user does ---
    // Clicks entry i (focusing the list first; mouse down and up run too). Single selection moves
    // the cursor; multiple selection toggles (simple) or, as the Shift and Ctrl bits ask, selects
    // alone, adds or selects a range (extended). Click runs when the selection changed.
    virtual void user_select(int i, int shift = 0);
    // Double-clicks entry i: selects it, then DblClick.
    virtual void user_dblclick_item(int i);
    void handle_key_down(int keyCode, int shift) override; // arrows, Home, End, page keys

protected:
    struct Item {
        std::string Text;
        int Data = 0;
        bool Selected = false;
    };
    // Replaces every entry (a re-read), leaving no cursor and raising nothing.
    void replace_items(std::vector<std::string> texts);
    void check_index(int i, int error) const;
    // Moves the cursor to entry i as a user's selection does; Click when something changed.
    void select_as_user(int i, int shift);
    virtual void cursor_changed() {}
    // Called at the end of Clear, after the entries are gone.
    virtual void cleared() {}

    std::vector<Item> items_;
    int new_index_ = -1;
    int anchor_ = -1;
};

enum ListBoxStyleKind : int { vbListBoxStandard = 0, vbListBoxCheckbox = 1 };

class ListBox : public ListControl {
public:
    std::string_view Kind() const override { return "ListBox"; }
    // The width in pixels the entries can be scrolled across (Windows' horizontal extent).
    Property<int> HorizontalExtent{this, "HorizontalExtent"};
    // A check-box list shows a check box on each entry; an entry's Selected is its check. Clicking
    // an entry only moves the cursor to it: a click on its box, or the space bar on the cursor
    // entry, turns the check over.
    Property<int> Style{this, "Style", vbListBoxStandard};

    // --- what a user does ---
    void user_select(int i, int shift = 0) override;
    // Clicks the check box of entry i: the check turns over and the cursor moves there; Click runs.
    void user_check(int i);
    void handle_key_down(int keyCode, int shift) override; // and Space in a check-box list

private:
    // Turns entry i's check over and moves the cursor there; Click runs.
    void toggle_check(int i);
};

enum ComboStyleKind : int { vbComboDropdown = 0, vbComboSimple = 1, vbComboDropdownList = 2 };

class ComboBox : public ListControl {
public:
    ComboBox();
    std::string_view Kind() const override { return "ComboBox"; }

    Property<int> Style{this, "Style", vbComboDropdown};
    // The text shown. Setting ListIndex shows that entry's text (raising Click, not Change). In an
    // editable combo, setting Text raises Change and leaves ListIndex on the entry with exactly
    // that text, or -1; in a drop-down list, Text must name an entry (error 383 otherwise) and
    // selects it.
    Property<std::string> Text{this, "Text"};
    // The user types into the edit part, as into a text box: a one-byte character raises KeyPress
    // and goes in unless the handler zeroed it; a longer character (UTF-8) goes in whole. Each
    // change raises Change; ListIndex becomes -1, as typed text is no entry.
    void user_type(std::string_view text);
    void handle_key_press(int keyAscii) override;
    // The edit part of an editable combo edits as a text box does: Delete, Left, Right, Home and
    // End move the caret (with Shift they extend the selection), Ctrl+A selects everything; Up
    // and Down still pick entries. Ctrl+C copies the selection to the clipboard, Ctrl+X cuts it,
    // Ctrl+V pastes the clipboard (user_paste).
    void handle_key_down(int keyCode, int shift) override;
    // The user pastes text into the edit part (Ctrl+V, the middle button): the first line of what
    // paste_text makes of it replaces the selection; with no text at all nothing changes.
    void user_paste(std::string_view text);

    // The selection in the edit part, in characters; the caret is at one end of it.
    Property<int> SelStart{this, "SelStart"};
    Property<int> SelLength{this, "SelLength"};
    std::string SelText() const;
    // The user puts the caret at a character (dragging or with Shift, the selection ends there).
    void user_set_caret(int position, bool extend);
    int Caret() const { return caret_; }

protected:
    void cursor_changed() override;
    void cleared() override;

private:
    bool editable() const { return Style != vbComboDropdownList; }
    // Replaces the selection with `text` and puts the caret after it (Change follows).
    void replace_selection(std::string_view text);
    void select(int anchor, int caret);
    int caret_ = 0;
    int anchor_ = 0;
};

// Drive box: the places a user's files live on Linux: "/", the home folder and mounted
// removable media (under /media and /run/media).
class DriveListBox : public ListControl {
public:
    DriveListBox();
    std::string_view Kind() const override { return "DriveListBox"; }

    // The chosen entry. Setting it from any path picks the longest entry that contains the path
    // ("/" at least) and raises Change when that differs.
    Property<std::string> Drive{this, "Drive", "/"};
    // Re-reads the entries.
    void Refresh() override;

protected:
    void cursor_changed() override;
};

// Folder box: the open folder, the folders above it, and its sub-folders.
class DirListBox : public Control {
public:
    DirListBox();
    std::string_view Kind() const override { return "DirListBox"; }

    // The open folder. Setting it normalises (a trailing "/" makes no other folder; "..", "."
    // and a relative path resolve against the open folder), fails with error 76 for a folder
    // that does not exist, and raises Change when the folder differs. The list is re-read.
    Property<std::string> Path{this, "Path"};
    // Windows' indices: -1 the open folder, -2 its parent, ... up to the root; 0..ListCount-1
    // the sub-folders (full paths), dot-folders left out, in case-insensitive order. "" outside.
    std::string List(int i) const;
    int ListCount() const { return static_cast<int>(subfolders_.size()); }
    // The highlighted entry (-1 the open folder). Setting raises Click on a change; outside the
    // entries it fails with error 380.
    Property<int> ListIndex{this, "ListIndex", -1};
    Property<int> TopIndex{this, "TopIndex"};
    // Re-reads the sub-folders.
    void Refresh() override;

    // --- what a user does ---
    void user_select(int i);
    // Double-clicking an entry opens it (Path changes).
    void user_open(int i);
    void handle_key_down(int keyCode, int shift) override; // Return opens the highlighted entry

private:
    void reread();
    std::vector<std::string> chain_; // the open folder first, then its parents up to "/"
    std::vector<std::string> subfolders_;
};

// File box: the files of one folder that match a pattern list.
class FileListBox : public ListControl {
public:
    FileListBox();
    std::string_view Kind() const override { return "FileListBox"; }

    // The folder listed (normalised and checked as DirListBox::Path; error 76 when missing).
    Property<std::string> Path{this, "Path"};
    // ";"-separated wildcard patterns, matched without regard to case ("*.8bf;*._bf").
    Property<std::string> Pattern{this, "Pattern", "*.*"};
    // The file list is read only when Path or Pattern is set (to a new value) or on Refresh:
    // regular files, dot-files left out, sorted without regard to case.
    void Refresh() override;
    // Re-reads only when the folder's shared listing (files::list_all_shared) is not the one the list
    // was made from: the folder box and the report list showing a folder that just changed read it
    // once between them.
    void RefreshIfChanged();

    // The length and date of entry i as the last reading found them (0 and the zero date outside).
    std::uint64_t FileLength(int i) const;
    vb::DateTime FileDate(int i) const;
    // The sub-folders the last reading found beside the files: dot-folders left out, links to folders
    // kept, in case-insensitive order.
    const std::vector<files::DirEntry>& SubFolders() const { return folders_; }

    Event<> PathChange;
    Event<> PatternChange;

private:
    struct FileFacts {
        std::uint64_t Length = 0;
        std::int64_t Modified = 0;
    };
    void reread();
    std::vector<FileFacts> facts_; // beside items_, entry for entry
    std::vector<files::DirEntry> folders_;
    std::uint64_t readFrom_ = 0; // the number of the shared listing of the last reading
};

// Normalises a folder path as the folder and file boxes compare it: absolute (relative to `base`),
// "." and ".." resolved, no trailing "/" except the root.
std::string NormaliseFolder(std::string_view path, std::string_view base);

} // namespace ui
