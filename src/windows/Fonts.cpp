#include "windows/Fonts.h"

#include <QFile>
#include <QFontDatabase>

namespace {

const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"};

bool& TahomaRegistered() {
    static bool registered = false;
    return registered;
}

}  // namespace

void RegisterWindowFonts() {
    for (const char* file : kTahomaFiles)
        if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0) TahomaRegistered() = true;
}

QFont WindowFont(const QString& face, int pointSize, bool bold) {
    // Tahoma stands in for MS Sans Serif too: the same metrics family.
    bool tahomaFace = face == "Tahoma" || face == "MS Sans Serif";
    QFont font(tahomaFace && TahomaRegistered() ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}
