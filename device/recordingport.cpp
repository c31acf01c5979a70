#include "device/recordingport.h"

namespace tarvenix {

namespace {

class RecordingPort final : public HidPort {
  public:
    RecordingPort(HidPortPtr port, std::shared_ptr<Capture> capture, QString path)
        : port_(std::move(port)), capture_(std::move(capture)), path_(std::move(path))
    {
        capture_->opened(listedDevice(path_));
    }
    ~RecordingPort() override
    {
        port_.reset();
        capture_->closed();
    }
    RecordingPort(const RecordingPort &) = delete;
    RecordingPort &operator=(const RecordingPort &) = delete;

    bool write(const Report &report) override
    {
        const qint64 start = capture_->now();
        const bool ok = port_->write(report);
        capture_->wrote(start, capture_->now() - start, report, ok,
                        ok ? QString() : port_->errorText());
        return ok;
    }

    int read(Report &report, int timeoutMs, ReadPurpose purpose, const StopRequest *stop) override
    {
        const qint64 start = capture_->now();
        const int result = port_->read(report, timeoutMs, purpose, stop);
        capture_->read(start, capture_->now() - start, timeoutMs, purpose, report, result,
                       result < 0 ? port_->errorText() : QString());
        return result;
    }

    QString errorText() const override { return port_->errorText(); }
    void noteUnplugged() override { capture_->unplugged(path_); }

  private:
    HidPortPtr port_;
    const std::shared_ptr<Capture> capture_;
    const QString path_;
};

} // namespace

HidPortPtr recordingPort(HidPortPtr port, std::shared_ptr<Capture> capture, const QString &path)
{
    return std::make_unique<RecordingPort>(std::move(port), std::move(capture), path);
}

} // namespace tarvenix
