#include "ctl/ComputerSteps.h"

#include "ctl/Console.h"

namespace {

struct KindWords {
    const char* word;
    const char* noun; // what the step is about, before its subject
};

constexpr KindWords kKinds[] = {
    {"link", "the desktop link"},
    {"share", "the share"},
    {"parent-right", "the search right on"},
    {"folder-rights", "the account's access to"},
    {"folder", "the folder"},
};

constexpr const char* kOutcomes[] = {"removed", "kept", "left", "failed to remove"};
constexpr const char* kOutcomeWords[] = {"removed", "kept", "left", "failed"};

const KindWords& KindOf(Brede_ComputerStepKind kind)
{
    return kKinds[static_cast<unsigned>(kind) < std::size(kKinds) ? kind : BREDE_STEP_SHARE];
}

unsigned OutcomeIndex(Brede_ComputerStepOutcome outcome)
{
    return static_cast<unsigned>(outcome) < std::size(kOutcomes) ? outcome : BREDE_STEP_FAILED;
}

} // namespace

const char* StepWord(Brede_ComputerStepKind kind)
{
    return KindOf(kind).word;
}

const char* OutcomeWord(Brede_ComputerStepOutcome outcome)
{
    return kOutcomeWords[OutcomeIndex(outcome)];
}

std::string DescribeStep(const Brede_ComputerStep& step)
{
    std::string line = std::string(kOutcomes[OutcomeIndex(step.outcome)]) + " " + KindOf(step.kind).noun + " " +
                       Utf8(step.subject);
    return step.detail.IsEmpty() ? line : line + ": " + Utf8(step.detail);
}

JsonArray StepsJson(const std::vector<Brede_ComputerStep>& steps)
{
    JsonArray json;
    for (const Brede_ComputerStep& step : steps)
        json.Add(JsonObject()
                     .Set("step", StepWord(step.kind))
                     .Set("outcome", OutcomeWord(step.outcome))
                     .Set("subject", Utf8(step.subject))
                     .Set("detail", Utf8(step.detail)));
    return json;
}
