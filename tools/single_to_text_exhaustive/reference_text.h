#pragma once

#include <cstddef>

namespace tavrello::check {

// The label text of a single, worked out independently of the engine: the exact value scaled
// to seven digits in 64-bit extended precision, with glibc's exactly rounded printf deciding
// every case that comes near a tie. Writes the text without terminator, returns its length.
std::size_t referenceText(float value, char* out);

} // namespace tavrello::check
