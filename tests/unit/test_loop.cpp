// The block loop's own logic on the in-process fake device: the steps, a stop, failures
// and out-of-step replies; and a transfer run's phases (a data download's backup, download,
// verify and pruning) once, here. What the wire carries is checked against the emulated
// device, and each front end's tests check only what it adds.

#include "support/fakeport.h"
#include "support/files.h"
#include "transfer/blockloop.h"
#include "transfer/transferrun.h"
#include "userfiles/backups.h"
#include "words/failures.h"

#include <QtTest>

using namespace tarvenix;

class TestLoop : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString file(const QString &name, int blocks)
    {
        return testfiles::write(dir.filePath(name),
                                testfiles::pattern(blocks * kBlockSize, blocks));
    }

    // A data download of `blocks` blocks on a fake device with a data area, backed up and
    // verified, for the device with backup key `key`.
    TransferRequest dataRequest(FakePort &port, int blocks, const QString &key)
    {
        TransferRequest request;
        request.kind = TransferKind::Data;
        request.file = file("image.bin", blocks);
        request.port = &port;
        request.deviceKey = key;
        request.backup = request.verify = true;
        request.backupFile = newBackupPath(key, QDateTime::currentDateTimeUtc());
        return request;
    }

  private slots:
    void dataDownloadBacksUpDownloadsVerifiesAndPrunes()
    {
        const QString key = QStringLiteral("1abe-2202-RUN");
        // 20 older backups of this device: the one taken now makes 21, one too many.
        QDir().mkpath(backupsFolder());
        for (int i = 0; i < 20; ++i)
            testfiles::write(backupsFolder() + QStringLiteral("/%1-20200101T0000%2.000Z.bin")
                                                   .arg(key)
                                                   .arg(i, 2, 10, QLatin1Char('0')),
                             "old");
        FakePort port(kDataAreaBlocks + 2 * 16);
        port.area = testfiles::pattern(kDataAreaSize, 77);
        const QByteArray before = port.area;
        TransferRun run(dataRequest(port, 16, key));
        QList<TransferKind> phases;
        run.setBlockHandler([&](TransferKind phase, int done, int blocks) {
            if (done == blocks)
                phases << phase;
        });
        const TransferOutcome o = run.run();
        QVERIFY2(o.ok(), qPrintable(failureCodeName(o.failure.code)));
        QCOMPARE(phases, (QList<TransferKind>{TransferKind::Save, TransferKind::Data,
                                              TransferKind::Verify}));
        QCOMPARE(testfiles::read(o.backupFile), before);
        QCOMPARE(port.area, testfiles::read(dir.filePath("image.bin")) + before.mid(16 * 512));
        // The oldest went; the one just taken stays.
        const QVector<Backup> kept = listBackups();
        QCOMPARE(kept.size(), 20);
        QCOMPARE(kept.constLast().path, o.backupFile);
    }

    void failedBackupSendsNothing()
    {
        FakePort port(kDataAreaBlocks + 2 * 4);
        port.area = QByteArray(kDataAreaSize, 0);
        const QString folder = backupsFolder();
        QDir(folder).removeRecursively();
        testfiles::write(folder, "a file where the folder would be");
        const TransferOutcome o = TransferRun(dataRequest(port, 4, "1abe-2202-NONE")).run();
        QFile::remove(folder);
        QCOMPARE(o.failure.code, FailureCode::TargetUnwritable);
        QCOMPARE(o.phase, TransferKind::Save);
        QVERIFY(!o.backupTaken());
        QCOMPARE(port.writes, 0);
        QCOMPARE(port.area, QByteArray(kDataAreaSize, 0));
    }

    void everySizeReachesSixSteps_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::newRow("36 blocks") << 36;
        QTest::newRow("4 blocks") << 4;
        QTest::newRow("1 block") << 1;
        QTest::newRow("37 blocks") << 37;
    }

    void everySizeReachesSixSteps()
    {
        QFETCH(int, blocks);
        FakePort port(blocks);
        BlockLoop loop(TransferKind::Firmware, port, file("n.bin", blocks));
        QList<int> steps;
        loop.setStepHandler([&](int step, int) { steps << step; });
        QVERIFY(loop.run().ok());
        QCOMPARE(steps, (QList<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(port.writes, blocks);
    }

    // Four times the 95th percentile of the round trips, so that a few slow ones do not set
    // it, within 5 and 50 ms.
    void graceFollowsTheDevicesPace_data()
    {
        QTest::addColumn<int>("usual");   // µs, 96 round trips in 100
        QTest::addColumn<int>("slowest"); // µs, the other 4
        QTest::addColumn<int>("graceMs");
        QTest::newRow("fast device") << 300 << 900 << 5;
        QTest::newRow("2 ms, a few slow ones") << 2000 << 100000 << 8;
        QTest::newRow("slow device") << 20000 << 30000 << 50;
    }

    void graceFollowsTheDevicesPace()
    {
        QFETCH(int, usual);
        QFETCH(int, slowest);
        QFETCH(int, graceMs);
        std::vector<int> roundTrips(96, usual);
        roundTrips.insert(roundTrips.begin() + 50, 4, slowest);
        QCOMPARE(strayGraceMs(roundTrips), graceMs);
    }

    void stopEndsTheRunBeforeItsNextBlock()
    {
        FakePort port(4);
        StopRequest stop;
        stop.request(StopCause::TrayQuit);
        stop.requestFromSignal(2); // the first request's cause stands
        BlockLoop loop(TransferKind::Firmware, port, file("x.bin", 4));
        loop.setStopRequest(&stop);
        const TransferOutcome o = loop.run();
        QCOMPARE(o.failure.code, FailureCode::Stopped);
        QCOMPARE(o.failure.detail, QStringLiteral("tray-quit"));
        QCOMPARE(o.failedBlock, 1);
        QCOMPARE(port.writes, 0);
    }

    void unwritableTargetTouchesNoDevice()
    {
        FakePort port(kDataAreaBlocks);
        const QString blocked = testfiles::write(dir.filePath("plain"), "x") + "/save.bin";
        const TransferOutcome o = BlockLoop(TransferKind::Save, port, blocked).run();
        QCOMPARE(o.failure.code, FailureCode::TargetUnwritable);
        QCOMPARE(o.failedBlock, 0);
        QCOMPARE(port.writes, 0);
    }

    void failureNamesItsBlockAndSendsNoMore_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("replyLength"); // of the failing block's reply
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<QString>("cause");
        QTest::newRow("firmware, write refused") << 0 << 0 << true << "did not accept";
        QTest::newRow("data, read failed") << 1 << -1 << false << "reading the device's reply";
        QTest::newRow("save, reply too short") << 2 << 100 << false << "too short";
        QTest::newRow("save, empty reply") << 2 << 0 << false << "empty report";
    }

    void failureNamesItsBlockAndSendsNoMore()
    {
        QFETCH(int, kind);
        QFETCH(int, replyLength);
        QFETCH(bool, writeFails);
        QFETCH(QString, cause);
        FakePort port(kDataAreaBlocks);
        port.script[6] = {writeFails, replyLength, false};
        const QString target = dir.filePath("target.bin");
        const TransferOutcome o =
            BlockLoop(TransferKind(kind), port, kind == 2 ? target : file("in.bin", 16)).run();
        QVERIFY(!o.ok());
        QCOMPARE(o.failedBlock, 7);
        const QString text = failureCause(o.failure, QString());
        QVERIFY2(text.contains(cause), qPrintable(text));
        QCOMPARE(port.writes, 7);
        QVERIFY(!QFileInfo::exists(target));
    }

    // A report that answers no request ends a read-out before it becomes a block; a
    // download takes it as the late reply it is and goes on.
    void outOfStepReply_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("fails");
        QTest::newRow("save") << 2 << true;
        QTest::newRow("verify") << 3 << true;
        QTest::newRow("firmware") << 0 << false;
    }

    void outOfStepReply()
    {
        QFETCH(int, kind);
        QFETCH(bool, fails);
        FakePort port(kDataAreaBlocks);
        port.script[2].stray = true;
        const QString in = file("in.bin", 8);
        // The fake answers every read-out with zeros: the file to verify is zeros too.
        const QString zeros = testfiles::write(dir.filePath("zeros.bin"), QByteArray(8 * 512, 0));
        const QString path = kind == 2 ? dir.filePath("out.bin") : kind == 3 ? zeros : in;
        const TransferOutcome o = BlockLoop(TransferKind(kind), port, path).run();
        QCOMPARE(o.ok(), !fails);
        if (fails) {
            QCOMPARE(o.failure.code, FailureCode::OutOfStep);
            QCOMPARE(o.failedBlock, 4);
            QCOMPARE(port.writes, 3);
        } else {
            QCOMPARE(port.writes, 8);
            // Each request met its own reply: none is left unread.
            Report left;
            QCOMPARE(port.read(left, 0, ReadPurpose::Look, nullptr), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestLoop)
#include "test_loop.moc"
