// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A program that does nothing: built twice, once with the symbolic library linked in, to measure
// what CLN and GiNaC cost every start of a program that contains them.
#ifdef WITH_SYMBOLIC
#include "propagation/symbolic.h"
#endif

int main(int argc, char**) {
#ifdef WITH_SYMBOLIC
    // Never true: keeps the library linked without calling it.
    if (argc > 99) {
        return static_cast<int>(tavrello::propagation::symbolicModel("v0", 1).value.nodes.size());
    }
#else
    (void)argc;
#endif
    return 0;
}
