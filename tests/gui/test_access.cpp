// A supported device whose node the user may not open: the window says not
// connected and hints at access rights. Runs without the override that lets
// root open anything, so that it fails for root too.

#include "support/emu.h"
#include "ui/mainwindow.h"

#include <QPushButton>
#include <QtTest>
#include <sys/stat.h>

class TestAccess : public QObject {
    Q_OBJECT
  private slots:
    void unopenableDeviceHintsAtAccessRights()
    {
        const int id = emu::add("vid=1abe pid=2202");
        const QByteArray node = emu::stats(id).node.toLocal8Bit();
        QCOMPARE(::chmod(node.constData(), 0), 0);
        MainWindow w;
        QCOMPARE(w.initHidDevice(), -3);
        QVERIFY(!w.hidHandle);
        QVERIFY(w.pushButtonNotConnected->isVisibleTo(&w));
        QVERIFY(!w.pushButtonConnected->isVisibleTo(&w));
        // The indicator's tooltip, as hovering it asks for it.
        QHelpEvent hover(QEvent::ToolTip, {5, 5}, w.mapToGlobal(QPoint(205, 78)));
        QApplication::sendEvent(w.pushButtonNotConnected, &hover);
        QVERIFY2(w.pushButtonNotConnected->toolTip().contains("access rights"),
                 qPrintable(w.pushButtonNotConnected->toolTip()));
        QCOMPARE(::chmod(node.constData(), 0600), 0);
        QCOMPARE(w.initHidDevice(), 0);
        QVERIFY(w.pushButtonConnected->isVisibleTo(&w));
        emu::release(id);
    }
};

QTEST_MAIN(TestAccess)
#include "test_access.moc"
