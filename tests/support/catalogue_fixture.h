#pragma once
// Builds "error.dat" files byte by byte, for catalogues the writer would never make.

#include <cstring>
#include <string>

#include "support/error_catalogue.h"
#include "support/little_endian.h"

namespace test {

inline std::string CatalogueHeader(const char* magic, BYTE major, BYTE minor)
{
    std::string header(magic, 4);
    header += static_cast<char>(minor);
    header += static_cast<char>(major);
    header += std::string(2, '\0');
    return header;
}

inline std::string CatalogueRecord(DWORD code, const char* text)
{
    std::string record(ERROR_RECORD_SIZE, '\0');
    WriteLe32(reinterpret_cast<BYTE*>(record.data()), code);
    std::memcpy(record.data() + 4, text, std::strlen(text));
    return record;
}

} // namespace test
