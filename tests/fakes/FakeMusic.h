// Fakes for the music logic's other partners: the music list, the random
// source and the error report.
#pragma once

#include "slideshow/ErrorReport.h"
#include "slideshow/MusicList.h"
#include "slideshow/RandomSource.h"
#include "slideshow/SongFolders.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

class FakeMusicList final : public IMusicList {
public:
    std::string folder = "/songs";
    std::vector<std::string> names;
    int selected = -1;

    int Count() const override { return static_cast<int>(names.size()); }
    std::string Name(int index) const override { return names.at(index); }
    void Select(int index) override { selected = index; }
    std::string SelectedPath() const override { return selected < 0 ? "" : SongPath(folder, names.at(selected)); }
};

// Hands out the numbers the test lines up; asking with none left, or for a
// number the count does not allow, is a test error. Fractions run out into
// `restFraction` (0.5: no drift).
class ScriptedRandom final : public IRandomSource {
public:
    std::deque<int> next;
    std::vector<int> counts;  // the count of every draw
    std::deque<double> fractions;
    double restFraction = 0.5;

    double Fraction() override {
        if (fractions.empty()) return restFraction;
        const double value = fractions.front();
        fractions.pop_front();
        return value;
    }

    int Below(int count) override {
        counts.push_back(count);
        if (next.empty()) throw std::logic_error("no random number lined up");
        int value = next.front();
        next.pop_front();
        if (value < 0 || value >= count) throw std::logic_error("lined-up number outside the count");
        return value;
    }
};

class RecordingErrorReport final : public IErrorReport {
public:
    std::vector<std::string> messages;
    void ShowError(const std::string& text) override { messages.push_back(text); }
};
