#include "catalog.h"

#include "background.h"
#include "buttons.h"
#include "glyphs.h"

namespace tarvenix::picgen {

namespace {

const ButtonFace kLoadFirmware{&Words::loadFirmware, QSize(188, 54), QSize(188, 54)};
// The app shows this 62 px tall picture squeezed into the 54 px button.
const ButtonFace kLoadFirmwareLit{&Words::loadFirmware, QSize(188, 54), QSize(188, 62)};
const ButtonFace kRun{&Words::run, QSize(100, 51), QSize(100, 51)};
const ButtonFace kLoadData{&Words::loadData, QSize(188, 54), QSize(188, 54)};
const ButtonFace kSave{&Words::save, QSize(182, 48), QSize(182, 48)};

using Draw = std::function<QImage(const Variant &)>;

Picture plain(const char *file, const char *resource, Draw draw)
{
    return {QString::fromLatin1(file), QString::fromUtf8(resource), false, std::move(draw)};
}

Picture worded(const char *file, const char *resource, Draw draw)
{
    return {QString::fromLatin1(file), QString::fromUtf8(resource), true, std::move(draw)};
}

Draw buttonAtRestOf(const ButtonFace &face)
{
    return [&face](const Variant &v) { return buttonAtRest(face, v); };
}

Draw buttonLitOf(const ButtonFace &face)
{
    return [&face](const Variant &v) { return buttonLit(face, v); };
}

QVector<Picture> windowPictures()
{
    return {
        worded("background.png", "pics/背景.png", background),
        worded("device_connected.png", "pics/Device connected.png",
               [](const Variant &v) { return statusLine(true, v); }),
        worded("device_not_connected.png", "pics/Device not connected.png",
               [](const Variant &v) { return statusLine(false, v); }),
        plain("exit_large.png", "pics/退出-大.png", exitAtRest),
        plain("exit_small.png", "pics/退出-小.png", exitLit),
        plain("minimise_large.png", "pics/最小化-大.png", minimiseAtRest),
        plain("minimise_small.png", "pics/最小化-小.png", minimiseLit),
    };
}

QVector<Picture> buttonPictures()
{
    return {
        worded("btn_load_firmware.png", "pics/按钮-Load Firmware.png",
               buttonAtRestOf(kLoadFirmware)),
        worded("btn_load_firmware_hover.png", "pics/按钮-小-Load firmware.png",
               buttonLitOf(kLoadFirmwareLit)),
        worded("btn_run.png", "pics/按钮-Run.png", buttonAtRestOf(kRun)),
        // The blank before ".png" belongs to the name the app asks for.
        worded("btn_run_hover.png", "pics/按钮-小-Run .png", buttonLitOf(kRun)),
        worded("btn_load_data.png", "pics/按钮-Load Data.png", buttonAtRestOf(kLoadData)),
        worded("btn_load_data_hover.png", "pics/按钮-小-Load Data.png", buttonLitOf(kLoadData)),
        worded("btn_save.png", "pics/按钮-Save.png", buttonAtRestOf(kSave)),
        worded("btn_save_hover.png", "pics/按钮-Save-小.png", buttonLitOf(kSave)),
    };
}

QVector<Picture> markPictures()
{
    return {
        plain("arrow.png", "pics/箭头.png", [](const Variant &v) { return arrow(false, v); }),
        plain("arrow_lit.png", "pics/箭头-亮.png", [](const Variant &v) { return arrow(true, v); }),
        plain("logo-32x32.png", "pics/logo-32x32.png",
              [](const Variant &v) { return logo(32 * v.scale); }),
        plain("closeBtnNormal.png", "pics/closeBtnNormal.png", dialogCloseNormal),
        plain("closeBtnHover.png", "pics/closeBtnHover.png", dialogCloseHover),
        plain("closeBtnPress.png", "pics/closeBtnPress.png", dialogClosePressed),
    };
}

} // namespace

const QVector<Picture> &catalog()
{
    static const QVector<Picture> all = windowPictures() + buttonPictures() + markPictures();
    return all;
}

QImage drawPicture(const QString &file)
{
    for (const Picture &picture : catalog()) {
        if (picture.file == file)
            return picture.draw(plainVariant());
    }
    return QImage();
}

QString atScale(const QString &name, int scale)
{
    if (scale == 1)
        return name;
    QString scaled = name;
    return scaled.insert(name.lastIndexOf(QLatin1Char('.')), QStringLiteral("@%1x").arg(scale));
}

} // namespace tarvenix::picgen
