#pragma once
// The C library's character type, in which hidapi reads a device's strings.

namespace tarvenix {

// hidapi decodes a device's strings (UTF-8 from the kernel) with the C library, which
// follows the locale's LC_CTYPE: under C or POSIX every non-ASCII string came out empty.
// Where that character type is not UTF-8, this makes it C.UTF-8; Qt keeps the codec it
// chose for file names and arguments. Call once, after the application object set the
// locale. Nothing to do on Windows, where hidapi hands over the device's UTF-16.
void useUtf8CharacterType();

} // namespace tarvenix
