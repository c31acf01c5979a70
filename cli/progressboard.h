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

    // Device `row` starts a transfer of `blocks` blocks.
    void begin(int row, TransferKind kind, int blocks);
    void advance(int row, int done);
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
        QString transfer;
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
