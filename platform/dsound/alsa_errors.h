#pragma once
// ALSA prints its own errors on standard error while SDL probes it: sixteen lines at every
// start on a machine without a sound card. They go to the log instead.

namespace platform::dsound {

// Before SDL first opens its audio: the errors the ALSA library reports are kept from now on.
void KeepAlsaErrors();
// The errors kept since, into the log and the debugger output (--verbose). On the program's
// thread: the library may report from SDL's threads.
void TellAlsaErrors();

} // namespace platform::dsound
