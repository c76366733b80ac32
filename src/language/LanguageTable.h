// The language table: the user-visible texts of the program, filled from language files.
// Plain C++; the windows read the texts through it.
#pragma once

#include "text/Text.h"

#include <array>
#include <istream>
#include <string>
#include <vector>

namespace veltra {

// Keys 0..169 are the program's original texts; the texts added since follow them. A language
// file written before a text was added lacks it: the table then holds its English wording.
inline constexpr int kFirstAddedText = 170;
inline constexpr int kLanguageTextCount = 313;

class LanguageTable {
  public:
    LanguageTable();
    // Language text `key`; empty for keys outside the table and for original texts no file has
    // set.
    const std::string& text(int key) const;
    void set(int key, std::string text);

  private:
    std::array<std::string, kLanguageTextCount> texts_{};
};

// Outcome of reading one language file into the table.
struct LanguageFileResult {
    bool opened = false;  // false: the file could not be opened, the table is untouched
    std::string error;    // not empty: a key was not a decimal integer; names the bad value.
                          // Entries read before the bad line stay in the table.
};

// Reads language entries from `in` into `table`. Lines look like "label,KEY=text": the part
// before the first "," is ignored, the key runs to the first "=" after it, the text to the end
// of the line. Lines are taken in pieces of at most 199 characters. Lines without "," or without
// "=" after it, and keys outside the table, are ignored; a later line wins over an earlier one.
// Text is stored as UTF-8: a line that is not valid UTF-8 is read as Latin-1.
// Returns the conversion error for a non-numeric key, else an empty string.
std::string ReadLanguageEntries(std::istream& in, LanguageTable& table);

LanguageFileResult ReadLanguageFile(const std::string& path, LanguageTable& table);

// Names of the entries of `folder` that end in ".lng" and are not folders, in directory order.
std::vector<std::string> ListLanguageFiles(const std::string& folder);

// "English.lng" -> "English".
std::string LanguageNameOfFile(const std::string& fileName);

// The remembered language name from "config.txt": the first line, at most 19 characters, with
// trailing line breaks and blanks removed. "English" when the file cannot be read or is empty.
std::string ReadLanguageChoice(const std::string& configPath);

// Writes `name` (cut to 19 characters) without a line break. False when the file cannot be made.
bool SaveLanguageChoice(const std::string& configPath, const std::string& name);

}  // namespace veltra
