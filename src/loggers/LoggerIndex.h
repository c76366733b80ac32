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
    // The present loggers of `list` in `table`, in increasing number, none marked.
    void FillLoggerIndex(const LoggerIndexTable& table, LoggerList list);
    void clear() { rows_.clear(); }

    const std::vector<LoggerIndexRow>& rows() const { return rows_; }
    std::size_t size() const { return rows_.size(); }
    std::size_t LoggerCount() const { return rows_.size(); }
    // The logger number the row at `position` shows; -1 for a row without a logger.
    int LoggerRowMap(std::size_t position) const {
        return position < rows_.size() ? rows_[position].number : -1;
    }
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
