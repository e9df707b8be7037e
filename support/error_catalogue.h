#pragma once
// "error.dat": descriptive texts for result codes, loaded once at start-up.

#include <cstddef>

#include "platform/windef.h"

inline constexpr DWORD ERROR_RECORD_SIZE = 96;
// A record's text field; the text itself holds at most ERROR_TEXT_SIZE - 1 characters.
inline constexpr DWORD ERROR_TEXT_SIZE = 92;
inline constexpr DWORD ERROR_CATALOGUE_HEADER_SIZE = 8;

struct ErrorRecord {
    DWORD code;
    const char* text;
};

// Loads "error.dat" from the current folder and says in the log file whether it is valid.
void LoadErrorCatalogue();

// The text of the first record whose code is code or 0, NUL-terminated into text. False when
// there is no catalogue, or it ends before such a record does.
bool LookUpErrorText(DWORD code, char (&text)[ERROR_TEXT_SIZE + 1]);

// Writes a catalogue file: the records in order, then the terminating record with
// unlistedText. Texts longer than a record holds are cut. False (reported) on a failed write.
bool WriteErrorCatalogue(const char* name, BYTE major, BYTE minor, const ErrorRecord* records,
                         std::size_t count, const char* unlistedText);
