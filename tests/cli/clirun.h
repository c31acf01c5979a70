#pragma once
// Running the real tarvenix-cli as a child of a test inside the emulator's
// testbed, and the files it works on.

#include <QByteArray>
#include <QStringList>

namespace cli {

struct Run {
    int exitCode = -1;
    QByteArray out;
    QString err;
};

// Runs tarvenix-cli with these arguments and waits for it to end.
Run run(const QStringList &arguments);

} // namespace cli
