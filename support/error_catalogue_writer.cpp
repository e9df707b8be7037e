// Builds "error.dat" files: the game's own catalogue and test fixtures.

#include <cstring>
#include <vector>

#include "platform/kernel.h"
#include "support/error_catalogue.h"
#include "support/error_report.h"
#include "support/file_access.h"
#include "support/little_endian.h"

namespace {

void AppendRecord(std::vector<BYTE>& file, DWORD code, const char* text)
{
    BYTE record[ERROR_RECORD_SIZE] = {};
    WriteLe32(record, code);
    std::strncpy(reinterpret_cast<char*>(record + 4), text, ERROR_TEXT_SIZE - 1);
    file.insert(file.end(), record, record + ERROR_RECORD_SIZE);
}

} // namespace

bool WriteErrorCatalogue(const char* name, BYTE major, BYTE minor, const ErrorRecord* records,
                         std::size_t count, const char* unlistedText)
{
    std::vector<BYTE> file(ERROR_CATALOGUE_HEADER_SIZE, 0);
    WriteLe32(file.data(), FourCC("ERDT"));
    file[4] = minor;
    file[5] = major;
    for (std::size_t i = 0; i < count; ++i) AppendRecord(file, records[i].code, records[i].text);
    AppendRecord(file, 0, unlistedText);

    const HANDLE handle = CreateForWrite(name);
    if (handle == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(handle, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    if (!ok) ReportSystemError(name);
    CloseHandle(handle);
    return ok;
}
