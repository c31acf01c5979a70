#include "recording.h"

#include "cli/deviceset.h"
#include "cli/status.h"
#include "words/failures.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <vector>

namespace tarvenix::cli {

namespace {

struct Recording {
    QString file;    // empty when not recording
    QString command; // the command line as the capture tells it
    std::vector<std::shared_ptr<Capture>> captures;
};

Recording &recording()
{
    static Recording r;
    return r;
}

std::shared_ptr<Capture> startCapture(const QString &file)
{
    Recording &r = recording();
    Failure why;
    std::shared_ptr<Capture> capture =
        Capture::start(file, QStringLiteral("tarvenix-cli"), r.command, &why);
    if (!capture) {
        printMessage(captureMessage(why, file));
        return nullptr;
    }
    capture->onStopped(
        [file](const Failure &stopped) { printMessage(captureMessage(stopped, file)); });
    r.captures.push_back(capture);
    return capture;
}

} // namespace

void startRecording(const Options &o, const QStringList &arguments)
{
    if (o.record.isEmpty())
        return;
    Recording &r = recording();
    r.file = o.record;
    // A command without a file has no file's name to hide.
    QStringList userFiles{o.file, o.record};
    userFiles.removeAll(QString());
    r.command = Capture::commandLine(arguments, o.recordPaths ? QStringList() : userFiles);
    // list and a run on several devices start a capture for each device they find.
    if (o.command != Command::List && !o.manyDevices() && !startCapture(r.file))
        r.file.clear();
}

std::shared_ptr<Capture> commandCapture()
{
    const Recording &r = recording();
    return r.captures.empty() ? nullptr : r.captures.front();
}

void recordListed(const QVector<FoundDevice> &devices)
{
    const QString file = recording().file;
    if (file.isEmpty())
        return;
    if (devices.isEmpty())
        startCapture(file);
    for (const FoundDevice &d : devices) {
        const QString name = devices.size() == 1 ? file : captureNameFor(file, d, devices);
        if (const std::shared_ptr<Capture> capture = startCapture(name)) {
            capture->opened(d);
            capture->closed();
        }
    }
}

std::shared_ptr<Capture> deviceCapture(const FoundDevice &device, const QVector<FoundDevice> &all)
{
    const QString file = recording().file;
    if (file.isEmpty())
        return nullptr;
    return startCapture(captureNameFor(file, device, all));
}

void endRecording(int exitCode)
{
    for (const std::shared_ptr<Capture> &capture : recording().captures)
        capture->end(exitCode);
}

QString captureNameFor(const QString &file, const FoundDevice &device,
                       const QVector<FoundDevice> &all)
{
    const auto at = std::find_if(all.begin(), all.end(),
                                 [&](const FoundDevice &d) { return d.path == device.path; });
    const QString name = deviceFileNames(all).value(int(at - all.begin()));
    const QFileInfo info(file);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return file.left(file.size() - suffix.size()) + QLatin1Char('-') + name + suffix;
}

} // namespace tarvenix::cli
