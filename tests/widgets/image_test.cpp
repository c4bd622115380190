// Pictures: drawing at natural size over what lies below, transparency by
// the bottom-left pixel's colour, and loading with its three failure
// messages, the previous picture kept, and corrupt bitmaps refused safely.
#include "Application.h"
#include "Form.h"
#include "Image.h"
#include "Shape.h"
#include "ToolkitError.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <random>

namespace {

const QRgb green = qRgb(0, 200, 0);
const QRgb red = qRgb(255, 0, 0);
const QRgb blue = qRgb(0, 0, 255);

// 4 x 3, green, with red in the bottom-left corner and at (2, 0).
QImage testPicture()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(green);
    image.setPixel(0, 2, red);
    image.setPixel(2, 0, red);
    return image;
}

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
    EXPECT_EQ(image->picture(), testPicture());
}

TEST_F(Pictures, TruncatedBitmapsAreInvalidAtEveryLength)
{
    const QByteArray bytes = bitmapBytes();
    for (qsizetype length = 0; length < bytes.size(); ++length) {
        write(path("kurz.bmp"), bytes.left(length));
        expectLoadFails(path("kurz.bmp"), QString::fromUtf8("Bitmap ist ungültig"));
    }
}

TEST_F(Pictures, CorruptHeadersNeverCrash)
{
    const QByteArray bytes = bitmapBytes();
    // Enormous dimensions in an otherwise short file.
    QByteArray huge = bytes;
    huge[18] = char(0xFF);
    huge[19] = char(0xFF);
    huge[22] = char(0xFF);
    huge[23] = char(0x7F);
    write(path("riesig.bmp"), huge);
    expectLoadFails(path("riesig.bmp"), QString::fromUtf8("Bitmap ist ungültig"));

    std::mt19937 random(20261207u);
    std::printf("seed 20261207\n");
    for (int round = 0; round < 400; ++round) {
        QByteArray mutated = bytes;
        for (int flips = 0; flips < 3; ++flips)
            mutated[qsizetype(random() % 54)] = char(random() & 0xFF);
        write(path("kaputt.bmp"), mutated);
        try {
            image->loadFromFile(path("kaputt.bmp"));
        } catch (const EToolkitError& error) {
            EXPECT_EQ(error.text(), QString::fromUtf8("Bitmap ist ungültig"));
        }
    }
}
