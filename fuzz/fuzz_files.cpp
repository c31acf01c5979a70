// The checks before a transfer and its progress schedule, driven by a fuzzed
// file size and fuzzed file names; and the save name the user typed.
//
// One sparse file is reused for every input: resized (no data is written, so no
// disk is used) and renamed to the fuzzed name. Sizes stay below a few GiB.

#include "check.h"
#include "device/report.h"
#include "transfer/blockloop.h"
#include "transfer/filechecks.h"
#include "words/failures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextCodec>
#include <algorithm>
#include <clocale>
#include <fuzzer/FuzzedDataProvider.h>

using namespace tarvenix;

namespace {

constexpr qint64 kSizeCap = kMaxOffsetFileSize + 64 * 1024;
constexpr int kFullScanBlocks = 1 << 15;
constexpr int kMaxNameLength = 40;

struct Sandbox {
    QTemporaryDir dir;
    QString file; // the one sparse file, under its latest name

    // A name in the folder, whatever it starts with (filePath takes ":x" for a resource).
    QString inside(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
};

Sandbox &sandbox()
{
    static Sandbox box;
    return box;
}

int entries(const QString &dirPath)
{
    return int(QDir(dirPath)
                   .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)
                   .size());
}

// A name the file system takes: no separators, no NUL, not "." or "..".
QString fileNameFrom(const std::string &bytes)
{
    QString name = QString::fromUtf8(bytes.data(), int(bytes.size())).left(kMaxNameLength);
    // A pair cut in half would be written as '?' and collide with another name.
    if (!name.isEmpty() && name.at(name.size() - 1).isHighSurrogate())
        name.chop(1);
    name.remove(QLatin1Char('/')).remove(QChar(0));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = QStringLiteral("x");
    return name;
}

qint64 fuzzedSize(FuzzedDataProvider &in)
{
    qint64 size = 0;
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
        size = in.ConsumeIntegralInRange<qint64>(0, kSizeCap);
        break;
    case 1: // around the largest addressable file
        size = kMaxOffsetFileSize + in.ConsumeIntegralInRange<qint64>(-4096, 4096);
        break;
    case 2: // around the data area
        size = kDataAreaSize + in.ConsumeIntegralInRange<qint64>(-4096, 4096);
        break;
    default:
        size = in.ConsumeIntegralInRange<qint64>(0, 8192);
        break;
    }
    if (in.ConsumeBool())
        size -= size % kBlockSize;
    return size;
}

void checkSchedule(int blocks, FuzzedDataProvider &in)
{
    const StepSchedule schedule(blocks);
    constexpr int kLast = StepSchedule::kSteps - 1;
    FUZZ_CHECK(schedule.stepsAfter(blocks) == kLast);
    if (blocks <= 0)
        return;
    FUZZ_CHECK(schedule.stepsAfter(0) == 0);
    if (blocks <= kFullScanBlocks) {
        int previous = 0;
        for (int done = 0; done <= blocks; ++done) {
            const int steps = schedule.stepsAfter(done);
            FUZZ_CHECK(steps >= previous && steps <= kLast);
            previous = steps;
        }
    }
    for (int i = 0; i < 16; ++i) {
        int a = in.ConsumeIntegralInRange<int>(0, blocks);
        int b = in.ConsumeIntegralInRange<int>(0, blocks);
        if (a > b)
            std::swap(a, b);
        FUZZ_CHECK(schedule.stepsAfter(a) >= 0 && schedule.stepsAfter(b) <= kLast);
        FUZZ_CHECK(schedule.stepsAfter(a) <= schedule.stepsAfter(b));
    }
    // Step k falls once k sixths of the blocks are done, not a block earlier.
    for (int k = 1; k <= kLast; ++k) {
        const int first =
            int((qint64(k) * blocks + StepSchedule::kSteps - 1) / StepSchedule::kSteps);
        FUZZ_CHECK(schedule.stepsAfter(first) >= k);
        FUZZ_CHECK(first == 0 || schedule.stepsAfter(first - 1) < k);
    }
}

void checkSourceOfSize(TransferKind kind, qint64 size)
{
    Sandbox &box = sandbox();
    FUZZ_CHECK(QFile::resize(box.file, size));
    qint64 got = -1;
    const Failure refusal = checkSourceFile(kind, box.file, &got);
    const QString message = refusalMessage(refusal, box.file);
    const bool fits = size > 0 && size % kBlockSize == 0 && size <= kMaxOffsetFileSize &&
                      (kind != TransferKind::Data || size <= kDataAreaSize);
    FUZZ_CHECK(!refusal == fits);
    FUZZ_CHECK(got == (fits ? size : -1));
    if (!fits) {
        // The user must see which file and what size were refused.
        const QString quoted = QLatin1Char('"') + QFileInfo(box.file).fileName() + QLatin1Char('"');
        FUZZ_CHECK(message.startsWith(QStringLiteral("The file ") + quoted +
                                      QStringLiteral(" has ") + QString::number(size) +
                                      QStringLiteral(" bytes")));
    }
}

bool endsInBinAscii(const QString &name)
{
    static const char kBin[] = ".bin";
    if (name.size() < 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        const ushort c = name.at(name.size() - 4 + i).unicode();
        if (c >= 0x80 || (c | 0x20) != ushort(kBin[i]) || (i == 0 && c != '.'))
            return false;
    }
    return true;
}

void checkSaveSuffix(const QString &chosen)
{
    const QString name = saveFileName(chosen);
    // A name the save accepts has a file part of its own, which the saved name keeps:
    // "" or "dir/" never becomes a hidden ".bin".
    const QString part = QFileInfo(chosen).fileName();
    if (!checkSaveName(chosen))
        FUZZ_CHECK(!part.isEmpty() && QFileInfo(name).fileName().startsWith(part));
    FUZZ_CHECK(name == (endsInBinAscii(chosen) ? chosen : chosen + QStringLiteral(".bin")));
    FUZZ_CHECK(name.endsWith(QStringLiteral(".bin"), Qt::CaseInsensitive));
    FUZZ_CHECK(saveFileName(name) == name); // never a second ".bin"
}

void checkSaveTargetNamed(const QString &name)
{
    Sandbox &box = sandbox();
    const QString target = box.inside(saveFileName(name));
    FUZZ_CHECK(!checkSaveTarget(target));
    // The check leaves nothing behind, not even the target itself.
    FUZZ_CHECK(entries(box.dir.path()) == 1);
    FUZZ_CHECK(target == box.file || !QFileInfo::exists(target));
    const QString unreachable = box.dir.filePath(QStringLiteral("missing/")) + saveFileName(name);
    FUZZ_CHECK(refusalMessage(checkSaveTarget(unreachable), unreachable).contains(unreachable));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // File names are UTF-8 whatever the environment says, so every name maps to bytes.
    std::setlocale(LC_ALL, "C.UTF-8");
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    Sandbox &box = sandbox();
    box.file = box.dir.filePath(QStringLiteral("image.bin"));
    QFile file(box.file);
    return file.open(QIODevice::WriteOnly) ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Sandbox &box = sandbox();
    FuzzedDataProvider in(data, size);
    const TransferKind kind = in.ConsumeBool() ? TransferKind::Data : TransferKind::Firmware;
    const qint64 fileSize = fuzzedSize(in);
    const int mode = in.ConsumeIntegralInRange<int>(0, 7);
    const QString name = fileNameFrom(in.ConsumeRandomLengthString(kMaxNameLength * 2));

    const QString renamed = box.inside(name);
    if (renamed != box.file && QFile::rename(box.file, renamed))
        box.file = renamed;

    if (mode == 0) {
        const QString missing = box.dir.filePath(QStringLiteral("missing/")) + name;
        const QString message = refusalMessage(checkSourceFile(kind, missing), missing);
        FUZZ_CHECK(message.contains(QStringLiteral("cannot be found")) &&
                   message.contains(missing));
    } else if (mode == 1) {
        const QString message =
            refusalMessage(checkSourceFile(kind, box.dir.path()), box.dir.path());
        FUZZ_CHECK(message.contains(QStringLiteral("it is not a file")));
    } else {
        checkSourceOfSize(kind, fileSize);
    }
    checkSchedule(int(fileSize / kBlockSize), in);
    checkSaveTargetNamed(name);

    // The save name sees any text a file dialog may return, surrogates included.
    const std::string raw = in.ConsumeRemainingBytesAsString();
    const QString chosen(reinterpret_cast<const QChar *>(raw.data()), int(raw.size() / 2));
    checkSaveSuffix(chosen);
    checkSaveSuffix(name);
    return 0;
}
