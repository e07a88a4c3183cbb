#include "shell/frame.hpp"

#include "platform/ui/Window.hpp"
#include "platform/values/values.hpp"

namespace vexolan {

void GreyscaleBar(ui::Window& Formy, long& Pixelwidth, bool HOrientation, bool Bottomy) {
    ui::Host& host = Formy.host();
    const int tppx = host.TwipsPerPixelX(), tppy = host.TwipsPerPixelY();
    Formy.Cls();
    if (HOrientation) {
        Pixelwidth = static_cast<long>(vb::RoundHalfEven(Pixelwidth * 12.0 / tppy));
        const long length = static_cast<long>(vb::RoundHalfEven(static_cast<double>(Formy.ScaleWidth()) / tppx));
        const long y0 =
            Bottomy ? static_cast<long>(vb::RoundHalfEven(static_cast<double>(Formy.ScaleHeight()) / tppy)) - Pixelwidth
                    : 0;
        // A window with no width has nothing to paint (and the gradient would divide by zero).
        if (length <= 0) return;
        for (long i = 0; i <= length; ++i) {
            int g = static_cast<int>(vb::RoundHalfEven(255.0 - i * 255.0 / length));
            Formy.DrawFilledBox(static_cast<int>((i - 1) * tppx), static_cast<int>((y0 - 1) * tppy),
                                static_cast<int>((i + 1) * tppx), static_cast<int>((y0 + Pixelwidth) * tppy),
                                ui::RGB(g, g, g));
        }
    } else {
        Pixelwidth = static_cast<long>(vb::RoundHalfEven(Pixelwidth * 12.0 / tppx));
        const long length = static_cast<long>(vb::RoundHalfEven(static_cast<double>(Formy.ScaleHeight()) / tppy));
        if (length <= 0) return;
        for (long i = 0; i <= length; ++i) {
            int g = static_cast<int>(vb::RoundHalfEven(255.0 - i * 255.0 / length));
            Formy.DrawFilledBox(-tppx, static_cast<int>((i - 1) * tppy), static_cast<int>(Pixelwidth * tppx),
                                static_cast<int>((i + 1) * tppy), ui::RGB(g, g, g));
        }
    }
}

int RolledUpSize(const ui::Window& window) {
    const ui::Host& host = window.host();
    return static_cast<int>(
        vb::RoundHalfEven(28.0 * 12.0 * host.TwipsPerPixelX() / static_cast<double>(host.TwipsPerPixelY())));
}

void ToggleRollUp(ui::Window& window, RollUpState& state, RollUpAxis axis) {
    auto& size = axis == RollUpAxis::Height ? window.Height : window.Width;
    if (!state.Restored && state.SavedSize > 0) {
        size = static_cast<int>(state.SavedSize);
        state.Restored = true;
        return;
    }
    if (!state.Restored && state.SavedSize < 0) return;
    state.SavedSize = size;
    size = RolledUpSize(window);
    state.Restored = false;
}

void BeginCaptionDrag(ui::Window& window) {
    window.property_changed(CaptionDragRequest);
}

void CenterOnScreen(ui::Window& window) {
    ui::Host& host = window.host();
    window.Left = (host.ScreenWidth() - window.Width) / 2;
    window.Top = (host.ScreenHeight() - window.Height) / 2;
}

} // namespace vexolan
