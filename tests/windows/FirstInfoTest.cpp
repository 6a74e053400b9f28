// The welcome window on a real display: every control at its place with its
// text, the hover effects, the links and closing, and its registry steps.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "GuiEnvironment.h"
#include "fakes/FakeRegistry.h"
#include "fakes/FakeShell.h"
#include "windows/Controls.h"
#include "windows/FirstInfo.h"
#include "windows/WebPages.h"
#include "windows/WelcomeRegistration.h"

namespace {

const QColor kGrey(128, 128, 128), kSilver(192, 192, 192), kOrange(255, 136, 17), kYellow(255, 255, 0);

class FirstInfoTest : public testing::Test {
protected:
    std::unique_ptr<TfrmFirstInfo> Create() {
        return std::make_unique<TfrmFirstInfo>(fakeRegistry, fakeShell, "/opt/lumetta",
                                               [this](const QString& m) { reports.push_back(m); });
    }
    static ActiveLabel* Control(QWidget& window, const char* name) {
        auto* control = window.findChild<ActiveLabel*>(name);
        EXPECT_TRUE(control) << name;
        return control;
    }

    fakes::FakeRegistry fakeRegistry;
    fakes::FakeShell fakeShell;
    std::vector<QString> reports;
};

TEST_F(FirstInfoTest, EveryLabelBulletAndImageIsInPlaceWithItsText) {
    auto window = Create();
    ASSERT_TRUE(ShowAndWait(*window));
    EXPECT_EQ(window->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window->findChild<QWidget*>("Panel1")->geometry(), QRect(112, 84, 800, 600));

    struct Text {
        const char* name;
        QPoint place;
        QString text;
        QColor colour;
        int points;
    };
    const Text texts[] = {
        {"lblWitaj", {39, 24}, "Welcome!", Qt::white, 20},
        {"lbl1", {55, 109}, "Fast", kYellow, 14},
        {"lblMenuKontekstowe", {74, 138},
         "In Lumetta you create slideshow in a moment. Right clicking on a folder with pictures and picking "
         "\"Lumetta slideshow\" is enough to do it.",
         kGrey, 10},
        {"lbl2", {55, 213}, "Easy", kYellow, 14},
        {"lblSkroty", {74, 242}, "It's easy to use. When you feel confused just remember:", kGrey, 10},
        {"lblPomoc", {93, 264}, "F1 - help", kGrey, 10},
        {"lblUstawienia", {93, 286}, "F2 - settings", kGrey, 10},
        {"lbl3", {55, 317}, "Picasa integrated", kYellow, 14},
        {"lblPicasa", {74, 346},
         "You can run Lumetta slideshow by selecting pictures and clicking Lumetta button in Picasa.", kGrey, 10},
        {"lbl4", {55, 421}, "Look at Lumetta website", kYellow, 14},
        {"lblStronaWWW", {74, 450},
         QString("Folow this link to ") + kProductHost +
             ". You can find Lumetta development plans there or share your opinion about the program.",
         kGrey, 10},
        {"lblHiperLacze", {661, 68}, "visit the website", Qt::white, 8},
        {"pnlClose", {704, 528}, "Close", Qt::white, 8},
    };
    for (const Text& t : texts) {
        ActiveLabel* label = Control(*window, t.name);
        if (!label) continue;
        EXPECT_EQ(label->pos(), t.place) << t.name;
        EXPECT_EQ(label->text(), t.text) << t.name;
        EXPECT_EQ(label->TextColour(), t.colour) << t.name;
        EXPECT_EQ(label->font().pointSize(), t.points) << t.name;
    }
    const std::pair<const char*, QRect> boxes[] = {
        {"lblMenuKontekstowe", {74, 138, 345, 55}}, {"lblPicasa", {74, 346, 345, 51}},
        {"lblStronaWWW", {74, 450, 367, 50}},       {"imgLumetta", {526, 2, 266, 105}},
        {"imgIkonaProgramu", {677, 126, 92, 92}},   {"img2", {636, 255, 69, 69}},
        {"img1", {611, 362, 46, 46}},               {"imgLogo", {39, 528, 129, 43}},
        {"pnlClose", {704, 528, 88, 23}},           {"shp1", {39, 115, 10, 10}},
        {"shp2", {39, 217, 10, 10}},                {"shp3", {39, 323, 10, 10}},
        {"shp4", {39, 427, 10, 10}},
    };
    for (const auto& [name, place] : boxes) {
        auto* control = window->findChild<QWidget*>(name);
        ASSERT_TRUE(control) << name;
        EXPECT_EQ(control->geometry(), place) << name;
    }
    // The word-wrapped texts fit their boxes.
    for (const char* name : {"lblMenuKontekstowe", "lblPicasa", "lblStronaWWW"}) {
        ActiveLabel* label = Control(*window, name);
        EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
    }
    const std::pair<const char*, QSize> pictures[] = {
        {"imgLumetta", {243, 66}}, {"imgIkonaProgramu", {92, 92}}, {"img2", {69, 69}},
        {"img1", {46, 46}},        {"imgLogo", {109, 32}},
    };
    for (const auto& [name, size] : pictures) EXPECT_EQ(Control(*window, name)->pixmap().size(), size) << name;

    auto shot = GrabAndSave("welcome-window");
    EXPECT_TRUE(e2e::Near(shot.At(112 + 39 + 5, 84 + 115 + 5), {255, 255, 255}, 40)) << "the first bullet";
}

TEST_F(FirstInfoTest, HoverEffects) {
    auto window = Create();
    ActiveLabel* site = Control(*window, "lblStronaWWW");
    emit site->mouseEntered();
    EXPECT_TRUE(site->font().underline());
    EXPECT_TRUE(site->font().bold());
    EXPECT_EQ(site->font().pointSize(), 10) << "only the style follows the link, not its size";
    EXPECT_EQ(site->TextColour(), kOrange);
    emit site->mouseLeft();
    EXPECT_FALSE(site->font().underline());
    EXPECT_EQ(site->TextColour(), QColor(Qt::white)) << "grey at start, white once the mouse has passed";

    ActiveLabel* picasa = Control(*window, "lblPicasa");
    emit picasa->mouseEntered();
    EXPECT_EQ(picasa->TextColour(), QColor(Qt::white));
    EXPECT_EQ(Control(*window, "lblMenuKontekstowe")->TextColour(), kGrey) << "only the label under the mouse";
    emit picasa->mouseLeft();
    EXPECT_EQ(picasa->TextColour(), kSilver);

    emit Control(*window, "lblPomoc")->mouseEntered();
    for (const char* name : {"lblSkroty", "lblPomoc", "lblUstawienia"})
        EXPECT_EQ(Control(*window, name)->TextColour(), QColor(Qt::white)) << name;
    emit Control(*window, "lblPomoc")->mouseLeft();
    for (const char* name : {"lblSkroty", "lblPomoc", "lblUstawienia"})
        EXPECT_EQ(Control(*window, name)->TextColour(), kSilver) << name;

    ActiveLabel* close = Control(*window, "pnlClose");
    emit close->mouseEntered();
    EXPECT_EQ(close->Background(), kSilver);
    EXPECT_EQ(close->TextColour(), QColor(Qt::black));
    emit close->mouseLeft();
    EXPECT_EQ(close->Background(), QColor(Qt::black));
    EXPECT_EQ(close->TextColour(), QColor(Qt::white));
}

TEST_F(FirstInfoTest, EachLinkOpensTheWebPageAndClosesTheWindow) {
    for (const char* link : {"lblHiperLacze", "lblStronaWWW", "lbl4", "imgLumetta", "imgLogo"}) {
        fakeShell.requests.clear();
        auto window = Create();
        ASSERT_TRUE(ShowAndWait(*window));
        QTest::mouseClick(Control(*window, link), Qt::LeftButton);
        EXPECT_EQ(fakeShell.requests, std::vector<std::string>{kProductPage}) << link;
        EXPECT_FALSE(window->isVisible()) << link;
    }
}

TEST_F(FirstInfoTest, CloseAndEscapeCloseTheWindow) {
    auto window = Create();
    ASSERT_TRUE(ShowAndWait(*window));
    QTest::mouseClick(Control(*window, "pnlClose"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    ASSERT_TRUE(ShowAndWait(*window));
    QTest::keyClick(window->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fakeShell.requests.empty());
}

TEST_F(FirstInfoTest, CreationRecordsTheFolderAndRequestsTheButtonOnce) {
    fakeRegistry.data.CreateKey(kPicasaKey);
    Create();
    EXPECT_EQ(fakeRegistry.ReadString(kLumettaKey, kDirectoryValue).value, "/opt/lumetta");
    Create();
    EXPECT_EQ(fakeShell.requests, std::vector<std::string>{"picasa://importbutton/?url=/opt/lumetta/Lumetta.pbz"});
    EXPECT_TRUE(reports.empty());
}

TEST_F(FirstInfoTest, AFlagThatCannotBeStoredIsReportedAndTheWindowStillOpens) {
    fakeRegistry.data.CreateKey(kPicasaKey);
    fakeRegistry.readOnly = true;
    auto window = Create();
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_TRUE(reports[0].contains("ButtonInPicasa")) << reports[0].toStdString();
    EXPECT_EQ(fakeShell.requests.size(), 1u);
    EXPECT_TRUE(ShowAndWait(*window));
}

}  // namespace
