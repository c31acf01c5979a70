// The window as built, and how initHidDevice leaves it, against the emulated device.

#include "support/emu.h"
#include "ui/mainwindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

int openDescriptors()
{
    return QDir("/proc/self/fd").entryList(QDir::NoDotAndDotDot | QDir::System).size();
}

struct Row {
    QRect rect;
    QString style;
};

QList<Row> expectedTable()
{
    const QString arrow =
        "QPushButton{border-image: url(:/pics/箭头.png);}QPushButton:hover{border-image: "
        "url(:/pics/箭头.png);}QPushButton:pressed{border-image: url(:/pics/箭头.png);}";
    const QString run =
        "QPushButton{border-image: url(:/pics/按钮-Run.png);}QPushButton:hover{border-image: "
        "url(:/pics/按钮-小-Run .png);}QPushButton:pressed{border-image: url(:/pics/按钮-小-Run "
        ".png);}";
    QList<Row> rows = {
        {{230, 72, 232, 22}, "QPushButton{border-image: url(:/pics/Device connected.png);}"},
        {{200, 73, 282, 22}, "QPushButton{border-image: url(:/pics/Device not connected.png);}"},
        {{620, 12, 16, 16},
         "QPushButton{border-image: url(:/pics/退出-大.png);}QPushButton:hover{border-image: "
         "url(:/pics/退出-小.png);}"},
        {{580, 16, 20, 8},
         "QPushButton{border-image: url(:/pics/最小化-大.png);}QPushButton:hover{border-image: "
         "url(:/pics/最小化-小.png);}"},
        {{65, 155, 188, 54},
         "QPushButton{border-image: url(:/pics/按钮-Load "
         "Firmware.png);}QPushButton:hover{border-image: url(:/pics/按钮-小-Load "
         "firmware.png);}QPushButton:pressed{border-image: url(:/pics/按钮-小-Load "
         "firmware.png);}"},
        {{480, 155, 100, 51}, run},
        {{65, 306, 188, 54},
         "QPushButton{border-image: url(:/pics/按钮-Load "
         "Data.png);}QPushButton:hover{border-image: url(:/pics/按钮-小-Load "
         "Data.png);}QPushButton:pressed{border-image: url(:/pics/按钮-小-Load Data.png);}"},
        {{480, 306, 100, 51}, run},
    };
    for (int y : {170, 322}) {
        for (int x : {290, 320, 345, 370, 395, 420})
            rows.append({{x, y, 18, 21}, arrow});
    }
    rows.append(
        {{240, 416, 182, 48},
         "QPushButton{border-image: url(:/pics/按钮-Save.png);}QPushButton:hover{border-image: "
         "url(:/pics/按钮-Save-小.png);}QPushButton:pressed{border-image: "
         "url(:/pics/按钮-Save-小.png);}"});
    for (QPoint p : {QPoint(255, 472), QPoint(281, 473), QPoint(307, 473), QPoint(333, 473),
                     QPoint(359, 473), QPoint(385, 473)})
        rows.append({{p, QSize(18, 21)}, arrow});
    rows.append({{88, 511, 260, 20},
                 "color: rgb(141, 254,3); background-color: rgb(27, 26, 28);border: "
                 "none;text-align: left;"});
    return rows;
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
        const QList<Row> table = expectedTable();
        QCOMPARE(buttons.size(), table.size());
        for (int i = 0; i < table.size(); ++i) {
            QCOMPARE(buttons[i]->geometry(), table[i].rect);
            QCOMPARE(buttons[i]->styleSheet(), table[i].style);
            QVERIFY(buttons[i]->text().isEmpty());
        }
        QCOMPARE(buttons[0], w.pushButtonConnected);
        QCOMPARE(buttons[8], w.pushButtonFWArrow1);
        QCOMPARE(buttons[19], w.pushButtonDataArrow6);
        QCOMPARE(buttons[21], w.pushButtonSaveArrow1);
        QCOMPARE(buttons[27], w.pushButtonVersion);
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
