// The help window's picture of the keyboard and mouse commands: on black, one
// command per line, the keys in white, a hyphen, the action in orange, the
// groups parted by blank lines.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

struct CommandLine {
    QString keys;   // empty for the blank line between two groups
    QString action;
};

// The lines of the picture from top to bottom, blank lines included.
const std::vector<CommandLine>& CommandLines();

constexpr QSize kCommandPictureSize(799, 326);
constexpr int kCommandRowHeight = 25;

// Row i of CommandLines() is drawn in the band [i * kCommandRowHeight, (i + 1) * kCommandRowHeight).
QImage CommandPicture();
