#include "loggers/LoggerReport.h"

#include "language/TextKeys.h"
#include "text/Text.h"

namespace veltra {

LabelledValues LimitSetValues(const LimitSet& limits, const LanguageTable& texts, LevelUnit unit) {
    LabelledValues values;
    for (const LimitField& field : LimitFields()) {
        // The words name dBuV where the value is a level: such a value is shown in `unit`.
        const std::string words = texts.text(field.text);
        const std::string named = WithUnitNamed(words, unit);
        const bool level = named != words || words.find("dBmV") != std::string::npos;
        auto number = [&](double v) { return FixedDecimals(level ? LevelIn(v, unit) : v, 1); };
        std::string value;
        if (field.range) {
            value = number((limits.*field.range).min) + " .. " + number((limits.*field.range).max);
        } else if (field.value == &LimitSet::maxBer) {
            value = Scientific(limits.maxBer);
        } else {
            value = number(limits.*field.value);
        }
        values.push_back({named, value});
    }
    return values;
}

LoggerReport ReportOf(const std::string& kind, const std::string& name, const std::string& plan,
                      const std::string& date, const std::string& time,
                      const ReportDetails& details, const ReportInstrument& instrument,
                      const LoggerVerdict& verdict, const LimitSet& limits,
                      const LanguageTable& texts, LevelUnit unit) {
    LoggerReport report;
    report.title = texts.text(text::kReportTitle) + ": " + kind + " " + name;
    auto fact = [&](int key, const std::string& value) {
        if (!value.empty()) report.facts.push_back({texts.text(key), value});
    };
    fact(text::kReportTechnician, details.technician);
    fact(text::kReportSite, details.site);
    fact(text::kReportWorkOrder, details.workOrder);
    fact(text::kReportInstrument,
         instrument.simulated && !instrument.model.empty()
             ? instrument.model + " (" + texts.text(text::kSimulatedInstrument) + ")"
             : instrument.model);
    fact(text::kReportSerial, instrument.serial);
    // The viewers' own labels, without their colons.
    auto label = [&](int key) {
        std::string words = texts.text(key);
        while (!words.empty() && (words.back() == ':' || words.back() == ' '))
            words.pop_back();
        return words;
    };
    report.facts.push_back({kind, name});
    if (!plan.empty()) report.facts.push_back({label(137), plan});
    report.facts.push_back({label(22), date});
    report.facts.push_back({label(21), time});
    fact(text::kReportNote, details.note);

    const VerdictWords words = VerdictWordsIn(texts);
    report.pass = verdict.pass();
    report.verdict = texts.text(report.pass ? text::kVerdictPass : text::kVerdictFail) + ": " +
                     ChannelsSummaryText(verdict, texts, words, unit);
    for (const FigureVerdict& f : verdict.figures)
        report.figures.push_back(FigureText(f, words));
    report.limitSet = texts.text(text::kReportLimitSet) + ": " + limits.name;
    report.limits = LimitSetValues(limits, texts, unit);
    return report;
}

std::vector<std::vector<std::size_t>> TableParts(const std::vector<double>& widths, double room,
                                                 double lastAtLeast) {
    if (widths.size() < 3) {
        std::vector<std::size_t> all(widths.size());
        for (std::size_t c = 0; c < all.size(); ++c)
            all[c] = c;
        return {all};
    }
    const std::size_t last = widths.size() - 1;
    std::vector<std::vector<std::size_t>> parts;
    std::vector<std::size_t> part{0};
    double used = widths[0];
    for (std::size_t c = 1; c < last; ++c) {
        // A column that does not fit beside the verdict starts a part of its own, unless the
        // part holds nothing yet but the rows' number.
        if (used + widths[c] + lastAtLeast > room && part.size() > 1) {
            part.push_back(last);
            parts.push_back(part);
            part = {0};
            used = widths[0];
        }
        part.push_back(c);
        used += widths[c];
    }
    part.push_back(last);
    parts.push_back(part);
    return parts;
}

ReportTable TablePart(const ReportTable& table, const std::vector<std::size_t>& columns) {
    auto pick = [&](const std::vector<std::string>& row) {
        std::vector<std::string> picked;
        for (const std::size_t c : columns)
            picked.push_back(c < row.size() ? row[c] : std::string());
        return picked;
    };
    ReportTable part{table.title, pick(table.header), {}, table.fails};
    for (const auto& row : table.rows)
        part.rows.push_back(pick(row));
    return part;
}

}  // namespace veltra
