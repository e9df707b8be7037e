// The browser's audio is the page's: there is no ALSA to quiet.

#include "platform/host.h"

namespace platform {

void KeepAlsaErrors() {}

void TellAlsaErrors() {}

} // namespace platform
