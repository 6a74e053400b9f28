// A private sound server for tests: a pulseaudio daemon of the test's own,
// with one null sink that swallows what it plays, and a runtime folder of
// its own, so tests play real sound on machines without a sound card.
#pragma once

#include "Harness.h"

#include <memory>

namespace e2e {

class AudioServer {
public:
    // Starts the daemon and waits (at most 20 s) until it takes clients;
    // throws std::runtime_error with the daemon's output when it does not.
    AudioServer();
    ~AudioServer();
    AudioServer(const AudioServer&) = delete;
    AudioServer& operator=(const AudioServer&) = delete;

    // The address clients use, for PULSE_SERVER.
    const std::string& address() const { return address_; }
    // PULSE_SERVER for programs started with Process.
    std::map<std::string, std::string> Environment() const { return {{"PULSE_SERVER", address_}}; }
    // Sets PULSE_SERVER in this process, for code under test that plays here.
    void UseInThisProcess() const;

private:
    TempDir dir_;
    std::string address_;
    std::unique_ptr<Process> daemon_;
};

// Writes an MP3 file of a sine tone lasting `millis`, encoded with lame from
// a generated WAV file; throws std::runtime_error when lame fails.
void WriteToneMp3(const fs::path& file, Millis length);

}  // namespace e2e
