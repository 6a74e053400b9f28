// The window a start without arguments shows. For now a titled, empty dialog
// that Escape closes.
#pragma once

#include <QDialog>

class TfrmFirstInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFirstInfo(QWidget* parent = nullptr);
};
