// The Loggers tab's index as a model: the loggers of the list last received, in the order the
// tab shows them, and which of them the person marked. Plain C++; the tab draws it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "loggers/LoggerRecords.h"

namespace veltra {

struct LoggerIndexRow {
    int number = 0;  // the logger's number on the instrument
    std::string name, time, date;
    bool marked = false;
};

class LoggerIndex {
  public:
    // The present loggers of `entries` (the whole list `list`), none marked.
    void fill(const std::array<LoggerIndexEntry, kMaxLoggers>& entries, int list);
    void clear() { rows_.clear(); }

    const std::vector<LoggerIndexRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    // The row at `position` (0 is the first logger shown); none past the end.
    const LoggerIndexRow* row(std::size_t position) const {
        return position < rows_.size() ? &rows_[position] : nullptr;
    }

    void toggleMark(std::size_t position);
    // The mark column's header: with any logger marked, every mark goes; with none, all are set.
    void toggleAllMarks();

  private:
    std::vector<LoggerIndexRow> rows_;
};

}  // namespace veltra
