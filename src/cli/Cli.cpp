#include "cli/Cli.h"

#include <CLI/CLI.hpp>
#include <cctype>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <istream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <set>
#include <thread>

#include "channelplans/ChannelPlanTransfers.h"
#include "cli/Terminal.h"
#include "editor/EditorGrid.h"
#include "face/DeviceBusy.h"
#include "face/Messages.h"
#include "firmware/FirmwareUpdates.h"
#include "instrument/Clock.h"
#include "instrument/Identity.h"
#include "language/Language.h"
#include "language/TextKeys.h"
#include "language/WindowTexts.h"
#include "link/Link.h"
#include "loggers/LoggerCsv.h"
#include "loggers/LoggerTransfers.h"
#include "loggers/Verdicts.h"
#include "sim/StartInstrument.h"
#include "text/Csv.h"
#include "text/Files.h"

namespace veltra::cli {

namespace {

using nlohmann::json;

constexpr const char* kName = "veltra52-cli: ";

// Names from the instrument and from files need not be UTF-8 (a Latin-1 name written by other
// software): every text is read as the windows read it, UTF-8 when valid, else Latin-1, so JSON
// is always valid and shows "ESPAÑA" as the windows do.
json AsUtf8(const json& value) {
    if (value.is_string()) return BytesToUtf8(value.get<std::string>());
    if (value.is_array()) {
        json out = json::array();
        for (const json& item : value)
            out.push_back(AsUtf8(item));
        return out;
    }
    if (value.is_object()) {
        json out = json::object();
        for (const auto& [key, item] : value.items())
            out[BytesToUtf8(key)] = AsUtf8(item);
        return out;
    }
    return value;
}

std::string JsonText(const json& value) {
    return AsUtf8(value).dump(2, ' ', false, json::error_handler_t::replace);
}

struct Options {
    bool simulate = false;
    std::string simulateFolder, traceFile, device;
    bool yes = false, json = false, quiet = false;
};

// The language of config.txt, as the windows start; when its file cannot be read, English. The
// file that could not be read, if any.
std::optional<std::string> LoadChosenLanguage(Language& language) {
    language.setName(ReadLanguageChoice(language.configFile()));
    if (ReadLanguageFile(language.languageFile(), language.table()).opened) return std::nullopt;
    const std::string missing = language.languageFile();
    language.setName("English");
    ReadLanguageFile(language.languageFile(), language.table());
    return missing;
}

// What every command works with: the language, the person, the progress line, the link and
// the operations of the windows.
class Session {
  public:
    Session(CliSystem& system, const Options& options, HidBackend& backend)
        : system(system),
          options(options),
          language(system.programFolder, system.dataFolder),
          prompts(system.err, system.in, system.inputIsTerminal),
          progress(system.err, system.errorIsTerminal && !options.quiet),
          link(backend) {
        prompts.yes = options.yes;
        prompts.quiet = options.quiet;
        loadLanguage();
        link.setDevicePath(options.device);
        transfers.setCopiesFolder(system.dataFolder);
    }

    // The language of config.txt, as the windows start; when its file cannot be read, English,
    // after message 4 naming the file.
    void loadLanguage() {
        if (const auto missing = LoadChosenLanguage(language))
            message(message::kNoLanguageFile, *missing);
    }

    const std::string& text(int key) const { return language.text(key); }
    // One line of the command line's own, in the program's language, its places filled.
    void say(int key, std::initializer_list<std::string> values = {}) {
        system.err << kName << FillIn(text(key), values) << '\n';
    }
    void message(int code, const std::string& detail = {}) {
        ShowMessageCode(prompts, language.table(), code, detail);
    }

    // Searches the IO interface: 0, or exit status 3 after message 7.
    int search() {
        if (link.FindIOInterface()) return kDone;
        message(message::kNoInstrument);
        return kNoInstrument;
    }
    // Who the instrument is; exit status 3 after message 7 without one.
    std::optional<InstrumentIdentity> identify() {
        auto identity = Identify(link);
        if (!identity) message(message::kNoInstrument);
        return identity;
    }
    // The exit status of an operation from what it returned: failed when it failed, when its
    // progress ended as failed or when a question was declined.
    int status(const Ended& ended) {
        if (prompts.declined() && !saidDeclined_) {
            say(text::kAnsweredNo);
            saidDeclined_ = true;
        }
        return !ended || progress.failed() || prompts.declined() ? kFailed : kDone;
    }
    // Commands that ask before they change the instrument: without --yes they need a person.
    bool mayAsk() {
        if (options.yes || system.inputIsTerminal) return true;
        say(text::kConfirmWithYes);
        return false;
    }

    CliSystem& system;
    Options options;
    Language language;
    TerminalPrompts prompts;
    TerminalProgress progress;
    Link link;
    DeviceBusy busy;
    PlanIndex plans;
    ChannelPlanTransfers transfers{link, prompts, language.table(), progress, plans, busy};

  private:
    bool saidDeclined_ = false;
};

// ---------------------------------------------------------------------------------------------
// Commands

int Devices(Session& s, HidBackend& backend) {
    const auto found = ListIOInterfaces(backend);
    if (s.options.json) {
        json list = json::array();
        for (const auto& f : found)
            list.push_back({{"path", f.path}, {"product", f.product}});
        s.system.out << JsonText(list) << '\n';
    } else {
        for (const auto& f : found)
            s.system.out << f.path << '\t' << f.product << '\n';
    }
    if (found.empty()) s.message(message::kNoInstrument);
    return found.empty() ? kNoInstrument : kDone;
}

int Info(Session& s) {
    const auto identity = s.identify();
    if (!identity) return kNoInstrument;
    if (s.options.json) {
        s.system.out << JsonText({{"model", identity->model},
                                  {"serial", identity->serial},
                                  {"io_version", identity->ioVersion},
                                  {"instrument_version", identity->instrumentVersion},
                                  {"simulated", identity->simulated}})
                     << '\n';
    } else {
        s.system.out << s.text(text::kModelLabel) << ' ' << identity->model << '\n'
                     << s.text(text::kSerialLabel) << ' ' << identity->serial << '\n'
                     << s.text(text::kIOVersionLabel) << ' ' << identity->ioVersion << '\n'
                     << s.text(text::kInstrumentVersionLabel) << ' ' << identity->instrumentVersion
                     << '\n';
        // Never to be taken for a real instrument.
        if (identity->simulated) s.system.out << "(" << s.text(text::kSimulatedInstrument) << ")\n";
    }
    return kDone;
}

// "HH:MM:SS/DD-MM-YYYY" as a time; none when it is not one.
std::optional<std::tm> ParseClock(const std::string& text) {
    std::tm t{};
    char end = 0;
    if (text.size() != 19 ||
        std::sscanf(text.c_str(), "%2d:%2d:%2d/%2d-%2d-%4d%c", &t.tm_hour, &t.tm_min, &t.tm_sec,
                    &t.tm_mday, &t.tm_mon, &t.tm_year, &end) != 6)
        return std::nullopt;
    if (t.tm_hour > 23 || t.tm_min > 59 || t.tm_sec > 59 || t.tm_mday < 1 || t.tm_mday > 31 ||
        t.tm_mon < 1 || t.tm_mon > 12 || t.tm_year < 2000 || t.tm_year > 2099)
        return std::nullopt;
    // A day the month has: 31-02 is refused as 25:00 is.
    const bool leap = t.tm_year % 4 == 0;  // 2000 is a leap year; the range holds no 2100
    const int days[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (t.tm_mday > days[t.tm_mon - 1]) return std::nullopt;
    t.tm_mon -= 1;
    t.tm_year -= 1900;
    return t;
}

int ClockSet(Session& s, const std::string& time) {
    std::tm when{};
    if (time.empty()) {
        when = LocalTime(std::time(nullptr));
    } else if (const auto parsed = ParseClock(time)) {
        when = *parsed;
    } else {
        s.say(text::kBadTime);
        return kUsage;
    }
    const auto identity = s.identify();
    if (!identity) return kNoInstrument;
    const int status = s.status(SetInstrumentClock(
        s.link, s.busy, s.prompts, [&s](int code) { s.message(code); }, identity->serial, when));
    // What was set, as the instrument's own clock text.
    if (status == kDone && !s.options.quiet)
        s.system.out << FillIn(s.text(text::kClockSetTo),
                               {ClockText(when.tm_year + 1900, when.tm_mon + 1, when.tm_mday,
                                          when.tm_hour, when.tm_min, when.tm_sec)})
                     << '\n';
    return status;
}

// Reads every plan into its local copy, as the tab's read does.
int ReadPlans(Session& s) {
    if (const int status = s.search()) return status;
    return s.status(s.transfers.ReadChannelPlans());
}

int PlansList(Session& s) {
    if (const int status = ReadPlans(s)) return status;
    json list = json::array();
    const std::vector<std::string>& read = s.transfers.planTexts();
    for (int slot = 0; slot < s.plans.count(); ++slot) {
        const auto at = static_cast<std::size_t>(slot);
        const int channels = at < read.size() ? PlanFileReader(read[at]).count() : 0;
        list.push_back({{"slot", slot}, {"name", s.plans.item(slot)}, {"channels", channels}});
        if (!s.options.json)
            s.system.out << slot << '\t' << s.plans.item(slot) << '\t' << channels << '\n';
    }
    if (s.options.json) s.system.out << JsonText(list) << '\n';
    return kDone;
}

int PlansPull(Session& s, const std::string& folder) {
    if (const int status = ReadPlans(s)) return status;
    MakeFolders(folder);
    // Plans whose names give one file name ("X/Y" and "X_Y", two plans "SAME") each get a file
    // of their own: "SAME.c52", "SAME (2).c52".
    DistinctFileNames names;
    const std::vector<std::string>& read = s.transfers.planTexts();
    for (int slot = 0; slot < s.plans.count(); ++slot) {
        // Each plan is saved as the editor saves it once opened, from what the read pass read
        // (its copy in the data folder may not have been writable).
        const auto at = static_cast<std::size_t>(slot);
        std::string planName;
        const auto text = SavedPlanText(at < read.size() ? read[at] : std::string(), planName);
        if (!text) {
            s.message(text.message());
            return kFailed;
        }
        const std::string path =
            Utf8Path(NativePath(folder) / NativePath(names.take(SafeFileName(planName), ".c52")));
        if (const FileWrite written = WriteFileAtomically(path, *text); !written) {
            s.message(message::kFileUnwritable, UnwritableDetail(path, written));
            return kFailed;
        }
        if (!s.options.quiet) s.system.out << path << '\n';
    }
    return kDone;
}

int PlansPush(Session& s, const std::vector<std::string>& files) {
    if (const int status = s.search()) return status;
    return s.status(s.transfers.SendPlanFiles([&] { return files; }));
}

int PlansDelete(Session& s, const std::vector<std::string>& names) {
    if (!s.mayAsk()) return kUsage;
    if (const int status = ReadPlans(s)) return status;
    for (const std::string& name : names) {
        int found = -1;
        for (int slot = 0; slot < s.plans.count(); ++slot) {
            if (s.plans.item(slot) == name) found = slot;
        }
        if (found < 0) {
            s.say(text::kNoPlanNamed, {name});
            return kFailed;
        }
        s.plans.setSelected(found, true);
    }
    // The question the windows ask speaks of "the selected plans": say which they are.
    if (!s.options.quiet) {
        std::string listed;
        for (const std::string& name : names)
            listed += (listed.empty() ? "" : ", ") + name;
        s.say(text::kPlansToDelete, {listed});
    }
    return s.status(s.transfers.DeleteSelectedPlans());
}

// Finishes a delete that was cut off: the plans it kept go back from its note.
int PlansRecover(Session& s) {
    if (!s.transfers.PendingWriteBack()) {
        if (!s.options.quiet) s.say(text::kNoWriteBack);
        return kDone;
    }
    if (!s.mayAsk()) return kUsage;
    if (const int status = s.search()) return status;
    const Ended ended = s.transfers.FinishWriteBack();
    return s.transfers.PendingWriteBack() ? kFailed : s.status(ended);
}

int PlansEraseAll(Session& s) {
    if (!s.mayAsk()) return kUsage;
    if (const int status = s.search()) return status;
    return s.status(s.transfers.EraseAllChannelPlans());
}

// The list of a kind word.
LoggerList ListOf(const std::string& kind) {
    return kind == "modem" ? LoggerList::Modem : LoggerList::Tv;
}

int LoggersList(Session& s, const std::string& kind) {
    if (const int status = s.search()) return status;
    LoggerTransfers loggers(s.link, s.prompts, s.language.table(), s.busy,
                            s.language.loggersFolder());
    if (const int status = s.status(loggers.ReceiveLoggerList(ListOf(kind)))) return status;
    json list = json::array();
    // The last column is the row the windows' index shows the logger in, counted from 0; the
    // headings are the index's own.
    std::vector<std::vector<std::string>> rows = {
        {"No", s.text(20), s.text(22), s.text(21), "Row"}};
    int windowRow = 0;
    for (const auto& row : loggers.index().rows()) {
        list.push_back({{"number", row.number},
                        {"name", row.name},
                        {"date", row.date},
                        {"time", row.time},
                        {"row", windowRow}});
        rows.push_back({std::to_string(row.number), BytesToUtf8(row.name), row.date, row.time,
                        std::to_string(windowRow)});
        ++windowRow;
    }
    if (s.options.json) {
        s.system.out << JsonText(list) << '\n';
    } else if (rows.size() > 1) {
        s.system.out << AlignedColumns(rows);
    }
    return kDone;
}

int LoggersPull(Session& s, const std::string& kind, const std::vector<std::string>& arguments) {
    // Numbers name loggers; a last argument that is not a number is the folder.
    std::set<int> numbers;
    std::string folder = s.language.loggersFolder();
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        if (const auto number = WholeNumber(arguments[k])) {
            numbers.insert(static_cast<int>(*number));
        } else if (k + 1 == arguments.size()) {
            folder = arguments[k];
        } else {
            s.say(text::kNotLoggerNumber, {arguments[k]});
            return kUsage;
        }
    }
    if (const int status = s.search()) return status;
    LoggerTransfers loggers(s.link, s.prompts, s.language.table(), s.busy, folder);
    if (const int status = s.status(loggers.ReceiveLoggerList(ListOf(kind)))) return status;
    const LoggerIndex& index = loggers.index();
    // An empty list has been said (message 37); none of its loggers can be saved.
    if (index.LoggerCount() == 0 && numbers.empty()) return kDone;
    // No numbers: every logger of the kind; else exactly the named ones.
    std::vector<std::size_t> positions;
    std::set<int> missing = numbers;
    for (std::size_t k = 0; k < index.LoggerCount(); ++k) {
        if (numbers.empty() || numbers.count(index.LoggerRowMap(k)) > 0) {
            positions.push_back(k);
            missing.erase(index.LoggerRowMap(k));
        }
    }
    if (!missing.empty()) {
        s.say(text::kNoLoggerNumbered, {kind, std::to_string(*missing.begin())});
        return kFailed;
    }
    const int status = s.status(loggers.SaveLoggers(ListOf(kind), positions));
    // The files written, as 'plans pull' prints its own.
    if (!s.options.quiet)
        for (const std::string& path : loggers.files().written())
            s.system.out << path << '\n';
    return status;
}

// A logger as JSON, from its spreadsheet: the "# label" records make the header, each header
// row beginning with "No" starts a table whose rows are objects keyed by that row.
json LoggerJson(const LoggerRecords& records, LoggerKindShown kind, const CsvStyle& style) {
    json header = json::object(), tables = json::array();
    std::vector<std::string> columns;
    const auto rows = ParseCsv(LoggerCsv(records, kind, style));
    for (const CsvRow& row : rows ? *rows : std::vector<CsvRow>{}) {
        if (row.fields.empty()) continue;
        const std::string& first = row.fields.front();
        if (first.rfind("# ", 0) == 0) {
            header[first.substr(2)] = row.fields.size() > 1 ? row.fields[1] : "";
        } else if (first == "No") {
            columns = row.fields;
            tables.push_back(json::array());
        } else if (!tables.empty()) {
            json item = json::object();
            for (std::size_t k = 0; k < columns.size() && k < row.fields.size(); ++k)
                item[columns[k]] = row.fields[k];
            tables.back().push_back(item);
        }
    }
    return {{"header", header}, {"tables", tables}};
}

// The unit named, and the limit set named: one of the program's by name, else a limit set file;
// the first of the program's when no name is given. kUsage for a unit or a name that is neither,
// kFailed for a bad file.
int ChooseJudging(Session& s, const std::string& name, const std::string& unitName,
                  LimitSet& limits, std::optional<LevelUnit>& unit) {
    unit = ParseLevelUnit(unitName);
    if (!unit) {
        s.say(text::kCliBadUnit);
        return kUsage;
    }
    if (name.empty()) {
        limits = BuiltInLimitSets().front();
        return kDone;
    }
    if (const LimitSet* builtIn = FindBuiltInLimitSet(name)) {
        limits = *builtIn;
        return kDone;
    }
    std::string content, error;
    const FileRead read = ReadWholeFile(name, content, file_limit::kTextFile);
    if (read.status == FileRead::Missing) {
        std::string names;
        for (const LimitSet& set : BuiltInLimitSets())
            names += (names.empty() ? "\"" : ", \"") + set.name + "\"";
        s.say(text::kCliNoLimitSet, {name, names});
        return kUsage;
    }
    if (!read) {
        s.message(message::kFileUnreadable, UnreadableDetail(name, read));
        return kFailed;
    }
    // A file that is read but is no limit set: only why, as the Limits dialog says it.
    const std::optional<LimitSet> fromFile = ParseLimitSet(content, error);
    if (!fromFile) {
        s.say(text::kLimitSetBad, {name + ": " + error});
        return kFailed;
    }
    limits = *fromFile;
    return kDone;
}

// A logger file as its printout with a verdict column, the summary and the network figures
// under it; or as a spreadsheet or JSON.
int LoggersShow(Session& s, const std::string& file, bool csv, const std::string& limitsName,
                const std::string& unitName) {
    LimitSet limits;
    std::optional<LevelUnit> unit;
    if (const int status = ChooseJudging(s, limitsName, unitName, limits, unit); status != kDone)
        return status;
    LoggerTransfers loggers(s.link, s.prompts, s.language.table(), s.busy,
                            s.language.loggersFolder());
    s.prompts.files = {file};
    FileDialogState dialog;
    std::optional<std::string> table;
    const LoggerKindShown kind = loggers.OpenLoggerFile(dialog).value_or(kShowNothing);
    // The spreadsheet and JSON with the verdicts and figures of the set.
    const CsvStyle style{*unit, &limits, VerdictWordsIn(s.language.table())};
    if (csv && kind != kShowNothing) {
        s.system.out << LoggerCsv(loggers.records, kind, style);
        return kDone;
    }
    if (s.options.json && kind != kShowNothing) {
        s.system.out << JsonText(LoggerJson(loggers.records, kind, style)) << '\n';
        return kDone;
    }
    const LanguageTable& texts = s.language.table();
    const VerdictWords words = VerdictWordsIn(texts);
    const LoggerRecords& r = loggers.records;
    LoggerVerdict verdict;
    switch (kind) {
        case kShowTv:
            verdict = JudgeTvLogger(r.tv, limits);
            break;
        case kShowDown:
            verdict = JudgeDownLogger(r.down, limits);
            break;
        case kShowModem:
            verdict = JudgeModemLogger(r.modem, limits);
            break;
        default:
            return kFailed;
    }
    const VerdictColumn column = VerdictTexts(verdict, words, *unit);
    const std::string header = texts.text(text::kVerdictHeader);
    // The printout with its levels and their units in the unit asked for.
    const LoggerRecords shown = WithLevelsIn(r, *unit);
    switch (kind) {
        case kShowTv:
            table = TvPrintLayout(shown.tv, &column, header);
            if (!table) s.message(message::kBadChannel);
            break;
        case kShowDown:
            table = DownPrintLayout(shown.down, &column, header);
            break;
        default:
            table = ModemPrintLayout(shown.modem, &column, header);
            break;
    }
    if (!table) return kFailed;
    *table = WithUnitNamed(*table, *unit);
    // The layout ends in "#" after its last row, for the printer.
    if (!table->empty() && table->back() == '#') table->pop_back();
    std::ostream& out = s.system.out;
    out << *table << "\n\n"
        << FillIn(texts.text(text::kLimitSetNamed), {limits.name}) << '\n'
        << SummaryText(verdict, texts, words, *unit) << '\n';
    for (const FigureVerdict& f : verdict.figures)
        out << FigureText(f, words) << '\n';
    return kDone;
}

// The logger files named, a folder standing for its logger files in name order.
std::vector<std::string> LoggerFilesOf(const std::vector<std::string>& arguments) {
    std::vector<std::string> files;
    for (const std::string& argument : arguments) {
        std::error_code error;
        if (!std::filesystem::is_directory(argument, error)) {
            files.push_back(argument);
            continue;
        }
        std::vector<std::string> inFolder;
        for (const auto& entry : std::filesystem::directory_iterator(argument, error)) {
            const std::string extension = entry.path().extension().string();
            if (extension == ".logtv" || extension == ".logds" || extension == ".logmr")
                inFolder.push_back(entry.path().string());
        }
        std::sort(inFolder.begin(), inFolder.end());
        files.insert(files.end(), inFolder.begin(), inFolder.end());
    }
    return files;
}

struct CheckedLogger {
    std::string file, name, date, time;
    LoggerVerdict verdict;
};

json CheckJson(const CheckedLogger& logger, const LimitSet& limits, const VerdictWords& words,
               LevelUnit unit) {
    json channels = json::array(), figures = json::array();
    for (const ChannelVerdict& c : logger.verdict.channels) {
        json item = {{"row", c.row + 1},
                     {"channel", c.channel},
                     {"upstream", c.upstream},
                     {"frequency", c.frequencyMHz},
                     {"measured", c.measured},
                     {"pass", c.pass()},
                     {"verdict", ReasonText(c, words, unit)}};
        if (c.measured) item["level"] = LevelIn(c.level, unit);
        channels.push_back(item);
    }
    for (const FigureVerdict& f : logger.verdict.figures) {
        json item = {{"figure", words.figureNames[static_cast<int>(f.figure)]},
                     {"value", f.value},
                     {"pass", f.pass},
                     {"text", FigureText(f, words)}};
        if (f.slopePer100MHz) item["slope_per_100_mhz"] = *f.slopePer100MHz;
        figures.push_back(item);
    }
    return {{"file", logger.file},
            {"logger", logger.name},
            {"date", logger.date},
            {"time", logger.time},
            {"limits", limits.name},
            {"units", LevelUnitName(unit)},
            {"pass", logger.verdict.pass()},
            {"measured", logger.verdict.measured()},
            {"passed", logger.verdict.passed()},
            {"channels", channels},
            {"figures", figures}};
}

// Judges logger files on a limit set: one table with the figures for one logger, one line per
// logger for several. 0 when all pass, 4 when one fails, 1 when a file could not be judged.
int LoggersCheck(Session& s, const std::vector<std::string>& arguments,
                 const std::string& limitsName, const std::string& unitName, bool csv) {
    LimitSet limits;
    std::optional<LevelUnit> unit;
    if (const int status = ChooseJudging(s, limitsName, unitName, limits, unit); status != kDone)
        return status;
    const LanguageTable& texts = s.language.table();
    const VerdictWords words = VerdictWordsIn(texts);
    std::vector<CheckedLogger> checked;
    bool unreadable = false;
    for (const std::string& file : LoggerFilesOf(arguments)) {
        LoggerTransfers loggers(s.link, s.prompts, texts, s.busy, s.language.loggersFolder());
        s.prompts.files = {file};
        FileDialogState dialog;
        const LoggerRecords& r = loggers.records;
        switch (loggers.OpenLoggerFile(dialog).value_or(kShowNothing)) {
            case kShowTv:
                checked.push_back(
                    {file, r.tv.name, r.tv.date, r.tv.time, JudgeTvLogger(r.tv, limits)});
                break;
            case kShowDown:
                checked.push_back(
                    {file, r.down.name, r.down.date, r.down.time, JudgeDownLogger(r.down, limits)});
                break;
            case kShowModem:
                checked.push_back({file, r.modem.name, r.modem.date, r.modem.time,
                                   JudgeModemLogger(r.modem, limits)});
                break;
            default:
                unreadable = true;  // its message has been said
                break;
        }
    }
    std::ostream& out = s.system.out;
    const std::string level = std::string("Level (") + LevelUnitName(*unit) + ")";
    if (s.options.json) {
        json all = json::array();
        for (const CheckedLogger& logger : checked)
            all.push_back(CheckJson(logger, limits, words, *unit));
        out << JsonText(all) << '\n';
    } else if (csv) {
        out << CsvRecord({"File", "Logger", "Date", "Time", "Limits", "No", "Channel",
                          "Frequency (MHz)", level, texts.text(text::kVerdictHeader)});
        for (const CheckedLogger& logger : checked) {
            for (const ChannelVerdict& c : logger.verdict.channels)
                out << CsvRecord({logger.file, logger.name, logger.date, logger.time, limits.name,
                                  (c.upstream ? "US " : "") + std::to_string(c.row + 1), c.channel,
                                  FixedDecimals(c.frequencyMHz, 2),
                                  c.measured ? FixedDecimals(LevelIn(c.level, *unit), 1) : "",
                                  ReasonText(c, words, *unit)});
            for (const FigureVerdict& f : logger.verdict.figures)
                out << CsvRecord({logger.file, logger.name, logger.date, logger.time, limits.name,
                                  "", words.figureNames[static_cast<int>(f.figure)], "",
                                  FixedDecimals(f.value, 1), FigureText(f, words)});
        }
    } else if (checked.size() == 1 && !unreadable) {
        const CheckedLogger& logger = checked.front();
        out << logger.name << "  " << logger.date << " " << logger.time << "  (" << logger.file
            << ")\n"
            << FillIn(texts.text(text::kLimitSetNamed), {limits.name}) << "\n\n";
        std::vector<std::vector<std::string>> rows = {
            {"No", "Channel", "MHz", level, texts.text(text::kVerdictHeader)}};
        for (const ChannelVerdict& c : logger.verdict.channels)
            rows.push_back({(c.upstream ? "US " : "") + std::to_string(c.row + 1), c.channel,
                            c.measured || c.frequencyMHz ? FixedDecimals(c.frequencyMHz, 2) : "",
                            c.measured ? FixedDecimals(LevelIn(c.level, *unit), 1) : "",
                            ReasonText(c, words, *unit)});
        out << AlignedColumns(rows) << '\n'
            << SummaryText(logger.verdict, texts, words, *unit) << '\n';
        for (const FigureVerdict& f : logger.verdict.figures)
            out << FigureText(f, words) << '\n';
    } else {
        // A short line a logger, to read at 80 columns: the file's name, the verdict and the first
        // failing channel; then the totals and the limit set.
        std::vector<std::vector<std::string>> rows;
        std::size_t failing = 0;
        for (const CheckedLogger& logger : checked) {
            const bool pass = logger.verdict.pass();
            failing += pass ? 0 : 1;
            std::string why;
            if (const ChannelVerdict* first = logger.verdict.firstFailure()) {
                why = first->channel;
            } else if (!pass) {
                for (const FigureVerdict& f : logger.verdict.figures)
                    if (!f.pass && why.empty()) why = words.figureNames[static_cast<int>(f.figure)];
            }
            rows.push_back({Utf8Path(NativePath(logger.file).filename()),
                            texts.text(pass ? text::kVerdictPass : text::kVerdictFail), why});
        }
        out << AlignedColumns(rows)
            << FillIn(texts.text(text::kLoggersFail),
                      {std::to_string(failing), std::to_string(checked.size()), limits.name})
            << '\n';
    }
    if (unreadable || checked.empty()) return kFailed;
    return std::all_of(checked.begin(), checked.end(),
                       [](const CheckedLogger& l) { return l.verdict.pass(); })
               ? kDone
               : kCheckFailed;
}

// An update: asked before anything is sent, the instrument identified, then `run` with the
// update. Done only when the update says so.
int Update(Session& s, const std::string& file, std::size_t limit,
           const std::function<Ended(FirmwareUpdates&, const InstrumentIdentity&)>& run) {
    // A file that cannot be read is said before any question.
    std::string content;
    const FileRead read = ReadWholeFile(file, content, limit);
    if (!read) {
        ShowMessageCode(s.prompts, s.language.table(),
                        read.status == FileRead::TooLarge ? message::kBadFirmwareFile
                                                          : message::kFileUnreadable,
                        file);
        return kFailed;
    }
    if (!s.mayAsk()) return kUsage;
    const auto identity = s.identify();
    if (!identity) return kNoInstrument;
    TerminalConfirmation confirmation(s.prompts, s.system.err);
    std::function<void(int)> wait = s.system.wait;
    if (!wait) wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    FirmwareUpdates updates(s.link, s.prompts, s.language.table(), s.progress, confirmation, s.busy,
                            wait);
    return s.status(run(updates, *identity));
}

int UpdateIO(Session& s, const std::string& file) {
    return Update(s, file, file_limit::kHexFile,
                  [&](FirmwareUpdates& updates, const InstrumentIdentity& identity) {
                      return updates.UpdateIOInterface([&] { return std::optional(file); },
                                                       identity.ioVersion);
                  });
}

int UpdateInstrument(Session& s, const std::string& file) {
    return Update(s, file, file_limit::kSRecordFile,
                  [&](FirmwareUpdates& updates, const InstrumentIdentity& identity) {
                      return updates.UpdateInstrument([&] { return std::optional(file); },
                                                      identity.instrumentVersion);
                  });
}

int Send(Session& s, const std::string& command) {
    if (const int status = s.search()) return status;
    const auto answer = s.link.SendQuery(command);
    if (!answer) {
        s.message(message::kNoInstrument);
        return kFailed;
    }
    s.system.out << *answer << '\n';
    return kDone;
}

// ---------------------------------------------------------------------------------------------
// The instrument

// "--simulate" and "--simulate=DIR" are taken out before the parser sees them: an optional
// value would swallow the subcommand's name.
std::vector<std::string> TakeSimulate(const std::vector<std::string>& arguments, Options& options) {
    std::vector<std::string> rest;
    bool optionsEnd = false;
    for (const std::string& argument : arguments) {
        optionsEnd = optionsEnd || argument == "--";
        if (!optionsEnd && argument == "--simulate") {
            options.simulate = true;
        } else if (!optionsEnd && argument.rfind("--simulate=", 0) == 0) {
            options.simulate = true;
            options.simulateFolder = argument.substr(11);
        } else {
            rest.push_back(argument);
        }
    }
    return rest;
}

// The program's language table, for what is said before a command starts: config.txt's
// language, else English (the command itself says message 4 when its file is missing).
LanguageTable CliTexts(const CliSystem& system) {
    Language language(system.programFolder, system.dataFolder);
    LoadChosenLanguage(language);
    return language.table();
}

// The first word that names no command where one is needed ("plans bogus": "plans bogus");
// empty when every word does. Options and their values are passed over.
// A usage error of the parser in the program's language where the program has the words (a
// missing argument, arguments too many), else as the parser says it.
std::string UsageErrorText(const CLI::ParseError& error, const LanguageTable& texts) {
    const std::string what = error.what();
    const std::string required = " is required";
    if (dynamic_cast<const CLI::RequiredError*>(&error) && EndsWith(what, required))
        return FillIn(texts.text(text::kCliRequired),
                      {what.substr(0, what.size() - required.size())});
    // "The following argument was not expected: x", "... arguments were ...: x y".
    const std::size_t listed = what.find(": ");
    if (dynamic_cast<const CLI::ExtrasError*>(&error) && listed != std::string::npos)
        return FillIn(texts.text(text::kCliNotExpected), {what.substr(listed + 2)});
    return what;
}

// How many single-character edits turn `a` into `b`.
std::size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] =
                std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The command `word` was most likely meant for, among those `command` has; none when no name is
// near enough (at most a third of its letters, or a name it begins).
std::string NearestCommand(CLI::App& command, const std::string& word) {
    std::string nearest;
    std::size_t best = word.size() / 3 + 1;
    for (CLI::App* sub : command.get_subcommands({})) {
        const std::string& name = sub->get_name();
        const std::size_t distance =
            name.rfind(word, 0) == 0 && !word.empty() ? 0 : EditDistance(word, name);
        if (distance < best) {
            best = distance;
            nearest = name;
        }
    }
    return nearest;
}

std::string UnknownCommand(CLI::App& app, const std::vector<std::string>& arguments,
                           std::string& nearest) {
    CLI::App* command = &app;
    std::string path;
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        const std::string& word = arguments[k];
        if (word == "--") break;
        if (!word.empty() && word[0] == '-') {
            // An option of this command or above that takes a value, written apart from it.
            for (CLI::App* owner = command; owner; owner = owner->get_parent()) {
                const CLI::Option* option = owner->get_option_no_throw(word);
                if (option && option->get_expected_max() > 0 &&
                    word.find('=') == std::string::npos) {
                    ++k;
                    break;
                }
                if (option) break;
            }
            continue;
        }
        const auto subcommands = command->get_subcommands({});
        if (subcommands.empty()) break;
        CLI::App* next = nullptr;
        for (CLI::App* sub : subcommands)
            if (sub->check_name(word)) next = sub;
        if (!next) {
            if (const std::string meant = NearestCommand(*command, word); !meant.empty())
                nearest = path + (path.empty() ? "" : " ") + meant;
            return path + (path.empty() ? "" : " ") + word;
        }
        path += (path.empty() ? "" : " ") + word;
        command = next;
    }
    return {};
}

}  // namespace

int RunCli(const std::vector<std::string>& arguments, CliSystem& system) {
    Options options;
    std::vector<std::string> args = TakeSimulate(arguments, options);

    CLI::App app{
        "Everything the VELTRA-52 Software does with an instrument, from a terminal and "
        "from scripts.",
        "veltra52-cli"};
    app.set_version_flag("--version", kVersionLabel);
    app.require_subcommand(1);
    app.fallthrough();
    bool simulateHelp = false;
    app.add_flag("--simulate", simulateHelp,
                 "Work with a simulated instrument: the built-in demo; --simulate=DIR: one whose "
                 "state lives in DIR and is kept there between runs");
    app.add_option("--trace", options.traceFile,
                   "Write every report sent to or read from the instrument to FILE")
        ->type_name("FILE");
    app.add_option("--device", options.device,
                   "The IO interface to use when several are plugged in (see 'devices')")
        ->type_name("PATH");
    app.add_flag("-y,--yes", options.yes, "Answer yes to every question (delete, erase, updates)");
    app.add_flag("--json", options.json, "List as JSON");
    app.add_flag("-q,--quiet", options.quiet, "No progress bar and no messages but failures");
    app.footer(
        "Examples:\n  veltra52-cli --simulate plans pull plans/\n  veltra52-cli loggers list "
        "modem --json\n  veltra52-cli loggers show Loggers/NORTH.logtv --csv\n  veltra52-cli "
        "update io firmware.hex --yes\n\n"
        "Exit status: 0 done, 1 the operation failed (a message says why), 2 bad usage, 3 no "
        "instrument found, 4 'loggers check' found a channel or a figure outside its "
        "limits.\nMessages come in the language of the program's config.txt; the help "
        "is in English.");

    auto* devices = app.add_subcommand("devices", "List the VELTRA-52 IO interfaces plugged in");
    auto* info = app.add_subcommand("info", "Model, serial number and versions of the instrument");
    auto* clock = app.add_subcommand("clock", "The instrument's clock")->require_subcommand(1);
    std::string time;
    auto* clockSet = clock->add_subcommand("set", "Set the clock to the PC's time, or to --time");
    clockSet->add_option("--time", time, "The time to set")->type_name("\"HH:MM:SS/DD-MM-YYYY\"");

    auto* plans = app.add_subcommand("plans", "Channel plans")->require_subcommand(1);
    auto* plansList = plans->add_subcommand("list", "Read the plans: slot, name, channels");
    std::string pullFolder = ".";
    auto* plansPull =
        plans->add_subcommand("pull", "Save every plan as NAME.c52 in DIR (default: here)");
    plansPull->add_option("DIR", pullFolder, "Folder for the plan files");
    std::vector<std::string> pushFiles;
    auto* plansPush = plans->add_subcommand("push", "Send channel plan files to the instrument");
    plansPush->add_option("FILE", pushFiles, "Channel plan files (.c52)")->required();
    std::vector<std::string> deleteNames;
    auto* plansDelete = plans->add_subcommand("delete", "Delete plans by name (asks first)");
    plansDelete->add_option("NAME", deleteNames, "Plan names")->required();
    auto* plansErase =
        plans->add_subcommand("erase-all", "Erase every plan of the instrument (asks first)");
    auto* plansRecover = plans->add_subcommand(
        "recover", "Send back the plans an interrupted delete kept (asks first)");

    auto* loggers = app.add_subcommand("loggers", "Measurement loggers")->require_subcommand(1);
    std::string listKind = "tv";
    auto* loggersList = loggers->add_subcommand("list", "List the loggers of a kind");
    loggersList->add_option("KIND", listKind, "tv (default) or modem")
        ->check(CLI::IsMember({"tv", "modem"}));
    std::string pullKind;
    bool pullAll = false;
    std::vector<std::string> pullArguments;
    auto* loggersPull = loggers->add_subcommand(
        "pull", "Save loggers as the Loggers tab saves them, into DIR (default: Loggers)");
    loggersPull
        ->add_option("--kind", pullKind, "tv or modem (default: both lists; tv for logger numbers)")
        ->check(CLI::IsMember({"tv", "modem"}));
    loggersPull->add_flag("--all", pullAll, "Every logger of the kind (the default)");
    loggersPull->add_option("NUMBERS_AND_DIR", pullArguments,
                            "Logger numbers as 'loggers list' shows them, then the folder");
    std::string showFile;
    bool showCsv = false;
    auto* loggersShow = loggers->add_subcommand("show", "Print a logger file as a table");
    loggersShow->add_option("FILE", showFile, "A .logtv, .logds or .logmr file")->required();
    loggersShow->add_flag("--csv", showCsv, "As a spreadsheet (CSV) instead");
    std::string showLimits;
    loggersShow
        ->add_option("--limits", showLimits,
                     "Judge on this limit set of the program's, or a limit set file")
        ->type_name("NAME|FILE");
    std::string showUnits = "dBuV";
    loggersShow->add_option("--units", showUnits, "Levels in dBuV (default) or dBmV")
        ->type_name("UNIT");
    std::vector<std::string> checkFiles;
    std::string checkLimits, checkUnits = "dBuV";
    bool checkCsv = false;
    auto* loggersCheck = loggers->add_subcommand(
        "check", "Judge logger files on a limit set: verdicts, summary, network figures");
    loggersCheck->add_option("FILE", checkFiles, "Logger files, or folders of them")->required();
    loggersCheck
        ->add_option("--limits", checkLimits,
                     "A limit set of the program's (default: the first, 'Subscriber "
                     "outlet, 256QAM'), or a limit set file")
        ->type_name("NAME|FILE");
    loggersCheck->add_option("--units", checkUnits, "Levels in dBuV (default) or dBmV")
        ->type_name("UNIT");
    loggersCheck->add_flag("--csv", checkCsv, "As a spreadsheet (CSV) instead");

    auto* update =
        app.add_subcommand("update", "Firmware updates (ask first)")->require_subcommand(1);
    std::string ioFile, instrumentFile;
    auto* updateIO = update->add_subcommand("io", "Update the IO interface");
    updateIO->add_option("FILE", ioFile, "Intel HEX file (.hex)")->required();
    auto* updateInstrument = update->add_subcommand("instrument", "Update the instrument");
    updateInstrument->add_option("FILE", instrumentFile, "Firmware file (.p52)")->required();

    std::string query;
    auto* send = app.add_subcommand("send", "Send one query and print its answer (service)");
    send->add_option("COMMAND", query, "The query, e.g. *?NS")->required();

    // Each command's help names the options every command takes.
    std::function<void(CLI::App*)> footAll = [&](CLI::App* command) {
        for (CLI::App* sub : command->get_subcommands({})) {
            sub->footer(
                "Options of every command: --simulate[=DIR], --trace FILE, --device PATH, "
                "-y/--yes, --json, -q/--quiet (see veltra52-cli --help).");
            footAll(sub);
        }
    };
    footAll(&app);

    std::string nearest;
    if (const std::string unknown = UnknownCommand(app, args, nearest); !unknown.empty()) {
        const LanguageTable& texts = CliTexts(system);
        system.err << kName << FillIn(texts.text(text::kSubcommandUnknown), {unknown}) << '\n';
        if (!nearest.empty())
            system.err << kName << FillIn(texts.text(text::kDidYouMean), {nearest}) << '\n';
        system.err << texts.text(text::kCliRunHelp) << '\n';
        return kUsage;
    }
    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {  // --help, --version
            app.exit(error, system.out, system.err);
            return kDone;
        }
        const LanguageTable texts = CliTexts(system);
        system.err << kName << UsageErrorText(error, texts) << '\n'
                   << texts.text(text::kCliRunHelp) << '\n';
        return kUsage;
    }

    Outcome<StartedInstrument> instrument = StartInstrument(
        {options.simulate, options.simulateFolder, options.traceFile}, system.backend);
    if (!instrument) {
        system.err << kName << instrument.detail() << '\n';
        return kUsage;
    }
    HidBackend* backend = &instrument->device();
    const TracingBackend* traced = instrument->trace();

    Session s(system, options, *backend);
    const auto run = [&]() -> int {
        // The plans must not change before an interrupted delete is finished.
        if (*plans && !*plansRecover) {
            if (const auto note = s.transfers.PendingWriteBack()) {
                s.message(message::kWriteBackPending, *note);
                s.say(text::kRecoverFirst);
                return kFailed;
            }
        }
        if (*devices) return Devices(s, *backend);
        if (*info) return Info(s);
        if (*clockSet) return ClockSet(s, time);
        if (*plansList) return PlansList(s);
        if (*plansPull) return PlansPull(s, pullFolder);
        if (*plansPush) return PlansPush(s, pushFiles);
        if (*plansDelete) return PlansDelete(s, deleteNames);
        if (*plansErase) return PlansEraseAll(s);
        if (*loggersList) return LoggersList(s, listKind);
        if (*loggersPull) {
            if (pullAll && !pullArguments.empty() && WholeNumber(pullArguments.front())) {
                s.say(text::kAllAndNumbers);
                return kUsage;
            }
            const bool numbered = !pullArguments.empty() && WholeNumber(pullArguments.front());
            if (!pullKind.empty() || numbered)
                return LoggersPull(s, pullKind.empty() ? "tv" : pullKind, pullArguments);
            // Both lists, the TV loggers first; the worse status of the two.
            const int tv = LoggersPull(s, "tv", pullArguments);
            if (tv != kDone) return tv;
            return LoggersPull(s, "modem", pullArguments);
        }
        if (*loggersShow) return LoggersShow(s, showFile, showCsv, showLimits, showUnits);
        if (*loggersCheck) return LoggersCheck(s, checkFiles, checkLimits, checkUnits, checkCsv);
        if (*updateIO) return UpdateIO(s, ioFile);
        if (*updateInstrument) return UpdateInstrument(s, instrumentFile);
        if (*send) return Send(s, query);
        if (*plansRecover) return PlansRecover(s);
        return kUsage;
    };
    int status = run();
    // What a script reads must be there whole: an output or a trace that could not be written
    // is a failure, whatever the instrument did.
    system.out.flush();
    if (!system.out) {
        s.say(text::kOutputUnwritable);
        status = kFailed;
    }
    if (traced && traced->failed()) {
        s.say(text::kTraceUnwritable, {options.traceFile});
        status = kFailed;
    }
    return status;
}

}  // namespace veltra::cli
