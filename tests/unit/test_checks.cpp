// The progress schedule, the save name, the refusals made before a transfer, how a save's
// file is put in place, and the backups' names and pruning.

#include "support/files.h"
#include "transfer/blockloop.h"
#include "transfer/filechecks.h"
#include "transfer/savefile.h"
#include "userfiles/backups.h"
#include "userfiles/userfile.h"
#include "words/failures.h"

#include <QtTest>
#include <sys/stat.h>

using namespace tarvenix;

class TestChecks : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString file(const QString &name, qint64 size)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.resize(size);
        return path;
    }

    static QString refusal(const Failure &failure, const QString &path)
    {
        return refusalMessage(failure, path);
    }

  private slots:
    // Steps lit after each block, with the last block leaving step 6 to the end.
    void schedule_data()
    {
        QTest::addColumn<int>("blocks");
        QTest::addColumn<QList<int>>("firstBlockOfStep"); // steps 1 to 5
        QTest::newRow("128 blocks") << 128 << QList<int>{22, 43, 64, 86, 107};
        QTest::newRow("36 blocks") << 36 << QList<int>{6, 12, 18, 24, 30};
        QTest::newRow("1024 blocks") << 1024 << QList<int>{171, 342, 512, 683, 854};
        QTest::newRow("4 blocks") << 4 << QList<int>{1, 2, 2, 3, 4};
        QTest::newRow("1 block") << 1 << QList<int>{1, 1, 1, 1, 1};
    }

    void schedule()
    {
        QFETCH(int, blocks);
        QFETCH(QList<int>, firstBlockOfStep);
        const StepSchedule s(blocks);
        QCOMPARE(s.stepsAfter(0), 0);
        for (int step = 1; step <= 5; ++step) {
            const int first = firstBlockOfStep[step - 1];
            QVERIFY2(s.stepsAfter(first) >= step, qPrintable(QString::number(step)));
            QVERIFY2(s.stepsAfter(first - 1) < step, qPrintable(QString::number(step)));
        }
        QCOMPARE(s.stepsAfter(blocks), 5);
    }

    void saveName_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no suffix") << "/t/dump"
                                   << "/t/dump.bin";
        QTest::newRow("has .bin") << "/t/dump.bin"
                                  << "/t/dump.bin";
        QTest::newRow("has .BIN") << "/t/dump.BIN"
                                  << "/t/dump.BIN";
        QTest::newRow("other suffix") << "/t/dump.txt"
                                      << "/t/dump.txt.bin";
        QTest::newRow("bin without dot") << "/t/dumpbin"
                                         << "/t/dumpbin.bin";
    }

    void saveName()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, saved);
        QCOMPARE(saveFileName(chosen), saved);
    }

    void acceptedSources()
    {
        qint64 size = 0;
        QVERIFY(!checkSourceFile(TransferKind::Firmware, file("fw.bin", 65536), &size));
        QCOMPARE(size, 65536);
        QVERIFY(!checkSourceFile(TransferKind::Data, file("full.bin", kDataAreaSize)));
        QVERIFY(!checkSourceFile(TransferKind::Firmware, file("big.bin", kDataAreaSize + 512)));
        QVERIFY(!checkSourceFile(TransferKind::Data, file("名字 ü.bin", 512)));
    }

    void refusedSources_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("size"); // -1: do not create
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << 0 << "gone.bin" << qint64(-1) << "cannot be found";
        QTest::newRow("empty") << 0 << "empty.bin" << qint64(0) << "has 0 bytes";
        QTest::newRow("1000 bytes") << 1 << "odd.bin" << qint64(1000) << "has 1000 bytes";
        QTest::newRow("under a block") << 1 << "small.bin" << qint64(400) << "multiple of 512";
        QTest::newRow("data too big")
            << 1 << "huge.bin" << qint64(kDataAreaSize + 512) << "more than the device's data area";
        QTest::newRow("percent in the name")
            << 0 << "fw%1%3.bin" << qint64(4097) << "\"fw%1%3.bin\" has 4097 bytes";
        QTest::newRow("past 32-bit offsets")
            << 0 << "4g.bin" << qint64(kMaxOffsetFileSize + 512) << "more than the device can";
    }

    void refusedSources()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(qint64, size);
        QFETCH(QString, says);
        const QString path = size < 0 ? dir.filePath(name) : file(name, size);
        const QString text = refusal(checkSourceFile(TransferKind(kind), path), path);
        QVERIFY2(text.contains(says), qPrintable(text));
        QVERIFY2(text.contains(QFileInfo(path).fileName()), qPrintable(text));
    }

    void unreadableSource()
    {
        const QString text =
            refusal(checkSourceFile(TransferKind::Firmware, dir.path()), dir.path());
        QVERIFY2(text.contains("cannot be read"), qPrintable(text));
    }

    void saveTarget()
    {
        const QString ok = dir.filePath("out.bin");
        QVERIFY(!checkSaveTarget(ok));
        // The check leaves neither the target nor a temporary file behind.
        QVERIFY(!QFileInfo::exists(ok));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter("out.bin"), QStringList());
        // A parent that is a regular file fails for root too.
        const QString blocked = file("plain", 10) + "/out.bin";
        const QString text = refusal(checkSaveTarget(blocked), blocked);
        QVERIFY2(text.contains("cannot be written"), qPrintable(text));
    }

    void saveNames()
    {
        QVERIFY(refusal(checkSaveName(""), "").contains("No file name"));
        for (const QString &folder : {dir.path() + "/", QStringLiteral("."), QStringLiteral("..")})
            QVERIFY2(refusal(checkSaveName(folder), folder).contains("names a folder"),
                     qPrintable(folder));
        QVERIFY(!checkSaveName(dir.filePath("x")));
        // A link that leads nowhere exists as a name, and is said to be a link.
        const QString link = dir.filePath("dangling.bin");
        QVERIFY(QFile::link(dir.filePath("nowhere.bin"), link));
        QVERIFY(refusal(existingTarget(link), link)
                    .contains("symbolic link to \"" + dir.filePath("nowhere.bin")));
        QVERIFY(!existingTarget(dir.filePath("free.bin")));
        // U+FFFD from a dialog means lost bytes, unless a name with that very character exists.
        const QString replaced = dir.filePath(QStringLiteral("caf\uFFFD.bin"));
        QVERIFY(lostInDecoding(replaced));
        QVERIFY(!lostInDecoding(file(QStringLiteral("caf\uFFFD.bin"), 1)));
        QVERIFY(!lostInDecoding(dir.filePath("café.bin")));
    }

    // Each way of putting a file in place refuses a taken name, a dangling link included.
    void placeWithoutReplacing_data()
    {
        QTest::addColumn<int>("refusal");
        QTest::newRow("rename that refuses") << int(Refusal::None);
        QTest::newRow("hard link") << int(Refusal::NoReplaceRename);
        QTest::newRow("look, then rename") << int(Refusal::NoReplaceRenameAndLinks);
    }

    void placeWithoutReplacing()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows has one way, which needs no fallback");
#endif
        QFETCH(int, refusal);
        const QTemporaryDir place;
        const QString temp = testfiles::write(place.filePath("data.tmp"), "new");
        const QString target = place.filePath("target.bin");
        QVERIFY(QFile::link(place.filePath("nowhere"), target));
        const PlaceResult refused = tarvenix::placeWithoutReplacing(temp, target, Refusal(refusal));
        QVERIFY(refused.taken && !refused.placed);
        QCOMPARE(QFileInfo(target).symLinkTarget(), place.filePath("nowhere"));
        QVERIFY(!QFileInfo::exists(place.filePath("nowhere")));
        QVERIFY(QFile::remove(target));
        const PlaceResult r = tarvenix::placeWithoutReplacing(temp, target, Refusal(refusal));
        QVERIFY2(r.placed, qPrintable(r.error));
        QCOMPARE(testfiles::read(target), QByteArray("new"));
        QCOMPARE(QDir(place.path()).entryList(QDir::Files | QDir::System),
                 QStringList{"target.bin"});
    }

    void saveFile()
    {
        const QTemporaryDir place;
        const QByteArray data(4096, 'd');
        // A replaced link is replaced itself; what it points to is left as it was.
        const QString pointee = testfiles::write(place.filePath("pointee.bin"), "keep");
        const QString link = place.filePath("link.bin");
        QVERIFY(QFile::link(pointee, link));
        SaveFile replacing(link, true);
        QVERIFY(replacing.open() && replacing.commit(data));
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(testfiles::read(link), data);
        QCOMPARE(testfiles::read(pointee), QByteArray("keep"));
        // A target that appears after the open is left alone; the data is kept beside it.
        const QString target = place.filePath("late.bin");
        QString kept;
        {
            SaveFile save(target, false);
            QVERIFY(save.open());
            testfiles::write(target, "appeared");
            QVERIFY(!save.commit(data));
            const QString cause = failureCause(save.failure(), target);
            QVERIFY2(cause.contains("\"" + target + "\" appeared"), qPrintable(cause));
            kept = save.keptFile();
        }
        QCOMPARE(testfiles::read(target), QByteArray("appeared"));
        QCOMPARE(testfiles::read(kept), data);
        QCOMPARE(QDir(place.path()).entryList(QDir::Files).size(), 4);
    }

    // The temporary file has no name of its own where the file system allows it, so a name
    // of 251 characters is saved too; a folder is refused, whether or not it may be replaced.
    void saveFileNames()
    {
        const QTemporaryDir place;
        const QString target = place.filePath(QString(247, 'n') + ".bin");
        SaveFile save(target, false);
        QVERIFY(save.open());
        QCOMPARE(
            QDir(place.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
        QVERIFY2(save.commit("data"), qPrintable(save.failure().detail));
        QCOMPARE(testfiles::read(target), QByteArray("data"));
        QVERIFY(QDir().mkpath(place.filePath("folder.bin")));
        for (bool replace : {false, true}) {
            SaveFile folder(place.filePath("folder.bin"), replace);
            QVERIFY(!folder.open());
            QVERIFY2(refusal(folder.failure(), "folder.bin").contains("is not a file but a folder"),
                     qPrintable(refusal(folder.failure(), "folder.bin")));
        }
    }

    void failureMessages()
    {
        TransferOutcome o;
        o.blocks = 128;
        o.failedBlock = 17;
        o.failure = {FailureCode::NoReply, "8000"};
        QVERIFY(transferFailureMessage(TransferKind::Firmware, "fw.bin", o)
                    .startsWith("Download firmware failed at block 17 of 128: the device did "
                                "not answer within 8 seconds."));
        QVERIFY(
            transferFailureMessage(TransferKind::Save, "s.bin", o).contains("No file was written"));
    }
    // Names of [A-Za-z0-9._-] only, a counter for a name that is taken.
    void backupNames()
    {
        FoundDevice device;
        device.vendorId = 0x1abe;
        device.productId = 0x2202;
        QCOMPARE(backupKey(device), QStringLiteral("1abe-2202"));
        device.serial = QStringLiteral("../A b\u00e9");
        const QString key = backupKey(device);
        QCOMPARE(key, QStringLiteral("1abe-2202-.._A_b_"));
        const QDateTime time(QDate(2024, 5, 18), QTime(10, 15, 2, 123), Qt::UTC);
        const QString first = newBackupPath(key, time);
        QCOMPARE(QFileInfo(first).fileName(),
                 QStringLiteral("1abe-2202-.._A_b_-20240518T101502.123Z.bin"));
        testfiles::write(first, "x");
        QCOMPARE(QFileInfo(newBackupPath(key, time)).fileName(),
                 QStringLiteral("1abe-2202-.._A_b_-20240518T101502.123Z-2.bin"));
        QFile::remove(first);
    }

    // Of one device's backups, the 20 newest stay, and the oldest one taken after its last
    // successful download: through failures, until the next success. Another device's stay.
    void backupPruning()
    {
        const QDateTime start(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);
        const auto take = [&](const QString &key, int minute) {
            testfiles::write(newBackupPath(key, start.addSecs(60 * minute)), "x");
        };
        const auto minutesKept = [&](const QString &key) {
            QList<int> minutes;
            for (const Backup &b : listBackups())
                if (b.key == key)
                    minutes << int(start.secsTo(b.time) / 60);
            return minutes;
        };
        take(QStringLiteral("1abe-2203"), 0);
        // A success at minute 1 (its own backup), then 23 failed downloads.
        for (int minute = 1; minute < 25; ++minute)
            take(QStringLiteral("1abe-2202"), minute);
        noteSuccessfulDownload(QStringLiteral("1abe-2202"), start.addSecs(60));
        pruneBackups(QStringLiteral("1abe-2202"));
        QList<int> expected{2};
        for (int minute = 5; minute < 25; ++minute)
            expected << minute;
        QCOMPARE(minutesKept(QStringLiteral("1abe-2202")), expected);
        // A success at minute 24: the state before the trouble is no longer needed.
        noteSuccessfulDownload(QStringLiteral("1abe-2202"), start.addSecs(60 * 24));
        pruneBackups(QStringLiteral("1abe-2202"));
        expected.removeFirst();
        QCOMPARE(minutesKept(QStringLiteral("1abe-2202")), expected);
        QCOMPARE(minutesKept(QStringLiteral("1abe-2203")), QList<int>{0});
    }

    // With the clock set back, the backup just taken and the one marked after the last
    // success carry the oldest times of all in their names: both stay.
    void backupPruningWhateverTheClockSays()
    {
        const QString key = QStringLiteral("1abe-2204");
        const QDateTime now(QDate(2024, 1, 1), QTime(12, 0), Qt::UTC);
        // Each written, by the clock of its time, when its name says.
        const auto take = [&](const QDateTime &time) {
            QFile file(testfiles::write(newBackupPath(key, time), "x"));
            file.open(QIODevice::ReadWrite);
            file.setFileTime(time, QFileDevice::FileModificationTime);
            return file.fileName();
        };
        noteSuccessfulDownload(key, now.addSecs(3600));
        const QString marked = take(now.addSecs(-60));
        noteBackupTaken(key, marked);
        for (int minute = 1; minute <= 20; ++minute)
            take(now.addSecs(3600 + 60 * minute));
        const QString justTaken = take(now);
        pruneBackups(key, justTaken);
        QVERIFY(QFileInfo::exists(justTaken));
        QVERIFY(QFileInfo::exists(marked));
        // A marker that is no file is neither read nor replaced.
        const QString marker = backupsFolder() + "/1abe-2205.last-download";
        QCOMPARE(::mkfifo(QFile::encodeName(marker).constData(), 0600), 0);
        noteSuccessfulDownload(QStringLiteral("1abe-2205"), now);
        pruneBackups(QStringLiteral("1abe-2205"));
        QCOMPARE(entryKind(marker), QStringLiteral("fifo"));
    }
};

QTEST_GUILESS_MAIN(TestChecks)
#include "test_checks.moc"
