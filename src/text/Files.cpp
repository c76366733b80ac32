#include "text/Files.h"

#include "text/Text.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <random>

namespace veltra {

namespace fs = std::filesystem;

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
void RemoveLeftovers(const fs::path& folder, const std::string& target) {
    std::error_code ec;
    const auto now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (TargetOfTemporary(Utf8Path(it->path().filename())) != KeptName(target)) continue;
        std::error_code age;
        const auto written = fs::symlink_status(it->path(), age).type() == fs::file_type::symlink
                                 ? fs::file_time_type::min()
                                 : fs::last_write_time(it->path(), age);
        if (age || now - written < kLeftoverAge) continue;
        // The name itself goes: a planted link is removed, what it points to stays.
        fs::remove(it->path(), age);
    }
}

// The system's side of a write: a file created exclusively (never through a link), its bytes
// on the disk, and a rename over the target.
#ifdef _WIN32

std::error_code LastError() {
    return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
}

std::error_code CreateWriteAndSync(const fs::path& temporary, const std::string& content,
                                   bool& taken) {
    // CREATE_NEW fails on anything standing at the name, a link included.
    HANDLE file = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const std::error_code error = LastError();
        taken = error.value() == ERROR_FILE_EXISTS;
        return error;
    }
    std::size_t done = 0;
    bool written = true;
    while (written && done < content.size()) {
        DWORD n = 0;
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1 << 20));
        written = ::WriteFile(file, content.data() + done, chunk, &n, nullptr) && n > 0;
        done += n;
    }
    written = written && ::FlushFileBuffers(file);
    const std::error_code error = written ? std::error_code() : LastError();
    if (!::CloseHandle(file) && !error) return LastError();
    return error;
}

std::error_code RenameOver(const fs::path& temporary, const fs::path& target) {
    if (::MoveFileExW(temporary.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0)
        return {};
    return LastError();
}

void SyncFolder(const fs::path&) {}  // MOVEFILE_WRITE_THROUGH has done it

#else

std::error_code LastError() {
    return std::error_code(errno, std::generic_category());
}

std::error_code CreateWriteAndSync(const fs::path& temporary, const std::string& content,
                                   bool& taken) {
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) {
        taken = errno == EEXIST;
        return LastError();
    }
    std::size_t done = 0;
    std::error_code error;
    while (!error && done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0)
            error = LastError();
        else if (n == 0)
            error = std::make_error_code(std::errc::no_space_on_device);
        else
            done += static_cast<std::size_t>(n);
    }
    if (!error && ::fsync(fd) != 0) error = LastError();
    if (::close(fd) != 0 && !error) error = LastError();
    return error;
}

std::error_code RenameOver(const fs::path& temporary, const fs::path& target) {
    if (::rename(temporary.c_str(), target.c_str()) == 0) return {};
    return LastError();
}

void SyncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

#endif

}  // namespace

fs::path NativePath(const std::string& utf8) {
#ifdef _WIN32
    // A name that is not UTF-8 (a Latin-1 one) would make the conversion throw: read as Latin-1.
    const std::string text = IsValidUtf8(utf8) ? utf8 : BytesToUtf8(utf8);
    return fs::path(std::u8string(text.begin(), text.end()));
#else
    return fs::path(utf8);
#endif
}

std::string Utf8Path(const fs::path& path) {
#ifdef _WIN32
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
#else
    return path.string();
#endif
}

FileRead ReadWholeFile(const std::string& path, std::string& content, std::size_t limit) {
    const fs::path native = NativePath(path);
    std::string whole;
#ifdef _WIN32
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (!::GetFileAttributesExW(native.c_str(), GetFileExInfoStandard, &info)) {
        const DWORD error = ::GetLastError();
        return {error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                    ? FileRead::Missing
                    : FileRead::NotAFile};
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return {FileRead::NotAFile};
    const std::uint64_t size =
        (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > limit) return {FileRead::TooLarge};
    HANDLE file = ::CreateFileW(native.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {FileRead::Unreadable};
    FileRead result{FileRead::Done};
    // A pipe or a device behind the name is never read.
    if (::GetFileType(file) != FILE_TYPE_DISK) result.status = FileRead::NotAFile;
    std::string buffer(65536, '\0');
    while (result) {
        DWORD n = 0;
        if (!::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &n, nullptr)) {
            result.status = FileRead::Unreadable;
            break;
        }
        if (n == 0) break;
        whole.append(buffer.data(), n);
        if (whole.size() > limit) result.status = FileRead::TooLarge;
    }
    ::CloseHandle(file);
#else
    struct stat info {};
    if (::stat(native.c_str(), &info) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? FileRead::Missing : FileRead::Unreadable};
    if (!S_ISREG(info.st_mode)) return {FileRead::NotAFile};
    if (static_cast<std::uint64_t>(info.st_size) > limit) return {FileRead::TooLarge};
    // Non-blocking: should a FIFO have replaced the file since, the open does not wait for it.
    const int fd = ::open(native.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {FileRead::Unreadable};
    FileRead result{FileRead::Done};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) result.status = FileRead::NotAFile;
    std::string buffer(65536, '\0');
    while (result) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.status = FileRead::Unreadable;
            break;
        }
        if (n == 0) break;
        whole.append(buffer.data(), static_cast<std::size_t>(n));
        // A file that grew past the limit while it was read.
        if (whole.size() > limit) result.status = FileRead::TooLarge;
    }
    ::close(fd);
#endif
    if (result) {
        // A byte-order mark says only that the text is UTF-8.
        if (whole.compare(0, 3, "\xEF\xBB\xBF") == 0) whole.erase(0, 3);
        content = std::move(whole);
    }
    return result;
}

std::string FileWrite::reason() const {
    return error.message();
}

std::string UnwritableDetail(const std::string& path, const FileWrite& write) {
    return write ? path : path + ": " + write.reason();
}

std::string UnreadableDetail(const std::string& path, const FileRead& read) {
    switch (read.status) {
        case FileRead::Missing:
            return path + ": " +
                   std::make_error_code(std::errc::no_such_file_or_directory).message();
        case FileRead::NotAFile:
            return path + ": not a regular file";
        case FileRead::TooLarge:
            return path + ": " + std::make_error_code(std::errc::file_too_large).message();
        case FileRead::Unreadable:
            return path + ": " + std::make_error_code(std::errc::permission_denied).message();
        case FileRead::Done:
            break;
    }
    return path;
}

FileWrite WriteFileAtomically(const std::string& path, const std::string& content) {
    const fs::path target = NativePath(path);
    const std::string fileName = Utf8Path(target.filename());
    if (fileName.empty() || fileName == "." || fileName == "..")
        return {std::make_error_code(std::errc::is_a_directory)};
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    RemoveLeftovers(folder, fileName);

    for (int attempt = 0; attempt < 16; ++attempt) {
        const fs::path temporary = folder / NativePath(TemporaryName(fileName));
        bool taken = false;
        if (const std::error_code error = CreateWriteAndSync(temporary, content, taken)) {
            if (taken) continue;  // somebody's name: another one
            std::error_code ec;
            fs::remove(temporary, ec);
            return {error};
        }
        if (const std::error_code error = RenameOver(temporary, target)) {
            std::error_code ec;
            fs::remove(temporary, ec);
            return {error};
        }
        SyncFolder(folder);
        return {};
    }
    return {std::make_error_code(std::errc::file_exists)};
}

bool IsTemporaryFileName(const std::string& name) {
    return !TargetOfTemporary(name).empty();
}

std::string WithSeparator(std::string folder) {
    if (folder.empty() || folder.back() == '/') return folder;
#ifdef _WIN32
    if (folder.back() == '\\') return folder;
#endif
    folder.push_back('/');
    return folder;
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return fs::symlink_status(NativePath(path), ec).type() != fs::file_type::not_found && !ec;
}

bool MakeFolders(const std::string& folder) {
    std::error_code ec;
    fs::create_directories(NativePath(folder), ec);
    return fs::is_directory(NativePath(folder), ec);
}

std::vector<std::string> FilesInFolder(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(NativePath(folder), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code type;
        if (it->is_directory(type)) continue;
        const std::string name = Utf8Path(it->path().filename());
        if (!IsTemporaryFileName(name)) names.push_back(name);
    }
    return names;
}

FileWrite CanWriteInFolder(const std::string& folder) {
    const fs::path probe = NativePath(folder) / NativePath(TemporaryName("probe"));
    bool taken = false;
    const std::error_code error = CreateWriteAndSync(probe, {}, taken);
    std::error_code ec;
    fs::remove(probe, ec);
    return {error};
}

std::string DistinctFileNames::take(const std::string& base, const std::string& extension) {
    auto folded = [](std::string name) {
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return name;
    };
    std::string name = base + extension;
    for (int n = 2; std::find(taken_.begin(), taken_.end(), folded(name)) != taken_.end(); ++n)
        name = base + " (" + std::to_string(n) + ")" + extension;
    taken_.push_back(folded(name));
    return name;
}

bool RemoveFile(const std::string& path) {
    std::error_code ec;
    fs::remove(NativePath(path), ec);
    return !FileExists(path);
}

}  // namespace veltra
