// Standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks), as the settings file keeps
// the saved password.
#pragma once

#include <cstddef>
#include <string>

std::string Base64Encode(const void* pData, size_t nBytes);

// Decodes a whole text into szOut (capacity nCapacity, terminator included). The text must be
// well-formed: groups of four alphabet characters, "=" only as the padding of the last group,
// and no zero byte in what it decodes to. A text that is not, or that decodes to more than
// nCapacity - 1 bytes, gives false and an empty szOut.
bool Base64DecodeText(const char* szText, char* szOut, size_t nCapacity);
