#pragma once
// The picture tool's commands; each answers the program's exit status.

namespace qvxtool {

int Info(const char* path);
int Decode(const char* path, const char* pngPath);
// method < 0: the smallest method for the picture; key < 0: no colour key.
int Encode(const char* pngPath, const char* path, int method, int key);

} // namespace qvxtool
