#pragma once

#include <cstdint>

// The 8-bit code page of the score records: the uploads are written in it
// and the server's table reads them back.
namespace core {

// The character a byte stands for; U+FFFD for the five bytes the code page
// leaves undefined.
char32_t FromWindows1252(uint8_t byte);
// The byte of a character, '?' for characters the code page lacks.
char ToWindows1252(char32_t c);

}  // namespace core
