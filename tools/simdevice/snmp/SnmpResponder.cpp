#include "tools/simdevice/snmp/SnmpResponder.h"

#include <algorithm>

namespace simdevice {

using vesper::PduType;
using vesper::SnmpMessage;
using vesper::ValueKind;
using vesper::VarBind;

namespace {

VarBind Exception(const vesper::Oid& name, ValueKind kind)
{
    return VarBind{name, kind, {}};
}

VarBind NextOf(const SnmpMib& mib, const vesper::Oid& name)
{
    auto next = mib.GetNext(name);
    return next ? *next : Exception(name, ValueKind::EndOfMibView);
}

} // namespace

std::optional<SnmpMessage> Respond(const SnmpMessage& request, const SnmpMib& mib, const std::string& community)
{
    if (request.community != community)
        return std::nullopt;
    SnmpMessage response;
    response.type = PduType::Response;
    response.requestId = request.requestId;
    response.community = request.community;
    const auto& asked = request.varbinds;
    switch (request.type) {
    case PduType::Get:
        for (const VarBind& bind : asked) {
            auto found = mib.Get(bind.name);
            response.varbinds.push_back(found ? *found : Exception(bind.name, ValueKind::NoSuchObject));
        }
        break;
    case PduType::GetNext:
        for (const VarBind& bind : asked)
            response.varbinds.push_back(NextOf(mib, bind.name));
        break;
    case PduType::GetBulk: {
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
        break;
    }
    default:
        return std::nullopt;
    }
    return response;
}

} // namespace simdevice
