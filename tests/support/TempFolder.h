// A temporary folder for one test, removed afterwards.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

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
    std::string str() const { return path_.string() + "/"; }

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

// Files no real input is, for the readers' refusals: a FIFO nobody writes to, and a sparse file
// of `size` bytes that takes no room on the disk.
inline std::string MakeFifo(const std::string& path) {
    ::mkfifo(path.c_str(), 0644);
    return path;
}
inline std::string MakeSparseFile(const std::string& path, long long size) {
    std::ofstream(path, std::ios::binary);
    ::truncate(path.c_str(), size);
    return path;
}

}  // namespace veltra::test
