// Loggers as the simulated instrument holds them, for tests: a TV logger of `records` digital
// channels 8 MHz apart, a modem logger and a downstream logger with every row.
#pragma once

#include <string>

#include "sim/Simulator.h"

namespace veltra::test {

inline sim::SimLogger TvLogger(const std::string& name, int records) {
    sim::SimLogger logger{
        name, "09:05:03", "07/03/2014", 0, "H&CABLE&" + std::to_string(records) + "&1&8100000&-3",
        {},   {}};
    for (int k = 0; k < records; ++k)
        logger.records.push_back("1&D" + std::to_string(k) + "&" +
                                 std::to_string(602000000 + 8000000 * k) +
                                 "&0&8000000&0&4&6952&63.2&38.8&1.0E-8");
    return logger;
}

inline sim::SimLogger ModemLogger(const std::string& name) {
    sim::SimLogger logger{name, "10:20:11", "04/12/2026", 0, "", {}, {}};
    for (int d = 0; d < 8; ++d)
        logger.rows[d] = "0&D" + std::to_string(d) + "&P&602.00&61.1&36.4&256";
    for (int u = 10; u <= 13; ++u)
        logger.rows[u] = "0&1&35.60&102.5&0&6.40&5120&64QAM";
    return logger;
}

inline sim::SimLogger DownLogger(const std::string& name) {
    sim::SimLogger logger{name, "10:24:56", "04/12/2026", 1, "", {}, {}};
    logger.rows[8] = "1&D2LONG&DOCSIS&610.00&DVB-C&EURO 3.0&256&6952";
    logger.rows[9] = "1&61.2&37.5&12&17&-0.02&2.1E-6&<1.0E-8";
    for (int d = 0; d < 8; ++d)
        logger.rows[d] = "1&D" + std::to_string(d) + "&P&602.00&x&60.8";
    return logger;
}

}  // namespace veltra::test
