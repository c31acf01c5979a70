// The three transfers through the real window: commands, arrows, messages,
// refusals and failures, against the emulated device.

#include "device/devicelock.h"
#include "support/dialogs.h"
#include "support/emu.h"
#include "support/files.h"
#include "support/safety.h"
#include "ui/mainwindow.h"
#include "ui/windowmenu.h"
#include "userfiles/backups.h"
#include "userfiles/history.h"
#include "workers/transferworkers.h"

#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

namespace {

// The arrows that look lit.
int litCount(const ArrowRow &row)
{
    int lit = 0;
    for (QPushButton *arrow : row.arrows())
        lit += arrow->styleSheet() == kArrowLitStyle ? 1 : 0;
    return lit;
}

} // namespace

class TestTransfers : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        return testfiles::write(dir.filePath(name), bytes);
    }
    int id = 0;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<DialogAnswerer> dialogs;

    void waitIdle()
    {
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 60000);
        QTest::qWait(50);
    }

    void loadFirmware(const QString &path)
    {
        dialogs->files << path;
        w->slotPushButtonLoadFW();
        QCOMPARE(w->strFWFile, path);
    }

    void loadData(const QString &path)
    {
        dialogs->files << path;
        w->slotPushButtonLoadData();
        QCOMPARE(w->strDataFile, path);
    }

    void verifyRefused(const QString &words)
    {
        QVERIFY(!w->transferRunning());
        QCOMPARE(dialogs->boxes.size(), 1);
        QVERIFY2(dialogs->boxes[0].text.contains(words), qPrintable(dialogs->texts()));
        QCOMPARE(dialogs->boxes[0].title, QStringLiteral("Warning"));
    }

  private slots:
    void init()
    {
        id = emu::add("vid=1abe pid=2202 version=EMU-1");
        testsafety::off();
        dialogs = std::make_unique<DialogAnswerer>();
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(w->hidHandle);
        for (tarvenix::TransferJob *worker :
             {static_cast<tarvenix::TransferJob *>(w->workerThreadForFW),
              static_cast<tarvenix::TransferJob *>(w->workerThreadForData),
              static_cast<tarvenix::TransferJob *>(w->workerThreadForSaveData)})
            worker->setReplyTimeout(1000);
        emu::command(QStringLiteral("clear %1").arg(id));
    }

    void cleanup()
    {
        waitIdle();
        w.reset();
        dialogs.reset();
        emu::release(id);
    }

    void firmwareRunLightsAllArrowsAfterTheLastReply()
    {
        const QByteArray image = testfiles::pattern(65536, 1);
        loadFirmware(write("fw.bin", image));
        int requestsAtSuccess = -1;
        int litAtSuccess = -1;
        dialogs->onBox = [&](const SeenBox &box) {
            if (box.title == "Success") {
                requestsAtSuccess = emu::stats(id).requests;
                litAtSuccess = litCount(w->fwArrows());
            }
        };
        w->slotPushButtonRunUpdateFW();
        waitIdle();
        QTRY_COMPARE(dialogs->count("Download firmware successfully!"), 1);
        QCOMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->boxes[0].title, QStringLiteral("Success"));
        // The two version queries of Run come first, then all 128 packets; the device is
        // opened again and asked its version before the success is told.
        QCOMPARE(requestsAtSuccess, 2 + 128 + 1);
        QCOMPARE(litAtSuccess, 6);
        QCOMPARE(emu::firmware(id), image);
        QCOMPARE(emu::stats(id).requests, 2 + 128 + 1);
        QCOMPARE(emu::stats(id).early, 0);
        QCOMPARE(emu::stats(id).bad, 0);
        QCOMPARE(w->workerThreadForFW->iLoopTemp, 6);
    }

    void secondRunCountsFromOneAgain()
    {
        loadFirmware(write("small.bin", testfiles::pattern(36 * 512, 2)));
        QList<int> codes;
        connect(w->workerThreadForFW, &WorkerThreadForFW::sigRunUpdateFWProcess, this,
                [&](int step) { codes << step; });
        w->slotPushButtonRunUpdateFW();
        waitIdle();
        w->slotPushButtonRunUpdateFW();
        waitIdle();
        QCOMPARE(codes, (QList<int>{1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6}));
        QTRY_COMPARE(dialogs->count("Download firmware successfully!"), 2);
    }

    void dataRunOfFourBlocksLightsAllSix()
    {
        const QByteArray image = testfiles::pattern(2048, 3);
        loadData(write("d.bin", image));
        w->slotPushButtonRunUpdateData();
        waitIdle();
        QTRY_COMPARE(dialogs->count("Download data successfully!"), 1);
        QCOMPARE(litCount(w->dataArrows()), 6);
        QCOMPARE(emu::dataArea(id).left(2048), image);
    }

    void saveWritesTheAreaBeforeSuccess()
    {
        const QString chosen = dir.filePath("dump");
        QByteArray atSuccess;
        dialogs->onBox = [&](const SeenBox &box) {
            if (box.title == "Success")
                atSuccess = testfiles::read(chosen + ".bin");
        };
        dialogs->files << chosen;
        w->slotPushButtonRunSaveData();
        QCOMPARE(w->strSaveDataFile, chosen + ".bin");
        waitIdle();
        QTRY_COMPARE(dialogs->count("Save data successfully!"), 1);
        QCOMPARE(atSuccess.size(), 524288);
        QCOMPARE(atSuccess, emu::dataArea(id));
        QCOMPARE(litCount(w->saveArrows()), 6);
        QVERIFY(!QFileInfo::exists(chosen + ".bin.bin"));
    }

    void saveNameKeepsItsSuffix()
    {
        const QString chosen = dir.filePath("keep.BIN");
        dialogs->files << chosen;
        w->slotPushButtonRunSaveData();
        QCOMPARE(w->strSaveDataFile, chosen);
        waitIdle();
        QTRY_COMPARE(dialogs->count("Save data successfully!"), 1);
        QCOMPARE(testfiles::read(chosen).size(), 524288);
    }

    void addedSuffixAsksBeforeReplacing()
    {
        const QString existing = write("old.bin", "precious");
        dialogs->files << dir.filePath("old");
        dialogs->answers << QMessageBox::No;
        w->slotPushButtonRunSaveData();
        QVERIFY(!w->transferRunning());
        QCOMPARE(dialogs->boxes.size(), 1);
        QVERIFY(dialogs->boxes[0].text.contains("already exists"));
        QCOMPARE(testfiles::read(existing), QByteArray("precious"));
        QCOMPARE(emu::stats(id).requests, 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file"); // set directly as the chosen path
        QTest::addColumn<int>("size");     // -1: the file does not exist
        QTest::addColumn<QString>("says");
        QTest::newRow("fw no file") << "fw"
                                    << "" << 0 << "Please load firmware file first !";
        QTest::newRow("data no file") << "data"
                                      << "" << 0 << "Please load data file first !";
        QTest::newRow("fw missing") << "fw"
                                    << "gone.bin" << -1 << "cannot be found";
        QTest::newRow("fw empty") << "fw"
                                  << "empty.bin" << 0 << "has 0 bytes";
        QTest::newRow("fw 1000 bytes") << "fw"
                                       << "odd.bin" << 1000 << "multiple of 512";
        QTest::newRow("data oversized") << "data"
                                        << "big.bin" << 524800 << "data area";
    }

    void refusals()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(int, size);
        QFETCH(QString, says);
        QString path;
        if (!file.isEmpty())
            path = size < 0 ? dir.filePath(file) : write(file, QByteArray(size, 'x'));
        (command == "fw" ? w->strFWFile : w->strDataFile) = path;
        if (command == "fw")
            w->slotPushButtonRunUpdateFW();
        else
            w->slotPushButtonRunUpdateData();
        verifyRefused(says);
        QCOMPARE(emu::stats(id).requests, 0);
    }

    void unreadableFileIsRefused()
    {
        w->strFWFile = dir.path();
        w->slotPushButtonRunUpdateFW();
        verifyRefused("cannot be read");
    }

    void noDevice()
    {
        emu::unplug(id);
        QTRY_VERIFY(!w->hidHandle);
        w->strFWFile = write("fw.bin", testfiles::pattern(1024, 0));
        w->slotPushButtonRunUpdateFW();
        verifyRefused("Not connected device!");
        dialogs->boxes.clear();
        // Save asks for its file first, then says there is no device.
        dialogs->files << dir.filePath("nodev.bin");
        w->slotPushButtonRunSaveData();
        QCOMPARE(dialogs->fileDialogs, 1);
        verifyRefused("Not connected device!");
        emu::plug(id);
    }

    void saveCancelledDoesNothing()
    {
        w->slotPushButtonRunSaveData();
        QCOMPARE(dialogs->fileDialogs, 1);
        QVERIFY(dialogs->boxes.isEmpty());
        QVERIFY(w->strSaveDataFile.isEmpty());
        QCOMPARE(emu::stats(id).requests, 0);
    }

    void saveTargetRefusals_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("says");
        QTest::newRow("parent is a file") << "plain/out.bin"
                                          << "cannot be written";
        // As Qt shows a name whose bytes are not UTF-8, in a folder with no such name.
        QTest::newRow("not UTF-8") << QStringLiteral("caf\uFFFD") << "is not valid UTF-8";
    }

    void saveTargetRefusals()
    {
        QFETCH(QString, name);
        QFETCH(QString, says);
        write("plain", "x");
        dialogs->files << dir.filePath(name);
        w->slotPushButtonRunSaveData();
        verifyRefused(says);
        QCOMPARE(emu::stats(id).requests, 0);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("caf\uFFFD.bin"))));
    }

    // Qt's dialog asks only about a name that leads to a file, so the window asks about
    // a link that leads nowhere; a yes replaces the link, never what it points to.
    void danglingLinkIsAskedAbout()
    {
        const QString link = dir.filePath("link.bin");
        QVERIFY(QFile::link(dir.filePath("nowhere.bin"), link));
        dialogs->files << link << link;
        dialogs->answers << QMessageBox::No;
        w->slotPushButtonRunSaveData();
        QVERIFY(!w->transferRunning());
        QCOMPARE(dialogs->boxes.size(), 1);
        QVERIFY2(dialogs->boxes[0].text.contains("is a symbolic link"),
                 qPrintable(dialogs->texts()));
        QCOMPARE(emu::stats(id).requests, 0);
        w->slotPushButtonRunSaveData();
        waitIdle();
        QTRY_COMPARE(dialogs->count("Save data successfully!"), 1);
        QVERIFY(!QFileInfo(link).isSymLink());
        QCOMPARE(testfiles::read(link), emu::dataArea(id));
        QVERIFY(!QFileInfo::exists(dir.filePath("nowhere.bin")));
    }

    void saveKeepsItsDataWhenTheTargetAppears()
    {
        emu::fault(id, "delay ms=2 at=1");
        const QString target = dir.filePath("late.bin");
        dialogs->files << target;
        w->slotPushButtonRunSaveData();
        QTRY_VERIFY(emu::stats(id).requests > 10);
        write("late.bin", "appeared");
        waitIdle();
        QTRY_COMPARE(dialogs->boxes.size(), 1);
        const QString text = dialogs->boxes[0].text;
        QVERIFY2(text.contains("\"" + target + "\" appeared during the save"), qPrintable(text));
        QCOMPARE(testfiles::read(target), QByteArray("appeared"));
        QCOMPARE(testfiles::read(text.section("kept in \"", 1).section('"', 0, 0)),
                 emu::dataArea(id));
    }

    void commandsWaitForARunningTransfer()
    {
        emu::fault(id, "delay ms=20 at=1");
        loadData(write("d.bin", testfiles::pattern(65536, 4)));
        w->slotPushButtonRunUpdateData();
        QVERIFY(w->transferRunning());
        w->slotPushButtonRunUpdateFW();
        w->slotPushButtonRunUpdateData();
        w->slotPushButtonRunSaveData();
        w->slotPushButtonLoadFW();
        w->slotPushButtonLoadData();
        QCOMPARE(dialogs->count("A transfer is in progress"), 5);
        QCOMPARE(dialogs->fileDialogs, 1);
        emu::fault(id, "clear");
        waitIdle();
        QTRY_COMPARE(dialogs->count("Download data successfully!"), 1);
        // Run's version query and the 128 packets; the refused commands sent nothing.
        QCOMPARE(emu::stats(id).requests, 1 + 128);
        QCOMPARE(emu::stats(id).early, 0);
    }

    // A stop belongs to its run: the next Run of the same kind goes through whole.
    void runAfterAStoppedRun()
    {
        emu::fault(id, "delay ms=20 at=1");
        const QByteArray image = testfiles::pattern(65536, 6);
        loadData(write("stopped.bin", image));
        w->slotPushButtonRunUpdateData();
        QTRY_VERIFY(emu::stats(id).requests > 3);
        w->workerThreadForData->requestStop(tarvenix::StopCause::User);
        waitIdle();
        QTRY_COMPARE(dialogs->count("the transfer was stopped"), 1);
        emu::fault(id, "clear");
        w->slotPushButtonRunUpdateData();
        waitIdle();
        QTRY_COMPARE(dialogs->count("Download data successfully!"), 1);
        QCOMPARE(dialogs->count("the transfer was stopped"), 1);
        QCOMPARE(emu::dataArea(id).left(image.size()), image);
    }

    void arrowsFollowTheCodes()
    {
        // The row's step is its own count, which the arrows' looks show.
        ArrowRow &save = w->saveArrows();
        w->slotShowRunUpdateSaveDataProcess(0);
        QCOMPARE(save.step(), 0);
        for (int code = 1; code <= 5; ++code) {
            w->slotShowRunUpdateSaveDataProcess(code);
            QCOMPARE(save.step(), code);
            QCOMPARE(litCount(save), code);
            QCOMPARE(save.arrows()[code - 1]->styleSheet(), kArrowLitStyle);
        }
        w->slotShowRunUpdateSaveDataProcess(7);
        QCOMPARE(save.step(), 5);
        // Step 6 lights the last arrow; success is told only when the transfer has ended.
        w->slotShowRunUpdateSaveDataProcess(6);
        QCOMPARE(save.step(), 6);
        QCOMPARE(litCount(save), 6);
        QTest::qWait(100);
        QVERIFY(dialogs->boxes.isEmpty());
        // A new file turns its row unlit again.
        w->slotShowRunUpdateDataProcess(2);
        QCOMPARE(w->dataArrows().step(), 1);
        loadData(write("again.bin", testfiles::pattern(512, 0)));
        QCOMPARE(w->dataArrows().step(), 0);
        QCOMPARE(litCount(w->dataArrows()), 0);
    }

    void deviceLockedByAnotherProgram()
    {
        w->strDataFile = write("d.bin", testfiles::pattern(1024, 0));
        QProcess other;
        other.start("flock", {QString::fromLocal8Bit(w->chHidDevicePath), "sleep", "5"});
        QVERIFY(other.waitForStarted());
        QTRY_VERIFY(!tarvenix::DeviceLock(QString::fromLocal8Bit(w->chHidDevicePath)).acquired());
        const int before = emu::stats(id).requests;
        w->slotPushButtonRunUpdateData();
        verifyRefused("busy");
        // The held lock kept even the version query of Run off the device.
        QCOMPARE(emu::stats(id).requests, before);
        other.kill();
        other.waitForFinished();
    }

    void lockedDeviceIsBusy()
    {
        w->strFWFile = write("fw.bin", testfiles::pattern(1024, 0));
        w->slotPushButtonRunUpdateFW();
        waitIdle();
        dialogs->boxes.clear();
        tarvenix::DeviceLock other(QString::fromLocal8Bit(w->chHidDevicePath));
        QVERIFY(other.acquired());
        const int before = emu::stats(id).requests;
        w->slotPushButtonRunUpdateFW();
        verifyRefused("busy");
        // Neither a version query nor a packet reached the device.
        QCOMPARE(emu::stats(id).requests, before);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("says");
        // Run asks the version twice (firmware) or once (data, save) before the first block.
        QTest::newRow("fw silent at 17") << "fw"
                                         << "silent at=19"
                                         << "block 17 of 128";
        QTest::newRow("fw write fails") << "fw"
                                        << "writefail at=42"
                                        << "block 40 of 128";
        QTest::newRow("data unplugged") << "data"
                                        << "unplug at=21"
                                        << "block 20 of 128";
        QTest::newRow("save short reply") << "save"
                                          << "short n=64 at=301"
                                          << "block 300 of 1024";
        QTest::newRow("save with another program") << "save"
                                                   << "stranger at=301"
                                                   << "answers no request of ours";
    }

    void failures()
    {
        QFETCH(QString, command);
        QFETCH(QString, fault);
        QFETCH(QString, says);
        const QString target = write("kept.bin", "old");
        // The dialog returns the name without its suffix; the window asks before replacing.
        w->strFWFile = w->strDataFile = write("in.bin", testfiles::pattern(65536, 5));
        emu::fault(id, fault);
        if (command == "fw")
            w->slotPushButtonRunUpdateFW();
        else if (command == "data")
            w->slotPushButtonRunUpdateData();
        else {
            dialogs->files << dir.filePath("kept");
            w->slotPushButtonRunSaveData();
        }
        QVERIFY(w->transferRunning());
        waitIdle();
        QTRY_COMPARE(dialogs->boxes.size(), 1 + (command == "save" ? 1 : 0));
        const SeenBox &box = dialogs->boxes.last();
        QCOMPARE(box.title, QStringLiteral("Warning"));
        QVERIFY2(box.text.contains(says), qPrintable(box.text));
        QCOMPARE(dialogs->count("successfully"), 0);
        QCOMPARE(testfiles::read(target), QByteArray("old"));
        QCOMPARE(emu::stats(id).early, 0);
        if (fault.startsWith("unplug")) {
            QVERIFY2(box.text.contains("disconnected"), qPrintable(box.text));
            emu::plug(id);
            QTRY_VERIFY(w->hidHandle);
        }
    }

    // Another program's version query gives up; its reply comes while we save, before ours.
    // Should the save start only after it came, it must then be whole and right.
    void saveAfterALateReplyToAnEarlierProgram()
    {
        emu::fault(id, "late ms=4000 at=1");
        QProcess cli;
        cli.start(QStringLiteral(TARVENIX_CLI), {"version"});
        QVERIFY(cli.waitForFinished(5000));
        QCOMPARE(cli.exitCode(), 6);
        emu::fault(id, "delay ms=2 at=2");
        w->workerThreadForSaveData->setReplyTimeout(8000);
        const QString target = dir.filePath("after-late-reply.bin");
        dialogs->files << target;
        w->slotPushButtonRunSaveData();
        waitIdle();
        QTRY_VERIFY2(dialogs->boxes.size() == 1, qPrintable(dialogs->texts()));
        if (dialogs->count("successfully") == 1)
            QCOMPARE(testfiles::read(target), emu::dataArea(id));
        else
            QVERIFY2(dialogs->count("answers no request of ours") == 1 && !QFile::exists(target),
                     qPrintable(dialogs->texts()));
    }
    // With the safety net on, as a user has it: the success comes only after the verify,
    // with its unchanged text, and names the backup, which holds the area it replaced.
    void dataSuccessComesAfterTheVerify()
    {
        testsafety::setAll(true);
        loadData(write("d.bin", testfiles::pattern(16 * 512, 12)));
        int requestsAtSuccess = -1;
        dialogs->onBox = [&](const SeenBox &) { requestsAtSuccess = emu::stats(id).requests; };
        w->slotPushButtonRunUpdateData();
        waitIdle();
        QTRY_COMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->boxes[0].text, QStringLiteral("Download data successfully!"));
        // Run's version query, the read-out, the packets and the read-back.
        QCOMPARE(requestsAtSuccess, 1 + 1024 + 16 + 16);
        const QString backup = tarvenix::listBackups().constLast().path;
        QVERIFY2(
            dialogs->boxes[0].informative.contains(QStringLiteral("kept in \"%1\"").arg(backup)),
            qPrintable(dialogs->boxes[0].informative));
        QCOMPARE(tarvenix::readHistory(1).value(0)["backup"].toString(), backup);
    }

    void backupThatCannotBeWrittenSendsNothing()
    {
        testsafety::setAll(true);
        loadData(write("d.bin", testfiles::pattern(4 * 512, 15)));
        // A file where the backups folder would be.
        const QString folder = tarvenix::backupsFolder();
        QVERIFY(QDir().mkpath(folder) && QFile::rename(folder, dir.filePath("backups.moved")));
        testfiles::write(folder, "not a folder");
        w->slotPushButtonRunUpdateData();
        waitIdle();
        QFile::remove(folder);
        QFile::rename(dir.filePath("backups.moved"), folder);
        QTRY_COMPARE(dialogs->boxes.size(), 1);
        QVERIFY2(dialogs->boxes[0].text.startsWith("Download data did not start: the backup") &&
                     dialogs->boxes[0].informative.contains("turn off \"Back up before a data "
                                                            "download\""),
                 qPrintable(dialogs->texts() + dialogs->boxes[0].informative));
    }

    void droppedBlockShowsNoSuccess()
    {
        testsafety::setAll(true);
        loadData(write("d.bin", testfiles::pattern(16 * 512, 13)));
        emu::fault(id, QStringLiteral("drop at=%1").arg(1 + 1024 + 5));
        w->slotPushButtonRunUpdateData();
        waitIdle();
        QTRY_COMPARE(dialogs->boxes.size(), 1);
        QVERIFY2(dialogs->boxes[0].title == "Warning" &&
                     dialogs->boxes[0].text.contains("failed in the verify, at block 5 of 16") &&
                     dialogs->boxes[0].text.contains(tarvenix::listBackups().constLast().path),
                 qPrintable(dialogs->texts()));
        QVERIFY(litCount(w->dataArrows()) < 6);
        const QJsonObject line = tarvenix::readHistory(1).value(0);
        QCOMPARE(line["result"].toString(), QStringLiteral("failed"));
        QCOMPARE(line["failure"].toObject()["code"].toString(), QStringLiteral("mismatch"));
    }

    // No (the default) sends nothing; Yes downloads, and the success box's informative text
    // has the version before and the one the device says after.
    void firmwareQuestionThenVersionsBeforeAndAfter()
    {
        testsafety::setAll(true);
        const QString path = write("fw.bin", testfiles::pattern(32 * 512, 14));
        loadFirmware(path);
        dialogs->answers << QMessageBox::No;
        w->slotPushButtonRunUpdateFW();
        QTRY_COMPARE(dialogs->boxes.size(), 1);
        const SeenBox question = dialogs->boxes[0];
        QCOMPARE(question.defaultButton, QMessageBox::No);
        // The device's serial and version as they are, whatever they hold.
        QVERIFY(question.plainText);
        QVERIFY2(
            question.text.contains(QStringLiteral("File: %1, 16384 bytes, SHA-256 ").arg(path)) &&
                question.text.contains("(1abe:2202, serial EMU0001)") &&
                question.text.contains("version \"EMU-1\"") &&
                question.text.contains("Do not unplug the device or close this window "
                                       "until the download is done"),
            qPrintable(question.text));
        QTest::qWait(100);
        QCOMPARE(emu::stats(id).firmwareSize, 0);
        QCOMPARE(litCount(w->fwArrows()), 0);

        dialogs->answers << QMessageBox::Yes;
        emu::fault(id, "delay ms=5 at=1");
        w->slotPushButtonRunUpdateFW();
        QTRY_VERIFY(w->transferRunning());
        emu::command(QStringLiteral("version %1 EMU-2").arg(id));
        waitIdle();
        QTRY_COMPARE(dialogs->count("Download firmware successfully!"), 1);
        QCOMPARE(dialogs->boxes.last().informative,
                 QStringLiteral("Version before: \"EMU-1\"\nVersion after: \"EMU-2\""));
        QVERIFY(dialogs->boxes.last().plainText);
        QCOMPARE(emu::stats(id).firmwareSize, 32 * 512);
        QCOMPARE(w->strVersion, QStringLiteral("EMU-2"));
        const QJsonObject device = tarvenix::readHistory(1).value(0)["device"].toObject();
        QCOMPARE(device["versionBefore"].toString(), QStringLiteral("EMU-1"));
        QCOMPARE(device["versionAfter"].toString(), QStringLiteral("EMU-2"));
    }

    // A save whose program was killed, told once in a box; the history's dialog shows it
    // interrupted, and says that it left out a line it could not read.
    void interruptedTransferIsToldOnce()
    {
        QProcess gone;
        gone.start(QStringLiteral("true"), QStringList());
        QVERIFY(gone.waitForStarted());
        const qint64 pid = gone.processId();
        gone.waitForFinished();
        const QString target = dir.filePath("killed.bin");
        {
            const tarvenix::HistoryLock lock(true);
            QString problem;
            tarvenix::appendRecordLocked(
                {{"schema", 3},
                 {"event", "start"},
                 {"id", "k1"},
                 {"kind", "save"},
                 {"time", "2024-05-18T10:15:02.123Z"},
                 {"device", QJsonObject{{"vendorId", "1abe"}, {"productId", "2202"}}},
                 {"file", QJsonObject{{"path", target}}},
                 {"process", QJsonObject{{"pid", pid}}}},
                problem);
            QFile history(tarvenix::historyPath());
            QVERIFY(history.open(QIODevice::Append) && history.write("not a record\n"));
        }
        w->tellInterruptedTransfers();
        w->tellInterruptedTransfers();
        QCOMPARE(dialogs->boxes.size(), 1);
        QVERIFY2(dialogs->boxes[0].text.contains("Save data on 1abe:2202, started ") &&
                     dialogs->boxes[0].text.contains("\"" + target + "\" was not written"),
                 qPrintable(dialogs->texts()));
        QStringList shown;
        QTimer::singleShot(200, [&shown] {
            QWidget *history = QApplication::activeModalWidget();
            for (const QLabel *label : history->findChildren<QLabel *>())
                shown << label->text();
            for (const QTableWidgetItem *item :
                 history->findChild<QTableWidget *>()->findItems("interrupted", Qt::MatchExactly))
                shown << item->text();
            history->close();
        });
        for (QAction *action : w->windowMenu->actions()) {
            if (action->text() == QStringLiteral("History…"))
                action->trigger();
        }
        QCOMPARE(shown,
                 (QStringList{"Lines of the history that could not be read were left out: 1.",
                              "interrupted"}));
    }
};

QTEST_MAIN(TestTransfers)
#include "test_transfers.moc"
