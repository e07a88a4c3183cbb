#include "platform/fltk/menu_pictures.hpp"

#include "platform/fltk/FltkHost.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Shared_Image.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <map>

namespace fltk {

namespace {

// The label type of entries in a drop-down with pictures (one of the free slots FLTK keeps).
constexpr Fl_Labeltype PictureLabel = static_cast<Fl_Labeltype>(FL_FREE_LABELTYPE + 2);
constexpr int PictureSize = 16;

struct Entry {
    Fl_Image* picture = nullptr; // scaled to PictureSize when larger
    Fl_Image* grey = nullptr;    // the same, for a disabled entry
    bool enabled = true;
};

// FLTK hands a label type only the item's text: the pictures are found by it.
std::map<const char*, Entry>& entries() {
    static std::map<const char*, Entry> all;
    return all;
}

void forget(Entry& e) {
    delete e.picture;
    delete e.grey;
    e = Entry{};
}

void draw_label(const Fl_Label* label, int x, int y, int w, int h, Fl_Align align) {
    auto it = entries().find(label->value);
    if (it != entries().end()) {
        const Entry& e = it->second;
        if (Fl_Image* picture = e.enabled ? e.picture : e.grey) {
            fl_push_clip(x, y, std::min(w, PictureSize + 2), h);
            picture->draw(x + (PictureSize - picture->w()) / 2, y + (h - picture->h()) / 2);
            fl_pop_clip();
        }
    }
    // The caption as a plain label draws it, beside the column.
    fl_font(label->font, label->size);
    fl_color(static_cast<Fl_Color>(label->color));
    fl_draw(label->value, x + MenuPictures::ColumnWidth, y, std::max(0, w - MenuPictures::ColumnWidth), h, align);
}

void measure_label(const Fl_Label* label, int& w, int& h) {
    fl_font(label->font, label->size);
    fl_measure(label->value, w, h);
    w += MenuPictures::ColumnWidth;
    h = std::max(h, PictureSize + 2);
}

} // namespace

MenuPictures::~MenuPictures() {
    clear();
}

std::string MenuPictures::file_of(int handle) const {
    return host_.picture_file(handle);
}

void MenuPictures::add(Fl_Menu_Item& item, const std::string& file, bool enabled) {
    static const bool registered = [] {
        Fl::set_labeltype(PictureLabel, draw_label, measure_label);
        return true;
    }();
    (void)registered;
    if (!item.text) return;
    Entry e;
    e.enabled = enabled;
    if (!file.empty())
        if (Fl_Shared_Image* shared = Fl_Shared_Image::get(file.c_str())) {
            if (shared->w() > 0 && shared->h() > 0) {
                int w = std::min(shared->w(), PictureSize), h = std::min(shared->h(), PictureSize);
                e.picture = shared->copy(w, h);
                e.grey = shared->copy(w, h);
                e.grey->inactive();
            }
            shared->release();
        }
    Entry& slot = entries()[item.text];
    forget(slot);
    slot = e;
    texts_.push_back(item.text);
    item.labeltype_ = PictureLabel;
}

void MenuPictures::clear() {
    for (const char* text : texts_) {
        auto it = entries().find(text);
        if (it == entries().end()) continue;
        forget(it->second);
        entries().erase(it);
    }
    texts_.clear();
}

} // namespace fltk
