// The few kinds of control the auxiliary windows are made of: labels, images
// and button panels that report clicks and the mouse passing over them, white
// circles, and the panel that stays centred in a window covering the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QRect>
#include <QWidget>

// A label (text or picture) that reports a left click (button released over
// it) and the mouse entering and leaving it.
class ActiveLabel : public QLabel {
    Q_OBJECT
public:
    explicit ActiveLabel(QWidget* parent);

    // The text colour (the palette's window text).
    void SetTextColour(const QColor& colour);
    QColor TextColour() const;
    // The background colour; the label paints its background from then on.
    void SetBackground(const QColor& colour);
    QColor Background() const;

signals:
    void clicked();
    void mouseEntered();
    void mouseLeft();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool pressed_ = false;
};

// A text label at (x, y); sized to its text unless a size is given, in which
// case the text wraps inside it.
ActiveLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                       const QColor& colour, QPoint place, QSize wrapSize = {});

// A picture in a control of the given place: drawn at its own size from the
// control's top left corner, or stretched over the whole control.
ActiveLabel* MakeImage(QWidget* parent, const char* name, const QPixmap& picture, QRect place,
                       bool stretch = false);

// A flat panel that works as a button: centred caption, black background,
// white text, a thin frame so it reads as a button on black.
ActiveLabel* MakeButtonPanel(QWidget* parent, const char* name, const QString& caption, const QFont& font,
                             QRect place);

// A white filled circle of its size (the bullets of lists).
class CircleShape : public QWidget {
public:
    CircleShape(QWidget* parent, const char* name, QRect place);

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A black, borderless panel of a fixed size that keeps itself centred in its
// parent whenever the parent changes size.
class CentredPanel : public QWidget {
public:
    CentredPanel(QWidget* window, QSize size);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Centre();
};

// Makes a top-level window borderless and black and gives it the primary
// screen's geometry (asked of the window manager as maximised too; without a
// window manager the geometry alone does it).
void CoverScreen(QWidget* window);
