// A private Xvfb display with a QGuiApplication on it for the whole process,
// windows covering its screen, and its screen read back. No test framework
// here: the benchmarks use it too.
#pragma once

#include <memory>

#include <QWindow>

#include "Harness.h"

namespace gltest {

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 240;

// Starts the display (of the given size: the first call decides) and the
// application on first use.
const e2e::Display& TestDisplay(int width = kScreenWidth, int height = kScreenHeight);
// Ends the application and the display; call before the process exits (the
// application cannot outlive Qt's own statics).
void EndTestDisplay();

// A frameless window covering the screen, not shown yet.
std::unique_ptr<QWindow> ScreenWindow();
// Shows the window and processes events until it is exposed (at most 10 s).
void ShowAndWaitExposed(QWindow& window);
// What the screen shows once the X server has handled everything sent so far.
e2e::Screenshot GrabScreen();

}  // namespace gltest
