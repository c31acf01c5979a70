#include "device/capture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSysInfo>
#include <hidapi.h>

namespace tarvenix {

namespace {

constexpr int kCaptureFormat = 1;
// A report descriptor is at most this long (the kernel's HID_MAX_DESCRIPTOR_SIZE).
constexpr int kDescriptorMax = 4096;
// Runs of one byte are written as "HH*N" from this length on.
constexpr int kRunMin = 8;
const char kHeaderStart[] = "{\"event\":\"capture\"";

const char *purposeName(ReadPurpose purpose)
{
    switch (purpose) {
    case ReadPurpose::Reply:
        return "reply";
    case ReadPurpose::Drain:
        return "drain";
    case ReadPurpose::Look:
        return "look";
    case ReadPurpose::Grace:
        return "grace";
    case ReadPurpose::Settle:
        return "settle";
    }
    return "";
}

void appendByte(QByteArray &out, std::uint8_t byte)
{
    static const char kDigits[] = "0123456789abcdef";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 15];
}

// Literal chunks of hex digits, and runs of kRunMin or more equal bytes as "HH*N", separated
// by one blank: a 1024-byte version query is "00000001020800030000 02 00*1013".
void appendHex(QByteArray &out, const std::uint8_t *data, int size)
{
    bool literal = false;
    for (int i = 0; i < size;) {
        int run = 1;
        while (i + run < size && data[i + run] == data[i])
            ++run;
        const bool asRun = run >= kRunMin;
        if (i > 0 && (asRun || !literal))
            out += ' ';
        literal = !asRun;
        if (asRun) {
            appendByte(out, data[i]);
            out += '*';
            out += QByteArray::number(run);
        } else {
            for (int k = 0; k < run; ++k)
                appendByte(out, data[i]);
        }
        i += run;
    }
}

// A JSON string: quotes, backslashes and control characters escaped, the rest as UTF-8.
void appendString(QByteArray &out, const QString &text)
{
    out += '"';
    for (const char c : text.toUtf8()) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (std::uint8_t(c) < 0x20) {
            out += "\\u00";
            appendByte(out, std::uint8_t(c));
        } else {
            out += c;
        }
    }
    out += '"';
}

// Appending the members of one line, in the order a reader expects them.
class Line {
  public:
    Line(QByteArray &out, const char *event) : out_(out)
    {
        out_.clear();
        out_ += "{\"event\":\"";
        out_ += event;
        out_ += '"';
    }
    Line &text(const char *key, const QString &value)
    {
        appendString(this->key(key), value);
        return *this;
    }
    Line &number(const char *key, qint64 value)
    {
        this->key(key) += QByteArray::number(value);
        return *this;
    }
    // Nanoseconds as seconds (t) or as milliseconds (ms).
    Line &seconds(const char *key, qint64 ns)
    {
        this->key(key) += QByteArray::number(ns / 1e9, 'f', 6);
        return *this;
    }
    Line &milliseconds(const char *key, qint64 ns)
    {
        this->key(key) += QByteArray::number(ns / 1e6, 'f', 3);
        return *this;
    }
    Line &hex(const char *key, const std::uint8_t *data, int size)
    {
        QByteArray &out = this->key(key);
        out += '"';
        appendHex(out, data, size);
        out += '"';
        return *this;
    }
    Line &hex4(const char *key, int value)
    {
        return text(key, QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0')));
    }

  private:
    QByteArray &key(const char *name)
    {
        out_ += ",\"";
        out_ += name;
        out_ += "\":";
        return out_;
    }
    QByteArray &out_;
};

// The report descriptor, as Linux's sysfs gives it beside the hidraw node (hidapi 0.13 has no
// call for it); empty elsewhere.
QByteArray reportDescriptor(const QString &path)
{
#ifdef Q_OS_LINUX
    QFile file(QStringLiteral("/sys/class/hidraw/%1/device/report_descriptor")
                   .arg(QFileInfo(path).fileName()));
    if (file.open(QIODevice::ReadOnly))
        return file.read(kDescriptorMax);
#else
    Q_UNUSED(path);
#endif
    return {};
}

// A file that a capture may replace: none yet, an empty one, or an earlier capture.
bool replaceable(const QString &name)
{
    QFile file(name);
    if (!file.exists())
        return true;
    if (!QFileInfo(name).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(sizeof kHeaderStart - 1);
    return start.isEmpty() || start == kHeaderStart;
}

} // namespace

std::shared_ptr<Capture> Capture::start(const QString &file, const QString &tool,
                                        const QString &command, Failure *why)
{
    Failure ignored;
    if (!why)
        why = &ignored;
    if (!replaceable(file)) {
        *why = {FailureCode::CaptureNotOurs, {}};
        return nullptr;
    }
    std::shared_ptr<Capture> capture(new Capture(file));
    if (!capture->file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        *why = {FailureCode::CaptureUnwritable, capture->file_.errorString()};
        return nullptr;
    }
    capture->clock_.start();
    QByteArray line;
    Line(line, "capture")
        .number("format", kCaptureFormat)
        .text("tool", tool)
        .text("toolVersion", QStringLiteral(TARVENIX_VERSION))
        .text("platform",
              QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::currentCpuArchitecture())
        .text("hidapi", QString::fromLatin1(hid_version_str()))
        .text("recorded", QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs))
        .text("command", command);
    capture->put(line);
    if (capture->stopped_)
        *why = {FailureCode::CaptureUnwritable, capture->file_.errorString()};
    return capture->stopped_ ? nullptr : capture;
}

QString Capture::commandLine(const QStringList &arguments, const QStringList &userFiles)
{
    QStringList words;
    for (const QString &argument : arguments.mid(1)) {
        const QString value = argument.section(QLatin1Char('='), 1);
        if (userFiles.contains(argument))
            words << QStringLiteral("FILE");
        else if (argument.startsWith(QLatin1Char('-')) && userFiles.contains(value))
            words << argument.section(QLatin1Char('='), 0, 0) + QStringLiteral("=FILE");
        else
            words << argument;
    }
    return words.join(QLatin1Char(' '));
}

void Capture::put(QByteArray &line)
{
    line += "}\n";
    if (stopped_ || file_.write(line) == line.size())
        return;
    stopped_ = true;
    if (tellStopped_)
        tellStopped_({FailureCode::CaptureStopped, file_.errorString()});
}

void Capture::opened(const FoundDevice &device)
{
    const QMutexLocker lock(&mutex_);
    presence_ = Presence::Present;
    Line line(line_, "open");
    line.seconds("t", now())
        .hex4("vendorId", device.vendorId)
        .hex4("productId", device.productId)
        .hex4("usagePage", device.usagePage)
        .hex4("usage", device.usage)
        .number("interface", device.interfaceNumber)
        .text("manufacturer", device.manufacturer)
        .text("product", device.product)
        .text("serial", device.serial)
        .text("path", device.path);
    const QByteArray descriptor = reportDescriptor(device.path);
    if (!descriptor.isEmpty())
        line.hex("descriptor", reinterpret_cast<const std::uint8_t *>(descriptor.constData()),
                 descriptor.size());
    put(line_);
}

void Capture::closed()
{
    const QMutexLocker lock(&mutex_);
    Line(line_, "close").seconds("t", now());
    put(line_);
}

void Capture::wrote(qint64 startNs, qint64 tookNs, const Report &request, bool ok,
                    const QString &error)
{
    const QMutexLocker lock(&mutex_);
    Line line(line_, "write");
    line.seconds("t", startNs)
        .milliseconds("ms", tookNs)
        .hex("data", request.data(), kReportSize)
        .number("result", ok ? kReportSize : -1);
    if (!ok)
        line.text("error", error);
    put(line_);
}

void Capture::read(qint64 startNs, qint64 tookNs, int timeoutMs, ReadPurpose purpose,
                   const Report &report, int result, const QString &error)
{
    const QMutexLocker lock(&mutex_);
    Line line(line_, "read");
    line.seconds("t", startNs)
        .milliseconds("ms", tookNs)
        .number("timeoutMs", timeoutMs)
        .number("result", result);
    if (result > 0)
        line.hex("data", report.data(), qMin(result, kReportSize));
    if (result < 0)
        line.text("error", error);
    line.text("why", QLatin1String(purposeName(purpose)));
    put(line_);
}

void Capture::plugged()
{
    const QMutexLocker lock(&mutex_);
    if (presence_ == Presence::Present)
        return;
    presence_ = Presence::Present;
    Line(line_, "plug").seconds("t", now());
    put(line_);
}

void Capture::unplugged(const QString &name)
{
    const QMutexLocker lock(&mutex_);
    if (presence_ == Presence::Absent)
        return;
    presence_ = Presence::Absent;
    Line(line_, "unplug").seconds("t", now()).text("name", name);
    put(line_);
}

void Capture::end(int exitCode)
{
    const QMutexLocker lock(&mutex_);
    Line(line_, "end").seconds("t", now()).number("exitCode", exitCode);
    put(line_);
    file_.close();
    stopped_ = true;
}

} // namespace tarvenix
