#include "windows/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "windows/Fonts.h"

namespace {

const QColor kOrange(255, 136, 17);
const QColor kYellow(255, 200, 40);

QImage BlackCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

QPolygonF PlayTriangle(const QRectF& box) {
    return QPolygonF({box.topLeft(), box.bottomLeft(), QPointF(box.right(), box.center().y())});
}

// The program's mark: a warm rounded square holding two tilted photo frames
// and a play triangle.
void DrawMark(QPainter& painter, const QRectF& box) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    double s = box.width();
    QLinearGradient warm(box.topLeft(), box.bottomRight());
    warm.setColorAt(0, kYellow);
    warm.setColorAt(1, kOrange.darker(115));
    painter.setPen(Qt::NoPen);
    painter.setBrush(warm);
    painter.drawRoundedRect(box, s * 0.22, s * 0.22);

    painter.translate(box.center());
    for (double angle : {-12.0, 8.0}) {
        painter.save();
        painter.rotate(angle);
        QRectF frame(-s * 0.30, -s * 0.24, s * 0.60, s * 0.48);
        painter.setBrush(QColor(255, 255, 255, angle < 0 ? 110 : 235));
        painter.drawRoundedRect(frame, s * 0.03, s * 0.03);
        painter.restore();
    }
    painter.setBrush(kOrange);
    painter.drawPolygon(PlayTriangle(QRectF(-s * 0.08, -s * 0.13, s * 0.22, s * 0.26)));
    painter.restore();
}

// A tiny landscape photo: sky, sun and hill in one of a few palettes.
void DrawPhoto(QPainter& painter, const QRectF& box, int variant) {
    static const QColor skies[] = {{90, 160, 230}, {250, 170, 90}, {120, 110, 200}, {170, 215, 240}};
    static const QColor lands[] = {{70, 150, 60}, {150, 80, 40}, {40, 60, 110}, {210, 190, 120}};
    int v = variant % 4;
    painter.save();
    painter.setClipRect(box);
    QLinearGradient sky(box.topLeft(), box.bottomLeft());
    sky.setColorAt(0, skies[v].lighter(120));
    sky.setColorAt(1, skies[v]);
    painter.fillRect(box, sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 240, 180));
    double r = box.width() * 0.14;
    painter.drawEllipse(QPointF(box.left() + box.width() * (0.3 + 0.1 * v), box.top() + box.height() * 0.3), r, r);
    QPainterPath hill;
    hill.moveTo(box.bottomLeft());
    hill.lineTo(box.left(), box.top() + box.height() * 0.7);
    hill.quadTo(box.center().x(), box.top() + box.height() * (0.35 + 0.08 * v), box.right(),
                box.top() + box.height() * 0.65);
    hill.lineTo(box.bottomRight());
    painter.setBrush(lands[v]);
    painter.drawPath(hill);
    painter.restore();
}

QImage Mosaic(int size, int cells, bool play) {
    QImage image = BlackCanvas(size, size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    double gap = 2, cell = (size - gap * (cells - 1)) / cells;
    for (int row = 0; row < cells; ++row)
        for (int column = 0; column < cells; ++column)
            DrawPhoto(painter, QRectF(column * (cell + gap), row * (cell + gap), cell, cell), row * cells + column + row);
    if (play) {
        painter.setPen(QPen(Qt::black, 1.5));
        painter.setBrush(Qt::white);
        double t = size * 0.36;
        painter.drawPolygon(PlayTriangle(QRectF(size / 2.0 - t * 0.4, size / 2.0 - t / 2, t * 0.9, t)));
    }
    return image;
}

}  // namespace

QImage ProductLogo() {
    QImage image = BlackCanvas(243, 66);
    QPainter painter(&image);
    DrawMark(painter, QRectF(4, 7, 52, 52));
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::white);
    painter.setFont(WindowFont("Verdana", 27, true));
    painter.drawText(QRect(66, 2, 177, 44), Qt::AlignLeft | Qt::AlignVCenter, "Lumetta");
    painter.setPen(kOrange);
    painter.setFont(WindowFont("Tahoma", 8));
    painter.drawText(QRect(68, 44, 175, 18), Qt::AlignLeft | Qt::AlignVCenter, "photo slideshow");
    return image;
}

QImage MakerLogo() {
    QImage image = BlackCanvas(109, 32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath disc;
    disc.addEllipse(QRectF(3, 4, 24, 24));
    painter.setClipPath(disc);
    painter.fillRect(QRect(0, 0, 32, 32), QColor(150, 100, 55));
    painter.setPen(QPen(QColor(70, 45, 25), 3));
    for (int x = -20; x < 40; x += 7) painter.drawLine(QPointF(x, 32), QPointF(x + 18, 0));
    painter.setClipping(false);
    painter.setPen(QColor(220, 220, 220));
    painter.setFont(WindowFont("Verdana", 12, true));
    painter.drawText(QRect(32, 0, 77, 32), Qt::AlignLeft | Qt::AlignVCenter, "Brindle");
    return image;
}

QImage ProgramIcon() {
    QImage image = BlackCanvas(92, 92);
    QPainter painter(&image);
    DrawMark(painter, QRectF(2, 2, 88, 88));
    return image;
}

QImage PlayMosaic() { return Mosaic(69, 3, true); }

QImage SmallMosaic() { return Mosaic(46, 2, false); }
