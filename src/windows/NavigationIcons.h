// The small translucent overlay near the lower right corner of the screen that
// shows, while a jump gesture is held, which jump its release will make: one
// arrow for a short jump, two for a long one, forward or backward. It only
// displays; the show's commands decide what to show.
//
// The Show operations are called from inside the show's busy loops, on every
// pass: each makes its picture the only visible one, shows the window and
// serves the pending window events itself, so the overlay is on screen at once.
// close() hides every picture and the window.
#pragma once

#include <QWidget>

#include "slideshow/ShowServices.h"
#include "windows/ArrowImages.h"

class QLabel;

class TfrmNavigationIcons : public QWidget, public INavigationOverlay {
public:
    explicit TfrmNavigationIcons(QWidget* parent = nullptr);

    static constexpr int kClientSize = 120;
    static constexpr double kOpacity = 200.0 / 255.0;
    static constexpr int kCornerEllipse = 20;
    static constexpr int kDistanceFromScreenEdge = 200;  // from the right and bottom edges to the left and top

    void ShowForward() override;
    void ShowFastForward() override;
    void ShowBackward() override;
    void ShowFastBackward() override;
    void CloseOverlay() override { close(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void ShowOnly(QLabel* image);
    QLabel* MakeArrowImage(const char* name, ArrowKind kind);

    QLabel* imgForward;
    QLabel* imgFastForward;
    QLabel* imgBackward;
    QLabel* imgFastBackward;
};
