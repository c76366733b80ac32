// Reading and writing whole files so that neither a hostile folder nor an unlucky one can hurt:
// a reader opens only regular files and refuses at once what is far larger than any real file of
// its kind (a FIFO or a device never blocks it, a huge file never fills the memory); a writer
// creates its temporary file exclusively, never through a link, syncs it and renames it over
// the target, so the target is always the old file or the complete new one. Plain C++.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace veltra {

// The largest file of each kind the program reads, with ample headroom over the largest real one.
namespace file_limit {
// A plan of 150 channels: lines of at most 199 characters, about 30 KiB.
inline constexpr std::size_t kPlanFile = 256 * 1024;
// A logger of 150 records (the TV logger's lines are the longest, about 100 characters).
inline constexpr std::size_t kLoggerFile = 1024 * 1024;
// A spreadsheet of a plan or a logger, with quotes around every field.
inline constexpr std::size_t kCsvFile = 1024 * 1024;
// The IO interface's 128 KiB image in Intel HEX, even written one data byte a record.
inline constexpr std::size_t kHexFile = 4 * 1024 * 1024;
// The instrument's image in S-records: room for a 12 MiB image in 16-byte records.
inline constexpr std::size_t kSRecordFile = 32 * 1024 * 1024;
// A language file of 170 texts; config.txt; the simulated instrument's small state files.
inline constexpr std::size_t kTextFile = 1024 * 1024;
}  // namespace file_limit

// What a whole-file read found.
struct FileRead {
    enum Status {
        Done,
        Missing,     // nothing of that name
        Unreadable,  // not permitted, or a read error
        NotAFile,    // a folder, a FIFO, a device: never opened for reading
        TooLarge,    // larger than the limit of its kind: refused before reading
    };
    Status status = Unreadable;
    explicit operator bool() const { return status == Done; }
};

// Reads the regular file `path` whole into `content`, when it holds at most `limit` bytes.
// Never blocks on a FIFO or a device and never reads more than `limit` + 1 bytes. Every file the
// program reads is text: a leading UTF-8 byte-order mark (which some Windows editors write) is
// read as nothing.
FileRead ReadWholeFile(const std::string& path, std::string& content, std::size_t limit);

// What a write found: nothing, or the system's reason.
struct FileWrite {
    std::error_code error;
    explicit operator bool() const { return !error; }
    // The system's reason in words ("No space left on device").
    std::string reason() const;
};
// A failed write as a message's second line: the file and the system's reason.
std::string UnwritableDetail(const std::string& path, const FileWrite& write);
// A file that could not be read, as a message's second line: the file and why.
std::string UnreadableDetail(const std::string& path, const FileRead& read);

// Writes `content` as the file `path`: into a temporary file of the same folder that nobody can
// have created before (exclusive, never through a link, mode 0644 less the umask), synced, then
// renamed over `path` and the folder synced. A link standing at `path` is replaced, never written
// through. A failure, with `path` untouched, when any step fails. Temporary files that a killed
// run left beside `path` are removed.
FileWrite WriteFileAtomically(const std::string& path, const std::string& content);

// Whether `name` is the name of one of WriteFileAtomically's temporary files, which every folder
// reader passes over.
bool IsTemporaryFileName(const std::string& name);

// File names are UTF-8 throughout the program; these are the one place where one becomes the
// system's own path and back (on Windows a wide path: a narrow one would be read in the ANSI
// code page, and "Español.lng" would never open).
std::filesystem::path NativePath(const std::string& utf8);
std::string Utf8Path(const std::filesystem::path& path);

// `folder` with a separator at its end ("/" unless it ends in one already: on Windows "\\" is
// one too); an empty folder (the current one) stays empty.
std::string WithSeparator(std::string folder);

// Whether anything stands at `path` (a link to nothing counts).
bool FileExists(const std::string& path);
// Makes `folder` and its parents; false when it is not a folder afterwards.
bool MakeFolders(const std::string& folder);
// The names of the entries of `folder` that are not folders, temporary files left out; none
// when it cannot be read.
std::vector<std::string> FilesInFolder(const std::string& folder);
// Removes the file `path`; true when nothing stands there afterwards.
bool RemoveFile(const std::string& path);
// Whether a file can be made in `folder`: tried with a probe file that is removed again (the
// permission bits say yes for "Program Files", and a read-only medium says nothing).
FileWrite CanWriteInFolder(const std::string& folder);

// Names files written together into one folder so that none overwrites another: names that
// would be one file ("X/Y" and "X_Y" made safe, two loggers "SAME") become "SAME.logtv",
// "SAME (2).logtv". Compared without case, as Windows compares names.
class DistinctFileNames {
  public:
    // `base` (a path without its extension) and `extension`, numbered when already taken.
    std::string take(const std::string& base, const std::string& extension);
    void clear() { taken_.clear(); }

  private:
    std::vector<std::string> taken_;
};

}  // namespace veltra
