#pragma once

#include <QString>
#include <random>

namespace tavrello {

// A text a careless or hostile user might type into a box: ordinary numbers, numbers beyond
// the single and double ranges, &H/&O forms, long digit strings, junk, Chinese text, nothing.
QString monkeyText(std::mt19937& random);

} // namespace tavrello
