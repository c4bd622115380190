// The settings record's start values.
#include "Konfiguration1.h"

TKonfiguration::TKonfiguration()
    : AnzahlKarten(20)
    , AnzahlSpieler(2)
    , SpielerNamen {}
    , KartenProZeile(5)
{
}
