// The command line's own parsing: the input's pieces between 0x00 bytes are its arguments, run
// in a scratch folder on the built-in simulated instrument. Arguments cannot name a place
// outside the folder ("/" and ".." are taken out). Every run ends with one of the exit statuses.
#include <sstream>

#include "FuzzTarget.h"
#include "cli/Cli.h"
#include "sim/SimState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace veltra;
    static const fuzz::ScratchFolder scratch("cli");
    const auto& folder = scratch.fresh();
    std::vector<std::string> arguments;
    for (std::string argument : fuzz::Pieces(fuzz::Text(data, size))) {
        for (char& c : argument) {
            if (c == '/' || c == '\\') c = '_';
        }
        for (std::size_t dots; (dots = argument.find("..")) != std::string::npos;)
            argument.replace(dots, 2, "_");
        arguments.push_back(argument);
    }
    if (arguments.size() > 16) arguments.resize(16);
    std::error_code ec;
    const auto previous = std::filesystem::current_path(ec);
    std::filesystem::current_path(folder, ec);
    const auto instrument = sim::MakeDemoInstrument();
    std::ostringstream output, errors;
    std::istringstream input;
    cli::CliSystem system(output, errors, input);
    system.programFolder = (folder / "program/").string();
    system.dataFolder = (folder / "data/").string();
    system.backend = instrument.get();
    system.wait = [](int) {};
    const int status = cli::RunCli(arguments, system);
    std::filesystem::current_path(previous, ec);
    fuzz::Require(status >= cli::kDone && status <= cli::kNoInstrument);
    return 0;
}
