// The road of a start without arguments: the welcome window over the real
// registry and shell, shown modally until it closes. Needs the QApplication,
// with the window fonts registered.
#pragma once

void RunWelcomeWindow();
