// A temporary folder for one test, removed afterwards.
#pragma once

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace veltra::test {

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("veltra52-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder with the system's separator after it, as the paths the program makes.
    std::string str() const {
        return path_.string() + static_cast<char>(std::filesystem::path::preferred_separator);
    }

    std::string write(const std::string& relative, const std::string& bytes) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file.string();
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool exists(const std::string& relative) const {
        return std::filesystem::exists(path_ / relative);
    }

  private:
    std::filesystem::path path_;
};

// Files no real input is, for the readers' refusals: a FIFO nobody writes to (empty where the
// system has none: Windows), a sparse file of `size` bytes that takes no room on the disk, and
// the system's null device.
inline std::string MakeFifo(const std::string& path) {
#ifdef _WIN32
    (void)path;
    return {};
#else
    ::mkfifo(path.c_str(), 0644);
    return path;
#endif
}
inline std::string MakeSparseFile(const std::string& path, long long size) {
    std::ofstream(path, std::ios::binary);
    std::error_code ec;
    std::filesystem::resize_file(path, static_cast<std::uintmax_t>(size), ec);
    return path;
}
#ifdef _WIN32
inline const std::string kNullDevice = "NUL";
#else
inline const std::string kNullDevice = "/dev/null";
#endif

}  // namespace veltra::test
