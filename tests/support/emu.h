#pragma once
// Driving the emulated pressure mouse from a test running inside its testbed.

#include <QByteArray>
#include <QList>
#include <QString>

namespace emu {

// Sends one control line; fails the calling test when the reply is not "ok".
QString command(const QString &line);
// Adds a device ("vid=1abe pid=2202 version=X ...") and returns its id.
int add(const QString &settings = QStringLiteral("vid=1abe pid=2202"));
void unplug(int id);
void plug(int id);
// Adds a device with an empty request log and notes its id in `ids`, for releaseAll.
int addTo(QList<int> &ids, const QString &settings = QStringLiteral("vid=1abe pid=2202"));
// Unplugs the device if it is still plugged in: the end of a test.
void release(int id);
// The same for each of the devices a test added, and the list is emptied.
void releaseAll(QList<int> &ids);
void fault(int id, const QString &what);

struct Stats {
    int requests = 0;
    int bad = 0;
    int early = 0;
    qint64 firmwareSize = 0;
    bool plugged = false;
    QString node;
};
Stats stats(int id);

// The device's request log, firmware image or data area, byte for byte.
QByteArray requests(int id);
QByteArray firmware(int id);
QByteArray dataArea(int id);

// One 1024-byte request of the log.
QByteArray request(const QByteArray &log, int index);

} // namespace emu
