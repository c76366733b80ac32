// The program's command line: options and the IO interface firmware file.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace veltra {

struct CommandLine {
    bool help = false;
    bool version = false;
    bool simulate = false;
    std::string simulateFolder;  // --simulate=DIR
    std::string traceFile;       // --trace=FILE
    std::string firmwareFile;    // the first argument that is not an option
    std::string error;           // not empty: the command line cannot be used
};

CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

std::string HelpText(const std::string& programName);

}  // namespace veltra
