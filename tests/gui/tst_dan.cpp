#include "CMainWindowFixture.h"
#include "ModalCloser.h"
#include "app/analysis/CAnalysisDlg.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

namespace {

const QString kDrawLabel = QStringLiteral("输入上期开奖号");
const QString kMethod3Label = QStringLiteral("期尾+上期奖号");
const QString kMethod3Hint = QStringLiteral("格式本期期尾+上期奖号，如18期为8878");
const QString kMethod3Message = QStringLiteral("格式本期期尾+上期奖号，如18期为8878,17期为7481");

int MethodRadio(int method) {
    switch (method) {
    case 2:
        return MainIds::kDanMethod2;
    case 3:
        return MainIds::kDanMethod3;
    default:
        return MainIds::kDanMethod1;
    }
}

} // namespace

// 算胆 with its three methods, and the hidden 号码分析 button.
class TestDan : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void calculate_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::newRow("云杉 8878") << 1 << "8878"
                                   << "29962";
        QTest::newRow("云杉 123") << 1 << "123"
                                  << "35267";
        QTest::newRow("云杉 5") << 1 << "5"
                                << "07110";
        QTest::newRow("云杉 0") << 1 << "0"
                                << "00000";
        QTest::newRow("云杉 not a number") << 1 << "abc"
                                           << "00000";
        QTest::newRow("云杉 leading blanks") << 1 << "  8878x"
                                             << "29962";
        QTest::newRow("云杉 negative") << 1 << "-25"
                                       << "15900";
        QTest::newRow("黄金 8878") << 2 << "8878"
                                   << "5486";
        QTest::newRow("黄金 5") << 2 << "5"
                                << "3090";
        QTest::newRow("黄金 0") << 2 << "0"
                                << "0000";
        QTest::newRow("黄金 999") << 2 << "999"
                                  << "6173";
        QTest::newRow("qkrtz 8878") << 3 << "8878"
                                    << "旧公式 78 新公式 46";
        QTest::newRow("qkrtz 7481") << 3 << "7481"
                                    << "旧公式 45 新公式 26";
        QTest::newRow("qkrtz 0000") << 3 << "0000"
                                    << "旧公式 34 新公式 0";
    }
    void calculate() {
        QFETCH(int, method);
        QFETCH(QString, input);
        QFETCH(QString, output);
        Click(MethodRadio(method));
        QCOMPARE(m_window->m_nDanMethod, method);
        Edit()->setText(input);
        Click(MainIds::kCalcDan);
        QCOMPARE(Edit()->text(), output);
        QCOMPARE(m_window->m_strLastDraw, output);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QVERIFY(!Edit()->text().contains(QStringLiteral("nan"), Qt::CaseInsensitive));
    }

    void pressingAgainUsesTheResult_data() {
        QTest::addColumn<int>("method");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("second");
        QTest::newRow("云杉") << 1 << "8878"
                              << "55044"; // sqrt(29962) * 0.318 = 55.0443211
        QTest::newRow("黄金") << 2 << "8878"
                              << "3390"; // 5486 * 0.618 = 3390.348
    }
    void pressingAgainUsesTheResult() {
        QFETCH(int, method);
        QFETCH(QString, input);
        QFETCH(QString, second);
        Click(MethodRadio(method));
        Edit()->setText(input);
        Click(MainIds::kCalcDan);
        Click(MainIds::kCalcDan);
        QCOMPARE(Edit()->text(), second);
    }

    void emptyEditDoesNothing_data() {
        QTest::addColumn<int>("method");
        QTest::newRow("云杉") << 1;
        QTest::newRow("黄金") << 2;
        QTest::newRow("qkrtz") << 3;
    }
    void emptyEditDoesNothing() {
        QFETCH(int, method);
        Click(MethodRadio(method));
        Edit()->clear();
        Click(MainIds::kCalcDan);
        QCOMPARE(Edit()->text(), QString());
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    void method3RefusesOtherLengths_data() {
        QTest::addColumn<QString>("input");
        QTest::newRow("the hint itself") << kMethod3Hint;
        QTest::newRow("three digits") << QStringLiteral("887");
        QTest::newRow("five digits") << QStringLiteral("88788");
        // Four bytes in UTF-8, three in code page 936.
        QTest::newRow("Chinese character and one digit") << QStringLiteral("期8");
        QTest::newRow("Chinese character and three digits") << QStringLiteral("期888");
    }
    void method3RefusesOtherLengths() {
        QFETCH(QString, input);
        Click(MainIds::kDanMethod3);
        Edit()->setText(input);
        Click(MainIds::kCalcDan);
        QCOMPARE(m_fake->MessageTexts(), QStringList{kMethod3Message});
        QCOMPARE(Edit()->text(), input);
    }

    void method3RightAfterSelectingIt() {
        Edit()->setText(QStringLiteral("8878"));
        Click(MainIds::kDanMethod3);
        QCOMPARE(Edit()->text(), kMethod3Hint);
        Click(MainIds::kCalcDan);
        QCOMPARE(m_fake->MessageTexts(), QStringList{kMethod3Message});
        QCOMPARE(Edit()->text(), kMethod3Hint);
    }

    void labelsSwitch_data() {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("edit");
        QTest::newRow("云杉 to qkrtz") << 1 << 3 << kMethod3Label << kMethod3Hint;
        QTest::newRow("qkrtz to 云杉") << 3 << 1 << kDrawLabel << QStringLiteral("typed");
        QTest::newRow("qkrtz to 黄金") << 3 << 2 << kDrawLabel << QStringLiteral("typed");
        QTest::newRow("黄金 to 云杉") << 2 << 1 << kDrawLabel << QStringLiteral("typed");
    }
    void labelsSwitch() {
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(QString, label);
        QFETCH(QString, edit);
        QCOMPARE(Label()->text(), kDrawLabel);
        Click(MethodRadio(from));
        Edit()->setText(QStringLiteral("typed"));
        Click(MethodRadio(to));
        QCOMPARE(m_window->m_nDanMethod, to);
        QCOMPARE(Label()->text(), label);
        QCOMPARE(m_window->m_strLastDrawLabel, label);
        QCOMPARE(Edit()->text(), edit);
        QVERIFY(m_window->DlgItem<QRadioButton>(MethodRadio(to))->isChecked());
        QVERIFY(!m_window->DlgItem<QRadioButton>(MethodRadio(from))->isChecked());
    }

    void methodRadiosKeepOtherControls() {
        auto* sumLow = m_window->DlgItem<QLineEdit>(MainIds::kSumLow);
        sumLow->setText(QStringLiteral("5"));
        Click(MainIds::kDanMethod3);
        QCOMPARE(sumLow->text(), QStringLiteral("5"));
        QCOMPARE(m_window->m_nSumLow, 5);
    }

    void refusedExchangeKeepsTheTypedTexts() {
        m_window->DlgItem<QLineEdit>(MainIds::kSumLow)->setText(QStringLiteral("x"));
        Edit()->setText(QStringLiteral("8878"));
        Click(MainIds::kDanMethod3);
        QCOMPARE(m_fake->messages.size(), 1);
        QCOMPARE(m_window->m_nDanMethod, 3);
        QCOMPARE(Edit()->text(), QStringLiteral("8878"));
        QCOMPARE(m_window->DlgItem<QLineEdit>(MainIds::kSumLow)->text(), QStringLiteral("x"));
    }

    void analysisButtonOpensTheWindow() {
        auto* button = m_window->DlgItem<QPushButton>(MainIds::kAnalysis);
        QVERIFY(button);
        QVERIFY(button->isHidden());
        bool wasAnalysis = false;
        QString title;
        const CModalCloser closer = CloseModalWhenShown<CAnalysisDlg>([&](CAnalysisDlg* dialog) {
            wasAnalysis = true;
            title = dialog->windowTitle();
            dialog->reject();
        });
        button->click();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QVERIFY(wasAnalysis);
        QCOMPARE(title, QStringLiteral("基本分析"));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

private:
    QLineEdit* Edit() const { return m_window->DlgItem<QLineEdit>(MainIds::kLastDraw); }
    QLabel* Label() const { return m_window->DlgItem<QLabel>(MainIds::kLastDrawLabel); }
};

QTEST_MAIN(TestDan)
#include "tst_dan.moc"
