// The window as a screen reader reads it (through QAccessible) and as the
// keyboard drives it (key presses delivered to the window).

#include "support/dialogs.h"
#include "support/emu.h"
#include "support/files.h"
#include "support/runloop.h"
#include "ui/mainwindow.h"

#include <QAccessible>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest>

namespace {

// The bright green of the focus frame.
int framePixels(const QImage &shot, const QRect &around)
{
    int n = 0;
    for (int y = around.top(); y <= around.bottom(); ++y) {
        for (int x = around.left(); x <= around.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            n += qGreen(c) > 200 && qRed(c) > 100 && qBlue(c) < 80 &&
                 !QRect(around.adjusted(4, 4, -4, -4)).contains(x, y);
        }
    }
    return n;
}

// The shown children a screen reader finds in that role.
QList<QAccessibleInterface *> childrenWithRole(QAccessibleInterface *parent, QAccessible::Role role)
{
    QList<QAccessibleInterface *> found;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface *child = parent->child(i);
        if (child->role() == role && !child->state().invisible)
            found << child;
    }
    return found;
}

// What a screen reader reads as their names.
QStringList namesOf(const QList<QAccessibleInterface *> &found)
{
    QStringList names;
    for (QAccessibleInterface *each : found)
        names << each->text(QAccessible::Name);
    return names;
}

} // namespace

class TestKeyboard : public QObject {
    Q_OBJECT

    int id = 0;
    std::unique_ptr<DialogAnswerer> dialogs;
    std::unique_ptr<MainWindow> w;

    void key(Qt::Key k) { QTest::keyClick(w->windowHandle(), k); }

    QPushButton *command(const QString &name) const
    {
        for (auto *b : w->findChildren<QPushButton *>())
            if (b->accessibleName() == name)
                return b;
        return nullptr;
    }

    static QString focused()
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->accessibleName() : QStringLiteral("(no focus)");
    }

    // Tabs to the widget with that accessible name.
    void tabTo(const QString &name)
    {
        for (int i = 0; i < 12 && focused() != name; ++i)
            key(Qt::Key_Tab);
        QCOMPARE(focused(), name);
    }

  private slots:
    void init()
    {
        id = emu::add("vid=1abe pid=2202 version=TVX-EMU");
        dialogs = std::make_unique<DialogAnswerer>();
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }

    void cleanup()
    {
        w.reset();
        dialogs.reset();
        emu::release(id);
    }

    void namesRolesAndValues()
    {
        QAccessibleInterface *window = QAccessible::queryAccessibleInterface(w.get());
        const auto buttons = childrenWithRole(window, QAccessible::PushButton);
        for (QAccessibleInterface *button : buttons)
            QVERIFY2(!button->text(QAccessible::Description).isEmpty(),
                     qPrintable(button->text(QAccessible::Name)));
        QCOMPARE(namesOf(buttons),
                 QStringList({"Close", "Minimise", "Load firmware file", "Run firmware download",
                              "Load data file", "Run data download", "Save device data"}));
        QCOMPARE(namesOf(childrenWithRole(window, QAccessible::StaticText)),
                 QStringList({"Device connected", "Version TVX-EMU"}));
        emu::release(id);
        QTRY_VERIFY(w->pushButtonNotConnected->isVisible());
        QCOMPARE(namesOf(childrenWithRole(window, QAccessible::StaticText)),
                 QStringList({"Device not connected", "Version not known"}));

        const auto bars = childrenWithRole(window, QAccessible::ProgressBar);
        QCOMPARE(bars.size(), 18);
        QCOMPARE(bars[0]->text(QAccessible::Name), QStringLiteral("Firmware progress"));
        QCOMPARE(bars[17]->text(QAccessible::Name), QStringLiteral("Save progress"));
        for (int step = 1; step <= 3; ++step)
            w->slotShowRunUpdateFWProcess(step);
        QAccessibleInterface *arrow = QAccessible::queryAccessibleInterface(w->pushButtonFWArrow5);
        QCOMPARE(arrow->text(QAccessible::Value), QStringLiteral("step 3 of 6"));
        QCOMPARE(arrow->valueInterface()->currentValue().toInt(), 3);
        QCOMPARE(arrow->valueInterface()->maximumValue().toInt(), 6);
        QCOMPARE(QAccessible::queryAccessibleInterface(w->pushButtonDataArrow1)
                     ->text(QAccessible::Value),
                 QStringLiteral("step 0 of 6"));
    }

    void tabFollowsCreation()
    {
        const QStringList cycle = {"Device connected",
                                   "Close",
                                   "Minimise",
                                   "Load firmware file",
                                   "Run firmware download",
                                   "Load data file",
                                   "Run data download",
                                   "Save device data",
                                   ""}; // the version line
        tabTo(cycle[0]);
        for (int i = 1; i <= cycle.size(); ++i) {
            key(Qt::Key_Tab);
            QCOMPARE(focused(), cycle[i % cycle.size()]);
        }
        key(Qt::Key_Backtab);
        QCOMPARE(focused(), cycle.last());
    }

    void enterAndSpaceActivate()
    {
        tabTo("Run firmware download");
        key(Qt::Key_Return);
        QCOMPARE(dialogs->count("Please load firmware file first !"), 1);
        // The window manager gives the window back its focus.
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        QCOMPARE(focused(), QStringLiteral("Run firmware download"));
        key(Qt::Key_Backtab);
        QCOMPARE(focused(), QStringLiteral("Load firmware file"));
        key(Qt::Key_Space);
        QCOMPARE(dialogs->fileDialogs, 1);
    }

    void runTellsTheChosenFile()
    {
        QTemporaryDir dir;
        dialogs->files << testfiles::write(dir.filePath("<b>fw.bin"), QByteArray(1000, 'x'));
        w->slotPushButtonLoadFW();
        const QPushButton *run = command("Run firmware download");
        // The name as it is, never read as rich text, where the mouse and a screen reader
        // find it.
        const QString chosen = "Chosen file: <b>fw.bin, " + QLocale().toString(1000) + " bytes";
        QTextDocument tip;
        if (Qt::mightBeRichText(run->toolTip()))
            tip.setHtml(run->toolTip());
        else
            tip.setPlainText(run->toolTip());
        QCOMPARE(tip.toPlainText(), chosen);
        QCOMPARE(run->accessibleDescription(),
                 "Download the chosen firmware image into the device\n" + chosen);
    }

    void focusShowsWithoutNewStyles()
    {
        QPushButton *loadFW = command("Load firmware file");
        const QString style = loadFW->styleSheet();
        const QRect around = loadFW->geometry().adjusted(-4, -4, 4, 4);
        QCOMPARE(framePixels(w->grab().toImage(), around), 0);
        tabTo("Load firmware file");
        QVERIFY(framePixels(w->grab().toImage(), around) > 400);
        QCOMPARE(loadFW->styleSheet(), style);
        // A click moves the focus without a frame.
        QTest::mouseClick(w->pushButtonVersion, Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), w->pushButtonVersion);
        QCOMPARE(framePixels(w->grab().toImage(),
                             w->pushButtonVersion->geometry().adjusted(-4, -4, 4, 4)),
                 0);
        QCOMPARE(framePixels(w->grab().toImage(), around), 0);
    }

    void escapeEndsTheProgram()
    {
        tabTo("Run data download");
        QCOMPARE(runLoop([this] { key(Qt::Key_Escape); }), 0);
        QVERIFY(w->isHidden());
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
