#include "sim/StartInstrument.h"

#include "link/HidapiBackend.h"
#include "sim/SimState.h"

namespace veltra {

Outcome<StartedInstrument> StartInstrument(const InstrumentOptions& options, HidBackend* given) {
    StartedInstrument started;
    if (given) {
        started.backend_ = given;
    } else if (options.simulate) {
        std::string error;
        std::unique_ptr<sim::Simulator> instrument =
            options.simulateFolder.empty() ? sim::MakeDemoInstrument()
                                           : sim::LoadInstrument(options.simulateFolder, error);
        if (!instrument) return {Failure::FileUnreadable, error};
        started.simulator_ = instrument.get();
        started.own_ = std::move(instrument);
        started.backend_ = started.own_.get();
    } else {
        started.own_ = std::make_unique<HidapiBackend>();
        started.backend_ = started.own_.get();
    }
    if (!options.traceFile.empty()) {
        started.trace_ = std::make_unique<TracingBackend>(*started.backend_, options.traceFile);
        if (!started.trace_->isOpen())
            return {Failure::FileUnwritable, "cannot write " + options.traceFile};
    }
    return Outcome<StartedInstrument>(std::move(started));
}

}  // namespace veltra
