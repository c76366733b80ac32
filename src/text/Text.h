// The general text and file helpers every part of the program and the simulator may use: text
// grids, decimal fields, line reading, UTF-8 and file names (whole files: Files.h). Plain C++;
// depends on nothing of the program.
#pragma once

#include <cstddef>
#include <ctime>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

// A grid of text cells addressed as (column, row); row 0 is the header row.
class TextGrid {
  public:
    virtual ~TextGrid() = default;
    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
    virtual std::string cell(int column, int row) const = 0;
    virtual void setCell(int column, int row, const std::string& text) = 0;
};

// A TextGrid in memory, `columns` wide (a grid without a window: tests, the command line).
class MemoryGrid : public TextGrid {
  public:
    explicit MemoryGrid(int columns) : columns_(static_cast<std::size_t>(columns)) {}
    int rowCount() const override { return static_cast<int>(rows_.size()); }
    void setRowCount(int rows) override {
        rows_.resize(static_cast<std::size_t>(rows), std::vector<std::string>(columns_));
    }
    std::string cell(int column, int row) const override {
        return rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column));
    }
    void setCell(int column, int row, const std::string& text) override {
        rows_.at(static_cast<std::size_t>(row)).at(static_cast<std::size_t>(column)) = text;
    }

  private:
    std::size_t columns_;
    std::vector<std::vector<std::string>> rows_;
};

// True when `value` is there and within [low, high].
bool InRange(std::optional<long long> value, long long low, long long high);

// Decimal text of `value` with zeros in front up to `width` characters (5, 3 -> "005").
std::string ZeroPadded(long long value, std::size_t width);

// Leading decimal integer of a text ("6.875" reads as 6); 0 when there is none.
long long LeadingInteger(const std::string& text);

// Splits `text` at every "&" (the wire texts' field separator); the pieces view `text`.
std::vector<std::string_view> SplitAmpersands(std::string_view text);

// Reads the fields of a line one after the other: each ends at the next `separator`; the last
// one at the end of the text. Past the end every field is empty.
class FieldSplitter {
  public:
    FieldSplitter(std::string_view text, char separator) : text_(text), separator_(separator) {}
    std::string_view next();
    // Everything not read yet, separators included (a last field that may hold them).
    std::string_view rest();

  private:
    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
};

// Digits only, as a number: no sign, no blank, no decimal mark ("6952x" and "+7000" are not).
std::optional<long long> WholeNumber(std::string_view text);

// Reads a whole field as a decimal integer (optional sign, digits, nothing else).
std::optional<long long> ParseDecimal(std::string_view text);

// True when the text is valid UTF-8 without control characters (C0, DEL, C1): a name the
// instrument answers, a name a file may hold.
bool IsPrintableText(std::string_view text);

// Reads text line by line in pieces of at most `maxLength` characters; a line break is LF with
// an optional CR before it, and is not part of the line.
class TextLineReader {
  public:
    explicit TextLineReader(std::string content, std::size_t start = 0)
        : content_(std::move(content)), pos_(start) {}
    // The next line; empty optional after the end of the text.
    std::optional<std::string> next(std::size_t maxLength = 199);

  private:
    std::string content_;
    std::size_t pos_;
};

// A name supplied by the instrument or the person as a file name that stays in its folder:
// separators and characters a file name cannot hold are replaced by "_"; "." and ".." and the
// empty name become "_"; a name that is not UTF-8 is read as Latin-1.
std::string SafeFileName(const std::string& name);

// A language text with its places filled: "%1" takes the first value, "%2" the second and so
// on, in whatever order the translation puts them. A place without a value stays as written.
std::string FillIn(const std::string& text, std::initializer_list<std::string> values);

// The local time of `when`, on every system.
std::tm LocalTime(std::time_t when);

// Characters (not bytes) of UTF-8 text, and its first `count` characters.
std::size_t CharacterCount(const std::string& text);
std::string FirstCharacters(const std::string& text, std::size_t count);

// A number with a fixed count of decimals and a point, whatever the locale: "44.6".
std::string FixedDecimals(double value, int decimals);
// A number as the instrument writes a BER: one decimal and the shortest exponent, "2.1E-6".
std::string Scientific(double value);
// Rows of cells as text columns two spaces apart, each as wide as its widest cell in
// characters; one line per row.
std::string AlignedColumns(const std::vector<std::vector<std::string>>& rows);

// Whether `text` ends exactly (case counts) with `end`: file extensions.
bool EndsWith(const std::string& text, const std::string& end);

// Bytes that are valid UTF-8 are returned unchanged; anything else is read as Latin-1.
std::string BytesToUtf8(const std::string& bytes);
// Text that can be shown and typed: printable UTF-8 stays as it is; a control byte, or a byte
// that is not part of valid UTF-8, becomes "\xHH" ("ESPA\xD1A" for a Latin-1 name).
std::string EscapedText(const std::string& bytes);
bool IsValidUtf8(const std::string& bytes);

// Length in bytes of the UTF-8 sequence starting with `lead`, 0 when `lead` cannot start one.
std::size_t Utf8SequenceLength(unsigned char lead);

}  // namespace veltra
