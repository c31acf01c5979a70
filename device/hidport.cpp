#include "device/hidport.h"

#include <QElapsedTimer>
#include <hidapi.h>

namespace tarvenix {

namespace {

// hidapi's device, closed when the port goes.
class HidapiPort final : public HidPort {
  public:
    explicit HidapiPort(hid_device *device) : device_(device) {}
    ~HidapiPort() override { hid_close(device_); }
    HidapiPort(const HidapiPort &) = delete;
    HidapiPort &operator=(const HidapiPort &) = delete;

    bool write(const Report &report) override
    {
        return hid_write(device_, report.data(), report.size()) >= 0;
    }

    // A wait that a stop may cut is made in slices. A slice that ends with nothing before its
    // time is up is an empty report (hidapi says 0 for both), and ends the read as it is.
    int read(Report &report, int timeoutMs, ReadPurpose, const StopRequest *stop) override
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            const int left = int(qMax<qint64>(0, timeoutMs - clock.elapsed()));
            const int slice = stop ? qMin(left, kReadSliceMs) : left;
            const qint64 sliceStart = clock.nsecsElapsed();
            const int n = hid_read_timeout(device_, report.data(), report.size(), slice);
            const bool waitedWholeSlice = clock.nsecsElapsed() - sliceStart >= slice * 1000000LL;
            if (n != 0 || !waitedWholeSlice || slice == left || stop->requested())
                return n;
        }
    }

    QString errorText() const override
    {
        const wchar_t *text = hid_error(device_);
        return text ? QString::fromWCharArray(text) : QString();
    }

  private:
    hid_device *const device_;
};

} // namespace

HidPortPtr openPort(const char *path)
{
    hid_device *device = hid_open_path(path);
    if (!device)
        return nullptr;
    hid_set_nonblocking(device, 0);
    return std::make_unique<HidapiPort>(device);
}

} // namespace tarvenix
