#include "sim/SimState.h"

#include <filesystem>
#include <fstream>

namespace veltra::sim {

namespace {

std::string Trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    return text.substr(start);
}

// instrument.txt: "key = value" lines; "#" starts a comment line.
bool ReadIdentity(const std::string& path, Identity& identity, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return true;  // missing: the demo's identity
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string trimmed = Trimmed(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            error = path + ":" + std::to_string(number) + ": expected key = value";
            return false;
        }
        const std::string key = Trimmed(line.substr(0, equals));
        // Values keep their blanks: the instrument version starts with one.
        std::string value = line.substr(equals + 1);
        if (!value.empty() && value.front() == ' ') value.erase(0, 1);
        if (!value.empty() && value.back() == '\r') value.pop_back();
        if (key == "product") {
            identity.product = value;
        } else if (key == "serial") {
            identity.serial = value;
        } else if (key == "io_version") {
            identity.ioVersion = value;
        } else if (key == "instrument_version") {
            identity.vtVersion = value;
        } else {
            error = path + ":" + std::to_string(number) + ": unknown key " + key;
            return false;
        }
    }
    return true;
}

}  // namespace

std::unique_ptr<Simulator> MakeDemoInstrument() { return std::make_unique<Simulator>(); }

std::unique_ptr<Simulator> LoadInstrument(const std::string& folder, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        error = "no such folder: " + folder;
        return nullptr;
    }
    Identity identity;
    if (!ReadIdentity(folder + "/instrument.txt", identity, error)) return nullptr;
    auto simulator = std::make_unique<Simulator>(identity);
    if (!simulator->setTrafficLog(folder + "/traffic.log")) {
        error = "cannot write " + folder + "/traffic.log";
        return nullptr;
    }
    return simulator;
}

}  // namespace veltra::sim
