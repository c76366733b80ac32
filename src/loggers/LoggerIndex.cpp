#include "loggers/LoggerIndex.h"

#include <algorithm>

namespace veltra {

void LoggerIndex::FillLoggerIndex(const LoggerIndexTable& table, LoggerList list) {
    const LoggerIndexTable::Entries& entries = table[list];
    rows_.clear();
    for (int n = 0; n < LoggersInList(list); ++n) {
        const LoggerIndexEntry& entry = entries[static_cast<std::size_t>(n)];
        if (entry.present) rows_.push_back({n, entry.name, entry.time, entry.date, false});
    }
}

void LoggerIndex::toggleMark(std::size_t position) {
    if (position < rows_.size()) rows_[position].marked = !rows_[position].marked;
}

void LoggerIndex::toggleAllMarks() {
    const bool any =
        std::any_of(rows_.begin(), rows_.end(), [](const LoggerIndexRow& r) { return r.marked; });
    for (LoggerIndexRow& r : rows_)
        r.marked = !any;
}

}  // namespace veltra
