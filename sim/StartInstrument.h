// The instrument a face starts on, as its options name it: USB, the built-in simulated
// instrument or one kept in a folder, with every report traced to a file when asked. The
// windows and the command line start the same way and each says a failure its own way.
#pragma once

#include <memory>
#include <string>

#include "link/HidBackend.h"
#include "link/TracingBackend.h"
#include "sim/Simulator.h"
#include "text/Outcome.h"

namespace veltra {

struct InstrumentOptions {
    bool simulate = false;
    std::string simulateFolder;  // empty: the built-in demo
    std::string traceFile;       // empty: no trace
};

class StartedInstrument {
  public:
    // What the link talks to: the chosen backend, through the trace when there is one.
    HidBackend& device() { return trace_ ? *trace_ : *backend_; }
    // The simulated instrument, when one was chosen.
    sim::Simulator* simulator() const { return simulator_; }
    // The trace, when one was asked for.
    const TracingBackend* trace() const { return trace_.get(); }

  private:
    friend Outcome<StartedInstrument> StartInstrument(const InstrumentOptions&, HidBackend*);
    std::unique_ptr<HidBackend> own_;
    HidBackend* backend_ = nullptr;
    sim::Simulator* simulator_ = nullptr;
    std::unique_ptr<TracingBackend> trace_;
};

// `given`: a backend the caller already holds (the tests'), taken instead of the options' one.
// Failures, with a detail to show after the program's name: FileUnreadable (the simulated
// instrument's folder), FileUnwritable (the trace file).
Outcome<StartedInstrument> StartInstrument(const InstrumentOptions& options,
                                           HidBackend* given = nullptr);

}  // namespace veltra
