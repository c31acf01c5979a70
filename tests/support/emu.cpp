#include "emu.h"

#include "emuclient.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace emu {

QString command(const QString &line)
{
    char reply[4096] = {};
    const int rc = emu_command(line.toUtf8().constData(), reply, sizeof reply);
    const QString text = QString::fromUtf8(reply).trimmed();
    if (rc != 0)
        QTest::qFail(qPrintable(QStringLiteral("emulator refused \"%1\": %2").arg(line, text)),
                     __FILE__, __LINE__);
    return text;
}

int add(const QString &settings)
{
    return command(QStringLiteral("add ") + settings).section(' ', 1, 1).toInt();
}

void unplug(int id)
{
    command(QStringLiteral("unplug %1").arg(id));
}
void plug(int id)
{
    command(QStringLiteral("plug %1").arg(id));
}
void release(int id)
{
    if (stats(id).plugged)
        unplug(id);
}

int addTo(QList<int> &ids, const QString &settings)
{
    const int id = add(settings);
    ids << id;
    command(QStringLiteral("clear %1").arg(id));
    return id;
}

void releaseAll(QList<int> &ids)
{
    for (int id : ids)
        release(id);
    ids.clear();
}

void fault(int id, const QString &what)
{
    command(QStringLiteral("fault %1 %2").arg(id).arg(what));
}

namespace {

QString field(const QString &reply, const QString &key)
{
    const QRegularExpression re(QStringLiteral("\\b%1=(\\S+)").arg(key));
    return re.match(reply).captured(1);
}

QByteArray dumped(int id, const char *file)
{
    QTemporaryDir dir;
    command(QStringLiteral("dump %1 %2").arg(id).arg(dir.path()));
    QFile f(dir.filePath(QString::fromLatin1(file)));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

Stats stats(int id)
{
    const QString reply = command(QStringLiteral("stats %1").arg(id));
    Stats s;
    s.requests = field(reply, "requests").toInt();
    s.bad = field(reply, "bad").toInt();
    s.early = field(reply, "early").toInt();
    s.firmwareSize = field(reply, "fwsize").toLongLong();
    s.plugged = field(reply, "plugged") == "1";
    s.node = field(reply, "node");
    return s;
}

QByteArray requests(int id)
{
    return dumped(id, "requests.bin");
}
QByteArray firmware(int id)
{
    return dumped(id, "firmware.bin");
}
QByteArray dataArea(int id)
{
    return dumped(id, "data.bin");
}

QByteArray request(const QByteArray &log, int index)
{
    return log.mid(index * 1024, 1024);
}

} // namespace emu
