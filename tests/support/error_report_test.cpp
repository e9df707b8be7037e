#include "platform/kernel.h"
#include "support/error_catalogue.h"
#include "support/error_report.h"
#include "tests/common/log_session.h"
#include "tests/support/catalogue_fixture.h"

namespace {

using test::CatalogueHeader;
using test::CatalogueRecord;

class ReportTest : public test::LogSessionTest {
protected:
    void LoadCatalogue()
    {
        WriteFile("error.dat", CatalogueHeader("ERDT", 1, 0)
                                   + CatalogueRecord(0x88780078, "no sound driver")
                                   + CatalogueRecord(0, "not listed"));
        LoadErrorCatalogue();
        debugger.Clear();
    }
    // What the log file holds after the catalogue's own line.
    std::string Reports()
    {
        const std::string text = LogText();
        return text.substr(text.find("\r\n") + 2);
    }
};

TEST_F(ReportTest, SuccessWritesNothing)
{
    LoadCatalogue();
    EXPECT_TRUE(ReportResult("Lock", 0));
    EXPECT_TRUE(debugger.Pieces().empty());
    EXPECT_EQ(Reports(), "");
}

TEST_F(ReportTest, AListedCodeLineEndsInALineFeedAlone)
{
    LoadCatalogue();
    EXPECT_FALSE(ReportResult("DirectSoundCreate", static_cast<HRESULT>(0x88780078)));
    const std::string line = "DirectSound ERROR(:DirectSoundCreate): code 1-0x78 no sound driver\n";
    EXPECT_EQ(debugger.Text(), line);
    EXPECT_EQ(Reports(), line);
}

TEST_F(ReportTest, UnlistedAndContextlessCodes)
{
    LoadCatalogue();
    EXPECT_FALSE(ReportResult(nullptr, static_cast<HRESULT>(0x8876017C)));
    EXPECT_FALSE(ReportResult("Lock", static_cast<HRESULT>(0x80070005)));
    EXPECT_FALSE(ReportResult("CreateSurface", 0x00050001)); // severity bit clear: still a failure
    EXPECT_EQ(Reports(), "DirectDraw ERROR: code 1-0x17c not listed\n"
                         "Win32 ERROR(:Lock): code 1-0x5 not listed\n"
                         "modulo 0x5 ERROR(:CreateSurface): code 0-0x1 not listed\n");
}

TEST_F(ReportTest, EveryFacilityHasItsModuleText)
{
    const std::pair<DWORD, const char*> modules[] = {
        {0, "generico"},
        {1, "RPC"},
        {2, "Dispatch"},
        {3, "Storage"},
        {4, "ITF"},
        {6, "modulo 0x6"},
        {7, "Win32"},
        {8, "Windows"},
        {10, "Control"},
        {11, "modulo 0xb"},
        {0x876, "DirectDraw"},
        {0x878, "DirectSound"},
        {0x1FFF, "modulo 0x1fff"},
    };
    for (const auto& [facility, module] : modules) {
        debugger.Clear();
        ReportResult(nullptr, MAKE_HRESULT(1, facility, 2));
        EXPECT_EQ(debugger.Text(), std::string(module) + " ERROR: code 1-0x2 \n");
    }
}

TEST_F(ReportTest, WithoutACatalogueTheLineHasNoText)
{
    ReportResult("SetPalette", E_FAIL);
    EXPECT_EQ(LogText(), "generico ERROR(:SetPalette): code 1-0x4005 \n");
}

TEST_F(ReportTest, ASystemErrorGoesToTheDebuggerInPieces)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    ReportSystemError("killer.dat");
    const auto& pieces = debugger.Pieces();
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0], "SYSTEM ERROR (modulo ");
    EXPECT_EQ(pieces[1], "killer.dat");
    EXPECT_EQ(pieces[2], ") : ");
    EXPECT_TRUE(pieces[3].ends_with("\r\n"));

    debugger.Clear();
    SetLastError(ERROR_ACCESS_DENIED);
    ReportSystemError(nullptr);
    EXPECT_EQ(debugger.Pieces().size(), 2u);
    EXPECT_EQ(debugger.Pieces()[0], "SYSTEM ERROR: ");

    debugger.Clear();
    SetLastError(424242); // no text: the prefix alone
    ReportSystemError("x");
    EXPECT_EQ(debugger.Text(), "SYSTEM ERROR (modulo x) : ");
    EXPECT_EQ(LogText(), "");
}

} // namespace
