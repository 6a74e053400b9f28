#include "SettingsFixture.h"

#include <QFileDialog>
#include <QTimer>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using List = std::vector<std::string>;

TEST_F(SettingsTest, RightArrowStopsThePlayingSongAndMovesItOut) {
    dialog->LoadChoices("none", false);
    ShowDialog();
    ClickEntry(*dialog->FileListBoxMusic, 1);  // Bells plays
    player.TakeCalls();
    QTest::mouseClick(dialog->PanelUsun, Qt::LeftButton);
    EXPECT_THAT(player.TakeCalls(), ElementsAre("Stop", "Close"));
    EXPECT_EQ(Names(*dialog->FileListBoxMusic), (List{"anthem.mp3", "cello.mp3"}));
    EXPECT_EQ(Names(*dialog->FileListBoxDisabledMusic), (List{"Bells.mp3", "drums.mp3", "zither.mp3"}));
    EXPECT_EQ(Read(DisabledDir() / "Bells.mp3"), "Bells.mp3");

    // With nothing selected on the left nothing moves.
    QTest::mouseClick(dialog->PanelUsun, Qt::LeftButton);
    EXPECT_EQ(dialog->FileListBoxMusic->Count(), 2);
}

TEST_F(SettingsTest, LeftArrowMovesTheSelectedSongBackWithoutStoppingTheMusic) {
    ShowDialog();
    ClickEntry(*dialog->FileListBoxDisabledMusic, 1);  // zither is heard
    player.TakeCalls();
    QTest::mouseClick(dialog->PanelDodaj, Qt::LeftButton);
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_EQ(Names(*dialog->FileListBoxMusic), (List{"anthem.mp3", "Bells.mp3", "cello.mp3", "zither.mp3"}));
    EXPECT_EQ(Names(*dialog->FileListBoxDisabledMusic), (List{"drums.mp3"}));
}

TEST_F(SettingsTest, DoubleLeftArrowMovesAllButWhatWouldReplaceASong) {
    std::ofstream(DisabledDir() / "cello.mp3") << "the disabled cello";
    dialog->FileListBoxDisabledMusic->Refresh();
    ShowDialog();
    QTest::mouseClick(dialog->PanelDodajWszystkie, Qt::LeftButton);
    EXPECT_EQ(Names(*dialog->FileListBoxMusic),
              (List{"anthem.mp3", "Bells.mp3", "cello.mp3", "drums.mp3", "zither.mp3"}));
    EXPECT_EQ(Names(*dialog->FileListBoxDisabledMusic), (List{"cello.mp3"}));
    EXPECT_EQ(Read(MusicDir() / "cello.mp3"), "cello.mp3");

    // Again, with only the blocked song left: the lists just refresh.
    e2e::fs::remove(DisabledDir() / "cello.mp3");
    QTest::mouseClick(dialog->PanelDodajWszystkie, Qt::LeftButton);
    EXPECT_EQ(dialog->FileListBoxDisabledMusic->Count(), 0);
    EXPECT_EQ(dialog->FileListBoxMusic->Count(), 5);
}

TEST_F(SettingsTest, PlusCopiesTheUsersSongReplacingOneOfTheSameName) {
    e2e::TempDir own;
    std::ofstream(own / "cello.mp3") << "my own cello";
    std::ofstream(own / "new song.mp3") << "new";
    ShowDialog();
    for (const char* name : {"cello.mp3", "new song.mp3"}) {
        QTimer::singleShot(0, dialog.get(), [&, name] {
            ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->dlgOpenMP3->isVisible(); }, 10000));
            dialog->dlgOpenMP3->selectFile(QString::fromStdString((own / name).string()));
            static_cast<QDialog*>(dialog->dlgOpenMP3)->accept();  // as the Open button does
        });
        QTest::mouseClick(dialog->PanelNowy, Qt::LeftButton);
    }
    EXPECT_EQ(Read(MusicDir() / "cello.mp3"), "my own cello");
    EXPECT_EQ(Read(own / "cello.mp3"), "my own cello");
    EXPECT_EQ(Names(*dialog->FileListBoxMusic), (List{"anthem.mp3", "Bells.mp3", "cello.mp3", "new song.mp3"}));

    // Cancelling copies nothing.
    QTimer::singleShot(0, dialog.get(), [&] {
        ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->dlgOpenMP3->isVisible(); }, 10000));
        dialog->dlgOpenMP3->reject();
    });
    QTest::mouseClick(dialog->PanelNowy, Qt::LeftButton);
    EXPECT_EQ(dialog->FileListBoxMusic->Count(), 4);
}

TEST_F(SettingsTest, PicasaButtonAsksTheShellToImportTheButtonFile) {
    ShowDialog();
    QTest::mouseClick(dialog->pnlPrzyciskDoPicasy, Qt::LeftButton);
    EXPECT_THAT(shellOpener.requests,
                ElementsAre("picasa://importbutton/?url=" + program.path().string() + "/Lumetta.pbz"));
}

}  // namespace
