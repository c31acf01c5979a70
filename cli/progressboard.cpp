#include "progressboard.h"

#include "cli/status.h"
#include "cli/text.h"
#include "words/results.h"

namespace tarvenix::cli {

namespace {

// Narrow enough that a board line fits 80 columns, so that redrawing in place works.
constexpr int kBarWidth = 8;
constexpr int kNameWidth = 19;
constexpr int kTransferWidth = 17; // "Download firmware"

// Paths differ at their end: a long name keeps its end.
QString fitted(const QString &name)
{
    if (name.size() <= kNameWidth)
        return name.leftJustified(kNameWidth);
    return QStringLiteral("...") + name.right(kNameWidth - 3);
}

} // namespace

ProgressBoard::ProgressBoard(Progress::Style style, const QStringList &names,
                             const QStringList &shortNames)
    : style_(style), rows_(size_t(names.size()))
{
    for (int i = 0; i < names.size(); ++i) {
        rows_[size_t(i)].name = names[i];
        rows_[size_t(i)].shortName = fitted(shortNames[i]);
    }
}

void ProgressBoard::begin(int row, TransferKind kind)
{
    rows_[size_t(row)].kind = kind;
}

void ProgressBoard::advance(int row, TransferKind phase, int done, int blocks)
{
    Row &r = rows_[size_t(row)];
    if (r.transfer.isEmpty() || phase != r.phase) {
        if (r.lines)
            r.lines->finish();
        r.phase = phase;
        r.transfer = phaseTitle(r.kind, phase);
        r.blocks = blocks;
        r.clock.start();
        if (style_ == Progress::Style::Lines)
            r.lines = std::make_unique<Progress>(
                style_, QStringLiteral("%1: %2").arg(r.name, r.transfer), blocks);
    }
    r.done = done;
    if (r.lines)
        r.lines->advance(done);
}

void ProgressBoard::finish(int row)
{
    Row &r = rows_[size_t(row)];
    if (r.lines)
        r.lines->finish();
}

void ProgressBoard::end(int row, const QString &state)
{
    rows_[size_t(row)].state = state;
}

QString ProgressBoard::text(const Row &row) const
{
    if (!row.state.isEmpty())
        return QStringLiteral("%1 %2").arg(row.shortName, row.state);
    if (row.transfer.isEmpty())
        return Cli::tr("%1 waiting").arg(row.shortName);
    return Cli::tr("%1 %2 [%3] %4/%5 blocks  %6")
        .arg(row.shortName, row.transfer.leftJustified(kTransferWidth),
             barText(row.done, row.blocks, kBarWidth))
        .arg(row.done)
        .arg(row.blocks)
        .arg(rateText(bytesPerSecond(row.done, row.clock.elapsed())));
}

void ProgressBoard::draw()
{
    if (style_ != Progress::Style::Bar)
        return;
    QStringList lines;
    for (const Row &row : rows_)
        lines << QLatin1Char('\r') + text(row) + QStringLiteral("\x1b[K");
    // Back to the board's first line, then over every line of it.
    const QString up = drawn_ ? QStringLiteral("\x1b[%1A").arg(rows_.size()) : QString();
    printMessage(up + lines.join(QLatin1Char('\n')));
    drawn_ = true;
}

} // namespace tarvenix::cli
