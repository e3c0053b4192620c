#include "CFakePlatform.h"
#include "widgets/CLinkLabel.h"
#include "widgets/LinkTarget.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QImage>
#include <QtTest>
#include <memory>

namespace {

const QColor kNormal(0, 0, 238);
const QColor kVisited(85, 26, 139);

bool ImageHasColor(const QImage& image, const QColor& color) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y).rgb() == color.rgb()) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

class TestLinkLabel : public QObject {
    Q_OBJECT

private:
    CFakePlatform m_platform;
    std::unique_ptr<QWidget> m_window;

    CLinkLabel* MakeLabel(const QString& text, const QString& target) {
        auto* label = new CLinkLabel(m_window.get());
        label->setText(text);
        label->SetTarget(target);
        label->setGeometry(10, 10, 200, 40);
        return label;
    }

    void Enter(CLinkLabel* label) {
        QEnterEvent event(QPointF(2, 2), QPointF(12, 12), QPointF(12, 12));
        QCoreApplication::sendEvent(label, &event);
    }

    void Leave(CLinkLabel* label) {
        QEvent event(QEvent::Leave);
        QCoreApplication::sendEvent(label, &event);
    }

    void Click(CLinkLabel* label) {
        QTest::mouseClick(label, Qt::LeftButton, {}, label->rect().center());
    }

private slots:
    void initTestCase() { m_platform.Install(); }

    void init() {
        m_platform.Clear();
        m_platform.shellOpenResults.clear();
        m_platform.shellOpenResult = 33;
        m_platform.htmlCommand.reset();
        m_platform.startProcessResults.clear();
        m_platform.startProcessResult = 33;
        m_window = std::make_unique<QWidget>();
        m_window->resize(400, 200);
    }

    void cleanup() { m_window.reset(); }

    void colourFollowsHoverAndVisits() {
        CLinkLabel* label = MakeLabel(QStringLiteral("3D遗漏统计"), QStringLiteral("http://a/"));
        label->Attach();
        QCOMPARE(label->CurrentColor(), kNormal);
        QCOMPARE(label->HoverColor(), label->palette().color(QPalette::Highlight));

        Enter(label);
        QVERIFY(label->Hovering());
        QCOMPARE(label->CurrentColor(), label->HoverColor());
        Leave(label);
        QVERIFY(!label->Hovering());
        QCOMPARE(label->CurrentColor(), kNormal);

        Click(label);
        QCOMPARE(m_platform.shellOpened, QStringList{QStringLiteral("http://a/")});
        QVERIFY(label->Visited());
        QCOMPARE(label->CurrentColor(), kVisited);
        QCOMPARE(m_platform.beeps, 0);
        QVERIFY(m_platform.messages.isEmpty());

        Enter(label);
        QCOMPARE(label->CurrentColor(), label->HoverColor());
        Leave(label);
        QCOMPARE(label->CurrentColor(), kVisited);
    }

    void failedClickReturnsToNormalAndReports() {
        CLinkLabel* label = MakeLabel(QStringLiteral("与我联系"), QStringLiteral("mailto:x@y"));
        label->Attach();
        Click(label);
        QVERIFY(label->Visited());

        m_platform.shellOpenResult = 2;
        Click(label);
        QVERIFY(!label->Visited());
        QCOMPARE(label->CurrentColor(), kNormal);
        QCOMPARE(m_platform.beeps, 1);
        QCOMPARE(m_platform.messages.size(), 1);
        QCOMPARE(m_platform.messages[0].text,
                 QStringLiteral("Unable to open hyperlink:\n\nThe specified file was not found."));
        QCOMPARE(m_platform.messages[0].icon, IPlatform::Icon::Exclamation);
        QCOMPARE(m_platform.htmlCommandQueries, 1);
    }

    void paintsInTheCurrentColour_data() {
        QTest::addColumn<bool>("visited");
        QTest::addColumn<bool>("hovering");
        QTest::addColumn<QColor>("expected");
        QTest::addColumn<QColor>("absent");
        QTest::newRow("normal") << false << false << kNormal << kVisited;
        QTest::newRow("visited") << true << false << kVisited << kNormal;
        QTest::newRow("hover") << false << true << QColor() << kNormal;
        QTest::newRow("hover over visited") << true << true << QColor() << kVisited;
    }

    void paintsInTheCurrentColour() {
        QFETCH(bool, visited);
        QFETCH(bool, hovering);
        QFETCH(QColor, expected);
        QFETCH(QColor, absent);
        CLinkLabel* label = MakeLabel(QStringLiteral("3P遗漏"), QString());
        label->Attach();
        label->SetVisited(visited);
        if (hovering) {
            Enter(label);
            expected = label->HoverColor();
        }
        const QImage image = label->grab().toImage();
        QVERIFY(ImageHasColor(image, expected));
        QVERIFY(!ImageHasColor(image, absent));
    }

    void attachFillsTextAndTarget_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expectedText");
        QTest::addColumn<QString>("expectedTarget");
        const QString url = QStringLiteral("http://example.org/3d");
        QTest::newRow("no target") << "收听开奖" << QString() << "收听开奖"
                                   << "收听开奖";
        QTest::newRow("no text") << QString() << url << url << url;
        QTest::newRow("both") << "3D遗漏" << url << "3D遗漏" << url;
    }

    void attachFillsTextAndTarget() {
        QFETCH(QString, text);
        QFETCH(QString, target);
        QFETCH(QString, expectedText);
        QFETCH(QString, expectedTarget);
        CLinkLabel* label = MakeLabel(text, target);
        label->Attach();
        QCOMPARE(label->text(), expectedText);
        QCOMPARE(label->Target(), expectedTarget);
        QCOMPARE(label->toolTip(), expectedTarget);
        QVERIFY(label->font().underline());
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);

        Click(label);
        QCOMPARE(m_platform.shellOpened, QStringList{expectedTarget});
    }

    void attachesItselfWhenShown() {
        CLinkLabel* label = MakeLabel(QStringLiteral("论坛"), QString());
        QVERIFY(!label->Attached());
        m_window->show();
        QVERIFY(label->Attached());
        QCOMPARE(label->Target(), QStringLiteral("论坛"));
        QCOMPARE(label->toolTip(), QStringLiteral("论坛"));
    }

    void setTargetAfterAttachUpdatesTooltip() {
        CLinkLabel* label = MakeLabel(QStringLiteral("3D遗漏"), QStringLiteral("http://a/"));
        label->Attach();
        label->SetTarget(QStringLiteral("http://b/"));
        QCOMPARE(label->toolTip(), QStringLiteral("http://b/"));
        Click(label);
        QCOMPARE(m_platform.shellOpened, QStringList{QStringLiteral("http://b/")});
    }

    void fitToText_data() {
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        // -1 = move by the leftover space: half of it for centred edges.
        QTest::newRow("plain, top") << int(Qt::AlignLeft | Qt::AlignTop) << 0 << 2 << 0 << 2;
        QTest::newRow("plain, centre image")
            << int(Qt::AlignLeft | Qt::AlignVCenter) << 0 << 2 << 1 << 1;
        QTest::newRow("centred") << int(Qt::AlignHCenter | Qt::AlignTop) << 1 << 1 << 0 << 2;
        QTest::newRow("right-aligned") << int(Qt::AlignRight | Qt::AlignTop) << 2 << 0 << 0 << 2;
        QTest::newRow("right, centre image")
            << int(Qt::AlignRight | Qt::AlignVCenter) << 2 << 0 << 1 << 1;
    }

    // Each edge moves by 0, half or all of the room the text leaves (in halves).
    void fitToText() {
        QFETCH(int, alignment);
        QFETCH(int, left);
        QFETCH(int, right);
        QFETCH(int, top);
        QFETCH(int, bottom);
        CLinkLabel* label = MakeLabel(QStringLiteral("3D遗漏统计"), QStringLiteral("http://a/"));
        label->setAlignment(Qt::Alignment(alignment));
        const QRect before(20, 30, 201, 41);
        label->setGeometry(before);
        label->Attach();

        QFont underlined = label->font();
        const QSize text = QFontMetrics(underlined).size(Qt::TextSingleLine, label->text());
        const int roomX = before.width() - text.width();
        const int roomY = before.height() - text.height();
        QVERIFY(roomX > 0 && roomY > 0);
        const auto moved = [](int room, int halves) {
            return halves == 1 ? room / 2 : halves == 2 ? room : 0;
        };
        const QRect after = label->geometry();
        QCOMPARE(after.x(), before.x() + moved(roomX, left));
        QCOMPARE(after.x() + after.width(), before.x() + before.width() - moved(roomX, right));
        QCOMPARE(after.y(), before.y() + moved(roomY, top));
        QCOMPARE(after.y() + after.height(), before.y() + before.height() - moved(roomY, bottom));
    }

    void cutsTheRegisteredCommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("expected");
        const QString ie = QStringLiteral("\"C:\\Program Files\\Internet Explorer\\iexplore.exe\"");
        QTest::newRow("quoted %1 after a blank") << ie + " \"%1\"" << ie + "  http://a/";
        QTest::newRow("quoted %1 wins over an earlier bare one") << "\"x%1\" \"%1\" -k"
                                                                 << "\"x%1\"  http://a/";
        QTest::newRow("bare %1") << "iexplore.exe %1 -nohome"
                                 << "iexplore.exe  http://a/";
        QTest::newRow("no %1") << "iexplore.exe -nohome"
                               << "iexplore.exe -nohome http://a/";
        QTest::newRow("desktop %U") << "firefox --new-window %U"
                                    << "firefox --new-window  http://a/";
        QTest::newRow("desktop %u") << "browser %u --flag"
                                    << "browser  http://a/";
        QTest::newRow("desktop %f") << "viewer %f"
                                    << "viewer  http://a/";
        QTest::newRow("escaped percent is not a code") << "app %%u %F"
                                                       << "app %%u  http://a/";
        QTest::newRow("%1 wins over a desktop code") << "app %u %1"
                                                     << "app %u  http://a/";
        QTest::newRow("empty") << ""
                               << " http://a/";
    }

    void cutsTheRegisteredCommand() {
        QFETCH(QString, command);
        QFETCH(QString, expected);
        QCOMPARE(BuildCommandLine(command, QStringLiteral("http://a/")), expected);
    }

    void fallsBackToTheHtmlCommand_data() {
        QTest::addColumn<int>("shellResult");
        QTest::addColumn<bool>("hasCommand");
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("startResult");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QStringList>("started");
        const QString t = QStringLiteral("http://a/");
        QTest::newRow("shell opens") << 42 << true << "ie %1" << 33 << 42 << QStringList();
        QTest::newRow("no .htm command, shell's error")
            << 31 << false << QString() << 33 << 31 << QStringList();
        QTest::newRow("blank .htm command, shell's error")
            << 2 << true << "  \"%1\"" << 33 << 2 << QStringList();
        QTest::newRow("command starts")
            << 31 << true << "ie \"%1\"" << 33 << 33 << QStringList{"ie  " + t};
        QTest::newRow("command fails") << 0 << true << "ie" << 2 << 2 << QStringList{"ie " + t};
        QTest::newRow("32 is a failure")
            << 32 << true << "ie" << 40 << 40 << QStringList{"ie " + t};
    }

    void fallsBackToTheHtmlCommand() {
        QFETCH(int, shellResult);
        QFETCH(bool, hasCommand);
        QFETCH(QString, command);
        QFETCH(int, startResult);
        QFETCH(int, expected);
        QFETCH(QStringList, started);
        m_platform.shellOpenResult = shellResult;
        if (hasCommand) {
            m_platform.htmlCommand = command;
        }
        m_platform.startProcessResult = startResult;
        QCOMPARE(OpenTarget(QStringLiteral("http://a/")), expected);
        QCOMPARE(m_platform.startedCommands, started);
    }

    void failedFallbackReportsTheShellsError() {
        CLinkLabel* label = MakeLabel(QStringLiteral("收听开奖"), QStringLiteral("mms://radio"));
        label->Attach();
        m_platform.shellOpenResult = 31;
        Click(label);
        QCOMPARE(m_platform.beeps, 1);
        QCOMPARE(m_platform.MessageTexts(),
                 QStringList{QStringLiteral("Unable to open hyperlink:\n\nThere is no application "
                                            "associated\nwith the given filename extension.")});
        QVERIFY(!label->Visited());
    }

    void releaseOutsideDoesNotOpen() {
        CLinkLabel* label = MakeLabel(QStringLiteral("3D遗漏"), QStringLiteral("http://a/"));
        label->Attach();
        QTest::mousePress(label, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseRelease(label, Qt::LeftButton, {}, QPoint(label->width() + 5, 1));
        QVERIFY(m_platform.shellOpened.isEmpty());
        QTest::mouseClick(label, Qt::RightButton, {}, QPoint(1, 1));
        QVERIFY(m_platform.shellOpened.isEmpty());
    }

    void errorTexts_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "The operating system is out\nof memory or resources.";
        QTest::newRow("2") << 2 << "The specified file was not found.";
        QTest::newRow("3") << 3 << "The specified path was not found.";
        QTest::newRow("4") << 4 << "Unknown Error (4) occurred.";
        QTest::newRow("5") << 5 << "The operating system denied\naccess to the specified file.";
        QTest::newRow("8") << 8 << "There was not enough memory to complete the operation.";
        QTest::newRow("11") << 11
                            << "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).";
        QTest::newRow("26") << 26 << "A sharing violation occurred. ";
        QTest::newRow("27") << 27 << "The filename association is\nincomplete or invalid.";
        QTest::newRow("28") << 28
                            << "The DDE transaction could not\nbe completed because the request "
                               "timed out.";
        QTest::newRow("29") << 29 << "The DDE transaction failed.";
        QTest::newRow("30") << 30
                            << "The DDE transaction could not\nbe completed because other DDE "
                               "transactions\nwere being processed.";
        QTest::newRow("31") << 31
                            << "There is no application associated\nwith the given filename "
                               "extension.";
        QTest::newRow("32") << 32 << "The specified dynamic-link library was not found.";
        QTest::newRow("-1") << -1 << "Unknown Error (-1) occurred.";
        QTest::newRow("12") << 12 << "Unknown Error (12) occurred.";
    }

    void errorTexts() {
        QFETCH(int, code);
        QFETCH(QString, text);
        QCOMPARE(OpenErrorText(code), text);
        ShowOpenError(nullptr, code);
        QCOMPARE(m_platform.MessageTexts(),
                 QStringList{QStringLiteral("Unable to open hyperlink:\n\n") + text});
        QCOMPARE(m_platform.messages[0].icon, IPlatform::Icon::Exclamation);
    }
};

QTEST_MAIN(TestLinkLabel)
#include "tst_linklabel.moc"
