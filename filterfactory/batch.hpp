#pragma once
// The bookkeeping of one conversion batch: which targets it has written, which items could not be
// read, and whether the user has ended it. Every question and message of the batch goes through
// here, so that a target written earlier in the batch is asked about like one that was there
// before, an error box names its item and offers to end the batch, and the batch ends with one
// message naming what it had to skip.

#include "filterfactory/record.hpp"

#include <functional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace vexolan {

class App;

class ConversionBatch {
public:
    // Routes the current filter's messages (reader and compiler errors) through the batch while it
    // lives; the previous ways out come back when it ends.
    explicit ConversionBatch(App& app);
    ~ConversionBatch();
    ConversionBatch(const ConversionBatch&) = delete;
    ConversionBatch& operator=(const ConversionBatch&) = delete;

    // The item the following messages are about ("" for none).
    void SetItem(std::string_view item) { item_ = std::string(item); }

    // Whether `target` may be written for `source` (a file of the selection, or "" for a library
    // entry or the clipboard): an OverwriteAnswer. A target that exists, or was written earlier in
    // this batch, is asked about. A target that is the source file itself is refused with an error
    // box (OverwriteSkip, or OverwriteCancelBatch when the user ends the batch there).
    int MayWrite(std::string_view source, const std::string& target);
    // Records that `target` has been written in this batch.
    void Written(const std::string& target);
    // Whether `target` counts as existing for the question: on disk, or written earlier in this batch.
    bool Exists(const std::string& target) const;

    // An item that could not be read; named in the message at the end.
    void Unreadable(std::string name);
    // An error box about the current item, with OK (go on) and Cancel (end the batch).
    void ItemError(std::string_view message, int icon, std::string_view title);

    // Whether the user ended the batch in one of its boxes.
    bool Cancelled() const { return cancelled_; }
    // Shows the message naming the items that could not be read (at most ten, then "and n more").
    void Finish();

    // The message of Finish for these names ("" for none).
    static std::string UnreadableMessage(const std::vector<std::string>& names);

private:
    App& app_;
    std::string item_;
    std::set<std::string> written_;
    std::vector<std::string> unreadable_;
    bool cancelled_ = false;
    std::function<void(std::string_view, int, std::string_view)> oldMessage_;
    std::function<void(const vb::Error&)> oldShowError_;
};

} // namespace vexolan
