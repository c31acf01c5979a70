// Linked into every test program: before the test starts, the user's folders for data, state
// and settings (and home) point into a temporary folder of this run, so that no test reads
// or writes a user's real backups, history or settings. Programs the test starts inherit it.

#include <QCoreApplication>
#include <QTemporaryDir>

namespace {

void isolateUserFiles()
{
    static QTemporaryDir home;
    for (const char *name : {"XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_CONFIG_HOME", "HOME"})
        qputenv(name, QFile::encodeName(home.filePath(QString::fromLatin1(name))));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(isolateUserFiles)
