#pragma once
// The C runtime's random numbers of the original platform. They differ from glibc's, and every
// run is reproducible from its seed only with this exact generator, so it is our own.

namespace crt {

void srand(unsigned int seed);
// 15-bit results, 0 to 32767.
int rand();

} // namespace crt
