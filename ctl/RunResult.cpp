#include "ctl/RunResult.h"

#include "ctl/ExitCodes.h"

void RunResult::Start(bool json)
{
    *this = RunResult();
    m_json = json;
}

void RunResult::AddError(const std::string& text)
{
    m_message += (m_message.empty() ? "" : "\n") + text;
}

void RunResult::SetFailure(const std::string& text)
{
    m_failure = text;
}

std::string RunResult::Document(int exitCode) const
{
    JsonObject document;
    document.Set("ok", exitCode == kExitOk).SetAll(m_fields);
    if (exitCode != kExitOk) {
        JsonObject error;
        error.Set("code", ExitCodeWord(exitCode))
            .Set("exitCode", exitCode)
            .Set("message", !m_message.empty() ? m_message : !m_failure.empty() ? m_failure : "a step failed");
        document.Set("error", error);
    }
    return document.Text();
}

RunResult& CurrentRun()
{
    static RunResult result;
    return result;
}
