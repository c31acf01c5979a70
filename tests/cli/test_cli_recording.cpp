// Recording with tarvenix-cli --record and replaying with tarvenix-emu --replay: the wire is
// the same with and without a capture, a replay gives the recorded run's outcome, a changed
// request is named, a capture keeps no name of the user's files unless asked, and every
// capture kept in tests/captures replays to the outcome stored beside it. Each run starts
// an emulator of its own, so this test runs outside one.

#include "clirun.h"
#include "support/files.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

constexpr int kBlock = 512;
constexpr int kReport = 1024;

// Every file in folder, by name, with its bytes.
QMap<QString, QByteArray> files(const QString &folder)
{
    QMap<QString, QByteArray> all;
    for (const QString &name : QDir(folder).entryList(QDir::Files))
        all[name] = testfiles::read(folder + '/' + name);
    return all;
}

} // namespace

class TestCliRecording : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString folder(const QString &name)
    {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }

    // tarvenix-cli run in folder, inside an emulator started with emuArguments.
    static cli::Run emulated(const QString &folder, const QStringList &emuArguments,
                             const QStringList &arguments)
    {
        return cli::runIn(folder, TARVENIX_EMU,
                          emuArguments + QStringList{"--", TARVENIX_CLI} + arguments);
    }

  private slots:
    void recordingLeavesTheWireAlone()
    {
        const QString here = folder("wire");
        testfiles::write(here + "/fw.bin", testfiles::pattern(16 * kBlock, 5));
        const cli::Run r = cli::runIn(
            here, TARVENIX_EMU,
            {"--", "sh", "-c",
             "\"$0\" firmware fw.bin --record c.jsonl && \"$0\" firmware fw.bin && \"$1\" dump 1 .",
             TARVENIX_CLI, TARVENIX_EMUCTL});
        QVERIFY2(r.exitCode == 0, qPrintable(r.err));
        const QByteArray log = testfiles::read(here + "/requests.bin");
        // The version queries before and after each download, and its 16 packets.
        QCOMPARE(log.size(), 2 * (1 + 16 + 1) * kReport);
        QVERIFY(log.left(log.size() / 2) == log.mid(log.size() / 2));
        QCOMPARE(testfiles::read(here + "/c.jsonl").count("{\"event\":\"write\""), 1 + 16 + 1);
    }

    void replayGivesTheRecordedOutcome_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("save") << QStringList{"save", "out.bin", "--quiet"} << QString() << 0;
        QTest::newRow("firmware") << QStringList{"firmware", "fw.bin", "--quiet"} << QString() << 0;
        QTest::newRow("save cut at block 3")
            << QStringList{"save", "out.bin", "--quiet"} << "fault 1 unplug at=3" << 6;
    }

    void replayGivesTheRecordedOutcome()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, fault);
        QFETCH(int, exitCode);
        const QString tag = QString::fromUtf8(QTest::currentDataTag());
        const QString recorded = folder(tag + "/recorded"), replayed = folder(tag + "/replayed");
        for (const QString &f : {recorded, replayed})
            testfiles::write(f + "/fw.bin", testfiles::pattern(8 * kBlock, 9));
        const QStringList emuArguments =
            fault.isEmpty() ? QStringList() : QStringList{"--command", fault};
        const cli::Run first =
            emulated(recorded, emuArguments, arguments + QStringList{"--record", "../c.jsonl"});
        QVERIFY2(first.exitCode == exitCode, qPrintable(first.err));
        const cli::Run again = emulated(replayed, {"--replay", "../c.jsonl", "--fast"}, arguments);
        QCOMPARE(again.exitCode, first.exitCode);
        QCOMPARE(again.out, first.out);
        QCOMPARE(again.err, first.err);
        QVERIFY(files(replayed) == files(recorded));
    }

    void changedRequestIsNamed()
    {
        const QString here = folder("changed");
        QByteArray image = testfiles::pattern(4 * kBlock, 2);
        testfiles::write(here + "/fw.bin", image);
        const QStringList firmware{"firmware", "fw.bin", "--quiet"};
        QCOMPARE(emulated(here, {}, firmware + QStringList{"--record", "c.jsonl"}).exitCode, 0);
        image[kBlock + 100] = char(~image[kBlock + 100]);
        testfiles::write(here + "/fw.bin", image);
        // Lenient: after the divergence the device answers as the plain emulator does.
        const cli::Run r = emulated(here, {"--replay", "c.jsonl", "--fast", "--lenient"}, firmware);
        QCOMPARE(r.exitCode, 0);
        // A packet carries its block from byte 15 on: byte 100 of block 2 is byte 115. The
        // version queries come before and after the packets.
        QVERIFY2(
            r.err.contains("write 3 of 6 differs from the capture: 1 byte differs (byte 115 is"),
            qPrintable(r.err));
    }

    void userPathsOnlyWhenAsked()
    {
        const QString here = folder("private folder");
        testfiles::write(here + "/secret-firmware.bin", testfiles::pattern(kBlock, 1));
        const QStringList firmware{"firmware", here + "/secret-firmware.bin", "--record",
                                   here + "/c.jsonl"};
        QCOMPARE(emulated(here, {}, firmware).exitCode, 0);
        const QByteArray capture = testfiles::read(here + "/c.jsonl");
        QVERIFY(capture.contains("\"command\":\"firmware FILE --record FILE\""));
        QVERIFY(!capture.contains("secret") && !capture.contains("private"));
        QCOMPARE(emulated(here, {}, firmware + QStringList{"--record-paths"}).exitCode, 0);
        QVERIFY(
            testfiles::read(here + "/c.jsonl").contains((here + "/secret-firmware.bin").toUtf8()));
    }

    // NAME.jsonl beside NAME.expect.json: {"command": [...], "exitCode": N, "sha256": "..."},
    // FILE in the command standing for the file, whose SHA-256 is the one given (null: no
    // file). The file a download sent is rebuilt from the capture.
    void shippedCapturesReplay_data()
    {
        QTest::addColumn<QString>("capture");
        const QDir captures(QStringLiteral(TARVENIX_CAPTURES));
        for (const QString &name : captures.entryList({"*.jsonl"}, QDir::Files))
            QTest::newRow(qPrintable(name)) << captures.filePath(name);
    }

    void shippedCapturesReplay()
    {
        QFETCH(QString, capture);
        const QString name = QFileInfo(capture).completeBaseName();
        const QJsonObject expect =
            QJsonDocument::fromJson(testfiles::read(capture.chopped(6) + ".expect.json")).object();
        QVERIFY2(expect.contains("exitCode"), "no NAME.expect.json beside the capture");
        QStringList command;
        for (const QJsonValue word : expect["command"].toArray())
            command << (word == "FILE" ? QStringLiteral("file.bin") : word.toString());
        const QString here = folder("shipped/" + name);
        if (command.value(0) == "firmware" || command.value(0) == "data")
            QCOMPARE(cli::runIn(here, TARVENIX_EMU, {"--replay", capture, "--extract", "file.bin"})
                         .exitCode,
                     0);
        const cli::Run r = emulated(here, {"--replay", capture, "--fast"}, command);
        QVERIFY2(r.exitCode == expect["exitCode"].toInt(), qPrintable(r.err));
        QVERIFY2(!r.err.contains("tarvenix-emu: replay:"), qPrintable(r.err));
        QFile file(here + "/file.bin");
        QCOMPARE(file.exists(), !expect["sha256"].isNull());
        if (file.open(QIODevice::ReadOnly))
            QCOMPARE(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex(),
                     expect["sha256"].toString().toLatin1());
    }

    void capturesAreShipped()
    {
        QVERIFY(!QDir(TARVENIX_CAPTURES).entryList({"*.jsonl"}).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCliRecording)
#include "test_cli_recording.moc"
