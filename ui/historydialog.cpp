#include "ui/historydialog.h"

#include "userfiles/history.h"
#include "words/results.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// How many of the history's last entries the table shows.
constexpr int kHistoryRows = 50;

} // namespace

HistoryDialog::HistoryDialog(QWidget *window) : QDialog(window)
{
    int skipped = 0;
    const QVector<QJsonObject> entries = tarvenix::readHistory(kHistoryRows, &skipped);
    setWindowTitle(tr("History"));
    auto *table = new QTableWidget(entries.size(), 6, this);
    table->setHorizontalHeaderLabels({tr("Time"), tr("Transfer"), tr("Result"), tr("File"),
                                      tr("Device"), tr("Backup, or what failed")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    // The newest first, in the user's words.
    for (int r = 0; r < entries.size(); ++r) {
        const QStringList cells = tarvenix::historyColumns(entries[entries.size() - 1 - r]);
        for (int c = 0; c < cells.size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(table);
    if (skipped > 0)
        layout->addWidget(new QLabel(tarvenix::historySkippedNote(skipped), this));
    resize(760, 320);
}
