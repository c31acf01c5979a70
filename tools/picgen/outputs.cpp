#include "outputs.h"

#include "catalog.h"
#include "glyphs.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>

namespace tarvenix::picgen {

namespace {

const int kIconSizes[] = {16, 32, 48, 64, 128, 256};

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Straight alpha is what PNG stores; converting here keeps the writer's path fixed.
    const QImage::Format format =
        image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    image.convertToFormat(format).save(&buffer, "PNG");
    return bytes;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return QStringLiteral("cannot create the folder for %1").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    return QString();
}

QByteArray icoContainer(const QByteArray &png, int size)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(1); // reserved, type icon, one image
    // One directory entry; a size byte of 0 would mean 256.
    out << quint8(size) << quint8(size) << quint8(0) << quint8(0);
    out << quint16(1) << quint16(32) << quint32(png.size()) << quint32(6 + 16);
    bytes.append(png);
    return bytes;
}

// The logo for desktops that scale an icon to any size: the same drawing on its 256-unit
// grid, as SVG.
QByteArray logoSvg()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Tarvenix Manager"));
    QPainter p(&svg);
    p.setRenderHint(QPainter::Antialiasing);
    paintLogo(p);
    p.end();
    return bytes;
}

// One file the generator writes: a picture for one language at one scale.
struct Output {
    const Picture &picture;
    const Words &words;
    int scale;
    QString path;  // below the picture folder
    QString alias; // the resource name the app asks for
};

// English has every picture; another language has those that carry words, and
// the app falls back to the English ones for the rest. Each comes at 100 % and
// at twice that, for screens that scale by 200 %.
QVector<Output> outputs(const Words &words)
{
    QVector<Output> list;
    for (const Picture &picture : catalog()) {
        if (!words.code.isEmpty() && !picture.worded)
            continue;
        for (int scale : {1, 2}) {
            const QString name = atScale(picture.file, scale);
            list.append({picture, words, scale,
                         words.code.isEmpty() ? name : words.code + QLatin1Char('/') + name,
                         atScale(picture.resource, scale)});
        }
    }
    return list;
}

QString qrcLine(const Output &output, const QDir &qrcDir, const QDir &picsDir)
{
    const QString source = qrcDir.relativeFilePath(picsDir.absoluteFilePath(output.path));
    return QStringLiteral("        <file alias=\"%1\">%2</file>\n")
        .arg(output.alias.toHtmlEscaped(), source.toHtmlEscaped());
}

// The resource group of one language; Qt picks a language's group by the locale.
QString qrcGroup(const Words &words, const QDir &qrcDir, const QDir &picsDir)
{
    const QString lang =
        words.code.isEmpty() ? QString() : QStringLiteral(" lang=\"%1\"").arg(words.code);
    QString text = QStringLiteral("    <qresource prefix=\"/\"%1>\n").arg(lang);
    for (const Output &output : outputs(words))
        text += qrcLine(output, qrcDir, picsDir);
    return text + QStringLiteral("    </qresource>\n");
}

// Qt draws a family that is not installed in another font, whose letters may be missing or
// of other widths: the pictures would change without a word. Checked before any is written.
QString missingFont()
{
    const QStringList installed = QFontDatabase().families();
    for (const Words &words : languages()) {
        if (!installed.contains(words.family))
            return QStringLiteral("the font \"%1\" for the %2 pictures is not installed; "
                                  "install it (tools/install-deps.sh does) and run again")
                .arg(words.family, words.code.isEmpty() ? QStringLiteral("English") : words.code);
    }
    return QString();
}

} // namespace

QString writePictures(const QString &folder)
{
    const QString missing = missingFont();
    if (!missing.isEmpty())
        return missing;
    const QDir dir(folder);
    for (const Words &words : languages()) {
        for (const Output &output : outputs(words)) {
            const QImage image = output.picture.draw({output.words, output.scale});
            const QString error = writeFile(dir.filePath(output.path), pngBytes(image));
            if (!error.isEmpty())
                return error;
        }
    }
    return QString();
}

QString writeIcons(const QString &dataDir)
{
    const QDir dir(dataDir);
    for (int size : kIconSizes) {
        const QString path =
            dir.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/tarvenix-manager.png").arg(size));
        const QString error = writeFile(path, pngBytes(logo(size)));
        if (!error.isEmpty())
            return error;
    }
    return writeFile(
        dir.filePath(QStringLiteral("icons/hicolor/scalable/apps/tarvenix-manager.svg")),
        logoSvg());
}

QString writeIco(const QString &path)
{
    constexpr int kSize = 32;
    return writeFile(path, icoContainer(pngBytes(logo(kSize)), kSize));
}

QString writeQrc(const QString &qrcPath, const QString &picsFolder)
{
    const QDir qrcDir = QFileInfo(qrcPath).absoluteDir();
    const QDir picsDir(QFileInfo(picsFolder).absoluteFilePath());
    QString text = QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n"
                                  "    <!-- Generated by tools/picgen; the aliases are the "
                                  "names the app asks for. -->\n");
    for (const Words &words : languages())
        text += qrcGroup(words, qrcDir, picsDir);
    text += QStringLiteral("</RCC>\n");
    return writeFile(qrcPath, text.toUtf8());
}

} // namespace tarvenix::picgen
