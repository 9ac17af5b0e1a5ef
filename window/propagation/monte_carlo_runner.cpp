// SPDX-FileCopyrightText: 2026 Tavrello developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/propagation/monte_carlo_runner.h"

#include <QMetaObject>
#include <algorithm>

namespace tavrello {

MonteCarloRunner::MonteCarloRunner(Done done, Progress progress, QObject* parent)
    : QObject(parent), done_(std::move(done)), progress_(std::move(progress)) {}

MonteCarloRunner::~MonteCarloRunner() {
    for (const std::unique_ptr<Run>& run : runs_) {
        run->cancelled = true;
    }
    for (const std::unique_ptr<Run>& run : runs_) {
        run->thread.join();
    }
}

void MonteCarloRunner::start(propagation::Propagation propagation, std::uint64_t tag) {
    drop();
    auto run = std::make_unique<Run>();
    run->tag = tag;
    Run* started = run.get();
    // Answers are posted to this object: Qt drops them with it.
    run->thread = std::thread([this, started, propagation = std::move(propagation)]() mutable {
        propagation::MonteCarloOptions options;
        options.cancel = &started->cancelled;
        options.progress = [this, started](double share) {
            QMetaObject::invokeMethod(
                this,
                [this, started, share] {
                    if (started == current_) {
                        progress_(started->tag, share);
                    }
                },
                Qt::QueuedConnection);
        };
        propagation::addMonteCarlo(propagation, options);
        QMetaObject::invokeMethod(
            this,
            [this, started, done = std::move(propagation)]() mutable {
                finish(started, std::move(done));
            },
            Qt::QueuedConnection);
    });
    current_ = started;
    runs_.push_back(std::move(run));
}

void MonteCarloRunner::cancel() {
    if (current_ != nullptr) {
        current_->cancelled = true;
    }
}

void MonteCarloRunner::drop() {
    cancel();
    current_ = nullptr;
}

// The thread has posted its answer as its last act.
void MonteCarloRunner::finish(Run* run, propagation::Propagation done) {
    const bool answers = run == current_;
    if (answers) {
        current_ = nullptr;
    }
    run->thread.join();
    const std::uint64_t tag = run->tag;
    std::erase_if(runs_, [run](const std::unique_ptr<Run>& each) { return each.get() == run; });
    if (answers) {
        done_(tag, std::move(done));
    }
}

} // namespace tavrello
