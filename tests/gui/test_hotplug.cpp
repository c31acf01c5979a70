// Following the device through the window: unplug and plug, also during transfers.

#include "device/capture.h"
#include "device/events.h"
#include "support/dialogs.h"
#include "support/emu.h"
#include "support/files.h"
#include "support/safety.h"
#include "ui/mainwindow.h"
#include "workers/transferworkers.h"

#include <QJsonDocument>
#include <QPushButton>
#include <QtTest>

class TestHotplug : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QList<int> devices;
    std::unique_ptr<DialogAnswerer> dialogs;

    int plug(const QString &settings = "vid=1abe pid=2202 version=FIRST")
    {
        devices << emu::add(settings);
        return devices.last();
    }

    static bool connected(const MainWindow &w)
    {
        return w.hidHandle && w.pushButtonConnected->isVisibleTo(&w) &&
               !w.pushButtonNotConnected->isVisibleTo(&w);
    }

    static bool disconnected(const MainWindow &w)
    {
        return !w.hidHandle && !w.pushButtonConnected->isVisibleTo(&w) &&
               w.pushButtonNotConnected->isVisibleTo(&w);
    }

    QString file(const QString &name, int size)
    {
        return testfiles::write(dir.filePath(name), testfiles::pattern(size, 0));
    }

  private slots:
    void init()
    {
        testsafety::off();
        dialogs = std::make_unique<DialogAnswerer>();
    }

    void cleanup()
    {
        for (int id : devices)
            emu::release(id);
        devices.clear();
        dialogs.reset();
    }

    void unplugAndPlugAreFollowed()
    {
        const int id = plug();
        const QString recorded = dir.filePath("window.jsonl");
        // The device was present before start. The window records, as with --record.
        MainWindow w(nullptr, tarvenix::Capture::start(recorded, "test_hotplug", ""));
        QVERIFY(connected(w));
        for (int step = 1; step <= 6; ++step)
            w.slotShowRunUpdateFWProcess(step);
        emu::unplug(id);
        QTRY_VERIFY(disconnected(w));
        QCOMPARE(w.pushButtonVersion->text(), QString());
        QCOMPARE(w.chHidDevicePath[0], '\0');
        QCOMPARE(w.fwArrows().step(), 0);
        for (QPushButton *arrow : w.fwArrows().arrows())
            QCOMPARE(arrow->styleSheet(), kArrowUnlitStyle);
        emu::command(QStringLiteral("version %1 SECOND").arg(id));
        emu::plug(id);
        QTRY_VERIFY(connected(w));
        QTRY_COMPARE(w.pushButtonVersion->text(), QStringLiteral("SECOND"));
        QStringList events;
        for (const QByteArray &line : testfiles::read(recorded).trimmed().split('\n'))
            if (!line.contains("\"write\"") && !line.contains("\"read\""))
                events << QJsonDocument::fromJson(line)["event"].toString();
        QCOMPARE(events.join(' '), QStringLiteral("capture open unplug close plug open"));
    }

    void product2203IsFollowed()
    {
        const int id = plug("vid=abcd pid=2203 version=R3");
        MainWindow w;
        QVERIFY(connected(w));
        emu::unplug(id);
        QTRY_VERIFY(disconnected(w));
        emu::plug(id);
        QTRY_VERIFY(connected(w));
    }

    void unlistedDeviceIsIgnored()
    {
        const int id = plug();
        MainWindow w;
        const int requests = emu::stats(id).requests;
        const int other = plug("vid=abcd pid=2205");
        emu::unplug(other);
        QTest::qWait(300);
        QVERIFY(connected(w));
        // Neither its arrival nor its removal made the window ask the version again.
        QCOMPARE(emu::stats(id).requests, requests);
    }

    void eventValues()
    {
        const int id = plug();
        MainWindow w;
        const int requests = emu::stats(id).requests;
        tarvenix::DeviceEvent notInterface;
        notInterface.code = tarvenix::DeviceEventCode::RemoveComplete;
        notInterface.deviceType = 2;
        notInterface.interfaceName = "HID#VID_1ABE&PID_2202";
        w.onDeviceEvent(notInterface);
        QVERIFY(connected(w));
        tarvenix::DeviceEvent arrival;
        arrival.code = tarvenix::DeviceEventCode::Arrival;
        arrival.interfaceName = "\\\\?\\hid#vid_1abe&pid_2202&mi_00#7&1a#{4d1e55b2}";
        w.onDeviceEvent(arrival);
        QCOMPARE(emu::stats(id).requests, requests + 1);
        tarvenix::DeviceEvent removal = arrival;
        removal.code = tarvenix::DeviceEventCode::RemoveComplete;
        w.onDeviceEvent(removal);
        QVERIFY(disconnected(w));
        // A second removal of the same device finds nothing left to close.
        w.onDeviceEvent(removal);
        QVERIFY(disconnected(w));
    }

    void unplugDuringEachTransfer_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("firmware") << 0;
        QTest::newRow("data") << 1;
        QTest::newRow("save") << 2;
    }

    void unplugDuringEachTransfer()
    {
        QFETCH(int, kind);
        const int id = plug();
        MainWindow w;
        w.strFWFile = w.strDataFile = file("in.bin", 65536);
        emu::fault(id, "delay ms=10 at=1");
        if (kind == 0)
            w.slotPushButtonRunUpdateFW();
        else if (kind == 1)
            w.slotPushButtonRunUpdateData();
        else {
            dialogs->files << dir.filePath("out.bin");
            w.slotPushButtonRunSaveData();
        }
        QVERIFY(w.transferRunning());
        QTRY_VERIFY(emu::stats(id).requests > 20);
        emu::unplug(id);
        QTRY_VERIFY_WITH_TIMEOUT(!w.transferRunning(), 15000);
        QTRY_VERIFY(disconnected(w));
        QTRY_COMPARE(dialogs->boxes.size(), 1);
        QVERIFY2(dialogs->boxes[0].text.contains("failed at block"), qPrintable(dialogs->texts()));
        QVERIFY(dialogs->boxes[0].text.contains("unplugged"));
        QCOMPARE(dialogs->count("successfully"), 0);
        QVERIFY(!QFileInfo::exists(dir.filePath("out.bin")));
        emu::fault(id, "clear");
        emu::plug(id);
        QTRY_VERIFY(connected(w));
    }

    void plugDuringTransferWaitsForIt()
    {
        const int id = plug();
        const int other = plug("vid=abcd pid=2204 version=OTHER");
        emu::unplug(other);
        MainWindow w;
        w.strDataFile = file("d.bin", 65536);
        emu::fault(id, "delay ms=10 at=1");
        w.slotPushButtonRunUpdateData();
        QVERIFY(w.transferRunning());
        const tarvenix::HidPort *during = w.hidHandle.get();
        emu::plug(other);
        QTest::qWait(300);
        QVERIFY(w.transferRunning());
        QCOMPARE(w.hidHandle.get(), during);
        emu::fault(id, "clear");
        QTRY_VERIFY_WITH_TIMEOUT(!w.transferRunning(), 15000);
        QTRY_COMPARE(dialogs->count("Download data successfully!"), 1);
        // The window's start and Run each asked the version, then came the 128 packets.
        // Only the deferred arrival's re-open asks it once more, after the transfer.
        QTRY_COMPARE(emu::stats(id).requests, 2 + 128 + 1);
        QCOMPARE(emu::stats(id).early, 0);
    }
};

QTEST_MAIN(TestHotplug)
#include "test_hotplug.moc"
