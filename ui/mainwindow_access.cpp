// The window for a screen reader and from the keyboard: names and descriptions
// of the commands, what the indicators, the version line and the progress
// arrows show, and the focus frame over the commands.

#include "ui/focusframe.h"
#include "ui/mainwindow.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTextDocument> // Qt::convertFromPlainText
#include <algorithm>

namespace {

// Translated where they are used, once the user's language is known.
struct Command {
    const char *name;
    const char *description; // empty: the button explains itself (minimise)
};

// In the order of creation: close, minimise, load and run firmware, load and
// run data, save.
const std::array<Command, 7> kCommands = {{
    {QT_TRANSLATE_NOOP("MainWindow", "Close"),
     QT_TRANSLATE_NOOP("MainWindow", "End the program, after asking")},
    {QT_TRANSLATE_NOOP("MainWindow", "Minimise"), ""},
    {QT_TRANSLATE_NOOP("MainWindow", "Load firmware file"),
     QT_TRANSLATE_NOOP("MainWindow",
                       "Choose the firmware image (.bin) to download into the device")},
    {QT_TRANSLATE_NOOP("MainWindow", "Run firmware download"),
     QT_TRANSLATE_NOOP("MainWindow", "Download the chosen firmware image into the device")},
    {QT_TRANSLATE_NOOP("MainWindow", "Load data file"),
     QT_TRANSLATE_NOOP("MainWindow",
                       "Choose the data image (.bin) to download into the device's data area")},
    {QT_TRANSLATE_NOOP("MainWindow", "Run data download"),
     QT_TRANSLATE_NOOP("MainWindow", "Download the chosen data image into the device's data area")},
    {QT_TRANSLATE_NOOP("MainWindow", "Save device data"),
     QT_TRANSLATE_NOOP("MainWindow", "Read the device's whole data area and save it to a file")},
}};

// The two Run commands' places in the list.
constexpr size_t kRunFirmware = 3;
constexpr size_t kRunData = 5;

struct ProgressRow {
    QString name;
    const ArrowRow *row;
};

std::array<ProgressRow, 3> progressRows(const MainWindow &window)
{
    return {{{QCoreApplication::translate("MainWindow", "Firmware progress"), &window.fwArrows()},
             {QCoreApplication::translate("MainWindow", "Data progress"), &window.dataArrows()},
             {QCoreApplication::translate("MainWindow", "Save progress"), &window.saveArrows()}}};
}

// The arrow's place in its row, 0 to 5, or -1 when it is not one of the row's.
int placeIn(const ArrowRow &row, const QObject *arrow)
{
    const auto found = std::find(row.arrows().begin(), row.arrows().end(), arrow);
    return found == row.arrows().end() ? -1 : int(found - row.arrows().begin());
}

// The row the arrow belongs to, or null.
const ProgressRow *rowOf(const std::array<ProgressRow, 3> &rows, const QObject *arrow)
{
    for (const ProgressRow &row : rows) {
        if (placeIn(*row.row, arrow) >= 0)
            return &row;
    }
    return nullptr;
}

// Each arrow reads as its row's progress: "Firmware progress, step 3 of 6".
class ArrowAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
  public:
    ArrowAccessible(QPushButton *arrow, const ProgressRow &row)
        : QAccessibleWidget(arrow, QAccessible::ProgressBar, row.name), row(*row.row)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return QCoreApplication::translate("MainWindow", "step %1 of 6").arg(row.step());
        if (t == QAccessible::Description)
            return QCoreApplication::translate("MainWindow", "Arrow %1 of 6")
                .arg(placeIn(row, widget()) + 1);
        return QAccessibleWidget::text(t);
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return row.step(); }
    void setCurrentValue(const QVariant &) override {}
    QVariant maximumValue() const override { return 6; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    const ArrowRow &row;
};

// The version line reads as what it says: "Version TVX-EMU 1.1.0".
class VersionAccessible : public QAccessibleWidget {
  public:
    explicit VersionAccessible(QPushButton *line) : QAccessibleWidget(line, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        const QString version = static_cast<QPushButton *>(widget())->text();
        return version.isEmpty()
                   ? QCoreApplication::translate("MainWindow", "Version not known")
                   : QCoreApplication::translate("MainWindow", "Version %1").arg(version);
    }
};

// The window's buttons that show something instead of doing it.
QAccessibleInterface *displayAccessible(const QString &, QObject *object)
{
    auto *button = qobject_cast<QPushButton *>(object);
    const auto *window = button ? qobject_cast<MainWindow *>(button->parentWidget()) : nullptr;
    if (!window)
        return nullptr;
    if (button == window->pushButtonConnected || button == window->pushButtonNotConnected)
        return new QAccessibleWidget(button, QAccessible::StaticText);
    if (button == window->pushButtonVersion)
        return new VersionAccessible(button);
    const auto rows = progressRows(*window);
    if (const ProgressRow *row = rowOf(rows, button))
        return new ArrowAccessible(button, *row);
    return nullptr;
}

// Tells screen readers when a row of arrows moves on.
void announceSteps(const ArrowRow &row)
{
    QObject::connect(&row, &ArrowRow::stepChanged, [&row](int step) {
        for (QPushButton *arrow : row.arrows()) {
            QAccessibleValueChangeEvent change(arrow, step);
            QAccessible::updateAccessibility(&change);
        }
    });
}

} // namespace

void MainWindow::makeAccessible(const std::array<QPushButton *, 7> &commands)
{
    static const bool factoryInstalled = (QAccessible::installFactory(displayAccessible), true);
    Q_UNUSED(factoryInstalled);
    for (size_t i = 0; i < commands.size(); ++i) {
        commands[i]->setAccessibleName(tr(kCommands[i].name));
        commands[i]->setAccessibleDescription(
            *kCommands[i].description ? tr(kCommands[i].description) : QString());
    }
    explainMinimise(commands[1]);
    pushButtonConnected->setAccessibleName(tr("Device connected"));
    pushButtonNotConnected->setAccessibleName(tr("Device not connected"));
    // The arrows only show progress; Tab moves between the commands and the
    // lines that say something.
    for (const ArrowRow *row : {fwRow, dataRow, saveRow}) {
        for (QPushButton *arrow : row->arrows())
            arrow->setFocusPolicy(Qt::NoFocus);
        announceSteps(*row);
    }
    auto *frame = new FocusFrame(this);
    for (QPushButton *button : findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (button->focusPolicy() != Qt::NoFocus)
            frame->watch(button);
    }
}

void MainWindow::showChosenFile(QPushButton *run, const QString &path)
{
    const QString what = tr(kCommands[run == runFWButton ? kRunFirmware : kRunData].description);
    if (path.isEmpty()) {
        run->setToolTip(QString());
        run->setAccessibleDescription(what);
        return;
    }
    const QFileInfo file(path);
    const QString chosen = tr("Chosen file: %1, %L2 bytes").arg(file.fileName()).arg(file.size());
    // A name may hold what a tool tip would read as rich text: given as rich text that
    // shows it as it is.
    run->setToolTip(Qt::convertFromPlainText(chosen));
    run->setAccessibleDescription(what + QLatin1Char('\n') + chosen);
}
