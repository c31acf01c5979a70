// tarvenix-cli's safety net against the emulated device, with every part of it on as a user
// has it: the backup before a data download, the verify after it, the firmware question on a
// terminal, the sleep inhibitor (from a stand-in logind on a private bus) and the history.

#include "clirun.h"
#include "support/emu.h"
#include "support/files.h"
#include "userfiles/backups.h"
#include "userfiles/history.h"

#include <QCryptographicHash>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

namespace {

constexpr int kBlock = 512;
constexpr int kAreaBlocks = 1024;
const QString kLogind = QStringLiteral("org.freedesktop.login1");

// The inhibitors logind holds now, each as "what|who|why|mode".
QStringList inhibitors()
{
    const QDBusMessage reply = QDBusConnection::systemBus().call(QDBusMessage::createMethodCall(
        kLogind, QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ListInhibitors")));
    QStringList held;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        QString what, who, why, mode;
        uint uid = 0, pid = 0;
        list.beginStructure();
        list >> what >> who >> why >> mode >> uid >> pid;
        list.endStructure();
        held << QStringList{what, who, why, mode}.join(QLatin1Char('|'));
    }
    list.endArray();
    return held;
}

QJsonObject lastHistoryLine()
{
    return tarvenix::readHistory(1).value(0);
}

int historyLines()
{
    return tarvenix::readHistory(0).size();
}

} // namespace

class TestCliSafety : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess bus;
    QProcess logind;
    int id = 0;

    QString file(const QString &name, const QByteArray &bytes)
    {
        return testfiles::write(dir.filePath(name), bytes);
    }

    // The data area as it was before a download: loaded into the device, kept to compare.
    QByteArray fillArea(int seed)
    {
        const QByteArray area = testfiles::pattern(kAreaBlocks * kBlock, seed);
        emu::command(QStringLiteral("data %1 %2").arg(id).arg(file("area.bin", area)));
        return area;
    }

  private slots:
    // A bus of this test's own as the system bus, with python3-dbusmock's logind on it.
    void initTestCase()
    {
        bus.start(QStringLiteral("dbus-daemon"),
                  {"--session", "--nofork", "--nosyslog", "--print-address=1"});
        QVERIFY2(bus.waitForReadyRead(10000), "dbus-daemon did not start");
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", bus.readLine().trimmed());
        // Debian's python3, which has python3-dbusmock, whatever python3 the PATH finds first.
        logind.start(QStringLiteral("/usr/bin/python3"),
                     {"-m", "dbusmock", "--system", "--template", "logind"});
        QTRY_VERIFY_WITH_TIMEOUT(
            QDBusConnection::systemBus().interface()->isServiceRegistered(kLogind), 10000);
    }

    void cleanupTestCase()
    {
        for (QProcess *p : {&logind, &bus}) {
            p->terminate();
            p->waitForFinished();
        }
    }

    void init()
    {
        id = emu::add();
        emu::command(QStringLiteral("clear %1").arg(id));
    }

    void cleanup() { emu::release(id); }

    // One run of every part: the backup is the area the download replaced, the machine is
    // kept awake during the transfer only, and the history and both lists tell it.
    void dataDownloadIsBackedUpVerifiedAndRecorded()
    {
        fillArea(3);
        const QByteArray image = testfiles::pattern(64 * kBlock, 4);
        const QString path = file("data.bin", image);
        QStringList heldMeanwhile;
        const int linesBefore = historyLines();
        const cli::Run r = cli::run({"data", path}, [&] {
            QTRY_VERIFY_WITH_TIMEOUT(emu::stats(id).requests >= 100, 20000);
            heldMeanwhile = inhibitors();
        });
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(heldMeanwhile, QStringList("sleep:idle|Tarvenix Manager|data: data.bin|block"));
        QTRY_VERIFY(inhibitors().isEmpty());
        // The version query, the read-out, the packets and the read-back, each phase's
        // progress by name.
        QCOMPARE(emu::stats(id).requests, 1 + kAreaBlocks + 64 + 64);
        QVERIFY2(r.err.contains("Backup: step 6 of 6, done: 1024 blocks") &&
                     r.err.contains("Download data: step 6 of 6, done: 64 blocks") &&
                     r.err.contains("Verify: step 6 of 6, done: 64 blocks"),
                 qPrintable(r.err));

        const QVector<tarvenix::Backup> backups = tarvenix::listBackups();
        QCOMPARE(backups.size(), 1);
        const QString backup = backups[0].path;
        QVERIFY(QFileInfo(backup).fileName().startsWith("1abe-2202-"));
        QCOMPARE(QString::fromUtf8(r.out),
                 QStringLiteral("The data area was read back and matches the file.\nThe data "
                                "area as it was before the download is kept in \"%1\"; to "
                                "restore it, download that file.\n")
                     .arg(backup));

        QCOMPARE(historyLines(), linesBefore + 1);
        const QJsonObject line = lastHistoryLine();
        QCOMPARE(line["kind"].toString(), QStringLiteral("data"));
        QCOMPARE(line["result"].toString(), QStringLiteral("ok"));
        QCOMPARE(line["backup"].toString(), backup);
        QCOMPARE(line["verified"].toBool(), true);
        QCOMPARE(line["schema"].toInt(), 3);
        QCOMPARE(line["device"].toObject()["vendorId"].toString(), QStringLiteral("1abe"));
        QCOMPARE(line["device"].toObject()["version"].toString(), QStringLiteral("TVX-EMU 1.1.0"));
        QCOMPARE(line["file"].toObject()["path"].toString(), path);
        QCOMPARE(line["file"].toObject()["sha256"].toString(),
                 QString::fromLatin1(
                     QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()));

        const QJsonObject listed =
            QJsonDocument::fromJson(cli::run({"backups", "--json"}).out).object();
        QCOMPARE(listed["backups"].toArray().at(0).toObject()["path"].toString(), backup);
        const QJsonObject history =
            QJsonDocument::fromJson(cli::run({"history", "--json", "--limit", "1"}).out).object();
        QCOMPARE(history["transfers"].toArray(), QJsonArray{line});

        // Every document describes the device with the same keys, under "device".
        const auto json = [](const QStringList &arguments) {
            return QJsonDocument::fromJson(cli::run(arguments).out).object();
        };
        const QJsonObject described[] = {
            json({"list", "--json"})["devices"].toArray().at(0).toObject(),
            json({"version", "--json"}),
            json({"version", "--all", "--json"})["devices"].toArray().at(0).toObject(),
            listed["backups"].toArray().at(0).toObject(),
            line,
        };
        const QStringList keys{"manufacturer", "path",     "product", "productId",
                               "serial",       "vendorId", "version"};
        for (const QJsonObject &document : described) {
            const QJsonObject device = document["device"].toObject();
            for (const QString &key : keys)
                QVERIFY2(device.contains(key), qPrintable(key));
            QCOMPARE(device["vendorId"].toString(), QStringLiteral("1abe"));
        }
    }

    void backupThatCannotBeWrittenStopsTheDownload()
    {
        fillArea(5);
        // A file where the backups folder would be.
        QVERIFY(QDir().mkpath(tarvenix::dataFolder()));
        QFile::rename(tarvenix::backupsFolder(), dir.filePath("backups.moved"));
        testfiles::write(tarvenix::backupsFolder(), "not a folder");
        const int linesBefore = historyLines();
        const cli::Run r = cli::run({"data", file("data.bin", testfiles::pattern(kBlock, 6))});
        QFile::remove(tarvenix::backupsFolder());
        QFile::rename(dir.filePath("backups.moved"), tarvenix::backupsFolder());
        QCOMPARE(r.exitCode, 5);
        QVERIFY2(r.err.startsWith("Download data did not start: the backup of the device's "
                                  "data area failed") &&
                     r.err.contains("The device is unchanged.") && r.err.contains("--no-backup"),
                 qPrintable(r.err));
        QCOMPARE(historyLines(), linesBefore + 1);
        const QJsonObject line = lastHistoryLine();
        QCOMPARE(line["result"].toString(), QStringLiteral("failed"));
        QCOMPARE(line["failure"].toObject()["code"].toString(),
                 QStringLiteral("target-unwritable"));
        QCOMPARE(line["failure"].toObject()["phase"].toString(), QStringLiteral("backup"));
        QVERIFY(line["backup"].isNull());
    }

    void droppedBlockIsCaughtByTheVerify()
    {
        fillArea(7);
        // The version query and the read-out come first; the tenth packet is lost.
        emu::fault(id, QStringLiteral("drop at=%1").arg(1 + kAreaBlocks + 10));
        const cli::Run r = cli::run({"data", file("data.bin", testfiles::pattern(32 * kBlock, 8))});
        QCOMPARE(r.exitCode, 7);
        const QString backup = tarvenix::listBackups().constLast().path;
        QVERIFY2(r.err.contains("Download data failed in the verify, at block 10 of 32: the "
                                "device holds data that differs from") &&
                     r.err.contains(backup),
                 qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        const QJsonObject line = lastHistoryLine();
        QCOMPARE(line["result"].toString(), QStringLiteral("failed"));
        QCOMPARE(line["backup"].toString(), backup);
        const QJsonObject failure = line["failure"].toObject();
        QCOMPARE(failure["code"].toString(), QStringLiteral("mismatch"));
        QCOMPARE(failure["phase"].toString(), QStringLiteral("verify"));
        QCOMPARE(failure["block"].toInt(), 10);
        QCOMPARE(failure["blocks"].toInt(), 32);
    }

    // A line it cannot read is left out of the list, and said to be on stderr.
    void historySaysWhatItLeftOut()
    {
        QVERIFY(cli::run({"save", dir.filePath("listed.bin")}).exitCode == 0);
        QFile history(tarvenix::historyPath());
        QVERIFY(history.open(QIODevice::Append) && history.write("{\"cut\n"));
        history.close();
        const cli::Run r = cli::run({"history", "--limit", "1"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains("listed.bin"), r.out);
        QCOMPARE(r.err, QStringLiteral("Lines of the history that could not be read were left "
                                       "out: 1.\n"));
    }

    // On a terminal the question comes first, naming the device safely (a product string
    // that would retitle the terminal, a serial that would move the cursor up); without a
    // terminal a script goes on unasked.
    void firmwareAsksOnATerminalOnly()
    {
        const QString script = QStandardPaths::findExecutable("script");
        QVERIFY2(!script.isEmpty(), "script(1) is not installed");
        emu::release(id);
        id = emu::add("product=P\x1b]0;T\x07 serial=S\x1b[1A");
        const QByteArray image = testfiles::pattern(8 * kBlock, 9);
        const QString path = file("fw.bin", image);
        const QString sha = QString::fromLatin1(
            QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex().left(12));
        QProcess p;
        p.start(QStringLiteral("sh"),
                {"-c", QStringLiteral("echo n | '%1' -qec \"'%2' firmware '%3'\" /dev/null")
                           .arg(script, QStringLiteral(TARVENIX_CLI), path)});
        QVERIFY(p.waitForFinished(30000));
        const QString tty = QString::fromLocal8Bit(p.readAll());
        QCOMPARE(p.exitCode(), 9);
        QVERIFY2(tty.contains(QStringLiteral("File: %1, 4096 bytes, SHA-256 %2").arg(path, sha)) &&
                     tty.contains("1abe:2202") && tty.contains("version \"TVX-EMU 1.1.0\"") &&
                     tty.contains("P\\x1b]0;T\\x07 (1abe:2202, serial S\\x1b[1A)") &&
                     !tty.contains("\x1b]") && !tty.contains("\x1b[1A") &&
                     tty.contains("Do not unplug the device") && tty.contains("[y/N]") &&
                     tty.contains("nothing was sent"),
                 qPrintable(tty));
        QCOMPARE(emu::stats(id).firmwareSize, 0);

        const cli::Run r = cli::run({"firmware", path});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(emu::firmware(id), image);
        QVERIFY(!r.out.contains("Download this firmware"));
    }
};

QTEST_GUILESS_MAIN(TestCliSafety)
#include "test_cli_safety.moc"
