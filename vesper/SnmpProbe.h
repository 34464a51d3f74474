// Asks a set of addresses for their device facts from one UDP socket and collects the answers.
// Every address gets the query in both SNMP versions, v2c and v1; the first answer without an
// error from an address gives its facts. A v1 agent that refuses one object (noSuchName) is asked
// again without it, until it answers or nothing is left to ask.
#pragma once

#include "DeviceQuery.h"
#include "SearchSettings.h"

#include <map>
#include <vector>

namespace vesper {

struct ProbePlan {
    std::vector<ProbeTarget> targets;
    int rounds = 1;        // first sending plus resends to targets that have not answered
    int roundGapMs = 500;  // time between two sendings
    int quietMs = 750;     // after the last sending, end once nothing came for this long
    int limitMs = 5000;    // end after this long in any case
    std::string community = "public";
    unsigned short port = 161;
};

enum class ProbeStatus {
    Finished,
    Cancelled,    // the cancel descriptor became readable
    SocketError,  // no socket could be had
};

struct ProbeOutcome {
    ProbeStatus status = ProbeStatus::Finished;
    std::map<Ipv4, DeviceFacts> answers;  // by the address that answered, ascending
};

// Runs the plan. cancelFd (or -1) is polled alongside the socket; once it becomes readable the
// probe stops at once. The probe ends early when every target is a single address that answered.
ProbeOutcome RunProbe(const ProbePlan& plan, int cancelFd);

} // namespace vesper
