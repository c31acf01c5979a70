#include "ui/windowmenu.h"

#include "ui/historydialog.h"
#include "ui/mainwindow.h"
#include "userfiles/backups.h"
#include "userfiles/settings.h"

#include <QActionGroup>
#include <QDesktopServices>
#include <QDir>
#include <QSignalBlocker>
#include <QUrl>

using tarvenix::Safety;

namespace {

// The menu in the window's own colours: its dark face and the green of its words; the
// check marks stay the style's own.
const char kMenuStyle[] = "QMenu { background: rgb(36, 35, 38); color: rgb(225, 225, 225); "
                          "border: 1px solid rgb(72, 72, 76); padding: 4px 0; }"
                          "QMenu::item { padding: 4px 24px 4px 28px; }"
                          "QMenu::item:selected { background: rgb(56, 56, 60); "
                          "color: rgb(141, 254, 3); }"
                          "QMenu::item:disabled { color: rgb(120, 120, 124); }"
                          "QMenu::separator { height: 1px; background: rgb(72, 72, 76); "
                          "margin: 4px 8px; }";

struct SafetyEntry {
    Safety which;
    const char *text;
};

const SafetyEntry kSafetyEntries[] = {
    {Safety::BackupBeforeData, QT_TRANSLATE_NOOP("WindowMenu", "Back up before a data download")},
    {Safety::VerifyAfterData, QT_TRANSLATE_NOOP("WindowMenu", "Verify after a data download")},
    {Safety::AskBeforeFirmware, QT_TRANSLATE_NOOP("WindowMenu", "Ask before a firmware download")},
};

// Each language by its own name, which a reader of it finds whatever the window's language.
struct Language {
    const char *code; // empty: the system's
    QString name;
};

const Language kLanguages[] = {
    {"en", QStringLiteral("English")},
    {"de", QStringLiteral("Deutsch")},
    {"zh_CN", QStringLiteral("简体中文")},
};

} // namespace

WindowMenu::WindowMenu(MainWindow *window) : QMenu(window), window(window)
{
    setStyleSheet(QLatin1String(kMenuStyle));
    connect(addAction(tr("Backups…")), &QAction::triggered, this, &WindowMenu::showBackups);
    connect(addAction(tr("History…")), &QAction::triggered, this,
            [window] { HistoryDialog(window).exec(); });
    addSeparator();
    addSafetyEntries();
    addSeparator();
    addLanguageMenu();
}

void WindowMenu::showBackups()
{
    const QString folder = tarvenix::backupsFolder();
    QDir().mkpath(folder);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
        window->warn(tr("No program to show folders was found. The backups are in \"%1\".")
                         .arg(QDir::toNativeSeparators(folder)));
}

void WindowMenu::addSafetyEntries()
{
    for (const SafetyEntry &entry : kSafetyEntries) {
        QAction *action = addAction(tr(entry.text));
        action->setCheckable(true);
        const Safety which = entry.which;
        connect(action, &QAction::toggled, this, [which](bool on) { setSafetyOn(which, on); });
        // Read afresh each time: another window may have changed it meanwhile.
        connect(this, &QMenu::aboutToShow, action, [action, which] {
            const QSignalBlocker quiet(action);
            action->setChecked(tarvenix::safetyOn(which));
        });
    }
}

void WindowMenu::addLanguageMenu()
{
    QMenu *menu = addMenu(tr("Language"));
    auto *group = new QActionGroup(menu);
    QVector<Language> languages{{"", tr("The system's language")}};
    for (const Language &language : kLanguages)
        languages << language;
    for (const Language &language : languages) {
        QAction *action = menu->addAction(language.name);
        action->setCheckable(true);
        action->setActionGroup(group);
        const QString code = QString::fromLatin1(language.code);
        connect(action, &QAction::triggered, this, [code] { tarvenix::saveLanguage(code); });
        connect(menu, &QMenu::aboutToShow, action,
                [action, code] { action->setChecked(tarvenix::savedLanguage() == code); });
    }
    menu->addSeparator();
    menu->addAction(tr("Takes effect at the next start"))->setEnabled(false);
}
