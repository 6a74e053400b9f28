#include "windows/ArrowImages.h"

#include <QPainter>
#include <QPolygonF>

namespace {

// A triangle pointing right, its back edge at `back`, its tip at back + 30.
QPolygonF TriangleAt(double back) { return QPolygonF({{back, 22}, {back, 78}, {back + 30, 50}}); }

}  // namespace

QImage ArrowImage(ArrowKind kind) {
    QImage canvas(kArrowImageSize, kArrowImageSize, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    bool backward = kind == ArrowKind::kBackward || kind == ArrowKind::kFastBackward;
    if (backward) {  // drawn as forward, mirrored about the vertical centre line
        painter.translate(kArrowImageSize, 0);
        painter.scale(-1, 1);
    }
    if (kind == ArrowKind::kFastForward || kind == ArrowKind::kFastBackward) {
        painter.drawPolygon(TriangleAt(20));
        painter.drawPolygon(TriangleAt(50));
    } else {
        painter.drawPolygon(TriangleAt(35));
    }
    painter.end();
    return canvas.convertToFormat(QImage::Format_Grayscale8);
}
