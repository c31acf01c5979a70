// tarvenix-cli on several emulated devices at once: every byte and a capture on each, one
// device's failure kept apart from the others, the refusals before any device is touched,
// one file per device, a backup, verify and history line for each data download, two runs
// sharing the devices, one firmware question on a terminal, and a stop that reaches them all.

#include "clirun.h"
#include "support/emu.h"
#include "support/files.h"
#include "userfiles/history.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

namespace {

constexpr int kBlock = 512;

} // namespace

class TestCliMany : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<int> ids;

    int add(const QString &settings)
    {
        const int id = emu::add(QStringLiteral("vid=1abe pid=2202 ") + settings);
        ids << id;
        emu::command(QStringLiteral("clear %1").arg(id));
        return id;
    }

    QString image(int blocks)
    {
        return testfiles::write(dir.filePath("fw.bin"), testfiles::pattern(blocks * kBlock, 7));
    }

    // The summary's entry for a device, found by its node.
    static QJsonObject entry(const QByteArray &json, int id, const char *list = "devices")
    {
        const QJsonArray devices = QJsonDocument::fromJson(json).object().value(list).toArray();
        for (const QJsonValue &d : devices) {
            if (d.toObject().value("path").toString() == emu::stats(id).node)
                return d.toObject();
        }
        return {};
    }

    static QString line(int id, const QString &serial)
    {
        return QStringLiteral("%1 (%2): ").arg(serial, emu::stats(id).node);
    }

  private slots:
    void cleanup() { emu::releaseAll(ids); }

    void firmwareOnEachByteForByte()
    {
        const QList<int> three{add("serial=A1"), add("serial=A2"), add("serial=A3")};
        const QString capture = dir.filePath("c.jsonl");
        const cli::Run r = cli::run({"firmware", "--all", "--record", capture, image(64)});
        QCOMPARE(r.exitCode, 0);
        const QString out = QString::fromLocal8Bit(r.out);
        for (int i = 0; i < 3; ++i) {
            const int id = three[i];
            QCOMPARE(emu::firmware(id), testfiles::read(dir.filePath("fw.bin")));
            // The version query, the packets, and the version asked again.
            QCOMPARE(emu::stats(id).requests, 1 + 64 + 1);
            const QString name = line(id, QStringLiteral("A%1").arg(i + 1));
            QVERIFY2(out.contains(name + "ok: Download firmware done (64 blocks)"),
                     qPrintable(out));
            QVERIFY2(r.err.contains(name + "Download firmware: step 6 of 6, done: 64 blocks"),
                     qPrintable(r.err));
            // One capture per device, named after it.
            const QByteArray captured = testfiles::read(dir.filePath("c-A%1.jsonl").arg(i + 1));
            QCOMPARE(captured.count("\"event\":\"write\""), 1 + 64 + 1);
            QVERIFY(captured.contains(QStringLiteral("\"serial\":\"A%1\"").arg(i + 1).toUtf8()));
        }
        // Each device's history line carries the version read again, as one device's does.
        const QVector<QJsonObject> lines = tarvenix::readHistory(3);
        QCOMPARE(lines.size(), 3);
        for (const QJsonObject &l : lines)
            QCOMPARE(l["device"].toObject()["versionAfter"].toString(),
                     QStringLiteral("TVX-EMU 1.1.0"));
        QVERIFY2(out.endsWith("3 devices: 3 succeeded, 0 did not.\n"), qPrintable(out));
    }

    // The others go on at their pace; a device plugged in meanwhile is named, not taken.
    void oneUnpluggedTheOthersSucceed()
    {
        const QList<int> three{add("serial=B1"), add("serial=B2"), add("serial=B3")};
        for (int id : three)
            emu::fault(id, "delay ms=3");
        emu::fault(three[1], "unplug at=41"); // after the version query, at block 40
        int later = 0;
        const cli::Run r = cli::run({"firmware", "--all", "--json", image(128)}, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(emu::stats(three[0]).requests >= 10, 20000);
            later = add("serial=B4");
        });
        QCOMPARE(r.exitCode, 8);
        const QJsonObject failed = entry(r.out, three[1]);
        QCOMPARE(failed.value("result").toString(), QStringLiteral("failed"));
        QCOMPARE(failed.value("exitCode").toInt(), 6);
        QCOMPARE(failed.value("block").toInt(), 40);
        QVERIFY2(failed.value("message").toString().contains("failed at block 40 of 128") &&
                     failed.value("message").toString().contains("unplugged"),
                 r.out);
        for (int id : {three[0], three[2]}) {
            QCOMPARE(entry(r.out, id).value("exitCode").toInt(), 0);
            QCOMPARE(emu::firmware(id), testfiles::read(dir.filePath("fw.bin")));
        }
        QCOMPARE(entry(r.out, later, "notTaken").value("serial").toString(), QStringLiteral("B4"));
        QCOMPARE(emu::stats(later).requests, 0);
        QCOMPARE(QJsonDocument::fromJson(r.out).object().value("exitCode").toInt(), 8);
    }

    // A device that goes away after the run found it and before it is held is told as
    // unplugged, not as one whose access rights are wrong.
    void unpluggedBeforeItIsHeld()
    {
        const int first = add("serial=U1");
        const int second = add("serial=U2");
        // The first device's version query, asked before the second is held, answers late.
        emu::fault(first, "late ms=800 at=1");
        const cli::Run r = cli::run({"firmware", "--all", "--json", image(8)}, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(emu::stats(first).requests >= 1, 20000);
            emu::unplug(second);
        });
        QCOMPARE(r.exitCode, 8);
        QCOMPARE(entry(r.out, first).value("exitCode").toInt(), 0);
        const QJsonObject gone = entry(r.out, second);
        QCOMPARE(gone.value("exitCode").toInt(), 6);
        QVERIFY2(gone.value("message").toString().contains("was unplugged before it could be "
                                                           "opened") &&
                     !gone.value("message").toString().contains("access"),
                 r.out);
    }

    // A script reading the summary gets one document even when there is no device.
    void noDeviceIsStillOneDocument()
    {
        const cli::Run r = cli::run({"version", "--all", "--json"});
        QCOMPARE(r.exitCode, 3);
        const QJsonObject summary = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(summary.value("devices").toArray().size(), 0);
        QCOMPARE(summary.value("exitCode").toInt(), 3);
    }

    void mixedModelsRefusedUntilOneIsPicked()
    {
        const int first = add("serial=M1");
        const int other = emu::add("vid=abcd pid=2204 serial=M5");
        ids << other;
        const cli::Run refused = cli::run({"firmware", "--all", image(8)});
        QCOMPARE(refused.exitCode, 2);
        QVERIFY2(refused.err.contains("1abe:2202  " + line(first, "M1").chopped(2)) &&
                     refused.err.contains("abcd:2204  " + line(other, "M5").chopped(2)) &&
                     refused.err.contains("--product"),
                 qPrintable(refused.err));
        QCOMPARE(emu::stats(first).requests + emu::stats(other).requests, 0);
        const cli::Run picked = cli::run({"firmware", "--all", "--product", "abcd:2204", image(8)});
        QCOMPARE(picked.exitCode, 0);
        QCOMPARE(emu::firmware(other), testfiles::read(dir.filePath("fw.bin")));
        QCOMPARE(emu::stats(first).requests, 0);
    }

    void saveWritesOneFilePerDevice()
    {
        const QList<int> three{add("serial=SAME fill=0x11"), add("serial=SAME fill=0x22"),
                               add("serial=a/b c fill=0x33")};
        const QString folder = dir.filePath("saves");
        QVERIFY(QDir().mkpath(folder));
        const cli::Run r = cli::run({"save", "--all", "--quiet", folder});
        QCOMPARE(r.exitCode, 0);
        const QStringList names{"SAME.bin", "SAME-2.bin", "a_b_c.bin"};
        QStringList written = QDir(folder).entryList(QDir::Files);
        written.sort();
        QCOMPARE(written, QStringList({"SAME-2.bin", "SAME.bin", "a_b_c.bin"}));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(testfiles::read(QDir(folder).filePath(names[i])), emu::dataArea(three[i]));
        // Again: each existing file is refused on its own, before its device is asked.
        emu::command(QStringLiteral("fill %1 0x44").arg(three[0]));
        const cli::Run again = cli::run({"save", "--all", "--quiet", folder});
        QCOMPARE(again.exitCode, 8);
        QCOMPARE(QString::fromLocal8Bit(again.out).count("(exit 5): The file"), 3);
        QCOMPARE(testfiles::read(QDir(folder).filePath(names[0])), QByteArray(524288, '\x11'));
    }

    // Each device's area is kept before the download and compared after it, each has its
    // line in the history; verify --all only reads.
    void dataBacksUpAndVerifiesEach()
    {
        const QList<int> two{add("serial=D1 fill=0x11"), add("serial=D2 fill=0x22")};
        const int linesBefore = tarvenix::readHistory(0).size();
        const cli::Run r = cli::run({"data", "--all", "--json", "--quiet", image(8)});
        QCOMPARE(r.exitCode, 0);
        for (const int id : two) {
            const QString backup = entry(r.out, id).value("backup").toString();
            QCOMPARE(testfiles::read(backup), QByteArray(524288, id == two[0] ? '\x11' : '\x22'));
            // The version query, the read-out, the packets and the read-back.
            QCOMPARE(emu::stats(id).requests, 1 + 1024 + 8 + 8);
        }
        const QVector<QJsonObject> history = tarvenix::readHistory(0);
        QCOMPARE(history.size(), linesBefore + 2);
        QCOMPARE(history.constLast().value("verified").toBool(), true);
        const QByteArray area = emu::dataArea(two[0]);
        const QString other = testfiles::write(dir.filePath("other.bin"), QByteArray(kBlock, 'x'));
        const cli::Run verify = cli::run({"verify", "--all", "--json", "--quiet", other});
        QCOMPARE(verify.exitCode, 8);
        QCOMPARE(entry(verify.out, two[0]).value("exitCode").toInt(), 7);
        QCOMPARE(emu::dataArea(two[0]), area);
    }

    void twoRunsShareTheDevices()
    {
        const QList<int> three{add("serial=C1"), add("serial=C2"), add("serial=C3")};
        for (int id : three)
            emu::fault(id, "delay ms=5");
        // Long enough that the second run starts while the first still holds its devices.
        const QString fw = image(128);
        QProcess first, second;
        first.start(QStringLiteral(TARVENIX_CLI), {"firmware", "--all", "--json", fw});
        second.start(QStringLiteral(TARVENIX_CLI), {"firmware", "--all", "--json", fw});
        QVERIFY(first.waitForFinished(30000) && second.waitForFinished(30000));
        const QByteArray outs[] = {first.readAllStandardOutput(), second.readAllStandardOutput()};
        for (int id : three) {
            const int codes[] = {entry(outs[0], id).value("exitCode").toInt(-1),
                                 entry(outs[1], id).value("exitCode").toInt(-1)};
            QVERIFY2((codes[0] == 0 && codes[1] == 4) || (codes[0] == 4 && codes[1] == 0),
                     outs[0] + outs[1]);
            const QJsonObject busy = entry(outs[codes[0] == 0 ? 1 : 0], id);
            QVERIFY2(busy.value("message").toString().contains("device is busy"), outs[0]);
            QCOMPARE(emu::stats(id).requests, 1 + 128 + 1);
            QCOMPARE(emu::firmware(id), testfiles::read(fw));
        }
    }

    // script(1) gives the program a terminal: one line per device, redrawn in place.
    void boardOnATerminal()
    {
        const QString script = QStandardPaths::findExecutable("script");
        if (script.isEmpty())
            QSKIP("script(1) is not installed");
        // Slow enough for the board to be drawn while the transfers run.
        for (const char *serial : {"serial=E1", "serial=E2"})
            emu::fault(add(serial), "delay ms=3");
        QProcess p;
        // One firmware question for the run, answered yes.
        p.start(QStringLiteral("sh"),
                {"-c", QStringLiteral("echo y | '%1' -qec \"'%2' firmware --all '%3'\" /dev/null")
                           .arg(script, QStringLiteral(TARVENIX_CLI), image(64))});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        const QString tty = QString::fromLocal8Bit(p.readAll());
        QCOMPARE(tty.count("Download this firmware into these 2 devices?"), 1);
        for (const char *name : {"E1", "E2"})
            QVERIFY2(
                tty.contains(QRegularExpression(
                    QStringLiteral("\r%1 +Download firmware \\[[#-]{8}\\] \\d+/64 blocks")
                        .arg(name))) &&
                    tty.contains(QStringLiteral("\r%1%2done\x1b[K").arg(name, QString(18, ' '))),
                qPrintable(tty));
        QVERIFY2(tty.contains("\x1b[2A\r") && !tty.contains("step 1 of 6"), qPrintable(tty));
    }

    void signalStopsEveryDevice()
    {
        const QList<int> two{add("serial=D1"), add("serial=D2")};
        for (int id : two)
            emu::fault(id, "delay ms=3");
        QProcess p;
        p.start(QStringLiteral(TARVENIX_CLI), {"firmware", "--all", "--quiet", image(400)});
        QTRY_VERIFY(emu::stats(two[0]).requests > 20 && emu::stats(two[1]).requests > 20);
        ::kill(pid_t(p.processId()), SIGINT);
        QVERIFY(p.waitForFinished(15000));
        QCOMPARE(p.exitCode(), 128 + SIGINT);
        const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
        for (int i = 0; i < 2; ++i) {
            QVERIFY2(out.contains(line(two[i], QStringLiteral("D%1").arg(i + 1)) +
                                  "stopped (exit 130): Download firmware stopped before block"),
                     qPrintable(out));
            QVERIFY(emu::stats(two[i]).requests < 400);
        }
    }
};

QTEST_GUILESS_MAIN(TestCliMany)
#include "test_cli_many.moc"
