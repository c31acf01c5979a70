// tarvenix-cli's help, usage errors, list, version, --device, the device
// lock and the trace, against the emulated device.

#include "clirun.h"
#include "device/devicelock.h"
#include "support/emu.h"
#include "support/files.h"
#include "words/failures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using tarvenix::DeviceLock;
using tarvenix::FailureCode;
using tarvenix::refusalMessage;

class TestCliCommands : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<int> ids;

  private slots:
    void cleanup() { emu::releaseAll(ids); }

    void helpNamesCommandsAndExitCodes()
    {
        const cli::Run r = cli::run({"--help"});
        QCOMPARE(r.exitCode, 0);
        const QString help = QString::fromLocal8Bit(r.out);
        for (const char *word :
             {"list", "version", "firmware FILE", "data FILE", "save FILE", "verify FILE",
              "--device", "--json", "--quiet", "--trace", "--force", "--verify", "--record",
              "\".bin\" is", "--all", "--product", "--serial", "--version", "doctor"})
            QVERIFY2(help.contains(QLatin1String(word)), word);
        for (int code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10})
            QVERIFY2(help.contains(QRegularExpression(QStringLiteral("\\n  %1 +\\w").arg(code))),
                     qPrintable(QString::number(code)));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("reason");
        QTest::newRow("unknown option") << QStringList{"version", "--bogus"} << "bogus";
        QTest::newRow("no command") << QStringList{} << "No command";
        QTest::newRow("unknown command") << QStringList{"flash", "x.bin"} << "\"flash\"";
        QTest::newRow("file missing") << QStringList{"firmware"} << "needs a file";
        QTest::newRow("extra argument") << QStringList{"version", "x"} << "Too many";
        QTest::newRow("serial empty") << QStringList{"version", "--serial", ""} << "--serial";
        QTest::newRow("serial with device")
            << QStringList{"version", "--serial", "S", "--device", "/dev/x"} << "--serial";
        QTest::newRow("verify on firmware")
            << QStringList{"firmware", "f", "--verify"} << "--verify";
        QTest::newRow("force on data") << QStringList{"data", "f", "--force"} << "--force";
        QTest::newRow("device on list") << QStringList{"list", "--device", "/dev/x"} << "--device";
        QTest::newRow("device without path") << QStringList{"version", "--device"} << "device";
        // An unset variable in a script: "--device $DEV".
        QTest::newRow("empty device path")
            << QStringList{"firmware", "f.bin", "--device", ""} << "--device needs the path";
        QTest::newRow("record-paths alone")
            << QStringList{"version", "--record-paths"} << "--record only";
        QTest::newRow("capture is the file")
            << QStringList{"save", "x.bin", "--record", "./x.bin"} << "own file";
        QTest::newRow("capture is the file with .bin")
            << QStringList{"save", "x", "--record", "x.bin"} << "own file";
        QTest::newRow("all on list") << QStringList{"list", "--all"} << "--all";
        QTest::newRow("all with device")
            << QStringList{"version", "--all", "--device", "/dev/x"} << "--all takes every";
        QTest::newRow("same device twice")
            << QStringList{"version", "--device", "/dev/x", "--device", "/dev/x"}
            << "more than once";
        QTest::newRow("product not hex")
            << QStringList{"version", "--all", "--product", "1abe-2202"} << "--product";
    }

    void usageErrors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, reason);
        const int id = emu::addTo(ids);
        const cli::Run r = cli::run(arguments);
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        QVERIFY2(r.err.contains("tarvenix-cli --help"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
        QCOMPARE(emu::stats(id).requests, 0);
    }

    void listShowsRowsPathsAndStrings()
    {
        emu::addTo(ids, "page=ff00"); // same ids, another interface: not a pressure mouse's reports
        const int row5 =
            emu::addTo(ids, "vid=abcd pid=2204 manufacturer=Maker B,product=Mouse B,serial=S5");
        const int row1 = emu::addTo(ids, "vid=1abe pid=2202 serial=S1");
        const cli::Run r = cli::run({"list"});
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = QString::fromLocal8Bit(r.out).trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        // Table order, not adding order.
        QCOMPARE(lines[0], QStringLiteral("row 1  1abe:2202  page 0002 usage 0001  %1  Tarvenix, "
                                          "Pressure Mouse, serial S1")
                               .arg(emu::stats(row1).node));
        QCOMPARE(lines[1], QStringLiteral("row 5  abcd:2204  page 0002 usage 0001  %1  Maker B, "
                                          "Mouse B, serial S5")
                               .arg(emu::stats(row5).node));
        QCOMPARE(emu::stats(row1).requests, 0);
    }

    // Each device's identity in a capture of its own, named after its serial as save --all
    // names its files: two serials that make the same name get two names.
    void listRecordsEachDevice()
    {
        emu::addTo(ids, "vid=1abe pid=2202 serial=a/b");
        emu::addTo(ids, "vid=1abe pid=2202 serial=a_b");
        emu::addTo(ids, "vid=abcd pid=2204 serial=S 5");
        QCOMPARE(cli::run({"list", "--record", dir.filePath("list.jsonl")}).exitCode, 0);
        const QByteArray first = testfiles::read(dir.filePath("list-a_b.jsonl"));
        QVERIFY2(first.contains("\"serial\":\"a/b\"") && !first.contains("\"serial\":\"a_b\""),
                 first);
        QVERIFY(testfiles::read(dir.filePath("list-a_b-2.jsonl")).contains("\"serial\":\"a_b\""));
        const QByteArray third = testfiles::read(dir.filePath("list-S_5.jsonl"));
        QVERIFY(third.contains("\"productId\":\"2204\""));
        // A command without a file names no file.
        QVERIFY2(third.contains("\"command\":\"list --record FILE\""), third);
        QVERIFY(!QFile::exists(dir.filePath("list.jsonl")));
    }

    void listJsonParses()
    {
        const int row2 = emu::addTo(ids, "vid=6a3a pid=2202 serial=S2");
        const cli::Run r = cli::run({"list", "--json"});
        QCOMPARE(r.exitCode, 0);
        const QJsonArray devices = cli::document(r.out).value("devices").toArray();
        QCOMPARE(devices.size(), 1);
        const QJsonObject d = devices[0].toObject();
        QCOMPARE(d.value("row").toInt(), 2);
        QCOMPARE(d.value("vendorId").toString(), QStringLiteral("6a3a"));
        QCOMPARE(d.value("productId").toString(), QStringLiteral("2202"));
        QCOMPARE(d.value("usagePage").toString(), QStringLiteral("0002"));
        QCOMPARE(d.value("usage").toString(), QStringLiteral("0001"));
        QCOMPARE(d.value("path").toString(), emu::stats(row2).node);
        QCOMPARE(d.value("manufacturer").toString(), QStringLiteral("Tarvenix"));
        QCOMPARE(d.value("product").toString(), QStringLiteral("Pressure Mouse"));
        QCOMPARE(d.value("serial").toString(), QStringLiteral("S2"));
    }

    // hidapi decodes a device's strings with the C library: under C the programs make its
    // character type UTF-8, else "äöü" came out empty. Nor need the strings be UTF-8: hidapi
    // gives an empty string for one with a byte that is not (Latin-1 "M\xe4ker"), and numbers
    // past Unicode for sequences glibc still decodes: those come out as U+FFFD, never as
    // stray bytes or surrogates.
    void listStringsInTheCLocale()
    {
        const int umlauts = emu::addTo(ids, QStringLiteral("product=Drucksensor-Maus äöü"));
        const int bad = emu::addTo(ids, "manufacturer=M\\xe4ker,product=Pad \\xf4\\x90\\x80\\x80,"
                                        "serial=S\\xfd\\xbf\\xbf\\xbf\\xbf\\xbf1");
        const cli::Run text = cli::runShell("LC_ALL=C \"$CLI\" list");
        QCOMPARE(text.exitCode, 0);
        const QString row = QStringLiteral("row 1  1abe:2202  page 0002 usage 0001  %1  %2\n");
        QCOMPARE(text.out, (row.arg(emu::stats(umlauts).node,
                                    "Tarvenix, Drucksensor-Maus äöü, serial EMU0001") +
                            row.arg(emu::stats(bad).node, ", Pad \uFFFD, serial S\uFFFD1"))
                               .toUtf8());
        const cli::Run json = cli::runShell("LC_ALL=C \"$CLI\" list --json");
        QCOMPARE(json.exitCode, 0);
        const QJsonArray devices = cli::document(json.out).value("devices").toArray();
        QCOMPARE(devices[0].toObject().value("product").toString(),
                 QStringLiteral("Drucksensor-Maus äöü"));
        const QJsonObject d = devices[1].toObject();
        QCOMPARE(d.value("manufacturer").toString(), QString());
        QCOMPARE(d.value("product").toString(), QStringLiteral("Pad \uFFFD"));
        QCOMPARE(d.value("serial").toString(), QStringLiteral("S\uFFFD1"));
    }

    void noDevice_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("list") << QStringList{"list"};
        QTest::newRow("version") << QStringList{"version"};
        QTest::newRow("save") << QStringList{"save", "nothing.bin"};
    }

    void noDevice()
    {
        QFETCH(QStringList, arguments);
        emu::addTo(ids, "page=ff00");
        if (arguments.size() > 1)
            arguments[1] = dir.filePath(arguments[1]);
        const cli::Run r = cli::run(arguments);
        QCOMPARE(r.exitCode, 3);
        QVERIFY2(r.err.contains("Plug the pressure mouse in"), qPrintable(r.err));
        QVERIFY(!QFile::exists(dir.filePath("nothing.bin")));
    }

    void listJsonWithoutDevice()
    {
        const cli::Run r = cli::run({"list", "--json"});
        QCOMPARE(r.exitCode, 3);
        QCOMPARE(cli::document(r.out).value("devices").toArray().size(), 0);
    }

    void versionText()
    {
        const int id = emu::addTo(ids, "version=TVX 2.5");
        const cli::Run r = cli::run({"version"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("TVX 2.5\n"));
        // No trace without --trace.
        QVERIFY2(r.err.isEmpty(), qPrintable(r.err));
        QCOMPARE(emu::stats(id).requests, 1);
    }

    // ESC [ 3 1 m would turn a terminal red; a newline would fake a second line. A backslash
    // is the device's own.
    void versionTextIsEscaped()
    {
        const int id = emu::addTo(ids);
        emu::command(QStringLiteral("versionhex %1 411b5b33316d0a5c42").arg(id));
        const cli::Run r = cli::run({"version"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("A\\x1b[31m\\x0a\\B\n"));
        QCOMPARE(cli::document(cli::run({"version", "--json"}).out).value("version"),
                 QStringLiteral("A\x1b[31m\n\\B"));
    }

    // As command-line tools do: the reason on stderr, and an exit code of its own.
    void resultThatCannotBeWrittenFails()
    {
        emu::addTo(ids);
        const cli::Run r = cli::runShell("\"$CLI\" list >/dev/full");
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(r.err.contains("writing to standard output failed: No space left on device"),
                 qPrintable(r.err));
    }

    void versionJson()
    {
        const int id = emu::addTo(ids, "vid=abcd pid=2203 version=TVX-J 3");
        const cli::Run r = cli::run({"--json", "version"});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject o = cli::document(r.out);
        QCOMPARE(o.value("version").toString(), QStringLiteral("TVX-J 3"));
        QCOMPARE(o.value("path").toString(), emu::stats(id).node);
        QCOMPARE(o.value("row").toInt(), 3);
    }

    void traceShowsExchanges()
    {
        emu::addTo(ids);
        const cli::Run r = cli::run({"version", "--trace"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.err.contains("write ok:") && r.err.contains("Read ok: 1 2 8 0 3 0 0 2"),
                 qPrintable(r.err));
    }

    void versionFailsAsTheDeviceDid_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("words");
        QTest::newRow("silent") << "silent"
                                << "did not answer the version query";
        QTest::newRow("empty reply") << "short n=0"
                                     << "answered the version query with an empty report";
    }

    void versionFailsAsTheDeviceDid()
    {
        QFETCH(QString, fault);
        QFETCH(QString, words);
        emu::fault(emu::addTo(ids), fault);
        const cli::Run r = cli::run({"version"});
        QCOMPARE(r.exitCode, 6);
        QVERIFY2(r.err.contains(words) && r.err.contains("check the device"), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void deviceOptionPicksOneOfTwo()
    {
        const int first = emu::addTo(ids, "version=TVX A");
        const int second = emu::addTo(ids, "version=TVX B");
        const QString secondNode = emu::stats(second).node;
        QCOMPARE(cli::run({"version"}).out, QByteArray("TVX A\n"));
        QCOMPARE(cli::run({"version", "--device", secondNode}).out, QByteArray("TVX B\n"));
        emu::command(QStringLiteral("clear %1").arg(first));
        const QByteArray image = testfiles::pattern(8 * 512, 5);
        const QString file = testfiles::write(dir.filePath("two.bin"), image);
        const cli::Run r = cli::run({"firmware", file, "--device", secondNode});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(emu::firmware(second), image);
        QCOMPARE(emu::stats(first).requests, 0);
    }

    void deviceOptionWithoutSuchDevice()
    {
        const int decoy = emu::addTo(ids, "page=ff00");
        emu::addTo(ids);
        const cli::Run r = cli::run({"version", "--device", emu::stats(decoy).node});
        QCOMPARE(r.exitCode, 3);
        QVERIFY2(r.err.contains(emu::stats(decoy).node) && r.err.contains("tarvenix-cli list"),
                 qPrintable(r.err));
    }

    // flock(1) holds the lock the way another program of ours would, run by another user
    // or from another shell: the lock is the device's, whatever the environment says.
    void busyWhenAnotherProcessHoldsTheDevice()
    {
        const int id = emu::addTo(ids);
        const QString node = emu::stats(id).node;
        QProcess holder;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", dir.path());
        holder.setProcessEnvironment(env);
        holder.start("flock", {node, "cat"});
        QVERIFY(holder.waitForStarted());
        QTRY_VERIFY(!DeviceLock(node).acquired());
        const QString file =
            testfiles::write(dir.filePath("busy.bin"), testfiles::pattern(2048, 1));
        for (const QStringList &arguments :
             {QStringList{"firmware", file}, QStringList{"version"}, QStringList{"verify", file}}) {
            const cli::Run r = cli::run(arguments);
            QCOMPARE(r.exitCode, 4);
            QCOMPARE(r.err.trimmed(), refusalMessage({FailureCode::Busy, {}}, QString()));
        }
        QCOMPARE(emu::stats(id).requests, 0);
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished());
        QCOMPARE(cli::run({"firmware", file}).exitCode, 0);
        // The version asked before and after the four packets.
        QCOMPARE(emu::stats(id).requests, 1 + 4 + 1);
    }
};

QTEST_GUILESS_MAIN(TestCliCommands)
#include "test_cli_commands.moc"
