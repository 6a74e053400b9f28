#include "SettingsFixture.h"

#include <gmock/gmock.h>

#include <QRadioButton>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

std::string Song(const e2e::fs::path& folder, const char* name) { return (folder / name).string(); }

TEST_F(SettingsTest, ChoicesFromTheSettingsLeaveThePlayerAlone) {
    dialog->LoadChoices("none", true);
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kOff);
    EXPECT_TRUE(dialog->AllowMovingChoice());
    dialog->LoadChoices("random", false);
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kRandom);
    EXPECT_FALSE(dialog->AllowMovingChoice());
    dialog->LoadChoices("/somewhere/else/Bells.mp3", false);
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kSelected);
    EXPECT_EQ(dialog->FileListBoxMusic->SelectedIndex(), 1);
    EXPECT_EQ(dialog->MusicChoice(), Song(MusicDir(), "Bells.mp3"));
    // A song no longer in the folder leaves the selection as it is.
    dialog->LoadChoices("/music/gone.mp3", false);
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kSelected);
    EXPECT_EQ(dialog->MusicChoice(), Song(MusicDir(), "Bells.mp3"));
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_THAT(random.counts, IsEmpty());
}

TEST_F(SettingsTest, ClickingASongWhileOffSelectsAndPlaysIt) {
    dialog->LoadChoices("none", false);
    ShowDialog();
    ClickEntry(*dialog->FileListBoxMusic, 0);
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kSelected);
    std::vector<std::string> calls = player.TakeCalls();
    ASSERT_FALSE(calls.empty());
    EXPECT_THAT(std::vector<std::string>(calls.end() - 2, calls.end()),
                ElementsAre("Open " + Song(MusicDir(), "anthem.mp3"), "Play"));
    EXPECT_EQ(player.GetMode(), media::Mode::Playing);
    EXPECT_EQ(dialog->MusicChoice(), Song(MusicDir(), "anthem.mp3"));
}

TEST_F(SettingsTest, ClickingASongInRandomModeOnlyLetsItBeHeard) {
    dialog->LoadChoices("random", false);
    ShowDialog();
    ClickEntry(*dialog->FileListBoxMusic, 2);
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kRandom);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Open " + Song(MusicDir(), "cello.mp3"), "Play"));
    EXPECT_EQ(dialog->MusicChoice(), "random");

    ClickEntry(*dialog->FileListBoxDisabledMusic, 1);  // a disabled song can be heard too
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Close", "Open " + Song(DisabledDir(), "zither.mp3"), "Play"));
    EXPECT_EQ(dialog->RadioGroupMusic->ItemIndex(), TfrmSettings::kRandom);
}

TEST_F(SettingsTest, ModeButtonsActOnThePlayerAtOnce) {
    dialog->LoadChoices("none", false);
    ShowDialog();
    random.next = {1, 2};
    QTest::mouseClick(dialog->RadioGroupMusic->Button(TfrmSettings::kSelected), Qt::LeftButton);
    // Nothing was selected: a random entry is, and it plays.
    EXPECT_EQ(dialog->FileListBoxMusic->SelectedIndex(), 1);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Open " + Song(MusicDir(), "Bells.mp3"), "Play"));

    QTest::mouseClick(dialog->RadioGroupMusic->Button(TfrmSettings::kRandom), Qt::LeftButton);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Close", "Open " + Song(MusicDir(), "cello.mp3"), "Play"));

    QTest::mouseClick(dialog->RadioGroupMusic->Button(TfrmSettings::kOff), Qt::LeftButton);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Close"));
    EXPECT_EQ(player.GetMode(), media::Mode::NotReady);
    EXPECT_EQ(dialog->MusicChoice(), "none");
    EXPECT_FALSE(music->MusicOn()) << "the dialog's playing does not count for F3";
}

TEST_F(SettingsTest, AnEmptyMusicFolderLeavesTheDialogUsableAndSilent) {
    for (const char* name : {"cello.mp3", "Bells.mp3", "anthem.mp3"}) e2e::fs::remove(MusicDir() / name);
    dialog->FileListBoxMusic->Refresh();
    dialog->LoadChoices("none", false);
    ShowDialog();
    QTest::mouseClick(dialog->RadioGroupMusic->Button(TfrmSettings::kSelected), Qt::LeftButton);
    QTest::mouseClick(dialog->RadioGroupMusic->Button(TfrmSettings::kRandom), Qt::LeftButton);
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_THAT(report.messages, IsEmpty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(SettingsTest, ASongThatCannotBePlayedIsReportedAndTheDialogStays) {
    dialog->LoadChoices("random", false);
    ShowDialog();
    player.unplayable.insert(Song(MusicDir(), "Bells.mp3"));
    ClickEntry(*dialog->FileListBoxMusic, 1);
    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_NE(report.messages[0].find("Bells.mp3"), std::string::npos);
    EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
