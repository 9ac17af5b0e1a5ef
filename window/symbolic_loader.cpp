// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's symbolic part: GiNaC in a module loaded on the first formula, not at start (see
// propagation/symbolic.h).
#include "propagation/symbolic.h"

#include <QCoreApplication>
#include <QLibrary>
#include <mutex>

namespace tavrello::propagation {

namespace {

using Entry = void (*)(const char* translated, std::size_t length, std::size_t names,
                       SymbolicModel* model);

// Loaded once and kept; a failure is told and tried again at the next formula.
struct Module {
    std::mutex mutex;
    Entry entry = nullptr;
};

} // namespace

SymbolicModel symbolicModel(std::string_view translated, std::size_t names) {
    static Module module;
    const std::lock_guard lock(module.mutex);
    SymbolicModel model;
    if (module.entry == nullptr) {
        QLibrary library(QCoreApplication::applicationDirPath() + "/" +
                         TAVRELLO_SYMBOLIC_FROM_PROGRAM);
        module.entry = reinterpret_cast<Entry>(library.resolve("tavrello_symbolic_model"));
        if (module.entry == nullptr) {
            model.error =
                ("找不到解析公式的模块 tavrello-symbolic：" + library.errorString()).toStdString();
            return model;
        }
    }
    module.entry(translated.data(), translated.size(), names, &model);
    return model;
}

} // namespace tavrello::propagation
