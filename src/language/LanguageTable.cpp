#include "language/LanguageTable.h"

#include "text/Files.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <system_error>

namespace veltra {

namespace {

constexpr std::size_t kPieceLength = 199;
constexpr std::size_t kLanguageNameLength = 19;

// Splits a UTF-8 line (line feed included) into pieces of at most 199 characters.
std::vector<std::string> SplitIntoPieces(const std::string& line) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    while (start < line.size()) {
        std::size_t pos = start;
        std::size_t chars = 0;
        while (pos < line.size() && chars < kPieceLength) {
            pos +=
                std::max<std::size_t>(1, Utf8SequenceLength(static_cast<unsigned char>(line[pos])));
            ++chars;
        }
        pos = std::min(pos, line.size());
        pieces.push_back(line.substr(start, pos - start));
        start = pos;
    }
    return pieces;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Reads a decimal integer the way the language files have always been read: blanks around it
// are allowed, anything else makes the key invalid.
bool ParseKey(const std::string& text, long long& value) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    if (begin == end) return false;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    if (*first == '+') ++first;
    if (first == last) return false;
    auto [ptr, ec] = std::from_chars(first, last, value);
    return ec == std::errc() && ptr == last && value >= INT32_MIN && value <= INT32_MAX;
}

// Returns an error text for a bad key, else an empty string.
std::string ReadPiece(const std::string& piece, LanguageTable& table) {
    std::string line = piece;
    if (!line.empty() && line.back() == '\n') line.pop_back();
    const std::size_t comma = line.find(',');
    if (comma == std::string::npos) return {};
    const std::size_t equals = line.find('=', comma + 1);
    if (equals == std::string::npos) return {};
    const std::string keyText = line.substr(comma + 1, equals - comma - 1);
    long long key = 0;
    if (!ParseKey(keyText, key)) return "'" + keyText + "' is not a valid integer value";
    if (key >= 0 && key < kLanguageTextCount)
        table.set(static_cast<int>(key), line.substr(equals + 1));
    return {};
}

// The English wording of the added texts, from key 170 on.
constexpr const char* kAddedTexts[] = {
    // 170: message 42
    "A deletion of channel plans was interrupted before its kept plans were sent back. Finish it "
    "first.",
    // 171: the question that finishes it
    "A deletion of channel plans was interrupted before its kept plans were sent back. Send them "
    "back to the instrument now?",
    // 172
    "Rows not listed:",
    "Export marked loggers as CSV...",  // 173
    "Import CSV...",                    // 174
    "Export CSV...",                    // 175
    "Save graph as...",                 // 176
    "Limits...",                        // 177
    "Compare with...",                  // 178
    "Limits",                           // 179
    "Minimum level (dBµV)",  // 180, no longer shown: the Limits dialog names each limit of a set
    "Maximum level (dBµV)",  // 181, no longer shown: the Limits dialog names each limit of a set
    "Minimum MER (dB)",      // 182, no longer shown: the Limits dialog names each limit of a set
    "Minimum C/N (dB)",      // 183, no longer shown: the Limits dialog names each limit of a set
    "Δ PWR (dB)",            // 184
    "Δ MER - C/N (dB)",      // 185
    "only here",             // 186
    "Only in the compared logger (MHz):",                                             // 187
    "(compared)",                                                                     // 188
    "Firmware",                                                                       // 189
    "Channel plans",                                                                  // 190
    "Loggers",                                                                        // 191
    "Spreadsheets",                                                                   // 192
    "Pictures",                                                                       // 193
    "TV loggers",                                                                     // 194
    "All files",                                                                      // 195
    "Model of the connected instrument",                                              // 196
    "Serial number of the connected instrument",                                      // 197
    "Firmware version of the IO interface",                                           // 198
    "Firmware version of the instrument",                                             // 199
    "Folder:",                                                                        // 200
    "Open loggers folder",                                                            // 201
    "--time must be a time that exists, written HH:MM:SS/DD-MM-YYYY",                 // 202
    "the instrument holds no plan named \"%1\"",                                      // 203
    "no interrupted delete to finish",                                                // 204
    "not a logger number: %1",                                                        // 205
    "the instrument holds no %1 logger %2",                                           // 206
    "--all and logger numbers do not go together",                                    // 207
    "finish it with 'veltra52-cli plans recover'",                                    // 208
    "the output could not be written",                                                // 209
    "the trace could not be written whole: %1",                                       // 210
    "this command asks before it changes the instrument: confirm with --yes",         // 211
    "nothing was done: the question was answered no",                                 // 212
    "Plans to delete: %1",                                                            // 213
    "Channel plan name",                                                              // 214
    "Channel plan file",                                                              // 215
    "Logger name",                                                                    // 216
    "Logger file",                                                                    // 217
    "Version now in the equipment",                                                   // 218
    "Firmware file to be loaded",                                                     // 219
    "Progress of the operation",                                                      // 220
    "Downstream channels",                                                            // 221
    "Upstream channels",                                                              // 222
    "Compared with %1 of %2 %3. Δ = compared − this.",                                // 223
    "this logger",                                                                    // 224
    "compared logger",                                                                // 225
    "outside the limits",                                                             // 226
    "unknown command: %1",                                                            // 227
    "OK",                                                                             // 228
    "Cancel",                                                                         // 229
    "Level",                                                                          // 230
    "threshold",                                                                      // 231
    "Pass",                                                                           // 232
    "not measured",                                                                   // 233
    "Tilt (analog)",                                                                  // 234
    "Tilt (digital)",                                                                 // 235
    "Peak-to-valley (analog)",                                                        // 236
    "Peak-to-valley (digital)",                                                       // 237
    "Largest adjacent difference (analog)",                                           // 238
    "Largest adjacent difference (digital)",                                          // 239
    "Digital to analog",                                                              // 240
    "%1 of %2 channels pass",                                                         // 241
    "first failing: %1",                                                              // 242
    "Limits: %1",                                                                     // 243
    "Verdict",                                                                        // 244
    "Fail",                                                                           // 245
    "no limit set named \"%1\"; the program's own: %2",                               // 246
    "--units must be dBuV or dBmV",                                                   // 247
    "analog",                                                                         // 248
    "digital",                                                                        // 249
    "Analog level (dBµV)",                                                            // 250
    "Digital level (dBµV)",                                                           // 251
    "Minimum MER (dB)",                                                               // 252
    "Minimum C/N (dB)",                                                               // 253
    "Maximum BER (before correction)",                                                // 254
    "Maximum tilt (dB)",                                                              // 255
    "Maximum peak-to-valley (dB)",                                                    // 256
    "Maximum adjacent difference (dB)",                                               // 257
    "Digital to analog (dB)",                                                         // 258
    "DOCSIS downstream level (dBµV)",                                                 // 259
    "Minimum downstream MER (dB)",                                                    // 260
    "Modem upstream level (dBµV)",                                                    // 261
    "Limit set:",                                                                     // 262
    "Name:",                                                                          // 263
    "Save as own set",                                                                // 264
    "Import...",                                                                      // 265
    "Export...",                                                                      // 266
    "Limit set files",                                                                // 267
    "\"%1\" is a set of the program's: give your own set another name.",              // 268
    "The limit set cannot be used: %1",                                               // 269
    "The limit set has been saved: %1",                                               // 270
    "Levels in dBmV (dBµV − 60)",                                                     // 271
    "Measurement report",                                                             // 272
    "Technician",                                                                     // 273
    "Site or test point",                                                             // 274
    "Work order",                                                                     // 275
    "Note",                                                                           // 276
    "Instrument",                                                                     // 277
    "Serial number",                                                                  // 278
    "Report details",                                                                 // 279
    "Save report as PDF...",                                                          // 280
    "Print report...",                                                                // 281
    "PDF files",                                                                      // 282
    "Page %1 of %2",                                                                  // 283
    "Made %1 with %2",                                                                // 284
    "Limit set",                                                                      // 285
    "Network figures",                                                                // 286
    "Channels",                                                                       // 287
    "The logger file cannot be used: it is damaged or is not a logger file.",         // 288
    "Line %1: the file ends inside the logger's header (it was cut short).",          // 289
    "Line %1: not a whole number.",                                                   // 290
    "Line %1: the file ends before the logger does (it was cut short).",              // 291
    "Line %1: the line lacks some of its fields (it was cut short).",                 // 292
    "Line %1: not a valid record.",                                                   // 293
    "Line %1: a measured value that the instrument does not write so (cut short?).",  // 294
    "Line 1: not 0, 1 or 2, the kinds of logger.",                                    // 295
    "Line %1: more than 150 records.",                                                // 296
    "The instrument did not keep every channel of the channel plan.",                 // 297
    "%1: %2 of %3 channels kept.",                                                    // 298
    "The channel plan in slot %1 has a name that is not printable text: %2",          // 299
    "A channel plan that the deletion keeps cannot be sent back to the instrument: its name is "
    "not printable text. Select it too to delete it.",                              // 300
    "The local copies of the channel plans cannot be written in %1: %2",            // 301
    "The IO interface did not come back with its new firmware.",                    // 302
    "No logger is listed: receive the list of loggers from the instrument first.",  // 303
    "Stop comparing",                                                               // 304
    "simulated instrument",                                                         // 305
    "%1 of %2 loggers fail, judged on %3.",                                         // 306
    "The instrument's clock is set to %1.",                                         // 307
    "Did you mean \"%1\"?",                                                         // 308
    "%1: the minimum is above the maximum.",                                        // 309
    "Run with --help for more information.",                                        // 310
    "%1 is required.",                                                              // 311
    "Arguments not expected: %1",                                                   // 312
};
static_assert(std::size(kAddedTexts) == kLanguageTextCount - kFirstAddedText);

}  // namespace

LanguageTable::LanguageTable() {
    for (int key = kFirstAddedText; key < kLanguageTextCount; ++key)
        texts_[static_cast<std::size_t>(key)] = kAddedTexts[key - kFirstAddedText];
}

const std::string& LanguageTable::text(int key) const {
    static const std::string empty;
    if (key < 0 || key >= kLanguageTextCount) return empty;
    return texts_[static_cast<std::size_t>(key)];
}

void LanguageTable::set(int key, std::string text) {
    if (key < 0 || key >= kLanguageTextCount) return;
    texts_[static_cast<std::size_t>(key)] = std::move(text);
}

std::string ReadLanguageEntries(std::istream& in, LanguageTable& table) {
    std::string raw;
    while (std::getline(in, raw)) {
        const bool hadLineFeed = !in.eof();
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();  // CR LF reads as a line feed
        std::string line = BytesToUtf8(raw);
        if (hadLineFeed) line.push_back('\n');
        for (const std::string& piece : SplitIntoPieces(line)) {
            std::string error = ReadPiece(piece, table);
            if (!error.empty()) return error;
        }
    }
    return {};
}

LanguageFileResult ReadLanguageFile(const std::string& path, LanguageTable& table) {
    LanguageFileResult result;
    std::string content;
    if (!ReadWholeFile(path, content, file_limit::kTextFile)) return result;
    result.opened = true;
    std::istringstream in(std::move(content));
    result.error = ReadLanguageEntries(in, table);
    return result;
}

std::vector<std::string> ListLanguageFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const std::string& name : FilesInFolder(folder)) {
        if (EndsWith(name, ".lng")) names.push_back(name);
    }
    return names;
}

std::string LanguageNameOfFile(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string ReadLanguageChoice(const std::string& configPath) {
    std::string content;
    if (!ReadWholeFile(configPath, content, file_limit::kTextFile)) return "English";
    std::string line = content.substr(0, content.find('\n'));
    if (line.size() > kLanguageNameLength) line.resize(kLanguageNameLength);
    // Text editors end the file with a line break; the name never holds one.
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n' || IsBlank(line.back())))
        line.pop_back();
    return line.empty() ? "English" : line;
}

bool SaveLanguageChoice(const std::string& configPath, const std::string& name) {
    return static_cast<bool>(WriteFileAtomically(configPath, name.substr(0, kLanguageNameLength)));
}

}  // namespace veltra
