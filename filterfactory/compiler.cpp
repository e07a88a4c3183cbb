#include "filterfactory/compiler.hpp"

#include "filterfactory/bytes.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/rewrite.hpp"

#include "platform/fs/files.hpp"

#include <algorithm>

namespace vexolan::ff {

namespace {

// Raw bytes at a position the layout guarantees to lie inside the template.
void put_raw(std::string& file, FilePos pos, std::string_view bytes) {
    file.replace(buffer_index(pos), bytes.size(), bytes);
}

void put_byte(std::string& file, FilePos pos, std::uint8_t value) {
    file[buffer_index(pos)] = static_cast<char>(value);
}

// The Windows-1252 bytes of `text`, cut to `room` bytes.
std::string cut_bytes(std::string_view text, std::size_t room) {
    std::string bytes = vb::Utf8ToCp1252(text);
    if (bytes.size() > room) bytes.resize(room);
    return bytes;
}

// A text and its 0 byte, cut to `room` letters.
void put_text(std::string& file, FilePos pos, std::string_view text, std::size_t room = MaxSlotText) {
    put_raw(file, pos, cut_bytes(text, room) + '\0');
}

// The title or category field: the length byte and the text, cut to `room`.
void put_field(std::string& file, FilePos lengthPos, FilePos pos, std::string_view text, std::size_t room) {
    const std::string bytes = cut_bytes(text, room);
    put_byte(file, lengthPos, static_cast<std::uint8_t>(bytes.size() & 0xFF));
    put_raw(file, pos, bytes + '\0');
}

// The author and copyright line of the 49664-byte layout: every letter followed by a 0 byte (UTF-16LE
// for the letters of Windows-1252 below 128 and of Latin-1), "author (copyright)", and one more 0.
// From 60 letters of author and copyright together, the line is cut to 57 letters and "...".
std::string author_line(std::string_view author, std::string_view copyright) {
    const std::string a = vb::Utf8ToCp1252(author);
    const std::string c = vb::Utf8ToCp1252(copyright);
    std::string letters = a + " (" + c;
    const bool cut = a.size() + c.size() >= 60;
    letters = cut ? letters.substr(0, 57) + "..." : letters + ")";
    std::string line;
    for (char ch : letters) {
        line += ch;
        line += '\0';
    }
    if (cut) line += '\0';
    return line;
}

const char* const ChannelNames[] = {"red", "green", "blue", "alpha"};

} // namespace

std::size_t TextFieldRoom(std::string_view file, FilePos pos) {
    std::size_t i = buffer_index(pos), n = 0;
    while (i < file.size() && file[i] != '\0')
        ++i, ++n;
    while (i < file.size() && file[i] == '\0')
        ++i, ++n;
    return n > 0 ? n - 1 : 0;
}

CompileResult Write8bf(FFContext& ff, std::string& Diry, bool Override, bool FFYeditor, const CompileOptions& options) {
    FilterRecord& r = ff.Record;
    const auto fail = [&](const vb::Error& e) {
        if (ff.ShowError) ff.ShowError(e);
        return CompileResult::Failed;
    };
    const auto refuse = [&](const std::string& message) {
        ff.Message(message, ui::vbExclamation, "Error");
        return CompileResult::Refused;
    };

    if (Diry.empty() || Diry.back() != '/') Diry += '/';
    if (r.Filename.find('.') == std::string::npos && !EndsWithNoCase(r.Filename, "_8bf")) r.Filename += ".8bf";

    // The template and its layout. Every option is checked before anything is written.
    const PluginLayout* layout = &Layout57344;
    std::string templatePath;
    if (Override) {
        Diry = files::app_folder() + "/";
        templatePath = files::app_path(PreviewPlugin);
    } else if (options.TemplateChoice == CompileOptions::FF304) {
        layout = &Layout49152;
        templatePath = files::app_path(Layout49152.Template);
    } else if (options.TemplateChoice == CompileOptions::Macintosh) {
        return fail(vb::Error(53)); // there is no Macintosh template in this edition
    } else if (options.TemplateChoice == CompileOptions::User && !options.UserTemplate.empty()) {
        templatePath = options.UserTemplate;
        layout = nullptr;
    } else {
        templatePath = files::app_path(Layout57344.Template);
    }
    std::string file;
    try {
        file = files::read_file_bytes(templatePath);
    } catch (const vb::Error& e) {
        return fail(e);
    }
    if (!layout) {
        switch (file.size()) {
        case 49152:
            layout = &Layout49152;
            break;
        case 49664:
            layout = &Layout49664;
            break;
        case 57344:
            layout = &Layout57344;
            break;
        default:
            return CompileResult::NothingWritten;
        }
    }
    // The larger previews' dialog-layout data goes only into layouts that have a place for it; the
    // data itself is not part of this edition.
    if (!Override && (options.BigPreview || options.MegaPreview) && layout->PreviewData != 0) {
        const char* id = options.BigPreview ? "10001" : "10000";
        return fail(vb::Error(326, std::string("Resource with identifier '") + id + "' not found"));
    }
    // A file of the right length whose signature says it is another layout (the " FilterFactory"
    // variant keeps its block elsewhere) or no Filter Factory plug-in at all would be patched in the
    // wrong places.
    if (file.size() != static_cast<std::size_t>(layout->Lengths[0]) || FindPluginLayout(file) != layout)
        return refuse(files::absolute_path(templatePath) + " is not a Filter Factory template plug-in.");

    if (!ff.pFlag) {
        for (int k : {2, 1, 0, 3})
            Correctprmcode(r.Code(k));
        ff.pFlag = true; // the record now holds Photoshop code; a second writer must not rewrite it again
    }
    for (int k = 0; k < 4; ++k)
        if (vb::Utf8ToCp1252(r.Code(k)).size() > MaxFormulaLength)
            return refuse(std::string("The ") + ChannelNames[k] + " formula is longer than " +
                          std::to_string(MaxFormulaLength) + " characters and does not fit into a plug-in.");

    if (r.Category == "[Premiere FF]") r.Category = "Premiere(converted)";
    if (options.DemoPlugin) r.Title += " Demo...";

    const std::string target =
        Override ? files::app_path(PreviewPlugin) : files::join_path(Diry, GetFilname(DestPlugin, r.Filename));

    // The title field ends before the category's length byte; the category field keeps to the room the
    // template gives it.
    const std::size_t titleRoom = std::min<std::size_t>(
        TextFieldRoom(file, layout->Title), static_cast<std::size_t>(layout->CategoryLength - layout->Title - 1));
    const std::size_t categoryRoom = TextFieldRoom(file, layout->Category);
    put_field(file, layout->TitleLength, layout->Title, r.Title, titleRoom);
    put_field(file, layout->CategoryLength, layout->Category, r.Category, categoryRoom);
    if (layout->AuthorLine != 0) put_raw(file, layout->AuthorLine, author_line(r.Author, r.Copyright));

    put_text(file, SlotPos(*layout, block::Category), r.Category);
    put_text(file, SlotPos(*layout, block::Title), r.Title);
    put_text(file, SlotPos(*layout, block::Copyright), r.Copyright);
    put_text(file, SlotPos(*layout, block::Author), r.Author);
    for (int m = 0; m < 4; ++m) {
        if (!r.MapName[m].empty()) {
            put_byte(file, NumberPos(*layout, block::MapUsed(m)), 1);
            put_text(file, SlotPos(*layout, block::MapName(m)), r.MapName[m]);
            put_byte(file, NumberPos(*layout, block::ControlUsed(2 * m)), 0);
            put_byte(file, NumberPos(*layout, block::ControlUsed(2 * m + 1)), 0);
            continue;
        }
        for (int c = 2 * m; c <= 2 * m + 1; ++c) {
            const bool used = !r.CtlName[c].empty();
            put_byte(file, NumberPos(*layout, block::ControlUsed(c)), used ? 1 : 0);
            if (used) put_text(file, SlotPos(*layout, block::ControlName(c)), r.CtlName[c]);
        }
        put_byte(file, NumberPos(*layout, block::MapUsed(m)), 0);
    }
    for (int c = 0; c < 8; ++c)
        put_byte(file, NumberPos(*layout, block::Value(c)), r.CtlValue[c]);
    for (int k = 0; k < 4; ++k)
        put_raw(file, SlotPos(*layout, block::Formula(k)), vb::Utf8ToCp1252(r.Code(k)) + std::string(5, '\0'));
    put_byte(file, NumberPos(*layout, block::EditorFlag), (options.EditorPlugin || FFYeditor) ? 0 : 1);

    if (!Override) {
        put_raw(file, layout->ModesWord, options.AllModes ? std::string("\xFF\xFF", 2) : std::string("\x10\x00", 2));
        if (options.DemoPlugin) DemoPlugin(file, true, true, true);
        if (options.Encrypted) {
            if (!options.DemoPlugin) DemoPlugin(file, true, false, false);
            double rnd = 0;
            if (ff.Host) {
                ff.Host->Randomize(static_cast<std::uint32_t>(ff.Host->SteadyNow().time_since_epoch().count()));
                rnd = ff.Host->Rnd();
            }
            RandomFileSize(file, rnd);
        }
    }
    try {
        files::write_file(target, file);
    } catch (const vb::Error& e) {
        return fail(e);
    }
    return CompileResult::Written;
}

bool ToggleFFUI(std::string_view filyName, bool Ui) {
    try {
        const std::string file = files::read_file_bytes(std::string(filyName));
        const PluginLayout* layout = nullptr;
        for (const PluginLayout* candidate : {&Layout49152, &Layout57344, &Layout49664})
            if (file.size() == static_cast<std::size_t>(candidate->Lengths[0])) layout = candidate;
        if (!layout || FindPluginLayout(file) != layout) return false;
        files::write_bytes_at(std::string(filyName), buffer_index(NumberPos(*layout, block::ShowDialog)),
                              std::string(1, Ui ? '\x01' : '\x00'));
    } catch (const vb::Error&) {
        return false;
    }
    return true;
}

void WritePRM(std::string&) {}
void WriteTF(std::string&) {}
void DemoPlugin(std::string&, bool, bool, bool) {}
void EncryptPRM(std::string&, FilePos, bool) {}
void SwapRBchannels() {}

} // namespace vexolan::ff
