#pragma once
// PCM WAV files (8 or 16 bits, mono or stereo) read into a pack's sound.

#include <optional>
#include <string>
#include <vector>

#include "tools/pack_writer/pack_writer.h"

// The sound, or nothing with the reason in error.
std::optional<pack_writer::PcmSound> ReadWavSound(const std::vector<BYTE>& file,
                                                  std::string& error);
