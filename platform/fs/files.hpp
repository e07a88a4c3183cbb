#pragma once
// The file system as the program sees it: every file operation of the program goes through here.
// Failures are thrown as vb::Error with the Windows numbers the program branches on (53, 58, 61, 70,
// 75, 76). Relative paths are resolved against the virtual current folder (CurDir), never against the
// process's own working folder.
//
// Two kinds of writing are kept apart on purpose:
//  - rename/move of a user's file or folder never replaces anything (error 58, both survive);
//  - a file the program writes in full goes through replace_file, which writes a temporary file in
//    the same folder and renames it over the old one, so a failure leaves the old file whole.

#include "platform/values/values.hpp"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace files {

using Path = std::filesystem::path;

// --- paths ---------------------------------------------------------------------------------------

// Joins a folder and a name with one "/" between them: ("/", "x") is "/x", ("/a/", "x") is "/a/x",
// ("", "x") is "x".
std::string join_path(std::string_view folder, std::string_view name);
// The folder with one "/" at its end ("" becomes "/").
std::string with_separator(std::string folder);
// Whether two folder paths are the same text, with or without a separator at the end. Letter case
// counts: folders whose names differ only in case are two.
bool same_path(const std::string& a, const std::string& b);
// Whether the path is the root folder "/" (any number of slashes).
bool is_root(std::string_view path);

// The virtual current folder: model state that starts as the process's working folder. ChDir fails
// with 76 when the folder does not exist.
std::string CurDir();
void ChDir(const Path& folder);
// An absolute, lexically normal form of `p` (relative paths taken from CurDir); links are not resolved.
std::string absolute_path(const Path& p);

// The user's folders of the freedesktop base-directory rules: $XDG_DATA_HOME (~/.local/share) and
// $XDG_CONFIG_HOME (~/.config); a variable that is empty or not absolute counts as unset.
std::string data_home();
std::string config_home();

// --- looking at files ----------------------------------------------------------------------------

// Windows attribute bits as the program tests them. A symbolic link carries AttrLink (Windows' reparse
// point), so "exactly AttrFolder" never matches a link to a folder.
enum Attribute : int {
    AttrNormal = 0,
    AttrReadOnly = 1,
    AttrHidden = 2,
    AttrFolder = 16,
    AttrLink = 1024,
};

// Whether anything (file, folder, link, hidden or not) has this name.
bool exists(const Path& p);
bool file_exists(const Path& p);   // a file, or a link to one
bool folder_exists(const Path& p); // a folder, or a link to one
// The attribute bits of a path (hidden = a name starting with "."; read-only = no write permission for
// the owner). 53 when it does not exist.
int file_attributes(const Path& p);
std::uint64_t file_length(const Path& p); // 53 when missing
vb::DateTime file_date(const Path& p);    // last write, local time; 53 when missing
// Whether both names lead to the same file or folder (links and bind mounts included). On a drive that
// folds letter case (FAT, exFAT: their FUSE drivers may give each spelling its own inode number), two
// paths that differ only in letter case and both resolve are one entry when the folder's listing holds
// only one of the two spellings; where it holds both (ext4), they are two files.
bool same_file(const Path& a, const Path& b);
// Whether two folder paths name one folder: the same text (see same_path), or one folder by two names
// (same_file).
bool same_folder(const std::string& a, const std::string& b);
// Whether `a` and `b` (or, for a path that does not exist yet, its nearest existing parent) lie on one
// file system, so that a rename between them needs no copy.
bool same_file_system(const Path& a, const Path& b);
// The file system (device number) holding `p`, or, for a path that does not exist yet, its nearest
// existing parent. Tests may fake it with inject_device.
std::uint64_t device_of(const Path& p);
// The mount holding `p` (a link itself, not what it leads to): the kernel's mount id, or where the
// system does not give it, the mount /proc/self/mountinfo shows at the longest mount point above it.
// Two mounts of one file system (a bind mount) have one device but two mounts. Tests may fake it with
// inject_mount.
std::uint64_t mount_of(const Path& p);
// The top folder of the file system holding `p`: the highest folder above it on the same device
// (its mount point; "/" for the root file system).
std::string mount_top(const Path& p);
// The bytes free to the user on the file system holding `folder`.
std::uint64_t free_space(const Path& folder);
// The folder for temporary files: $TMPDIR when it names a folder, otherwise "/tmp".
std::string temp_folder();

// The real name of `name` in `folder`, compared without regard to case ("Photo30.dll" finds
// "photo30.dll"): the full path of the entry found, an exact match preferred, or "" when none.
std::string find_file_no_case(const Path& folder, std::string_view name);

// --- listing -------------------------------------------------------------------------------------

struct DirEntry {
    std::string Name; // the name on disk, no folder
    int Attributes = AttrNormal;
    std::uint64_t Length = 0;  // of the file a link leads to; 0 for folders and broken links
    vb::DateTime Date;         // last write, local time
    std::int64_t Modified = 0; // the same, in seconds since 1970

    bool Regular = false; // a regular file, or a link to one

    bool is_folder() const { return (Attributes & AttrFolder) != 0; }
    bool is_link() const { return (Attributes & AttrLink) != 0; }
    bool is_hidden() const { return (Attributes & AttrHidden) != 0; }
};

struct ListOptions {
    bool IncludeHidden = false;
    // Links to folders are left out of folder lists unless asked for, so that anything that walks a
    // tree by these lists never follows a link (and never loops through one).
    bool IncludeFolderLinks = false;
};

// The files of a folder (no "." or ".."; in no particular order), optionally only those whose names
// match a ";"-separated pattern list (see patterns.hpp; an empty list means all). 76 when the folder
// does not exist.
std::vector<DirEntry> list_files(const Path& folder, std::string_view patterns = {}, ListOptions options = {});
// How many times list_files has read a folder so far (any folder), so that a test can tell how often a
// piece of work lists one.
std::uint64_t list_files_count();
// The sub-folders of a folder, the same way.
std::vector<DirEntry> list_folders(const Path& folder, ListOptions options = {});
// Everything in a folder, hidden entries and links included, nothing followed.
std::vector<DirEntry> list_all(const Path& folder);
// The same listing (one stat per entry), shared by the controls that show one folder at one moment: a
// folder box, a file box and a report list showing the folder that changed read it once. A listing is
// shared only while it is less than a second old, nothing has changed through this file layer since,
// and the folder itself is unchanged (its dates, size and identity, and not changed just before it
// was read); otherwise the folder is read again.
std::shared_ptr<const std::vector<DirEntry>> list_all_shared(const Path& folder);
// The number of the reading list_all_shared returned last: the same number for a shared listing, a new
// one for every reading of the disk.
std::uint64_t shared_listing_number();
// Lets the shared listing go (its memory with it).
void forget_shared_listing();

// --- reading and writing -------------------------------------------------------------------------

// The whole file as bytes.
std::string read_file_bytes(const Path& p);
// A file opened once for reading chosen parts of it, so that a reader of large files takes only the
// bytes it needs. Opening fails as read_file_bytes does (53 when missing; injected Read faults apply).
class InputFile {
public:
    explicit InputFile(const Path& p);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    std::uint64_t Length() const { return length_; }
    // Up to `length` bytes from the 0-based `position`: fewer at the end of the file, none beyond it.
    std::string Read(std::uint64_t position, std::size_t length) const;

private:
    int fd_ = -1;
    std::uint64_t length_ = 0;
    std::string path_;
};
// Every whole-file write below works on drives without unnamed temporary files, hard links or renames
// that refuse to replace (FAT, exFAT, NTFS through FUSE, network drives): each call falls back to a
// named temporary file, a rename that is checked first, or both, and keeps its promises there. None of
// them ever replaces a device, a FIFO or a socket, named directly or behind a link: such a write fails
// with 75, naming the file, and nothing is renamed over it.
//
// Writes a whole file through a temporary file in the same folder and an atomic rename: readers see
// the old file or the new one, never a part. A link is followed and its target replaced. The file keeps
// the permissions of the file it replaces.
void replace_file(const Path& p, std::string_view bytes);
// Rewrites an existing file of the user with new bytes (a plug-in patched, a source changed). The new
// bytes go to a temporary file beside it that replaces it only when complete, keeping its permission
// bits and owner; a link is followed to its target. A file with several names (hard links) is
// written over in place instead, so that every name sees the change. 53 when it is missing.
void rewrite_file(const Path& p, std::string_view bytes);
// A batch of whole-file writes (the outputs of a conversion) that keeps replace_file's promise, a
// file that replaces an old one is never left half-written in its place, at the cost of one sync
// per batch instead of one per file:
//  - a new file (nothing had its name) is written to a temporary file and renamed into place at once,
//    never over anything, without a sync of its own: a crash can only cost the new file;
//  - a replacement is written to a temporary file beside its target and left pending; commit() syncs
//    the file systems of the pending files once, then renames each over its target. Until then the
//    old file stays in place, whole, and counts as existing for every check; read_file_bytes of a
//    pending target reads what the batch wrote.
// While a batch is open, write_file goes through it; only one batch is open at a time (an inner one
// adds to the outer). A batch that goes without commit() commits in its destructor.
struct BatchFailure {
    std::string Path;
    vb::Error Error;
};
class WriteBatch {
public:
    WriteBatch();
    ~WriteBatch();
    WriteBatch(const WriteBatch&) = delete;
    WriteBatch& operator=(const WriteBatch&) = delete;

    // Syncs and renames every pending replacement; a failure (of the sync or of a rename) leaves that
    // old file whole and its temporary file removed. Returns what failed, also earlier in the batch
    // when a large batch committed part of its files on the way.
    std::vector<BatchFailure> commit();
    // Whether a replacement of this file is waiting for commit().
    bool pending(const Path& p) const;

    // The batch write_file uses now, or nullptr.
    static WriteBatch* open();
    void write(const Path& p, std::string_view bytes);
    bool has_pending() const { return !pending_.empty(); }
    // The file that holds what `abs` reads as now: its pending temporary file, or `abs` itself.
    std::string pending_file(const std::string& abs) const;

private:
    struct Pending {
        std::string Target;
        std::string Temp;
    };
    void commit_pending();
    WriteBatch* outer_ = nullptr;
    std::vector<Pending> pending_;
    std::vector<BatchFailure> failures_;
    std::uint64_t pendingBytes_ = 0;
};
// Writes a whole file: through the open batch when there is one, otherwise as replace_file does.
void write_file(const Path& p, std::string_view bytes);

// Overwrites bytes of an existing file in place at a 0-based position (53 when the file is missing).
void write_bytes_at(const Path& p, std::uint64_t position, std::string_view bytes);

// --- changing the tree ---------------------------------------------------------------------------

// Renames or moves a file or folder (Windows Name). Never replaces: onto anything existing, an empty
// folder included, it fails with 58 and both stay. Across file systems it copies, checks the copy,
// then removes the source.
void rename(const Path& from, const Path& to);
// Copies a file (Windows FileCopy/CopyFile): the date and permissions go along; an existing target is
// replaced only when `replace` is true (otherwise 58), and only once the copy is complete. Copying a
// file onto itself (by any name) fails with 70 and changes nothing.
void copy_file(const Path& from, const Path& to, bool replace = true);
void delete_file(const Path& p);   // Kill: 53 when missing; never removes a folder
void make_folder(const Path& p);   // MkDir: 75 when it exists, 76 when its parent is missing
void make_folders(const Path& p);  // creates every missing folder on the way; nothing when it exists
void remove_folder(const Path& p); // RmDir: 75 when it is not empty
// Removes a folder with everything below it, hidden entries included. Links are removed, never followed.
// Goes on past failures; returns the number of entries (the folder itself included) that stayed.
int delete_tree(const Path& folder);

// --- the application folder ----------------------------------------------------------------------

// The per-user writable application folder: $XDG_DATA_HOME/vexolan (~/.local/share/vexolan), unless
// set_app_folder chose another one (tests do).
std::string app_folder();
void set_app_folder(const Path& folder);
// A file of the application folder by its relative name ("Photo30.dll", "help/tuts/tutorials.htm"), each
// part looked up without regard to case; parts not found are kept as given (the path to create).
std::string app_path(std::string_view relative);
// Creates the application folder when missing and copies in every file of the installed folder (sub-
// folders included) that it lacks, compared without regard to case; files already there are kept.
// Tries every file; throws the first failure at the end.
void prepare_app_folder(const Path& installed);

// --- fault injection for tests -------------------------------------------------------------------

// Tests run as root and cannot provoke permission or disk errors; they make chosen operations on chosen
// paths fail with a chosen errno instead. A fault applies to the path given (resolved like every path
// here) and to everything below it.
enum class Op {
    Any,
    Read,         // read_file_bytes, reading in copies
    Write,        // writing the temporary file of replace_file, write_bytes_at, writing a copy
    Rename,       // rename, and the final rename of replace_file (on its target)
    Delete,       // delete_file, and each file removed by delete_tree or a cross-device move
    MakeFolder,   // make_folder(s)
    RemoveFolder, // remove_folder, and each folder removed by delete_tree
    List,         // the listing functions
    Sync,         // the sync of a write batch (on each pending target)
    // What a drive may lack; a fault here plays such a drive (EOPNOTSUPP, EINVAL, EPERM, ...), so that
    // the writers' fallbacks can be tested on any file system. Each applies to the file being named.
    Unnamed,   // making an unnamed temporary file in the target's folder (O_TMPFILE)
    Link,      // giving a file a second name (linkat), the unnamed file its name included
    NoReplace, // a rename that refuses to replace (RENAME_NOREPLACE)
};

// Makes `op` on `path` fail with `err` (an errno value) the next `times` times (-1: until cleared).
void inject_fault(Op op, const Path& path, int err, int times = -1);
// The same, but the fault strikes only after `successes` calls of `op` on `path` went through: a copy
// then fails in the middle of a file (each piece of a copy checks Op::Write once).
void inject_fault_after(Op op, const Path& path, int err, int successes);
// Makes `path` and everything below it report `device` as its file system (device_of,
// same_file_system, mount_top), so that a test on one real file system can play a second one.
void inject_device(const Path& path, std::uint64_t device);
// Makes `path` and everything below it report `mount` as its mount (mount_of), so that a test can play
// a second mount of the one file system it has.
void inject_mount(const Path& path, std::uint64_t mount);
// Makes every `op` on `path` (and below it) take `milliseconds` longer, so that a test can hold a long
// piece of work (a batch conversion, a folder scan) open for as long as it needs, whatever its speed.
void inject_delay(Op op, const Path& path, int milliseconds);
// Clears the faults, the delays and the faked devices and mounts.
void clear_faults();
// Clears every fault when it goes, so that a failing test leaves none behind.
struct FaultScope {
    FaultScope() = default;
    FaultScope(const FaultScope&) = delete;
    FaultScope& operator=(const FaultScope&) = delete;
    ~FaultScope() { clear_faults(); }
};

} // namespace files
