// The steps of taking a set-up off this computer (RemoveComputerSide), in words and as JSON.
#pragma once

#include "ctl/Json.h"
#include "library/Quillet_Library.h"

#include <string>
#include <vector>

// "share", "link", "parent-right", "folder-rights", "folder".
const char* StepWord(Brede_ComputerStepKind kind);
// "removed", "kept", "left", "failed".
const char* OutcomeWord(Brede_ComputerStepOutcome outcome);

// One line: "removed the share Reports", "kept the folder /home/a/Scans: the folder and the scans
// in it stay".
std::string DescribeStep(const Brede_ComputerStep& step);

// [{"step":"share","outcome":"removed","subject":"Reports","detail":""},...]
JsonArray StepsJson(const std::vector<Brede_ComputerStep>& steps);
