// What a test of an operation works with: a simulated instrument behind the link, a language
// whose texts are their own keys ("T12"), scripted prompts, the busy guard and a folder of its
// own. Fixtures derive from it and add the operations they test.
#pragma once

#include <string>
#include <vector>

#include "face/DeviceBusy.h"
#include "face/Messages.h"
#include "language/LanguageTable.h"
#include "link/Link.h"
#include "sim/Simulator.h"
#include "support/ScriptedPrompts.h"
#include "support/TempFolder.h"

namespace veltra::test {

struct OperationRig {
    OperationRig() {
        for (int key = 0; key < kLanguageTextCount; ++key)
            texts.set(key, "T" + std::to_string(key));
    }
    // A numbered message as the person reads it in this language.
    std::string msg(int code) const { return *MessageText(code, texts); }
    std::vector<std::string> messages() const { return prompts.messageTexts(); }
    // The messages with the system's reason after a file's name left out ("T18\n/x/a.logtv"): its
    // words are the system's own, and differ between systems.
    std::vector<std::string> messagesNamingFiles() const {
        std::vector<std::string> texts = messages();
        for (std::string& text : texts) {
            const std::size_t file = text.find('\n');
            const std::size_t reason = file == std::string::npos ? file : text.find(": ", file);
            if (reason == std::string::npos) continue;
            const std::size_t end = text.find('\n', reason);
            text.erase(reason, end == std::string::npos ? std::string::npos : end - reason);
        }
        return texts;
    }

    TempFolder folder;
    sim::Simulator sim;
    LanguageTable texts;
    ScriptedPrompts prompts;
    DeviceBusy busy;
    Link link{sim};
};

}  // namespace veltra::test
