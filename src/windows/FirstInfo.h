// The welcome window of a start without arguments: on black, four short
// points on how to start a show and where to find help, and links to the
// product's web site. Creating it records the program's folder in the registry
// and, once, requests the program's Picasa button (WelcomeRegistration.h).
// Shown modally; "Close", Escape or a link close it.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/registry/Registry.h"
#include "platform/shell/Shell.h"

class ActiveLabel;
class CentredPanel;
class QAction;

class TfrmFirstInfo : public QDialog {
    Q_OBJECT
public:
    // How a failure to store the Picasa flag reaches the user; by default an
    // error message box.
    using ErrorReport = std::function<void(const QString& message)>;

    TfrmFirstInfo(registry::IRegistry& registry, shell::IShell& shell, const QString& executableFolder,
                  ErrorReport reportError = {}, QWidget* parent = nullptr);

private:
    void FormCreate(const QString& executableFolder);
    void CreateTexts();
    void CreatePictures();
    void ConnectHandlers();

    void lblHiperLaczeClick();
    void lblHiperLaczeMouseEnter(ActiveLabel* label);
    void lblHiperLaczeMouseLeave(ActiveLabel* label);
    void lblMenuKontekstoweMouseEnter(ActiveLabel* label);
    void lblMenuKontekstoweMouseLeave(ActiveLabel* label);
    void lblSkrotyMouseEnter();
    void lblSkrotyMouseLeave();
    void pnlCloseClick();
    void pnlCloseMouseEnter();
    void pnlCloseMouseLeave();
    void actZamknijExecute();

    registry::IRegistry& registry_;
    shell::IShell& shell_;
    ErrorReport reportError_;

    CentredPanel* Panel1;
    ActiveLabel* lblWitaj;
    ActiveLabel* lbl1;
    ActiveLabel* lblMenuKontekstowe;
    ActiveLabel* lbl2;
    ActiveLabel* lblSkroty;
    ActiveLabel* lblPomoc;
    ActiveLabel* lblUstawienia;
    ActiveLabel* lbl3;
    ActiveLabel* lblPicasa;
    ActiveLabel* lbl4;
    ActiveLabel* lblStronaWWW;
    ActiveLabel* imgLumetta;
    ActiveLabel* lblHiperLacze;
    ActiveLabel* imgIkonaProgramu;
    ActiveLabel* img2;
    ActiveLabel* img1;
    ActiveLabel* imgLogo;
    ActiveLabel* pnlClose;
    QAction* actZamknij;
};
