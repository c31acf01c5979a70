#pragma once
// The history of transfers as the window shows it: the last entries, newest first, in a
// table of time, transfer, result, file, device and the backup or what failed.

#include <QDialog>

class HistoryDialog : public QDialog {
    Q_OBJECT
  public:
    explicit HistoryDialog(QWidget *window);
};
