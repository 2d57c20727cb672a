// Whole-file reading and writing that never loses the user's data: every
// writer of both programs (model files, reports, DXF, preferences, PDFs,
// settings) saves through SafeSaveFile; readers take only regular files of a
// bounded size through ReadRegularFile.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// How SafeSaveFile puts new content in place.
enum class SaveMethod {
    Refuse,   // the target is not a regular file, or cannot be written
    Rename,   // write a temporary file beside the target, then rename it over
    InPlace,  // overwrite the target itself (its old text kept in memory)
};

// What is known of a target before saving. `exists` false: a new file.
struct SaveTarget {
    bool exists = false;
    bool regular = true;
    bool writable = true;        // the target itself (when it exists)
    bool folderWritable = true;  // the folder that holds it
    unsigned long links = 1;
    bool ownerKept = true;       // a file made now would have the target's owner and group
};

// What became of a save.
enum class SaveResult {
    Saved,
    NotSaved,      // the previous content is still there (or no file was made)
    MayBeDamaged,  // the save failed and the previous content could not be put back
};

// The rule: a rename only where it keeps everything the user has (the one
// link, owner and group; extended attributes are copied, and where that
// fails the file is written in place); otherwise in place; a new file needs
// a writable folder.
SaveMethod ChooseSaveMethod(const SaveTarget& target);

// Writes bytes to path, following symbolic links. On success the file holds
// exactly bytes with the old permissions, owner, group and extended
// attributes (POSIX ACLs among them); on any failure
// (disk full, size limit, I/O error, a special file, no access) the previous
// content is still there, a new file is not left half-written, and no
// temporary file remains: NotSaved, with errno-style text in *why when given.
// Only when a file written in place is left holding other than its old
// text is the result MayBeDamaged.
SaveResult SafeSaveFile(const std::string& path, const std::string& bytes, std::string* why = nullptr);

// What every program tells the user when a save ended MayBeDamaged.
std::string MayBeDamagedText(const std::string& path);

// The text of the box after a save of path that failed: MayBeDamagedText
// when the file may be damaged, else notSaved, the caller's own words for a
// save that left the previous content in place. Empty for Saved.
std::string SaveFailureText(SaveResult result, const std::string& path, const std::string& notSaved);

// Reads a whole regular file of at most maxBytes into bytes. False for a
// missing file, a directory, FIFO, device or other special file (never
// blocks on one), a larger file, or a read error.
bool ReadRegularFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// What became of reading a file that need not exist.
enum class ReadResult {
    Read,
    Missing,  // nothing at the path (a dangling symbolic link included)
    Failed,   // something is there that cannot be read whole
};

// ReadRegularFile that tells a missing file from one that cannot be read
// (no access, an I/O error, a special file, a larger file): Failed, with
// the reason in *why when given.
ReadResult ReadFileIfPresent(const std::string& path, std::size_t maxBytes, std::string& bytes,
                             std::string* why = nullptr);

// True when path names an existing file that is not a regular file (a FIFO,
// device, socket or directory); writers refuse such a target.
bool IsSpecialFile(const std::string& path);

// A file-size limit makes writes fail instead of killing the program.
void IgnoreFileSizeSignal();

}  // namespace platform
