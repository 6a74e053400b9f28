// The placement of the photo surface: the fit of each photo to the screen and
// its slow drift, with the bookkeeping that brings the surface back to the
// fitted placement when the next photo comes.
//
// The drift of a photo is undone in advance: its pre-compensation moves the
// surface by minus the push and turn of all 100 steps, so that the surface has
// come back after them. A photo cut short leaves the drift of its remaining
// steps owed (PendingPush, PendingTurn); the sideways drift is undone at the
// next photo (CarryX, CarryY).
#pragma once

#include "kelDX8.h"
#include "slideshow/RandomSource.h"
#include "slideshow/ShowServices.h"
#include "slideshow/ShowState.h"

constexpr int kStepsPerPhoto = 100;

// One photo's drift per step and where its steps stand.
struct TPhotoMotion {
    double DriftX = 0, DriftY = 0;
    // About the depth axis; applied as Turn / 4 radians.
    double Turn = 0;
    double Push = 0;
    // Sideways drift applied so far.
    double SumX = 0, SumY = 0;
    // 1 to 100.
    int Step = 1;
};

// The picture's proportions when its size cannot be read.
constexpr IPictureFiles::Size kUnreadableSize{4, 3};

// Reshapes the surface to the photo's aspect ratio and moves it from its last
// placement to the photo's: centred, at a depth that grows with how much wider
// the photo is than the screen, portraits 0.5 further back.
void FitSurface(kelDX8::TkelDXMultiMap& Surface, TShowState& State, IPictureFiles::Size Photo, double ScreenRatio);

// Four draws, each in [-0.001, 0.001): DriftX, DriftY, Turn, Push.
TPhotoMotion DrawMotion(IRandomSource& Random);

// Undoes the photo's coming drift in advance and settles what the previous
// photo left owed; clears the owed push and turn.
void PreCompensate(kelDX8::TkelDXMultiMap& Surface, TShowState& State, const TPhotoMotion& Motion);

// One step of drift: push, turn and the sideways move.
void DriftOneStep(kelDX8::TkelDXMultiMap& Surface, TPhotoMotion& Motion);

// The drift that the photo's remaining steps would have applied, owed to the
// next photo; for the commands that end a photo early.
void OweRemainingDrift(TShowState& State, const TPhotoMotion& Motion);
