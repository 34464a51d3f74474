#include "vesper/DeviceOids.h"
#include "vesper/DeviceQuery.h"
#include "vesper/SnmpMessage.h"

#include <gtest/gtest.h>

#include <random>

using namespace vesper;

namespace {

VarBind Octets(Oid name, std::string bytes)
{
    return {std::move(name), ValueKind::OctetString, std::move(bytes)};
}

} // namespace

TEST(SnmpMessage, RoundTrip)
{
    SnmpMessage response;
    response.type = PduType::Response;
    response.requestId = 0x12345678;
    response.community = "public";
    response.varbinds = {Octets(oids::Instance(oids::kSysName, 0), std::string("kel\0vane", 8)),
                         {oids::Instance(oids::kSysDescr, 0), ValueKind::NoSuchObject, {}},
                         {oids::kIfPhysAddress, ValueKind::EndOfMibView, {}}};
    auto bytes = EncodeMessage(response);
    ASSERT_TRUE(bytes);
    auto decoded = DecodeMessage(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(PduType::Response, decoded->type);
    EXPECT_EQ(0x12345678, decoded->requestId);
    EXPECT_EQ("public", decoded->community);
    ASSERT_EQ(3u, decoded->varbinds.size());
    EXPECT_EQ(response.varbinds[0].name, decoded->varbinds[0].name);
    EXPECT_EQ(std::string("kel\0vane", 8), decoded->varbinds[0].bytes);
    EXPECT_EQ(ValueKind::NoSuchObject, decoded->varbinds[1].kind);
    EXPECT_EQ(ValueKind::EndOfMibView, decoded->varbinds[2].kind);

    auto query = DecodeMessage(*EncodeMessage(MakeDeviceQuery(7, "public")));
    ASSERT_TRUE(query);
    EXPECT_EQ(PduType::GetBulk, query->type);
    EXPECT_EQ(3, query->errorStatus);
    EXPECT_EQ(kInterfacesAsked, query->errorIndex);
}

TEST(SnmpMessage, VersionOneMessagesKeepTheirVersion)
{
    SnmpMessage query = MakeDeviceQueryV1(9, "public", kAllV1Objects);
    ASSERT_EQ(SnmpVersion::V1, query.version);
    auto bytes = EncodeMessage(query);
    ASSERT_TRUE(bytes);
    auto decoded = DecodeMessage(*bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(SnmpVersion::V1, decoded->version);
    EXPECT_EQ(PduType::GetNext, decoded->type);
    EXPECT_EQ(9, decoded->requestId);
    EXPECT_EQ(query.varbinds.size(), decoded->varbinds.size());

    SnmpMessage bulk = MakeDeviceQuery(7, "public");
    bulk.version = SnmpVersion::V1;
    EXPECT_FALSE(EncodeMessage(bulk));  // v1 has no GetBulk
}

// A v1 agent has no GetBulk: the query names each object, and a refused one is left out.
TEST(SnmpMessage, TheVersionOneQueryAsksEachObjectByNameAndDropsTheRefusedOne)
{
    std::vector<Oid> expected{{1, 3, 6, 1, 2, 1, 25, 3, 2, 1, 3, 0}, {1, 3, 6, 1, 2, 1, 1, 1}, {1, 3, 6, 1, 2, 1, 1, 5}};
    for (std::uint32_t index = 0; index < static_cast<std::uint32_t>(kInterfacesAsked); ++index)
        expected.push_back({1, 3, 6, 1, 2, 1, 2, 2, 1, 6, index});
    std::vector<Oid> asked;
    for (const VarBind& bind : MakeDeviceQueryV1(9, "public", kAllV1Objects).varbinds) {
        asked.push_back(bind.name);
        EXPECT_EQ(ValueKind::Null, bind.kind);
    }
    EXPECT_EQ(expected, asked);

    // The error index counts the objects asked, from 1.
    const V1Objects withoutName = WithoutRefused(kAllV1Objects, 3);
    EXPECT_EQ(kAllV1Objects & ~V1Objects(4), withoutName);
    EXPECT_EQ(withoutName & ~V1Objects(8), WithoutRefused(withoutName, 3));
    EXPECT_EQ(V1Objects(0), WithoutRefused(kAllV1Objects, 0));
    EXPECT_EQ(V1Objects(0), WithoutRefused(kAllV1Objects, kV1ObjectCount + 1));
    EXPECT_EQ(V1Objects(0), WithoutRefused(V1Objects(1), 1));
}

TEST(SnmpMessage, ANameStartsWithItselfAndWithEachOfItsParents)
{
    EXPECT_TRUE(OidStartsWith({1, 3, 6}, {1, 3, 6}));
    EXPECT_TRUE(OidStartsWith({1, 3, 6, 1}, {1, 3, 6}));
    EXPECT_FALSE(OidStartsWith({1, 3}, {1, 3, 6}));
    EXPECT_FALSE(OidStartsWith({1, 4, 6, 1}, {1, 3, 6}));
}

TEST(SnmpMessage, AnythingButAWellFormedV1OrV2cMessageIsRefused)
{
    const std::string valid = *EncodeMessage(MakeDeviceQuery(7, "public"));
    std::string version3 = valid;
    version3[4] = 3;
    EXPECT_FALSE(DecodeMessage(version3));
    EXPECT_FALSE(DecodeMessage(""));
    // Bytes after the message are not looked at, up to the largest UDP datagram; a longer one
    // cannot have come off the network and is refused.
    const std::size_t largest = 65507;
    EXPECT_TRUE(DecodeMessage(valid + std::string(largest - valid.size(), '\0')));
    EXPECT_FALSE(DecodeMessage(valid + std::string(largest + 1 - valid.size(), '\0')));
    for (std::size_t cut = 1; cut < valid.size(); ++cut)
        EXPECT_FALSE(DecodeMessage(valid.substr(0, cut))) << cut;

    // Flipped bytes and random datagrams must never crash the decoder (run under the sanitizers).
    std::mt19937 random(1234);
    for (int round = 0; round < 3000; ++round) {
        std::string mutated = valid;
        for (int flips = 1 + round % 4; flips > 0; --flips)
            mutated[random() % mutated.size()] = static_cast<char>(random());
        DecodeMessage(mutated);
        std::string noise(random() % 80, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        DecodeMessage(noise);
    }
}

TEST(DeviceFacts, ModelHostAndFirstSixByteAddress)
{
    SnmpMessage answer;
    answer.varbinds = {Octets(oids::Instance(oids::kHrDeviceDescr, 1), "Norvik Kelvane KV4250 MFP"),
                       Octets(oids::Instance(oids::kSysDescr, 0), "print server"),
                       Octets(oids::Instance(oids::kSysName, 0), std::string("kelvane-5\0junk", 14)),
                       Octets(oids::Instance(oids::kIfPhysAddress, 1), ""),
                       Octets(oids::Instance(oids::kIfPhysAddress, 2), std::string("\x02\x00\x7f\xab\xcd\xef", 6)),
                       Octets(oids::Instance(oids::kIfPhysAddress, 3), std::string("\x02\x00\x7f\x00\x00\x03", 6))};
    DeviceFacts facts = ReadDeviceFacts(answer);
    EXPECT_EQ("Norvik Kelvane KV4250 MFP", facts.modelName);
    EXPECT_EQ("kelvane-5", facts.hostName);
    EXPECT_EQ("02:00:7F:AB:CD:EF", facts.macAddress);

    // Only hrDeviceDescr.1 names the model; another row or none leaves sysDescr.0.
    answer.varbinds[0] = Octets(oids::Instance(oids::kHrDeviceDescr, 2), "second device");
    EXPECT_EQ("print server", ReadDeviceFacts(answer).modelName);
    answer.varbinds[0] = {oids::Instance(oids::kHrDeviceDescr, 1), ValueKind::NoSuchObject, {}};
    EXPECT_EQ("print server", ReadDeviceFacts(answer).modelName);

    EXPECT_EQ(DeviceFacts{}.macAddress, ReadDeviceFacts(SnmpMessage{}).macAddress);
}
