#include "Graphics/TzNSImageAdditions.h"

#include <QGuiApplication>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// A premultiplied pixel, each sample 0..1.
struct Pixel
{
    double r, g, b, a;
};

// Qt composites in 8 bits and steps opacity in 1/256: a few draws at small opacities stray by up
// to 3 of 255 from the exact value.
constexpr double tolerance = 3.5 / 255;

QImage imageOfBytes(int w, int h, const std::function<Pixel(int x, int y)>& bytes)
{
    QImage image(w, h, QImage::Format_RGBA8888_Premultiplied);
    for (int y = 0; y < h; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const Pixel p = bytes(x, y);
            line[4 * x] = uchar(p.r);
            line[4 * x + 1] = uchar(p.g);
            line[4 * x + 2] = uchar(p.b);
            line[4 * x + 3] = uchar(p.a);
        }
    }
    return image;
}

Pixel pixelAt(const QImage& image, int x, int y)
{
    const uchar* p = image.constScanLine(y) + 4 * x;
    return {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0, p[3] / 255.0};
}

// Opaque, a different colour in every pixel: bytes (32x, 32y, 128, 255).
QImage opaqueGradient()
{
    return imageOfBytes(8, 8, [](int x, int y) { return Pixel{32.0 * x, 32.0 * y, 128, 255}; });
}

// Alpha 16 + 3 (x + 8y), the colour premultiplied.
QImage translucent()
{
    return imageOfBytes(8, 8, [](int x, int y) {
        const double a = 16 + 3 * (x + 8 * y);
        return Pixel{a * x / 7, a * y / 7, a / 2, a};
    });
}

// How many pixels in from the nearest edge of an 8 × 8 image.
int ring(int x, int y)
{
    return std::min({x, y, 7 - x, 7 - y});
}

// The alpha of the feathered black mask of an opaque 8 × 8 image: source-over, a = s·f + d·(1 − s·f)
// with s = 1, for each draw whose rectangle holds the pixel.
double featherAlpha(int r, double n)
{
    double a = 0;
    for (double i = 0; i <= std::min(n, double(r)); ++i) {
        const double f = 1.0 / (n + 1 - i);
        a = f + a * (1 - f);
    }
    return a;
}

// The alpha of the dark border mask of an opaque 8 × 8 image: half black over itself
// (0.5 + 0.5 · 0.5), then destination-out, d · (1 − s·f), with s = 1/n.
double darkAlpha(int r, uint n)
{
    const double s = n == 0 ? 1.0 : 1.0 / n;
    double a = 0.5 + 0.5 * (1 - 0.5);
    for (uint i = 0; i < n; ++i) {
        if (r >= int(i) + 1)
            a *= 1 - s / (n - i);
    }
    if (r >= int(n) + 1)
        a *= std::pow(1 - s, 5);
    return a;
}

// Empty when the image is an 8 × 8 RGBA8888 bitmap with the expected pixels (within tolerance),
// otherwise what differs.
QString differences(const QImage& actual, const std::function<Pixel(int x, int y)>& expected)
{
    if (actual.format() != QImage::Format_RGBA8888_Premultiplied || actual.size() != QSize(8, 8))
        return QStringLiteral("format %1, size %2 × %3").arg(actual.format()).arg(actual.width()).arg(actual.height());
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Pixel a = pixelAt(actual, x, y);
            const Pixel e = expected(x, y);
            if (std::abs(a.r - e.r) > tolerance || std::abs(a.g - e.g) > tolerance || std::abs(a.b - e.b) > tolerance
                || std::abs(a.a - e.a) > tolerance)
                return QStringLiteral("(%1, %2): %3 %4 %5 %6, expected %7 %8 %9 %10")
                    .arg(x)
                    .arg(y)
                    .arg(a.r * 255)
                    .arg(a.g * 255)
                    .arg(a.b * 255)
                    .arg(a.a * 255)
                    .arg(e.r * 255)
                    .arg(e.g * 255)
                    .arg(e.b * 255)
                    .arg(e.a * 255);
        }
    }
    return {};
}

#define TZ_COMPARE_PIXELS(actual, ...) \
    do { \
        const QString diff = differences(actual, __VA_ARGS__); \
        QVERIFY2(diff.isEmpty(), qPrintable(diff)); \
    } while (false)

QColor byteColor(int r, int g, int b, int a = 255)
{
    // Half a step above the byte, so that truncation gives the byte back.
    const auto f = [](int v) { return v == 255 ? 1.0f : float((v + 0.5) / 255); };
    return QColor::fromRgbF(f(r), f(g), f(b), f(a));
}

QByteArray bytesOfRow(const QImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.constBits()), 4 * image.width()).toHex(' ');
}

} // namespace

class tst_TzNSImageAdditions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void conversions()
    {
        QImage retina(16, 16, QImage::Format_ARGB32);
        retina.fill(QColor(10, 200, 30));
        retina.setDevicePixelRatio(2.0);
        QCOMPARE(tz::imageRect(retina), QRectF(0, 0, 8, 8));
        QCOMPARE(tz::frame(retina), QRectF(0, 0, 8, 8));

        const QImage points = tz::RGBA8888Image(retina);
        QCOMPARE(points.size(), QSize(8, 8));
        QCOMPARE(points.format(), QImage::Format_RGBA8888_Premultiplied);
        QCOMPARE(points.pixelColor(3, 3), QColor(10, 200, 30));
        QCOMPARE(tz::RGBA8888ImageWithImage(retina).size(), QSize(8, 8));

        const QImage unscaled = tz::unscaledImage(retina);
        QCOMPARE(unscaled.devicePixelRatio(), 1.0);
        QCOMPARE(tz::imageRect(unscaled), QRectF(0, 0, 16, 16));
        QCOMPARE(retina.devicePixelRatio(), 2.0);
        const QImage normalized = tz::normalizedImage(retina);
        QCOMPARE(normalized.size(), QSize(16, 16));
        QCOMPARE(normalized.format(), QImage::Format_RGBA8888_Premultiplied);
        QCOMPARE(tz::bitmapImage(retina), normalized);

        QCOMPARE(tz::bitMapRep(retina).cacheKey(), retina.cacheKey());
        QCOMPARE(tz::imageWithRepresentation(retina).cacheKey(), retina.cacheKey());
        QVERIFY(tz::bitMapRep(QImage()).isNull());
        QVERIFY(tz::imageRect(QImage()).isEmpty());

        const QImage empty = tz::imageWithSize(QSize(3, 2));
        QCOMPARE(empty.size(), QSize(3, 2));
        QCOMPARE(empty.format(), QImage::Format_RGBA8888_Premultiplied);
        QCOMPARE(bytesOfRow(empty), QByteArray(12, '\0').toHex(' '));
        QVERIFY(tz::imageWithSize(QSize(0, 5)).isNull());

        QImage canvas(4, 4, QImage::Format_ARGB32_Premultiplied);
        canvas.fill(Qt::green);
        QPainter painter(&canvas);
        QCOMPARE(tz::imageWithFocusedViewRect(painter, QRectF(1, 1, 2, 2)).pixelColor(1, 1), QColor(Qt::green));
    }

    void placeholdersAreNone()
    {
        const QImage image = opaqueGradient();
        QVERIFY(tz::featheredAlphaMask(image).isNull());
        QVERIFY(tz::featheredBlackBorderMask(image).isNull());
        QVERIFY(tz::featheredImage(image).isNull());
        QVERIFY(tz::featheredDarkBorderImage(image).isNull());
    }

    void noneGivesNone()
    {
        const QImage none;
        QVERIFY(tz::maskWithColor(none, Qt::red).isNull());
        QVERIFY(tz::blackMaskWithFeatherEdge(none, 2).isNull());
        QVERIFY(tz::darkBorderMask(none, 2).isNull());
        QVERIFY(tz::imageWithEdgesAlphaFeathered(none, 2).isNull());
        QVERIFY(tz::imageWithEdgesDarkened(none, 2).isNull());
        QVERIFY(tz::imageWithColorToColorSetToColor(none, Qt::black, Qt::white, Qt::red).isNull());
        QVERIFY(tz::imageWithBadge(none, opaqueGradient()).isNull());
        QVERIFY(!tz::probableBackgroundColor(none).isValid());
    }

    // Destination-in over the filled colour: c · sa.
    void maskWithColorScalesByTheImagesAlpha()
    {
        const QImage image = translucent();
        const QImage mask = tz::maskWithColor(image, QColor::fromRgbF(0.2f, 0.4f, 0.6f, 0.8f));
        TZ_COMPARE_PIXELS(mask, [&](int x, int y) {
            const double sa = pixelAt(image, x, y).a;
            return Pixel{0.16 * sa, 0.32 * sa, 0.48 * sa, 0.8 * sa};
        });
    }

    void featheredBlackMask_data()
    {
        QTest::addColumn<uint>("n");
        QTest::newRow("0: opaque") << 0u;
        QTest::newRow("1") << 1u;
        QTest::newRow("2") << 2u;
        QTest::newRow("3: to the centre") << 3u;
        QTest::newRow("wider than the image") << 6u;
        QTest::newRow("largest width") << 0xFFFFFFFFu;
    }
    void featheredBlackMask()
    {
        QFETCH(uint, n);
        const QImage mask = tz::blackMaskWithFeatherEdge(opaqueGradient(), n);
        TZ_COMPARE_PIXELS(mask, [&](int x, int y) { return Pixel{0, 0, 0, featherAlpha(ring(x, y), n)}; });
    }

    void featherZeroIsTheSilhouette()
    {
        const auto inside = [](int x, int y) { return x >= 2 && x < 6 && y >= 1 && y < 5; };
        const QImage shape = imageOfBytes(8, 8, [&](int x, int y) {
            return inside(x, y) ? Pixel{200, 30, 60, 255} : Pixel{0, 0, 0, 0};
        });
        TZ_COMPARE_PIXELS(tz::blackMaskWithFeatherEdge(shape, 0), [&](int x, int y) {
            return Pixel{0, 0, 0, inside(x, y) ? 1.0 : 0.0};
        });
    }

    void darkBorder_data()
    {
        QTest::addColumn<uint>("n");
        QTest::newRow("0: the rim alone") << 0u;
        QTest::newRow("1") << 1u;
        QTest::newRow("2") << 2u;
        QTest::newRow("3") << 3u;
    }
    void darkBorder()
    {
        QFETCH(uint, n);
        const QImage mask = tz::darkBorderMask(opaqueGradient(), n);
        TZ_COMPARE_PIXELS(mask, [&](int x, int y) { return Pixel{0, 0, 0, darkAlpha(ring(x, y), n)}; });
    }

    // Source-in: the image's colours with the mask's alpha, s · da.
    void alphaFeatheredEdges()
    {
        const QImage image = opaqueGradient();
        TZ_COMPARE_PIXELS(tz::imageWithEdgesAlphaFeathered(image, 2), [&](int x, int y) {
            const Pixel s = pixelAt(image, x, y);
            const double da = featherAlpha(ring(x, y), 2);
            return Pixel{s.r * da, s.g * da, s.b * da, da};
        });
    }

    // Destination-atop with the dark rim as destination: d · sa + s · (1 − da).
    void darkenedEdges()
    {
        const QImage image = opaqueGradient();
        TZ_COMPARE_PIXELS(tz::imageWithEdgesDarkened(image, 2), [&](int x, int y) {
            const Pixel s = pixelAt(image, x, y);
            const double da = darkAlpha(ring(x, y), 2);
            return Pixel{s.r * (1 - da), s.g * (1 - da), s.b * (1 - da), da * s.a + s.a * (1 - da)};
        });
    }

    void colorRangeReplacement_data()
    {
        QTest::addColumn<QColor>("low");
        QTest::addColumn<QColor>("high");
        QTest::addColumn<QColor>("setColor");
        QTest::addColumn<QList<int>>("replaced");
        QTest::addColumn<QByteArray>("setBytes");
        const QColor low = byteColor(10, 20, 30);
        const QColor high = byteColor(100, 120, 130);
        const QColor red = byteColor(255, 0, 0);
        QTest::newRow("in order") << low << high << red << QList<int>{0, 1, 4} << QByteArray("ff 00 00 ff");
        QTest::newRow("swapped") << high << low << red << QList<int>{0, 1, 4} << QByteArray("ff 00 00 ff");
        QTest::newRow("set clear") << low << high << QColor(Qt::transparent) << QList<int>{0, 1, 4, 5, 6}
                                   << QByteArray("00 00 00 00");
        QTest::newRow("set alpha 0.05") << low << high << QColor::fromRgbF(1, 0, 0, 0.05f) << QList<int>{0, 1, 4, 5, 6}
                                        << QByteArray("ff 00 00 0c");
        QTest::newRow("set alpha 0.06") << low << high << QColor::fromRgbF(1, 0, 0, 0.06f) << QList<int>{0, 1, 4}
                                        << QByteArray("ff 00 00 0f");
        // Green alone out of order: the triples are swapped whole, which leaves red empty.
        QTest::newRow("mixed order") << byteColor(10, 120, 30) << byteColor(100, 20, 130) << red << QList<int>{}
                                     << QByteArray("ff 00 00 ff");
    }
    void colorRangeReplacement()
    {
        QFETCH(QColor, low);
        QFETCH(QColor, high);
        QFETCH(QColor, setColor);
        QFETCH(QList<int>, replaced);
        QFETCH(QByteArray, setBytes);
        // Premultiplied bytes: both bounds; red below; red above; half transparent, its stored
        // colour in range; nearly transparent (alpha 3 and 5) and out of range; alpha 6.
        const QList<Pixel> pixels{{10, 20, 30, 255}, {100, 120, 130, 255}, {9, 20, 30, 255}, {101, 50, 50, 255},
                                  {50, 50, 50, 128}, {0, 0, 0, 3},         {2, 2, 2, 5},     {0, 0, 0, 6}};
        const QImage image = imageOfBytes(8, 1, [&](int x, int) { return pixels.at(x); });
        const QByteArray before = bytesOfRow(image);
        const QImage result = tz::imageWithColorToColorSetToColor(image, low, high, setColor);
        QCOMPARE(bytesOfRow(image), before);
        QByteArray expected;
        for (int x = 0; x < 8; ++x) {
            const QByteArray own = before.mid(12 * x, 11);
            expected += (replaced.contains(x) ? setBytes : own) + (x < 7 ? " " : "");
        }
        QCOMPARE(bytesOfRow(result), expected);
    }

    void replacementConvertsToRGBA8888()
    {
        QImage argb(2, 1, QImage::Format_ARGB32);
        argb.setPixel(0, 0, 0xFF204060);
        argb.setPixel(1, 0, 0xFFF0F0F0);
        const QImage result =
            tz::imageWithColorToColorSetToColor(argb, Qt::black, byteColor(0x40, 0x40, 0x60), byteColor(0, 0, 255));
        QCOMPARE(result.format(), QImage::Format_RGBA8888_Premultiplied);
        QCOMPARE(bytesOfRow(result), QByteArray("00 00 ff ff f0 f0 f0 ff"));
    }

    void maskedUpToAndDownTo()
    {
        const QList<Pixel> pixels{
            {0x20, 0x30, 0x10, 255}, {0x50, 0x10, 0x10, 255}, {2, 2, 2, 4}, {0xD0, 0xE0, 0xFF, 255}};
        QImage image = imageOfBytes(4, 1, [&](int x, int) { return pixels.at(x); });
        image.setDevicePixelRatio(2.0);
        const QImage dark = tz::imageBlackMaskedUpTo(image, byteColor(0x40, 0x40, 0x40));
        QCOMPARE(dark.size(), QSize(4, 1));
        QCOMPARE(bytesOfRow(dark), QByteArray("00 00 00 00 50 10 10 ff 00 00 00 00 d0 e0 ff ff"));
        const QImage light = tz::imageWhiteMaskedDownTo(image, byteColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(bytesOfRow(light), QByteArray("20 30 10 ff 50 10 10 ff 00 00 00 00 00 00 00 00"));
    }

    void badge()
    {
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::blue);
        QCOMPARE(tz::imageWithBadge(icon, QImage()).cacheKey(), icon.cacheKey());

        QImage badge(8, 8, QImage::Format_ARGB32);
        badge.fill(Qt::red);
        const QImage badged = tz::imageWithBadge(icon, badge);
        QCOMPARE(badged.size(), QSize(16, 16));
        // The lower-left quarter, away from the edges that scaling blends.
        QCOMPARE(badged.pixelColor(2, 13), QColor(Qt::red));
        QCOMPARE(badged.pixelColor(5, 10), QColor(Qt::red));
        QCOMPARE(badged.pixelColor(2, 2), QColor(Qt::blue));
        QCOMPARE(badged.pixelColor(13, 13), QColor(Qt::blue));
        QCOMPARE(badged.pixelColor(13, 2), QColor(Qt::blue));

        QImage wide(32, 12, QImage::Format_ARGB32);
        wide.fill(Qt::blue);
        QCOMPARE(tz::imageWithBadge(wide, badge).size(), QSize(32, 12));
    }

    void backgroundGuess_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QColor>("expected");
        // The points read, in Qt's rows: (1, 0), (1, h - 2), (w - 1, 0), (w - 1, h - 2).
        const auto corners = [](const QList<QColor>& colors) {
            QImage image(8, 8, QImage::Format_ARGB32);
            image.fill(Qt::green);
            const QPoint at[] = {{1, 0}, {1, 6}, {7, 0}, {7, 6}};
            for (int i = 0; i < 4; ++i)
                image.setPixelColor(at[i], colors.at(i));
            return image;
        };
        const QColor red(Qt::red);
        const QColor blue(Qt::blue);
        QImage uniform(8, 8, QImage::Format_RGB32);
        uniform.fill(QColor(12, 34, 56));
        QTest::newRow("all alike") << uniform << QColor(12, 34, 56);
        QTest::newRow("four different") << corners({red, blue, Qt::white, Qt::black}) << QColor();
        QTest::newRow("two alike") << corners({blue, red, Qt::white, red}) << red;
        QTest::newRow("two pairs: the first seen") << corners({red, blue, red, blue}) << red;
        QTest::newRow("one point inside, y up") << corners({Qt::white, red, Qt::black, red}) << red;
        QImage transparent(8, 8, QImage::Format_ARGB32);
        transparent.fill(Qt::transparent);
        QTest::newRow("transparent") << transparent << QColor(0, 0, 0, 0);
        QImage tiny(1, 1, QImage::Format_ARGB32);
        tiny.fill(Qt::red);
        QTest::newRow("1 × 1: no point inside") << tiny << QColor();
    }
    void backgroundGuess()
    {
        QFETCH(QImage, image);
        QTEST(tz::probableBackgroundColor(image), "expected");
    }
};

QTEST_MAIN(tst_TzNSImageAdditions)
#include "tst_TzNSImageAdditions.moc"
