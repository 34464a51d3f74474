#include "tools/simdevice/snmp/SnmpResponder.h"
#include "vesper/DeviceOids.h"
#include "vesper/DeviceQuery.h"

#include <gtest/gtest.h>

using namespace simdevice;
using namespace vesper;

namespace {

SnmpIdentity Identity()
{
    return {"127.0.0.5", "Norvik Kelvane KV4250 MFP", "kelvane-5", "02-00-7f-00-00-05", "print server"};
}

SnmpMessage Request(PduType type, std::vector<Oid> names)
{
    SnmpMessage request;
    request.type = type;
    request.requestId = 99;
    request.community = "public";
    for (auto& name : names)
        request.varbinds.push_back({std::move(name), ValueKind::Null, {}});
    return request;
}

constexpr SnmpVersions kBoth = SnmpVersions::V1AndV2c;

} // namespace

TEST(SnmpResponder, TheDeviceQueryGetsEveryFact)
{
    SnmpMib mib(Identity());
    auto response = Respond(MakeDeviceQuery(42, "public"), mib, "public", kBoth);
    ASSERT_TRUE(response);
    EXPECT_EQ(PduType::Response, response->type);
    EXPECT_EQ(42, response->requestId);
    DeviceFacts facts = ReadDeviceFacts(*response);
    EXPECT_EQ("Norvik Kelvane KV4250 MFP", facts.modelName);
    EXPECT_EQ("kelvane-5", facts.hostName);
    EXPECT_EQ("02:00:7F:00:00:05", facts.macAddress);
    // The walk of ifPhysAddress ran to the end of the objects and stopped there.
    EXPECT_EQ(ValueKind::EndOfMibView, response->varbinds.back().kind);

    EXPECT_FALSE(Respond(MakeDeviceQuery(42, "private"), mib, "public", kBoth));
}

TEST(SnmpResponder, GetAndGetNext)
{
    SnmpMib mib(Identity());
    auto get = Respond(Request(PduType::Get, {oids::Instance(oids::kSysName, 0), oids::kSysName}), mib, "public", kBoth);
    ASSERT_TRUE(get);
    ASSERT_EQ(2u, get->varbinds.size());
    EXPECT_EQ("kelvane-5", get->varbinds[0].bytes);
    EXPECT_EQ(ValueKind::NoSuchObject, get->varbinds[1].kind);

    auto next = Respond(Request(PduType::GetNext, {{1, 3, 6, 1}, oids::Instance(oids::kHrDeviceDescr, 1)}), mib,
                        "public", kBoth);
    ASSERT_TRUE(next);
    EXPECT_EQ(oids::Instance(oids::kSysDescr, 0), next->varbinds[0].name);
    EXPECT_EQ(ValueKind::EndOfMibView, next->varbinds[1].kind);

    EXPECT_FALSE(Respond(Request(PduType::Response, {{1, 3}}), mib, "public", kBoth));
}

TEST(SnmpResponder, GetBulkBoundsItsRepetitions)
{
    SnmpIdentity identity = Identity();
    identity.modelName.clear();  // no hrDeviceDescr: ifPhysAddress.2 is the last object
    SnmpMib mib(identity);
    SnmpMessage bulk = Request(PduType::GetBulk, {oids::kSysDescr, {1, 3, 6, 1}});
    bulk.errorStatus = 5;  // more non-repeaters than variables
    bulk.errorIndex = 1000;
    auto response = Respond(bulk, mib, "public", kBoth);
    ASSERT_TRUE(response);
    EXPECT_EQ(2u, response->varbinds.size());

    bulk.errorStatus = 1;
    response = Respond(bulk, mib, "public", kBoth);
    ASSERT_TRUE(response);
    // sysDescr.0 once, then the repeater walks the four objects and ends with one end-of-view.
    ASSERT_EQ(1u + 4u + 1u, response->varbinds.size());
    EXPECT_EQ(oids::Instance(oids::kIfPhysAddress, 2), response->varbinds[4].name);
    EXPECT_EQ(ValueKind::EndOfMibView, response->varbinds[5].kind);
}

TEST(SnmpResponder, VersionOneRefusesTheWholeRequestAtTheFirstMissingObject)
{
    SnmpMib mib(Identity());
    SnmpMessage get = Request(PduType::Get, {oids::Instance(oids::kSysName, 0), oids::kSysName});
    get.version = SnmpVersion::V1;
    auto refused = Respond(get, mib, "public", kBoth);
    ASSERT_TRUE(refused);
    EXPECT_EQ(SnmpVersion::V1, refused->version);
    EXPECT_EQ(kNoSuchName, refused->errorStatus);
    EXPECT_EQ(2, refused->errorIndex);
    EXPECT_EQ(get.varbinds.size(), refused->varbinds.size());

    SnmpMessage query = MakeDeviceQueryV1(7, "public", kAllV1Objects);
    auto answer = Respond(query, mib, "public", SnmpVersions::V1Only);
    ASSERT_TRUE(answer);
    EXPECT_EQ(0, answer->errorStatus);
    DeviceFacts facts = ReadDeviceFacts(*answer);
    EXPECT_EQ("Norvik Kelvane KV4250 MFP", facts.modelName);
    EXPECT_EQ("kelvane-5", facts.hostName);
    EXPECT_EQ("02:00:7F:00:00:05", facts.macAddress);

    SnmpMessage bulk = Request(PduType::GetBulk, {oids::kSysDescr});
    bulk.version = SnmpVersion::V1;
    EXPECT_FALSE(Respond(bulk, mib, "public", kBoth));
}

TEST(SnmpResponder, ADeviceIsSilentToTheVersionItDoesNotSpeak)
{
    SnmpMib mib(Identity());
    SnmpMessage v1 = MakeDeviceQueryV1(7, "public", kAllV1Objects);
    SnmpMessage v2c = MakeDeviceQuery(8, "public");
    EXPECT_FALSE(Respond(v2c, mib, "public", SnmpVersions::V1Only));
    EXPECT_TRUE(Respond(v1, mib, "public", SnmpVersions::V1Only));
    EXPECT_FALSE(Respond(v1, mib, "public", SnmpVersions::V2cOnly));
    EXPECT_TRUE(Respond(v2c, mib, "public", SnmpVersions::V2cOnly));
}
