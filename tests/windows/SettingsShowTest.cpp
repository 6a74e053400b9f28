#include "SettingsFixture.h"

#include "startup/PhotoSettings.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTimer>

#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ShowSettingsTest : public SettingsTest {
protected:
    ShowSettingsTest() : settings((program / "own.txt").string(), {program.path()}) {}

    // Runs the dialog as F2 does; `user` acts once it is on screen and must
    // close it. Returns whether it did (else the dialog is closed after 10 s).
    bool ShowSettingsWhile(const std::function<void()>& user) {
        bool fellBack = false;
        QTimer fallback;
        fallback.setSingleShot(true);
        QObject::connect(&fallback, &QTimer::timeout, [&] {
            fellBack = true;
            dialog->hide();
        });
        QTimer::singleShot(0, dialog.get(), [&] {
            fallback.start(10000);
            if (QTest::qWaitForWindowExposed(dialog.get(), 10000) && QTest::qWaitForWindowActive(dialog.get(), 10000))
                user();
        });
        ShowSettings(*dialog, settings, [this](bool enabled) { slideshowEnabled.push_back(enabled); });
        fallback.stop();
        return !fellBack;
    }

    TLumettaSettings settings;
    std::vector<bool> slideshowEnabled;
};

TEST_F(ShowSettingsTest, EscapeHidesTheDialogAndTheChoicesReachTheSettings) {
    settings.SetMusic("random");
    ASSERT_TRUE(ShowSettingsWhile([&] {
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_THAT(slideshowEnabled, ElementsAre(false)) << "the show is frozen while the dialog is up";
        QTest::mouseClick(dialog->chkAllowMoving, Qt::LeftButton, {}, QPoint(5, 8));
        QTest::mouseClick(dialog->RadioGroupMusic->Button(TfrmSettings::kOff), Qt::LeftButton);
        EXPECT_EQ(settings.GetMusic(), "random") << "the setting changes only when the dialog is hidden";
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    }));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_THAT(slideshowEnabled, ElementsAre(false, true));
    EXPECT_EQ(settings.GetMusic(), "none");
    EXPECT_TRUE(settings.GetAllowMoving());
}

TEST_F(ShowSettingsTest, OkHidesTheDialogAndKeepsASongClickedWhileOff) {
    settings.SetMusic("none");
    settings.SetAllowMoving(true);
    ASSERT_TRUE(ShowSettingsWhile([&] {
        EXPECT_TRUE(dialog->chkAllowMoving->isChecked());
        ClickEntry(*dialog->FileListBoxMusic, 2);
        QTest::mouseClick(dialog->pnlOK, Qt::LeftButton, {}, QPoint(10, 10));
    }));
    EXPECT_EQ(settings.GetMusic(), (MusicDir() / "cello.mp3").string());
    EXPECT_TRUE(settings.GetAllowMoving());
}

TEST_F(ShowSettingsTest, AStoredSongThatIsGoneIsStoredAsNothingSelected) {
    settings.SetMusic("/music/gone.mp3");
    ASSERT_TRUE(ShowSettingsWhile([&] { QTest::keyClick(dialog.get(), Qt::Key_Escape); }));
    EXPECT_THAT(player.calls, IsEmpty());
    EXPECT_EQ(settings.GetMusic(), "random") << "an empty choice reads as random";
}

}  // namespace
