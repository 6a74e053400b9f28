#include "windows/NavigationIcons.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QWindow>

namespace {

// A rounded rectangle over (0, 0, size, size) whose corners are quarters of
// ellipses of `corner` by `corner` pixels.
QRegion RoundedSquare(int size, int corner) {
    int r = corner / 2;
    QRegion region(r, 0, size - corner, size);
    region += QRegion(0, r, size, size - corner);
    for (QPoint at : {QPoint(0, 0), QPoint(size - corner, 0), QPoint(0, size - corner),
                      QPoint(size - corner, size - corner)})
        region += QRegion(at.x(), at.y(), corner, corner, QRegion::Ellipse);
    return region;
}

// How long a first show may wait for the window system to map the window
// before it paints anyway.
constexpr int kMapWaitMs = 500;

}  // namespace

TfrmNavigationIcons::TfrmNavigationIcons(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
    setObjectName("frmNavigationIcons");
    setWindowTitle("Navigation");
    setAttribute(Qt::WA_QuitOnClose, false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);
    setFixedSize(kClientSize, kClientSize);
    setWindowOpacity(kOpacity);

    imgForward = MakeArrowImage("imgForward", ArrowKind::kForward);
    imgFastForward = MakeArrowImage("imgFastForward", ArrowKind::kFastForward);
    imgBackward = MakeArrowImage("imgBackward", ArrowKind::kBackward);
    imgFastBackward = MakeArrowImage("imgFastBackward", ArrowKind::kFastBackward);
    FormCreate();
}

QLabel* TfrmNavigationIcons::MakeArrowImage(const char* name, ArrowKind kind) {
    auto* image = new QLabel(this);
    image->setObjectName(name);
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image->setPixmap(QPixmap::fromImage(ArrowImage(kind)));
    image->setGeometry(10, 10, 105, 105);
    image->hide();
    return image;
}

void TfrmNavigationIcons::FormCreate() {
    setMask(RoundedSquare(kClientSize, kCornerEllipse));
    QRect screen = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry() : QRect();
    move(screen.left() + screen.width() - kDistanceFromScreenEdge,
         screen.top() + screen.height() - kDistanceFromScreenEdge);
}

void TfrmNavigationIcons::ShowForward() { ShowOnly(imgForward); }
void TfrmNavigationIcons::ShowFastForward() { ShowOnly(imgFastForward); }
void TfrmNavigationIcons::ShowBackward() { ShowOnly(imgBackward); }
void TfrmNavigationIcons::ShowFastBackward() { ShowOnly(imgFastBackward); }

void TfrmNavigationIcons::ShowOnly(QLabel* image) {
    // The new picture is made visible before the others go and nothing is
    // painted in between, so a switch never shows an empty overlay.
    image->show();
    for (QLabel* other : {imgForward, imgFastForward, imgBackward, imgFastBackward})
        if (other != image) other->hide();
    bool appearing = !isVisible();
    if (appearing) show();

    // The caller does not return to the event loop until the gesture ends: wait
    // here (briefly) for the window to be mapped, then paint it at once.
    QDeadlineTimer limit(appearing ? kMapWaitMs : 0);
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    } while (appearing && !(windowHandle() && windowHandle()->isExposed()) && !limit.hasExpired());
    repaint();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TfrmNavigationIcons::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TfrmNavigationIcons::FormClose() {
    for (QLabel* image : {imgForward, imgFastForward, imgBackward, imgFastBackward}) image->hide();
}
