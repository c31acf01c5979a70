#include "progress.h"

#include "cli/text.h"
#include "device/report.h"
#include "transfer/blockloop.h"
#include "words/results.h"

#include <cstdio>
#include <unistd.h>

namespace tarvenix::cli {

namespace {

constexpr int kBarWidth = 24;
// A redraw per block would cost more than the block on a fast device.
constexpr qint64 kRedrawMs = 100;

QString clockText(qint64 seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

QString rateText(double bytesPerSecond)
{
    if (bytesPerSecond >= 1024 * 1024)
        return Cli::tr("%1 MiB/s").arg(bytesPerSecond / (1024 * 1024), 0, 'f', 1);
    return Cli::tr("%1 KiB/s").arg(bytesPerSecond / 1024, 0, 'f', 1);
}

double bytesPerSecond(int done, qint64 elapsedMs)
{
    return elapsedMs > 0 ? double(done) * kBlockSize * 1000 / elapsedMs : 0;
}

QString barText(int done, int blocks, int width)
{
    const int filled = blocks > 0 ? width * done / blocks : width;
    return QString(filled, QLatin1Char('#')) + QString(width - filled, QLatin1Char('-'));
}

QString doneText(int blocks, qint64 elapsedMs)
{
    return Cli::tr("done: %1 blocks in %2 s (%3)")
        .arg(blocks)
        .arg(elapsedMs / 1000.0, 0, 'f', 2)
        .arg(rateText(bytesPerSecond(blocks, elapsedMs)));
}

namespace {

void put(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
}

// The bar line for `done` of `blocks` after `elapsedMs`, without "\r".
QString barLine(const QString &title, int done, int blocks, qint64 elapsedMs)
{
    const double rate = bytesPerSecond(done, elapsedMs);
    const QString left =
        rate > 0 ? clockText(qint64((blocks - done) * kBlockSize / rate)) : QStringLiteral("-:--");
    return Cli::tr("%1 [%2] %3/%4 blocks  %5  %6 left")
        .arg(title, barText(done, blocks, kBarWidth))
        .arg(done)
        .arg(blocks)
        .arg(rateText(rate), left);
}

} // namespace

Progress::Style Progress::styleFor(bool quiet, bool trace)
{
    if (quiet)
        return Style::Silent;
    return trace || !isatty(STDERR_FILENO) ? Style::Lines : Style::Bar;
}

Progress::Progress(Style style, QString title, int blocks)
    : style_(style), title_(std::move(title)), blocks_(blocks)
{
    clock_.start();
    if (style_ == Style::Bar)
        draw(0);
}

void Progress::draw(int done)
{
    const qint64 now = clock_.elapsed();
    if (drawn_ && done < blocks_ && now - drawnAt_ < kRedrawMs)
        return;
    // Erase to the end of the line: the new text may be shorter than the old.
    put(QLatin1Char('\r') + barLine(title_, done, blocks_, now) + QStringLiteral("\x1b[K"));
    std::fflush(stderr);
    drawn_ = true;
    drawnAt_ = now;
}

void Progress::line(int step, const QString &text)
{
    put(Cli::tr("%1: step %2 of %3, %4\n")
            .arg(title_)
            .arg(step)
            .arg(StepSchedule::kSteps)
            .arg(text));
}

void Progress::advance(int done)
{
    if (style_ == Style::Bar)
        draw(done);
    if (style_ != Style::Lines)
        return;
    const int reached = StepSchedule(blocks_).stepsAfter(done);
    while (steps_ < reached)
        line(++steps_, Cli::tr("%1 of %2 blocks").arg(done).arg(blocks_));
}

void Progress::finish()
{
    const qint64 elapsed = clock_.elapsed();
    if (style_ == Style::Bar) {
        draw(blocks_);
        abandon();
    } else if (style_ == Style::Lines) {
        line(StepSchedule::kSteps, doneText(blocks_, elapsed));
    }
}

void Progress::abandon()
{
    if (drawn_)
        put(QStringLiteral("\n"));
    drawn_ = false;
}

void PhasedProgress::advance(TransferKind phase, int done, int blocks)
{
    if (!current_ || phase != phase_) {
        if (current_)
            current_->finish();
        phase_ = phase;
        current_.emplace(style_, phaseTitle(kind_, phase), blocks);
    }
    current_->advance(done);
}

void PhasedProgress::end(bool ok)
{
    if (current_ && ok)
        current_->finish();
    else if (current_)
        current_->abandon();
}

} // namespace tarvenix::cli
