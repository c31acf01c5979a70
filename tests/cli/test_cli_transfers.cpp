// tarvenix-cli's firmware, data, save and verify against the emulated device:
// every byte, the refusals before the device is touched, the failures that
// name their block, and the progress it shows.

#include "clirun.h"
#include "support/emu.h"
#include "support/files.h"
#include "support/safety.h"
#include "userfiles/history.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

namespace {

constexpr int kBlock = 512;
constexpr int kArea = 524288;

} // namespace

namespace {

QJsonObject lastHistoryLine()
{
    return tarvenix::readHistory(1).value(0);
}

} // namespace

class TestCliTransfers : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int id = 0;

    QString file(const QString &name, const QByteArray &bytes)
    {
        return testfiles::write(dir.filePath(name), bytes);
    }

    // With a device that answers every few milliseconds, a test that acts after the
    // first requests acts long before the transfer's end.
    void afterRequests(int n) { QTRY_VERIFY_WITH_TIMEOUT(emu::stats(id).requests >= n, 20000); }

  private slots:
    void init()
    {
        testsafety::off();
        id = emu::add();
        emu::command(QStringLiteral("clear %1").arg(id));
    }

    void cleanup() { emu::release(id); }

    void firmwareByteForByte()
    {
        const QByteArray image = testfiles::pattern(128 * kBlock, 7);
        const cli::Run r = cli::run({"firmware", file("fw.bin", image)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(emu::firmware(id), image);
        QCOMPARE(emu::stats(id).bad, 0);
        QCOMPARE(r.out, QByteArray("The version text is unchanged: \"TVX-EMU 1.1.0\". A device may "
                                   "keep its text after a download.\n"));
        // Not on a terminal: one plain line per step, no bar.
        const QStringList lines = r.err.trimmed().split('\n');
        QCOMPARE(lines.size(), 6);
        for (int step = 1; step <= 6; ++step)
            QVERIFY2(lines[step - 1].startsWith(
                         QStringLiteral("Download firmware: step %1 of 6, ").arg(step)),
                     qPrintable(r.err));
        QVERIFY(lines[2].contains("64 of 128 blocks"));
        QVERIFY(lines[5].contains("done: 128 blocks"));
        QVERIFY(!r.err.contains('\r'));
    }

    void dataByteForByte()
    {
        const QByteArray image = testfiles::pattern(kArea, 3);
        const cli::Run r = cli::run({"data", file("data.bin", image)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(emu::dataArea(id), image);
        // The version query, then the packets.
        QCOMPARE(emu::stats(id).requests, 1 + 1024);
        QVERIFY(r.err.contains("Download data: step 6 of 6"));
    }

    void saveAppendsBinAndMatchesTheArea()
    {
        const cli::Run r = cli::run({"save", dir.filePath("dump"), "--quiet"});
        QCOMPARE(r.exitCode, 0);
        const QString saved = dir.filePath("dump.bin");
        QCOMPARE(r.out, ("saved to " + saved + "\n").toLocal8Bit());
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QCOMPARE(testfiles::read(saved), emu::dataArea(id));
        QCOMPARE(testfiles::read(saved).size(), kArea);
        QVERIFY(!QFile::exists(dir.filePath("dump")));
    }

    // A name that holds a line end stays on its result line, quoted as a shell reads it back;
    // a backslash is the name's own.
    void resultLinesQuoteFileNames()
    {
        const QString broken = dir.filePath("a\nb");
        const cli::Run r = cli::run({"save", "--quiet", broken});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, ("saved to '" + dir.filePath("a") + "'$'\\n''b.bin'\n").toLocal8Bit());
        QCOMPARE(testfiles::read(broken + ".bin"), emu::dataArea(id));
        const QString slashed = dir.filePath("c\\d.bin");
        QCOMPARE(cli::run({"save", "--quiet", slashed}).out,
                 ("saved to " + slashed + "\n").toLocal8Bit());
    }

    // A name in the working folder that starts with ':' is a file's, not a Qt resource's.
    void namesStartingWithAColon()
    {
        const QString in = QStringLiteral("cd '%1' && \"$CLI\" ").arg(dir.path());
        QCOMPARE(cli::runShell(in + "save --quiet :s").exitCode, 0);
        QCOMPARE(testfiles::read(dir.filePath("./:s.bin")), emu::dataArea(id));
        const cli::Run verify = cli::runShell(in + "verify :s.bin");
        QVERIFY2(verify.exitCode == 0, qPrintable(verify.err));
    }

    // Descriptors the caller left closed are not for the device to take: the progress and
    // the result go nowhere, never into the device.
    void closedStandardStreams()
    {
        const QString target = dir.filePath("closed.bin");
        const cli::Run r =
            cli::runShell(QStringLiteral("\"$CLI\" save '%1' <&- >&- 2>&-").arg(target));
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(testfiles::read(target), emu::dataArea(id));
        QCOMPARE(emu::stats(id).requests, 1024);
        QCOMPARE(emu::stats(id).bad, 0);
    }

    // A pipe whose reader has gone: the save ends cleanly, then the result cannot be written.
    void closedPipeIsExitOne()
    {
        const QString target = dir.filePath("piped.bin");
        const cli::Run r = cli::runShell(
            QStringLiteral("cd '%1' && mkfifo pipe && { { exec 3<pipe; } & exec 4>pipe; wait; } && "
                           "\"$CLI\" save -q '%2' >&4")
                .arg(dir.path(), target));
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("writing to standard output failed: Broken pipe"),
                 qPrintable(r.err));
        QCOMPARE(testfiles::read(target), emu::dataArea(id));
        QCOMPARE(lastHistoryLine().value("result").toString(), QStringLiteral("ok"));
    }

    // Messages in the user's language; results stay as scripts read them.
    void germanMessagesEnglishResults()
    {
        const QString german = QStringLiteral("env -u LANGUAGE LC_ALL= LC_MESSAGES= "
                                              "LANG=de_DE.UTF-8 \"$CLI\" save ");
        const QString target = dir.filePath("de.bin");
        const cli::Run saved = cli::runShell(german + target);
        QCOMPARE(saved.exitCode, 0);
        QCOMPARE(saved.out, ("saved to " + target + "\n").toLocal8Bit());
        QVERIFY2(saved.err.contains("Speichern der Daten: Schritt 6 von 6, fertig: 1024 Blöcke"),
                 qPrintable(saved.err));
        const cli::Run refused = cli::runShell(german + target);
        QCOMPARE(refused.exitCode, 5);
        QCOMPARE(refused.err, "Die Datei „" + target +
                                  "“ existiert bereits. Zum Ersetzen geben Sie --force an, oder "
                                  "wählen Sie einen anderen Namen.\n");
    }

    void saveReplacesOnlyWithForce()
    {
        const QString target = file("old.BIN", "old content");
        // --quiet hides progress, never a refusal.
        const cli::Run refused = cli::run({"save", "--quiet", target});
        QCOMPARE(refused.exitCode, 5);
        QVERIFY2(refused.err.contains("already exists") && refused.err.contains("--force"),
                 qPrintable(refused.err));
        QCOMPARE(testfiles::read(target), QByteArray("old content"));
        QCOMPARE(emu::stats(id).requests, 0);
        const cli::Run forced = cli::run({"save", "--force", target});
        QCOMPARE(forced.exitCode, 0);
        QCOMPARE(testfiles::read(target), emu::dataArea(id));
    }

    void saveTargetThatCannotBeWritten()
    {
        const cli::Run r = cli::run({"save", dir.filePath("no/such/dir/x.bin")});
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains("cannot be written") && r.err.contains("choose another place"),
                 qPrintable(r.err));
        QCOMPARE(emu::stats(id).requests, 0);
    }

    // Names a save must refuse before it touches the device. The shell passes bytes as
    // they are: "caf\351" is café in Latin-1, not valid UTF-8.
    void saveNameRefusals_data()
    {
        QTest::addColumn<QString>("commandLine");
        QTest::addColumn<QString>("words");
        QTest::newRow("dangling link")
            << "ln -s nowhere.bin dangling.bin && \"$CLI\" save dangling.bin"
            << "symbolic link to";
        QTest::newRow("empty name") << "\"$CLI\" save ''"
                                    << "No file name";
        QTest::newRow("folder") << "mkdir -p sub && \"$CLI\" save sub/"
                                << "names a folder";
        QTest::newRow("folder of the name") << "mkdir -p d.bin && \"$CLI\" save d"
                                            << "\"d.bin\" is not a file but a folder";
        QTest::newRow("folder of the name, --force")
            << "mkdir -p f.bin && \"$CLI\" save --force f.bin"
            << "\"f.bin\" is not a file but a folder";
        QTest::newRow("save, not UTF-8") << "\"$CLI\" save \"$(printf 'caf\\351')\""
                                         << "is not valid UTF-8";
        QTest::newRow("firmware, not UTF-8")
            << "head -c 512 /dev/zero >\"$(printf 'caf\\351.bin')\" && "
               "\"$CLI\" firmware \"$(printf 'caf\\351.bin')\""
            << "Please rename the file";
    }

    void saveNameRefusals()
    {
        QFETCH(QString, commandLine);
        QFETCH(QString, words);
        // Qt cannot name the Latin-1 file to remove it, so the shell does.
        const cli::Run r = cli::runShell(
            QStringLiteral("cd '%1' && { %2; }; s=$?; rm -f \"$(printf 'caf\\351.bin')\"; exit $s")
                .arg(dir.path(), commandLine));
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains(words), qPrintable(r.err));
        QCOMPARE(emu::stats(id).requests, 0);
        for (const char *made : {"nowhere.bin", ".bin", "sub/.bin"})
            QVERIFY2(!QFileInfo::exists(dir.filePath(made)), made);
    }

    // Under C the programs read devices' strings as UTF-8 while Qt names files as it did: a
    // UTF-8 name still saves, and one that is not is still refused.
    void saveNamesInTheCLocale()
    {
        const QString save = QStringLiteral("cd '%1' && LC_ALL=C \"$CLI\" save ").arg(dir.path());
        const cli::Run saved = cli::runShell(save + QStringLiteral("--quiet 'däten.bin'"));
        QCOMPARE(saved.exitCode, 0);
        QCOMPARE(testfiles::read(dir.filePath(QStringLiteral("däten.bin"))), emu::dataArea(id));
        const cli::Run refused = cli::runShell(save + "\"$(printf 'caf\\351')\"");
        QCOMPARE(refused.exitCode, 5);
        QVERIFY2(refused.err.contains("is not valid UTF-8"), qPrintable(refused.err));
    }

    void saveKeepsItsDataWhenTheTargetAppears()
    {
        emu::fault(id, "delay ms=2 at=1");
        const QString target = dir.filePath("late.bin");
        const cli::Run r = cli::run({"save", "--quiet", target}, [&] {
            afterRequests(10);
            file("late.bin", "appeared");
        });
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains("\"" + target + "\" appeared during the save"), qPrintable(r.err));
        QCOMPARE(testfiles::read(target), QByteArray("appeared"));
        const QString kept = r.err.section("kept in \"", 1).section('"', 0, 0);
        QVERIFY2(QFileInfo(kept).path() == dir.path() && kept != target, qPrintable(r.err));
        QCOMPARE(testfiles::read(kept), emu::dataArea(id));
    }

    void fileShortenedDuringADownload()
    {
        emu::fault(id, "delay ms=5 at=1");
        const QString image = file("shrinks.bin", testfiles::pattern(256 * kBlock, 6));
        const cli::Run r = cli::run({"firmware", "--quiet", image}, [&] {
            afterRequests(2);
            QVERIFY(QFile::resize(image, 0));
        });
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains("\"" + image + "\" ends before this block") &&
                     r.err.contains("check the file") && !r.err.contains("cable"),
                 qPrintable(r.err));
    }

    // What was sent is not the file as it is now: a failure, and the history names what the
    // device holds.
    void fileThatGrowsDuringADownload()
    {
        emu::fault(id, "delay ms=5 at=1");
        const QByteArray image = testfiles::pattern(64 * kBlock, 8);
        const QString path = file("grows.bin", image);
        const cli::Run r = cli::run({"firmware", "--quiet", path}, [&] {
            afterRequests(2);
            QFile grown(path);
            QVERIFY(grown.open(QIODevice::Append) && grown.write(QByteArray(kBlock, 'g')));
        });
        QCOMPARE(r.exitCode, 5);
        const QString sent = QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex();
        QVERIFY2(r.err.contains("\"" + path + "\" changed while it was sent") &&
                     r.err.contains(sent),
                 qPrintable(r.err));
        QCOMPARE(emu::firmware(id), image);
        const QJsonObject line = lastHistoryLine();
        QCOMPARE(line["failure"].toObject()["code"].toString(), QStringLiteral("file-changed"));
        QCOMPARE(line["file"].toObject()["sha256"].toString(), sent);
        QCOMPARE(line["file"].toObject()["size"].toInt(), image.size());
    }

    // A file system of 64 KiB, mounted in a namespace of the program's own.
    void fullDiskGivesTheSystemsReason()
    {
        const QString small = dir.filePath("small");
        QVERIFY(QDir().mkpath(small));
        const cli::Run r = cli::runShell(
            QStringLiteral("unshare -rm true 2>/dev/null || exit 99; unshare -rm sh -c "
                           "'mount -t tmpfs -o size=64k none \"$0\" && exec \"$CLI\" save -q "
                           "\"$0/x.bin\"' '%1'")
                .arg(small));
        if (r.exitCode == 99)
            QSKIP("this system lets no test mount a file system of its own (unshare -rm)");
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains("could not be written (No space left on device)"),
                 qPrintable(r.err));
    }

    void verifyEqualPasses()
    {
        const QString area = file("area.bin", emu::dataArea(id));
        emu::command(QStringLiteral("clear %1").arg(id));
        const cli::Run r = cli::run({"verify", area});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith("verified:") && r.out.contains("1024 blocks"), r.out);
        QCOMPARE(emu::stats(id).requests, 1024);
        QCOMPARE(emu::stats(id).bad, 0);
    }

    void verifyNamesTheFirstChangedBlock()
    {
        QByteArray area = emu::dataArea(id);
        area[299 * kBlock + 17] = char(area[299 * kBlock + 17] ^ 0x40);
        area[500 * kBlock] = char(area[500 * kBlock] ^ 0x01);
        emu::command(QStringLiteral("clear %1").arg(id));
        const cli::Run r = cli::run({"verify", file("changed.bin", area)});
        QCOMPARE(r.exitCode, 7);
        const QString named = dir.filePath("changed.bin");
        QVERIFY2(r.err.contains("Verify failed at block 300 of 1024") &&
                     r.err.contains(QStringLiteral("If \"%1\" is the data image meant for the "
                                                   "device, download it again with: "
                                                   "tarvenix-cli data \"%1\"")
                                        .arg(named)),
                 qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        // It stops at the first difference.
        QCOMPARE(emu::stats(id).requests, 300);
    }

    void verifyShortFileComparesOnlyItsBlocks()
    {
        QByteArray head = emu::dataArea(id).left(10 * kBlock);
        emu::command(QStringLiteral("clear %1").arg(id));
        QCOMPARE(cli::run({"verify", file("head.bin", head)}).exitCode, 0);
        QCOMPARE(emu::stats(id).requests, 10);
        head[10 * kBlock - 1] = char(head[10 * kBlock - 1] + 1);
        const cli::Run r = cli::run({"verify", file("head2.bin", head)});
        QCOMPARE(r.exitCode, 7);
        QVERIFY2(r.err.contains("block 10 of 10"), qPrintable(r.err));
    }

    void dataThenVerify()
    {
        const QByteArray image = testfiles::pattern(128 * kBlock, 9);
        const cli::Run r = cli::run({"data", "--verify", file("dv.bin", image)});
        QCOMPARE(r.exitCode, 0);
        // Each phase by name, with its own count.
        QVERIFY2(r.err.contains("Download data: step 3 of 6, 64 of 128 blocks") &&
                     r.err.contains("Download data: step 6 of 6") &&
                     r.err.contains("Verify: step 3 of 6, 64 of 128 blocks") &&
                     r.err.contains("Verify: step 6 of 6"),
                 qPrintable(r.err));
        QVERIFY(r.out.startsWith("The data area was read back and matches the file."));
        QCOMPARE(emu::stats(id).requests, 1 + 256);
        QCOMPARE(emu::dataArea(id).left(image.size()), image);
    }

    void sourceRefusals_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("size"); // -1: no file at all
        QTest::addColumn<QString>("words");
        QTest::newRow("empty firmware") << "firmware" << 0 << "non-zero multiple of 512";
        QTest::newRow("data of 1000 bytes") << "data" << 1000 << "has 1000 bytes";
        QTest::newRow("firmware of 513 bytes") << "firmware" << 513 << "multiple of 512";
        QTest::newRow("missing data") << "data" << -1 << "cannot be found";
        QTest::newRow("missing verify") << "verify" << -1 << "cannot be found";
        QTest::newRow("data past the area") << "data" << kArea + kBlock << "smaller data file";
        QTest::newRow("verify past the area") << "verify" << kArea + kBlock << "data area";
    }

    void sourceRefusals()
    {
        QFETCH(QString, command);
        QFETCH(int, size);
        QFETCH(QString, words);
        const QString path =
            size < 0 ? dir.filePath("absent.bin") : file("sized.bin", testfiles::pattern(size, 1));
        const cli::Run r = cli::run({command, path});
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.contains(words), qPrintable(r.err));
        QCOMPARE(emu::stats(id).requests, 0);
    }

    // The only test that waits out the 8-second bound on one reply.
    void silentDeviceFailsWithinTheBound()
    {
        // The version query comes first.
        emu::fault(id, "silent at=18");
        QElapsedTimer clock;
        clock.start();
        const cli::Run r =
            cli::run({"firmware", file("s.bin", testfiles::pattern(32 * kBlock, 2))});
        QCOMPARE(r.exitCode, 6);
        QVERIFY(clock.elapsed() >= 8000 && clock.elapsed() < 15000);
        QVERIFY2(r.err.contains("Download firmware failed at block 17 of 32") &&
                     r.err.contains("did not answer within 8 seconds") &&
                     r.err.contains("check the device and its cable"),
                 qPrintable(r.err));
        QCOMPARE(emu::stats(id).requests, 18);
    }

    void unplugInTheMiddle_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("failure");
        // A data download asks the version first.
        QTest::newRow("data") << QStringList{"data", "in.bin"} << 31
                              << "Download data failed at block 30 of 128";
        QTest::newRow("save") << QStringList{"save", "--force", "target.bin"} << 40
                              << "Save data failed at block 40 of 1024";
        QTest::newRow("verify") << QStringList{"verify", "in.bin"} << 5
                                << "Verify failed at block 5 of 128";
    }

    void unplugInTheMiddle()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, at);
        QFETCH(QString, failure);
        // The area holds the file, so that verify runs until the unplug.
        emu::command(QStringLiteral("data %1 %2")
                         .arg(id)
                         .arg(file("in.bin", testfiles::pattern(128 * kBlock, 4))));
        const QString target = file("target.bin", "old content");
        arguments.last() = dir.filePath(arguments.last());
        emu::fault(id, QStringLiteral("unplug at=%1").arg(at));
        const cli::Run r = cli::run(arguments);
        QCOMPARE(r.exitCode, 6);
        QVERIFY2(r.err.contains(failure) && r.err.contains("unplugged during the transfer") &&
                     r.err.contains("Plug it in again"),
                 qPrintable(r.err));
        QCOMPARE(testfiles::read(target), QByteArray("old content"));
    }

    // script(1) gives the program a terminal, as a user's shell does.
    void barOnATerminal()
    {
        const QString script = QStandardPaths::findExecutable("script");
        if (script.isEmpty())
            QSKIP("script(1) is not installed");
        const QString command = QStringLiteral("'%1' save --force '%2'")
                                    .arg(QStringLiteral(TARVENIX_CLI), dir.filePath("tty.bin"));
        QProcess p;
        p.start(script, {"-qec", command, "/dev/null"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString tty = QString::fromLocal8Bit(p.readAll());
        QVERIFY2(tty.contains("\rSave data [------------------------] 0/1024 blocks") &&
                     tty.contains("\rSave data [########################] 1024/1024 blocks") &&
                     tty.contains(" left") && !tty.contains("step 1 of 6"),
                 qPrintable(tty));
        QCOMPARE(testfiles::read(dir.filePath("tty.bin")), emu::dataArea(id));
    }

    // Replies carry nothing to check them by, so a reply that answers another's request
    // must end a save before it becomes a block of the file.
    void saveNeverTakesAnotherRequestsReply_data()
    {
        QTest::addColumn<bool>("earlierProgram");
        QTest::newRow("another program mid-save") << false;
        QTest::newRow("late reply to an earlier program") << true;
    }

    void saveNeverTakesAnotherRequestsReply()
    {
        QFETCH(bool, earlierProgram);
        if (earlierProgram) {
            // Its version query gives up after a second; the reply comes during our save,
            // whose replies the device sends only after it.
            emu::fault(id, "late ms=2500 at=1");
            QCOMPARE(cli::run({"version"}).exitCode, 6);
            emu::fault(id, "delay ms=2 at=2");
        } else {
            emu::fault(id, "stranger at=300");
        }
        const QString target = dir.filePath("out.bin");
        const cli::Run r = cli::run({"save", target});
        QVERIFY2(r.exitCode == 6 && r.err.contains("answers no request of ours"),
                 qPrintable(r.err));
        QVERIFY(!QFile::exists(target));
    }

    // A reply to an earlier run's version query that comes after this run's drain is read as
    // this one's; the true reply follows it, and the query fails rather than take it.
    void versionNeverTakesAnEarlierRequestsReply_data()
    {
        QTest::addColumn<bool>("firmware");
        QTest::newRow("version") << false;
        QTest::newRow("version before a firmware download") << true;
    }

    void versionNeverTakesAnEarlierRequestsReply()
    {
        QFETCH(bool, firmware);
        emu::command(QStringLiteral("versionhex %1 5354414c45").arg(id)); // "STALE"
        emu::fault(id, "late ms=2500 at=1");
        QCOMPARE(cli::run({"version"}).exitCode, 6);
        emu::command(QStringLiteral("version %1 TVX 2").arg(id));
        if (!firmware) {
            const cli::Run r = cli::run({"version"});
            QCOMPARE(r.exitCode, 6);
            QVERIFY2(r.err.contains("answered the version query twice"), qPrintable(r.err));
            QVERIFY(r.out.isEmpty());
            return;
        }
        const QByteArray image = testfiles::pattern(8 * kBlock, 3);
        const cli::Run r = cli::run({"firmware", file("fw.bin", image)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(emu::firmware(id), image);
        const QJsonObject device = lastHistoryLine().value("device").toObject();
        QCOMPARE(device.value("version").toString(), QString());
        QCOMPARE(device.value("versionAfter").toString(), QStringLiteral("TVX 2"));
    }

    void downloadTakesALateReplyAndGoesOn()
    {
        const QByteArray image = testfiles::pattern(64 * kBlock, 5);
        emu::fault(id, "stranger at=20");
        const cli::Run r = cli::run({"firmware", file("fw.bin", image)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(emu::firmware(id), image);
        QCOMPARE(emu::stats(id).early, 0);
    }

    void versionCutInsideItsTextFails()
    {
        emu::fault(id, "short n=50 at=1");
        const cli::Run r = cli::run({"version"});
        QCOMPARE(r.exitCode, 6);
        QVERIFY2(r.err.contains("ended inside the version text"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    // Ctrl-C is heeded within a slice of the wait for a reply, not after its 8-second bound.
    void signalCutsTheWaitForASilentDevice()
    {
        emu::fault(id, "silent at=5");
        QProcess p;
        p.start(QStringLiteral(TARVENIX_CLI), {"save", "--quiet", dir.filePath("silent.bin")});
        afterRequests(5);
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(15000));
        QVERIFY2(clock.elapsed() < 4000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(p.exitCode(), 128 + SIGINT);
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(err.contains("Save data stopped before block 5 of 1024"), qPrintable(err));
    }

    // A stop after the last block skips what follows it, the version read again, and the
    // download is told as done, in the result and the history.
    void signalAfterTheLastBlockKeepsTheResult()
    {
        // The version is asked before and after the 8 packets; the device stops answering
        // the second time.
        emu::fault(id, "silent at=10");
        QProcess p;
        p.start(QStringLiteral(TARVENIX_CLI),
                {"firmware", "--quiet", file("fw.bin", testfiles::pattern(8 * kBlock, 4))});
        afterRequests(10);
        ::kill(pid_t(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), 128 + SIGTERM);
        QCOMPARE(p.readAllStandardOutput(), QByteArray("Download firmware done (8 blocks)\n"));
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        QVERIFY2(err.contains("was complete when signal 15 came. The version was not read again."),
                 qPrintable(err));
        const QJsonObject line = lastHistoryLine();
        QCOMPARE(line.value("result").toString(), QStringLiteral("ok"));
        QVERIFY(line.value("device").toObject().value("versionAfter").isNull());
    }

    // A stop from the shell comes between blocks; the device is left clean and free for
    // the next program at once.
    void signalStopsBetweenBlocks()
    {
        emu::fault(id, "delay ms=3 at=1");
        QProcess p;
        p.start(QStringLiteral(TARVENIX_CLI),
                {"firmware", file("fw.bin", testfiles::pattern(400 * kBlock, 2))});
        QTRY_VERIFY(emu::stats(id).requests > 30);
        ::kill(pid_t(p.processId()), SIGTERM);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), 128 + SIGTERM);
        const QString err = QString::fromLocal8Bit(p.readAllStandardError());
        const QRegularExpression stopped("stopped before block (\\d+) of 400: .*partial firmware");
        const QRegularExpressionMatch m = stopped.match(err);
        QVERIFY2(m.hasMatch(), qPrintable(err));
        // The history names the same block.
        const QJsonObject failure = lastHistoryLine().value("failure").toObject();
        QCOMPARE(failure.value("code").toString(), QStringLiteral("stopped-by-signal"));
        QCOMPARE(failure.value("block").toInt(), m.captured(1).toInt());
        const int sent = emu::stats(id).requests;
        QVERIFY(sent < 400);
        emu::fault(id, "clear");
        const cli::Run after = cli::run({"version"});
        QCOMPARE(after.exitCode, 0);
        QCOMPARE(after.out.trimmed(), QByteArray("TVX-EMU 1.1.0"));
        QCOMPARE(emu::stats(id).requests, sent + 1);
    }
};

QTEST_GUILESS_MAIN(TestCliTransfers)
#include "test_cli_transfers.moc"
