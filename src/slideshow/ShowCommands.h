// The user's commands while a photo is on screen, read once per animation
// step: the keyboard first, then the mouse. Each reports whether the photo
// ends (the step loop is left at once).
//
// Keyboard, in this order; the first six end the photo when they act:
//   R / L        turn the picture file clockwise / counter-clockwise and show
//                it again, loaded afresh
//   Escape, Alt+F4   stop the show
//   Right / Left     next / previous photo; held more than 0.5 s or 1.5 s,
//                    10 or 100 photos on or back (the overlay shows which)
//   Up / Down        slower / faster (Delay 1 to 10)
//   Space            pause or go on
//   F1, F2, F3       help, settings, music off and on
// Mouse: the pointer at the right edge brings the window back to the front; a
// click is Right, a drag of more than 50 pixels to the left is Left (held: 10
// or 100 photos); the right button pauses.
//
// Holds keep the photo on screen without drift or frames and poll without
// sleeping; waits for release sleep 100 ms between polls and serve window
// events. A failed read that raises ends the show (the error escapes); one
// that does not raise means no command, and ends any hold or wait.
#pragma once

#include "slideshow/PhotoMotion.h"
#include "slideshow/ShowContext.h"

bool ReadKeyboardCommands(TShowContext& Show, const TPhotoMotion& Motion);
bool ReadMouseCommands(TShowContext& Show, const TPhotoMotion& Motion);
