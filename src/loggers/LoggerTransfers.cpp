#include "loggers/LoggerTransfers.h"

#include "face/DeviceJob.h"
#include "face/Messages.h"
#include "loggers/LoggerCsv.h"

namespace veltra {

namespace {

constexpr int kSavedCaption = 151;
constexpr int kSavedText = 152;

}  // namespace

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

std::optional<bool> LoggerTransfers::tvFlag(int listIndex) {
    if (listIndex == 1) return true;
    if (listIndex == 0) return false;
    message(message::kUnknownLoggerList);
    return std::nullopt;
}

// A record or row that failed has been reported once by the fetch or the reader, and the
// operation reports the logger once more: two messages 33, as the instrument's software shows.
void LoggerTransfers::fetchFailed(Failure failure, int noInstrument, const std::string& detail) {
    switch (failure) {
        case Failure::Cancelled:
            return;
        case Failure::NoInstrument:
            message(noInstrument);
            return;
        case Failure::WrongFileKind:
            message(message::kWrongExtension);
            return;
        case Failure::FileUnreadable:
            message(message::kFileUnreadable, detail);
            break;
        case Failure::BadRecord:
            message(message::kLoggerNotReceived);
            break;
        default:
            break;
    }
    message(message::kLoggerNotReceived);
}

void LoggerTransfers::writeFailed(Failure failure) {
    if (failure == Failure::BadRecord) message(message::kBadChannel);
    if (failure == Failure::FileUnwritable) message(message::kFileUnwritable);
}

bool LoggerTransfers::fetch(const LoggerIndexRow& row, bool tv, LoggerKindShown& kind,
                            int noInstrument) {
    const auto fetched = [&] {
        WaitCursor wait(prompts_);
        return fetcher_.FetchLogger(row, tv, records);
    }();
    if (!fetched) {
        fetchFailed(fetched.failure(), noInstrument);
        return false;
    }
    kind = *fetched;
    return true;
}

// ---------------------------------------------------------------------------------------------
// The tab

bool LoggerTransfers::ReceiveLogButClick(int listIndex) {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return false;
    const int list = listIndex == 1 ? kTvList : kModemList;
    const auto entries = fetcher_.ReceiveLoggerIndex(list);
    if (!entries) {
        message(message::kNoInstrument);
        return false;
    }
    index_.fill(*entries, list);
    if (index_.size() == 0) {
        message(message::kNoLoggers);
        return false;
    }
    return true;
}

LoggerKindShown LoggerTransfers::LoggerIndexDblClick(int listIndex, std::size_t position) {
    const LoggerIndexRow* row = index_.row(position);
    if (!row) return kShowNothing;
    const auto tv = tvFlag(listIndex);
    if (!tv) return kShowNothing;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return kShowNothing;
    LoggerKindShown kind = kShowNothing;
    fetch(*row, *tv, kind, message::kNoInstrument);
    return kind;
}

std::vector<std::size_t> LoggerTransfers::everyPosition() const {
    std::vector<std::size_t> positions(index_.size());
    for (std::size_t k = 0; k < positions.size(); ++k)
        positions[k] = k;
    return positions;
}

void LoggerTransfers::save(int listIndex, const std::vector<std::size_t>& positions, int mode,
                           FileDialogState* dialog) {
    const auto tv = tvFlag(listIndex);
    if (!tv) return;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return;
    bool chosen = dialog == nullptr;
    for (const std::size_t position : positions) {
        const LoggerIndexRow* listed = index_.row(position);
        if (!listed) continue;
        const LoggerIndexRow row = *listed;
        LoggerKindShown kind = kShowNothing;
        if (!fetch(row, *tv, kind, message::kNoInstrument)) return;
        if (!chosen) {
            dialog->fileName = "MyLoggers";
            if (!prompts_.chooseSaveFile(*dialog)) return;
            chosen = true;
        }
        // No "saved" box after a failed write or an existing file kept.
        const auto written = files_.write(records, kind, mode, dialog);
        if (!written) return writeFailed(written.failure());
    }
    prompts_.showMessage(0, texts_.text(kSavedCaption), texts_.text(kSavedText),
                         MessageIcon::Information);
}

void LoggerTransfers::SaveLogButClick(int listIndex) {
    save(listIndex, everyPosition(), kSaveToLoggers, nullptr);
}

void LoggerTransfers::SaveLoggers(int listIndex, const std::vector<std::size_t>& positions) {
    save(listIndex, positions, kSaveToLoggers, nullptr);
}

void LoggerTransfers::SaveLogAsButClick(int listIndex, FileDialogState& saveAllDialog) {
    save(listIndex, everyPosition(), kSaveAllAs, &saveAllDialog);
}

void LoggerTransfers::ExportMarkedCsv(int listIndex, FileDialogState& dialog) {
    std::vector<std::size_t> marked;
    for (std::size_t k = 0; k < index_.size(); ++k) {
        if (index_.rows()[k].marked) marked.push_back(k);
    }
    if (marked.empty()) return message(message::kNothingMarked);
    save(listIndex, marked, kCsvAllAs, &dialog);
}

LoggerKindShown LoggerTransfers::OpenLogButClick(FileDialogState& openDialog) {
    const auto opened = [&] {
        WaitCursor wait(prompts_);
        return files_.OpenLogger(openDialog, records);
    }();
    if (opened) return *opened;
    fetchFailed(opened.failure(), message::kLoggerNotReceived, opened.detail());
    return kShowNothing;
}

std::optional<TvLogger> LoggerTransfers::OpenTvForComparison(FileDialogState& dialog) {
    LoggerRecords other;
    const auto opened = [&] {
        WaitCursor wait(prompts_);
        return files_.OpenLogger(dialog, other);
    }();
    if (!opened) {
        fetchFailed(opened.failure(), message::kLoggerNotReceived, opened.detail());
        return std::nullopt;
    }
    if (*opened != kShowTv) {
        message(message::kWrongExtension);
        return std::nullopt;
    }
    return other.tv;
}

void LoggerTransfers::SaveRecordAs(int kind, FileDialogState& dialog) {
    const auto written = files_.write(records, kind, kSaveAs, &dialog);
    if (!written) writeFailed(written.failure());
}

void LoggerTransfers::ExportRecordCsv(int kind, FileDialogState& dialog) {
    const auto written = files_.write(records, kind, kCsvAs, &dialog);
    if (!written) writeFailed(written.failure());
}

// ---------------------------------------------------------------------------------------------
// Printing

bool LoggerTransfers::printRecord(int kind, TextPrinter& printer) {
    printer.SetPrintTitle(kind == kShowTv     ? records.tv.name
                          : kind == kShowDown ? records.down.name
                                              : records.modem.name);
    const auto written = files_.write(records, kind, kPrintFile);
    if (!written) {
        writeFailed(written.failure());
        message(message::kLoggerNotReceived);
        return false;
    }
    if (PrintTextFile(files_.printFilePath(), printer) == 0) {
        message(message::kPrintFailed);
        return false;
    }
    return true;
}

void LoggerTransfers::ImprimirRegistreClick(int kind, TextPrinter& printer) {
    if (printer.choosePrinter()) printRecord(kind, printer);
}

void LoggerTransfers::PrintSelButClick(int listIndex, TextPrinter& printer) {
    const auto tv = tvFlag(listIndex);
    if (!tv) return;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return;
    std::optional<PrintBatch> batch;
    for (const LoggerIndexRow& row : index_.rows()) {
        if (!row.marked) continue;
        if (!batch) {
            if (!printer.choosePrinter()) return;  // one dialog for all marked loggers
            batch.emplace(printer);
        }
        // Printing says 33 for a missing instrument too: the fetch failed.
        LoggerKindShown kind = kShowNothing;
        if (!fetch(row, *tv, kind, message::kLoggerNotReceived)) return;
        if (!printRecord(kind, printer)) return;
    }
    if (!batch) message(message::kNothingMarked);
}

}  // namespace veltra
