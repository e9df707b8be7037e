#pragma once
// Where the mix goes while a device exists: an audio device that pulls it, or the program's
// clock that pushes it to nowhere or into a WAV file.

namespace platform::dsound {

// Starts the chosen output in the current mix format, stopping the one running.
void StartOutput();
void StopOutput();
// An audio device went away (its SDL device number): when it was ours, the mix goes on silently
// at the program's clock, so the game plays on without sound.
void AudioDeviceRemoved(unsigned deviceNumber);

} // namespace platform::dsound
