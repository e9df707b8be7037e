// Reports never stop the program: they describe the failure and let the caller fall back.

#include "support/error_report.h"

#include "platform/kernel.h"
#include "support/debug_log.h"
#include "support/error_catalogue.h"

namespace {

struct FacilityName {
    DWORD facility;
    const char* module;
};

constexpr FacilityName facilityNames[] = {
    {0, "generico"}, {1, "RPC"},     {2, "Dispatch"}, {3, "Storage"},        {4, "ITF"},
    {7, "Win32"},    {8, "Windows"}, {10, "Control"}, {0x876, "DirectDraw"}, {0x878, "DirectSound"},
};

void WriteModule(DWORD facility)
{
    for (const FacilityName& entry : facilityNames) {
        if (entry.facility == facility) {
            DebugWrite(entry.module);
            return;
        }
    }
    DebugPrintf("modulo 0x%x", facility);
}

} // namespace

bool ReportResult(const char* context, HRESULT code)
{
    if (code == 0) return true;
    const auto bits = static_cast<DWORD>(code);
    WriteModule((bits >> 16) & 0x1FFF);
    DebugWrite(" ERROR");
    if (context != nullptr) DebugPrintf("(%s:%s)", DebugErrorContext(), context);
    DebugPrintf(": code %u-0x%x ", bits >> 31, bits & 0xFFFF);
    char text[ERROR_TEXT_SIZE + 1];
    if (LookUpErrorText(bits, text)) DebugWrite(text);
    DebugWrite("\n");
    return false;
}

void ReportSystemError(const char* context)
{
    char* text = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, GetLastError(), LANG_USER_DEFAULT, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    if (context == nullptr) {
        OutputDebugStringA("SYSTEM ERROR: ");
    } else {
        OutputDebugStringA("SYSTEM ERROR (modulo ");
        OutputDebugStringA(context);
        OutputDebugStringA(") : ");
    }
    if (length > 0) OutputDebugStringA(text);
    LocalFree(text);
}
