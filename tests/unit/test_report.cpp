// Golden bytes of every request kind, and the reply fields read back.

#include "device/report.h"

#include <QtTest>

using namespace tarvenix;

namespace {

// A request written out by hand from the wire layout, not by the builders.
Report expected(std::initializer_list<std::pair<int, int>> bytes)
{
    Report r{};
    for (auto [at, value] : bytes)
        r[at] = std::uint8_t(value);
    return r;
}

QByteArray hex(const Report &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), kReportSize).toHex();
}

std::array<std::uint8_t, kBlockSize> pattern()
{
    std::array<std::uint8_t, kBlockSize> block;
    for (int i = 0; i < kBlockSize; ++i)
        block[i] = std::uint8_t(255 - i % 251);
    return block;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
  private slots:
    void versionQuery()
    {
        Report r;
        r.fill(0xee);
        buildVersionQuery(r);
        QCOMPARE(hex(r), hex(expected({{3, 1}, {4, 2}, {5, 8}, {7, 3}, {10, 2}})));
    }

    void packets_data()
    {
        QTest::addColumn<int>("area");
        QTest::addColumn<quint32>("block");
        QTest::addColumn<QByteArray>("offset");
        for (int area : {0, 4}) {
            const char *name = area ? "data" : "firmware";
            QTest::addRow("%s block 0", name) << area << 0u << QByteArray::fromHex("00000000");
            QTest::addRow("%s block 1", name) << area << 1u << QByteArray::fromHex("00020000");
            QTest::addRow("%s block 1023", name)
                << area << 1023u << QByteArray::fromHex("00fe0700");
            QTest::addRow("%s at 16 MiB", name)
                << area << 32768u << QByteArray::fromHex("00000001");
        }
    }

    void packets()
    {
        QFETCH(int, area);
        QFETCH(quint32, block);
        QFETCH(QByteArray, offset);
        const auto payload = pattern();
        Report r;
        r.fill(0xee);
        buildPacket(r, Area(area), block, payload.data());
        Report want = expected({{3, 0}, {4, 1}, {5, 0x08}, {6, 0x02}, {7, area}, {10, 2}});
        for (int i = 0; i < 4; ++i)
            want[11 + i] = std::uint8_t(offset[i]);
        std::copy(payload.begin(), payload.end(), want.begin() + 15);
        QCOMPARE(hex(r), hex(want));
    }

    void dataPacketDiffersFromFirmwareOnlyInAreaCode()
    {
        const auto payload = pattern();
        Report fw, data;
        buildPacket(fw, Area::Firmware, 77, payload.data());
        buildPacket(data, Area::Data, 77, payload.data());
        for (int i = 0; i < kReportSize; ++i) {
            if (i != 7)
                QCOMPARE(data[i], fw[i]);
        }
        QCOMPARE(int(fw[7]), 0);
        QCOMPARE(int(data[7]), 4);
    }

    void readOut_data()
    {
        QTest::addColumn<quint32>("block");
        QTest::addColumn<QByteArray>("offset");
        QTest::newRow("block 0") << 0u << QByteArray::fromHex("00000000");
        QTest::newRow("block 1") << 1u << QByteArray::fromHex("00020000");
        QTest::newRow("block 1023") << 1023u << QByteArray::fromHex("00fe0700");
    }

    void readOut()
    {
        QFETCH(quint32, block);
        QFETCH(QByteArray, offset);
        Report r;
        r.fill(0xee);
        buildReadOut(r, block);
        Report want = expected({{3, 1}, {4, 2}, {5, 8}, {7, 4}, {10, 2}});
        for (int i = 0; i < 4; ++i)
            want[11 + i] = std::uint8_t(offset[i]);
        QCOMPARE(hex(r), hex(want));
    }

    void versionText_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // placed at reply byte 46
        QTest::addColumn<QString>("text");
        QTest::newRow("24 bytes, more after") << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
                                              << QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWX");
        QTest::newRow("zero at 46") << QByteArray("\0ABC", 4) << QString();
        QTest::newRow("ends at zero") << QByteArray("V1.2\0XYZ", 8) << QStringLiteral("V1.2");
        QTest::newRow("utf-8") << QByteArray("\xe7\x89\x88 2") << QStringLiteral("版 2");
        QTest::newRow("invalid utf-8") << QByteArray("A\xff"
                                                     "B")
                                       << QStringLiteral("A\ufffdB");
    }

    void versionText()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        Report reply{};
        reply.fill(0);
        std::copy(bytes.begin(), bytes.end(), reply.begin() + 46);
        reply[45] = 'x';
        QCOMPARE(tarvenix::versionText(reply), text);
    }

    void replyFields()
    {
        Report reply{};
        for (int i = 0; i < kReportSize; ++i)
            reply[i] = std::uint8_t(i * 3);
        QCOMPARE(blockData(reply)[0], std::uint8_t(14 * 3));
        QCOMPARE(blockData(reply)[511], std::uint8_t(525 * 3));
        QCOMPARE(QString::fromLatin1(traceBytes(reply).text),
                 QStringLiteral("0 3 6 9 12 15 18 21"));
        reply.fill(255);
        QCOMPARE(QString::fromLatin1(traceBytes(reply).text),
                 QStringLiteral("255 255 255 255 255 255 255 255"));
    }
};

QTEST_GUILESS_MAIN(TestReport)
#include "test_report.moc"
