#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "server_edit/core/editor_prompts.h"

namespace dlk::server_edit::testing {
using namespace ::dlk::testing;

// Plays the user: each dialog takes its scripted attempts in turn, pressing
// OK with each until the dialog accepts one; running out of attempts is
// pressing Cancel. Everything shown is recorded.
class ScriptedPrompts : public EditorPrompts {
public:
    struct Message {
        std::string Text;
        std::string Caption;
        PromptButtons Buttons;
        PromptIcon Icon;
    };

    std::deque<std::vector<ClientFields>> clientDialogs;
    std::deque<std::vector<ModemFields>> modemDialogs;
    std::deque<std::vector<std::string>> portDialogs;
    std::deque<PromptAnswer> answers;

    std::vector<ClientDialogRequest> clientRequests;
    std::vector<ClientVerdict> clientVerdicts;
    std::vector<ModemDialogRequest> modemRequests;
    std::vector<ModemVerdict> modemVerdicts;
    std::vector<std::string> portShown;
    std::vector<Message> messages;

    std::optional<ClientFields> EditClient(const ClientDialogRequest& request) override {
        clientRequests.push_back(request);
        if (clientDialogs.empty()) {
            ADD_FAILURE() << "unexpected client dialog: " << request.Caption;
            return std::nullopt;
        }
        const std::vector<ClientFields> attempts = clientDialogs.front();
        clientDialogs.pop_front();
        for (const ClientFields& fields : attempts) {
            clientVerdicts.push_back(request.check(fields));
            if (clientVerdicts.back() == ClientVerdict::Accept) return fields;
        }
        return std::nullopt;
    }

    std::optional<ModemFields> EditModem(const ModemDialogRequest& request) override {
        modemRequests.push_back(request);
        if (modemDialogs.empty()) {
            ADD_FAILURE() << "unexpected modem dialog: " << request.Caption;
            return std::nullopt;
        }
        const std::vector<ModemFields> attempts = modemDialogs.front();
        modemDialogs.pop_front();
        for (const ModemFields& fields : attempts) {
            modemVerdicts.push_back(request.check(fields));
            if (modemVerdicts.back() == ModemVerdict::Accept) return fields;
        }
        return std::nullopt;
    }

    std::optional<std::string> EditPort(const PortDialogRequest& request) override {
        portShown.push_back(request.Text);
        if (portDialogs.empty()) {
            ADD_FAILURE() << "unexpected port dialog";
            return std::nullopt;
        }
        const std::vector<std::string> attempts = portDialogs.front();
        portDialogs.pop_front();
        for (const std::string& text : attempts) {
            const std::optional<PortRefusal> refusal = request.check(text);
            if (!refusal) return text;
            messages.push_back({refusal->Text, refusal->Caption, PromptButtons::Ok, PromptIcon::Error});
        }
        return std::nullopt;
    }

    PromptAnswer Ask(const std::string& text, const std::string& caption, PromptButtons buttons,
                     PromptIcon icon) override {
        messages.push_back({text, caption, buttons, icon});
        if (buttons == PromptButtons::Ok) return PromptAnswer::Ok;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << text;
            return PromptAnswer::Cancel;
        }
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace dlk::server_edit::testing
