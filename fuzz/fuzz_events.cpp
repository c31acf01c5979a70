// The Linux device-event translation: HID_ID properties and node names as
// udev hands them over, remembered at arrival and taken at removal, and the
// interface names the window matches against its list.
//
// Input: a sequence of operations, each an operation code and its strings or
// numbers, checked against a plain map of what should be remembered.

#include "check.h"
#include "device/discovery.h"
#include "device/events.h"

#include <QHash>
#include <cstdio>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tarvenix;

namespace {

constexpr std::size_t kMaxString = 96;

const QStringList &listNames()
{
    static const QStringList names = deviceInterfaceNames();
    return names;
}

// The vendor and product each list entry names, read back out of the entry.
struct Listed {
    unsigned vendorId;
    unsigned productId;
};

Listed listed(int i)
{
    unsigned vendorId = 0, productId = 0;
    std::sscanf(qPrintable(listNames()[i]), "HID#VID_%4x&PID_%4x", &vendorId, &productId);
    return {vendorId, productId};
}

bool isListed(unsigned vendorId, unsigned productId)
{
    for (int i = 0; i < listNames().size(); ++i) {
        const Listed entry = listed(i);
        if (entry.vendorId == vendorId && entry.productId == productId)
            return true;
    }
    return false;
}

bool containsListedName(const QString &text)
{
    for (const QString &entry : listNames()) {
        if (text.contains(entry, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// Strings as events_linux.cpp decodes them: node names in the local encoding,
// HID_ID as Latin-1.
QString node(FuzzedDataProvider &in)
{
    return QString::fromLocal8Bit(in.ConsumeRandomLengthString(kMaxString).c_str());
}

QString hidId(FuzzedDataProvider &in)
{
    return QString::fromLatin1(in.ConsumeRandomLengthString(kMaxString).c_str());
}

void checkName(unsigned vendorId, unsigned productId, const QString &nodeName)
{
    const QString name = interfaceName(vendorId, productId, nodeName);
    FUZZ_CHECK(name == name.toUpper());
    FUZZ_CHECK(name.endsWith(QLatin1Char('#') + nodeName.toUpper()));
    const int match = matchInterfaceName(name);
    FUZZ_CHECK((match >= 0) ==
               (isListed(vendorId, productId) || containsListedName(nodeName.toUpper())));
    if (match >= 0)
        FUZZ_CHECK(name.contains(listNames()[match], Qt::CaseInsensitive));
}

// An id written the ways a kernel or a hand might, read back to the same numbers.
void checkRoundTrip(FuzzedDataProvider &in)
{
    const unsigned bus = in.ConsumeIntegral<std::uint16_t>();
    const unsigned vendorId = in.ConsumeIntegral<std::uint16_t>();
    const unsigned productId = in.ConsumeIntegral<std::uint16_t>();
    static const char *const kForms[] = {"%04X:%08X:%08X", "%04x:%08x:%08x", "%X:%X:%X",
                                         "%04X:%04X:%04X"};
    char text[64];
    std::snprintf(text, sizeof text, kForms[in.ConsumeIntegralInRange<int>(0, 3)], bus, vendorId,
                  productId);
    unsigned v = 0, p = 0;
    FUZZ_CHECK(parseHidId(QString::fromLatin1(text), &v, &p));
    FUZZ_CHECK(v == vendorId && p == productId);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    InterfaceNames names;
    QHash<QString, QString> expected;
    QString lastNode;
    while (in.remaining_bytes() > 0) {
        switch (in.ConsumeIntegralInRange<int>(0, 4)) {
        case 0: { // arrival
            const QString n = node(in);
            const QString id = hidId(in);
            unsigned v = 0, p = 0;
            const bool parsed = parseHidId(id, &v, &p);
            const QString name = names.remember(n, id);
            FUZZ_CHECK(parsed != name.isEmpty());
            if (parsed) {
                FUZZ_CHECK(v <= 0xffff && p <= 0xffff);
                FUZZ_CHECK(name == interfaceName(v, p, n));
                expected.insert(n, name);
                checkName(v, p, n);
            }
            lastNode = n;
            break;
        }
        case 1: { // removal, of the last node or of any name
            const QString n = in.ConsumeBool() ? lastNode : node(in);
            FUZZ_CHECK(names.take(n) == expected.take(n));
            break;
        }
        case 2: { // a listed product must always be recognised
            const int i = in.ConsumeIntegralInRange<int>(0, listNames().size() - 1);
            const Listed entry = listed(i);
            const QString name = interfaceName(entry.vendorId, entry.productId, node(in));
            const int match = matchInterfaceName(name);
            FUZZ_CHECK(match >= 0 && match <= i);
            break;
        }
        case 3: { // every product discovery opens is one the events follow
            const SupportedDevice &d = kSupportedDevices[in.ConsumeIntegralInRange<std::size_t>(
                0, kSupportedDevices.size() - 1)];
            FUZZ_CHECK(matchInterfaceName(interfaceName(unsigned(d.vendorId), unsigned(d.productId),
                                                        node(in))) >= 0);
            break;
        }
        case 4: {
            checkRoundTrip(in);
            const unsigned v = in.ConsumeIntegral<std::uint16_t>();
            const unsigned p = in.ConsumeIntegral<std::uint16_t>();
            checkName(v, p, node(in));
            matchInterfaceName(QString::fromUtf8(in.ConsumeRandomLengthString(kMaxString).c_str()));
            break;
        }
        }
    }
    return 0;
}
