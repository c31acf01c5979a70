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
#include "workers/blockloop.h"

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

void checkDescription(const ExchangeResult &result, int timeoutMs)
{
    const QString text = describe(result, timeoutMs);
    switch (result.error) {
    case ExchangeError::None:
        FUZZ_CHECK(text.isEmpty());
        return;
    case ExchangeError::WriteFailed:
    case ExchangeError::ReadFailed:
        FUZZ_CHECK(text.contains(result.detail));
        break;
    case ExchangeError::NoReply:
        FUZZ_CHECK(text.startsWith(QStringLiteral("the device did not answer within ")));
        FUZZ_CHECK(text.endsWith(timeoutMs == 1000 ? QStringLiteral(" 1 second")
                                                   : QStringLiteral(" seconds")));
        break;
    case ExchangeError::EmptyReply:
        FUZZ_CHECK(text.contains(QStringLiteral("empty report (0 bytes)")));
        break;
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
    const VersionState state = queryVersion(dev, version);
    if (step.writeFails) {
        FUZZ_CHECK(state == VersionState::NotWritten && version == QStringLiteral("unchanged"));
        return;
    }
    if (step.replyLength <= 0) {
        FUZZ_CHECK(state == VersionState::NotRead && version.isEmpty());
        return;
    }
    const Report read = asRead(bytes, step.replyLength);
    FUZZ_CHECK(state ==
               (versionTextWhole(read, step.replyLength) ? VersionState::Read : VersionState::Cut));
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
    FUZZ_CHECK(!outcome.ok);
    FUZZ_CHECK(outcome.blocks == kDataAreaBlocks);
    FUZZ_CHECK(outcome.failedBlock == int(bad) + 1);
    FUZZ_CHECK(dev.writes == outcome.failedBlock); // nothing sent after the failure
    FUZZ_CHECK(lastBlock < outcome.failedBlock);   // no progress for the failed block
    if (bad == script.size()) {
        FUZZ_CHECK(outcome.cause.startsWith(QStringLiteral("the device did not accept")));
    } else {
        const int length = script[bad].replyLength;
        if (length > 0)
            FUZZ_CHECK(outcome.cause ==
                       QStringLiteral("the device's reply was too short to carry the block "
                                      "(%1 bytes)")
                           .arg(length));
        else
            FUZZ_CHECK(!outcome.cause.isEmpty());
    }
    FUZZ_CHECK(
        outcome.message(TransferKind::Save)
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

    ExchangeResult fuzzed;
    fuzzed.error = ExchangeError(in.ConsumeIntegralInRange<int>(0, 3));
    fuzzed.replyLength = in.ConsumeIntegral<int>();
    const int timeoutMs = in.ConsumeIntegral<int>();

    // hid_error's text is outside input too: any wchar_t values, or none at all.
    std::wstring error;
    for (int n = in.ConsumeIntegralInRange<int>(0, 6); n > 0; --n)
        error.push_back(wchar_t(in.ConsumeIntegral<std::int32_t>()));
    const bool errorIsNull = in.ConsumeBool();
    fuzzed.detail = QString::fromWCharArray(error.data(), int(error.size()));
    const QString portError = errorIsNull ? QString() : fuzzed.detail;

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
    checkDescription(fuzzed, timeoutMs);
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
    checkDescription(result, timeoutMs);

    if (save)
        checkSave(bytes, script, dir.path());
    return 0;
}
