#include "catalog.h"

#include "background.h"
#include "buttons.h"
#include "glyphs.h"

namespace tarvenix::picgen {

namespace {

const ButtonFace kLoadFirmware{QStringLiteral("Load Firmware"), QSize(188, 54), QSize(188, 54)};
// The app shows this 62 px tall picture squeezed into the 54 px button.
const ButtonFace kLoadFirmwareLit{QStringLiteral("Load Firmware"), QSize(188, 54), QSize(188, 62)};
const ButtonFace kRun{QStringLiteral("Run"), QSize(100, 51), QSize(100, 51)};
const ButtonFace kLoadData{QStringLiteral("Load Data"), QSize(188, 54), QSize(188, 54)};
const ButtonFace kSave{QStringLiteral("Save"), QSize(182, 48), QSize(182, 48)};

Picture entry(const char *file, const char *resource, std::function<QImage()> draw)
{
    return {QString::fromLatin1(file), QString::fromUtf8(resource), std::move(draw)};
}

QVector<Picture> windowPictures()
{
    return {
        entry("background.png", "pics/背景.png", background),
        entry("device_connected.png", "pics/Device connected.png", [] { return statusLine(true); }),
        entry("device_not_connected.png", "pics/Device not connected.png",
              [] { return statusLine(false); }),
        entry("exit_large.png", "pics/退出-大.png", exitAtRest),
        entry("exit_small.png", "pics/退出-小.png", exitLit),
        entry("minimise_large.png", "pics/最小化-大.png", minimiseAtRest),
        entry("minimise_small.png", "pics/最小化-小.png", minimiseLit),
    };
}

QVector<Picture> buttonPictures()
{
    return {
        entry("btn_load_firmware.png", "pics/按钮-Load Firmware.png",
              [] { return buttonAtRest(kLoadFirmware); }),
        entry("btn_load_firmware_hover.png", "pics/按钮-小-Load firmware.png",
              [] { return buttonLit(kLoadFirmwareLit); }),
        entry("btn_run.png", "pics/按钮-Run.png", [] { return buttonAtRest(kRun); }),
        // The blank before ".png" belongs to the name the app asks for.
        entry("btn_run_hover.png", "pics/按钮-小-Run .png", [] { return buttonLit(kRun); }),
        entry("btn_load_data.png", "pics/按钮-Load Data.png",
              [] { return buttonAtRest(kLoadData); }),
        entry("btn_load_data_hover.png", "pics/按钮-小-Load Data.png",
              [] { return buttonLit(kLoadData); }),
        entry("btn_save.png", "pics/按钮-Save.png", [] { return buttonAtRest(kSave); }),
        entry("btn_save_hover.png", "pics/按钮-Save-小.png", [] { return buttonLit(kSave); }),
    };
}

QVector<Picture> markPictures()
{
    return {
        entry("arrow.png", "pics/箭头.png", [] { return arrow(false); }),
        entry("arrow_lit.png", "pics/箭头-亮.png", [] { return arrow(true); }),
        entry("logo-32x32.png", "pics/logo-32x32.png", [] { return logo(32); }),
        entry("closeBtnNormal.png", "pics/closeBtnNormal.png", dialogCloseNormal),
        entry("closeBtnHover.png", "pics/closeBtnHover.png", dialogCloseHover),
        entry("closeBtnPress.png", "pics/closeBtnPress.png", dialogClosePressed),
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
            return picture.draw();
    }
    return QImage();
}

} // namespace tarvenix::picgen
