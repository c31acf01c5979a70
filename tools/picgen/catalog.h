#pragma once
// Every picture the app compiles in: its file on disk, its resource name, how to draw it.

#include "words.h"

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>

namespace tarvenix::picgen {

struct Picture {
    QString file;     // ASCII, so rcc finds it under any locale
    QString resource; // the name the app asks for, below ":/"
    bool worded;      // it carries words, so it comes in every language
    std::function<QImage(const Variant &)> draw;
};

const QVector<Picture> &catalog();

// Draws the English picture at 100 % stored under `file`; a null image for an unknown name.
QImage drawPicture(const QString &file);

// The name of a picture drawn at `scale`, as Qt looks for it on a screen that
// scales by as much: "btn_run.png" at 2 is "btn_run@2x.png".
QString atScale(const QString &name, int scale);

} // namespace tarvenix::picgen
