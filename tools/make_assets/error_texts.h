#pragma once
// The descriptions "error.dat" gives to every result code the platform layer can return.

#include <span>

#include "support/error_catalogue.h"

std::span<const ErrorRecord> GameErrorTexts();
// The text of the terminating record, printed for a code the catalogue does not list.
inline constexpr char UNLISTED_ERROR_TEXT[] = "no description for this code in error.dat";
