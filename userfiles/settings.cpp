#include "userfiles/settings.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace tarvenix {

namespace {

// Named here rather than taken from the application, so that every program (and test)
// that asks reads the same file.
const QString kName = QStringLiteral("tarvenix");

// Where the settings come from: as Qt finds them, the user's own file only, or nowhere.
struct Store {
    enum { Native, OwnFile, Defaults } from = Native;
    QString ownFile;
    QString ignored;
};

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)

// Found before QSettings opens them: it would wait on a FIFO for ever, and read a device
// without end. Its own file and its lock, then the files it reads after it.
Store findStore()
{
    const QString own = kName + QLatin1Char('/') + kName + QStringLiteral(".conf");
    const QString shared = kName + QStringLiteral(".conf");
    const QString user = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QStringList files{user + QLatin1Char('/') + own, user + QLatin1Char('/') + own + ".lock",
                      user + QLatin1Char('/') + shared};
    QString system = qEnvironmentVariable("XDG_CONFIG_DIRS");
    for (const QString &dir : (system.isEmpty() ? QStringLiteral("/etc/xdg") : system)
                                  .split(QLatin1Char(':'), Qt::SkipEmptyParts))
        files << dir + QLatin1Char('/') + own << dir + QLatin1Char('/') + shared;
    for (int i = 0; i < files.size(); ++i) {
        const QFileInfo info(files[i]);
        if (info.exists() && !info.isFile())
            return {i < 2 ? Store::Defaults : Store::OwnFile, files[0], files[i]};
    }
    return {};
}

#else

Store findStore()
{
    return {};
}

#endif

const Store &store()
{
    static const Store found = findStore();
    return found;
}

std::unique_ptr<QSettings> openSettings()
{
    switch (store().from) {
    case Store::Native:
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, kName,
                                           kName);
    case Store::OwnFile:
        return std::make_unique<QSettings>(store().ownFile, QSettings::IniFormat);
    case Store::Defaults:
        break;
    }
    return nullptr;
}

QVariant read(const QString &key, const QVariant &fallback)
{
    const auto settings = openSettings();
    return settings ? settings->value(key, fallback) : fallback;
}

void write(const QString &key, const QVariant &value)
{
    if (const auto settings = openSettings())
        settings->setValue(key, value);
}

QString keyOf(Safety which)
{
    switch (which) {
    case Safety::BackupBeforeData:
        return QStringLiteral("safety/backupBeforeData");
    case Safety::VerifyAfterData:
        return QStringLiteral("safety/verifyAfterData");
    case Safety::AskBeforeFirmware:
        break;
    }
    return QStringLiteral("safety/askBeforeFirmware");
}

const QString kLanguage = QStringLiteral("window/language");

} // namespace

bool safetyOn(Safety which)
{
    return read(keyOf(which), true).toBool();
}

void setSafetyOn(Safety which, bool on)
{
    write(keyOf(which), on);
}

QString settingsFile()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kName, kName).fileName();
}

QString takeIgnoredSettings()
{
    static bool told = false;
    if (told)
        return QString();
    told = true;
    return store().ignored;
}

QString savedLanguage()
{
    return read(kLanguage, QString()).toString();
}

void saveLanguage(const QString &name)
{
    write(kLanguage, name);
}

} // namespace tarvenix
