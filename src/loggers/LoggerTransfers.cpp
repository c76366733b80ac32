#include "loggers/LoggerTransfers.h"

#include <filesystem>
#include <optional>

#include "face/DeviceJob.h"
#include "face/Messages.h"
#include "face/TextKeys.h"
#include "link/Commands.h"

namespace veltra {

namespace {

constexpr int kAskOverwriteLogger = 30;
constexpr int kSavedCaption = 151;
constexpr int kSavedText = 152;
constexpr int kFirstNoiseModeText = 141;

// True when a fetch loaded a logger of the chosen list's kind.
bool FetchedFromList(bool tv, int result) {
    return tv ? result == kShowTv : (result == kShowDown || result == kShowModem);
}

}  // namespace

LoggerTransfers::LoggerTransfers(Link& link, UserPrompts& prompts, const LanguageTable& texts,
                                 TextGrid& index, DeviceBusy& busy, std::string loggersFolder)
    : link_(link),
      prompts_(prompts),
      texts_(texts),
      index_(index),
      busy_(busy),
      loggersFolder_(std::move(loggersFolder)) {
    if (!loggersFolder_.empty() && loggersFolder_.back() != '/') loggersFolder_.push_back('/');
    LoggerRowMap.fill(-1);
    NumberFixedRows(records.modem);
    NumberFixedRows(records.down);
}

void LoggerTransfers::message(int code) {
    ShowMessageCode(prompts_, texts_, code);
}

std::optional<std::string> LoggerTransfers::query(const std::string& command) {
    return link_.QueryValue(command);
}

// ---------------------------------------------------------------------------------------------
// Receiving the index

std::optional<std::array<bool, kMaxLoggers>> LoggerTransfers::GetLoggerList(int list) {
    const auto value = query(command::LoggerPresence(list == kTvList));
    // Every bitmap character must be there: a short value is a garbled answer.
    if (!value || value->size() < static_cast<std::size_t>(list == kTvList ? 9 : 5))
        return std::nullopt;
    return ParsePresence(*value, list);
}

std::optional<LoggerIndexEntry> LoggerTransfers::GetLoggerEntry(int number, int list) {
    const std::string digits = ZeroPadded(number, 2);
    const auto value = query(command::LoggerEntry(list == kTvList, number));
    // The entry repeats its number and holds its time and date whole.
    if (!value || value->size() < 20 || value->compare(0, 2, digits) != 0) return std::nullopt;
    return ParseIndexEntry(*value);
}

bool LoggerTransfers::ReceiveLoggerIndex(int list) {
    const auto present = GetLoggerList(list);
    if (!present) return false;
    auto& table = LoggerIndexTable[static_cast<std::size_t>(list)];
    for (int n = 0; n < LoggersInList(list); ++n) {
        LoggerIndexEntry& entry = table[static_cast<std::size_t>(n)];
        if (!(*present)[static_cast<std::size_t>(n)]) {
            entry = LoggerIndexEntry{};
            entry.number = n;
            continue;
        }
        const auto received = GetLoggerEntry(n, list);
        if (!received) return false;
        entry = *received;
    }
    return true;
}

void LoggerTransfers::ClearLoggerIndex() {
    for (int row = 1; row < index_.rowCount(); ++row) {
        for (int column = 1; column <= 4; ++column)
            index_.setCell(column, row, "");
    }
}

void LoggerTransfers::FillLoggerIndex(int list) {
    LoggerRowMap.fill(-1);
    ClearLoggerIndex();
    int row = 1;
    for (int n = 0; n < LoggersInList(list); ++n) {
        const LoggerIndexEntry& entry =
            LoggerIndexTable[static_cast<std::size_t>(list)][static_cast<std::size_t>(n)];
        if (!entry.present || row >= index_.rowCount()) continue;
        index_.setCell(1, row, entry.name);
        index_.setCell(2, row, entry.time);
        index_.setCell(3, row, entry.date);
        index_.setCell(4, row, "NO");
        LoggerRowMap[static_cast<std::size_t>(row)] = n;
        ++row;
    }
    LoggerCount = row - 1;
}

bool LoggerTransfers::ReceiveLogButClick(int listIndex) {
    DeviceJob job(busy_, link_, [this](int code) { message(code); });
    if (!job) return false;
    const int list = listIndex == 1 ? kTvList : kModemList;
    if (!ReceiveLoggerIndex(list)) {
        message(7);
        return false;
    }
    FillLoggerIndex(list);
    if (LoggerCount == 0) {
        message(37);
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Fetching

void LoggerTransfers::copyIndexRow(int row, std::string& name, std::string& time,
                                   std::string& date) {
    name = index_.cell(1, row);
    time = index_.cell(2, row);
    date = index_.cell(3, row);
}

int LoggerTransfers::FetchLogger(int row, bool tv, FileDialogState& openDialog) {
    WaitCursor wait(prompts_);
    if (row == -1) return OpenLogger(openDialog);
    if (!link_.FindIOInterface()) return -10;
    if (tv) return GetTvLogger(row);
    if (row < 1 || row > kMaxLoggers) return 0;
    switch (GetLoggerKind(LoggerRowMap[static_cast<std::size_t>(row)])) {
        case 0:
            return GetModemLogger(row);
        case 1:
            return GetDownLogger(row);
        default:
            return 0;
    }
}

std::optional<TvHeader> LoggerTransfers::GetTvHeader(int number) {
    if (number < 0 || number >= kMaxLoggers) return std::nullopt;
    const auto value = query(command::TvHeader(number));
    if (!value) return std::nullopt;
    return ParseTvHeader(*value);
}

int LoggerTransfers::GetTvRecord(int number, int record, int row) {
    if (number < 0 || number >= kMaxLoggers) return 1;
    const auto value = query(command::TvRecord(number, record));
    if (!value) return 10;
    TvLogger& tv = records.tv;
    if (row < 1 || row > static_cast<int>(tv.records.size())) return 1;
    return ParseTvRecord(*value, tv.records[static_cast<std::size_t>(row - 1)]);
}

int LoggerTransfers::GetTvLogger(int row) {
    if (row < 1 || row > kMaxLoggers) return -1;
    const int n = LoggerRowMap[static_cast<std::size_t>(row)];
    const auto header = GetTvHeader(n);
    if (!header) return -1;
    TvLogger& tv = records.tv;
    tv.records.assign(static_cast<std::size_t>(header->recordCount), TvRecord{});
    for (std::size_t k = 0; k < tv.records.size(); ++k)
        tv.records[k][0] = std::to_string(k + 1);
    copyIndexRow(row, tv.name, tv.time, tv.date);
    tv.planName = header->planName;
    tv.noiseMode = texts_.text(kFirstNoiseModeText + header->noiseMode);
    tv.noiseFrequency = HzToMHzText(header->noiseFrequencyHz);
    tv.threshold = std::to_string(header->thresholdTenths / 10);
    for (int k = 0; k < header->recordCount; ++k) {
        if (GetTvRecord(n, k, k + 1) != 0) {
            message(33);
            return -1;
        }
    }
    tv.fileName.clear();
    return 1;
}

int LoggerTransfers::GetLoggerKind(int number) {
    if (number < 0 || number >= kMaxLoggers) return -1;
    const auto value = query(command::LoggerKind(number));
    return value ? ParseLoggerKind(*value) : -1;
}

int LoggerTransfers::GetDownHeader(int number) {
    if (number < 0 || number >= kMaxLoggers) return 1;
    DownLogger& down = records.down;
    const auto first = query(command::ModemRow(number, 8));
    if (!first || !ParseDownHeaderFirst(*first, down)) return 10;
    const auto second = query(command::ModemRow(number, 9));
    if (!second || !ParseDownHeaderSecond(*second, down)) return 10;
    return 0;
}

int LoggerTransfers::GetDownRow(int number, int row) {
    if (number < 0 || number >= kMaxLoggers) return 1;
    const auto value = query(command::ModemRow(number, row));
    if (!value) return 2;
    return ParseDownRow(*value, records.down.rows[static_cast<std::size_t>(row)]) ? 0 : 3;
}

int LoggerTransfers::GetDownLogger(int row) {
    const int n = LoggerRowMap[static_cast<std::size_t>(row)];
    if (GetDownHeader(n) != 0) return -2;
    DownLogger& down = records.down;
    copyIndexRow(row, down.name, down.time, down.date);
    down.channel = down.channel.substr(0, 4);
    down.planName =
        !down.channel.empty() && down.channel[0] == '-' ? "----" : down.planName.substr(0, 5);
    NumberFixedRows(down);
    for (int d = 0; d < 8; ++d) {
        if (GetDownRow(n, d) != 0) {
            message(33);
            return -2;
        }
    }
    down.fileName.clear();
    return 2;
}

int LoggerTransfers::GetModemRow(int number, int code) {
    if (number < 0 || number >= kMaxLoggers) return 1;
    const auto value = query(command::ModemRow(number, code));
    if (!value) return 2;
    ModemLogger& modem = records.modem;
    if (code >= 0 && code <= 7)
        return ParseModemRow(*value, modem.down[static_cast<std::size_t>(code)]) ? 0 : 3;
    if (code >= 10 && code <= 13)
        return ParseModemUpstreamRow(*value, modem.up[static_cast<std::size_t>(code - 10)]) ? 0 : 3;
    return 3;
}

int LoggerTransfers::GetModemLogger(int row) {
    const int n = LoggerRowMap[static_cast<std::size_t>(row)];
    ModemLogger& modem = records.modem;
    copyIndexRow(row, modem.name, modem.time, modem.date);
    NumberFixedRows(modem);
    for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 13}) {
        if (GetModemRow(n, code) != 0) {
            message(33);
            return -3;
        }
    }
    modem.fileName.clear();
    return 3;
}

// ---------------------------------------------------------------------------------------------
// Files

int LoggerTransfers::writeLogger(int mode, FileDialogState* dialog, const std::string& name,
                                 const char* extension, const std::string& text,
                                 std::string& fileName) {
    std::string path;
    std::error_code ec;
    switch (mode) {
        case kPrintFile:
            std::filesystem::create_directories(loggersFolder_, ec);
            path = printFilePath();
            break;
        case kSaveToLoggers:
            std::filesystem::create_directories(loggersFolder_, ec);
            path = loggersFolder_ + SafeFileName(name) + extension;
            break;
        case kSaveAs: {
            if (!dialog) return 0;
            dialog->fileName = SafeFileName(name) + extension;
            if (dialog->initialFolder.empty()) dialog->initialFolder = loggersFolder_;
            const auto chosen = prompts_.chooseSaveFile(*dialog);
            if (!chosen) return 0;
            path = *chosen;
            if (!EndsWith(path, extension)) path += extension;
            break;
        }
        case kSaveAllAs: {
            if (!dialog) return 0;
            path = SaveAllAsPath(dialog->fileName, name, extension);
            std::string existing;
            if (ReadWholeFile(path, existing) &&
                !prompts_.askYesNo(texts_.text(text::kQuestionCaption),
                                   texts_.text(kAskOverwriteLogger)))
                return 1;
            break;
        }
        default:
            return 0;
    }
    if (!WriteFileAtomically(path, text)) {
        message(18);
        return -20;
    }
    if (mode != kPrintFile) fileName = path;
    return 0;
}

int LoggerTransfers::WriteTvLogger(int mode, FileDialogState* dialog) {
    TvLogger& tv = records.tv;
    std::string text;
    const bool valid = mode == kPrintFile ? [&] {
        const auto layout = TvPrintLayout(tv);
        text = layout.value_or("");
        return layout.has_value();
    }()
                                          : TvLoggerFileText(tv, text);
    if (!valid) {
        // A record without a valid type: nothing is written rather than half a file.
        message(14);
        return -30;
    }
    return writeLogger(mode, dialog, tv.name, kTvExtension, text, tv.fileName);
}

int LoggerTransfers::WriteDownLogger(int mode, FileDialogState* dialog) {
    DownLogger& down = records.down;
    const std::string text = mode == kPrintFile ? DownPrintLayout(down) : DownLoggerFileText(down);
    return writeLogger(mode, dialog, down.name, kDownExtension, text, down.fileName);
}

int LoggerTransfers::WriteModemLogger(int mode, FileDialogState* dialog) {
    ModemLogger& modem = records.modem;
    const std::string text =
        mode == kPrintFile ? ModemPrintLayout(modem) : ModemLoggerFileText(modem);
    return writeLogger(mode, dialog, modem.name, kModemExtension, text, modem.fileName);
}

int LoggerTransfers::writeRecord(int kind, int mode, FileDialogState* dialog) {
    switch (kind) {
        case kShowTv:
            return WriteTvLogger(mode, dialog);
        case kShowDown:
            return WriteDownLogger(mode, dialog);
        default:
            return WriteModemLogger(mode, dialog);
    }
}

int LoggerTransfers::OpenLogger(FileDialogState& dialog) {
    const auto path = prompts_.chooseOpenFile(dialog);
    if (!path) return 0;
    if (!EndsWith(*path, kTvExtension) && !EndsWith(*path, kDownExtension) &&
        !EndsWith(*path, kModemExtension))
        return -15;
    std::string content;
    if (!ReadWholeFile(*path, content)) {
        message(1);
        return -12;
    }
    const int result = ReadLoggerText(content, *path, records);
    if (result >= 1000) message(33);  // the bad row
    return result;
}

// ---------------------------------------------------------------------------------------------
// The tab

std::optional<bool> LoggerTransfers::tvFlag(int listIndex) {
    if (listIndex == 1) return true;
    if (listIndex == 0) return false;
    message(34);
    return std::nullopt;
}

bool LoggerTransfers::LoggerIndexSelectCell(int column, int row) const {
    return column != 0 && !index_.cell(column, row).empty();
}

void LoggerTransfers::LoggerIndexMouseUp(bool leftButton, int column, int row) {
    clickedColumn = column;
    clickedRow = row;
    if (!leftButton || column != 4) return;
    if (row >= 1) {
        const std::string mark = index_.cell(4, row);
        if (mark == "YES") index_.setCell(4, row, "NO");
        if (mark == "NO") index_.setCell(4, row, "YES");
        return;
    }
    if (row != 0) return;
    int last = 1;
    bool anyYes = false;
    while (last < index_.rowCount() && !index_.cell(4, last).empty()) {
        anyYes = anyYes || index_.cell(4, last) == "YES";
        ++last;
    }
    for (int r = 1; r < last; ++r)
        index_.setCell(4, r, anyYes ? "NO" : "YES");
}

int LoggerTransfers::LoggerIndexDblClick(int listIndex) {
    const int r = clickedRow;
    if (r <= 0 || r > LoggerCount || clickedColumn == 4) return kShowNothing;
    const auto tv = tvFlag(listIndex);
    if (!tv) return kShowNothing;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return kShowNothing;
    FileDialogState unused;
    const int result = FetchLogger(r, *tv, unused);
    if (result >= 1 && result <= 3) return result;
    message(result == -10 ? 7 : 33);
    return kShowNothing;
}

void LoggerTransfers::SaveLogButClick(int listIndex, FileDialogState& openDialog) {
    const auto tv = tvFlag(listIndex);
    if (!tv) return;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return;
    for (int r = 1; r < index_.rowCount() && !index_.cell(4, r).empty(); ++r) {
        const int result = FetchLogger(r, *tv, openDialog);
        if (result == -10) {
            message(7);
            return;
        }
        if (!FetchedFromList(*tv, result)) {
            message(33);
            return;
        }
        // The writer has said why (message 18 or 14): no "saved" box after a failed write.
        if (writeRecord(result, kSaveToLoggers) != 0) return;
    }
    prompts_.showMessage(texts_.text(kSavedCaption), texts_.text(kSavedText),
                         MessageIcon::Information);
}

void LoggerTransfers::SaveLogAsButClick(int listIndex, FileDialogState& saveAllDialog,
                                        FileDialogState& openDialog) {
    const auto tv = tvFlag(listIndex);
    if (!tv) return;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return;
    bool chosen = false;
    for (int r = 1; r < index_.rowCount() && !index_.cell(4, r).empty(); ++r) {
        const int result = FetchLogger(r, *tv, openDialog);
        if (result == -10) {
            message(7);
            return;
        }
        if (!FetchedFromList(*tv, result)) {
            message(33);
            return;
        }
        if (!chosen) {
            saveAllDialog.fileName = "MyLoggers";
            if (!prompts_.chooseSaveFile(saveAllDialog)) return;
            chosen = true;
        }
        // 1: the person declined to overwrite; otherwise the writer has shown its message.
        if (writeRecord(result, kSaveAllAs, &saveAllDialog) != 0) return;
    }
    prompts_.showMessage(texts_.text(kSavedCaption), texts_.text(kSavedText),
                         MessageIcon::Information);
}

int LoggerTransfers::OpenLogButClick(FileDialogState& openDialog) {
    const int result = FetchLogger(-1, false, openDialog);
    if (result >= 1 && result <= 3) return result;
    if (result == -15) {
        message(11);
    } else if (result != 0) {
        message(33);
    }
    return kShowNothing;
}

// ---------------------------------------------------------------------------------------------
// Printing

const std::string& LoggerTransfers::recordName(int kind) const {
    return kind == kShowTv     ? records.tv.name
           : kind == kShowDown ? records.down.name
                               : records.modem.name;
}

bool LoggerTransfers::printRecord(int kind, TextPrinter& printer) {
    printer.SetPrintTitle(recordName(kind));
    if (writeRecord(kind, kPrintFile) != 0) {
        message(33);
        return false;
    }
    if (PrintTextFile(printFilePath(), printer) == 0) {
        message(35);
        return false;
    }
    return true;
}

void LoggerTransfers::ImprimirRegistreClick(int kind, TextPrinter& printer) {
    if (printer.choosePrinter()) printRecord(kind, printer);
}

void LoggerTransfers::PrintSelButClick(int listIndex, TextPrinter& printer,
                                       FileDialogState& openDialog) {
    const auto tv = tvFlag(listIndex);
    if (!tv) return;
    DeviceBusy::Guard guard(busy_);
    if (!guard) return;
    bool anyMarked = false;
    std::optional<PrintBatch> batch;
    for (int r = 1; r < index_.rowCount() && !index_.cell(4, r).empty(); ++r) {
        if (index_.cell(4, r) != "YES") continue;
        if (!anyMarked) {
            if (!printer.choosePrinter()) return;  // one dialog for all marked loggers
            anyMarked = true;
            batch.emplace(printer);
        }
        const int result = FetchLogger(r, *tv, openDialog);
        if (!FetchedFromList(*tv, result)) {
            message(33);
            return;
        }
        if (!printRecord(result, printer)) return;
    }
    if (!anyMarked) message(36);
}

}  // namespace veltra
