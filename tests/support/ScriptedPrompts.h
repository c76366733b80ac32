// UserPrompts for tests: records what would be shown and answers from a script.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "face/UserPrompts.h"

namespace veltra::test {

struct ShownMessage {
    std::string caption;
    std::string text;
    MessageIcon icon;
    int code = 0;
};

class ScriptedPrompts : public UserPrompts {
  public:
    void showMessage(int code, const std::string& caption, const std::string& text,
                     MessageIcon icon) override {
        messages.push_back({caption, text, icon, code});
    }
    bool askYesNo(const std::string& caption, const std::string& text) override {
        questions.push_back(caption + "|" + text);
        if (yesNoAnswers.empty()) return false;
        const bool answer = yesNoAnswers.front();
        yesNoAnswers.pop_front();
        return answer;
    }
    YesNoCancel askYesNoCancel(const std::string& caption, const std::string& text) override {
        questions.push_back(caption + "|" + text);
        if (yesNoCancelAnswers.empty()) return YesNoCancel::Cancel;
        const YesNoCancel answer = yesNoCancelAnswers.front();
        yesNoCancelAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseOpenFile(FileDialogState& dialog) override {
        if (files.empty()) return std::nullopt;
        dialog.fileName = files.front();
        files.pop_front();
        return dialog.fileName;
    }
    std::vector<std::string> chooseOpenFiles(FileDialogState& dialog) override {
        std::vector<std::string> chosen(files.begin(), files.end());
        files.clear();
        if (!chosen.empty()) dialog.fileName = chosen.front();
        return chosen;
    }
    std::optional<std::string> chooseSaveFile(FileDialogState& dialog) override {
        return chooseOpenFile(dialog);
    }
    void processEvents() override {
        ++eventPasses;
        if (onProcessEvents) onProcessEvents();
    }
    void beginWait() override { ++waitDepth; }
    void endWait() override { --waitDepth; }

    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const ShownMessage& m : messages)
            texts.push_back(m.text);
        return texts;
    }

    std::vector<ShownMessage> messages;
    std::vector<std::string> questions;
    std::deque<bool> yesNoAnswers;
    std::deque<YesNoCancel> yesNoCancelAnswers;
    std::deque<std::string> files;
    int eventPasses = 0;
    std::function<void()> onProcessEvents;  // what the person does meanwhile
    int waitDepth = 0;
};

}  // namespace veltra::test
