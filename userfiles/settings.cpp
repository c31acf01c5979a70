#include "userfiles/settings.h"

#include <QSettings>

namespace tarvenix {

namespace {

// Named here rather than taken from the application, so that every program (and test)
// that asks reads the same file.
const QString kName = QStringLiteral("tarvenix");

QVariant read(const QString &key, const QVariant &fallback)
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, kName, kName)
        .value(key, fallback);
}

void write(const QString &key, const QVariant &value)
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, kName, kName).setValue(key, value);
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

QString savedLanguage()
{
    return read(kLanguage, QString()).toString();
}

void saveLanguage(const QString &name)
{
    write(kLanguage, name);
}

} // namespace tarvenix
