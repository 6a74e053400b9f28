// The GUI tests run on a private Xvfb display with one QApplication for the
// whole test process, set up before the first test (not when tests are listed).
#pragma once

#include <QString>

#include "Harness.h"

const e2e::Display& TestDisplay();

// Shows `widget` and processes events until its window is on screen and
// active (bounded waits).
class QWidget;
bool ShowAndWait(QWidget& widget);

// A screenshot of the whole display, also saved as a PNG under the artifact
// folder for a person to look at.
e2e::Screenshot GrabAndSave(const QString& name);
