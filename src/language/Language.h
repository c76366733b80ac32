// The program's language: the text table, the current language name and the program folder
// with the files under it. Plain C++.
#pragma once

#include <string>

#include "language/LanguageTable.h"

namespace veltra {

class Language {
public:
    // `programFolder` is the folder of the program file; a trailing separator is added.
    // `settingsFolder` holds "config.txt"; empty means the program folder.
    explicit Language(std::string programFolder, std::string settingsFolder = {});

    LanguageTable& table() { return table_; }
    const LanguageTable& table() const { return table_; }
    const std::string& text(int key) const { return table_.text(key); }

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    const std::string& programFolder() const { return programFolder_; }
    std::string languagesFolder() const { return programFolder_ + "Languages/"; }
    std::string imagesFolder() const { return programFolder_ + "Images/"; }
    std::string languageFile() const { return languagesFolder() + name_ + ".lng"; }
    std::string flagFile() const { return languagesFolder() + name_ + ".bmp"; }
    std::string noLanguageFlagFile() const { return languagesFolder() + "NoLanguage.bmp"; }
    std::string configFile() const { return settingsFolder_ + "config.txt"; }

private:
    LanguageTable table_;
    std::string name_ = "English";
    std::string programFolder_;
    std::string settingsFolder_;
};

}  // namespace veltra
