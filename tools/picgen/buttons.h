#pragma once
// The labelled push buttons, at rest and lit (hover and pressed share a picture).

#include <QImage>
#include <QString>

namespace tarvenix::picgen {

struct ButtonFace {
    QString label;
    QSize widget;  // the rectangle the app shows the picture in
    QSize picture; // the picture's own size; the app stretches it into `widget`
};

QImage buttonAtRest(const ButtonFace &face);
QImage buttonLit(const ButtonFace &face);

} // namespace tarvenix::picgen
