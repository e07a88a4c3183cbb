#include "shell/status.hpp"

#include "shell/App.hpp"
#include "shell/Form1.hpp"

#include <cmath>
#include <string>

namespace vexolan {

void Progressbar(App& app, long Percent, bool Full) {
    if (Percent > 100) return;
    Form1& f = app.form1();
    if (Percent == 0) {
        f.Cls();
        return;
    }
    // A negative percent would draw a box backwards across the window: draw nothing.
    if (Percent < 0) return;
    double width = vb::RoundHalfEven(Percent / 100.0 * f.ScaleWidth());
    double top = vb::RoundHalfEven(f.Label3.Top);
    if (!Full) top = vb::RoundHalfEven(top + 2.0 * f.Label3.Height / 3.0);
    int red = static_cast<int>(vb::RoundHalfEven(2.5 * Percent));
    int blue = static_cast<int>(vb::RoundHalfEven(255 - 2.5 * Percent));
    f.DrawFilledBox(0, static_cast<int>(top), static_cast<int>(width), f.ScaleHeight(), ui::RGB(red, 0, blue));
}

void StatusDisplay(App& app, long Current, long total, std::chrono::steady_clock::time_point iniTime) {
    Form1& f = app.form1();
    // Each step on its own: with total 0 there is no bar but the count shows; with Current 0 the
    // bar is cleared and the time label keeps its text.
    if (total != 0) Progressbar(app, static_cast<long>(vb::RoundHalfEven(100.0 * Current / total)), false);
    f.Label3.Caption = vb::Str(Current) + " of " + vb::Str(total);
    f.Label3.Refresh();
    if (Current != 0) {
        double elapsed = std::chrono::duration<double>(app.host.SteadyNow() - iniTime).count();
        double estimated = elapsed * total / Current;
        f.Label4.Caption = vb::Str(vb::RoundHalfEven(estimated - elapsed) + 1) + " sec.";
        f.Label4.Refresh();
    }
}

void StatusDisplayClear(App& app) {
    Progressbar(app, 0, false);
    app.form1().Label3.Caption = "";
    app.form1().Label4.Caption = "";
}

namespace {

std::string errorText(const App& app) {
    return "Vexo Error" + vb::Str(app.Err.Number) + ": " + app.Err.Description;
}

} // namespace

void ErrorMessage(App& app) {
    app.host.MsgBox(errorText(app), ui::vbExclamation, "Just a small problem...");
}

int ErrorMessage2(App& app) {
    return app.host.MsgBox(errorText(app) + "\r\rContinue anyway?", ui::vbYesNo | ui::vbExclamation,
                           "An error occured, but don't panik!");
}

std::string NotWrittenMessage(const vb::Error& error, std::string_view path) {
    return "Vexo Error " + std::to_string(error.number()) + ": " + error.description() + "\r\n" + std::string(path) +
           " was not written.";
}

} // namespace vexolan
