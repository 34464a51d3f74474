// What one tarrowctl run found or did, for --json: one document on standard output,
//   {"ok": true|false, the command's fields..., "error": {"code", "exitCode", "message"}}
// ("error" on failure only). The commands set their fields here and, with --json, print nothing
// else on standard output; Error() and UsageError() (ctl/Console.h) put their texts into
// "error". Progress stays on standard error either way.
#pragma once

#include "ctl/Json.h"

#include <string>

class RunResult {
public:
    // A new run; json: --json was given.
    void Start(bool json);
    bool Json() const { return m_json; }
    JsonObject& Fields() { return m_fields; }

    // An error said on standard error: it becomes the message (several are joined by lines).
    void AddError(const std::string& text);
    // The message of a failure that no error was said for (doctor's problems, a search that
    // found nothing); an error said already stays the message.
    void SetFailure(const std::string& text);

    // The document of the run that ends with this exit code.
    std::string Document(int exitCode) const;

private:
    bool m_json = false;
    JsonObject m_fields;
    std::string m_message, m_failure;
};

RunResult& CurrentRun();
