// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

namespace tavrello {

// A working array of the compute command: 21 singles, element 0 unused, all 0 at creation.
// Access by the loop counter is guarded, access by a constant index is not.
class SingleArray {
  public:
    static constexpr int size = 21;

    // Raises subscript out of range for an index outside 0 to 20, negative ones included.
    float& at(std::int16_t index);
    float& operator[](int constantIndex) { return elements_[constantIndex]; }

  private:
    std::array<float, size> elements_{};
};

} // namespace tavrello
