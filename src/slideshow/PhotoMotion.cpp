#include "slideshow/PhotoMotion.h"

namespace {

float F(double value) { return static_cast<float>(value); }

double DrawDrift(IRandomSource& Random) { return Random.Fraction() / 500 - 0.001; }

}  // namespace

void FitSurface(kelDX8::TkelDXMultiMap& Surface, TShowState& State, IPictureFiles::Size Photo, double ScreenRatio) {
    const double r = static_cast<double>(Photo.Width) / Photo.Height;
    const double depth = r / ScreenRatio - 0.9;
    Surface.SetPlane({0, 3, 0}, {0, 0, 0}, {F(3 * r), 0, 0});
    // Composed after the surface's transform: from the last placement to this one.
    Surface.Translate(F(-1.5 * r - State.SurfaceX), F(1.5 - State.SurfaceY), F(depth - State.SurfaceDepth));
    State.SurfaceDepth = depth;
    if (r < 1) {
        Surface.Translate(0, 0, 0.5f);
        State.SurfaceDepth += 0.5;
    }
    State.SurfaceX = -1.5 * r;
    State.SurfaceY = 1.5;
}

TPhotoMotion DrawMotion(IRandomSource& Random) {
    TPhotoMotion motion;
    motion.DriftX = DrawDrift(Random);
    motion.DriftY = DrawDrift(Random);
    motion.Turn = DrawDrift(Random);
    motion.Push = DrawDrift(Random);
    return motion;
}

void PreCompensate(kelDX8::TkelDXMultiMap& Surface, TShowState& State, const TPhotoMotion& Motion) {
    Surface.Translate(0, 0, F(-kStepsPerPhoto * Motion.Push + State.PendingPush));
    State.PendingPush = 0;
    Surface.RotateZ(F(-kStepsPerPhoto * Motion.Turn / 4 + State.PendingTurn));
    State.PendingTurn = 0;
    Surface.Translate(F(State.CarryX), F(State.CarryY), 0);
}

void DriftOneStep(kelDX8::TkelDXMultiMap& Surface, TPhotoMotion& Motion) {
    Surface.Translate(0, 0, F(Motion.Push));
    Surface.RotateZ(F(Motion.Turn / 4));
    Surface.Translate(F(Motion.DriftX), F(Motion.DriftY), 0);
    Motion.SumX += Motion.DriftX;
    Motion.SumY += Motion.DriftY;
}

void OweRemainingDrift(TShowState& State, const TPhotoMotion& Motion) {
    const int remaining = kStepsPerPhoto + 1 - Motion.Step;
    State.PendingPush = remaining * Motion.Push;
    State.PendingTurn = remaining * Motion.Turn / 4;
}
