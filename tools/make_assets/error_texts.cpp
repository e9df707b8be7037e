#include "tools/make_assets/error_texts.h"

#include "platform/winerror.h"

namespace {

const ErrorRecord errorTexts[] = {
    {static_cast<DWORD>(E_NOTIMPL), "the operation is not implemented"},
    {static_cast<DWORD>(E_NOINTERFACE), "the object does not offer the requested interface"},
    {static_cast<DWORD>(E_POINTER), "a required pointer was null"},
    {static_cast<DWORD>(E_FAIL), "unspecified failure"},
    {static_cast<DWORD>(E_OUTOFMEMORY), "out of memory"},
    {static_cast<DWORD>(E_INVALIDARG), "one or more arguments are not valid"},
};

} // namespace

std::span<const ErrorRecord> GameErrorTexts() { return errorTexts; }
