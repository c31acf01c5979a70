#include "fakehid.h"

#include <algorithm>
#include <cstring>
#include <hidapi.h>

int hid_write(hid_device *dev, const unsigned char *, size_t length)
{
    ++dev->writes;
    if (length != std::size_t(tarvenix::kReportSize) || dev->next >= dev->script.size() ||
        dev->script[dev->next].writeFails) {
        ++dev->next;
        return -1;
    }
    dev->pending = true;
    dev->pendingLength = dev->script[dev->next++].replyLength;
    return int(length);
}

// Like hidraw: a read copies at most its buffer and leaves the rest untouched.
int hid_read_timeout(hid_device *dev, unsigned char *data, size_t length, int)
{
    if (!dev->pending)
        return 0;
    dev->pending = false;
    const int n = std::min(dev->pendingLength, int(length));
    if (n > 0)
        std::memcpy(data, dev->reply.data(), std::size_t(n));
    return n;
}

const wchar_t *hid_error(hid_device *dev)
{
    return !dev || dev->errorIsNull ? nullptr : dev->error.c_str();
}

void hid_close(hid_device *) {}
