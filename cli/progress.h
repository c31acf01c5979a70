#pragma once
// A transfer's progress on stderr: one updating bar on a terminal, a plain
// line per step otherwise, nothing when quiet.

#include "transfer/filechecks.h"

#include <QElapsedTimer>
#include <QString>
#include <optional>

namespace tarvenix::cli {

// "62.5 KiB/s", "1.2 MiB/s".
QString rateText(double bytesPerSecond);
double bytesPerSecond(int done, qint64 elapsedMs);
// A bar of `width` characters, '#' for the share done, '-' for the rest.
QString barText(int done, int blocks, int width);
// "done: 128 blocks in 1.05 s (61.0 KiB/s)".
QString doneText(int blocks, qint64 elapsedMs);

class Progress {
  public:
    enum class Style { Silent, Lines, Bar };
    // Lines when stderr is not a terminal, or when the trace would break the bar.
    static Style styleFor(bool quiet, bool trace);

    Progress(Style style, QString title, int blocks);
    // `done` blocks have been exchanged, the last one not yet finished with.
    void advance(int done);
    // The whole transfer is done: step 6.
    void finish();
    // Ends the bar's line, so that a message after a failure starts on its own.
    void abandon();

  private:
    void line(int step, const QString &text);
    void draw(int done);

    Style style_;
    QString title_;
    int blocks_;
    int steps_ = 0;
    bool drawn_ = false;
    qint64 drawnAt_ = -1;
    QElapsedTimer clock_;
};

// A transfer's progress phase by phase: a data download's backup, download and verify each
// under its own name with its own count of blocks.
class PhasedProgress {
  public:
    PhasedProgress(Progress::Style style, TransferKind kind) : style_(style), kind_(kind) {}
    void advance(TransferKind phase, int done, int blocks);
    // The transfer ended: the last phase is done, or ends where it failed.
    void end(bool ok);

  private:
    Progress::Style style_;
    TransferKind kind_;
    TransferKind phase_ = TransferKind::Firmware;
    std::optional<Progress> current_;
};

} // namespace tarvenix::cli
