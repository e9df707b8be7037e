#pragma once
// How the game opens, creates, tests and reads its files: never shared, failures reported.

#include "platform/windef.h"

// Each failed open or create is reported with ReportSystemError under the file's name and
// answers INVALID_HANDLE_VALUE.
HANDLE OpenExistingFile(const char* name, DWORD access);
HANDLE OpenForRead(const char* name);
// Read and write; an existing file is emptied.
HANDLE CreateForWrite(const char* name);

// True when the file opens for reading now; a file another holder keeps open answers false.
bool FileExists(const char* name);
// Creates the file (empty) and closes it again.
bool CanCreateFile(const char* name);

// Reads headerSize bytes into header (when given), the rest into a new block tagged with the
// file's name. outSize gets the block's size, or 0xFFFFFFFF when the file did not open.
void* LoadWholeFile(const char* name, void* header, DWORD headerSize, DWORD* outSize);
void* LoadFileWithHeader(const char* name, void* header, DWORD* outSize);

// The bytes between the file's position and its end: what a reader can still fetch, however
// large a size field read from the file says its data is.
DWORD BytesLeftInFile(HANDLE file);

// Writes the text without its NUL; nothing for the invalid handle.
void WriteString(HANDLE file, const char* text);
