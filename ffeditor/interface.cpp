#include "ffeditor/interface.hpp"

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/des_reader.hpp"
#include "shell/App.hpp"

#include "platform/fs/files.hpp"
#include "platform/imgman/codecs.hpp"

#include <limits>
#include <optional>
#include <span>

namespace vexolan {

namespace {

// A file coordinate times the twips of a pixel; a product beyond the whole numbers a position can
// hold fails as Windows' overflow does, so the step is skipped.
int to_twips(int pixels, int twipsPerPixel) {
    long long v = static_cast<long long>(pixels) * twipsPerPixel;
    if (v > std::numeric_limits<int>::max() || v < std::numeric_limits<int>::min()) throw vb::Error(6, "Overflow");
    return static_cast<int>(v);
}

// One shape record: the region it makes, or nothing for an unknown kind.
std::optional<ui::Region> read_shape(DesReader& in) {
    std::string kind = in.text();
    int left = in.number(), top = in.number(), right = in.number(), bottom = in.number();
    int cornerWidth = in.number(), cornerHeight = in.number();
    if (kind == "Rect") return ui::Region::Rect(left, top, right, bottom);
    if (kind == "Ellipse") return ui::Region::Ellipse(left, top, right, bottom);
    if (kind == "RoundRect") return ui::Region::RoundRect(left, top, right, bottom, cornerWidth, cornerHeight);
    return std::nullopt;
}

// The code of an operation word; an unknown word leaves the code in force (0 before any).
void read_operation(DesReader& in, int& code) {
    static constexpr const char* words[] = {"RGN_AND", "RGN_OR", "RGN_XOR", "RGN_DIFF", "RGN_COPY"};
    std::string word = in.text();
    for (int k = 0; k < 5; ++k)
        if (word == words[k]) code = k + 1;
}

std::optional<ui::Bitmap> load_picture(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::string bytes = files::read_file_bytes(path);
    std::string error;
    auto image =
        imgman::decode_picture(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), error);
    if (!image) return std::nullopt;
    ui::Bitmap b;
    b.Width = image->width;
    b.Height = image->height;
    b.Rgba = std::move(image->rgba);
    return b;
}

} // namespace

void LoadInterface(App& app) {
    FFEditorType1& e = app.EditorForm();
    const int tx = app.host.TwipsPerPixelX(), ty = app.host.TwipsPerPixelY();
    vb::ResumeNext([&] { e.Caption = ""; });

    const std::string folder = (app.AppPath / app.InterfaceFolder).string();
    std::string chosen = app.InterfaceFile;
    std::string path = chosen == "OFF" ? std::string() : files::find_file_no_case(folder, chosen);
    if (path.empty()) {
        // The plain editor keeps its choice: a later OK in the Preferences must not store the
        // fallback in its place.
        if (app.InterfaceFile != "OFF") app.InterfaceFile = FallbackInterfaceFile;
        path = files::find_file_no_case(folder, FallbackInterfaceFile);
    }

    std::string bytes;
    bool opened = false;
    vb::ResumeNext([&] {
        if (path.empty()) return;
        bytes = files::read_file_bytes(path);
        opened = true;
    });
    DesReader in(bytes);
    std::optional<ui::Region> outline;
    if (opened) {
        int width = 0, height = 0, count = 0;
        vb::ResumeNext([&] {
            in.text(); // the name, for the Preferences' list only
            std::string picture = in.text();
            if (auto b = load_picture(files::find_file_no_case(folder, picture))) e.SetPicture(std::move(*b));
        });
        vb::ResumeNext([&] {
            count = in.number();
            width = in.number();
            height = in.number();
            outline = ui::Region::Rect(0, 0, width, height);
            e.Width = to_twips(width, tx);
            e.Height = to_twips(height, ty);
        });
        int code = 0;
        vb::ResumeNext([&] {
            auto first = read_shape(in);
            auto second = read_shape(in);
            read_operation(in, code);
            // A failed combination leaves the outline the full rectangle.
            if (first && second && outline) {
                ui::Region combined;
                if (ui::CombineRgn(combined, *first, *second, code) != ui::RGN_ERROR) outline = std::move(combined);
            }
        });
        std::optional<ui::Region> previous;
        // The count comes from the file: the end of the file ends the loop whatever it says.
        for (long long k = 2; k < count && !in.at_end(); ++k) {
            bool ok = true;
            vb::ResumeNext([&] {
                ok = false;
                auto shape = read_shape(in);
                read_operation(in, code);
                ok = true;
                // An unknown kind uses the previous further shape again.
                if (shape) previous = std::move(shape);
                ui::Region work = ui::Region::Rect(0, 0, width, height);
                if (previous && outline) ui::CombineRgn(work, *outline, *previous, code);
                outline = std::move(work);
            });
            if (!ok) break;
        }

        // Slider kind.
        vb::ResumeNext([&] {
            std::string field = in.at_end() ? std::string() : in.text();
            if (field.rfind("GraphSlider", 0) == 0) {
                for (std::size_t i = 0; i < 8; ++i) {
                    e.HScroll1[i].Visible = false;
                    e.Picture2[i].Visible = true;
                    e.Picture3[i].Visible = true;
                }
                char last = field.back();
                int n = last >= '0' && last <= '9' ? last - '0' : 0;
                // Looks beyond the three built in keep the pictures the sliders have.
                if (n <= 2) {
                    auto look = static_cast<std::size_t>(n);
                    for (std::size_t i = 0; i < 8; ++i) {
                        e.Picture2[i].Picture = e.Picture4[look].Picture.get();
                        e.Picture3[i].Picture = e.Picture5[look].Picture.get();
                        e.Picture3[i].Width = e.Picture5[look].Width.get();
                    }
                }
                app.GraphSliders = true;
            } else {
                for (std::size_t i = 0; i < 8; ++i) {
                    e.HScroll1[i].Visible = true;
                    e.Picture2[i].Visible = false;
                    e.Picture3[i].Visible = false;
                }
                app.GraphSliders = false;
            }
        });

        // Mail link.
        vb::ResumeNext([&] {
            if (in.at_end()) {
                e.Label10.Visible = false;
                e.Label10.ToolTipText = "";
                return;
            }
            if (in.text() != "Mailto") return;
            int left = in.number(), top = in.number(), right = in.number(), bottom = in.number();
            std::string address = in.text();
            std::string tip = in.text();
            e.Label10.Left = to_twips(left, tx);
            e.Label10.Top = to_twips(top, ty);
            e.Label10.Width = to_twips(right, tx) - e.Label10.Left;
            e.Label10.Height = to_twips(bottom, ty) - e.Label10.Top;
            app.MailtoAddress = address;
            e.Label10.ToolTipText = tip;
            e.Label10.Visible = true;
        });

        // Code boxes.
        vb::ResumeNext([&] {
            int left = 216, top = 192, right = 0, bottom = 0;
            bool sized = false;
            if (!in.at_end()) {
                if (in.text() != "CodeWindows") return;
                left = in.number(), top = in.number(), right = in.number(), bottom = in.number();
                sized = true;
            }
            for (auto& box : e.Text5) {
                box.Left = to_twips(left, tx);
                box.Top = to_twips(top, ty);
                box.Width = sized ? to_twips(right, tx) - box.Left : to_twips(317, tx);
                box.Height = sized ? to_twips(bottom, ty) - box.Top : to_twips(193, ty);
            }
        });
    }

    if (outline) {
        int result = e.SetWindowRgn(std::move(*outline), true);
        if (result < 1) app.host.MsgBox("SetWindowRegion Error: " + vb::Str(result));
    } else {
        e.ClearWindowRgn();
    }
    vb::ResumeNext([&] { e.Caption = "Filter Factory Editor"; });
}

} // namespace vexolan
