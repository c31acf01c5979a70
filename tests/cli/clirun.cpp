#include "clirun.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QTest>

namespace cli {

namespace {

Run finish(QProcess &process)
{
    Run r;
    // Longer than the 8-second bound on one reply, which one test waits out.
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        QTest::qFail("tarvenix-cli did not end within 30 s", __FILE__, __LINE__);
        return r;
    }
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    r.err = QString::fromLocal8Bit(process.readAllStandardError());
    return r;
}

} // namespace

Run run(const QStringList &arguments, const std::function<void()> &meanwhile)
{
    QProcess process;
    process.start(QStringLiteral(TARVENIX_CLI), arguments);
    if (meanwhile && process.waitForStarted())
        meanwhile();
    return finish(process);
}

Run runIn(const QString &workDir, const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(workDir);
    process.start(program, arguments);
    return finish(process);
}

Run runShell(const QString &commandLine)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CLI"), QStringLiteral(TARVENIX_CLI));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral("sh"), {QStringLiteral("-c"), commandLine});
    return finish(process);
}

QJsonObject document(const QByteArray &out)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(out, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        QTest::qFail(qPrintable(error.errorString() + ": " + out), __FILE__, __LINE__);
    return doc.object();
}

} // namespace cli
