#pragma once
// Running the real tarvenix-cli as a child of a test inside the emulator's
// testbed, and the files it works on.

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>
#include <functional>

namespace cli {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs tarvenix-cli with these arguments and waits for it to end, calling
// `meanwhile` (when given) while it runs.
Run run(const QStringList &arguments, const std::function<void()> &meanwhile = {});
// Runs any program in workDir and waits for it to end.
Run runIn(const QString &workDir, const QString &program, const QStringList &arguments);
// Runs a shell command line in which $CLI names tarvenix-cli: for arguments that are
// bytes rather than text, which QProcess cannot pass.
Run runShell(const QString &commandLine);
// The whole of a run's standard output as one JSON document: the test fails when it is not
// one object (a second document would not parse).
QJsonObject document(const QByteArray &out);

} // namespace cli
