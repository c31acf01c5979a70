#include "ui/historydialog.h"

#include "userfiles/history.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// How many of the history's last entries the table shows.
constexpr int kHistoryRows = 50;

// The history's words for a transfer and its result, as the table shows them.
const char *const kHistoryWords[] = {
    QT_TRANSLATE_NOOP("HistoryDialog", "firmware"), QT_TRANSLATE_NOOP("HistoryDialog", "data"),
    QT_TRANSLATE_NOOP("HistoryDialog", "save"),     QT_TRANSLATE_NOOP("HistoryDialog", "ok"),
    QT_TRANSLATE_NOOP("HistoryDialog", "failed"),
};

QString shownWord(const QString &word)
{
    for (const char *known : kHistoryWords) {
        if (word == QLatin1String(known))
            return HistoryDialog::tr(known);
    }
    return word;
}

} // namespace

HistoryDialog::HistoryDialog(QWidget *window) : QDialog(window)
{
    const QVector<QJsonObject> entries = tarvenix::readHistory(kHistoryRows);
    setWindowTitle(tr("History"));
    auto *table = new QTableWidget(entries.size(), 6, this);
    table->setHorizontalHeaderLabels({tr("Time"), tr("Transfer"), tr("Result"), tr("File"),
                                      tr("Device"), tr("Backup, or what failed")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // The newest first.
    for (int r = 0; r < entries.size(); ++r) {
        const QStringList cells = tarvenix::historyColumns(entries[entries.size() - 1 - r]);
        for (int c = 0; c < cells.size(); ++c)
            table->setItem(r, c,
                           new QTableWidgetItem(c == 1 || c == 2 ? shownWord(cells[c]) : cells[c]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    resize(760, 320);
}
