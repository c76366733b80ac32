#include "text/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>

namespace veltra {

namespace {

constexpr const char* kTemporaryEnd = ".part";
constexpr std::size_t kRandomDigits = 16;
// A temporary file younger than this may belong to a write still under way in another program.
constexpr auto kLeftoverAge = std::chrono::seconds(10);

bool IsHexDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// The part of a file name that its temporary files keep: the whole name in a folder's limit of
// 255 bytes.
std::string KeptName(const std::string& fileName) {
    return fileName.substr(0, 200);
}

// The temporary name of `fileName`: ".NAME.<16 hex digits>.part", hidden and unguessable.
std::string TemporaryName(const std::string& fileName) {
    static const char* const kDigits = "0123456789abcdef";
    std::random_device random;
    std::uint64_t bits = (static_cast<std::uint64_t>(random()) << 32) ^ random();
    std::string digits;
    for (std::size_t k = 0; k < kRandomDigits; ++k, bits >>= 4)
        digits.push_back(kDigits[bits & 0xF]);
    return "." + KeptName(fileName) + "." + digits + kTemporaryEnd;
}

// The file name whose temporary file `name` is; empty when `name` is none.
std::string TargetOfTemporary(const std::string& name) {
    const std::size_t endLength = std::char_traits<char>::length(kTemporaryEnd);
    if (name.size() < 1 + 1 + 1 + kRandomDigits + endLength || name[0] != '.') return {};
    if (name.compare(name.size() - endLength, endLength, kTemporaryEnd) != 0) return {};
    const std::size_t digitsAt = name.size() - endLength - kRandomDigits;
    if (name[digitsAt - 1] != '.' || !IsHexDigits(name.substr(digitsAt, kRandomDigits))) return {};
    return name.substr(1, digitsAt - 2);
}

// Removes what a killed write of `target` left in its folder.
void RemoveLeftovers(const std::filesystem::path& folder, const std::string& target) {
    std::error_code ec;
    const auto now = std::filesystem::file_time_type::clock::now();
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (TargetOfTemporary(name) != KeptName(target)) continue;
        std::error_code age;
        const auto written = std::filesystem::symlink_status(it->path(), age).type() ==
                                     std::filesystem::file_type::symlink
                                 ? std::filesystem::file_time_type::min()
                                 : std::filesystem::last_write_time(it->path(), age);
        if (age || now - written < kLeftoverAge) continue;
        // unlink removes the name itself: a planted link goes, what it points to stays.
        ::unlink(it->path().c_str());
    }
}

bool WriteAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void SyncFolder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

FileRead ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return {FileRead::Unreadable};
    if (!S_ISREG(info.st_mode)) return {FileRead::NotAFile};
    if (static_cast<std::uint64_t>(info.st_size) > limit) return {FileRead::TooLarge};
    // Non-blocking: should a FIFO have replaced the file since, the open does not wait for it.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {FileRead::Unreadable};
    FileRead result{FileRead::Done};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = FileRead::NotAFile;
    } else {
        std::string read(limit + 1 < 65536 ? limit + 1 : 65536, '\0');
        std::string whole;
        for (;;) {
            const ssize_t n = ::read(fd, read.data(), read.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                result.status = FileRead::Unreadable;
                break;
            }
            if (n == 0) break;
            whole.append(read.data(), static_cast<std::size_t>(n));
            // A file that grew past the limit while it was read.
            if (whole.size() > limit) {
                result.status = FileRead::TooLarge;
                break;
            }
        }
        if (result) content = std::move(whole);
    }
    ::close(fd);
    return result;
}

bool WriteFileAtomically(const std::string& path, const std::string& content) {
    const std::filesystem::path target(path);
    const std::string fileName = target.filename().string();
    if (fileName.empty() || fileName == "." || fileName == "..") return false;
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    RemoveLeftovers(folder, fileName);

    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = folder / TemporaryName(fileName);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) return false;
    }
    if (fd < 0) return false;
    bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(folder);
    return true;
}

bool IsTemporaryFileName(const std::string& name) {
    return !TargetOfTemporary(name).empty();
}

}  // namespace veltra
