#include <cstring>

#include "platform/kernel.h"
#include "support/error_catalogue.h"
#include "support/error_report.h"
#include "support/little_endian.h"
#include "tests/common/log_session.h"

namespace {

// "error.dat" byte by byte, for catalogues the writer would never make.
std::string Header(const char* magic, BYTE major, BYTE minor)
{
    return std::string(magic, 4) + static_cast<char>(minor) + static_cast<char>(major)
           + std::string(2, '\0');
}

std::string Record(DWORD code, const std::string& text)
{
    std::string record(ERROR_RECORD_SIZE, '\0');
    WriteLe32(reinterpret_cast<BYTE*>(record.data()), code);
    record.replace(4, text.size(), text);
    return record;
}

struct Catalogue {
    const char* name;
    std::string bytes; // empty: no file
    std::vector<std::pair<DWORD, std::string>> texts;
    const char* log;
};

// Shown by its name, in the test's name too.
void PrintTo(const Catalogue& catalogue, std::ostream* out) { *out << catalogue.name; }

const std::string full(ERROR_TEXT_SIZE, 'z'); // no NUL inside its record
const std::string version10 = "File errore caricato: versione 1.0\r\n";

const Catalogue catalogues[] = {
    {"BadMagicButTheBodyServes",
     Header("XXXX", 1, 0) + Record(0, "fallback"),
     {{0x80004005, "fallback"}},
     "Questo non è un file di errori valido\r\n"},
    {"Missing", "", {{0x80004005, "(none)"}}, "Questo non è un file di errori valido\r\n"},
    {"HeaderOnly",
     Header("ERDT", 1, 0),
     {{0x80004005, "(none)"}},
     "OUTRANGE in error.dat: CAN'T ALLOCATE ZERO BYTE\r\nFile errore caricato: versione 1.0\r\n"},
    // No terminating record, then a partial one: the walk never passes the body's end.
    {"CutShort",
     Header("ERDT", 1, 0) + Record(1, "one") + Record(0, "cut").substr(0, 50),
     {{1, "one"}, {0x80004005, "(none)"}},
     "File errore caricato: versione 1.0\r\nerror.dat incompleto: manca il record finale\r\n"},
    {"TextFillingItsField",
     Header("ERDT", 1, 0) + Record(7, full) + Record(0, ""),
     {{7, full}},
     "File errore caricato: versione 1.0\r\n"},
    {"FirstRecordOfCodeZeroAnswersAll",
     Header("ERDT", 1, 5) + Record(0, "always") + Record(5, "x"),
     {{5, "always"}, {0x88780078, "always"}},
     "File errore caricato: versione 1.5\r\n"},
};

class CatalogueTest : public test::LogSessionTest,
                      public ::testing::WithParamInterface<Catalogue> {};

TEST_P(CatalogueTest, LoadsAndAnswers)
{
    if (!GetParam().bytes.empty()) WriteFile("error.dat", GetParam().bytes);
    LoadErrorCatalogue();
    for (const auto& [code, expected] : GetParam().texts) {
        char text[ERROR_TEXT_SIZE + 1] = {};
        EXPECT_EQ(LookUpErrorText(code, text) ? text : "(none)", expected) << code;
    }
    EXPECT_EQ(LogText(), GetParam().log);
}

INSTANTIATE_TEST_SUITE_P(Files, CatalogueTest, ::testing::ValuesIn(catalogues),
                         [](const auto& param) { return param.param.name; });

using ReportTest = test::LogSessionTest;

TEST_F(ReportTest, AWrittenCatalogueGivesItsTextsToTheReports)
{
    const ErrorRecord records[] = {{0x88780078, "no sound driver"}, {0x80004005, "failure"}};
    ASSERT_TRUE(WriteErrorCatalogue("error.dat", 1, 5, records, 2, "not listed"));
    EXPECT_EQ(ReadFile("error.dat").size(), 8u + 3 * ERROR_RECORD_SIZE);
    LoadErrorCatalogue();
    const struct {
        const char* context;
        DWORD code;
        const char* line; // in the log file and at the debugger
    } reports[] = {
        {"Lock", 0, ""},
        {"DirectSoundCreate", 0x88780078,
         "DirectSound ERROR(:DirectSoundCreate): code 1-0x78 no sound driver\n"},
        {nullptr, 0x80004005, "generico ERROR: code 1-0x4005 failure\n"},
        {nullptr, 0x8876017C, "DirectDraw ERROR: code 1-0x17c not listed\n"},
        {"Lock", 0x80070005, "Win32 ERROR(:Lock): code 1-0x5 not listed\n"},
        // The severity bit clear is still a failure.
        {"CreateSurface", 0x00050001, "modulo 0x5 ERROR(:CreateSurface): code 0-0x1 not listed\n"},
    };
    std::string log = "File errore caricato: versione 1.5\r\n";
    for (const auto& report : reports) {
        debugger.Clear();
        EXPECT_EQ(ReportResult(report.context, static_cast<HRESULT>(report.code)),
                  report.code == 0);
        EXPECT_EQ(debugger.Text(), report.line);
        log += report.line;
    }
    EXPECT_EQ(LogText(), log);
}

TEST_F(ReportTest, EveryFacilityHasItsModuleTextAndNoCatalogueNoText)
{
    // Facilities 0, 5, 7, 0x876 and 0x878 are in the reports above.
    const std::pair<DWORD, const char*> modules[] = {
        {1, "RPC"},      {2, "Dispatch"},    {3, "Storage"},
        {4, "ITF"},      {6, "modulo 0x6"},  {8, "Windows"},
        {10, "Control"}, {11, "modulo 0xb"}, {0x1FFF, "modulo 0x1fff"}};
    LoadErrorCatalogue(); // there is none here
    for (const auto& [facility, module] : modules) {
        debugger.Clear();
        ReportResult(nullptr, MAKE_HRESULT(1, facility, 2));
        EXPECT_EQ(debugger.Text(), std::string(module) + " ERROR: code 1-0x2 \n");
    }
}

TEST_F(ReportTest, ASystemErrorGoesToTheDebuggerInPiecesAndNeverToTheFile)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    ReportSystemError("killer.dat");
    const auto& pieces = debugger.Pieces();
    ASSERT_EQ(pieces.size(), 4u);
    EXPECT_EQ(pieces[0] + pieces[1] + pieces[2], "SYSTEM ERROR (modulo killer.dat) : ");
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
