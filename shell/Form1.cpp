#include "shell/Form1.hpp"

#include "shell/App.hpp"

namespace vexolan {

Form1::Form1(App& app) : ui::Window(app.host, "Form1"), app(app) {
    add(Label3, "Label3");
    add(Label4, "Label4");
    Width = 12000;
    Height = 8400;
    Label3.Move(0, 7200, 9000, 255);
    Label4.Move(9000, 7200, 2880, 255);
}

} // namespace vexolan
