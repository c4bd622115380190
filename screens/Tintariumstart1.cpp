// The start screen's widgets and its one handler.
#include "Tintariumstart1.h"

#include "Bilder.h"
#include "Button.h"
#include "Farbenschiessen1.h"
#include "Image.h"
#include "Panel.h"

TTintariumStart* TintariumStart = nullptr;

TTintariumStart::TTintariumStart()
    : TForm(QStringLiteral("Tintarium"))
{
    // Reachable through its pointer from here on, as every screen is while it
    // is being built.
    TintariumStart = this;
    setFormIcon(Programmsymbol());
    setAccessibleName(QStringLiteral("Tintarium"));

    Image2 = new TImage(this);
    Image2->setGeometry(0, 553, 816, 48);
    Image2->setPicture(Fussleiste());
    Image2->setAccessibleName(FussleisteText());

    Image1 = new TImage(this);
    Image1->setGeometry(0, 0, 816, 302);
    Image1->setPicture(Titelbild());
    Image1->setAccessibleName(TitelbildText());

    Panel1 = new TPanel(this);
    Panel1->setGeometry(0, 300, 816, 255);

    Image3 = new TImage(Panel1);
    Image3->setGeometry(10, 1, 833, 255);
    Image3->setPicture(Kartenbild());
    Image3->setAccessibleName(KartenbildText());

    Ok = new TButton(Panel1);
    Ok->setGeometry(720, 200, 75, 25);
    Ok->setCaption(QStringLiteral("Start"));
    Ok->onClick = [this] { OkClick(); };
    setDefaultButton(Ok);

    Zentrieren();
}

TTintariumStart::~TTintariumStart()
{
    if (TintariumStart == this)
        TintariumStart = nullptr;
}

void TTintariumStart::OkClick()
{
    FarbenSchiessen->Show();
}
