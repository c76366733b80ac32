#include "loggers/LoggerTransfers.h"

#include <algorithm>

#include "face/DeviceJob.h"
#include "face/Messages.h"
#include "language/TextKeys.h"
#include "loggers/LoggerCsv.h"
#include "text/Files.h"

namespace veltra {

LoggerTransfers::LoggerTransfers(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                                 DeviceBusy& busy, std::string loggersFolder)
    : link_(link),
      prompts_(prompts),
      texts_(texts),
      busy_(busy),
      fetcher_(link, texts),
      files_(prompts, texts, std::move(loggersFolder)) {
    NumberFixedRows(records.modem);
    NumberFixedRows(records.down);
}

void LoggerTransfers::message(int code, const std::string& detail) {
    ShowMessageCode(prompts_, texts_, code, detail);
}

Ended LoggerTransfers::told(Failure failure, int code, const std::string& detail) {
    message(code, detail);
    return {failure, detail, code};
}

std::optional<LoggerList> LoggerTransfers::ChooserList(int index) {
    if (index == 1) return LoggerList::Tv;
    if (index == 0) return LoggerList::Modem;
    message(message::kUnknownLoggerList);
    return std::nullopt;
}

// A record or row that failed has been reported once by the fetch, and the operation reports
// the logger once more: two messages 33, as the instrument's software shows.
Ended LoggerTransfers::fetchFailed(Failure failure, int noInstrument) {
    switch (failure) {
        case Failure::Cancelled:
            return failure;
        case Failure::NoInstrument:
            return told(failure, noInstrument);
        case Failure::BadRecord:
            message(message::kLoggerNotReceived);
            break;
        default:
            break;
    }
    return told(failure, message::kLoggerNotReceived);
}

Ended LoggerTransfers::writeFailed(const Ended& written) {
    const Failure failure = written.failure();
    if (failure == Failure::BadRecord) return told(failure, message::kBadChannel);
    if (failure == Failure::FileUnwritable)
        return told(failure, message::kFileUnwritable, written.detail());
    return failure;
}

Outcome<LoggerKindShown> LoggerTransfers::fetch(const LoggerIndexRow& row, LoggerList list,
                                                int noInstrument) {
    const auto fetched = [&] {
        WaitCursor wait(prompts_);
        return fetcher_.FetchLogger(row, list, records);
    }();
    if (fetched) return fetched;
    return FailureOf<LoggerKindShown>(fetchFailed(fetched.failure(), noInstrument));
}

// ---------------------------------------------------------------------------------------------
// The tab

Ended LoggerTransfers::ReceiveLoggerList(LoggerList list) {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return job.refusal();
    if (!fetcher_.ReceiveLoggerIndex(list, indexTable_))
        return told(Failure::NoAnswer, message::kNoInstrument);
    index_.FillLoggerIndex(indexTable_, list);
    if (index_.LoggerCount() == 0) message(message::kNoLoggers);
    return Done{};
}

Outcome<LoggerKindShown> LoggerTransfers::FetchListedLogger(LoggerList list, std::size_t position) {
    const LoggerIndexRow* row = index_.row(position);
    if (!row) return Failure::NothingChosen;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return Failure::Busy;
    return fetch(*row, list, message::kNoInstrument);
}

std::vector<std::size_t> LoggerTransfers::everyPosition() const {
    std::vector<std::size_t> positions(index_.size());
    for (std::size_t k = 0; k < positions.size(); ++k)
        positions[k] = k;
    return positions;
}

Ended LoggerTransfers::save(LoggerList list, const std::vector<std::size_t>& positions,
                            LoggerWriteMode mode, FileDialogState* dialog) {
    DeviceBusy::Guard guard(busy_);
    if (!guard) return Failure::Busy;
    // Nothing listed (no instrument, an empty list): nothing is saved, and "saved" would be a
    // false success.
    const bool listed = std::any_of(positions.begin(), positions.end(),
                                    [this](std::size_t p) { return index_.row(p) != nullptr; });
    if (!listed) return told(Failure::NothingChosen, message::kNothingListed);
    bool chosen = dialog == nullptr;
    files_.forgetWritten();
    for (const std::size_t position : positions) {
        const LoggerIndexRow* listed = index_.row(position);
        if (!listed) continue;
        const LoggerIndexRow row = *listed;
        const auto kind = fetch(row, list, message::kNoInstrument);
        if (!kind) return FailureOf<Done>(kind);
        if (!chosen) {
            dialog->fileName = "MyLoggers";
            if (!prompts_.chooseSaveFile(*dialog)) return Failure::Cancelled;
            chosen = true;
        }
        // No "saved" box after a failed write or an existing file kept.
        const auto written = files_.WriteLogger(records, *kind, mode, dialog);
        if (!written) return writeFailed(written);
    }
    // Where they went: the Loggers folder is a hidden one under the home folder when installed.
    std::string saved = texts_.text(text::kSavedText);
    if (!files_.written().empty())
        saved += "\n" + texts_.text(text::kSavedIn) + " " +
                 Utf8Path(NativePath(files_.written().front()).parent_path());
    prompts_.showMessage(0, texts_.text(text::kSavedCaption), saved, MessageIcon::Information);
    return Done{};
}

Ended LoggerTransfers::SaveAllLoggers(LoggerList list) {
    return save(list, everyPosition(), LoggerWriteMode::SaveToLoggers, nullptr);
}

Ended LoggerTransfers::SaveLoggers(LoggerList list, const std::vector<std::size_t>& positions) {
    return save(list, positions, LoggerWriteMode::SaveToLoggers, nullptr);
}

Ended LoggerTransfers::SaveAllLoggersAs(LoggerList list, FileDialogState& dialog) {
    return save(list, everyPosition(), LoggerWriteMode::SaveAllAs, &dialog);
}

Ended LoggerTransfers::ExportMarkedCsv(LoggerList list, FileDialogState& dialog) {
    std::vector<std::size_t> marked;
    for (std::size_t k = 0; k < index_.size(); ++k) {
        if (index_.rows()[k].marked) marked.push_back(k);
    }
    if (marked.empty()) return told(Failure::NothingChosen, message::kNothingMarked);
    return save(list, marked, LoggerWriteMode::CsvAllAs, &dialog);
}

Ended LoggerTransfers::openFailed(Failure failure, const std::string& detail) {
    switch (failure) {
        case Failure::Cancelled:
            return failure;
        case Failure::WrongFileKind:
            return told(failure, message::kWrongExtension);
        case Failure::FileUnreadable:
            return told(failure, message::kFileUnreadable, detail);
        default:
            // A file of the computer's: the instrument has nothing to do with it.
            return told(failure, message::kLoggerFileDamaged, detail);
    }
}

Outcome<LoggerKindShown> LoggerTransfers::OpenLoggerFile(FileDialogState& dialog) {
    const auto opened = [&] {
        WaitCursor wait(prompts_);
        return files_.OpenLogger(dialog, records);
    }();
    if (opened) return opened;
    return FailureOf<LoggerKindShown>(openFailed(opened.failure(), opened.detail()));
}

std::optional<TvLogger> LoggerTransfers::OpenTvForComparison(FileDialogState& dialog) {
    LoggerRecords other;
    const auto opened = [&] {
        WaitCursor wait(prompts_);
        return files_.OpenLogger(dialog, other);
    }();
    if (!opened) {
        openFailed(opened.failure(), opened.detail());
        return std::nullopt;
    }
    if (*opened != kShowTv) {
        message(message::kWrongExtension);
        return std::nullopt;
    }
    return other.tv;
}

Ended LoggerTransfers::SaveRecordAs(LoggerKindShown kind, FileDialogState& dialog) {
    const auto written = files_.WriteLogger(records, kind, LoggerWriteMode::SaveAs, &dialog);
    return written ? written : writeFailed(written);
}

Ended LoggerTransfers::ExportRecordCsv(LoggerKindShown kind, FileDialogState& dialog) {
    const auto written = files_.WriteLogger(records, kind, LoggerWriteMode::CsvAs, &dialog);
    return written ? written : writeFailed(written);
}

// ---------------------------------------------------------------------------------------------
// Printing

Ended LoggerTransfers::printRecord(LoggerKindShown kind, TextPrinter& printer) {
    printer.SetPrintTitle(kind == kShowTv     ? records.tv.name
                          : kind == kShowDown ? records.down.name
                                              : records.modem.name);
    const auto written = files_.WriteLogger(records, kind, LoggerWriteMode::PrintFile);
    if (!written) {
        writeFailed(written);
        return told(written.failure(), message::kLoggerNotReceived);
    }
    if (PrintTextFile(files_.printFilePath(), printer) == 0)
        return told(Failure::NotPrinted, message::kPrintFailed);
    return Done{};
}

Ended LoggerTransfers::PrintRecord(LoggerKindShown kind, TextPrinter& printer) {
    if (!printer.choosePrinter()) return Failure::Cancelled;
    return printRecord(kind, printer);
}

Ended LoggerTransfers::PrintMarkedLoggers(LoggerList list, TextPrinter& printer) {
    DeviceBusy::Guard guard(busy_);
    if (!guard) return Failure::Busy;
    std::optional<PrintBatch> batch;
    for (const LoggerIndexRow& row : index_.rows()) {
        if (!row.marked) continue;
        if (!batch) {
            // One dialog for all marked loggers.
            if (!printer.choosePrinter()) return Failure::Cancelled;
            batch.emplace(printer);
        }
        // Printing says 33 for a missing instrument too: the fetch failed.
        const auto kind = fetch(row, list, message::kLoggerNotReceived);
        if (!kind) return FailureOf<Done>(kind);
        if (const Ended printed = printRecord(*kind, printer); !printed) return printed;
    }
    if (!batch) return told(Failure::NothingChosen, message::kNothingMarked);
    return Done{};
}

}  // namespace veltra
