#include "windows/Help.h"

#include <QAction>
#include <QEventLoop>

#include "windows/Artwork.h"
#include "windows/CommandPicture.h"
#include "windows/Controls.h"
#include "windows/Fonts.h"
#include "windows/WebPages.h"

namespace {

const QColor kOrange(255, 136, 17);
const QColor kHoverGrey(128, 128, 128);

}  // namespace

TfrmHelp::TfrmHelp(shell::IShell& shell, QWidget* parent) : QWidget(parent, Qt::Window), shell_(shell) {
    setObjectName("frmHelp");
    setWindowTitle("Help");
    CoverScreen(this);
    setWindowOpacity(kOpacity);
    setFont(WindowFont("Tahoma", 8));

    Panel1 = new CentredPanel(this, QSize(800, 497));
    // The command picture lies below the logo and the link, which overlap its
    // top band; its black shows through as the panel's black.
    QPixmap commands = QPixmap::fromImage(CommandPicture());
    commands.setMask(commands.createMaskFromColor(Qt::black));
    Image1 = MakeImage(Panel1, "Image1", commands, QRect(0, 40, 800, 329));
    Image1->setAttribute(Qt::WA_TransparentForMouseEvents);

    imgLumetta = MakeImage(Panel1, "imgLumetta", QPixmap::fromImage(ProductLogo()), QRect(526, 2, 266, 105));
    lblHiperLacze = MakeLabel(Panel1, "lblHiperLacze", "visit the website", WindowFont("Tahoma", 8, true),
                              Qt::white, QPoint(672, 68));
    imgLogo = MakeImage(Panel1, "imgLogo", QPixmap::fromImage(MakerLogo()), QRect(8, 456, 129, 41));
    pnlWsparcie = MakeButtonPanel(Panel1, "pnlWsparcie", "Donate", font(), QRect(584, 463, 105, 25));
    PanelClose = MakeButtonPanel(Panel1, "PanelClose", "OK", font(), QRect(695, 463, 97, 25));
    for (ActiveLabel* link : {imgLumetta, lblHiperLacze, imgLogo}) {
        link->setCursor(Qt::PointingHandCursor);
        connect(link, &ActiveLabel::clicked, this, &TfrmHelp::lblHiperLaczeClick);
    }
    connect(lblHiperLacze, &ActiveLabel::mouseEntered, this, &TfrmHelp::lblHiperLaczeMouseEnter);
    connect(lblHiperLacze, &ActiveLabel::mouseLeft, this, &TfrmHelp::lblHiperLaczeMouseLeave);
    connect(pnlWsparcie, &ActiveLabel::clicked, this, &TfrmHelp::pnlWsparcieClick);
    connect(PanelClose, &ActiveLabel::clicked, this, &TfrmHelp::PanelCloseClick);
    for (ActiveLabel* panel : {pnlWsparcie, PanelClose}) {
        connect(panel, &ActiveLabel::mouseEntered, this, [this, panel] { PanelCloseMouseEnter(panel); });
        connect(panel, &ActiveLabel::mouseLeft, this, [this, panel] { PanelCloseMouseLeave(panel); });
    }

    actZamknij = new QAction(this);
    actZamknij->setObjectName("actZamknij");
    actZamknij->setShortcut(Qt::Key_Escape);
    connect(actZamknij, &QAction::triggered, this, &TfrmHelp::actZamknijExecute);
    addAction(actZamknij);
}

void TfrmHelp::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit hidden();
}

void TfrmHelp::lblHiperLaczeClick() { shell_.Open(kProductPage); }

void TfrmHelp::lblHiperLaczeMouseEnter() {
    QFont underlined = lblHiperLacze->font();
    underlined.setUnderline(true);
    lblHiperLacze->setFont(underlined);
    lblHiperLacze->SetTextColour(kOrange);
}

void TfrmHelp::lblHiperLaczeMouseLeave() {
    QFont plain = lblHiperLacze->font();
    plain.setUnderline(false);
    lblHiperLacze->setFont(plain);
    lblHiperLacze->SetTextColour(Qt::white);
}

void TfrmHelp::pnlWsparcieClick() { shell_.Open(kSupportPage); }

void TfrmHelp::PanelCloseClick() { hide(); }

void TfrmHelp::PanelCloseMouseEnter(ActiveLabel* panel) { panel->SetBackground(kHoverGrey); }

void TfrmHelp::PanelCloseMouseLeave(ActiveLabel* panel) { panel->SetBackground(Qt::black); }

void TfrmHelp::actZamknijExecute() { hide(); }

void ShowHelp(TfrmHelp& help, const std::function<void(bool enabled)>& setSlideshowEnabled) {
    setSlideshowEnabled(false);
    QEventLoop untilHidden;
    QObject::connect(&help, &TfrmHelp::hidden, &untilHidden, &QEventLoop::quit);
    help.show();
    help.raise();
    help.activateWindow();
    if (help.isVisible()) untilHidden.exec();
    setSlideshowEnabled(true);
}
