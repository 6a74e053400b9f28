#include "SettingsFixture.h"

#include "LocalHttpServer.h"

#include <QRegularExpression>

#include <gmock/gmock.h>

namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The captions the download panel showed on screen, one per paint.
class CaptionRecorder final : public QObject {
public:
    explicit CaptionRecorder(ActiveLabel* panel) : panel_(panel) { panel->installEventFilter(this); }
    std::vector<std::string> painted;

    // The percentages of the "N %" captions, in order.
    std::vector<int> Percentages() const {
        std::vector<int> shares;
        QRegularExpression form("^Music downloading: (-?\\d+) %$");
        for (const std::string& caption : painted)
            if (auto match = form.match(QString::fromStdString(caption)); match.hasMatch())
                shares.push_back(match.captured(1).toInt());
        return shares;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == panel_ && event->type() == QEvent::Paint) painted.push_back(panel_->text().toStdString());
        return false;
    }

private:
    ActiveLabel* panel_;
};

class SettingsDownloadTest : public SettingsTest {
protected:
    ~SettingsDownloadTest() override { unsetenv("LUMETTA_MUSIC_URL"); }

    void Serve(LocalHttpServer::Response response) {
        server = std::make_unique<LocalHttpServer>(std::move(response));
        setenv("LUMETTA_MUSIC_URL", server->Url("/music/SetupLumettaMusic.exe").toUtf8().constData(), 1);
    }
    e2e::fs::path Installer() const { return program.path() / "SetupLumettaMusic.exe"; }
    static QByteArray Body(int size) {
        QByteArray body(size, '\0');
        for (int i = 0; i < size; ++i) body[i] = static_cast<char>(i * 7 + 3);
        return body;
    }

    std::unique_ptr<LocalHttpServer> server;
};

TEST_F(SettingsDownloadTest, ShowsTheShareDoneThenOpensTheInstaller) {
    QByteArray body = Body(256 * 1024);
    Serve({.body = body});
    ShowDialog();
    CaptionRecorder captions(dialog->pnlDownloadMusic);
    QTest::mouseClick(dialog->pnlDownloadMusic, Qt::LeftButton);

    EXPECT_THAT(report.messages, IsEmpty());
    EXPECT_THAT(server->requestedPaths, ElementsAre("/music/SetupLumettaMusic.exe"));
    EXPECT_THAT(shellOpener.requests, ElementsAre(Installer().string()));
    EXPECT_EQ(QByteArray::fromStdString(Read(Installer())), body);

    std::vector<int> shares = captions.Percentages();
    EXPECT_THAT(shares, Contains(100));
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
    EXPECT_TRUE(std::any_of(shares.begin(), shares.end(), [](int s) { return s > 0 && s < 100; }))
        << "no caption showed the download under way";
    EXPECT_GE(shares.front(), 0);
    EXPECT_EQ(dialog->pnlDownloadMusic->text(), "Download more music");
}

TEST_F(SettingsDownloadTest, AResponseWithoutALengthDownloadsToo) {
    QByteArray body = Body(100 * 1024);
    Serve({.body = body, .announceLength = false});
    ShowDialog();
    CaptionRecorder captions(dialog->pnlDownloadMusic);
    QTest::mouseClick(dialog->pnlDownloadMusic, Qt::LeftButton);

    EXPECT_THAT(report.messages, IsEmpty());
    EXPECT_THAT(shellOpener.requests, ElementsAre(Installer().string()));
    EXPECT_EQ(QByteArray::fromStdString(Read(Installer())), body);
    EXPECT_THAT(captions.painted, Contains(::testing::StartsWith("Music downloading: ")));
    for (int share : captions.Percentages()) EXPECT_TRUE(share >= 0 && share <= 100) << share;
    EXPECT_EQ(dialog->pnlDownloadMusic->text(), "Download more music");
}

TEST_F(SettingsDownloadTest, AFailedDownloadIsReportedWithItsAddressAndKeepsTheOldFile) {
    std::ofstream(Installer()) << "an earlier installer";
    Serve({.status = 404, .body = "not here", .pieces = 1});
    ShowDialog();
    QTest::mouseClick(dialog->pnlDownloadMusic, Qt::LeftButton);

    ASSERT_EQ(report.messages.size(), 1u);
    EXPECT_NE(report.messages[0].find(server->Url("/music/SetupLumettaMusic.exe").toStdString()), std::string::npos)
        << report.messages[0];
    EXPECT_THAT(shellOpener.requests, IsEmpty());
    EXPECT_EQ(Read(Installer()), "an earlier installer");
    EXPECT_EQ(dialog->pnlDownloadMusic->text(), "Download more music");
}

// A real click on "OK" while the download runs waits until it has ended.
TEST_F(SettingsDownloadTest, UserInputWaitsForTheEndOfTheDownload) {
    Serve({.body = Body(64 * 1024), .pieces = 8});
    ShowDialog();
    QPoint ok = dialog->pnlOK->mapToGlobal(dialog->pnlOK->rect().center());
    e2e::Input input(TestDisplay());
    server->afterFirstPiece = [&] {
        input.MoveMouse(ok.x(), ok.y());
        input.Click(1, std::chrono::milliseconds(20));
    };
    QTest::mouseClick(dialog->pnlDownloadMusic, Qt::LeftButton);  // returns when the download has ended
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_THAT(shellOpener.requests, ElementsAre(Installer().string()));
    // Afterwards the click is served and "OK" hides the dialog.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 10000));
}

}  // namespace
