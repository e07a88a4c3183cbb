#include "platform/imgman/images.hpp"

#include <map>
#include <mutex>

namespace imgman {

namespace {

struct Table {
    std::mutex lock;
    std::map<int32_t, Image> images;
    int32_t next = 1;
};

Table& table() {
    static Table t;
    return t;
}

} // namespace

int32_t add_image(Image img) {
    if (img.width <= 0 || img.height <= 0) return 0;
    if (img.rgba.size() != static_cast<size_t>(img.width) * static_cast<size_t>(img.height) * 4) return 0;
    Table& t = table();
    std::lock_guard guard(t.lock);
    // Handles are never reused while the program runs, so a stale handle kept by a caller cannot
    // name somebody else's picture. Wrap-around after 2^31 opens skips handles still in use.
    int32_t handle = t.next;
    while (t.images.count(handle) != 0 || handle <= 0)
        handle = handle <= 0 ? 1 : handle + 1;
    t.next = handle == INT32_MAX ? 1 : handle + 1;
    t.images.emplace(handle, std::move(img));
    return handle;
}

Image* image_of(int32_t handle) {
    if (handle == 0) return nullptr;
    Table& t = table();
    std::lock_guard guard(t.lock);
    auto it = t.images.find(handle);
    return it == t.images.end() ? nullptr : &it->second;
}

bool close_image(int32_t handle) {
    if (handle == 0) return false;
    Table& t = table();
    std::lock_guard guard(t.lock);
    return t.images.erase(handle) != 0;
}

int live_handle_count() {
    Table& t = table();
    std::lock_guard guard(t.lock);
    return static_cast<int>(t.images.size());
}

} // namespace imgman
