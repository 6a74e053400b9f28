#include "startup/UStartup.h"

#include <QApplication>

int RunLumetta(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
