// The settings dialog on a private X display, with its program folder in a
// temporary folder, a fake player, and recording fakes for the shell and the
// error report. The downloader is the real one.
#pragma once

#include "windows/Settings.h"

#include "GuiEnvironment.h"
#include "Harness.h"
#include "fakes/FakeMediaPlayer.h"
#include "fakes/FakeMusic.h"
#include "fakes/FakeShell.h"
#include "platform/download/QtDownloader.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QtTest/QTest>

#include <fstream>
#include <memory>
#include <vector>

class SettingsTest : public ::testing::Test {
protected:
    SettingsTest();
    ~SettingsTest() override;

    // Writes a file whose content is its own name.
    void WriteSong(const e2e::fs::path& folder, const std::string& name);
    std::string Read(const e2e::fs::path& file) const;
    e2e::fs::path MusicDir() const { return program.path() / "music"; }
    e2e::fs::path DisabledDir() const { return program.path() / "music" / "disabled"; }
    std::vector<std::string> Names(const TFileListBox& list) const;
    // Shows the dialog as RunUntilHidden does, and waits until it is on
    // screen and active.
    void ShowDialog();
    // A click on entry `index` of a list, as the user makes it.
    void ClickEntry(TFileListBox& list, int index);

    e2e::TempDir program;
    FakeMediaPlayer player;
    ScriptedRandom random;
    RecordingErrorReport report;
    fakes::FakeShell shellOpener;
    download::QtDownloader downloader{std::chrono::seconds(20)};
    std::unique_ptr<TfrmSettings> dialog;
    std::unique_ptr<TMusic> music;
    std::string setting = "random";
};
