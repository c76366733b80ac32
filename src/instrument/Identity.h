// Who the connected instrument is: the identity the connection panel shows and the updates and
// the clock work with. Plain C++.
#pragma once

#include <optional>
#include <string>

#include "face/DeviceBusy.h"
#include "link/Link.h"

namespace veltra {

struct InstrumentIdentity {
    std::string model;              // the IO interface's product string
    std::string serial;             // "*?NS"
    std::string ioVersion;          // report code 20
    std::string instrumentVersion;  // "*?VE", after the model name
    bool simulated = false;         // the built-in or a folder's simulated instrument
};

// Searches the IO interface and asks the instrument who it is; empty when none is found. An
// answer that does not come leaves its text empty.
std::optional<InstrumentIdentity> Identify(Link& link);

// Whether the IO interface is there now: a fresh search, unless a running operation owns the
// device handle (then whether that handle is open).
bool IsConnectedNow(Link& link, const DeviceBusy& busy);

}  // namespace veltra
