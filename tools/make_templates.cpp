// Writes the stand-in template plug-ins "photo30.dll" and "photo304.dll" into the folder given as the
// only argument (the build's application folder).

#include "filterfactory/compiler.hpp"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_templates <folder>\n");
        return 2;
    }
    try {
        vexolan::ff::WriteStandInTemplates(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make_templates: %s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
