#include "shell/CommandLine.h"

namespace veltra {

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (const std::string& arg : arguments) {
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
            line.help = true;
        } else if (!optionsEnded && arg == "--version") {
            line.version = true;
        } else if (!optionsEnded && arg == "--simulate") {
            line.simulate = true;
        } else if (!optionsEnded && arg.rfind("--simulate=", 0) == 0) {
            line.simulate = true;
            line.simulateFolder = arg.substr(11);
            if (line.simulateFolder.empty()) line.error = "--simulate= needs a folder";
        } else if (!optionsEnded && arg.rfind("--trace=", 0) == 0) {
            line.traceFile = arg.substr(8);
            if (line.traceFile.empty()) line.error = "--trace= needs a file";
        } else if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
            // Options of the window system (-platform, -style...) are taken by Qt before us.
            line.error = "unknown option " + arg;
        } else if (line.firmwareFile.empty()) {
            line.firmwareFile = arg;
        }
    }
    return line;
}

std::string HelpText(const std::string& programName) {
    return "Usage: " + programName +
           " [options] [firmware.hex]\n"
           "\n"
           "Companion program of the VELTRA-52 cable TV and DOCSIS 3.0 analyser.\n"
           "\n"
           "  firmware.hex     update the IO interface with this Intel HEX file at start,\n"
           "                   without asking for a file\n"
           "  --simulate       run on the built-in simulated instrument instead of USB\n"
           "  --simulate=DIR   run on a simulated instrument whose state is read from DIR;\n"
           "                   every report is logged to DIR/traffic.log\n"
           "  --trace=FILE     write every report sent to or read from the instrument to\n"
           "                   FILE, each line after the milliseconds since the start\n"
           "  --version        print the program version and exit\n"
           "  --help           print this help and exit\n"
#ifndef _WIN32
           "\n"
           "While the simulated instrument runs, 'kill -USR1 <pid>' unplugs it or plugs it\n"
           "in again.\n"
#endif
        ;
}

}  // namespace veltra
