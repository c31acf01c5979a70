#include "buttons.h"

#include "canvas.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace tarvenix::picgen {

namespace {

// Room around the body for shadow or glow; equal in both states so they line up.
constexpr qreal kMargin = 3.0;
constexpr int kLabelPixels = 17;

struct Look {
    QColor top;
    QColor bottom;
    QColor border;
    QColor label;
    bool lit;
};

Look restLook()
{
    return {QColor(66, 68, 72), QColor(30, 31, 34), QColor(88, 92, 98), brandGreen(), false};
}

Look litLook()
{
    return {QColor(74, 96, 50), QColor(30, 44, 18), brandGreen(), QColor(214, 255, 150), true};
}

QPainterPath bodyShape(const QSizeF &widget)
{
    // Half-pixel inset keeps the 1 px border sharp.
    const QRectF box(kMargin + 0.5, kMargin + 0.5, widget.width() - 2 * kMargin - 1,
                     widget.height() - 2 * kMargin - 1);
    return roundedBox(box, std::min(9.0, box.height() / 4));
}

void paintHalo(QPainter &p, const QPainterPath &body, const Look &look)
{
    if (look.lit)
        paintGlow(p, body, brandGreen(150), kMargin, 6);
    else
        paintGlow(p, body.translated(0, 1), QColor(0, 0, 0, 170), kMargin - 0.5, 4);
}

void paintFill(QPainter &p, const QPainterPath &body, const Look &look)
{
    const QRectF box = body.boundingRect();
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, look.top);
    gradient.setColorAt(1, look.bottom);
    p.fillPath(body, gradient);
}

// A highlight over the upper half makes the surface read as raised.
void paintSheen(QPainter &p, const QPainterPath &body)
{
    const QRectF box = body.boundingRect();
    QLinearGradient gradient(box.topLeft(), QPointF(box.left(), box.center().y()));
    gradient.setColorAt(0, QColor(255, 255, 255, 46));
    gradient.setColorAt(1, QColor(255, 255, 255, 6));
    p.save();
    p.setClipPath(body);
    p.fillRect(QRectF(box.left(), box.top(), box.width(), box.height() / 2), gradient);
    p.restore();
}

void paintBorder(QPainter &p, const QPainterPath &body, const Look &look)
{
    p.strokePath(body, QPen(look.border, 1.0));
    // A faint inner rim catches light along the top edge.
    const QRectF inner = body.boundingRect().adjusted(1, 1, -1, -1);
    QLinearGradient rim(inner.topLeft(), inner.bottomLeft());
    rim.setColorAt(0, QColor(255, 255, 255, 60));
    rim.setColorAt(0.5, QColor(255, 255, 255, 0));
    p.strokePath(roundedBox(inner, std::min(8.0, inner.height() / 4)), QPen(rim, 1.0));
}

void paintLabel(QPainter &p, const QPainterPath &body, const QString &label, const QString &family,
                const Look &look)
{
    const qreal room = body.boundingRect().width() - 24;
    const QFont font = uiFont(fitPixelSize(label, true, room, kLabelPixels, family), true, family);
    const QPainterPath text = textCentred(label, font, body.boundingRect().center());
    p.fillPath(text.translated(0, 1), QColor(0, 0, 0, 180));
    if (look.lit)
        paintGlow(p, text, brandGreen(90), 2.5, 3);
    p.fillPath(text, look.label);
}

QImage button(const ButtonFace &face, const Variant &v, const Look &look)
{
    return paintScaled(face.picture * v.scale, QSizeF(face.widget), [&](QPainter &p) {
        const QPainterPath body = bodyShape(QSizeF(face.widget));
        paintHalo(p, body, look);
        paintFill(p, body, look);
        paintSheen(p, body);
        paintBorder(p, body, look);
        paintLabel(p, body, v.words.*face.label, v.words.family, look);
    });
}

} // namespace

QImage buttonAtRest(const ButtonFace &face, const Variant &v)
{
    return button(face, v, restLook());
}

QImage buttonLit(const ButtonFace &face, const Variant &v)
{
    return button(face, v, litLook());
}

} // namespace tarvenix::picgen
