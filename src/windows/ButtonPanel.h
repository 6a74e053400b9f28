// A black panel with a thin raised border and a centred caption that acts
// as a button: a click (press and release over it) emits clicked(); the
// pointer entering and leaving it emits entered() and left().
#pragma once

#include <QColor>
#include <QFrame>
#include <QString>

class QLabel;

class TButtonPanel final : public QFrame {
    Q_OBJECT

public:
    TButtonPanel(const QString& caption, QWidget* parent);
    QString Caption() const;
    // Sets the caption and repaints it at once, without waiting for events.
    void SetCaption(const QString& caption);
    void SetColor(const QColor& colour);
    QColor Color() const;

signals:
    void clicked();
    void entered();
    void left();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QLabel* caption_;
};
