#include "ui/arrowrow.h"

#include <QPushButton>

const QString kArrowUnlitStyle = QStringLiteral(
    "QPushButton::menu-indicator{image:none;}QPushButton{border-image: url(:/pics/箭头.png);}");
const QString kArrowLitStyle = QStringLiteral(
    "QPushButton::menu-indicator{image:none;}QPushButton{border-image: url(:/pics/箭头-亮.png);}");

namespace {

// The look before any transfer: hovering or pressing an arrow changes nothing.
const QString kArrowStyle =
    QStringLiteral("QPushButton{border-image: url(:/pics/箭头.png);}"
                   "QPushButton:hover{border-image: url(:/pics/箭头.png);}"
                   "QPushButton:pressed{border-image: url(:/pics/箭头.png);}");

const QSize kArrowSize(18, 21);

} // namespace

ArrowRow::ArrowRow(QWidget *window, const std::array<QPoint, 6> &places) : QObject(window)
{
    for (size_t i = 0; i < buttons.size(); ++i) {
        buttons[i] = new QPushButton(QString(), window);
        buttons[i]->setGeometry(QRect(places[i], kArrowSize));
        buttons[i]->setStyleSheet(kArrowStyle);
    }
}

void ArrowRow::light(int code)
{
    if (code < 1 || code > 6)
        return;
    buttons[code - 1]->setStyleSheet(kArrowLitStyle);
    lit.set(code - 1);
    emit stepChanged(step());
}

void ArrowRow::unlight()
{
    for (QPushButton *arrow : buttons)
        arrow->setStyleSheet(kArrowUnlitStyle);
    lit.reset();
    emit stepChanged(0);
}
