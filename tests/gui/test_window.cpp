// The window as built, and how initHidDevice leaves it, against the emulated device.

#include "device/exchange.h"
#include "support/emu.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QtTest>
#include <iterator>

namespace {

int openDescriptors()
{
    return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System).size();
}

// The buttons' looks, word for word as the window's design gives them.
const char kConnected[] = "QPushButton{border-image: url(:/pics/Device connected.png);}";
const char kNotConnected[] = "QPushButton{border-image: url(:/pics/Device not connected.png);}";
const char kClose[] = "QPushButton{border-image: url(:/pics/退出-大.png);}QPushButton:hover{"
                      "border-image: url(:/pics/退出-小.png);}";
const char kMini[] = "QPushButton{border-image: url(:/pics/最小化-大.png);}QPushButton:hover{"
                     "border-image: url(:/pics/最小化-小.png);}";
const char kLoadFW[] = "QPushButton{border-image: url(:/pics/按钮-Load Firmware.png);}"
                       "QPushButton:hover{border-image: url(:/pics/按钮-小-Load firmware.png);}"
                       "QPushButton:pressed{border-image: url(:/pics/按钮-小-Load firmware.png);}";
const char kRun[] = "QPushButton{border-image: url(:/pics/按钮-Run.png);}QPushButton:hover{"
                    "border-image: url(:/pics/按钮-小-Run .png);}QPushButton:pressed{border-image: "
                    "url(:/pics/按钮-小-Run .png);}";
const char kLoadData[] = "QPushButton{border-image: url(:/pics/按钮-Load Data.png);}"
                         "QPushButton:hover{border-image: url(:/pics/按钮-小-Load Data.png);}"
                         "QPushButton:pressed{border-image: url(:/pics/按钮-小-Load Data.png);}";
const char kSave[] = "QPushButton{border-image: url(:/pics/按钮-Save.png);}QPushButton:hover{"
                     "border-image: url(:/pics/按钮-Save-小.png);}QPushButton:pressed{"
                     "border-image: url(:/pics/按钮-Save-小.png);}";
const char kArrow[] = "QPushButton{border-image: url(:/pics/箭头.png);}QPushButton:hover{"
                      "border-image: url(:/pics/箭头.png);}QPushButton:pressed{border-image: "
                      "url(:/pics/箭头.png);}";
const char kVersion[] = "color: rgb(141, 254,3); background-color: rgb(27, 26, 28);border: "
                        "none;text-align: left;";

struct Widget {
    QPushButton *MainWindow::*member; // null for a command button, which no member keeps
    QRect rect;
    const char *style;
};

using W = MainWindow;
// The 28 buttons in the order the window's design lists them: the order of creation,
// which is also the stacking order (later on top) and the keyboard's focus order.
const Widget kWidgets[] = {
    {&W::pushButtonConnected, {230, 72, 232, 22}, kConnected},
    {&W::pushButtonNotConnected, {200, 73, 282, 22}, kNotConnected},
    {nullptr, {620, 12, 16, 16}, kClose},
    {nullptr, {580, 16, 20, 8}, kMini},
    {nullptr, {65, 155, 188, 54}, kLoadFW},
    {nullptr, {480, 155, 100, 51}, kRun},
    {nullptr, {65, 306, 188, 54}, kLoadData},
    {nullptr, {480, 306, 100, 51}, kRun},
    {&W::pushButtonFWArrow1, {290, 170, 18, 21}, kArrow},
    {&W::pushButtonFWArrow2, {320, 170, 18, 21}, kArrow},
    {&W::pushButtonFWArrow3, {345, 170, 18, 21}, kArrow},
    {&W::pushButtonFWArrow4, {370, 170, 18, 21}, kArrow},
    {&W::pushButtonFWArrow5, {395, 170, 18, 21}, kArrow},
    {&W::pushButtonFWArrow6, {420, 170, 18, 21}, kArrow},
    {&W::pushButtonDataArrow1, {290, 322, 18, 21}, kArrow},
    {&W::pushButtonDataArrow2, {320, 322, 18, 21}, kArrow},
    {&W::pushButtonDataArrow3, {345, 322, 18, 21}, kArrow},
    {&W::pushButtonDataArrow4, {370, 322, 18, 21}, kArrow},
    {&W::pushButtonDataArrow5, {395, 322, 18, 21}, kArrow},
    {&W::pushButtonDataArrow6, {420, 322, 18, 21}, kArrow},
    {nullptr, {240, 416, 182, 48}, kSave},
    {&W::pushButtonSaveArrow1, {255, 472, 18, 21}, kArrow},
    {&W::pushButtonSaveArrow2, {281, 473, 18, 21}, kArrow},
    {&W::pushButtonSaveArrow3, {307, 473, 18, 21}, kArrow},
    {&W::pushButtonSaveArrow4, {333, 473, 18, 21}, kArrow},
    {&W::pushButtonSaveArrow5, {359, 473, 18, 21}, kArrow},
    {&W::pushButtonSaveArrow6, {385, 473, 18, 21}, kArrow},
    {&W::pushButtonVersion, {88, 511, 260, 20}, kVersion},
};

// The pictures a style sheet names; each must be in the program's bundle, or the
// button would show nothing.
QStringList pictures(const QString &style)
{
    QStringList found;
    const QRegularExpression url(QStringLiteral("url\\((:/[^)]+)\\)"));
    for (auto it = url.globalMatch(style); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

} // namespace

class TestWindow : public QObject {
    Q_OBJECT

    QList<int> devices;

    int plugDevice(const QString &settings = "vid=1abe pid=2202")
    {
        devices << emu::add(settings);
        return devices.last();
    }

    static void verifyConnected(MainWindow &w, bool connected)
    {
        QCOMPARE(w.pushButtonConnected->isVisibleTo(&w), connected);
        QCOMPARE(w.pushButtonNotConnected->isVisibleTo(&w), !connected);
        QCOMPARE(bool(w.hidHandle), connected);
    }

  private slots:
    void cleanup()
    {
        for (int id : devices)
            emu::release(id);
        devices.clear();
    }

    void widgetTable()
    {
        MainWindow w;
        const auto buttons = w.findChildren<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(buttons.size(), int(std::size(kWidgets)));
        for (int i = 0; i < buttons.size(); ++i) {
            const Widget &row = kWidgets[i];
            const QString where = QString::number(i + 1);
            if (row.member)
                QVERIFY2(buttons[i] == w.*row.member, qPrintable(where));
            QCOMPARE(buttons[i]->geometry(), row.rect);
            QCOMPARE(buttons[i]->styleSheet(), QString::fromUtf8(row.style));
            QVERIFY(buttons[i]->text().isEmpty());
            const QStringList shown = pictures(buttons[i]->styleSheet());
            QCOMPARE(shown.isEmpty(), row.style == kVersion);
            for (const QString &picture : shown)
                QVERIFY2(!QPixmap(picture).isNull(), qPrintable(picture));
            // Tab goes from each button to the next in the table.
            if (i > 0)
                QVERIFY2(buttons[i - 1]->nextInFocusChain() == buttons[i], qPrintable(where));
        }
        QCOMPARE(w.pushButtonVersion->font().family(), QStringLiteral("Microsoft Yahei UI"));
        QCOMPARE(w.pushButtonVersion->font().pointSize(), 8);
    }

    void sizeFlagsAndAttributes()
    {
        MainWindow w;
        QCOMPARE(w.backgroundPixmap.size(), QSize(656, 544));
        QCOMPARE(w.size(), QSize(656, 544));
        QCOMPARE(g_pMainWindow, &w);
        const Qt::WindowFlags f = w.windowFlags();
        QVERIFY(f.testFlag(Qt::Tool));
        QVERIFY(f.testFlag(Qt::FramelessWindowHint));
        QVERIFY(f.testFlag(Qt::WindowStaysOnTopHint));
        // Unmanaged on X11 would hide the window's own dialogs beneath it.
        QVERIFY(!f.testFlag(Qt::BypassWindowManagerHint));
        QVERIFY(MainWindow::windowFlagsFor(Qt::Dialog).testFlag(Qt::Tool));
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(w.testAttribute(Qt::WA_QuitOnClose));
        // The desktop and screen readers know the tool by its icon and name; the title
        // stays in the background picture.
        QCOMPARE(w.accessibleName(), QStringLiteral("Tarvenix Manager"));
        QVERIFY(w.windowTitle().isEmpty());
        const QList<QSize> iconSizes = w.windowIcon().availableSizes();
        QVERIFY(iconSizes.contains(QSize(32, 32)) && iconSizes.contains(QSize(64, 64)));
        QCOMPARE(w.trayIcon->toolTip(), QStringLiteral("Tarvenix Manager"));
        QCOMPARE(w.trayMenu->actions().size(), 2);
        QCOMPARE(w.trayMenu->actions()[0]->text(), QStringLiteral("Close"));
        QCOMPARE(w.trayMenu->actions()[1]->text(), QStringLiteral("Show/Hide"));
    }

    void noDevice()
    {
        MainWindow w;
        verifyConnected(w, false);
        QCOMPARE(w.pushButtonVersion->text(), QString());
        QCOMPARE(w.initHidDevice(), -2);
        QCOMPARE(w.chHidDevicePath[0], '\0');
        // Hovered, the indicator names the first check of the set-up that fails: here, where
        // no udev rule is installed, the rule.
        QHelpEvent hover(QEvent::ToolTip, {5, 5}, w.mapToGlobal(QPoint(205, 78)));
        QApplication::sendEvent(w.pushButtonNotConnected, &hover);
        QVERIFY2(w.pushButtonNotConnected->toolTip().contains("70-tarvenix.rules"),
                 qPrintable(w.pushButtonNotConnected->toolTip()));
    }

    void decoyAndOtherDevicesAreNotTaken()
    {
        plugDevice("vid=1abe pid=2202 page=ff00");
        plugDevice("vid=1abe pid=2203");
        MainWindow w;
        verifyConnected(w, false);
    }

    void versionLine_data()
    {
        QTest::addColumn<QByteArray>("reply"); // bytes at 46..
        QTest::addColumn<QString>("shown");
        QTest::newRow("24 bytes") << QByteArray("TVX-PRESSURE-MOUSE-V1.23")
                                  << "TVX-PRESSURE-MOUSE-V1.23";
        QTest::newRow("zero at 46") << QByteArray(1, '\0') << "";
        QTest::newRow("invalid utf-8") << QByteArray("V\xc3(9") << "V\ufffd(9";
    }

    void versionLine()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, shown);
        const int id = plugDevice();
        emu::command(
            QStringLiteral("versionhex %1 %2").arg(id).arg(QString::fromLatin1(reply.toHex())));
        MainWindow w;
        verifyConnected(w, true);
        QCOMPARE(w.pushButtonVersion->text(), shown);
        QCOMPARE(w.strVersion, shown);
        QCOMPARE(QString::fromLocal8Bit(w.chHidDevicePath), emu::stats(id).node);
        QCOMPARE(emu::stats(id).bad, 0);
    }

    void silentDeviceIsBounded()
    {
        const int id = plugDevice();
        emu::fault(id, "silent");
        QElapsedTimer clock;
        clock.start();
        MainWindow w;
        QVERIFY2(clock.elapsed() < tarvenix::kVersionReplyTimeoutMs + 1500,
                 qPrintable(QString::number(clock.elapsed())));
        verifyConnected(w, true);
        QCOMPARE(w.pushButtonVersion->text(), QString());
    }

    void reopenKeepsOneHandle()
    {
        const int id = plugDevice("vid=abcd pid=2204 version=Row5");
        MainWindow w;
        verifyConnected(w, true);
        const int before = openDescriptors();
        for (int i = 0; i < 5; ++i)
            QCOMPARE(w.initHidDevice(), 0);
        QCOMPARE(openDescriptors(), before);
        QCOMPARE(w.pushButtonVersion->text(), QStringLiteral("Row5"));
        QCOMPARE(emu::stats(id).early, 0);
    }

    void goneDeviceDropsHandle()
    {
        const int id = plugDevice();
        MainWindow w;
        verifyConnected(w, true);
        const int before = openDescriptors();
        emu::unplug(id);
        devices.clear();
        QCOMPARE(w.initHidDevice(), -2);
        verifyConnected(w, false);
        QVERIFY(openDescriptors() < before);
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
