#include "tools/simdevice/snmp/SnmpResponder.h"

#include <algorithm>

namespace simdevice {

using vesper::PduType;
using vesper::SnmpMessage;
using vesper::SnmpVersion;
using vesper::ValueKind;
using vesper::VarBind;

namespace {

using Lookup = std::optional<VarBind> (SnmpMib::*)(const vesper::Oid&) const;

bool Speaks(SnmpVersions versions, SnmpVersion version)
{
    switch (versions) {
    case SnmpVersions::V1Only: return version == SnmpVersion::V1;
    case SnmpVersions::V2cOnly: return version == SnmpVersion::V2c;
    case SnmpVersions::V1AndV2c: break;
    }
    return true;
}

VarBind Exception(const vesper::Oid& name, ValueKind kind)
{
    return VarBind{name, kind, {}};
}

VarBind NextOf(const SnmpMib& mib, const vesper::Oid& name)
{
    auto next = mib.GetNext(name);
    return next ? *next : Exception(name, ValueKind::EndOfMibView);
}

// Get and GetNext: each variable looked up on its own. v2c marks one that is missing with an
// exception value; v1 refuses the whole request with noSuchName, the request's variables and the
// position of the first missing one (from 1).
SnmpMessage EachVariable(SnmpMessage response, const SnmpMessage& request, const SnmpMib& mib, Lookup lookup,
                         ValueKind missing)
{
    for (std::size_t i = 0; i < request.varbinds.size(); ++i) {
        const vesper::Oid& name = request.varbinds[i].name;
        auto found = (mib.*lookup)(name);
        if (!found && request.version == SnmpVersion::V1) {
            response.errorStatus = vesper::kNoSuchName;
            response.errorIndex = static_cast<long>(i) + 1;
            response.varbinds = request.varbinds;
            return response;
        }
        response.varbinds.push_back(found ? *found : Exception(name, missing));
    }
    return response;
}

SnmpMessage Bulk(SnmpMessage response, const SnmpMessage& request, const SnmpMib& mib)
{
    const auto& asked = request.varbinds;
    const auto nonRepeaters = static_cast<std::size_t>(std::clamp<long>(request.errorStatus, 0, asked.size()));
    const long repetitions = std::clamp<long>(request.errorIndex, 0, kMaxRepetitions);
    for (std::size_t i = 0; i < nonRepeaters; ++i)
        response.varbinds.push_back(NextOf(mib, asked[i].name));
    std::vector<vesper::Oid> cursors;
    for (std::size_t i = nonRepeaters; i < asked.size(); ++i)
        cursors.push_back(asked[i].name);
    for (long round = 0; round < repetitions && !cursors.empty(); ++round) {
        bool allEnded = true;
        for (vesper::Oid& cursor : cursors) {
            VarBind next = NextOf(mib, cursor);
            allEnded = allEnded && next.kind == ValueKind::EndOfMibView;
            cursor = next.name;
            response.varbinds.push_back(std::move(next));
        }
        if (allEnded)
            break;
    }
    return response;
}

} // namespace

std::optional<SnmpMessage> Respond(const SnmpMessage& request, const SnmpMib& mib, const std::string& community,
                                   SnmpVersions versions)
{
    if (request.community != community || !Speaks(versions, request.version))
        return std::nullopt;
    SnmpMessage response;
    response.version = request.version;
    response.type = PduType::Response;
    response.requestId = request.requestId;
    response.community = request.community;
    switch (request.type) {
    case PduType::Get: return EachVariable(std::move(response), request, mib, &SnmpMib::Get, ValueKind::NoSuchObject);
    case PduType::GetNext:
        return EachVariable(std::move(response), request, mib, &SnmpMib::GetNext, ValueKind::EndOfMibView);
    case PduType::GetBulk:
        if (request.version == SnmpVersion::V1)
            break;
        return Bulk(std::move(response), request, mib);
    default: break;
    }
    return std::nullopt;
}

} // namespace simdevice
