// The panel's status for an errno of libsmbclient at each step of a scan.
#include "tools/simdevice/scan/SmbStatus.h"

#include <gtest/gtest.h>

#include <cerrno>

using simdevice::SmbStatusOf;
using simdevice::SmbStep;

TEST(SmbStatus, TheSameErrnoMeansDifferentThingsAtDifferentSteps)
{
    EXPECT_EQ(SmbStatusOf(SmbStep::Session, EACCES), "NT_STATUS_LOGON_FAILURE");
    EXPECT_EQ(SmbStatusOf(SmbStep::Share, EACCES), "NT_STATUS_ACCESS_DENIED");
    EXPECT_EQ(SmbStatusOf(SmbStep::Create, EACCES), "NT_STATUS_ACCESS_DENIED");
    EXPECT_EQ(SmbStatusOf(SmbStep::Share, ENOENT), "NT_STATUS_BAD_NETWORK_NAME");
    EXPECT_EQ(SmbStatusOf(SmbStep::Folder, ENOENT), "NT_STATUS_OBJECT_PATH_NOT_FOUND");
    EXPECT_EQ(SmbStatusOf(SmbStep::Folder, EACCES), "NT_STATUS_ACCESS_DENIED");
}

TEST(SmbStatus, NamesTheMeasuredFailures)
{
    EXPECT_EQ(SmbStatusOf(SmbStep::Session, ECONNREFUSED), "NT_STATUS_CONNECTION_REFUSED");
    EXPECT_EQ(SmbStatusOf(SmbStep::Create, EEXIST), "NT_STATUS_OBJECT_NAME_COLLISION");
    EXPECT_EQ(SmbStatusOf(SmbStep::Write, ENOSPC), "NT_STATUS_DISK_FULL");
}

TEST(SmbStatus, AnErrnoWithoutARowIsUnsuccessful)
{
    EXPECT_EQ(SmbStatusOf(SmbStep::Session, ENOENT), "NT_STATUS_UNSUCCESSFUL");
    EXPECT_EQ(SmbStatusOf(SmbStep::Write, 0), "NT_STATUS_UNSUCCESSFUL");
}
