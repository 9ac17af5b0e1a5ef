// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/controls.h"

#include <string>

namespace tavrello {

// Sets the group's label of every selected slot to the text, slots 1 to 4 in turn; each check
// box is read right before its own label would be written.
void writeGroup(Controls& controls, ResultGroup group, const std::string& text);

// The same with the empty text.
void blankGroup(Controls& controls, ResultGroup group);

} // namespace tavrello
