#include "language/Language.h"

#include "text/Files.h"

namespace veltra {

Language::Language(std::string programFolder, std::string dataFolder)
    : programFolder_(WithSeparator(std::move(programFolder))),
      dataFolder_(dataFolder.empty() ? programFolder_ : WithSeparator(std::move(dataFolder))) {}

std::string ChooseDataFolder(const std::string& programFolder, bool programFolderWritable,
                             const std::string& userDataFolder) {
    if (programFolderWritable || userDataFolder.empty()) return WithSeparator(programFolder);
    return WithSeparator(userDataFolder);
}

}  // namespace veltra
