// The winner screen's widgets, its showing and its "Ok".
#include "Gewonnen1.h"

#include "Bilder.h"
#include "Button.h"
#include "Farbenschiessen1.h"
#include "Fonts.h"
#include "Image.h"
#include "Konfiguration1.h"
#include "Label.h"
#include "MediaPlayer.h"
#include "Panel.h"
#include "Ton.h"

TGewonnen* Gewonnen = nullptr;

namespace {

// The three lines of the grey box share everything but place, text and colour.
TLabel* Zeile(QWidget* parent, int left, int top, int width, TColor farbe, const QString& text)
{
    auto* label = new TLabel(parent);
    label->setAutoSize(false);
    label->setGeometry(left, top, width, 40);
    label->setCentered(true);
    label->setWordWrap(true);
    label->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 24));
    label->setFontColor(farbe);
    label->setCaption(text);
    return label;
}

} // namespace

TGewonnen::TGewonnen()
    : TForm(QStringLiteral("Gewonnen"))
{
    Gewonnen = this;
    setFormIcon(Programmsymbol());
    setAccessibleName(QString::fromUtf8("Győztes"));

    Image1 = new TImage(this);
    Image1->setGeometry(0, 0, 816, 300);
    Image1->setPicture(Titelbild());
    Image1->setAccessibleName(TitelbildText());

    Image2 = new TImage(this);
    Image2->setGeometry(0, 553, 816, 48);
    Image2->setPicture(Fussleiste());
    Image2->setAccessibleName(FussleisteText());

    Panel1 = new TPanel(this);
    Panel1->setGeometry(0, 300, 816, 255);

    Panel2 = new TPanel(Panel1);
    Panel2->setGeometry(158, 37, 438, 145);
    Panel2->setBevelInner(true);
    Panel2->setBorderSingle(true);
    Panel2->setColor(clPanelgrau);

    Label1 = Zeile(Panel2, 20, 12, 398, clBlue, QString::fromUtf8("Gratulálunk! "));
    Label6 = Zeile(Panel2, 21, 51, 394, clRed, QString());
    Label3 = Zeile(Panel2, 20, 92, 394, clBlue, QString::fromUtf8("Ön megnyerte a játékot!"));

    Ok = new TButton(Panel1);
    Ok->setGeometry(720, 200, 75, 25);
    Ok->setCaption(QStringLiteral("Ok"));
    Ok->onClick = [this] { OkClick(); };

    MediaPlayer = new TMediaPlayer(this);
    MediaPlayer->setGeometry(200, 16, 253, 20);
    MediaPlayer->hide();

    Zentrieren();
}

TGewonnen::~TGewonnen()
{
    if (Gewonnen == this)
        Gewonnen = nullptr;
}

void TGewonnen::SiegerZeigen(int nummer)
{
    Label6->setCaption(QString::fromStdString(Konfiguration->SpielerNamen[static_cast<std::size_t>(nummer)]));
    // The grey box is read as the one message it shows.
    Panel2->setAccessibleName(Label1->caption().trimmed() + u' ' + Label6->caption() + u' ' + Label3->caption());
    // A cue file that cannot be opened is reported once this event is over;
    // the screen is shown all the same, silently.
    TonAbspielen(*MediaPlayer, QStringLiteral("TintariumGewonnen.wav"));
    ShowModal();
}

void TGewonnen::OkClick()
{
    TonSchliessen(*MediaPlayer);
    Close();
}
