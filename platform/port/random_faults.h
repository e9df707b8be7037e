#pragma once
// Failures chosen by a seed, for long unattended runs of the real game (the soak): a few
// surface operations fail for a while, a sound call fails throughout, a file write fails as on
// a full disk. The same seed always arms the same failures.

#include <cstdint>

namespace platform {

// Arms the failures the seed picks and tells the log which.
void ArmRandomFaults(std::uint32_t seed);
// ArmRandomFaults with the seed in KG_FAULTS, when that variable is set.
void ArmFaultsFromEnvironment();

} // namespace platform
