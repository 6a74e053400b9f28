#include "windows/ErrorMessageBox.h"

#include <QMessageBox>

void ErrorMessageBox::ShowError(const std::string& Text) {
    QMessageBox::critical(nullptr, QStringLiteral("Lumetta"), QString::fromStdString(Text));
}
