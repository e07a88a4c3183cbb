#include "filterfactory/batch.hpp"

#include "filemanager/OverwriteCheck.hpp"
#include "shell/App.hpp"
#include "shell/helpers.hpp"

#include "platform/fs/files.hpp"

#include <filesystem>
#include <system_error>

namespace vexolan {

namespace {

constexpr std::size_t NamesShown = 10;

// Whether `a` and `b` are one file (both exist and are the same file).
bool same_file(std::string_view a, std::string_view b) {
    try {
        return files::same_file(std::string(a), std::string(b));
    } catch (const vb::Error&) {
        return false;
    }
}

} // namespace

ConversionBatch::ConversionBatch(App& app) : app_(app) {
    oldMessage_ = app.FF.MessageHook;
    oldShowError_ = app.FF.ShowError;
    app.FF.MessageHook = [this](std::string_view prompt, int style, std::string_view title) {
        ItemError(prompt, style & 0xF0, title);
    };
    app.FF.ShowError = [this](const vb::Error& e) {
        ItemError("Vexo Error " + std::to_string(e.number()) + ": " + e.description(), ui::vbExclamation,
                  "Just a small problem...");
    };
}

ConversionBatch::~ConversionBatch() {
    app_.FF.MessageHook = oldMessage_;
    app_.FF.ShowError = oldShowError_;
}

bool ConversionBatch::Exists(const std::string& target) const {
    return written_.contains(target) || files::exists(target);
}

int ConversionBatch::MayWrite(std::string_view source, const std::string& target) {
    if (!source.empty() && same_file(source, target)) {
        ItemError(GetFileName(source) + " would be converted onto itself: it is left as it is.", ui::vbExclamation,
                  "Convert");
        return cancelled_ ? OverwriteCancelBatch : OverwriteSkip;
    }
    // The overwrite prompt asks about every target on disk, and targets of this batch are written
    // at once, so a target written earlier is on disk when the next item asks.
    return OverwriteCheck(app_, source, target);
}

void ConversionBatch::Written(const std::string& target) {
    written_.insert(target);
}

void ConversionBatch::Unreadable(std::string name) {
    unreadable_.push_back(std::move(name));
}

void ConversionBatch::ItemError(std::string_view message, int icon, std::string_view title) {
    std::string prompt(message);
    // A message that does not name its item gets the name in front.
    const std::string name = GetFileName(item_);
    if (!name.empty() && prompt.find(name) == std::string::npos) prompt = name + ": " + prompt;
    if (app_.host.MsgBox(prompt, ui::vbOKCancel | icon, title) == ui::vbCancel) cancelled_ = true;
}

std::string ConversionBatch::UnreadableMessage(const std::vector<std::string>& names) {
    if (names.empty()) return {};
    std::string text = names.size() == 1 ? "This file could not be read as a filter and was skipped:"
                                         : "These files could not be read as filters and were skipped:";
    for (std::size_t i = 0; i < names.size() && i < NamesShown; ++i)
        text += "\r\n" + names[i];
    if (names.size() > NamesShown) text += "\r\nand " + std::to_string(names.size() - NamesShown) + " more";
    return text;
}

void ConversionBatch::Finish() {
    if (unreadable_.empty()) return;
    app_.host.MsgBox(UnreadableMessage(unreadable_), ui::vbExclamation, "Convert");
    unreadable_.clear();
}

} // namespace vexolan
