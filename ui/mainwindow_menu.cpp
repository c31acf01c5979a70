// The window's own menu, on a right-click on its background (or the menu key): the backups
// folder, the history of transfers, the three safety settings and the language. The tray's
// menu keeps its two entries. And at the start, the transfers that a crash ended.

#include "ui/mainwindow.h"

#include "userfiles/backups.h"
#include "userfiles/history.h"
#include "userfiles/settings.h"
#include "words/results.h"

#include <QActionGroup>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

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

// How many of the history's last entries the table shows.
constexpr int kHistoryRows = 50;

struct SafetyEntry {
    Safety which;
    const char *text;
};

const SafetyEntry kSafetyEntries[] = {
    {Safety::BackupBeforeData, QT_TRANSLATE_NOOP("MainWindow", "Back up before a data download")},
    {Safety::VerifyAfterData, QT_TRANSLATE_NOOP("MainWindow", "Verify after a data download")},
    {Safety::AskBeforeFirmware, QT_TRANSLATE_NOOP("MainWindow", "Ask before a firmware download")},
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

void MainWindow::createWindowMenu()
{
    windowMenu = new QMenu(this);
    windowMenu->setStyleSheet(QLatin1String(kMenuStyle));
    connect(windowMenu->addAction(tr("Backups…")), &QAction::triggered, this, [this] {
        const QString folder = tarvenix::backupsFolder();
        QDir().mkpath(folder);
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder)))
            warn(tr("No program to show folders was found. The backups are in \"%1\".")
                     .arg(QDir::toNativeSeparators(folder)));
    });
    connect(windowMenu->addAction(tr("History…")), &QAction::triggered, this,
            &MainWindow::showHistory);
    windowMenu->addSeparator();
    for (const SafetyEntry &entry : kSafetyEntries) {
        QAction *action = windowMenu->addAction(tr(entry.text));
        action->setCheckable(true);
        const Safety which = entry.which;
        connect(action, &QAction::toggled, this, [which](bool on) { setSafetyOn(which, on); });
        // Read afresh each time: another window may have changed it meanwhile.
        connect(windowMenu, &QMenu::aboutToShow, action, [action, which] {
            const QSignalBlocker quiet(action);
            action->setChecked(tarvenix::safetyOn(which));
        });
    }
    windowMenu->addSeparator();
    addLanguageMenu();
}

void MainWindow::addLanguageMenu()
{
    QMenu *menu = windowMenu->addMenu(tr("Language"));
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

void MainWindow::contextMenuEvent(QContextMenuEvent *event)
{
    windowMenu->popup(event->globalPos());
}

void MainWindow::showHistory()
{
    int skipped = 0;
    const QVector<QJsonObject> entries = tarvenix::readHistory(kHistoryRows, &skipped);
    QDialog dialog(this);
    dialog.setWindowTitle(tr("History"));
    auto *table = new QTableWidget(entries.size(), 6, &dialog);
    table->setHorizontalHeaderLabels({tr("Time"), tr("Transfer"), tr("Result"), tr("File"),
                                      tr("Device"), tr("Backup, or what failed")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // The newest first.
    for (int r = 0; r < entries.size(); ++r) {
        const QStringList cells = tarvenix::historyColumns(entries[entries.size() - 1 - r]);
        for (int c = 0; c < cells.size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    if (skipped > 0)
        layout->addWidget(new QLabel(tarvenix::historySkippedNote(skipped), &dialog));
    dialog.resize(760, 320);
    dialog.exec();
}

void MainWindow::tellInterruptedTransfers()
{
    for (const QJsonObject &end : tarvenix::recoverInterruptedTransfers())
        QMessageBox::warning(this, tr("Interrupted transfer"), tarvenix::interruptedMessage(end));
}
