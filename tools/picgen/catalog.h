#pragma once
// Every picture the app compiles in: its file on disk, its resource name, how to draw it.

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

namespace tarvenix::picgen {

struct Picture {
    QString file;     // ASCII, so rcc finds it under any locale
    QString resource; // the name the app asks for, below ":/"
    std::function<QImage()> draw;
};

const QVector<Picture> &catalog();

// Draws the picture stored under `file`; a null image for an unknown name.
QImage drawPicture(const QString &file);

} // namespace tarvenix::picgen
