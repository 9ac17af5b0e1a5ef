// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/expression.h"

#include <cstddef>
#include <string_view>

namespace tavrello::propagation {

// Parses a formula as scanFormula translated it, its names v0 … v(names - 1), and differentiates
// it by each name, with GiNaC. Throws nothing: a failure is in the answer's error.
//
// CLN and GiNaC set themselves up when a program that links them starts: about 20 ms and 6 MB
// on an empty program (bench/README.md). So the program takes this function from a module it
// loads on first use (symbolic_module.cpp), while the tests, the benchmarks and the module
// itself link symbolic.cpp.
SymbolicModel symbolicModel(std::string_view translated, std::size_t names);

} // namespace tavrello::propagation
