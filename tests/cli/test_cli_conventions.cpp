// tarvenix-cli's conventions, as users of firmware and device tools expect them: --version,
// against the emulated device.

#include "clirun.h"
#include "platform/buildinfo.h"

#include <QtTest>

class TestCliConventions : public QObject {
    Q_OBJECT

  private slots:
    void versionNeedsNoDevice()
    {
        const cli::Run r = cli::run({"--version"});
        QCOMPARE(r.exitCode, 0);
        QVERIFY2(r.out.startsWith("tarvenix-cli " + QByteArray(tarvenix::kProgramVersion)),
                 r.out.constData());
        QCOMPARE(r.out.count('\n'), 1);
    }
};

QTEST_GUILESS_MAIN(TestCliConventions)
#include "test_cli_conventions.moc"
