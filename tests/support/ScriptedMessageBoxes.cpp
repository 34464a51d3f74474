#include "ScriptedMessageBoxes.h"

int ScriptedMessageBoxes::Show(const CString& text, const CString& caption, unsigned style)
{
    m_shown.push_back({caption.ToUtf8(), text.ToUtf8(), style});
    if (m_answers.empty())
        return platform::DefaultButton(style);
    int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
