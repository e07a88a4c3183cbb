// GIF through giflib: the first picture of the file, placed on its logical screen.

#include "platform/imgman/codecs.hpp"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace imgman {

namespace {

struct Source {
    std::span<const std::uint8_t> bytes;
    std::size_t pos = 0;
};

int read_bytes(GifFileType* gif, GifByteType* into, int wanted) {
    auto* src = static_cast<Source*>(gif->UserData);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(wanted, 0)), src->bytes.size() - src->pos);
    std::memcpy(into, src->bytes.data() + src->pos, n);
    src->pos += n;
    return static_cast<int>(n);
}

struct Closer {
    GifFileType* gif;
    ~Closer() {
        int err = 0;
        if (gif) DGifCloseFile(gif, &err);
    }
};

} // namespace

std::optional<Image> decode_gif(std::span<const std::uint8_t> bytes, std::string& error) {
    error = "The file is not a readable GIF picture.";
    Source source{bytes};
    int err = 0;
    GifFileType* gif = DGifOpen(&source, read_bytes, &err);
    if (!gif) return std::nullopt;
    Closer closer{gif};

    int transparent = -1;
    for (;;) {
        GifRecordType type;
        if (DGifGetRecordType(gif, &type) == GIF_ERROR) return std::nullopt;
        if (type == TERMINATE_RECORD_TYPE) return std::nullopt; // no picture in the file
        if (type == EXTENSION_RECORD_TYPE) {
            int code = 0;
            GifByteType* block = nullptr;
            if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) return std::nullopt;
            // The graphic control block: flags, delay (2 bytes), transparent colour index.
            if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4 && (block[1] & 1)) transparent = block[4];
            while (block)
                if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) return std::nullopt;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) return std::nullopt;
        if (DGifGetImageDesc(gif) == GIF_ERROR) return std::nullopt;
        break;
    }

    const GifImageDesc& frame = gif->Image;
    const ColorMapObject* map = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!map || frame.Width <= 0 || frame.Height <= 0 || frame.Left < 0 || frame.Top < 0) return std::nullopt;
    const std::int64_t width = std::max<std::int64_t>(gif->SWidth, std::int64_t{frame.Left} + frame.Width);
    const std::int64_t height = std::max<std::int64_t>(gif->SHeight, std::int64_t{frame.Top} + frame.Height);
    if (!size_allowed(width, height, gif_pixel_bound(bytes.size()))) {
        error = "The GIF picture is damaged or larger than this program can open.";
        return std::nullopt;
    }

    Image img;
    img.width = static_cast<int>(width);
    img.height = static_cast<int>(height);
    img.bpp = map->BitsPerPixel <= 1 ? 1 : map->BitsPerPixel <= 4 ? 4 : 8;
    const bool covered = frame.Left == 0 && frame.Top == 0 && frame.Width == width && frame.Height == height;
    img.has_alpha = transparent >= 0 || !covered;
    img.rgba.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);

    std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
    // Interlaced pictures store every eighth row from 0, every eighth from 4, every fourth from 2
    // and then every second from 1.
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(frame.Height));
    if (frame.Interlace) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int y = start[pass]; y < frame.Height; y += step[pass])
                rows.push_back(y);
    } else {
        for (int y = 0; y < frame.Height; ++y)
            rows.push_back(y);
    }
    for (int y : rows) {
        if (DGifGetLine(gif, line.data(), frame.Width) == GIF_ERROR) {
            error = "The GIF picture is damaged: it ends too early.";
            return std::nullopt;
        }
        std::uint8_t* dst =
            img.rgba.data() +
            ((static_cast<std::size_t>(frame.Top) + y) * static_cast<std::size_t>(width) + frame.Left) * 4;
        for (int x = 0; x < frame.Width; ++x, dst += 4) {
            const int index = line[x];
            if (index == transparent) continue;
            if (index < map->ColorCount) {
                const GifColorType& c = map->Colors[index];
                dst[0] = c.Red, dst[1] = c.Green, dst[2] = c.Blue;
            }
            dst[3] = 255;
        }
    }
    return img;
}

} // namespace imgman
