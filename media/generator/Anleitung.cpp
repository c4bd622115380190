// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The instructions text. Written in UTF-8 here and turned into RTF with
// \'xx escapes of Windows-1250, so ő and ű travel as \'f5 and \'fb and the
// file reads correctly in any RTF reader.
#include "Anleitung.h"

#include <QList>

#include <utility>

namespace Anleitung {
namespace {

// The non-ASCII characters the text uses, with their Windows-1250 bytes.
constexpr std::pair<char16_t, unsigned char> Codepage1250[] = {
    { u'á', 0xE1 },
    { u'é', 0xE9 },
    { u'í', 0xED },
    { u'ó', 0xF3 },
    { u'ö', 0xF6 },
    { u'ő', 0xF5 },
    { u'ú', 0xFA },
    { u'ü', 0xFC },
    { u'ű', 0xFB },
    { u'Á', 0xC1 },
    { u'É', 0xC9 },
    { u'Í', 0xCD },
    { u'Ó', 0xD3 },
    { u'Ö', 0xD6 },
    { u'Ő', 0xD5 },
    { u'Ú', 0xDA },
    { u'Ü', 0xDC },
    { u'Ű', 0xDB },
    { u'ä', 0xE4 },
    { u'ß', 0xDF },
    { u'–', 0x96 },
    { u'„', 0x84 },
    { u'”', 0x94 },
    { u'…', 0x85 },
};

struct Absatz {
    QString ueberschrift; // bold, in the title blue; may be empty
    QString text;
};

QList<Absatz> inhalt()
{
    return {
        { QString(), QStringLiteral("Színmemória-játék egy vagy két játékosnak.") },
        { QStringLiteral("A cél"),
            QStringLiteral("Minden kör elején a Célszín mezőben megjelenik egy szín: ez a célszín. A játéktéren "
                           "öt–kilenc hasonló színű lapocska látható, véletlen méretben és alakban. Kattints arra a "
                           "lapra, amelynek a színe pontosan megegyezik a célszínnel! Előfordulhat, hogy a célszín "
                           "egyik lapon sincs rajta, de az is, hogy egyszerre több lapon is megtalálható.") },
        { QStringLiteral("Az óra"),
            QStringLiteral("A Hátralévő idő mezőben az óra hat szegmensből áll. Minden letelt szegmens után eltűnik "
                           "egy jel; ha mind a hat elfogyott, lejárt az idő, és a következő játékos jön.") },
        { QStringLiteral("Találat és tévedés"),
            QStringLiteral("Ha eltalálod a célszínt, a tábládon megtelik egy újabb mező, új színeket kapsz, és te "
                           "folytatod. Ha rossz lapra kattintasz, vagy lejár az idő, a kör a következő játékosé.") },
        { QStringLiteral("Győzelem"), QStringLiteral("Aki elsőként gyűjt össze 16 találatot, megnyeri a játékot.") },
        { QStringLiteral("Szintek"),
            QStringLiteral("Valahányszor a játékosok találatai együtt elérnek egy újabb ötöst (5, 10, 15 …), a játék "
                           "nehezebb lesz: a többi lap színe közelebb kerül a célszínhez, és a Célszín mező alakja "
                           "is megváltozik.") },
        { QStringLiteral("Nehézségi fokok"),
            QStringLiteral("Öt fok közül választhatsz: Nagyon könnyű, Könnyű, Közepes, Nehéz és Nagyon nehéz. "
                           "A nehezebb fokokon a célszín az óra első szegmense után eltűnik, ezért jól jegyezd meg!") },
        { QStringLiteral("Gombok"),
            QStringLiteral("„Tovább”: kihagyod a kört, és a következő játékos jön (egyedül játszva új színek "
                           "következnek). „Vissza”: befejezed a játékot, és visszatérsz a beállításokhoz.") },
        { QStringLiteral("Egy vagy két játékos"),
            QStringLiteral("Játszhatsz egyedül, vagy ketten felváltva. Írjátok be a neveteket, válasszátok ki a "
                           "játékosok számát és a nehézségi fokot, majd kattintsatok a „Játék” gombra. Két "
                           "játékosnál minden váltáskor megjelenik, ki következik.") },
        { QStringLiteral("Hang"),
            QStringLiteral("A „Ton aus” / „Ton ein” gombbal ki- és bekapcsolhatod a hangjelzéseket (találat, "
                           "tévedés, győzelem). Ha a gépen nincs hangkimenet, a gomb nem használható.") },
        { QString(), QStringLiteral("Jó szórakozást!") },
    };
}

QByteArray rtfText(const QString& text)
{
    QByteArray b;
    for (QChar c : text)
        b.append(rtfZeichen(c));
    return b;
}

} // namespace

QByteArray rtfZeichen(QChar zeichen)
{
    const char16_t u = zeichen.unicode();
    if (u == u'\\' || u == u'{' || u == u'}')
        return QByteArray("\\") + static_cast<char>(u);
    if (u >= 0x20 && u < 0x7F)
        return QByteArray(1, static_cast<char>(u));
    for (const auto& [zeichen1250, byte] : Codepage1250)
        if (zeichen1250 == u)
            return QByteArrayLiteral("\\'") + QByteArray::number(byte, 16).rightJustified(2, '0');
    return "\\u" + QByteArray::number(static_cast<qint16>(u)) + "?";
}

QByteArray rtf()
{
    // Font 0 is Arial in the Central European character set (238); the
    // colour table gives the title blue of the screens as colour 1.
    QByteArray b = "{\\rtf1\\ansi\\ansicpg1250\\deff0\\deflang1038"
                   "{\\fonttbl{\\f0\\fswiss\\fcharset238 Arial;}}\r\n"
                   "{\\colortbl ;\\red0\\green128\\blue255;}\r\n"
                   "\\viewkind4\\uc1\\pard\\sa80\\f0\\fs18\r\n";
    b += "{\\b\\fs24 Tintarium}\\par\r\n";
    for (const Absatz& a : inhalt()) {
        if (!a.ueberschrift.isEmpty())
            b += "{\\b\\cf1 " + rtfText(a.ueberschrift) + "}\\par\r\n";
        b += rtfText(a.text) + "\\par\r\n";
    }
    b += "}\r\n";
    return b;
}

} // namespace Anleitung
