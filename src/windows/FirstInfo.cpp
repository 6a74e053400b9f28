#include "windows/FirstInfo.h"

TfrmFirstInfo::TfrmFirstInfo(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Welcome!"));
    resize(480, 320);
}
