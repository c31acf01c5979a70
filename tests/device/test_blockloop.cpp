// The block loop against the emulated device: every byte on the wire, the
// progress steps, and each fault told as a failure that names its block.

#include "device/devicelock.h"
#include "support/emu.h"
#include "support/files.h"
#include "transfer/blockloop.h"
#include "transfer/devicecontroller.h"
#include "words/failures.h"

#include <QtTest>
#include <hidapi.h>

using namespace tarvenix;

namespace {

quint32 offsetOf(const QByteArray &request)
{
    return quint8(request[11]) | quint8(request[12]) << 8 | quint8(request[13]) << 16 |
           quint32(quint8(request[14])) << 24;
}

} // namespace

class TestBlockLoop : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        return testfiles::write(dir.filePath(name), bytes);
    }
    int id = 0;
    std::unique_ptr<DeviceController> device;
    HidPort *handle = nullptr;
    QList<QPair<int, int>> steps; // step, block after which it fell

    TransferOutcome run(TransferKind kind, const QString &file, int timeoutMs = 1500)
    {
        BlockLoop loop(kind, *handle, file);
        loop.setReplyTimeout(timeoutMs);
        loop.setStepHandler([this](int step, int block) { steps.append({step, block}); });
        return loop.run();
    }

    QList<int> stepCodes() const
    {
        QList<int> codes;
        for (const auto &s : steps)
            codes << s.first;
        return codes;
    }

  private slots:
    void init()
    {
        id = emu::add("vid=1abe pid=2202");
        device = std::make_unique<DeviceController>();
        QVERIFY(!device->open().failure);
        handle = device->port().get();
        emu::command(QStringLiteral("clear %1").arg(id));
        steps.clear();
    }

    void cleanup()
    {
        device.reset();
        emu::release(id);
    }

    void firmwareByteForByte()
    {
        const QByteArray image = testfiles::pattern(65536, 7);
        const TransferOutcome o = run(TransferKind::Firmware, write("fw.bin", image));
        QVERIFY2(o.ok(), qPrintable(failureCause(o.failure, QString())));
        const QByteArray log = emu::requests(id);
        QCOMPARE(log.size(), 128 * 1024);
        for (int i = 0; i < 128; ++i) {
            const QByteArray r = emu::request(log, i);
            QCOMPARE(offsetOf(r), quint32(i * 512));
            QCOMPARE(int(r[7]), 0);
            QCOMPARE(r.mid(15, 512), image.mid(i * 512, 512));
        }
        QCOMPARE(emu::firmware(id), image);
        const emu::Stats s = emu::stats(id);
        QCOMPARE(s.bad, 0);
        QCOMPARE(s.early, 0);
        QCOMPARE(stepCodes(), (QList<int>{1, 2, 3, 4, 5, 6}));
        // Step 6 only after the last reply.
        QCOMPARE(steps[4].second, 107);
        QCOMPARE(steps[5].second, -1);
    }

    void dataByteForByte()
    {
        const QByteArray image = testfiles::pattern(kDataAreaSize, 3);
        const TransferOutcome o = run(TransferKind::Data, write("data.bin", image));
        QVERIFY2(o.ok(), qPrintable(failureCause(o.failure, QString())));
        const QByteArray log = emu::requests(id);
        QCOMPARE(log.size(), 1024 * 1024);
        QCOMPARE(int(emu::request(log, 1023)[7]), 4);
        QCOMPARE(offsetOf(emu::request(log, 1023)), quint32(523776));
        QCOMPARE(emu::dataArea(id), image);
        QCOMPARE(emu::stats(id).bad, 0);
    }

    void saveByteForByte()
    {
        const QString target = dir.filePath("save.bin");
        const TransferOutcome o = run(TransferKind::Save, target);
        QVERIFY2(o.ok(), qPrintable(failureCause(o.failure, QString())));
        const QByteArray area = emu::dataArea(id);
        QCOMPARE(area.size(), kDataAreaSize);
        QCOMPARE(testfiles::read(target), area);
        const QByteArray log = emu::requests(id);
        QCOMPARE(emu::request(log, 0).mid(11, 4).toHex(), QByteArray("00000000"));
        QCOMPARE(emu::request(log, 1).mid(11, 4).toHex(), QByteArray("00020000"));
        QCOMPARE(emu::request(log, 1023).mid(11, 4).toHex(), QByteArray("00fe0700"));
        QCOMPARE(stepCodes(), (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(emu::stats(id).bad, 0);
    }

    void faultsNameTheirBlock_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("block");
        QTest::addColumn<QString>("cause");
        QTest::newRow("fw silent at 17") << 0 << "silent at=17" << 17 << "did not answer";
        QTest::newRow("fw write fails at 1") << 0 << "writefail at=1" << 1 << "did not accept";
        QTest::newRow("data late at 64") << 1 << "delay ms=2500 at=64" << 64 << "did not answer";
        QTest::newRow("data unplug at 30") << 1 << "unplug at=30" << 30 << "";
        QTest::newRow("save short at 1024") << 2 << "short n=100 at=1024" << 1024 << "too short";
        QTest::newRow("save silent at 512") << 2 << "silent at=512" << 512 << "did not answer";
        QTest::newRow("data empty reply at 9") << 1 << "short n=0 at=9" << 9 << "empty report";
    }

    void faultsNameTheirBlock()
    {
        QFETCH(int, kind);
        QFETCH(QString, fault);
        QFETCH(int, block);
        QFETCH(QString, cause);
        const QString target = dir.filePath("target.bin");
        write("target.bin", "old content");
        const QString file = kind == 2 ? target : write("in.bin", testfiles::pattern(65536, 1));
        emu::fault(id, fault);
        const TransferOutcome o = run(TransferKind(kind), file);
        QVERIFY(!o.ok());
        QCOMPARE(o.failedBlock, block);
        QVERIFY2(failureCause(o.failure, file).contains(cause),
                 qPrintable(failureCause(o.failure, file)));
        QVERIFY(!stepCodes().contains(6));
        QCOMPARE(emu::stats(id).early, 0);
        // Nothing goes to the device after the failed exchange.
        QVERIFY(emu::stats(id).requests <= block);
        QCOMPARE(testfiles::read(target), QByteArray("old content"));
        // Nor is a temporary file left beside it.
        QCOMPARE(QDir(dir.path()).entryList({"target.bin.*"}, QDir::Files), QStringList());
    }

    void slowReplyWithinBoundSucceeds()
    {
        emu::fault(id, "delay ms=300 at=3");
        const TransferOutcome o =
            run(TransferKind::Firmware, write("s.bin", testfiles::pattern(4096, 2)));
        QVERIFY2(o.ok(), qPrintable(failureCause(o.failure, QString())));
    }

    void staleRepliesAreDrained()
    {
        Report query;
        buildVersionQuery(query);
        QVERIFY(handle->write(query));
        QTest::qWait(100);
        const QString target = dir.filePath("fresh.bin");
        QVERIFY(run(TransferKind::Save, target).ok());
        QCOMPARE(testfiles::read(target).left(512), emu::dataArea(id).left(512));
    }

    // A reply queued for the device's earlier request is not the version's, and a reply
    // that ends inside the text is told apart from a whole one.
    void versionQueryTakesItsOwnReply()
    {
        Report readOut;
        buildReadOut(readOut, 3);
        QVERIFY(handle->write(readOut));
        QTest::qWait(100);
        QString version;
        QVERIFY(!queryVersion(*handle, version));
        QCOMPARE(version, QStringLiteral("TVX-EMU 1.1.0"));
        emu::fault(id, "short n=50 at=1");
        QCOMPARE(queryVersion(*handle, version).code, FailureCode::VersionCut);
    }

    // The reply to the block that timed out comes after the failure: it is thrown away
    // before the run returns, so the next program does not take it for its own.
    void failureLeavesNothingQueued()
    {
        emu::fault(id, "late ms=350 at=5");
        const TransferOutcome o = run(TransferKind::Save, dir.filePath("t.bin"), 250);
        QVERIFY(!o.ok());
        QCOMPARE(o.failedBlock, 5);
        QTest::qWait(300);
        Report report;
        QCOMPARE(handle->read(report, 0, ReadPurpose::Look, nullptr), 0);
    }

    void lockIsExclusive()
    {
        const QString path = device->path();
        DeviceLock first(path);
        QVERIFY(first.acquired());
        DeviceLock second(path);
        QVERIFY(!second.acquired());
        QCOMPARE(second.failure().code, FailureCode::Busy);
        // A device that cannot be opened is not busy, and the detail says why in English.
        DeviceLock gone(path + "x");
        QVERIFY(!gone.acquired());
        QCOMPARE(gone.failure().code, FailureCode::LockFailed);
        QVERIFY2(gone.failure().detail.contains("No such file"), qPrintable(gone.failure().detail));
    }
};

QTEST_GUILESS_MAIN(TestBlockLoop)
#include "test_blockloop.moc"
