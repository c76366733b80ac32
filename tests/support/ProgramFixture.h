// The whole program on the simulated instrument, in a temporary program folder that holds the
// shipped data folders, with scripted prompts.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "face/Messages.h"
#include "language/Language.h"
#include "link/Link.h"
#include "shell/windows/Program.h"
#include "sim/Simulator.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace veltra::test {

class ProgramFixture : public ::testing::Test {
  protected:
    ProgramFixture() {
        for (const char* sub : {"Images", "Languages", "Version"}) {
            std::filesystem::copy(std::filesystem::path(VELTRA_DATA_DIR) / sub, folder.path() / sub,
                                  std::filesystem::copy_options::recursive);
        }
        // Like the build, which only makes the folder: a fresh clone has no Loggers in data/.
        std::filesystem::create_directory(folder.path() / "Loggers");
    }

    // Creates the windows; `start` also runs the start step.
    void create(bool start = true) {
        language = std::make_unique<Language>(folder.str(), dataFolder);
        link = std::make_unique<Link>(sim);
        program = std::make_unique<Program>(*language, *link, prompts);
        if (start) form().AlExecutar();
    }

    TForm1& form() { return *program->Form1; }
    std::string text(int key) const { return language->text(key); }
    std::string messageText(int code) const { return *MessageText(code, language->table()); }

    TempFolder folder;
    std::string dataFolder;  // empty: the program folder, as for a build or an unpacked copy
    sim::Simulator sim;
    ScriptedPrompts prompts;
    std::unique_ptr<Language> language;
    std::unique_ptr<Link> link;
    std::unique_ptr<Program> program;
};

}  // namespace veltra::test
