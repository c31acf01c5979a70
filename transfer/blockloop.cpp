#include "blockloop.h"

#include "device/trace.h"
#include "transfer/savefile.h"

#include <QCryptographicHash>
#include <QFile>
#include <algorithm>
#include <climits>
#include <cstring>

namespace tarvenix {

namespace {

// After a failure, what the device still sends is thrown away until it has been quiet
// this long, for at most a second; anything later is the next program's drain's to discard.
constexpr int kSettleQuietMs = 250;
constexpr int kSettleMs = 1000;

} // namespace

// A stray report that answers a request made just before our last one (another program's, or
// one an earlier run left unanswered) reaches us within about one round trip of the device,
// and this transfer's round trips say how long that is: four times the 95th percentile leaves
// room for the device's and the system's jitter. So a fast device does not pay the slowest
// one's wait on every save, and a slow one keeps its margin. The floor covers a few 1-ms USB
// polling intervals and the scheduler; the ceiling bounds what a save pays on any device.
int strayGraceMs(std::vector<int> roundTripsUs)
{
    if (roundTripsUs.empty())
        return kStrayGraceMinMs;
    const auto p95 = roundTripsUs.begin() + (roundTripsUs.size() * 95 + 99) / 100 - 1;
    std::nth_element(roundTripsUs.begin(), p95, roundTripsUs.end());
    const qint64 graceMs = (4 * qint64(*p95) + 999) / 1000;
    return int(qBound<qint64>(kStrayGraceMinMs, graceMs, kStrayGraceMaxMs));
}

int StepSchedule::stepsAfter(int done) const
{
    if (blocks_ <= 0 || done >= blocks_)
        return kSteps - 1;
    return qMin(kSteps - 1, kSteps * done / blocks_);
}

BlockLoop::BlockLoop(TransferKind kind, HidPort &port, QString file)
    : kind_(kind), port_(port), file_(std::move(file))
{
}

TransferOutcome BlockLoop::run()
{
    // The steps that the phases before this one reached.
    steps_ = before_ > 0 ? StepSchedule(inAll_).stepsAfter(before_) : 0;
    // Replies queued before this transfer belong to nobody here.
    drainInput(port_);
    roundTripsUs_.clear();
    TransferOutcome outcome = kind_ == TransferKind::Save ? saveArea() : fileBlocks();
    outcome.phase = kind_;
    settle(outcome);
    return outcome;
}

// The next program to use the device must not meet our unanswered requests' replies. A stop
// is the user's wish to be done: only a reply already on its way is waited for, and one that
// comes later is for the next program's drain and its checks of step to throw away.
void BlockLoop::settle(const TransferOutcome &outcome)
{
    if (outcome.ok() || isUnplug(outcome.failure.code) || outcome.failedBlock == 0)
        return;
    if (isStop(outcome.failure.code)) {
        const int grace = strayGraceMs(roundTripsUs_);
        settleInput(port_, grace, grace);
    } else {
        settleInput(port_, kSettleQuietMs, kSettleMs);
    }
}

// Ends the run at the 1-based block (0: none) with the failure; always false.
bool BlockLoop::fail(TransferOutcome &outcome, int block, Failure failure)
{
    outcome.failedBlock = block;
    outcome.failure = std::move(failure);
    return false;
}

bool BlockLoop::stopped(int block, TransferOutcome &outcome) const
{
    if (!stop_ || !stop_->requested())
        return false;
    fail(outcome, block + 1, stop_->failure());
    return true;
}

// Where each reply is the data, a report queued before our request means that a reply was
// taken for another's: every block after it would be off by one.
bool BlockLoop::inStep(int block, TransferOutcome &outcome)
{
    if (port_.read(reply_, 0, ReadPurpose::Look, nullptr) <= 0)
        return true;
    qCDebug(lcTrace, "report before block %d answers no request: %s", block + 1,
            traceBytes(reply_).text);
    return fail(outcome, block + 1, {FailureCode::OutOfStep, {}});
}

// The same after the last reply, allowing a stray report the time to arrive. A device that
// goes away meanwhile sent no stray report.
bool BlockLoop::quietAfterLastReply(TransferOutcome &outcome)
{
    if (port_.read(reply_, strayGraceMs(roundTripsUs_), ReadPurpose::Grace, nullptr) <= 0)
        return true;
    qCDebug(lcTrace, "report after the last block answers no request: %s", traceBytes(reply_).text);
    return fail(outcome, outcome.blocks, {FailureCode::OutOfStep, {}});
}

// A download's data is right whatever the replies hold, and stopping half way is worse than
// going on: a queued report is the late reply that it is, read so that each request again
// meets its own reply.
void BlockLoop::takeLateReplies(int block)
{
    while (port_.read(reply_, 0, ReadPurpose::Look, nullptr) > 0)
        qCDebug(lcTrace, "late reply taken before block %d: %s", block + 1,
                traceBytes(reply_).text);
}

bool BlockLoop::exchangeBlock(int block, TransferOutcome &outcome)
{
    const ExchangeResult result = exchange(port_, request_, reply_, timeoutMs_, stop_);
    roundTripsUs_.push_back(int(qMin<qint64>(result.roundTripUs, INT_MAX)));
    const bool readsBlocks = kind_ == TransferKind::Save || kind_ == TransferKind::Verify;
    if (result.ok() && readsBlocks && result.replyLength < kBlockReplyMinLength)
        return fail(outcome, block + 1,
                    {FailureCode::ShortReply, QString::number(result.replyLength)});
    if (result.ok())
        return true;
    Failure failure = result.failure;
    // A failed write or read on a device that has gone is an unplug, not a fault.
    const bool failedIo =
        failure.code == FailureCode::WriteFailed || failure.code == FailureCode::ReadFailed;
    if (failedIo && !devicePath_.isEmpty() && deviceGone(port_, devicePath_))
        failure.code = failure.code == FailureCode::WriteFailed ? FailureCode::UnpluggedOnWrite
                                                                : FailureCode::UnpluggedOnRead;
    return fail(outcome, block + 1, std::move(failure));
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
    return std::memcmp(blockData(reply_), data, kBlockSize) == 0 ||
           fail(outcome, block + 1, {FailureCode::Mismatch, {}});
}

void BlockLoop::blockDone(int done, int total)
{
    const int all = inAll_ > 0 ? inAll_ : total;
    if (onBlock_)
        onBlock_(kind_, done, total);
    const int reached = StepSchedule(all).stepsAfter(before_ + done);
    while (steps_ < reached) {
        ++steps_;
        if (kind_ == TransferKind::Save)
            qCDebug(lcTrace, "iTotalTimes==loopStep");
        if (onStep_)
            onStep_(steps_, done);
    }
}

void BlockLoop::finish()
{
    while (last_ && steps_ < StepSchedule::kSteps) {
        ++steps_;
        if (onStep_)
            onStep_(steps_, -1);
    }
}

// The file as it is open now is the one noted, or it is noted now.
bool BlockLoop::sameSource(QFile &file)
{
    if (!source_.exists) {
        source_ = fileFacts(file);
        return source_.exists;
    }
    return identityOf(file) == source_.identity;
}

// What was sent is the file as noted, and the file is still that file: one that grew, was
// written to or replaced while it was sent fails the run, naming what the device now holds.
bool BlockLoop::unchangedAfterSending(const QByteArray &sha256, TransferOutcome &outcome) const
{
    outcome.sent = bytesFacts(qint64(outcome.blocks) * kBlockSize, sha256);
    if (outcome.sent.sha256 == source_.sha256 && identityAt(file_) == source_.identity)
        return true;
    qCDebug(lcTrace, "the file changed while it was sent");
    return fail(outcome, 0, {FailureCode::FileChanged, outcome.sent.sha256});
}

TransferOutcome BlockLoop::fileBlocks()
{
    TransferOutcome outcome;
    // Checked again here: the file may have changed since the command checked it.
    QFile file(file_);
    if (checkSourceFile(kind_, file_) || !file.open(QIODevice::ReadOnly) || !sameSource(file)) {
        fail(outcome, 0, {FailureCode::FileChanged, {}});
        return outcome;
    }
    const qint64 size = source_.size;
    qCDebug(lcTrace, "file step:%d", int(size / (StepSchedule::kSteps * kBlockSize)));
    outcome.blocks = int(size / kBlockSize);
    const bool verify = kind_ == TransferKind::Verify;
    QCryptographicHash sent(QCryptographicHash::Sha256);
    std::uint8_t block[kBlockSize];
    for (int i = 0; i < outcome.blocks; ++i) {
        if (stopped(i, outcome))
            return outcome;
        if (Failure unread = readSourceBlock(file, block)) {
            fail(outcome, i + 1, std::move(unread));
            return outcome;
        }
        sent.addData(reinterpret_cast<const char *>(block), kBlockSize);
        if (!(verify ? compareBlock(i, block, outcome) : sendBlock(i, block, outcome)))
            return outcome;
        blockDone(i + 1, outcome.blocks);
    }
    if ((verify && !quietAfterLastReply(outcome)) || !unchangedAfterSending(sent.result(), outcome))
        return outcome;
    finish();
    return outcome;
}

namespace {

void traceOffset(quint32 offset)
{
    qCDebug(lcTrace, "HasReadBytes:%08x H4:%02x H3:%02x H2:%02x H1:%02x", offset, offset & 0xff,
            (offset >> 8) & 0xff, (offset >> 16) & 0xff, offset >> 24);
}

// The first and last eight bytes of the image, each byte widened as a signed char.
void traceEnds(const QByteArray &image)
{
    const char *a = image.constData();
    const char *z = a + image.size() - 8;
    qCDebug(lcTrace, "first:%02x %02x %02x %02x %02x %02x %02x %02x \n", a[0], a[1], a[2], a[3],
            a[4], a[5], a[6], a[7]);
    qCDebug(lcTrace, "end:%02x %02x %02x %02x %02x %02x %02x %02x \n", z[0], z[1], z[2], z[3], z[4],
            z[5], z[6], z[7]);
}

} // namespace

TransferOutcome BlockLoop::saveArea()
{
    TransferOutcome outcome;
    outcome.blocks = kDataAreaBlocks;
    // The target is put in place only by the commit below, after every block arrived.
    SaveFile file(file_, replaceExisting_);
    if (!file.open()) {
        fail(outcome, 0, file.failure());
        return outcome;
    }
    QByteArray image(kDataAreaSize, '\0');
    qCDebug(lcTrace, "show  iTotalTimes:%d,loopStep:%d", 0, kDataAreaBlocks / StepSchedule::kSteps);
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
        qCDebug(lcTrace, "show  iTotalTimes:%d,loopStep:%d", n + 1,
                (steps_ + 1) * kDataAreaBlocks / StepSchedule::kSteps);
        blockDone(n + 1, kDataAreaBlocks);
    }
    if (!quietAfterLastReply(outcome))
        return outcome;
    traceEnds(image);
    outcome.sent =
        bytesFacts(image.size(), QCryptographicHash::hash(image, QCryptographicHash::Sha256));
    if (!file.commit(image)) {
        fail(outcome, 0, file.failure());
        outcome.keptFile = file.keptFile();
        return outcome;
    }
    finish();
    return outcome;
}

} // namespace tarvenix
