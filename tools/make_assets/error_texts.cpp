#include "tools/make_assets/error_texts.h"

#include "platform/dsound.h"
#include "platform/winerror.h"

namespace {

const ErrorRecord errorTexts[] = {
    {static_cast<DWORD>(E_NOTIMPL), "the operation is not implemented"},
    {static_cast<DWORD>(E_NOINTERFACE), "the object does not offer the requested interface"},
    {static_cast<DWORD>(E_POINTER), "a required pointer was null"},
    {static_cast<DWORD>(E_FAIL), "unspecified failure"},
    {static_cast<DWORD>(E_OUTOFMEMORY), "out of memory"},
    {static_cast<DWORD>(E_INVALIDARG), "one or more arguments are not valid"},

    // The sound device and its buffers (the generic codes above serve it too).
    {static_cast<DWORD>(DSERR_ALLOCATED), "the sound device is already in use"},
    {static_cast<DWORD>(DSERR_CONTROLUNAVAIL),
     "the sound buffer was not created with the control this call needs"},
    {static_cast<DWORD>(DSERR_INVALIDCALL), "this call is not valid for this sound buffer"},
    {static_cast<DWORD>(DSERR_PRIOLEVELNEEDED),
     "the program's cooperative level on the sound device is too low for this call"},
    {static_cast<DWORD>(DSERR_BADFORMAT), "the sound format is not supported"},
    {static_cast<DWORD>(DSERR_NODRIVER), "no sound driver is available"},
    {static_cast<DWORD>(DSERR_ALREADYINITIALIZED), "the sound device is already initialised"},
    {static_cast<DWORD>(DSERR_NOAGGREGATION), "the sound objects cannot be aggregated"},
    {static_cast<DWORD>(DSERR_BUFFERLOST), "the sound buffer's memory was lost"},
    {static_cast<DWORD>(DSERR_OTHERAPPHASPRIO), "another program has priority on the sound device"},
    {static_cast<DWORD>(DSERR_UNINITIALIZED), "the sound device has not been initialised"},
};

} // namespace

std::span<const ErrorRecord> GameErrorTexts() { return errorTexts; }
