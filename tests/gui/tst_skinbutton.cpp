#include "CFakePlatform.h"
#include "framework/DialogUnits.h"
#include "widgets/CSkinButton.h"
#include "widgets/NineSlice.h"

#include <QApplication>
#include <QtTest>
#include <memory>

namespace {

const int kFrameWidth = 55;
const int kFrameHeight = 22;

QImage Strip() {
    return QImage(CSkinButton::SkinPath(146)).convertToFormat(QImage::Format_RGB32);
}

QImage Render(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The pixels where the two pictures differ: the caption when one was drawn without it.
QRect DifferenceBox(const QImage& a, const QImage& b, int* darkest = nullptr) {
    QRect box;
    int dark = 255;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                box |= QRect(x, y, 1, 1);
                dark = std::min(dark, qGray(a.pixel(x, y)));
            }
        }
    }
    if (darkest) {
        *darkest = dark;
    }
    return box;
}

// The state picture's pixel, or the key colour where it is transparent.
QRgb StatePixel(const QImage& state, int x, int y) {
    const QRgb pixel = state.pixel(x, y);
    return qAlpha(pixel) == 0 ? qRgb(255, 0, 255) : (pixel | 0xff000000);
}

} // namespace

class TestSkinButton : public QObject {
    Q_OBJECT

private:
    CFakePlatform m_platform;
    std::unique_ptr<QWidget> m_window;
    CSkinButton* m_button = nullptr;
    QPushButton* m_other = nullptr;

    void CheckCornersFrom(const QImage& state, int frame) {
        const QImage strip = Strip();
        const int xs = frame * kFrameWidth;
        const int w = state.width();
        const int h = state.height();
        for (int y = 0; y < 5; ++y) {
            for (int x = 0; x < 5; ++x) {
                QCOMPARE(StatePixel(state, x, y), strip.pixel(xs + x, y));
                QCOMPARE(StatePixel(state, x, h - 5 + y),
                         strip.pixel(xs + x, kFrameHeight - 5 + y));
            }
            for (int x = 0; x < 4; ++x) {
                QCOMPARE(StatePixel(state, w - 4 + x, y), strip.pixel(xs + kFrameWidth - 4 + x, y));
                QCOMPARE(StatePixel(state, w - 4 + x, h - 5 + y),
                         strip.pixel(xs + kFrameWidth - 4 + x, kFrameHeight - 5 + y));
            }
        }
    }

private slots:
    void initTestCase() {
        m_platform.Install();
        DialogUnits::RegisterFontSubstitutes();
        QVERIFY(!Strip().isNull());
        QCOMPARE(Strip().size(), QSize(275, 22));
    }

    void init() {
        m_window = std::make_unique<QWidget>();
        m_window->resize(300, 120);
        m_button = new CSkinButton(QStringLiteral("和值分析"), m_window.get());
        m_button->setGeometry(10, 10, 140, 30);
        m_other = new QPushButton(QStringLiteral("x"), m_window.get());
        m_other->setGeometry(10, 60, 60, 20);
    }

    void cleanup() { m_window.reset(); }

    void nineSliceOfAWideButton() {
        const auto pieces = NineSlice(100, 30, 55, 22, 110, 5, 5, 5, 4);
        const QList<QRect> sources{{110, 0, 5, 5},   {110, 17, 5, 5},  {161, 0, 4, 5},
                                   {161, 17, 4, 5},  {115, 5, 46, 12}, {115, 0, 46, 5},
                                   {115, 17, 46, 5}, {110, 5, 5, 12},  {161, 5, 4, 12}};
        const QList<QRect> targets{{0, 0, 5, 5},   {0, 25, 5, 5},  {96, 0, 4, 5},
                                   {96, 25, 4, 5}, {5, 5, 91, 20}, {5, 0, 91, 5},
                                   {5, 25, 91, 5}, {0, 5, 5, 20},  {96, 5, 4, 20}};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pieces[i].source, sources[i]);
            QCOMPARE(pieces[i].target, targets[i]);
        }
    }

    void nineSliceTilesBothSides_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("frame");
        QTest::newRow("frame size") << QSize(55, 22) << 0;
        QTest::newRow("wide") << QSize(140, 30) << 1;
        QTest::newRow("narrow") << QSize(20, 14) << 3;
        QTest::newRow("bands only") << QSize(9, 10) << 2;
    }

    void nineSliceTilesBothSides() {
        QFETCH(QSize, size);
        QFETCH(int, frame);
        const int xs = frame * kFrameWidth;
        const auto pieces =
            NineSlice(size.width(), size.height(), kFrameWidth, kFrameHeight, xs, 5, 5, 5, 4);
        QImage target(size, QImage::Format_Grayscale8);
        QImage source(kFrameWidth, kFrameHeight, QImage::Format_Grayscale8);
        target.fill(0);
        source.fill(0);
        for (const SlicePiece& piece : pieces) {
            for (int y = piece.target.top(); y <= piece.target.bottom(); ++y) {
                for (int x = piece.target.left(); x <= piece.target.right(); ++x) {
                    target.scanLine(y)[x] += 1;
                }
            }
            const QRect inFrame = piece.source.translated(-xs, 0);
            for (int y = inFrame.top(); y <= inFrame.bottom(); ++y) {
                for (int x = inFrame.left(); x <= inFrame.right(); ++x) {
                    source.scanLine(y)[x] += 1;
                }
            }
        }
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                QCOMPARE(int(target.scanLine(y)[x]), 1);
            }
        }
        for (int y = 0; y < kFrameHeight; ++y) {
            for (int x = 0; x < kFrameWidth; ++x) {
                QCOMPARE(int(source.scanLine(y)[x]), 1);
            }
        }
    }

    void statesComeFromTheirFrames_data() {
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("frame");
        QTest::newRow("normal") << int(CSkinButton::Normal) << 0;
        QTest::newRow("pressed") << int(CSkinButton::Pressed) << 1;
        QTest::newRow("disabled") << int(CSkinButton::Disabled) << 2;
        QTest::newRow("focus") << int(CSkinButton::Focus) << 3;
    }

    void statesComeFromTheirFrames() {
        QFETCH(int, state);
        QFETCH(int, frame);
        QVERIFY(!m_button->Loaded());
        QVERIFY(m_button->SetSkin(146, 5, 5, 5, 5, 4));
        QVERIFY(m_button->Loaded());
        QImage image = m_button->StatePixmap(CSkinButton::State(state)).toImage();
        QCOMPARE(image.size(), QSize(140, 30));
        CheckCornersFrom(image, frame);
        QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(image.pixel(70, 15)), 255);

        m_window->show();
        m_button->resize(200, 41);
        image = m_button->StatePixmap(CSkinButton::State(state)).toImage();
        QCOMPARE(image.size(), QSize(200, 41));
        CheckCornersFrom(image, frame);
    }

    void setSkinRejects_data() {
        QTest::addColumn<int>("resource");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<bool>("expected");
        QTest::newRow("as the analysis window uses it") << 146 << 5 << 5 << 4 << true;
        QTest::newRow("four frames") << 146 << 4 << 5 << 4 << true;
        QTest::newRow("unknown bitmap") << 999 << 5 << 5 << 4 << false;
        QTest::newRow("no frames") << 146 << 0 << 5 << 4 << false;
        QTest::newRow("negative frames") << 146 << -2 << 5 << 4 << false;
        QTest::newRow("too few frames") << 146 << 3 << 5 << 4 << false;
        QTest::newRow("bands wider than the frame") << 146 << 5 << 30 << 30 << false;
        QTest::newRow("negative band") << 146 << 5 << -1 << 4 << false;
    }

    void setSkinRejects() {
        QFETCH(int, resource);
        QFETCH(int, frames);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(bool, expected);
        QCOMPARE(m_button->SetSkin(resource, frames, 5, 5, left, right), expected);
        m_button->resize(60, 20);
        QVERIFY(!Render(*m_button).isNull());
    }

    void tinyButtonPaints() {
        m_button->resize(3, 3);
        QVERIFY(m_button->SetSkin(146, 5, 5, 5, 5, 4));
        QCOMPARE(Render(*m_button).size(), QSize(3, 3));
    }

    void paintsItsState_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("focus");
        QTest::addColumn<bool>("down");
        QTest::addColumn<int>("frame");
        QTest::addColumn<bool>("shifted");
        QTest::addColumn<bool>("grey");
        QTest::newRow("normal") << true << false << false << 0 << false << false;
        QTest::newRow("pressed without focus") << true << false << true << 0 << false << false;
        QTest::newRow("focus") << true << true << false << 3 << false << false;
        QTest::newRow("pressed with focus") << true << true << true << 1 << true << false;
        QTest::newRow("disabled") << false << false << false << 2 << false << true;
    }

    void paintsItsState() {
        QFETCH(bool, enabled);
        QFETCH(bool, focus);
        QFETCH(bool, down);
        QFETCH(int, frame);
        QFETCH(bool, shifted);
        QFETCH(bool, grey);
        QVERIFY(m_button->SetSkin(146, 5, 5, 5, 5, 4));
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_other->setFocus();
        const QImage unpressed = Render(*m_button);
        (focus ? static_cast<QWidget*>(m_button) : m_other)->setFocus();
        QCOMPARE(m_button->hasFocus(), focus);
        m_button->setEnabled(enabled);
        m_button->setDown(down);
        const QImage image = Render(*m_button);
        const QString caption = m_button->text();
        m_button->setText(QString());
        const QImage bare = Render(*m_button);
        m_button->setText(caption);

        const QImage strip = Strip();
        const int mid = image.height() / 2;
        for (int x : {0, 1, 2}) {
            QCOMPARE(image.pixel(x, mid), strip.pixel(frame * kFrameWidth + x, kFrameHeight / 2));
        }
        QCOMPARE(image.pixel(image.width() - 1, mid),
                 strip.pixel(frame * kFrameWidth + kFrameWidth - 1, kFrameHeight / 2));
        // The key colour shows the button face, never magenta.
        QCOMPARE(QColor(image.pixel(0, 0)), m_button->palette().color(QPalette::Button));

        int darkest = 0;
        const QRect text = DifferenceBox(image, bare, &darkest);
        QVERIFY(!text.isEmpty());
        if (grey) {
            const int greyLevel =
                qGray(m_button->palette().color(QPalette::Disabled, QPalette::WindowText).rgb());
            QVERIFY2(darkest >= greyLevel - 8, qPrintable(QString::number(darkest)));
            QVERIFY(greyLevel > 60);
        } else {
            QVERIFY2(darkest < 60, qPrintable(QString::number(darkest)));
        }
        m_button->setDown(false);
        m_button->setEnabled(true);
        m_other->setFocus();
        m_button->setText(QString());
        const QImage bareNormal = Render(*m_button);
        m_button->setText(caption);
        const QRect normalText = DifferenceBox(unpressed, bareNormal);
        // The caption rectangle loses 5 pixels on the left, so centred text moves by half.
        const int shift = text.left() - normalText.left();
        if (shifted) {
            QVERIFY2(shift == 2 || shift == 3, qPrintable(QString::number(shift)));
        } else {
            QCOMPARE(shift, 0);
        }
    }

    void withoutSkinPaintsFaceAndCaption() {
        QVERIFY(m_button->StatePixmap(CSkinButton::Normal).isNull());
        const QImage image = Render(*m_button);
        const QString caption = m_button->text();
        m_button->setText(QString());
        const QImage bare = Render(*m_button);
        const QRgb face = m_button->palette().color(QPalette::Button).rgb();
        for (int y = 0; y < bare.height(); ++y) {
            for (int x = 0; x < bare.width(); ++x) {
                QCOMPARE(bare.pixel(x, y), face);
            }
        }
        int darkest = 255;
        const QRect text = DifferenceBox(image, bare, &darkest);
        QVERIFY(!text.isEmpty());
        QVERIFY(darkest < 60);
        QVERIFY(text.left() > 0 && text.right() < image.width() - 1);
        QVERIFY(qAbs(text.center().x() - image.width() / 2) <= 2);
        QVERIFY(qAbs(text.center().y() - image.height() / 2) <= 2);
    }

    void captionFont() {
        const QFont& font = m_button->CaptionFont().Font();
        QCOMPARE(font.family(), QStringLiteral("宋体"));
        QCOMPARE(font.pixelSize(), 12);
        QCOMPARE(font.weight(), QFont::Normal);
        QVERIFY(!font.italic() && !font.underline() && !font.strikeOut());
        QCOMPARE(font.styleStrategy(), QFont::PreferQuality);
        QCOMPARE(m_button->CaptionFont().Color(), QColor(Qt::black));
    }
};

QTEST_MAIN(TestSkinButton)
#include "tst_skinbutton.moc"
