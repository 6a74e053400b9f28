#include "windows/ButtonPanel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

TButtonPanel::TButtonPanel(const QString& caption, QWidget* parent) : QFrame(parent), caption_(new QLabel(caption)) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    // A raised bevel: light at the top and left, shadow at the bottom and right.
    QPalette bevel = palette();
    bevel.setColor(QPalette::Light, Qt::white);
    bevel.setColor(QPalette::Dark, QColor(160, 160, 160));
    setPalette(bevel);
    setAutoFillBackground(true);
    caption_->setAlignment(Qt::AlignCenter);
    // The caption must not take the panel's mouse events.
    caption_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(caption_);
    SetColor(Qt::black);
}

QString TButtonPanel::Caption() const { return caption_->text(); }

void TButtonPanel::SetCaption(const QString& caption) {
    caption_->setText(caption);
    repaint();
}

void TButtonPanel::SetColor(const QColor& colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, colour);
    setPalette(palette);
}

QColor TButtonPanel::Color() const { return palette().color(QPalette::Window); }

void TButtonPanel::mouseReleaseEvent(QMouseEvent* event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void TButtonPanel::enterEvent(QEnterEvent* event) {
    QFrame::enterEvent(event);
    emit entered();
}

void TButtonPanel::leaveEvent(QEvent* event) {
    QFrame::leaveEvent(event);
    emit left();
}
