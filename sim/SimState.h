// Builds a simulated instrument: the built-in demo, or one whose state is read from a folder.
#pragma once

#include <memory>
#include <string>

#include "sim/Simulator.h"

namespace veltra::sim {

// The built-in demo instrument.
std::unique_ptr<Simulator> MakeDemoInstrument();

// Reads the state files of `folder` (missing files: the demo's state) and logs every report to
// folder/traffic.log. `error` names what could not be read.
std::unique_ptr<Simulator> LoadInstrument(const std::string& folder, std::string& error);

}  // namespace veltra::sim
