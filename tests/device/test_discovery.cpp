// Discovery against the emulated device: table order, first match, usage filters.

#include "device/discovery.h"
#include "support/emu.h"

#include <QtTest>
#include <cstring>
#include <hidapi.h>

using namespace tarvenix;

class TestDiscovery : public QObject {
    Q_OBJECT

    QList<int> devices;

    QString plug(const QString &settings)
    {
        devices << emu::add(settings);
        return emu::stats(devices.last()).node;
    }

    // The probe's path; its buffer starts dirty and must end zero-terminated.
    static QString probe(int *row)
    {
        char path[kDevicePathSize];
        std::memset(path, 0x55, sizeof path);
        *row = probeSupportedDevices(path);
        if (std::count(path + kDevicePathCopy, path + kDevicePathSize, '\0') != 4)
            return QStringLiteral("<unterminated>");
        return QString::fromLocal8Bit(path);
    }

  private slots:
    void initTestCase() { QCOMPARE(hid_init(), 0); }

    void cleanup()
    {
        for (int id : devices)
            emu::release(id);
        devices.clear();
    }

    void nothingPresent()
    {
        int row = 0;
        QCOMPARE(probe(&row), QString());
        QCOMPARE(row, -1);
    }

    void everyRowIsFound_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("row");
        QTest::newRow("row 1") << "vid=1abe pid=2202" << 0;
        QTest::newRow("row 2") << "vid=6a3a pid=2202" << 1;
        QTest::newRow("row 3") << "vid=abcd pid=2203" << 2;
        QTest::newRow("row 4") << "vid=abcd pid=2109" << 3;
        QTest::newRow("row 5") << "vid=abcd pid=2204" << 4;
    }

    void everyRowIsFound()
    {
        QFETCH(QString, settings);
        QFETCH(int, row);
        const QString node = plug(settings);
        int found = -1;
        QCOMPARE(probe(&found), node);
        QCOMPARE(found, row);
    }

    void earlierRowHidesLaterOne()
    {
        plug("vid=abcd pid=2109");
        const QString first = plug("vid=1abe pid=2202");
        int row = -1;
        QCOMPARE(probe(&row), first);
        QCOMPARE(row, 0);
    }

    void wrongUsageIsRejected_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::newRow("usage page") << "vid=1abe pid=2202 page=ff00 usage=0001";
        QTest::newRow("usage") << "vid=1abe pid=2202 page=0002 usage=0002";
        QTest::newRow("unlisted product") << "vid=abcd pid=2103";
    }

    void wrongUsageIsRejected()
    {
        QFETCH(QString, settings);
        plug(settings);
        int row = 0;
        QCOMPARE(probe(&row), QString());
        QCOMPARE(row, -1);
    }

    void decoyListedFirstIsSkipped()
    {
        plug("vid=1abe pid=2202 page=ff00");
        const QString real = plug("vid=1abe pid=2202");
        int row = -1;
        QCOMPARE(probe(&row), real);
    }

    void firstMatchWinsAndZeroMatchesAny()
    {
        const QString first = plug("vid=1abe pid=2202");
        plug("vid=1abe pid=2202");
        char path[kDevicePathSize] = {};
        getDevicePath(0, 0, 0x0002, 0x0001, path);
        QCOMPARE(QString::fromLocal8Bit(path), first);
    }

    void noMatchLeavesBufferAlone()
    {
        plug("vid=1abe pid=2202");
        char path[kDevicePathSize];
        std::memset(path, 'k', sizeof path);
        getDevicePath(0x1abe, 0x2202, 0x0002, 0x0009, path);
        QCOMPARE(std::count(path, path + kDevicePathSize, 'k'), long(kDevicePathSize));
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
