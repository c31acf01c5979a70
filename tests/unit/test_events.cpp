// Turning a device event into an interface name, and matching it against the list.

#include "device/events.h"

#include <QtTest>

using namespace tarvenix;

class TestEvents : public QObject {
    Q_OBJECT
  private slots:
    void match_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("entry");
        QTest::newRow("exact") << "HID#VID_1ABE&PID_2202" << 0;
        QTest::newRow("lower case") << "\\\\?\\hid#vid_1abe&pid_2202&mi_01#7&1&0000#{4d1e}" << 0;
        QTest::newRow("substring") << "X-HID#VID_6A3A&PID_2202&MI_00#rest" << 1;
        QTest::newRow("0x2203 followed") << "HID#VID_ABCD&PID_2203#HIDRAW4" << 2;
        QTest::newRow("0x2103 kept") << "HID#VID_ABCD&PID_2103" << 5;
        QTest::newRow("0x2204") << "HID#VID_ABCD&PID_2204" << 4;
        QTest::newRow("not listed") << "HID#VID_ABCD&PID_2205" << -1;
        QTest::newRow("other vendor") << "HID#VID_046D&PID_C52B" << -1;
        QTest::newRow("empty") << "" << -1;
    }

    void match()
    {
        QFETCH(QString, name);
        QFETCH(int, entry);
        QCOMPARE(matchInterfaceName(name), entry);
    }

    void linuxNamesMatchTheList()
    {
        QCOMPARE(interfaceName(0x1abe, 0x2202, "hidraw3"),
                 QStringLiteral("HID#VID_1ABE&PID_2202#HIDRAW3"));
        QCOMPARE(matchInterfaceName(interfaceName(0xabcd, 0x2203, "hidraw0")), 2);
        QCOMPARE(matchInterfaceName(interfaceName(0xabcd, 0x2202, "hidraw0")), -1);
    }

    // A removal is named from what its arrival left, with no sysfs to read.
    void removalUsesWhatArrivalRemembered()
    {
        InterfaceNames names;
        QCOMPARE(names.remember("hidraw2", "0003:0000ABCD:00002203"),
                 QStringLiteral("HID#VID_ABCD&PID_2203#HIDRAW2"));
        QCOMPARE(names.remember("hidraw3", "garbage"), QString());
        QCOMPARE(names.take("hidraw3"), QString());
        QCOMPARE(names.take("hidraw2"), QStringLiteral("HID#VID_ABCD&PID_2203#HIDRAW2"));
        QCOMPARE(names.take("hidraw2"), QString());
    }

    void hidId_data()
    {
        QTest::addColumn<QString>("property");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<uint>("vendor");
        QTest::addColumn<uint>("product");
        QTest::newRow("usb") << "0003:00001ABE:00002202" << true << 0x1abeu << 0x2202u;
        QTest::newRow("lower") << "0005:0000abcd:00002204" << true << 0xabcdu << 0x2204u;
        QTest::newRow("two fields") << "0003:00001ABE" << false << 0u << 0u;
        QTest::newRow("not hex") << "0003:zz:00002202" << false << 0u << 0u;
        QTest::newRow("too wide") << "0003:00011ABE:00002202" << false << 0u << 0u;
    }

    void hidId()
    {
        QFETCH(QString, property);
        QFETCH(bool, ok);
        QFETCH(uint, vendor);
        QFETCH(uint, product);
        unsigned v = 0, p = 0;
        QCOMPARE(parseHidId(property, &v, &p), ok);
        if (ok) {
            QCOMPARE(v, vendor);
            QCOMPARE(p, product);
        }
    }
};

QTEST_GUILESS_MAIN(TestEvents)
#include "test_events.moc"
