// The next-player screen's widgets and its one handler. It carries no icon of
// its own: the program's single window already shows the program's icon.
#include "Naechsterspieler1.h"

#include "Bilder.h"
#include "Button.h"
#include "Fonts.h"
#include "Image.h"
#include "Label.h"
#include "Panel.h"

TNaechsterSpieler* NaechsterSpieler = nullptr;

TNaechsterSpieler::TNaechsterSpieler()
    : TForm(QStringLiteral("NaechsterSpieler"))
{
    NaechsterSpieler = this;
    setAccessibleName(QString::fromUtf8("Következő játékos"));

    Image1 = new TImage(this);
    Image1->setGeometry(0, 0, 816, 302);
    Image1->setPicture(TitelbildOhneMotto());
    Image1->setAccessibleName(TitelbildOhneMottoText());

    Image2 = new TImage(this);
    Image2->setGeometry(-8, 553, 816, 48);
    Image2->setPicture(Fussleiste());
    Image2->setAccessibleName(FussleisteText());

    Spielername = new TLabel(this);
    Spielername->setAutoSize(false);
    Spielername->setGeometry(257, 258, 517, 30);
    Spielername->setWordWrap(true);
    Spielername->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 24));
    Spielername->setFontColor(clBlack);

    Panel1 = new TPanel(this);
    Panel1->setGeometry(-8, 300, 816, 255);

    Image3 = new TImage(Panel1);
    Image3->setGeometry(10, 1, 833, 255);
    Image3->setPicture(Kartenbild());
    Image3->setAccessibleName(KartenbildText());

    Ok = new TButton(Panel1);
    Ok->setGeometry(720, 200, 75, 25);
    Ok->setCaption(QStringLiteral("Ok"));
    Ok->onClick = [this] { OkClick(); };
    setDefaultButton(Ok);

    Zentrieren();
}

TNaechsterSpieler::~TNaechsterSpieler()
{
    if (NaechsterSpieler == this)
        NaechsterSpieler = nullptr;
}

void TNaechsterSpieler::OkClick()
{
    Close();
}
