#include "platform/winerror.h"
#include "support/error_catalogue.h"
#include "support/error_report.h"
#include "tests/common/log_session.h"
#include "tests/support/catalogue_fixture.h"

namespace {

using test::CatalogueHeader;
using test::CatalogueRecord;
using CatalogueTest = test::LogSessionTest;

constexpr HRESULT DSERR_NODRIVER = static_cast<HRESULT>(0x88780078);

std::string CatalogueTextFor(HRESULT code)
{
    char text[ERROR_TEXT_SIZE + 1] = {};
    return LookUpErrorText(static_cast<DWORD>(code), text) ? text : "(none)";
}

TEST_F(CatalogueTest, AWrittenCatalogueLoadsWithItsVersion)
{
    const ErrorRecord records[] = {{0x88780078, "no sound driver"}, {0x80004005, "failure"}};
    ASSERT_TRUE(WriteErrorCatalogue("error.dat", 1, 5, records, 2, "unknown"));
    EXPECT_EQ(ReadFile("error.dat").size(), 8u + 3 * ERROR_RECORD_SIZE);
    LoadErrorCatalogue();
    EXPECT_EQ(CatalogueTextFor(DSERR_NODRIVER), "no sound driver");
    EXPECT_EQ(CatalogueTextFor(0x80004005), "failure");
    EXPECT_EQ(CatalogueTextFor(0x88760001), "unknown");
    EXPECT_EQ(LogText(), "File errore caricato: versione 1.5\r\n");
}

TEST_F(CatalogueTest, TheMajorVersionIsTheSecondByte)
{
    WriteFile("error.dat", CatalogueHeader("ERDT", 1, 5) + CatalogueRecord(0, "x"));
    LoadErrorCatalogue();
    EXPECT_EQ(LogText(), "File errore caricato: versione 1.5\r\n");
}

TEST_F(CatalogueTest, ABadMagicIsSaidButTheBodyStillServes)
{
    WriteFile("error.dat", CatalogueHeader("XXXX", 1, 0) + CatalogueRecord(0, "fallback text"));
    LoadErrorCatalogue();
    EXPECT_EQ(CatalogueTextFor(E_FAIL), "fallback text");
    EXPECT_EQ(LogText(), "Questo non è un file di errori valido\r\n");
}

TEST_F(CatalogueTest, AMissingCatalogueIsReportedAndGivesNoTexts)
{
    LoadErrorCatalogue();
    EXPECT_EQ(debugger.Pieces()[1], "error.dat");
    EXPECT_EQ(CatalogueTextFor(E_FAIL), "(none)");
    EXPECT_EQ(LogText(), "Questo non è un file di errori valido\r\n");
}

TEST_F(CatalogueTest, AHeaderOnlyCatalogueIsRefusedByTheAllocator)
{
    WriteFile("error.dat", CatalogueHeader("ERDT", 1, 0));
    LoadErrorCatalogue();
    EXPECT_EQ(CatalogueTextFor(E_FAIL), "(none)");
    EXPECT_EQ(LogText(), "OUTRANGE in error.dat: CAN'T ALLOCATE ZERO BYTE\r\n"
                         "File errore caricato: versione 1.0\r\n");
}

TEST_F(CatalogueTest, TheWalkNeverPassesTheEndOfTheBody)
{
    // No terminating record, then a partial record: both end the walk without a text.
    WriteFile("error.dat", CatalogueHeader("ERDT", 1, 0) + CatalogueRecord(1, "one")
                               + CatalogueRecord(0, "cut short").substr(0, 50));
    LoadErrorCatalogue();
    EXPECT_EQ(CatalogueTextFor(1), "one");
    EXPECT_EQ(CatalogueTextFor(E_FAIL), "(none)");
}

TEST_F(CatalogueTest, ATextThatFillsItsWholeFieldIsCutAtTheField)
{
    const std::string full(ERROR_TEXT_SIZE, 'z'); // no NUL inside the record
    std::string record = CatalogueRecord(7, "");
    record.replace(4, ERROR_TEXT_SIZE, full);
    WriteFile("error.dat", CatalogueHeader("ERDT", 1, 0) + record + CatalogueRecord(0, ""));
    LoadErrorCatalogue();
    EXPECT_EQ(CatalogueTextFor(7), full);
}

TEST_F(CatalogueTest, AFirstRecordWithCodeZeroAnswersForEveryCode)
{
    WriteFile("error.dat", CatalogueHeader("ERDT", 1, 0) + CatalogueRecord(0, "always")
                               + CatalogueRecord(5, "never"));
    LoadErrorCatalogue();
    EXPECT_EQ(CatalogueTextFor(5), "always");
    EXPECT_EQ(CatalogueTextFor(DSERR_NODRIVER), "always");
}

} // namespace
