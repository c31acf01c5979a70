// Every way of ending the program, idle and during a transfer; the tray
// slots; dragging the frameless window.

#include "support/dialogs.h"
#include "support/emu.h"
#include "support/files.h"
#include "support/runloop.h"
#include "support/safety.h"
#include "ui/mainwindow.h"
#include "workers/transferworkers.h"

#include <QMenu>
#include <QtTest>

class TestClosing : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    int id = 0;
    std::unique_ptr<DialogAnswerer> dialogs;
    std::unique_ptr<MainWindow> w;

    void startLongTransfer()
    {
        w->strDataFile = testfiles::write(dir.filePath("d.bin"), testfiles::pattern(65536, 1));
        // About six seconds in all, far longer than any closing path may take.
        emu::fault(id, "delay ms=50 at=1");
        w->slotPushButtonRunUpdateData();
        QVERIFY(w->transferRunning());
    }

    void verifyNoWorkerAlive()
    {
        QVERIFY(!w->transferRunning());
        QVERIFY(!w->workerThreadForData->isRunning());
        QVERIFY(!w->workerThreadForFW->isRunning());
        QVERIFY(!w->workerThreadForSaveData->isRunning());
    }

  private slots:
    void init()
    {
        testsafety::off();
        id = emu::add("vid=1abe pid=2202");
        dialogs = std::make_unique<DialogAnswerer>();
        w = std::make_unique<MainWindow>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    }

    void cleanup()
    {
        w.reset();
        dialogs.reset();
        emu::release(id);
    }

    void escapeEnds()
    {
        QCOMPARE(runLoop([this] { QTest::keyClick(w.get(), Qt::Key_Escape); }), 0);
    }

    void closeButtonAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("result");
        QTest::newRow("yes") << int(QMessageBox::Yes) << 0;
        QTest::newRow("no") << int(QMessageBox::No) << kStillRunning;
    }

    void closeButtonAsks()
    {
        QFETCH(int, answer);
        QFETCH(int, result);
        dialogs->answers << QMessageBox::StandardButton(answer);
        QCOMPARE(runLoop([this] { w->slotPushButtonClose(); }), result);
        QCOMPARE(dialogs->boxes.size(), 1);
        QCOMPARE(dialogs->boxes[0].title, QStringLiteral("Exit"));
        QCOMPARE(dialogs->boxes[0].text, QStringLiteral("Are you sure to  exit?"));
        QCOMPARE(bool(w->hidHandle), answer == QMessageBox::No);
    }

    void trayCloseEnds()
    {
        w->hide();
        QCOMPARE(runLoop([this] { w->trayMenu->actions()[0]->trigger(); }), 0);
        QVERIFY(dialogs->boxes.isEmpty());
    }

    void escapeIsIgnoredDuringATransfer()
    {
        startLongTransfer();
        QCOMPARE(runLoop([this] { QTest::keyClick(w.get(), Qt::Key_Escape); }, 500), kStillRunning);
        QVERIFY(w->transferRunning());
        QVERIFY(w->isVisible());
        emu::fault(id, "clear");
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 15000);
    }

    void closingDuringATransferStopsItFirst_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::newRow("close button") << false;
        QTest::newRow("tray close") << true;
    }

    void closingDuringATransferStopsItFirst()
    {
        QFETCH(bool, tray);
        startLongTransfer();
        dialogs->answers << QMessageBox::Yes;
        const int result = runLoop(
            [this, tray] {
                if (tray)
                    w->on_CloseTrayAction();
                else
                    w->slotPushButtonClose();
            },
            5000);
        QCOMPARE(result, 0);
        QCOMPARE(dialogs->boxes.size(), 1);
        QVERIFY(dialogs->boxes[0].text.contains("transfer is in progress"));
        verifyNoWorkerAlive();
        QVERIFY(emu::stats(id).requests < 1 + 128);
        QCOMPARE(emu::stats(id).early, 0);
    }

    void closingDuringATransferCanBeDeclined()
    {
        startLongTransfer();
        dialogs->answers << QMessageBox::No;
        QCOMPARE(runLoop([this] { w->slotPushButtonClose(); }, 500), kStillRunning);
        QVERIFY(w->transferRunning());
        emu::fault(id, "clear");
        QTRY_VERIFY_WITH_TIMEOUT(!w->transferRunning(), 15000);
    }

    void dismissedBoxWhileHiddenKeepsRunning()
    {
        w->hide();
        w->strDataFile = testfiles::write(dir.filePath("s.bin"), testfiles::pattern(2048, 2));
        QCOMPARE(runLoop([this] { w->slotPushButtonRunUpdateData(); }, 3000), kStillRunning);
        QCOMPARE(dialogs->count("Download data successfully!"), 1);
    }

    void trayToggles()
    {
        QVERIFY(w->isVisible());
        w->on_ShowOrHideTrayAction();
        QVERIFY(w->isHidden());
        w->on_ShowOrHideTrayAction();
        QVERIFY(w->isVisible());
        w->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        QVERIFY(w->isHidden());
        for (auto reason : {QSystemTrayIcon::DoubleClick, QSystemTrayIcon::MiddleClick,
                            QSystemTrayIcon::Context, QSystemTrayIcon::Unknown})
            w->on_activatedSysTrayIcon(reason);
        QVERIFY(w->isHidden());
        w->on_activatedSysTrayIcon(QSystemTrayIcon::Trigger);
        QVERIFY(w->isVisible());
    }

    void minimiseWithoutTrayLeavesAWayBack()
    {
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("with a tray, minimising hides the window into the tray instead");
        w->slotPushButtonMini();
        QTRY_VERIFY(w->isMinimized());
        // A taskbar entry while minimised, so the window can be restored, and
        // after it: no window manager is trusted to map it again unharmed.
        QVERIFY(!w->windowFlags().testFlag(Qt::Tool));
        w->showNormal();
        QTRY_VERIFY(w->isVisible() && !w->isMinimized());
        QVERIFY(!w->windowFlags().testFlag(Qt::Tool));
        QVERIFY(w->testAttribute(Qt::WA_QuitOnClose));
        w->slotPushButtonMini();
        QTRY_VERIFY(w->isMinimized());
    }

    // Mouse events at global screen positions, as the window system sends them.
    void mouse(QEvent::Type type, Qt::MouseButton button, QPoint global)
    {
        QMouseEvent event(type, w->mapFromGlobal(global), global, button,
                          type == QEvent::MouseMove ? Qt::LeftButton : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QApplication::sendEvent(w.get(), &event);
    }

    void draggingMovesByTheMousesTravel()
    {
        w->move(100, 100);
        QTRY_COMPARE(w->pos(), QPoint(100, 100));
        const QPoint start = w->frameGeometry().topLeft();
        mouse(QEvent::MouseButtonPress, Qt::LeftButton, {400, 130});
        mouse(QEvent::MouseMove, Qt::NoButton, {440, 155});
        QTRY_COMPARE(w->frameGeometry().topLeft(), start + QPoint(40, 25));
        mouse(QEvent::MouseMove, Qt::NoButton, {390, 140});
        QTRY_COMPARE(w->frameGeometry().topLeft(), start + QPoint(-10, 10));
        // Releasing the right button does not end the left drag.
        mouse(QEvent::MouseButtonRelease, Qt::RightButton, {390, 140});
        QVERIFY(w->dragging);
        mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {390, 140});
        QVERIFY(!w->dragging);
        const QPoint after = w->pos();
        mouse(QEvent::MouseButtonPress, Qt::RightButton, {300, 300});
        QVERIFY(!w->dragging);
        mouse(QEvent::MouseMove, Qt::NoButton, {200, 200});
        QTest::qWait(50);
        QCOMPARE(w->pos(), after);
    }
};

QTEST_MAIN(TestClosing)
#include "test_closing.moc"
