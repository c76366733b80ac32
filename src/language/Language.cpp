#include "language/Language.h"

namespace veltra {

namespace {
std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder.push_back('/');
    return folder;
}
}  // namespace

Language::Language(std::string programFolder, std::string settingsFolder)
    : programFolder_(WithSeparator(std::move(programFolder))),
      settingsFolder_(settingsFolder.empty() ? programFolder_
                                             : WithSeparator(std::move(settingsFolder))) {}

}  // namespace veltra
