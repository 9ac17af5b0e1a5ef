// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/propagate.h"

#include <gtest/gtest.h>
#include <string_view>

namespace tavrello::propagation {

// The task file's text worked through the GUM; the test fails where it cannot be.
inline Propagation worked(std::string_view text) {
    const Checked<ReadTask> read = readTask(text);
    EXPECT_TRUE(read) << read.problem().text();
    Checked<Propagation> done = propagate(read->task, &read->lines);
    EXPECT_TRUE(done) << done.problem().text();
    return std::move(done).value();
}

} // namespace tavrello::propagation
