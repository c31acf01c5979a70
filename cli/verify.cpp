#include "verify.h"

#include "device/report.h"

#include <QFile>
#include <cstring>

namespace tarvenix::cli {

namespace {

const QString kCheckDevice =
    QStringLiteral("Please check the device and its cable, then try again.");

QString failedAt(int block, int blocks, const QString &cause)
{
    return QStringLiteral("Verify failed at block %1 of %2: %3.").arg(block).arg(blocks).arg(cause);
}

// Why the read-out of one block is unusable, or an empty string.
QString readOut(hid_device *device, int block, Report &reply)
{
    Report request;
    buildReadOut(request, quint32(block));
    const ExchangeResult result = exchange(device, request, reply, kTransferReplyTimeoutMs);
    if (!result.ok())
        return describe(result, kTransferReplyTimeoutMs);
    if (result.replyLength < kBlockReplyMinLength)
        return QStringLiteral("the device's reply was too short to carry the block (%1 bytes)")
            .arg(result.replyLength);
    return QString();
}

} // namespace

Status verifyArea(const Link &link, const QString &file, Progress::Style style)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return fail(Exit::File, QStringLiteral("The file \"%1\" cannot be read: %2. Please check "
                                               "it and try again.")
                                    .arg(file, f.errorString()));
    const QByteArray image = f.readAll();
    const int blocks = int(image.size() / kBlockSize);
    Progress progress(style, QStringLiteral("Verify"), blocks);
    // Replies queued before this run belong to nobody here.
    drainInput(link.handle.get());
    Report reply;
    for (int i = 0; i < blocks; ++i) {
        const QString cause = readOut(link.handle.get(), i, reply);
        if (!cause.isEmpty()) {
            progress.abandon();
            return deviceFailure(failedAt(i + 1, blocks, cause) + QLatin1Char('\n') + kCheckDevice,
                                 link);
        }
        if (std::memcmp(blockData(reply), image.constData() + i * kBlockSize, kBlockSize) != 0) {
            progress.abandon();
            return fail(
                Exit::Mismatch,
                failedAt(i + 1, blocks,
                         QStringLiteral("the device's data differs from \"%1\"").arg(file)) +
                    QStringLiteral("\nDownload the file again with \"tarvenix-cli data "
                                   "--verify FILE\"."));
        }
        progress.advance(i + 1);
    }
    progress.finish();
    return {};
}

} // namespace tarvenix::cli
