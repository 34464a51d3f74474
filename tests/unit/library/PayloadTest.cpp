#include "library/device/Commands.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace {

FolderRecord Record(int credentials)
{
    FolderRecord record;
    record.SetShare(u"SCANPC", u"Reports");
    if (credentials)
        record.SetCredentials(u"alice", u"pw", u"OFFICE");
    record.FileFormat = BREDE_FORMAT_PDF;
    record.Resolution = BREDE_RESOLUTION_300;
    record.ColorSetting = BREDE_COLOR_COLOR;
    record.FileSize = BREDE_FILESIZE_STANDARD;
    return record;
}

const std::u16string kAddHead =
    u"<DbAddRec CommandID=\"128\"><Request DbNumRecs=\"1\" DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
    u"<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\"/></DbListSpecifiers><StdDbRecTypes><DbFolderRec ";
const std::u16string kOptions =
    u"FileFormat=\"PDF\" Resolution=\"300x300\" ColorPreference=\"Color\" "
    u"FilesizeAdjustment=\"DS_FILESIZE_STANDARD\" ";
const std::u16string kAddTail = u"/></StdDbRecTypes></Request></DbAddRec>";

} // namespace

TEST(Payload, EnableAndDisableSendToFolder)
{
    EXPECT_EQ(CEnableSendToFolder().csPayload.str(),
              u"<EnableFolder CommandID=\"180\"><Request><MfpRecord><ListOfEnabledFeatures>"
              u"<\"SCAN_TO_SHARE\" \"SCAN_TO_SIMPLE_FOLDER\"/></ListOfEnabledFeatures>"
              u"</MfpRecord></Request></EnableFolder>");
    EXPECT_EQ(CDisableSendToFolder().csPayload.str(),
              u"<EnableFolder CommandID=\"180\"><Request><MfpRecord><ListOfEnabledFeatures>"
              u"</ListOfEnabledFeatures></MfpRecord></Request></EnableFolder>");
    EXPECT_EQ(CEnableSendToFolder().csCommandName, CString(u"EnableSendToFolder"));
    EXPECT_EQ(CDisableSendToFolder().csCommandName, CString(u"DisableSendToFolder"));
}

TEST(Payload, CreateFolderAliasWithoutAndWithCredentials)
{
    CCreateFolderAlias withoutAccount(Record(0));
    EXPECT_EQ(withoutAccount.csPayload.str(),
              kAddHead + u"DestinationType=\"FOLDER\" FolderName=\"Reports\" FolderPath=\"\\\\SCANPC\\Reports\" "
                  u"FolderAuthType=\"MFP_USER_CREDENTIALS\" " + kOptions + kAddTail);
    EXPECT_EQ(withoutAccount.csOptions.str(), kOptions);

    CCreateFolderAlias withAccount(Record(1));
    EXPECT_EQ(withAccount.csPayload.str(),
              kAddHead + u"DestinationType=\"FOLDER\" FolderName=\"Reports\" FolderPath=\"\\\\SCANPC\\Reports\" "
                  u"FolderAuthType=\"DEFAULT_USER_CREDENTIALS\" UserName=\"alice\" Password=\"pw\" "
                  u"NtDomain=\"OFFICE\" " + kOptions + kAddTail);
    EXPECT_EQ(withAccount.csCommandName, CString(u"CreateFolderAlias"));
}

TEST(Payload, OptionOutsideItsTableLeavesTheNameAndABlank)
{
    FolderRecord record = Record(0);
    record.FileFormat = static_cast<Brede_FileFormat>(0);
    record.FileSize = static_cast<Brede_FileSize>(4);
    CCreateFolderAlias command(record);
    EXPECT_EQ(command.csOptions.str(),
              u"FileFormat= Resolution=\"300x300\" ColorPreference=\"Color\" FilesizeAdjustment= ");

    // One past the last value of each table.
    record.FileFormat = static_cast<Brede_FileFormat>(5);
    record.Resolution = static_cast<Brede_ImageResolution>(7);
    record.ColorSetting = static_cast<Brede_ColorSetting>(3);
    record.FileSize = static_cast<Brede_FileSize>(0);
    EXPECT_EQ(CCreateFolderAlias(record).csOptions.str(),
              u"FileFormat= Resolution= ColorPreference= FilesizeAdjustment= ");
}

TEST(Payload, EveryInsertedValueIsEscaped)
{
    FolderRecord record;
    record.SetShare(u"PC&1", u"a\"b");
    record.SetCredentials(u"<u>", u"p\" Evil=\"x'&", u"d");
    CCreateFolderAlias command(record);
    const CString& p = command.csPayload;
    EXPECT_GE(p.Find(u"FolderName=\"a&quot;b\" "), 0);
    EXPECT_GE(p.Find(u"FolderPath=\"\\\\PC&amp;1\\a&quot;b\" "), 0);
    EXPECT_GE(p.Find(u"UserName=\"&lt;u&gt;\" "), 0);
    EXPECT_GE(p.Find(u"Password=\"p&quot; Evil=&quot;x&apos;&amp;\" "), 0);
    EXPECT_EQ(p.Find(u"Evil=\""), -1);

    CStringList names;
    names.AddTail(u"R&D");
    EXPECT_GE(CDeleteFolderList(names).csPayload.Find(u"FolderName=\"R&amp;D\" />"), 0);
    EXPECT_GE(CDeleteFolderAlias(u"<x>").csPayload.Find(u"FolderName=\"&lt;x&gt;\" "), 0);
    EXPECT_GE(CGetPrinterFolderNames(u"1\"").csPayload.Find(u"DbNumRecs=\"1&quot;\""), 0);
}

TEST(Payload, DeleteFolderAliasAndList)
{
    EXPECT_EQ(CDeleteFolderAlias(u"Reports").csPayload.str(),
              u"<DbAddRec CommandID=\"136\"><Request DbNumRecs=\"1\" DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
              u"<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\"/></DbListSpecifiers><StdDbRecTypes>"
              u"<DbFolderRec FolderName=\"Reports\" /></StdDbRecTypes></Request></DbAddRec>");

    CStringList names;
    for (const char16_t* name : {u"A", u"B", u"C"})
        names.AddTail(name);
    CDeleteFolderList list(names);
    EXPECT_EQ(list.csPayload.str(),
              u"<DbAddRec CommandID=\"136\"><Request DbNumRecs=\"3\" DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
              u"<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\"/></DbListSpecifiers><StdDbRecTypes>"
              u"<DbFolderRec FolderName=\"A\" /><DbFolderRec FolderName=\"B\" /><DbFolderRec FolderName=\"C\" />"
              u"</StdDbRecTypes></Request></DbAddRec>");

    CDeleteFolderList empty{CStringList()};
    EXPECT_GE(empty.csPayload.Find(u"DbNumRecs=\"0\" "), 0);
    EXPECT_EQ(empty.csPayload.Find(u"<DbFolderRec"), -1);
}

TEST(Payload, IsFolderPathValidNeedsCredentials)
{
    EXPECT_EQ(CIsFolderPathValid(Record(1)).csPayload.str(),
              u"<MfpCommands><IsValidFolderPath CommandID=\"166\"><Request><DbFolderRec DestinationType=\"FOLDER\" "
              u"FolderPath=\"\\\\SCANPC\\Reports\" UserName=\"alice\" Password=\"pw\" NtDomain=\"OFFICE\" "
              u"/></Request></IsValidFolderPath></MfpCommands>");

    LogCapture log;
    CIsFolderPathValid refused(Record(0));
    EXPECT_TRUE(refused.csPayload.IsEmpty());
    EXPECT_EQ(refused.CreatePayload(), 0);
    EXPECT_TRUE(log.HasLine(
        "ERROR- CIsFolderPathValid CreatePayload() called when credentials not saved on printer."));
}

TEST(Payload, ReadingRequestsWriteABlankBeforeTheSpecifierEnd)
{
    EXPECT_EQ(CGetPrinterFolderNames(u"12").csPayload.str(),
              u"<DbGetFirstRec CommandID=\"132\"><Request DbNumRecs=\"12\" DbNumListSpecifiers=\"1\">"
              u"<DbListSpecifiers><ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\" /></DbListSpecifiers>"
              u"<StdDbRecTypes><DbFolderRec FolderName=\"*\" /></StdDbRecTypes></Request></DbGetFirstRec>");
    EXPECT_GE(CGetPrinterFolderNames(u" x").csPayload.Find(u"DbNumRecs=\" x\""), 0);
    EXPECT_EQ(CGetNumberOfFolders().csPayload.str(),
              u"<DbGetNumRecs CommandID=\"130\"><Request DbNumListSpecifiers=\"1\"><DbListSpecifiers>"
              u"<ArgsPubNetFolder MergeRecType=\"PUBNETFOLDERTYPE\" /></DbListSpecifiers><StdDbRecTypes>"
              u"<DbFolderRec /></StdDbRecTypes></Request></DbGetNumRecs>");
}

TEST(Payload, DeviceRecordAndAccessQueries)
{
    EXPECT_EQ(CGetMfpRecord().csPayload.str(),
              u"<MfpCommands><GetMfpRecordFromDevice CommandID=\"156\"><Request IgnoreMfpOwnership=\"true\" "
              u"LanguageID=\"255\" /></GetMfpRecordFromDevice></MfpCommands>");
    EXPECT_EQ(CIsValidMfp().csPayload.str(),
              u"<MfpCommands><IsValidMfp CommandID=\"170\"><Request /></IsValidMfp></MfpCommands>");
}

// Every command reports a built payload with 1, and building again gives the same text.
TEST(Payload, RebuildingGivesTheSameText)
{
    CStringList names;
    names.AddTail(u"A");
    CEnableSendToFolder enable;
    CDisableSendToFolder disable;
    CCreateFolderAlias create(Record(1));
    CDeleteFolderAlias remove(u"A");
    CDeleteFolderList removeList(names);
    CIsFolderPathValid pathCheck(Record(1));
    CGetPrinterFolderNames folderNames(u"3");
    CGetNumberOfFolders folderCount;
    CGetMfpRecord record;
    CIsValidMfp valid;
    CDSMP_Command* commands[] = {&enable,      &disable,    &create,      &remove, &removeList,
                                 &pathCheck,   &folderNames, &folderCount, &record, &valid};
    for (CDSMP_Command* command : commands) {
        CString first = command->csPayload;
        EXPECT_EQ(command->CreatePayload(), 1) << command->csCommandName.ToUtf8();
        EXPECT_EQ(command->csPayload, first) << command->csCommandName.ToUtf8();
    }
    EXPECT_EQ(CCreateFolderAlias(Record(1)).csPayload, create.csPayload);
}
