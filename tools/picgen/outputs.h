#pragma once
// Writing the pictures, the desktop icons, the Windows icon and the resource list.
// Each returns an empty string on success, or a message naming what failed.

#include <QString>

namespace tarvenix::picgen {

QString writePictures(const QString &folder);

// The logo as DIR/icons/hicolor/<N>x<N>/apps/tarvenix-manager.png, and as
// DIR/icons/hicolor/scalable/apps/tarvenix-manager.svg.
QString writeIcons(const QString &dataDir);

// A 32 x 32 32-bit .ico holding one PNG-compressed image.
QString writeIco(const QString &path);

// The .qrc that gives each file in `picsFolder` its resource name as an alias.
QString writeQrc(const QString &qrcPath, const QString &picsFolder);

} // namespace tarvenix::picgen
