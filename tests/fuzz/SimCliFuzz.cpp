// A simulated instrument's state folder (instrument.txt, a plan, faults.txt, a TV logger, each
// after a 0x00 byte), then one command of the command line on it, picked by the first byte.
// Whatever the folder holds, the command ends with one of its exit statuses, and the folder
// still loads.
#include <sstream>

#include "FuzzTarget.h"
#include "cli/Cli.h"
#include "sim/SimState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    if (size == 0) return 0;
    static const fuzz::ScratchFolder scratch("sim-cli");
    const auto& folder = scratch.fresh();
    const std::string state = (folder / "state").string();
    scratch.write("state/plans/.keep", "");
    const auto pieces = fuzz::Pieces(fuzz::Text(data + 1, size - 1));
    const char* const files[] = {"state/instrument.txt", "state/plans/plan0.c52",
                                 "state/faults.txt", "state/loggers/tv-00.logtv"};
    for (std::size_t k = 0; k < pieces.size() && k < std::size(files); ++k)
        scratch.write(files[k], pieces[k]);
    scratch.write("push.c52", pieces.size() > 4 ? pieces[4] : "P\r\n0");
    const std::string out = (folder / "out").string();
    const std::vector<std::vector<std::string>> commands = {
        {"info"},
        {"plans", "list"},
        {"plans", "pull", out},
        {"plans", "push", (folder / "push.c52").string()},
        {"--yes", "plans", "delete", "DVB-C"},
        {"--yes", "plans", "erase-all"},
        {"loggers", "list"},
        {"loggers", "pull", "--all", out},
        {"loggers", "list", "modem", "--json"},
        {"clock", "set", "--time", "12:00:00/01-01-2026"},
        {"send", "*?NS"},
    };
    std::vector<std::string> arguments = commands[data[0] % commands.size()];
    arguments.insert(arguments.begin(), "--simulate=" + state);
    std::ostringstream output, errors;
    std::istringstream input;
    cli::CliSystem system(output, errors, input);
    system.programFolder = (folder / "program/").string();
    system.dataFolder = (folder / "data/").string();
    system.wait = [](int) {};
    const int status = cli::RunCli(arguments, system);
    fuzz::Require(status >= cli::kDone && status <= cli::kNoInstrument);
    return 0;
}
