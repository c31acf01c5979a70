// tarvenix-cli's conventions, as users of firmware and device tools expect them: --version,
// one JSON document per run, --serial, --yes on every command, version on every model, the
// doctor and the bash completion, against the emulated device.

#include "clirun.h"
#include "platform/buildinfo.h"
#include "support/emu.h"
#include "support/files.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

class TestCliConventions : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<int> ids;

    // The JSON entry of a check; of the device at `path` for a device's.
    static QJsonObject check(const QJsonObject &report, const QString &name,
                             const QString &path = QString())
    {
        for (const QJsonValue &c : report.value("checks").toArray()) {
            const QJsonObject o = c.toObject();
            if (o.value("check").toString() == name && o.value("path").toString() == path)
                return o;
        }
        return {};
    }

  private slots:
    void cleanup() { emu::releaseAll(ids); }

    void versionNeedsNoDevice()
    {
        const cli::Run r = cli::run({"--version"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith("tarvenix-cli " + QByteArray(tarvenix::kProgramVersion)),
                 r.out.constData());
        QCOMPARE(r.out.count('\n'), 1);
    }

    void jsonSaveIsOneDocument()
    {
        const int id = emu::addTo(ids);
        const QString file = dir.filePath("area.bin");
        const cli::Run r = cli::run({"--json", "save", file});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject o = cli::document(r.out);
        QCOMPARE(o.value("schema").toInt(), 1);
        QCOMPARE(o.value("result").toString(), QStringLiteral("ok"));
        QCOMPARE(o.value("exitCode").toInt(), 0);
        QCOMPARE(o.value("file").toString(), file);
        QCOMPARE(o.value("device").toObject().value("path").toString(), emu::stats(id).node);
        QCOMPARE(testfiles::read(file), emu::dataArea(id));
    }

    // The document comes on a failure too, with the message that stderr shows.
    void jsonFailureIsDocumented()
    {
        const int id = emu::addTo(ids);
        const QString file =
            testfiles::write(dir.filePath("other.bin"), testfiles::pattern(2048, 3));
        const cli::Run r = cli::run({"verify", file, "--json"});
        QCOMPARE(r.exitCode, 7);
        const QJsonObject o = cli::document(r.out);
        QCOMPARE(o.value("result").toString(), QStringLiteral("failed"));
        QCOMPARE(o.value("exitCode").toInt(), 7);
        QCOMPARE(o.value("block").toInt(), 1);
        QCOMPARE(o.value("blocks").toInt(), 4);
        QCOMPARE(o.value("phase").toString(), QStringLiteral("verify"));
        QCOMPARE(o.value("device").toObject().value("path").toString(), emu::stats(id).node);
        QVERIFY2(r.err.contains(o.value("message").toString()), qPrintable(r.err));
        // Refused before any device was found: no device in it.
        const cli::Run refused = cli::run({"--json", "--all", "verify", dir.filePath("none.bin")});
        QCOMPARE(refused.exitCode, 5);
        const QJsonObject none = cli::document(refused.out);
        QVERIFY(none.value("device").isNull());
        QCOMPARE(none.value("exitCode").toInt(), 5);
    }

    // The path changes when the device is plugged in again; its serial number does not.
    void serialFollowsTheDeviceAcrossPlugs()
    {
        emu::addTo(ids, "serial=OTHER version=TVX O");
        const int id = emu::addTo(ids, "version=TVX S");
        const QString before = emu::stats(id).node;
        emu::unplug(id);
        emu::plug(id);
        QVERIFY(emu::stats(id).node != before);
        const cli::Run r = cli::run({"--serial", "EMU0001", "version"});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("TVX S\n"));
    }

    void serialSharedByTwoDevicesIsRefused()
    {
        const int first = emu::addTo(ids);
        const int second = emu::addTo(ids);
        const cli::Run r = cli::run({"version", "--serial", "EMU0001"});
        QCOMPARE(r.exitCode, 2);
        QVERIFY2(r.err.contains(emu::stats(first).node) && r.err.contains(emu::stats(second).node),
                 qPrintable(r.err));
        QCOMPARE(emu::stats(first).requests + emu::stats(second).requests, 0);
    }

    // A script may give --yes to every call.
    void yesOnACommandThatAsksNothing()
    {
        emu::addTo(ids);
        const cli::Run r = cli::run({"--yes", "list"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.contains("EMU0001"), r.out.constData());
    }

    // Reading the version writes nothing, so every model may be read at once.
    void versionAllReadsEveryModel()
    {
        emu::addTo(ids, "serial=A version=TVX A");
        emu::addTo(ids, "vid=abcd pid=2204 serial=B version=TVX B");
        const cli::Run r = cli::run({"version", "--all", "--json"});
        QCOMPARE(r.exitCode, 0);
        QStringList versions;
        for (const QJsonValue &d : cli::document(r.out).value("devices").toArray())
            versions << d.toObject().value("device").toObject().value("version").toString();
        QCOMPARE(versions, QStringList({"TVX A", "TVX B"}));
    }

    // The emulator has no udev rule; its second device reports 64 bytes in and 65 out.
    void doctorNamesWhatIsMissing()
    {
        for (const char *folder : {"/etc/udev/rules.d", "/usr/lib/udev/rules.d"}) {
            if (QFile::exists(QString::fromLatin1(folder) + "/70-tarvenix.rules"))
                QSKIP("This machine has the udev rule installed.");
        }
        const int good = emu::addTo(ids);
        const int small =
            emu::addTo(ids, "serial=SMALL descriptor=05 02 09 01 a1 01 15 00 26 ff 00 75 08 "
                            "95 40 09 01 81 02 95 40 09 01 91 02 c0");
        const cli::Run r = cli::run({"doctor"});
        QCOMPARE(r.exitCode, 10);
        const QString text = QString::fromLocal8Bit(r.out);
        QVERIFY2(text.contains("FAIL  udev rule: 70-tarvenix.rules is not installed") &&
                     text.contains("sudo cp build/70-tarvenix.rules /etc/udev/rules.d/"),
                 qPrintable(text));
        QVERIFY2(r.err.contains("serial numbers"), qPrintable(r.err));
        const cli::Run json = cli::run({"doctor", "--json"});
        QCOMPARE(json.exitCode, 10);
        const QJsonObject report = cli::document(json.out);
        QCOMPARE(check(report, "udev-rule").value("ok"), QJsonValue(false));
        QCOMPARE(check(report, "report-sizes", emu::stats(good).node).value("ok"),
                 QJsonValue(true));
        const QJsonObject wrong = check(report, "report-sizes", emu::stats(small).node);
        QVERIFY2(wrong.value("detail").toString().contains("64 bytes in and 65 out"),
                 qPrintable(wrong.value("detail").toString()));
        QCOMPARE(report.value("devices").toArray().size(), 2);
    }

    // As bash calls it while a user presses Tab.
    void completionOffersCommandsAndSerials()
    {
        emu::addTo(ids, "serial=S 1");
        const QString script = QStringLiteral(
            ". '" TARVENIX_COMPLETION "'; cli='" TARVENIX_CLI "'\n"
            "COMP_WORDS=(\"$cli\" ''); COMP_CWORD=1; _tarvenix_cli; echo \"${COMPREPLY[*]}\"\n"
            "COMP_WORDS=(\"$cli\" --serial ''); COMP_CWORD=2; _tarvenix_cli; "
            "echo \"${COMPREPLY[*]}\"");
        const cli::Run r = cli::runIn(dir.path(), "bash", {"-c", script});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QByteArray("list version firmware data save verify backups history "
                                   "doctor\nS\\ 1\n"));
    }
};

QTEST_GUILESS_MAIN(TestCliConventions)
#include "test_cli_conventions.moc"
