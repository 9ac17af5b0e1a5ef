#pragma once

#include <QObject>
#include <QWidget>

namespace tavrello {

// Closes the window when the process is asked to stop (SIGTERM, SIGINT), so that the program
// ends as if the user had closed it, with exit status 0. One instance per process.
class TerminationSignals : public QObject {
  public:
    explicit TerminationSignals(QWidget& window);
    ~TerminationSignals() override;

    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;
};

} // namespace tavrello
