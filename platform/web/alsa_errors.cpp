// The browser's audio is the page's: there is no ALSA to quiet.

#include "platform/dsound/alsa_errors.h"

namespace platform::dsound {

void KeepAlsaErrors() {}

void TellAlsaErrors() {}

} // namespace platform::dsound
