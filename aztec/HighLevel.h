// The shortest Aztec bit stream for a byte string, over the character modes and binary shift.
#pragma once

#include <cstddef>

#include "BitStream.h"

namespace aztec::detail {

enum Mode { kUpper, kLower, kMixed, kPunct, kDigit, kModeCount };

// Width in bits of one code of the mode.
int CodeBits(Mode mode);
// The code of a byte in a mode, or -1 when the mode has no such character.
int CharCode(Mode mode, unsigned char byte);

// Encodes [data, data + size) as the bit stream that decodes back to exactly those bytes, starting in
// Upper mode. Among every mix of latches, shifts and binary-shift runs it picks one of the fewest bits.
// `endMode` receives the mode the stream ends in (it decides how the last codeword is padded).
BitStream EncodeHighLevel(const unsigned char* data, std::size_t size, Mode* endMode = nullptr);

}  // namespace aztec::detail
