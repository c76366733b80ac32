// Builds a simulated instrument: the built-in demo, or one whose state is read from a folder.
#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "sim/Simulator.h"

namespace veltra::sim {

// The built-in demo instrument.
std::unique_ptr<Simulator> MakeDemoInstrument();

// Reads the state files of `folder` (missing files: the demo's state) and logs every report to
// folder/traffic.log. `error` names what could not be read.
// One program at a time uses a folder: while another holds it, waits up to `patience` for it,
// then says it is in use.
std::unique_ptr<Simulator> LoadInstrument(
    const std::string& folder, std::string& error,
    std::chrono::milliseconds patience = std::chrono::milliseconds(2000));

}  // namespace veltra::sim
