#include "core/frmSplash.h"

#include "core/AppState.h"
#include "core/IniSettings.h"
#include "core/MainDatabase.h"
#include "core/MainWindowService.h"
#include "core/Messages.h"
#include "core/ProgramFiles.h"
#include "core/ProgramVersion.h"
#include "core/frmLogin.h"
#include "platform/ProgramEnd.h"
#include "platform/ProgramFolder.h"
#include "platform/forms/FormRegistry.h"
#include "platform/forms/FormTimer.h"
#include "platform/forms/PictureBox.h"
#include "platform/forms/Placement.h"
#include "platform/forms/Twips.h"
#include "platform/text/VbText.h"
#include "platform/translation/BinaryDictionary.h"
#include "platform/widgets/FormTranslator.h"

#include <QApplication>
#include <QLabel>
#include <algorithm>

namespace {

bool splashLoaded = false;

void placeTwips(QWidget* w, double left, double top)
{
    w->move(Twips::toPixels(left), Twips::toPixels(top));
}

double heightTwips(const QWidget* w)
{
    return Twips::fromPixels(w->height());
}

double widthTwips(const QWidget* w)
{
    return Twips::fromPixels(w->width());
}

}

bool SplashLoaded()
{
    return splashLoaded;
}

frmSplash::frmSplash()
{
    setWindowTitle(QStringLiteral("Access Control GT-430"));
    // The window is disabled while the login is up; it must not look greyed out.
    QPalette look = palette();
    for (int role = 0; role < QPalette::NColorRoles; ++role)
        look.setColor(QPalette::Disabled, QPalette::ColorRole(role),
                      look.color(QPalette::Active, QPalette::ColorRole(role)));
    setPalette(look);
    lblTitle = new QLabel(QStringLiteral("Access Control GT-430"), this);
    QFont big = lblTitle->font();
    big.setPointSize(28);
    big.setBold(true);
    lblTitle->setFont(big);
    lblVer = new QLabel(this);
    lblFootLine = new QLabel(QStringLiteral("Door access control for the GT-430 unit"), this);
    const char* signal[3] = {":/pictures/signal-blink1.svg", ":/pictures/signal-blink2.svg", ":/pictures/signal.svg"};
    const char* product[3] = {":/pictures/product.svg", ":/pictures/product-blink1.svg",
                              ":/pictures/product-blink2.svg"};
    for (int i = 0; i < 3; ++i) {
        Image2[i] = new PictureBox(QString::fromLatin1(signal[i]), this);
        Image2[i]->resize(Twips::toPixels(1800), Twips::toPixels(1800));
        Image2[i]->setVisible(i == 2);
        ImgGt43W[i] = new PictureBox(QString::fromLatin1(product[i]), this);
        ImgGt43W[i]->setVisible(i == 0);
    }
    ImgTolvaneLogo = new PictureBox(QStringLiteral(":/pictures/brand.svg"), this);
    ImgTolvaneLogo->resize(Twips::toPixels(1200), Twips::toPixels(1200));
    TimerStartUp = new FormTimer(
        500, [this] { TimerStartUp_Timer(); }, this);
}

void frmSplash::Form_Load()
{
    guarded(803, [this] {
        splashLoaded = true;
        QApplication::processEvents();
        OpenMainDatabase();
        LoadIniSettings();
        BinaryDictionary& dict = StartDict();
        dict.setDictionaryFile(AddBackslash(ProgramFolder::path()) + QStringLiteral("GT430.mld"));
        try {
            dict.LoadDictionary();
        } catch (const AppError& error) {
            ReportError(803, error);
        }
        dict.setLanguage(appState().LanguageIndex);
        FormTranslator(dict).TranslateForm(this);
        lblTitle->setText(Translate(QStringLiteral("Access Control GT-430")));
        lblVer->setText(Translate(QStringLiteral("Version")) + QLatin1Char(' ') + programVersionText());
        for (QLabel* l : {lblTitle, lblVer, lblFootLine})
            l->adjustSize();
        // The whole screen less its panels, so that the footer and the login below the picture show.
        fillScreen(this);
        ResizeFormControls();
        TimerStartUp->setEnabled(true);
        QApplication::processEvents();
    });
}

void frmSplash::ResizeFormControls()
{
    guarded(802, [this] {
        // The room the window has on the screen.
        const double W = widthTwips(this);
        const double H = heightTwips(this);
        const double pictureHeight = H * 0.441666666666667;
        const double pictureWidth = W * 0.2390625;
        for (PictureBox* p : ImgGt43W)
            p->resize(Twips::toPixels(pictureWidth), Twips::toPixels(pictureHeight));
        const double titleHeight = heightTwips(lblTitle);
        const double g = std::floor((H - titleHeight - pictureHeight - frmLogin::DesignHeightTwips) / 4);
        const double titleLeft = (W - widthTwips(lblTitle)) / 2;
        placeTwips(lblTitle, titleLeft, g);
        const double pictureTop = titleHeight + 2 * g;
        // Above the picture, however tall the screen makes the gaps.
        placeTwips(lblVer, titleLeft + 3000, std::min(g * 2.5, pictureTop - heightTwips(lblVer) - 60));
        placeTwips(ImgTolvaneLogo, titleLeft - widthTwips(ImgTolvaneLogo) - 100, g);
        placeTwips(lblFootLine, (W - widthTwips(lblFootLine)) / 8, H - 1000);
        const double pictureLeft = W / 2 - (pictureWidth + widthTwips(Image2[2]) + 300) / 2;
        for (PictureBox* p : ImgGt43W)
            placeTwips(p, pictureLeft, pictureTop);
        for (PictureBox* p : Image2)
            placeTwips(p, pictureLeft + pictureWidth + 300, pictureTop + (pictureHeight - heightTwips(p)) / 2);
    });
}

void frmSplash::Form_Activate()
{
    guarded(801, [this] {
        QApplication::processEvents();
        AppState& s = appState();
        if (VbText::trim(s.AdminPassword).isEmpty()) {
            s.LoginPassword = s.AdminPassword;
            s.SessionPassword = s.LoginPassword;
            ShowMainWindow();
            unloadForm();
            return;
        }
        frmLogin& login = FormInstance<frmLogin>::get();
        // Under the picture, where the window is on the screen; the login stays whole on the screen.
        const double left = (widthTwips(this) - Twips::fromPixels(login.width())) / 2;
        const double top = Twips::fromPixels(ImgGt43W[0]->y()) + heightTwips(ImgGt43W[0]) + 300;
        login.move(mapToGlobal(QPoint(Twips::toPixels(left), Twips::toPixels(top))));
        login.showModeless(this);
        setEnabled(false);
    });
}

void frmSplash::TimerStartUp_Timer()
{
    guarded(807, [this] {
        if (m_blinkPhase) {
            Image2[2]->setPicture(Image2[1]->picture());
            ImgGt43W[0]->setPicture(ImgGt43W[1]->picture());
            m_blinkPhase = false;
        } else {
            Image2[2]->setPicture(Image2[0]->picture());
            ImgGt43W[0]->setPicture(ImgGt43W[2]->picture());
            m_blinkPhase = true;
        }
    });
}

bool frmSplash::Form_QueryUnload(int mode)
{
    bool allow = true;
    guarded(805, [&] {
        if (mode == CloseBox) {
            allow = false;
            endProgram();
        }
    });
    return allow;
}

void frmSplash::Form_Unload()
{
    guarded(806, [] {
        splashLoaded = false;
        appState().StartupDone = true;
    });
}
