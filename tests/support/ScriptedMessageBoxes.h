// Message boxes for tests: each box is recorded (caption, text, style) and answered from a
// script. While an object lives it is the process's message-box service.
#pragma once

#include "platform/core/Services.h"
#include "platform/ui/MessageBoxes.h"

#include <deque>
#include <string>
#include <vector>

class ScriptedMessageBoxes : public platform::IMessageBoxes {
public:
    struct Box {
        std::string caption; // UTF-8
        std::string text;
        unsigned style;
    };

    ScriptedMessageBoxes() : m_use(*this) {}

    // The answer to the next box not yet answered; without one, a box gets its default button.
    void Answer(int button) { m_answers.push_back(button); }

    int Show(const CString& text, const CString& caption, unsigned style) override;

    const std::vector<Box>& Shown() const { return m_shown; }

private:
    std::deque<int> m_answers;
    std::vector<Box> m_shown;
    platform::ScopedService<platform::IMessageBoxes> m_use;
};
