#pragma once
// The labelled push buttons, at rest and lit (hover and pressed share a picture).

#include "words.h"

#include <QImage>
#include <QString>

namespace tarvenix::picgen {

struct ButtonFace {
    QString Words::*label;
    QSize widget;  // the rectangle the app shows the picture in
    QSize picture; // the picture's own size at 100 %; the app stretches it into `widget`
};

QImage buttonAtRest(const ButtonFace &face, const Variant &v);
QImage buttonLit(const ButtonFace &face, const Variant &v);

} // namespace tarvenix::picgen
