#include "instrument/Identity.h"

namespace veltra {

std::optional<InstrumentIdentity> Identify(Link& link) {
    if (!link.FindIOInterface()) return std::nullopt;
    InstrumentIdentity identity;
    identity.model = link.modelName();
    identity.serial = link.GetSerial();
    identity.ioVersion = link.GetIOVersion();
    identity.instrumentVersion = link.GetVTVersion();
    identity.simulated = link.simulated();
    return identity;
}

bool IsConnectedNow(Link& link, const DeviceBusy& busy) {
    return busy.busy() ? link.isOpen() : link.FindIOInterface();
}

}  // namespace veltra
