// veltra52-cli: the command line's start. Where the program and its data live, whether a person
// is at a terminal; the rest is RunCli.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/Cli.h"
#include "language/Language.h"

namespace {

// The folder of the program file, symbolic links followed (an installed link on the PATH
// leads to the program folder with the language files).
std::string ProgramFolder(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0, ec);
    return self.parent_path().string();
}

// The user's data folder of the program, as the windows choose it.
std::string UserDataFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::string(xdg) + "/veltra52";
    if (const char* home = std::getenv("HOME"); home && *home)
        return std::string(home) + "/.local/share/veltra52";
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    veltra::cli::CliSystem system{std::cout, std::cerr, std::cin};
    system.inputIsTerminal = ::isatty(STDIN_FILENO) == 1;
    system.errorIsTerminal = ::isatty(STDERR_FILENO) == 1;
    system.programFolder = ProgramFolder(argv[0]);
    system.dataFolder = veltra::ChooseDataFolder(
        system.programFolder, ::access(system.programFolder.c_str(), W_OK) == 0, UserDataFolder());
    std::error_code ec;
    std::filesystem::create_directories(system.dataFolder, ec);
    system.programFolder += '/';
    const int status = veltra::cli::RunCli({argv + 1, argv + argc}, system);
    std::cout.flush();
    return status;
}
