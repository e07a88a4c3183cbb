#pragma once
// Pictures beside menu entries. In a drop-down where any entry has a picture, every entry gets a
// column for one left of its caption, so the captions stay in line; an entry's picture is drawn
// there, greyed while the entry is disabled. Entries of the menu bar itself show no picture.
//
//     MenuPictures pictures(host);
//     item.text = label.c_str();                 // the text stays where it is while shown
//     pictures.add(item, host.picture_file(entry.Picture), entry.Enabled);
//     ... the items are shown ...
//     pictures.clear();                          // or the object goes

#include <FL/Fl_Menu_Item.H>

#include <string>
#include <vector>

namespace fltk {

class FltkHost;

class MenuPictures {
public:
    explicit MenuPictures(const FltkHost& host) : host_(host) {}
    ~MenuPictures();
    MenuPictures(const MenuPictures&) = delete;
    MenuPictures& operator=(const MenuPictures&) = delete;

    // The file of a picture handle ("" when it stands for nothing to draw).
    std::string file_of(int handle) const;
    // Gives the item the picture column, with the picture of `file` ("" for an entry without one).
    void add(Fl_Menu_Item& item, const std::string& file, bool enabled);
    // Forgets every item added (before their texts go).
    void clear();

    // Pixels the column takes left of the caption.
    static constexpr int ColumnWidth = 22;

private:
    const FltkHost& host_;
    std::vector<const char*> texts_;
};

} // namespace fltk
