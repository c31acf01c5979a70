#pragma once
// The progress of a run on several devices, on stderr: on a terminal one line per
// device (serial or path, transfer, bar, blocks, rate) redrawn in place; otherwise each
// device's plain line at each step, its name first; nothing when quiet.

#include "cli/progress.h"
#include "transfer/blockloop.h"

#include <QElapsedTimer>
#include <QStringList>
#include <memory>
#include <vector>

namespace tarvenix::cli {

class ProgressBoard {
  public:
    // names: the devices' names in plain lines; shortNames: on the board's lines.
    ProgressBoard(Progress::Style style, const QStringList &names, const QStringList &shortNames);

    // Device `row` starts a transfer.
    void begin(int row, TransferKind kind);
    // Its transfer has done `done` of the `blocks` blocks of `phase`; a new phase (a data
    // download's backup, download and verify) starts its own count under its own name.
    void advance(int row, TransferKind phase, int done, int blocks);
    // The transfer completed.
    void finish(int row);
    // The device's last word on the board: "done", "failed at block 17".
    void end(int row, const QString &state);
    // On a terminal, draws the board as it stands; called every tenth of a second.
    void draw();

  private:
    struct Row {
        QString name;
        QString shortName;
        TransferKind kind = TransferKind::Firmware;
        TransferKind phase = TransferKind::Firmware;
        QString transfer; // the phase's title; empty before its first block
        int blocks = 0;
        int done = 0;
        QString state;
        QElapsedTimer clock;
        std::unique_ptr<Progress> lines; // the plain step lines, when not on a terminal
    };
    QString text(const Row &row) const;

    Progress::Style style_;
    std::vector<Row> rows_;
    bool drawn_ = false;
};

} // namespace tarvenix::cli
