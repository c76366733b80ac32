// veltra52-cli: the command line's start. Where the program and its data live, whether a person
// is at a terminal, the arguments as UTF-8; the rest is RunCli.
#ifdef _WIN32
// windows.h first: the other system headers build on it.
#include <windows.h>

#include <io.h>
#include <shellapi.h>
#else
#include <unistd.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "cli/Cli.h"
#include "language/Language.h"
#include "text/Files.h"

namespace {

#ifdef _WIN32

std::string Utf8(const wchar_t* wide) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return {};
    std::string text(static_cast<std::size_t>(size - 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    return text;
}

// The program file's folder: the first argument is not a path when started through the PATH.
std::string ProgramFolder(const char*) {
    std::wstring path(32768, L'\0');
    const DWORD length =
        ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return veltra::Utf8Path(std::filesystem::path(path).parent_path());
}

// %APPDATA%\veltra52, where the windows' settings live too.
std::string UserDataFolder() {
    const wchar_t* appData = ::_wgetenv(L"APPDATA");
    return appData && *appData ? Utf8(appData) + "\\veltra52" : std::string();
}

// The arguments as UTF-8: the narrow ones come in the ANSI code page.
std::vector<std::string> Arguments(int, char**) {
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int k = 1; wide && k < count; ++k)
        arguments.push_back(Utf8(wide[k]));
    ::LocalFree(wide);
    return arguments;
}

bool IsTerminal(FILE* stream) {
    return ::_isatty(::_fileno(stream)) != 0;
}

// UTF-8 texts and the progress line's escape sequences shown as such.
void PrepareConsole() {
    ::SetConsoleOutputCP(CP_UTF8);
    for (DWORD handle : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        HANDLE console = ::GetStdHandle(handle);
        DWORD mode = 0;
        if (::GetConsoleMode(console, &mode))
            ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
}

#else

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

std::vector<std::string> Arguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

bool IsTerminal(FILE* stream) {
    return ::isatty(::fileno(stream)) == 1;
}

void PrepareConsole() {}

#endif

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    PrepareConsole();
    veltra::cli::CliSystem system{std::cout, std::cerr, std::cin};
    system.inputIsTerminal = IsTerminal(stdin);
    system.errorIsTerminal = IsTerminal(stderr);
    system.programFolder = ProgramFolder(argv[0]);
    system.dataFolder = veltra::ChooseDataFolder(
        system.programFolder, static_cast<bool>(veltra::CanWriteInFolder(system.programFolder)),
        UserDataFolder());
    veltra::MakeFolders(system.dataFolder);
    system.programFolder += '/';
    const int status = veltra::cli::RunCli(Arguments(argc, argv), system);
    std::cout.flush();
    return status;
}
