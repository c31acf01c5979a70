#include "device/hidport.h"

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

    int read(Report &report, int timeoutMs, ReadPurpose) override
    {
        return hid_read_timeout(device_, report.data(), report.size(), timeoutMs);
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
