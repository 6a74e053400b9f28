#include "startup/UStartup.h"

#include <QApplication>
#include "windows/WelcomeRoad.h"

int RunLumetta(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc <= 1) RunWelcomeWindow();
    return 0;
}
