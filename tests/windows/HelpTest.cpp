// The help window on a real display: its layout, the command picture, the
// links and closing, and ShowHelp's hold on the slideshow window.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QTimer>

#include "GuiEnvironment.h"
#include "fakes/FakeShell.h"
#include "windows/CommandPicture.h"
#include "windows/Controls.h"
#include "windows/Help.h"
#include "windows/WebPages.h"

namespace {

const QColor kOrange(255, 136, 17);

template <class T = QWidget>
T* Control(QWidget& window, const char* name) {
    T* control = window.findChild<T*>(name);
    EXPECT_TRUE(control) << name;
    return control;
}

TEST(HelpWindow, CoversTheScreenWithItsPanelCentredAndEveryControlInPlace) {
    fakes::FakeShell shell;
    TfrmHelp help(shell);
    EXPECT_FALSE(help.isVisible()) << "created hidden";
    EXPECT_TRUE(help.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_DOUBLE_EQ(help.windowOpacity(), 220.0 / 255.0);
    ASSERT_TRUE(ShowAndWait(help));
    EXPECT_EQ(help.geometry(), QRect(0, 0, 1024, 768));
    EXPECT_EQ(Control(help, "Panel1")->geometry(), QRect(112, 135, 800, 497));

    const std::pair<const char*, QRect> places[] = {
        {"imgLumetta", {526, 2, 266, 105}}, {"Image1", {0, 40, 800, 329}},    {"imgLogo", {8, 456, 129, 41}},
        {"pnlWsparcie", {584, 463, 105, 25}}, {"PanelClose", {695, 463, 97, 25}},
    };
    for (const auto& [name, place] : places) EXPECT_EQ(Control(help, name)->geometry(), place) << name;
    EXPECT_EQ(Control(help, "lblHiperLacze")->pos(), QPoint(672, 68));
    EXPECT_EQ(Control<QLabel>(help, "PanelClose")->text(), "OK");
    EXPECT_EQ(Control<QLabel>(help, "pnlWsparcie")->text(), "Donate");
    EXPECT_EQ(Control<QLabel>(help, "lblHiperLacze")->text(), "visit the website");

    auto shot = GrabAndSave("help-window");
    EXPECT_TRUE(e2e::Near(shot.At(20, 20), {0, 0, 0})) << "black around the panel";
    // The command picture shows through at its place: orange actions on black.
    int orange = 0;
    for (int y = 175; y < 175 + 326; ++y)
        for (int x = 112; x < 912; ++x) orange += e2e::Near(shot.At(x, y), {255, 136, 17}, 40);
    EXPECT_GT(orange, 500);
}

// Each line's band holds white keys and, right of them, the orange action;
// the blank lines between the groups hold nothing.
TEST(HelpWindow, CommandPictureCarriesEveryLineKeysWhiteActionOrange) {
    QImage picture = CommandPicture();
    ASSERT_EQ(picture.size(), QSize(799, 326));
    picture.save(QString::fromStdString((e2e::ArtifactFolder() / "help-command-picture.png").string()));
    const auto& lines = CommandLines();
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[7].action, "next picture, move 10 or 100 when held longer");
    EXPECT_EQ(lines[8].keys, "Left / Hold left mouse button, move left then release");
    for (size_t row = 0; row < lines.size(); ++row) {
        int rightmostWhite = -1, leftmostOrange = picture.width(), lit = 0;
        for (int y = int(row) * kCommandRowHeight; y < int(row + 1) * kCommandRowHeight; ++y)
            for (int x = 0; x < picture.width(); ++x) {
                QColor c = picture.pixelColor(x, y);
                if (c.red() > 200 && c.green() > 200 && c.blue() > 200) rightmostWhite = std::max(rightmostWhite, x);
                if (c.red() > 200 && c.green() > 90 && c.green() < 180 && c.blue() < 60)
                    leftmostOrange = std::min(leftmostOrange, x);
                lit += c != Qt::black;
            }
        if (lines[row].keys.isEmpty()) {
            EXPECT_EQ(lit, 0) << "blank row " << row;
        } else {
            EXPECT_GE(rightmostWhite, 0) << "row " << row;
            EXPECT_LT(rightmostWhite, leftmostOrange) << "row " << row << ": keys before the action";
        }
    }
}

TEST(HelpWindow, LinksOpenThePagesAndLeaveTheWindowOpenOkAndEscapeHideIt) {
    fakes::FakeShell shell;
    TfrmHelp help(shell);
    ASSERT_TRUE(ShowAndWait(help));
    for (const char* link : {"lblHiperLacze", "imgLumetta", "imgLogo"}) QTest::mouseClick(Control(help, link), Qt::LeftButton);
    QTest::mouseClick(Control(help, "pnlWsparcie"), Qt::LeftButton);
    EXPECT_EQ(shell.requests,
              (std::vector<std::string>{kProductPage, kProductPage, kProductPage, kSupportPage}));
    EXPECT_TRUE(help.isVisible());

    QTest::mouseClick(Control(help, "PanelClose"), Qt::LeftButton);
    EXPECT_FALSE(help.isVisible());

    ASSERT_TRUE(ShowAndWait(help));
    QTest::keyClick(help.windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

TEST(HelpWindow, HoverUnderlinesTheLinkInOrangeAndGreysThePanels) {
    fakes::FakeShell shell;
    TfrmHelp help(shell);
    auto* link = Control<ActiveLabel>(help, "lblHiperLacze");
    emit link->mouseEntered();
    EXPECT_TRUE(link->font().underline());
    EXPECT_EQ(link->TextColour(), kOrange);
    emit link->mouseLeft();
    EXPECT_FALSE(link->font().underline());
    EXPECT_EQ(link->TextColour(), QColor(Qt::white));

    for (const char* name : {"PanelClose", "pnlWsparcie"}) {
        auto* panel = Control<ActiveLabel>(help, name);
        emit panel->mouseEntered();
        EXPECT_EQ(panel->Background(), QColor(128, 128, 128)) << name;
        emit panel->mouseLeft();
        EXPECT_EQ(panel->Background(), QColor(Qt::black)) << name;
    }
}

TEST(HelpWindow, ShowHelpKeepsTheSlideshowDisabledUntilTheWindowIsHidden) {
    fakes::FakeShell shell;
    TfrmHelp help(shell);
    std::vector<bool> switches;
    bool visibleWhileShown = false, hiddenByEscape = false;
    QTimer::singleShot(100, &help, [&] {
        visibleWhileShown = help.isVisible();
        QTest::keyClick(help.windowHandle(), Qt::Key_Escape);
        hiddenByEscape = !help.isVisible();
    });
    QTimer::singleShot(5000, &help, &QWidget::hide);  // so a fault cannot hang the test
    ShowHelp(help, [&](bool enabled) { switches.push_back(enabled); });
    EXPECT_TRUE(visibleWhileShown);
    EXPECT_TRUE(hiddenByEscape);
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(switches, (std::vector<bool>{false, true}));
}

}  // namespace
