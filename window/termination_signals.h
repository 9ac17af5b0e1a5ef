// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

namespace tavrello {

// Closes every window when the process is asked to stop (SIGTERM, SIGINT), an open error report
// included, so that the program ends as if the user had closed it, with exit status 0.
// One instance per process.
class TerminationSignals : public QObject {
  public:
    TerminationSignals();
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;
};

} // namespace tavrello
