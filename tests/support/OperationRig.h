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

    TempFolder folder;
    sim::Simulator sim;
    LanguageTable texts;
    ScriptedPrompts prompts;
    DeviceBusy busy;
    Link link{sim};
};

}  // namespace veltra::test
