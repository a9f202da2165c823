// Texts of any bytes, such as file names, made safe to print: on a terminal,
// where a control character would be obeyed instead of shown, and in JSON,
// which holds only valid UTF-8.
#pragma once

#include <string>

bool IsValidUtf8(const std::string& text);

// The text with every control character (C0, DEL and C1) and every byte that
// is no part of valid UTF-8 written as \xHH, one per byte.
std::string EscapeControls(const std::string& text);

// Valid UTF-8 with each byte that is no part of a UTF-8 character taken as the
// Latin-1 character of the same value (byte 0xE9 becomes U+00E9).
std::string Utf8OrLatin1(const std::string& text);

// Every byte as two lower-case hexadecimal digits ("a\xff" gives "61ff").
std::string HexBytes(const std::string& text);
