#include "windows/CommandPicture.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "windows/Fonts.h"

const std::vector<CommandLine>& CommandLines() {
    static const std::vector<CommandLine> lines = {
        {"F1", "help"},
        {"F2", "settings"},
        {"F3", "music on/off"},
        {},
        {"Up / Down", "adjust slideshow speed"},
        {"Space / Right mouse button", "pause / resume"},
        {},
        {"Right / Left mouse button", "next picture, move 10 or 100 when held longer"},
        {"Left / Hold left mouse button, move left then release", "move back"},
        {},
        {"L/R", "rotate 90 or 270 degrees"},
        {},
        {"Escape", "close program"},
    };
    return lines;
}

QImage CommandPicture() {
    QImage image(kCommandPictureSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = WindowFont("Tahoma", 9, true);
    painter.setFont(font);
    QFontMetrics metrics(font);

    // Keys right-aligned against the hyphen, actions left-aligned after it; the
    // whole block centred in the picture.
    int keysWidth = 0, actionWidth = 0;
    for (const CommandLine& line : CommandLines()) {
        keysWidth = std::max(keysWidth, metrics.horizontalAdvance(line.keys));
        actionWidth = std::max(actionWidth, metrics.horizontalAdvance(line.action));
    }
    const QString hyphen = " - ";
    int hyphenWidth = metrics.horizontalAdvance(hyphen);
    int left = std::max(0, (image.width() - keysWidth - hyphenWidth - actionWidth) / 2);

    int top = 0;
    for (const CommandLine& line : CommandLines()) {
        QRect row(0, top, image.width(), kCommandRowHeight);
        top += kCommandRowHeight;
        if (line.keys.isEmpty()) continue;
        painter.setPen(Qt::white);
        painter.drawText(QRect(left, row.top(), keysWidth, row.height()), Qt::AlignRight | Qt::AlignVCenter, line.keys);
        painter.drawText(QRect(left + keysWidth, row.top(), hyphenWidth, row.height()), Qt::AlignCenter, hyphen);
        painter.setPen(QColor(255, 136, 17));
        painter.drawText(QRect(left + keysWidth + hyphenWidth, row.top(), actionWidth, row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, line.action);
    }
    return image;
}
