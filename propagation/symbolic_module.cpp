// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The symbolic part as a module of its own, which the program loads when a formula is first
// parsed (see symbolic.h). Its entry point is plain C, so that no exception crosses it; the
// answer is the plain expressions of expression.h, built by the same compiler as the program.
#include "propagation/symbolic.h"

#ifdef _WIN32
#define TAVRELLO_MODULE_ENTRY extern "C" __declspec(dllexport)
#else
#define TAVRELLO_MODULE_ENTRY extern "C" __attribute__((visibility("default")))
#endif

// Fills *model for the translated formula of `names` names; a failure is in model->error.
TAVRELLO_MODULE_ENTRY void tavrello_symbolic_model(const char* translated, std::size_t length,
                                                   std::size_t names,
                                                   tavrello::propagation::SymbolicModel* model) {
    try {
        *model = tavrello::propagation::symbolicModel(std::string_view(translated, length), names);
    } catch (...) {
        model->error = "符号运算的内存不足。";
    }
}
