// veltra52-cli: what the windows do with an instrument, as commands for a terminal and for
// scripts. The commands call the same operations as the windows, through the terminal's side of
// their contracts. Plain C++, no Qt.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "link/HidBackend.h"

namespace veltra::cli {

// 4: 'loggers check' judged every logger and a channel or a figure failed.
enum ExitStatus { kDone = 0, kFailed = 1, kUsage = 2, kNoInstrument = 3, kCheckFailed = 4 };

// What the command line meets outside itself.
struct CliSystem {
    CliSystem(std::ostream& out, std::ostream& err, std::istream& in)
        : out(out), err(err), in(in) {}

    std::ostream& out;
    std::ostream& err;
    std::istream& in;
    bool inputIsTerminal = false;  // a question can be put to a person
    bool errorIsTerminal = false;  // the progress bar is drawn
    std::string programFolder;     // Languages/ and Version/ beside the program
    std::string dataFolder;        // config.txt, the local plan copies, Loggers/
    // The instrument for tests; null: the one --simulate names, or USB.
    HidBackend* backend = nullptr;
    // How the firmware updates wait (milliseconds); null: the thread sleeps.
    std::function<void(int)> wait;
};

// Runs one command line (without the program name); the exit status.
int RunCli(const std::vector<std::string>& arguments, CliSystem& system);

}  // namespace veltra::cli
