// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "propagation/propagate.h"

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

namespace tavrello {

// Runs the Monte Carlo method of one indirect measurement at a time, on a thread of its own, so
// that the window keeps following the user. Each run answers for the propagation it was given,
// tagged with the caller's number for it; a run that another replaced is cancelled, and its
// answer never arrives.
class MonteCarloRunner : public QObject {
  public:
    // Both called on the thread that owns the runner.
    using Done = std::function<void(std::uint64_t tag, propagation::Propagation done)>;
    using Progress = std::function<void(std::uint64_t tag, double share)>;

    MonteCarloRunner(Done done, Progress progress, QObject* parent);
    // Cancels every run and waits for it to stop, a block of draws at most.
    ~MonteCarloRunner() override;

    void start(propagation::Propagation propagation, std::uint64_t tag);
    // The current run stops and answers with its refusal.
    void cancel();
    // Replaced: the current run stops and never answers.
    void drop();
    bool running() const { return current_ != nullptr; }

  private:
    struct Run {
        std::uint64_t tag = 0;
        std::atomic<bool> cancelled{false};
        std::thread thread;
    };

    void finish(Run* run, propagation::Propagation done);

    Done done_;
    Progress progress_;
    std::vector<std::unique_ptr<Run>> runs_;
    Run* current_ = nullptr;
};

} // namespace tavrello
