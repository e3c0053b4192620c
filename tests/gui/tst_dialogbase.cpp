#include "CFakePlatform.h"
#include "framework/CDataExchange.h"
#include "framework/CDialog.h"
#include "framework/CQtPlatform.h"
#include "framework/DialogUnits.h"
#include "framework/Platform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const ControlSpec kControls[] = {
    {1, ControlKind::Radio, "a1", 0, 0, 20, 10, StyleGroup},
    {2, ControlKind::Radio, "a2", 20, 0, 20, 10},
    {3, ControlKind::Radio, "b1", 0, 10, 20, 10, StyleGroup},
    {4, ControlKind::Radio, "b2", 20, 10, 20, 10},
    {10, ControlKind::CheckBox, "box", 0, 20, 40, 10},
    {11, ControlKind::Edit, "", 0, 30, 40, 12},
    {12, ControlKind::Edit, "", 0, 45, 40, 12},
    {13, ControlKind::Edit, "", 0, 60, 40, 12},
    {14, ControlKind::DropList, "", 0, 75, 40, 60},
    {15, ControlKind::MultiLineEdit, "", 50, 0, 40, 40},
    {16, ControlKind::Button, "go", 50, 50, 30, 14},
    {17, ControlKind::ReportList, "", 100, 0, 60, 60, StyleMultiSelect},
    {18, ControlKind::Static, "hidden", 100, 70, 0, 0, StyleHidden | StyleDisabled},
};

// A small dialog exchanging one member of each kind.
class CTestDialog : public CDialog {
public:
    CTestDialog() { CreateControls(kControls, 200, 100); }
    int flag = 1;
    QString text = QStringLiteral("abc");
    int first = 5;
    int second = 7;
    int index = 1;

protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Check(10, flag);
        dx.Text(11, text);
        dx.Int(12, first);
        dx.Int(13, second);
        dx.ComboIndex(14, index);
    }
};

} // namespace

class TestDialogBase : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
    }
    void cleanup() { m_fake.reset(); }

    void dialogUnitsOfTheDialogFont() {
        const DialogUnits units(DialogUnits::DialogFont());
        QVERIFY2(units.BaseX() >= 5 && units.BaseX() <= 7,
                 qPrintable(QString::number(units.BaseX())));
        // Up to 16: the CJK font that stands in for 宋体 under Wine is taller.
        QVERIFY2(units.BaseY() >= 11 && units.BaseY() <= 16,
                 qPrintable(QString::number(units.BaseY())));
        QCOMPARE(units.X(4), units.BaseX());
        QCOMPARE(units.Y(8), units.BaseY());
    }

    void mulDiv_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("numerator");
        QTest::addColumn<int>("denominator");
        QTest::addColumn<int>("expected");
        QTest::newRow("exact") << 538 << 6 << 4 << 807;
        QTest::newRow("half rounds up") << 1 << 6 << 4 << 2;
        QTest::newRow("below half") << 1 << 5 << 8 << 1;
        QTest::newRow("negative half") << -1 << 6 << 4 << -2;
        QTest::newRow("zero") << 0 << 6 << 4 << 0;
        QTest::newRow("no denominator") << 3 << 6 << 0 << -1;
    }
    void mulDiv() {
        QFETCH(int, number);
        QFETCH(int, numerator);
        QFETCH(int, denominator);
        QFETCH(int, expected);
        QCOMPARE(DialogUnits::MulDiv(number, numerator, denominator), expected);
    }

    void builderRegistersAndPlaces() {
        CTestDialog dialog;
        const DialogUnits units(dialog.font());
        QCOMPARE(dialog.size(), units.Size(200, 100));
        QWidget* edit = dialog.GetDlgItem(11);
        QVERIFY(qobject_cast<QLineEdit*>(edit));
        QCOMPARE(edit->objectName(), QStringLiteral("ctl11"));
        QCOMPARE(edit->geometry(), units.Rect(0, 30, 40, 12));
        QVERIFY(dialog.GetDlgItem(99) == nullptr);
        QVERIFY(dialog.GetDlgItem(18)->isHidden());
        QVERIFY(!dialog.GetDlgItem(18)->isEnabled());
        auto* combo = dialog.DlgItem<QComboBox>(14);
        QVERIFY(combo && !combo->isEditable());
        auto* button = dialog.DlgItem<QPushButton>(16);
        QVERIFY(button && !button->autoDefault() && !button->isDefault());
        auto* table = dialog.DlgItem<QTableWidget>(17);
        QVERIFY(table && table->showGrid());
        QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
        QCOMPARE(table->selectionMode(), QAbstractItemView::ExtendedSelection);
        QVERIFY(qobject_cast<QPlainTextEdit*>(dialog.GetDlgItem(15)));
    }

    void radioGroupsAreSeparate() {
        CTestDialog dialog;
        dialog.show();
        dialog.DlgItem<QRadioButton>(1)->click();
        dialog.DlgItem<QRadioButton>(3)->click();
        QVERIFY(dialog.DlgItem<QRadioButton>(1)->isChecked());
        dialog.DlgItem<QRadioButton>(2)->click();
        QVERIFY(!dialog.DlgItem<QRadioButton>(1)->isChecked());
        QVERIFY(dialog.DlgItem<QRadioButton>(3)->isChecked());
    }

    void exchangeShowsMembers() {
        CTestDialog dialog;
        dialog.DlgItem<QComboBox>(14)->addItems({"x", "y", "z"});
        QVERIFY(dialog.UpdateData(false));
        QVERIFY(dialog.DlgItem<QCheckBox>(10)->isChecked());
        QCOMPARE(dialog.DlgItem<QLineEdit>(11)->text(), QStringLiteral("abc"));
        QCOMPARE(dialog.DlgItem<QLineEdit>(12)->text(), QStringLiteral("5"));
        QCOMPARE(dialog.DlgItem<QComboBox>(14)->currentIndex(), 1);
        dialog.index = 7;
        dialog.UpdateData(false);
        QCOMPARE(dialog.DlgItem<QComboBox>(14)->currentIndex(), -1);
    }

    void integerExchange_data() {
        QTest::addColumn<QString>("firstText");
        QTest::addColumn<QString>("secondText");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("plain") << "12"
                               << "-3" << true << 12 << -3;
        QTest::newRow("blanks and sign") << " +4 "
                                         << "0" << true << 4 << 0;
        QTest::newRow("first bad") << "1a"
                                   << "9" << false << 5 << 7;
        QTest::newRow("second bad") << "8"
                                    << "" << false << 8 << 7;
        QTest::newRow("too big") << "99999999999"
                                 << "1" << false << 5 << 7;
        QTest::newRow("sign only") << "-"
                                   << "1" << false << 5 << 7;
    }
    void integerExchange() {
        QFETCH(QString, firstText);
        QFETCH(QString, secondText);
        QFETCH(bool, ok);
        CTestDialog dialog;
        dialog.show();
        dialog.DlgItem<QCheckBox>(10)->setChecked(false);
        dialog.DlgItem<QLineEdit>(12)->setText(firstText);
        dialog.DlgItem<QLineEdit>(13)->setText(secondText);
        dialog.DlgItem<QComboBox>(14)->addItems({"x", "y"});
        dialog.DlgItem<QComboBox>(14)->setCurrentIndex(0);
        QCOMPARE(dialog.UpdateData(true), ok);
        QTEST(dialog.first, "first");
        QTEST(dialog.second, "second");
        QCOMPARE(dialog.flag, 0);
        QCOMPARE(dialog.index, ok ? 0 : 1);
        QCOMPARE(m_fake->MessageTexts(), ok ? QStringList() : QStringList{"请输入一个整数。"});
    }

    void qtFilter_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("text files") << "文件名(*.TXT)|*.TXT||"
                                    << "文件名 (*.TXT *.txt)";
        QTest::newRow("two") << "A(*.a)|*.a|B|*.B;*.c||"
                             << "A (*.a);;B (*.B *.b *.c)";
    }
    void qtFilter() {
        QFETCH(QString, filter);
        QTEST(CQtPlatform::ToQtFilter(filter), "expected");
    }

    void desktopExec_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("entry") << "[Desktop Entry]\nName=F\nExec=firefox %u\n"
                               << "firefox %u";
        QTest::newRow("action ignored")
            << "[Desktop Action new]\nExec=x\n[Desktop Entry]\nExec=y --new\n"
            << "y --new";
        QTest::newRow("none") << "[Desktop Entry]\nName=F\n"
                              << "";
        QTest::newRow("TryExec is not Exec") << "[Desktop Entry]\nTryExec=a\nExec=b\n"
                                             << "b";
    }
    void desktopExec() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(CQtPlatform::DesktopExecLine(text).value_or(QString()), expected);
    }

    void staticsArePlainText() {
        CTestDialog dialog;
        auto* label = qobject_cast<QLabel*>(dialog.GetDlgItem(18));
        QVERIFY(label);
        QCOMPARE(label->textFormat(), Qt::PlainText);
    }

    void unusableTargetsAreNotOpened_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("empty") << "";
        QTest::newRow("blank") << "   ";
        QTest::newRow("missing file") << "no/such/file.txt";
        QTest::newRow("drive letter only") << "Z:\\no\\such.txt";
    }
    void unusableTargetsAreNotOpened() {
        QFETCH(QString, target);
        CQtPlatform platform;
        QCOMPARE(platform.ShellOpen(target), 2);
        QCOMPARE(platform.StartProcess(target.trimmed().isEmpty() ? target : QString()), 2);
    }

    void fakePlatformScripts() {
        m_fake->answers = {false};
        m_fake->defaultAnswer = true;
        QCOMPARE(m_fake->AskYesNo(nullptr, "q", "c"), false);
        QCOMPARE(m_fake->AskYesNo(nullptr, "q", "c"), true);
        m_fake->openFileNames = {"a.txt"};
        QCOMPARE(m_fake->GetOpenFileName(nullptr, "f"), QStringLiteral("a.txt"));
        QCOMPARE(m_fake->GetOpenFileName(nullptr, "f"), QString());
        QCOMPARE(m_fake->ReadProfileString("row", "row", "1"), QStringLiteral("1"));
        m_fake->WriteProfileString("row", "row", "4");
        QCOMPARE(m_fake->profile.value("row/row"), QStringLiteral("4"));
        QCOMPARE(&Platform(), static_cast<IPlatform*>(m_fake.get()));
        m_fake.reset();
        QVERIFY(dynamic_cast<CQtPlatform*>(&Platform()));
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
};

QTEST_MAIN(TestDialogBase)
#include "tst_dialogbase.moc"
