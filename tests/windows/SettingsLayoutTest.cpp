#include "SettingsFixture.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QToolTip>

namespace {

struct Place {
    const char* name;
    QWidget* widget;
    QRect place;
    QString text;
    QString hint;
};

TEST_F(SettingsTest, ControlsSitAtTheirPlacesWithTheirTextsAndHints) {
    dialog->LoadChoices((MusicDir() / "Bells.mp3").string(), true);
    ShowDialog();
    EXPECT_EQ(dialog->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_NEAR(dialog->windowOpacity(), 200.0 / 255.0, 0.01);
    EXPECT_EQ(dialog->Panel1->geometry(), QRect((1024 - 606) / 2, (768 - 465) / 2, 606, 465));

    TfrmSettings& d = *dialog;
    const Place places[] = {
        {"RadioGroupMusic", d.RadioGroupMusic, {96, 8, 257, 62}, "Music", ""},
        {"FileListBoxMusic", d.FileListBoxMusic, {96, 98, 201, 183}, "", ""},
        {"FileListBoxDisabledMusic", d.FileListBoxDisabledMusic, {334, 95, 201, 186}, "", ""},
        {"PanelNowy", d.PanelNowy, {303, 104, 25, 25}, "+", "Pick your own mp3 file."},
        {"PanelUsun", d.PanelUsun, {303, 135, 25, 25}, ">", "Don't play the song selected on the left."},
        {"PanelDodaj", d.PanelDodaj, {303, 166, 25, 25}, "<", "Play the song selected on the right"},
        {"PanelDodajWszystkie", d.PanelDodajWszystkie, {303, 197, 25, 25}, "<<", "Play all songs"},
        {"chkAllowMoving", d.chkAllowMoving, {112, 336, 185, 17}, "Zoom and rotate pictures", ""},
        {"pnlPrzyciskDoPicasy", d.pnlPrzyciskDoPicasy, {96, 374, 209, 25}, "Add Lumetta button to Picasa", ""},
        {"pnlDownloadMusic", d.pnlDownloadMusic, {334, 374, 209, 25}, "Download more music", ""},
        {"pnlOK", d.pnlOK, {392, 438, 81, 25}, "OK", ""},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        EXPECT_EQ(p.widget->parentWidget(), d.Panel1);
        EXPECT_EQ(p.widget->geometry(), p.place);
        EXPECT_EQ(p.widget->toolTip(), p.hint);
        QString text;
        if (auto* panel = qobject_cast<ActiveLabel*>(p.widget)) text = panel->text();
        if (auto* box = qobject_cast<QCheckBox*>(p.widget)) text = box->text();
        if (auto* group = qobject_cast<QGroupBox*>(p.widget)) text = group->title();
        EXPECT_EQ(text, p.text);
    }
    EXPECT_EQ(d.Label1->pos(), QPoint(96, 76));
    EXPECT_EQ(d.Label1->text(), "Play these:");
    EXPECT_EQ(d.Label2->pos(), QPoint(441, 73));
    EXPECT_EQ(d.Label2->text(), "Don't play these:");
    EXPECT_EQ(d.LabelHint->pos(), QPoint(96, 444));
    EXPECT_TRUE(d.LabelHint->text().isEmpty());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(d.RadioGroupMusic->Button(i)->text(), (QStringList{"off", "random", "selected"}[i]));
    EXPECT_TRUE(d.RadioGroupMusic->font().bold());
    EXPECT_EQ(d.RadioGroupMusic->font().pointSize(), 10);
    EXPECT_EQ(d.FileListBoxMusic->font().pointSize(), 10);
    EXPECT_EQ(d.font().pointSize(), 8);
    if (e2e::fs::exists("/usr/share/wine/fonts/tahoma.ttf")) {
        EXPECT_EQ(QFontInfo(d.pnlOK->font()).family(), "Tahoma");
    }
    EXPECT_EQ(d.TimerHideHint->interval(), 3000);
    EXPECT_FALSE(d.TimerHideHint->isActive());

    auto shot = GrabAndSave("settings-dialog");
    // Black around the panel and on it; the OK button's raised border is light.
    EXPECT_TRUE(e2e::Near(shot.At(20, 20), {0, 0, 0}));
    EXPECT_TRUE(e2e::Near(shot.At(209 + 200, 151 + 330), {0, 0, 0}));
}

TEST_F(SettingsTest, ListsShowOnlySongsSortedWithSingleSelection) {
    EXPECT_EQ(Names(*dialog->FileListBoxMusic), (std::vector<std::string>{"anthem.mp3", "Bells.mp3", "cello.mp3"}));
    EXPECT_EQ(Names(*dialog->FileListBoxDisabledMusic), (std::vector<std::string>{"drums.mp3", "zither.mp3"}));
    for (TFileListBox* list : {dialog->FileListBoxMusic, dialog->FileListBoxDisabledMusic}) {
        EXPECT_EQ(list->selectionMode(), QAbstractItemView::SingleSelection);
        EXPECT_EQ(list->SelectedPath(), "");
    }
    dialog->FileListBoxMusic->Select(1);
    EXPECT_EQ(dialog->FileListBoxMusic->SelectedPath(), (MusicDir() / "Bells.mp3").string());
}

TEST_F(SettingsTest, MissingFoldersGiveEmptyLists) {
    e2e::TempDir empty;
    TfrmSettings bare(empty.path(), report, shellOpener, downloader);
    EXPECT_EQ(bare.FileListBoxMusic->Count(), 0);
    EXPECT_EQ(bare.FileListBoxDisabledMusic->Count(), 0);
    EXPECT_NO_THROW(bare.PanelDodajWszystkieClick());
}

// The hint goes to the label, and the label empties when the timer that the
// first hint started runs out, even when later hints came in between.
TEST_F(SettingsTest, HintsGoToTheLabelAndATimerThatRunsIsNotRestarted) {
    ShowDialog();
    dialog->TimerHideHint->setInterval(400);
    auto hover = [](QWidget* widget) {
        QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), widget->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(widget, &event);
        EXPECT_FALSE(QToolTip::isVisible()) << "a hint window appeared";
    };
    hover(dialog->PanelNowy);
    EXPECT_EQ(dialog->LabelHint->text(), "Pick your own mp3 file.");
    ASSERT_TRUE(dialog->TimerHideHint->isActive());
    int leftAfterFirst = dialog->TimerHideHint->remainingTime();
    QTest::qSleep(100);

    hover(dialog->PanelUsun);
    EXPECT_EQ(dialog->LabelHint->text(), "Don't play the song selected on the left.");
    ASSERT_TRUE(dialog->TimerHideHint->isActive());
    // A restart would give the whole interval back.
    EXPECT_LE(dialog->TimerHideHint->remainingTime(), leftAfterFirst - 100);

    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->LabelHint->text().isEmpty(); }, 10000));
    EXPECT_FALSE(dialog->TimerHideHint->isActive());
}

TEST_F(SettingsTest, PanelsTurnGreyUnderThePointer) {
    ShowDialog();
    for (ActiveLabel* panel : {dialog->PanelNowy, dialog->PanelUsun, dialog->PanelDodaj, dialog->PanelDodajWszystkie,
                                dialog->pnlPrzyciskDoPicasy, dialog->pnlDownloadMusic, dialog->pnlOK}) {
        SCOPED_TRACE(panel->text().toStdString());
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), panel->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(panel, &enter);
        EXPECT_EQ(panel->Background(), QColor(128, 128, 128));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(panel, &leave);
        EXPECT_EQ(panel->Background(), QColor(Qt::black));
    }
}

}  // namespace
