// A captioned group of radio buttons laid out in columns, one of which is
// chosen (ItemIndex, -1 for none). clicked() comes whenever the chosen item
// changes: by the user or by SetItemIndex.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

class TRadioGroup final : public QGroupBox {
    Q_OBJECT

public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);
    int ItemIndex() const { return index_; }
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const;

signals:
    void clicked();

private:
    QButtonGroup* buttons_;
    int index_ = -1;
};
