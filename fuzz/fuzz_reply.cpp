// Replies as a device, or anything posing as one, may send them: the fields the
// program reads out of a reply, the exchange outcome and its description, and
// the save's rule that a short read-out reply is never used.
//
// Input: the reply bytes first (padded or cut to 1024), then the control
// values, which FuzzedDataProvider takes from the end.

#include "check.h"
#include "device/exchange.h"
#include "device/report.h"
#include "support/fakeport.h"
#include "transfer/blockloop.h"
#include "words/failures.h"

#include <QDir>
#include <QLoggingCategory>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tarvenix;

namespace {

constexpr int kMaxScript = 16;

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

// A reply as hid_read leaves it: the bytes it returned, zeros after them.
Report asRead(const Report &bytes, int length)
{
    Report reply{};
    if (length > 0)
        std::memcpy(reply.data(), bytes.data(), std::size_t(std::min(length, kReportSize)));
    return reply;
}

void checkFields(const Report &reply)
{
    const QString version = versionText(reply);
    FUZZ_CHECK(version.size() <= kVersionTextLength);
    FUZZ_CHECK(!version.contains(QChar(0)));
    // Only bytes 46 to 69 may count.
    Report only{};
    std::memcpy(only.data() + 46, reply.data() + 46, kVersionTextLength);
    FUZZ_CHECK(versionText(only) == version);

    FUZZ_CHECK(blockData(reply) == reply.data() + 14);
    FUZZ_CHECK(std::memcmp(blockData(reply), reply.data() + 14, kBlockSize) == 0);

    const QStringList trace = QString::fromLatin1(traceBytes(reply).text).split(QLatin1Char(' '));
    FUZZ_CHECK(trace.size() == 8);
    for (int i = 0; i < trace.size(); ++i) {
        bool ok = false;
        FUZZ_CHECK(trace[i].toInt(&ok) == reply[std::size_t(i)] && ok);
    }
}

// How an exchange's failure is told. A bound waited out carries its milliseconds.
void checkDescription(const Failure &failure)
{
    const QString text = failureCause(failure, QString());
    switch (failure.code) {
    case FailureCode::None:
        FUZZ_CHECK(text.isEmpty());
        return;
    case FailureCode::WriteFailed:
    case FailureCode::ReadFailed:
        FUZZ_CHECK(text.contains(failure.detail));
        break;
    case FailureCode::NoReply:
        FUZZ_CHECK(text.startsWith(QStringLiteral("the device did not answer within ")));
        FUZZ_CHECK(text.endsWith(failure.detail.toInt() == 1000 ? QStringLiteral(" 1 second")
                                                                : QStringLiteral(" seconds")));
        break;
    case FailureCode::EmptyReply:
        FUZZ_CHECK(text.contains(QStringLiteral("empty report (0 bytes)")));
        break;
    default:
        FUZZ_CHECK(false); // an exchange fails in none of the other ways
    }
    FUZZ_CHECK(!text.isEmpty());
}

// The version query end to end through the fake device.
void checkVersionQuery(const Report &bytes, FakePort::Step step)
{
    FakePort dev;
    dev.reply = bytes;
    dev.script = {step};
    QString version = QStringLiteral("unchanged");
    const Failure failure = queryVersion(dev, version);
    if (step.writeFails) {
        FUZZ_CHECK(failure.code == FailureCode::WriteFailed &&
                   version == QStringLiteral("unchanged"));
        return;
    }
    if (step.replyLength <= 0) {
        FUZZ_CHECK(failure && failure.code != FailureCode::VersionCut && version.isEmpty());
        return;
    }
    const Report read = asRead(bytes, step.replyLength);
    FUZZ_CHECK(
        failure.code ==
        (versionTextWhole(read, step.replyLength) ? FailureCode::None : FailureCode::VersionCut));
    FUZZ_CHECK(version == versionText(read));
}

// A save whose replies have the scripted lengths, ending with a refused write:
// it must stop at the first reply that cannot carry its block and write nothing.
void checkSave(const Report &bytes, const std::vector<FakePort::Step> &script,
               const QString &dirPath)
{
    FakePort dev;
    dev.reply = bytes;
    dev.script = script;
    const QString target = dirPath + QStringLiteral("/save.bin");
    BlockLoop loop(TransferKind::Save, dev, target);
    int lastBlock = 0;
    loop.setStepHandler([&](int, int block) { lastBlock = std::max(lastBlock, block); });
    const TransferOutcome outcome = loop.run();

    std::size_t bad = 0;
    while (bad < script.size() && script[bad].replyLength >= kBlockReplyMinLength)
        ++bad;
    const QString cause = failureCause(outcome.failure, target);
    FUZZ_CHECK(!outcome.ok());
    FUZZ_CHECK(outcome.blocks == kDataAreaBlocks);
    FUZZ_CHECK(outcome.failedBlock == int(bad) + 1);
    FUZZ_CHECK(dev.writes == outcome.failedBlock); // nothing sent after the failure
    FUZZ_CHECK(lastBlock < outcome.failedBlock);   // no progress for the failed block
    if (bad == script.size()) {
        FUZZ_CHECK(cause.startsWith(QStringLiteral("the device did not accept")));
    } else {
        const int length = script[bad].replyLength;
        if (length > 0)
            FUZZ_CHECK(cause ==
                       QStringLiteral("the device's reply was too short to carry the block "
                                      "(%1 bytes)")
                           .arg(length));
        else
            FUZZ_CHECK(!cause.isEmpty());
    }
    FUZZ_CHECK(
        transferFailureMessage(TransferKind::Save, target, outcome)
            .contains(
                QStringLiteral("block %1 of %2").arg(outcome.failedBlock).arg(kDataAreaBlocks)));
    // No file, and no temporary file left beside it.
    FUZZ_CHECK(QDir(dirPath).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The exchange traces every reply; those lines would only slow the run.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false"));
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    FuzzedDataProvider in(data, size);

    FakePort::Step step;
    step.replyLength = in.ConsumeIntegralInRange<int>(-1, kReportSize);
    step.writeFails = in.ConsumeBool();

    constexpr FailureCode kExchangeCodes[] = {FailureCode::None, FailureCode::WriteFailed,
                                              FailureCode::ReadFailed, FailureCode::NoReply};
    Failure fuzzed{kExchangeCodes[in.ConsumeIntegralInRange<int>(0, 3)], {}};
    in.ConsumeIntegral<int>(); // once a reply length, kept so that the corpus still means the same
    const int timeoutMs = in.ConsumeIntegral<int>();

    // hid_error's text is outside input too: any wchar_t values, or none at all.
    std::wstring error;
    for (int n = in.ConsumeIntegralInRange<int>(0, 6); n > 0; --n)
        error.push_back(wchar_t(in.ConsumeIntegral<std::int32_t>()));
    const bool errorIsNull = in.ConsumeBool();
    const QString portError =
        errorIsNull ? QString() : QString::fromWCharArray(error.data(), int(error.size()));
    fuzzed.detail = fuzzed.code == FailureCode::NoReply ? QString::number(timeoutMs) : portError;

    // A save allocates and zeroes its whole 512 KiB image, so only one input in four runs one.
    const bool save = in.ConsumeIntegralInRange<int>(0, 3) == 3;
    std::vector<FakePort::Step> script(std::size_t(in.ConsumeIntegralInRange<int>(1, kMaxScript)));
    for (FakePort::Step &s : script)
        s.replyLength = in.ConsumeIntegralInRange<int>(-1, kReportSize);

    Report bytes{};
    const std::vector<std::uint8_t> rest = in.ConsumeRemainingBytes<std::uint8_t>();
    std::copy_n(rest.begin(), std::min(rest.size(), bytes.size()), bytes.begin());

    checkFields(bytes);
    checkFields(asRead(bytes, step.replyLength));
    checkDescription(fuzzed);
    checkVersionQuery(bytes, step);

    // The real exchange against the fake device, and how its outcome is told.
    FakePort dev;
    dev.reply = bytes;
    dev.script = {step};
    dev.error = portError;
    Report request{};
    buildVersionQuery(request);
    Report reply;
    const ExchangeResult result = exchange(dev, request, reply, timeoutMs);
    FUZZ_CHECK(result.replyLength == (step.writeFails ? 0 : step.replyLength));
    if (result.ok())
        FUZZ_CHECK(reply == asRead(bytes, step.replyLength));
    checkDescription(result.failure);

    if (save)
        checkSave(bytes, script, dir.path());
    return 0;
}
