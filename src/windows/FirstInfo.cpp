#include "windows/FirstInfo.h"

#include <QAction>
#include <QMessageBox>

#include "windows/Artwork.h"
#include "windows/Controls.h"
#include "windows/Fonts.h"
#include "windows/WebPages.h"
#include "windows/WelcomeRegistration.h"

namespace {

const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);
const QColor kSilver(192, 192, 192);
const QColor kOrange(255, 136, 17);

}  // namespace

TfrmFirstInfo::TfrmFirstInfo(registry::IRegistry& registry, shell::IShell& shell, const QString& executableFolder,
                             ErrorReport reportError, QWidget* parent)
    : QDialog(parent), registry_(registry), shell_(shell), reportError_(std::move(reportError)) {
    if (!reportError_)
        reportError_ = [](const QString& message) { QMessageBox::critical(nullptr, "Lumetta", message); };
    setObjectName("frmFirstInfo");
    setWindowTitle("Lumetta");
    setModal(true);
    CoverScreen(this);
    setFont(WindowFont("Tahoma", 8));
    Panel1 = new CentredPanel(this, QSize(800, 600));
    CreateTexts();
    CreatePictures();
    ConnectHandlers();
    FormCreate(executableFolder);
}

void TfrmFirstInfo::FormCreate(const QString& executableFolder) {
    WelcomeRegistration outcome = RegisterProgram(registry_, shell_, executableFolder.toStdString());
    if (outcome.storeError) reportError_(QString::fromStdString(*outcome.storeError));
}

void TfrmFirstInfo::CreateTexts() {
    QFont heading = WindowFont("Verdana", 20);
    QFont point = WindowFont("Verdana", 14);
    QFont text = WindowFont("Tahoma", 10, true);
    lblWitaj = MakeLabel(Panel1, "lblWitaj", "Welcome!", heading, Qt::white, {39, 24});

    new CircleShape(Panel1, "shp1", {39, 115, 10, 10});
    lbl1 = MakeLabel(Panel1, "lbl1", "Fast", point, kYellow, {55, 109});
    lblMenuKontekstowe = MakeLabel(Panel1, "lblMenuKontekstowe",
                                   "In Lumetta you create slideshow in a moment. Right clicking on a folder with "
                                   "pictures and picking \"Lumetta slideshow\" is enough to do it.",
                                   text, kGrey, {74, 138}, {345, 55});

    new CircleShape(Panel1, "shp2", {39, 217, 10, 10});
    lbl2 = MakeLabel(Panel1, "lbl2", "Easy", point, kYellow, {55, 213});
    lblSkroty = MakeLabel(Panel1, "lblSkroty", "It's easy to use. When you feel confused just remember:", text, kGrey,
                          {74, 242});
    lblPomoc = MakeLabel(Panel1, "lblPomoc", "F1 - help", text, kGrey, {93, 264});
    lblUstawienia = MakeLabel(Panel1, "lblUstawienia", "F2 - settings", text, kGrey, {93, 286});

    new CircleShape(Panel1, "shp3", {39, 323, 10, 10});
    lbl3 = MakeLabel(Panel1, "lbl3", "Picasa integrated", point, kYellow, {55, 317});
    lblPicasa = MakeLabel(Panel1, "lblPicasa",
                          "You can run Lumetta slideshow by selecting pictures and clicking Lumetta button in Picasa.",
                          text, kGrey, {74, 346}, {345, 51});

    new CircleShape(Panel1, "shp4", {39, 427, 10, 10});
    lbl4 = MakeLabel(Panel1, "lbl4", "Look at Lumetta website", point, kYellow, {55, 421});
    lblStronaWWW = MakeLabel(Panel1, "lblStronaWWW",
                             QString("Folow this link to %1. You can find Lumetta development plans there or share "
                                     "your opinion about the program.")
                                 .arg(kProductHost),
                             text, kGrey, {74, 450}, {367, 50});
    lblHiperLacze = MakeLabel(Panel1, "lblHiperLacze", "visit the website", WindowFont("Tahoma", 8, true), Qt::white,
                              {661, 68});
    pnlClose = MakeButtonPanel(Panel1, "pnlClose", "Close", font(), {704, 528, 88, 23});
}

void TfrmFirstInfo::CreatePictures() {
    imgLumetta = MakeImage(Panel1, "imgLumetta", QPixmap::fromImage(ProductLogo()), {526, 2, 266, 105});
    imgIkonaProgramu = MakeImage(Panel1, "imgIkonaProgramu", QPixmap::fromImage(ProgramIcon()), {677, 126, 92, 92}, true);
    img2 = MakeImage(Panel1, "img2", QPixmap::fromImage(PlayMosaic()), {636, 255, 69, 69}, true);
    img1 = MakeImage(Panel1, "img1", QPixmap::fromImage(SmallMosaic()), {611, 362, 46, 46}, true);
    imgLogo = MakeImage(Panel1, "imgLogo", QPixmap::fromImage(MakerLogo()), {39, 528, 129, 43});
    // The link sits on the logo's control; it stays on top so it can be clicked.
    lblHiperLacze->raise();
}

void TfrmFirstInfo::ConnectHandlers() {
    for (ActiveLabel* link : {lblHiperLacze, lblStronaWWW, lbl4, imgLumetta, imgLogo}) {
        link->setCursor(Qt::PointingHandCursor);
        connect(link, &ActiveLabel::clicked, this, &TfrmFirstInfo::lblHiperLaczeClick);
    }
    for (ActiveLabel* link : {lblHiperLacze, lblStronaWWW}) {
        connect(link, &ActiveLabel::mouseEntered, this, [this, link] { lblHiperLaczeMouseEnter(link); });
        connect(link, &ActiveLabel::mouseLeft, this, [this, link] { lblHiperLaczeMouseLeave(link); });
    }
    for (ActiveLabel* label : {lblMenuKontekstowe, lblPicasa}) {
        connect(label, &ActiveLabel::mouseEntered, this, [this, label] { lblMenuKontekstoweMouseEnter(label); });
        connect(label, &ActiveLabel::mouseLeft, this, [this, label] { lblMenuKontekstoweMouseLeave(label); });
    }
    for (ActiveLabel* label : {lblSkroty, lblPomoc, lblUstawienia}) {
        connect(label, &ActiveLabel::mouseEntered, this, &TfrmFirstInfo::lblSkrotyMouseEnter);
        connect(label, &ActiveLabel::mouseLeft, this, &TfrmFirstInfo::lblSkrotyMouseLeave);
    }
    connect(pnlClose, &ActiveLabel::clicked, this, &TfrmFirstInfo::pnlCloseClick);
    connect(pnlClose, &ActiveLabel::mouseEntered, this, &TfrmFirstInfo::pnlCloseMouseEnter);
    connect(pnlClose, &ActiveLabel::mouseLeft, this, &TfrmFirstInfo::pnlCloseMouseLeave);

    actZamknij = new QAction(this);
    actZamknij->setObjectName("actZamknij");
    actZamknij->setShortcut(Qt::Key_Escape);
    connect(actZamknij, &QAction::triggered, this, &TfrmFirstInfo::actZamknijExecute);
    addAction(actZamknij);
}

void TfrmFirstInfo::lblHiperLaczeClick() {
    shell_.Open(kProductPage);
    close();
}

// The label under the mouse takes the link's style (bold) underlined, and the
// link's hover colour; on leaving, the link's style and white.
void TfrmFirstInfo::lblHiperLaczeMouseEnter(ActiveLabel* label) {
    QFont styled = label->font();
    styled.setBold(lblHiperLacze->font().bold());
    styled.setUnderline(true);
    label->setFont(styled);
    label->SetTextColour(kOrange);
}

void TfrmFirstInfo::lblHiperLaczeMouseLeave(ActiveLabel* label) {
    QFont styled = label->font();
    styled.setBold(lblHiperLacze->font().bold());
    styled.setUnderline(false);
    label->setFont(styled);
    label->SetTextColour(Qt::white);
}

void TfrmFirstInfo::lblMenuKontekstoweMouseEnter(ActiveLabel* label) { label->SetTextColour(Qt::white); }

void TfrmFirstInfo::lblMenuKontekstoweMouseLeave(ActiveLabel* label) { label->SetTextColour(kSilver); }

void TfrmFirstInfo::lblSkrotyMouseEnter() {
    for (ActiveLabel* label : {lblSkroty, lblPomoc, lblUstawienia}) label->SetTextColour(Qt::white);
}

void TfrmFirstInfo::lblSkrotyMouseLeave() {
    for (ActiveLabel* label : {lblSkroty, lblPomoc, lblUstawienia}) label->SetTextColour(kSilver);
}

void TfrmFirstInfo::pnlCloseClick() { close(); }

void TfrmFirstInfo::pnlCloseMouseEnter() {
    pnlClose->SetBackground(kSilver);
    pnlClose->SetTextColour(Qt::black);
}

void TfrmFirstInfo::pnlCloseMouseLeave() {
    pnlClose->SetBackground(Qt::black);
    pnlClose->SetTextColour(Qt::white);
}

void TfrmFirstInfo::actZamknijExecute() { close(); }
