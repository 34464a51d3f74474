// tarrowctl's JSON: strings that stay valid whatever bytes they hold, and the one document of a run.
#include "ctl/Console.h"
#include "ctl/ExitCodes.h"
#include "ctl/RunResult.h"

#include <gtest/gtest.h>

TEST(JsonDocumentTest, StringsEscapeControlCharactersAndReplaceBytesThatAreNoUtf8)
{
    EXPECT_EQ(JsonString(std::string("q\"\\/\n\r\t\x01\x1b\x7f\0z", 12)),
              "\"q\\\"\\\\/\\n\\r\\t\\u0001\\u001b\\u007f\\u0000z\"");
    // C1 controls escaped; other UTF-8 as it is; a stray, overlong or cut-off sequence as U+FFFD.
    EXPECT_EQ(JsonString("\xc2\x9b\xc2\xa0\xc3\xa4\xe2\x82\xac\xf0\x9f\x96\xa8"),
              "\"\\u009b\xc2\xa0\xc3\xa4\xe2\x82\xac\xf0\x9f\x96\xa8\"");
    EXPECT_EQ(JsonString("\xff\xc0\xaf" "a\xe2\x82"), "\"\\ufffd\\ufffd\\ufffda\\ufffd\\ufffd\"");
    EXPECT_EQ(JsonString("\xed\xa0\x80"), "\"\\ufffd\\ufffd\\ufffd\""); // a surrogate
}

TEST(JsonDocumentTest, OneDocumentWithOkTheFieldsInTheirOrderAndTheErrorsSaid)
{
    RunResult run;
    run.Start(true);
    run.Fields().Set("device", "10.0.0.5").Set("folders", JsonArray().Add(JsonObject().Set("name", "A")));
    run.Fields().Set("changed", true).Set("device", "10.0.0.6").Set("records", std::size_t{2}).Set("features", -1);
    EXPECT_EQ(run.Document(kExitOk),
              "{\"ok\":true,\"device\":\"10.0.0.6\",\"folders\":[{\"name\":\"A\"}],\"changed\":true,\"records\":2,"
              "\"features\":-1}");

    run.Start(true);
    run.SetFailure("2 problem(s) found");
    EXPECT_EQ(run.Document(kExitFailed),
              "{\"ok\":false,\"error\":{\"code\":\"failed\",\"exitCode\":1,\"message\":\"2 problem(s) found\"}}");
    run.AddError("no device answers at 10.0.0.5");
    run.AddError("and \"more\"");
    EXPECT_EQ(run.Document(kExitUnreachable),
              "{\"ok\":false,\"error\":{\"code\":\"unreachable\",\"exitCode\":3,\"message\":\"no device answers at "
              "10.0.0.5\\nand \\\"more\\\"\"}}");
    run.Start(true);
    EXPECT_EQ(run.Document(kExitLogonRefused),
              "{\"ok\":false,\"error\":{\"code\":\"logon-refused\",\"exitCode\":5,\"message\":\"a step failed\"}}");
    EXPECT_STREQ(ExitCodeWord(kExitUsage), "usage");
    EXPECT_STREQ(ExitCodeWord(kExitUnsupported), "unsupported");
}
