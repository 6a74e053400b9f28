// The faces the windows name (Tahoma, Verdana, MS Sans Serif), mapped to what
// this desktop has: Wine's metric-compatible Tahoma when installed, DejaVu Sans
// (of Verdana's proportions) otherwise.
#pragma once

#include <QFont>
#include <QString>

// Registers Wine's Tahoma files with the application; call once after the
// QApplication exists. Missing files are skipped.
void RegisterWindowFonts();

// A font of the named face at a size in points, as the windows ask for it.
QFont WindowFont(const QString& face, int pointSize, bool bold = false);
