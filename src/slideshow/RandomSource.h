// The show's pseudo-random numbers, seeded once when the source is made.
#pragma once

#include <random>

class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A number drawn uniformly from 0 to count - 1; count > 0.
    virtual int Below(int count) = 0;
    // A number drawn uniformly from [0, 1).
    virtual double Fraction() = 0;
};

// Seeded from the clock at construction; one per slideshow window.
class TClockSeededRandom final : public IRandomSource {
public:
    TClockSeededRandom();
    int Below(int count) override;
    double Fraction() override;

private:
    std::mt19937 engine_;
};
