#include "blockloop.h"

#include "workers/savefile.h"

#include <QDebug>
#include <QFile>
#include <cstring>

namespace tarvenix {

namespace {

// A stray report that answers a request made just before our last one reaches us within
// one round trip of the device: one to a few 1-ms USB polling intervals. 50 ms covers that
// many times over and costs little beside a save's second or more.
constexpr int kStrayGraceMs = 50;
// After a failure, what the device still sends is thrown away until it has been quiet
// this long, for at most a second; anything later is the next program's drain's to discard.
constexpr int kSettleQuietMs = 250;
constexpr int kSettleMs = 1000;

QString outOfStepCause()
{
    return QStringLiteral("the device sent a report that answers no request of ours (is another "
                          "program using the device?)");
}

} // namespace

int StepSchedule::stepsAfter(int done) const
{
    if (blocks_ <= 0 || done >= blocks_)
        return kSteps - 1;
    return qMin(kSteps - 1, kSteps * done / blocks_);
}

void StopRequest::request(const QString &cause)
{
    if (requested())
        return;
    cause_ = cause;
    requested_.store(true);
}

void StopRequest::requestFromSignal(int signalNumber)
{
    int none = 0;
    if (!requested_.load())
        signal_.compare_exchange_strong(none, signalNumber);
}

QString StopRequest::cause() const
{
    return signal_.load()
               ? QStringLiteral("the transfer was stopped by signal %1").arg(signal_.load())
               : cause_;
}

QString TransferOutcome::message(TransferKind kind) const
{
    QString text = failedBlock > 0
                       ? QStringLiteral("%1 failed at block %2 of %3: %4.")
                             .arg(transferName(kind))
                             .arg(failedBlock)
                             .arg(blocks)
                             .arg(cause)
                       : QStringLiteral("%1 failed: %2.").arg(transferName(kind), cause);
    if (unplugged)
        text += QStringLiteral("\nThe device was unplugged during the transfer. Plug it in again "
                               "and repeat the transfer.");
    else if (outOfStep)
        text += QStringLiteral("\nClose any other program that uses the device, then try again.");
    else if (fileFailed && kind != TransferKind::Save)
        text += QStringLiteral("\nPlease check the file, then repeat the transfer.");
    else if (failedBlock > 0 && !mismatch)
        text += QStringLiteral("\nPlease check the device and its cable, then try again.");
    if (kind == TransferKind::Save && !keptFile.isEmpty())
        text += QStringLiteral("\nThe data read from the device is kept in \"%1\"; rename that "
                               "file to keep it.")
                    .arg(keptFile);
    else if (kind == TransferKind::Save)
        text += QStringLiteral("\nNo file was written; an existing file keeps its content.");
    return text;
}

QString TransferOutcome::stoppedMessage(TransferKind kind) const
{
    QString state;
    switch (kind) {
    case TransferKind::Firmware:
        state = QStringLiteral("the device holds a partial firmware; run the download again "
                               "before unplugging it");
        break;
    case TransferKind::Data:
        state = QStringLiteral("the device's data area is partly overwritten; run the download "
                               "again");
        break;
    case TransferKind::Save:
        state = QStringLiteral("nothing was saved, and the device is unchanged");
        break;
    case TransferKind::Verify:
        state = QStringLiteral("the device is unchanged");
        break;
    }
    return QStringLiteral("%1 stopped after %2 of %3 blocks: %4.")
        .arg(transferName(kind))
        .arg(qMax(0, failedBlock - 1))
        .arg(blocks)
        .arg(state);
}

BlockLoop::BlockLoop(TransferKind kind, HidPort &port, QString path)
    : kind_(kind), port_(port), path_(std::move(path))
{
}

TransferOutcome BlockLoop::run()
{
    steps_ = 0;
    // Replies queued before this transfer belong to nobody here.
    drainInput(port_);
    const TransferOutcome outcome = kind_ == TransferKind::Save ? saveArea() : fileBlocks();
    // The next program to use the device must not meet our unanswered requests' replies.
    if (!outcome.ok && !outcome.unplugged && outcome.failedBlock > 0)
        settleInput(port_, kSettleQuietMs, kSettleMs);
    return outcome;
}

bool BlockLoop::stopped(int block, TransferOutcome &outcome) const
{
    if (!stop_ || !stop_->requested())
        return false;
    outcome.failedBlock = block + 1;
    outcome.cause = stop_->cause();
    outcome.stopped = true;
    return true;
}

// Where each reply is the data, a report queued before our request means that a reply was
// taken for another's: every block after it would be off by one.
bool BlockLoop::inStep(int block, TransferOutcome &outcome)
{
    if (port_.read(reply_, 0) <= 0)
        return true;
    qDebug("report before block %d answers no request: %s", block + 1, traceBytes(reply_).text);
    outcome.failedBlock = block + 1;
    outcome.cause = outOfStepCause();
    outcome.outOfStep = true;
    return false;
}

// The same after the last reply, allowing a stray report the time to arrive. A device that
// goes away meanwhile sent no stray report.
bool BlockLoop::quietAfterLastReply(TransferOutcome &outcome)
{
    if (port_.read(reply_, kStrayGraceMs) <= 0)
        return true;
    qDebug("report after the last block answers no request: %s", traceBytes(reply_).text);
    outcome.failedBlock = outcome.blocks;
    outcome.cause = outOfStepCause();
    outcome.outOfStep = true;
    return false;
}

// A download's data is right whatever the replies hold, and stopping half way is worse than
// going on: a queued report is the late reply that it is, read so that each request again
// meets its own reply.
void BlockLoop::takeLateReplies(int block)
{
    while (port_.read(reply_, 0) > 0)
        qDebug("late reply taken before block %d: %s", block + 1, traceBytes(reply_).text);
}

bool BlockLoop::exchangeBlock(int block, TransferOutcome &outcome)
{
    const ExchangeResult result = exchange(port_, request_, reply_, timeoutMs_);
    const bool readsBlocks = kind_ == TransferKind::Save || kind_ == TransferKind::Verify;
    QString cause = describe(result, timeoutMs_);
    if (result.ok() && readsBlocks && result.replyLength < kBlockReplyMinLength)
        cause = QStringLiteral("the device's reply was too short to carry the block (%1 bytes)")
                    .arg(result.replyLength);
    if (cause.isEmpty())
        return true;
    outcome.failedBlock = block + 1;
    outcome.cause = cause;
    // A failed write or read on a device that has gone is an unplug, not a fault.
    const bool failedIo =
        result.error == ExchangeError::WriteFailed || result.error == ExchangeError::ReadFailed;
    outcome.unplugged = failedIo && !devicePath_.isEmpty() &&
                        deviceGone(QFile::encodeName(devicePath_).constData());
    return false;
}

bool BlockLoop::sendBlock(int block, const std::uint8_t *data, TransferOutcome &outcome)
{
    const Area area = kind_ == TransferKind::Firmware ? Area::Firmware : Area::Data;
    if (block > 0)
        takeLateReplies(block);
    buildPacket(request_, area, quint32(block), data);
    return exchangeBlock(block, outcome);
}

bool BlockLoop::compareBlock(int block, const std::uint8_t *data, TransferOutcome &outcome)
{
    if (!inStep(block, outcome))
        return false;
    buildReadOut(request_, quint32(block));
    if (!exchangeBlock(block, outcome))
        return false;
    if (std::memcmp(blockData(reply_), data, kBlockSize) == 0)
        return true;
    outcome.failedBlock = block + 1;
    outcome.cause = QStringLiteral("the device's data differs from \"%1\"").arg(path_);
    outcome.mismatch = true;
    return false;
}

void BlockLoop::blockDone(int done, int total)
{
    if (onBlock_)
        onBlock_(done, total);
    const int reached = StepSchedule(total).stepsAfter(done);
    while (steps_ < reached) {
        ++steps_;
        if (kind_ == TransferKind::Save)
            qDebug("iTotalTimes==loopStep");
        if (onStep_)
            onStep_(steps_, done);
    }
}

void BlockLoop::finish()
{
    while (steps_ < StepSchedule::kSteps) {
        ++steps_;
        if (onStep_)
            onStep_(steps_, -1);
    }
}

TransferOutcome BlockLoop::fileBlocks()
{
    TransferOutcome outcome;
    qint64 size = 0;
    // Checked again here: the file may have changed since the command checked it.
    QFile file(path_);
    if (!checkSourceFile(kind_, path_, &size).isEmpty() || !file.open(QIODevice::ReadOnly)) {
        outcome.cause = QStringLiteral("the file \"%1\" is missing, unreadable or no longer "
                                       "whole blocks; please load it again")
                            .arg(path_);
        return outcome;
    }
    qDebug("file step:%d", int(size / (StepSchedule::kSteps * kBlockSize)));
    outcome.blocks = int(size / kBlockSize);
    const bool verify = kind_ == TransferKind::Verify;
    std::uint8_t block[kBlockSize];
    for (int i = 0; i < outcome.blocks; ++i) {
        if (stopped(i, outcome))
            return outcome;
        const QString unread = readSourceBlock(file, block);
        if (!unread.isEmpty()) {
            outcome.failedBlock = i + 1;
            outcome.fileFailed = true;
            outcome.cause = unread;
            return outcome;
        }
        if (!(verify ? compareBlock(i, block, outcome) : sendBlock(i, block, outcome)))
            return outcome;
        blockDone(i + 1, outcome.blocks);
    }
    if (verify && !quietAfterLastReply(outcome))
        return outcome;
    finish();
    outcome.ok = true;
    return outcome;
}

namespace {

void traceOffset(quint32 offset)
{
    qDebug("HasReadBytes:%08x H4:%02x H3:%02x H2:%02x H1:%02x", offset, offset & 0xff,
           (offset >> 8) & 0xff, (offset >> 16) & 0xff, offset >> 24);
}

// The first and last eight bytes of the image, each byte widened as a signed char.
void traceEnds(const QByteArray &image)
{
    const char *a = image.constData();
    const char *z = a + image.size() - 8;
    qDebug("first:%02x %02x %02x %02x %02x %02x %02x %02x \n", a[0], a[1], a[2], a[3], a[4], a[5],
           a[6], a[7]);
    qDebug("end:%02x %02x %02x %02x %02x %02x %02x %02x \n", z[0], z[1], z[2], z[3], z[4], z[5],
           z[6], z[7]);
}

} // namespace

TransferOutcome BlockLoop::saveArea()
{
    TransferOutcome outcome;
    outcome.blocks = kDataAreaBlocks;
    // The target is put in place only by the commit below, after every block arrived.
    SaveFile file(path_, replaceExisting_);
    if (!file.open()) {
        outcome.cause = file.error();
        return outcome;
    }
    QByteArray image(kDataAreaSize, '\0');
    qDebug("show  iTotalTimes:%d,loopStep:%d", 0, kDataAreaBlocks / StepSchedule::kSteps);
    for (int n = 0; n < kDataAreaBlocks; ++n) {
        if (stopped(n, outcome))
            return outcome;
        traceOffset(quint32(n) * kBlockSize);
        if (!inStep(n, outcome))
            return outcome;
        buildReadOut(request_, quint32(n));
        if (!exchangeBlock(n, outcome))
            return outcome;
        std::memcpy(image.data() + n * kBlockSize, blockData(reply_), kBlockSize);
        qDebug("show  iTotalTimes:%d,loopStep:%d", n + 1,
               (steps_ + 1) * kDataAreaBlocks / StepSchedule::kSteps);
        blockDone(n + 1, kDataAreaBlocks);
    }
    if (!quietAfterLastReply(outcome))
        return outcome;
    traceEnds(image);
    if (!file.commit(image)) {
        outcome.fileFailed = true;
        outcome.cause = file.error();
        outcome.keptFile = file.keptFile();
        return outcome;
    }
    finish();
    outcome.ok = true;
    return outcome;
}

} // namespace tarvenix
