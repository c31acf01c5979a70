#pragma once
// One row of six progress arrows: how far a transfer has come, shown by lighting the
// arrows one by one. The row keeps its own count of lit arrows; their style sheets
// only show it.

#include <QObject>
#include <QPoint>
#include <QString>
#include <array>
#include <bitset>

class QPushButton;
class QWidget;

// The arrows' looks once a transfer has touched their row.
extern const QString kArrowUnlitStyle;
extern const QString kArrowLitStyle;

class ArrowRow : public QObject {
    Q_OBJECT
  public:
    using Arrows = std::array<QPushButton *, 6>;

    // Makes the six arrows on the window at these places, left to right, in their first look.
    ArrowRow(QWidget *window, const std::array<QPoint, 6> &places);

    const Arrows &arrows() const { return buttons; }
    // How many of the arrows are lit: 0 to 6.
    int step() const { return int(lit.count()); }
    // Lights arrow `code`, 1 to 6; any other code changes nothing.
    void light(int code);
    // Every arrow unlit, for a new file or a new transfer.
    void unlight();

  signals:
    void stepChanged(int step);

  private:
    Arrows buttons{};
    std::bitset<6> lit;
};
