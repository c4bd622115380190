// SPDX-FileCopyrightText: 2026 Tintarium developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Pictures: drawing at natural size over what lies below, transparency by
// the bottom-left pixel's colour, and loading with its three failure
// messages and the previous picture kept. The reading of picture files
// itself is tested byte by byte in tests/formats.
#include "Application.h"
#include "Form.h"
#include "Image.h"
#include "PictureReader.h"
#include "Shape.h"
#include "TestPicture.h"
#include "ToolkitError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QRgb blue = qRgb(0, 0, 255);

class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        form = std::make_unique<TForm>(QStringLiteral("Bilder"));
        // A blue shape below the picture shows through where the picture is
        // transparent or does not reach.
        below = new TShape(form.get());
        below->setGeometry(0, 0, 20, 20);
        below->setBrushColor(0xFF0000);
        image = new TImage(form.get());
        image->setGeometry(5, 5, 10, 10);
    }
    void TearDown() override { form.reset(); }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void write(const QString& file, const QByteArray& data) const
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(data);
    }
    QByteArray bitmapBytes() const
    {
        const QString file = path("muster.bmp");
        EXPECT_TRUE(testPicture().save(file, "BMP"));
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }
    QRgb seen(int x, int y) const { return form->grab().toImage().pixel(x, y); }
    void expectLoadFails(const QString& file, const QString& message)
    {
        try {
            image->loadFromFile(file);
            ADD_FAILURE() << "loaded " << file.toStdString();
        } catch (const EToolkitError& error) {
            EXPECT_EQ(error.text(), message);
        }
    }

    QTemporaryDir dir;
    std::unique_ptr<TForm> form;
    TShape* below = nullptr;
    TImage* image = nullptr;
};

} // namespace

TEST_F(Pictures, DrawnAtNaturalSizeFromTheTopLeftOverWhatLiesBelow)
{
    EXPECT_EQ(TImage(form.get()).size(), QSize(105, 105));
    image->setPicture(testPicture());
    EXPECT_EQ(seen(5, 5), green);
    EXPECT_EQ(seen(5, 7), red);
    EXPECT_EQ(seen(9, 5), blue); // right of the picture: the shape below
    EXPECT_EQ(seen(5, 9), blue);
}

TEST_F(Pictures, TransparentLeavesOutTheColourOfTheBottomLeftPixel)
{
    image->setPicture(testPicture());
    image->setTransparent(true);
    EXPECT_EQ(seen(5, 7), blue);
    EXPECT_EQ(seen(7, 5), blue);
    EXPECT_EQ(seen(6, 5), green);
    image->setTransparent(false);
    EXPECT_EQ(seen(7, 5), red);
}

TEST_F(Pictures, LoadsABitmapChosenByTheExtensionInAnyCase)
{
    const QByteArray bytes = bitmapBytes();
    write(path("UHR.BMP"), bytes);
    image->loadFromFile(path("UHR.BMP"));
    EXPECT_EQ(image->picture().size(), QSize(4, 3));
    EXPECT_EQ(image->picture().pixel(0, 2), red);
}

TEST_F(Pictures, FailuresGiveTheirMessagesAndKeepThePreviousPicture)
{
    image->setPicture(testPicture());
    expectLoadFails(QStringLiteral("fehlt/TintariumUhr.bmp"),
        QString::fromUtf8("Datei fehlt/TintariumUhr.bmp kann nicht geöffnet werden"));
    expectLoadFails(dir.path() + QStringLiteral("/"), QString::fromUtf8("Unbekannte Bilddateierweiterung (.)"));
    expectLoadFails(QStringLiteral("bild.Gif"), QString::fromUtf8("Unbekannte Bilddateierweiterung (.Gif)"));
    expectLoadFails(QStringLiteral("ohne.punkt/name"), QString::fromUtf8("Unbekannte Bilddateierweiterung (.)"));
    QDir(dir.path()).mkdir(QStringLiteral("ordner.bmp"));
    expectLoadFails(
        path("ordner.bmp"), QString::fromUtf8("Datei %1 kann nicht geöffnet werden").arg(path("ordner.bmp")));
    write(path("text.bmp"), "Dies ist kein Bild.\n");
    expectLoadFails(path("text.bmp"), QString::fromUtf8("Bitmap ist ungültig"));
    write(path("leer.bmp"), QByteArray());
    expectLoadFails(path("leer.bmp"), QString::fromUtf8("Bitmap ist ungültig"));
    // Past the size limit, whatever the file holds (a sparse file: the
    // widget does not read it).
    write(path("riesig.bmp"), bitmapBytes());
    QFile large(path("riesig.bmp"));
    ASSERT_TRUE(large.resize(PictureReader::maxFileBytes + 1));
    expectLoadFails(path("riesig.bmp"), QString::fromUtf8("Bitmap ist ungültig"));
    write(path("riesig.png"), QByteArray());
    QFile largePng(path("riesig.png"));
    ASSERT_TRUE(largePng.resize(PictureReader::maxFileBytes + 1));
    expectLoadFails(path("riesig.png"), QString::fromUtf8("Bild ist ungültig"));
    EXPECT_EQ(image->picture(), testPicture());
}
