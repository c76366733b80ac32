#include "text/Csv.h"

namespace veltra {

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) record += ',';
        const std::string& field = fields[k];
        // A field starting with a byte-order mark is quoted: at the start of a file a reader
        // would take the mark for the file's own and drop it.
        const bool mark = field.compare(0, 3, "\xEF\xBB\xBF") == 0;
        if (!mark && field.find_first_of(",\"\r\n") == std::string::npos) {
            record += field;
            continue;
        }
        record += '"';
        for (char c : field) {
            if (c == '"') record += '"';
            record += c;
        }
        record += '"';
    }
    return record + "\r\n";
}

Outcome<std::vector<CsvRow>> ParseCsv(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<CsvRow> rows;
    CsvRow row;
    std::string field;
    int line = 1;
    int quoteLine = 0;
    bool quoted = false, fieldStarted = false;
    auto endField = [&] {
        row.fields.push_back(std::move(field));
        field.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        const bool empty = row.fields.empty() && !fieldStarted && field.empty();
        if (!empty) {
            endField();
            rows.push_back(std::move(row));
        }
        row = CsvRow{};
        row.line = line + 1;
    };
    row.line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                if (c == '\n') ++line;
                field += c;
            }
            continue;
        }
        if (c == '"' && field.empty()) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == ',') {
            fieldStarted = true;
            endField();
            fieldStarted = true;
        } else if (c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
            if (c == '\r') ++i;
            endRecord();
            ++line;
        } else {
            fieldStarted = true;
            field += c;
        }
    }
    if (quoted) return {Failure::BadFile, std::to_string(quoteLine)};
    endRecord();
    return rows;
}

}  // namespace veltra
