#include "windows/Controls.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

ActiveLabel::ActiveLabel(QWidget* parent) : QLabel(parent) {
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
}

void ActiveLabel::SetTextColour(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

QColor ActiveLabel::TextColour() const { return palette().color(QPalette::WindowText); }

void ActiveLabel::SetBackground(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    setAutoFillBackground(true);
}

QColor ActiveLabel::Background() const { return palette().color(QPalette::Window); }

void ActiveLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ActiveLabel::mouseReleaseEvent(QMouseEvent* event) {
    bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) emit clicked();
}

void ActiveLabel::enterEvent(QEnterEvent* event) {
    QLabel::enterEvent(event);
    emit mouseEntered();
}

void ActiveLabel::leaveEvent(QEvent* event) {
    QLabel::leaveEvent(event);
    emit mouseLeft();
}

ActiveLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                       const QColor& colour, QPoint place, QSize wrapSize) {
    auto* label = new ActiveLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setText(text);
    label->SetTextColour(colour);
    if (wrapSize.isValid()) {
        label->setWordWrap(true);
        label->setGeometry(QRect(place, wrapSize));
    } else {
        label->move(place);
        label->adjustSize();
    }
    return label;
}

ActiveLabel* MakeImage(QWidget* parent, const char* name, const QPixmap& picture, QRect place, bool stretch) {
    auto* image = new ActiveLabel(parent);
    image->setObjectName(name);
    image->setPixmap(picture);
    image->setScaledContents(stretch);
    image->setGeometry(place);
    return image;
}

ActiveLabel* MakeButtonPanel(QWidget* parent, const char* name, const QString& caption, const QFont& font,
                             QRect place) {
    auto* panel = new ActiveLabel(parent);
    panel->setObjectName(name);
    panel->setFont(font);
    panel->setText(caption);
    panel->setAlignment(Qt::AlignCenter);
    panel->SetTextColour(Qt::white);
    panel->SetBackground(Qt::black);
    // A shaded panel draws its frame in the palette's light and dark colours,
    // so the frame keeps its grey whatever colours the hover effects set.
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(1);
    QPalette p = panel->palette();
    p.setColor(QPalette::Light, QColor(110, 110, 110));
    p.setColor(QPalette::Dark, QColor(110, 110, 110));
    panel->setPalette(p);
    panel->setGeometry(place);
    return panel;
}

CircleShape::CircleShape(QWidget* parent, const char* name, QRect place) : QWidget(parent) {
    setObjectName(name);
    setGeometry(place);
}

void CircleShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

CentredPanel::CentredPanel(QWidget* window, QSize size) : QWidget(window) {
    setObjectName("Panel1");
    setFixedSize(size);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    window->installEventFilter(this);
    Centre();
}

bool CentredPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && event->type() == QEvent::Resize) Centre();
    return QWidget::eventFilter(watched, event);
}

void CentredPanel::Centre() {
    QSize outer = parentWidget()->size();
    move((outer.width() - width()) / 2, (outer.height() - height()) / 2);
}

void CoverScreen(QWidget* window) {
    window->setWindowFlag(Qt::FramelessWindowHint);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::black);
    window->setPalette(p);
    window->setAutoFillBackground(true);
    if (QScreen* screen = QGuiApplication::primaryScreen()) window->setGeometry(screen->geometry());
    window->setWindowState(Qt::WindowMaximized);
}
