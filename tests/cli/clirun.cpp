#include "clirun.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace cli {

Run run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(TARVENIX_CLI), arguments);
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

QByteArray pattern(int size, int seed)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 29 + seed + i / 512 * 3) & 0xff);
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write %1").arg(path)), __FILE__, __LINE__);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace cli
