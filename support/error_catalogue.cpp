// The loaded catalogue and its lookup.

#include "support/error_catalogue.h"

#include <cstring>

#include "support/debug_log.h"
#include "support/file_access.h"
#include "support/little_endian.h"
#include "support/memory.h"

namespace {

constexpr DWORD catalogueMagic = FourCC("ERDT");

// The file's body after its header. Its size is kept so that a catalogue without its
// terminating record is never read past its end.
BYTE* catalogueBody = nullptr;
DWORD catalogueSize = 0;

} // namespace

void LoadErrorCatalogue()
{
    if (catalogueBody != nullptr) MemFree(catalogueBody);
    BYTE header[ERROR_CATALOGUE_HEADER_SIZE] = {};
    DWORD size = 0;
    catalogueBody = static_cast<BYTE*>(LoadFileWithHeader("error.dat", header, &size));
    catalogueSize = catalogueBody != nullptr ? size : 0;
    // The magic decides only the message: whatever body was read serves as the catalogue.
    if (ReadLe32(header) == catalogueMagic) {
        LogFilePrintf("File errore caricato: versione %u.%u\r\n", header[5], header[4]);
    } else {
        LogFileLine("Questo non è un file di errori valido");
    }
    // A cut catalogue still serves the texts it holds; unlisted codes then get none. The
    // terminating record is the one code 0 finds.
    char text[ERROR_TEXT_SIZE + 1];
    if (catalogueBody != nullptr && !LookUpErrorText(0, text))
        LogFileLine("error.dat incompleto: manca il record finale");
}

bool LookUpErrorText(DWORD code, char (&text)[ERROR_TEXT_SIZE + 1])
{
    for (DWORD offset = 0; offset + ERROR_RECORD_SIZE <= catalogueSize;
         offset += ERROR_RECORD_SIZE) {
        const BYTE* record = catalogueBody + offset;
        const DWORD recordCode = ReadLe32(record);
        if (recordCode == code || recordCode == 0) {
            std::memcpy(text, record + 4, ERROR_TEXT_SIZE);
            text[ERROR_TEXT_SIZE] = '\0';
            return true;
        }
    }
    return false;
}
