#pragma once
// Where the mix goes while a device exists: an audio device that pulls it, or the program's
// clock that pushes it to nowhere or into a WAV file.

namespace platform::dsound {

// Starts the chosen output in the current mix format, stopping the one running.
void StartOutput();
void StopOutput();

} // namespace platform::dsound
