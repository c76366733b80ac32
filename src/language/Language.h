// The program's language: the text table, the current language name and the program folder
// with the files under it. Plain C++.
#pragma once

#include <string>

#include "language/LanguageTable.h"

namespace veltra {

class Language {
  public:
    // `programFolder` is the folder of the program file; a trailing separator is added.
    // `dataFolder` holds "config.txt" and the Loggers folder; empty means the program folder.
    explicit Language(std::string programFolder, std::string dataFolder = {});

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
    std::string configFile() const { return dataFolder_ + "config.txt"; }
    const std::string& dataFolder() const { return dataFolder_; }
    std::string loggersFolder() const { return dataFolder_ + "Loggers/"; }

  private:
    LanguageTable table_;
    std::string name_ = "English";
    std::string programFolder_;
    std::string dataFolder_;
};

// Where "config.txt" and the Loggers folder live: beside the program when its folder is
// writable (the build folder, a portable folder), else in the user's data folder (an installed
// program).
std::string ChooseDataFolder(const std::string& programFolder, bool programFolderWritable,
                             const std::string& userDataFolder);

}  // namespace veltra
