#include "AnalysisModel.h"
#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/analysis/CAnalysisDlg.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "framework/CSystemMenu.h"
#include "framework/DialogUnits.h"
#include "pages/CPage3.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString kHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

int TableRowOf(QTableWidget* table, const QString& item) {
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, 0)->text() == item)
            return r;
    }
    return -1;
}

QList<int> ResultNumbers(const QString& result) {
    QList<int> numbers;
    static const QRegularExpression number(QStringLiteral("\\d{3}"));
    for (const QRegularExpressionMatch& m : number.globalMatch(result))
        numbers << m.captured().toInt();
    return numbers;
}

// The numbers the literal model of the items says a 杀 or 胆 of the item leaves.
QList<int> ExpectedSurvivors(int analysis, const QString& itemText, bool dan) {
    for (const tarvex::model::Item& item : tarvex::model::Items(std::size_t(analysis))) {
        if (QString::fromStdString(item.text) != itemText)
            continue;
        QList<int> numbers;
        for (int n = 0; n < 1000; ++n) {
            const std::string text = tarvex::model::Text3(n);
            const bool keep =
                dan ? text.find(item.text.back()) != std::string::npos : !item.holds(text);
            if (keep)
                numbers << n;
        }
        return numbers;
    }
    return {};
}

} // namespace

class TestAnalysisApply : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CFakePlatform> m_platform;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_oldDir;
    std::unique_ptr<CMainDialog> m_window;
    std::unique_ptr<CAnalysisDlg> m_dialog;

    void RunButton(int analysis) {
        QTest::mouseClick(
            m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAnalysisButtons[std::size_t(analysis)]),
            Qt::LeftButton);
    }

    // How the main window's control shows the condition: "checked", "unchecked" or a text;
    // id 0 is the 杀2码 page's text.
    QString ControlState(int id) {
        if (id == 0)
            return m_window->m_page3->m_strText;
        QWidget* control = m_window->GetDlgItem(id);
        if (auto* box = qobject_cast<QAbstractButton*>(control))
            return box->isChecked() ? QStringLiteral("checked") : QStringLiteral("unchecked");
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            return edit->text();
        return QStringLiteral("?");
    }

private slots:
    void initTestCase() { DialogUnits::RegisterFontSubstitutes(); }

    void init() {
        m_platform = std::make_unique<CFakePlatform>();
        m_platform->Install();
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir->path()));
        m_window = std::make_unique<CMainDialog>();
        m_window->show();
        CMainDialog* window = m_window.get();
        m_dialog = std::make_unique<CAnalysisDlg>(
            window, [window](const tarvex::ItemCondition& item, tarvex::ItemAction action) {
                return window->ApplyAnalysisCondition(item, action);
            });
        m_dialog->show();
        QVERIFY(m_dialog->LoadHistory(kHistory));
    }

    void cleanup() {
        m_dialog.reset();
        m_window.reset();
        QDir::setCurrent(m_oldDir);
        m_dir.reset();
        m_platform.reset();
    }

    void killOrDanThenKillRun_data() {
        QTest::addColumn<int>("analysis");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("dan");
        QTest::addColumn<bool>("viaAdd"); // 添加 with the combos, else the row's menu
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("state");
        using namespace MainIds;
        QTest::newRow("sum") << 1 << "15" << false << false << MainIds::kSums << "15";
        QTest::newRow("sum tail") << 2 << "3" << false << true << kSumTail[3] << "checked";
        QTest::newRow("span") << 3 << "0" << false << false << kSpan[0] << "checked";
        QTest::newRow("route pattern")
            << 0 << "012" << false << true << kRouteFirst + 5 << "checked";
        QTest::newRow("route at") << 0 << "十1路" << false << false << kPositionalKill[1] << "147";
        QTest::newRow("odd/even") << 4 << "奇偶偶" << false << false << kOddEven[3] << "unchecked";
        QTest::newRow("big/small") << 6 << "小大大" << false << true << kBigSmall[7] << "unchecked";
        QTest::newRow("shape") << 7 << "组三" << false << false << kShape[1] << "checked";
        QTest::newRow("run") << 7 << "二连" << false << false << kConsecutive[1] << "checked";
        QTest::newRow("AC") << 7 << "AC2" << false << true << kAc[2] << "unchecked";
        QTest::newRow("prime/composite")
            << 7 << "质合合" << false << false << kPrimeComposite[3] << "unchecked";
        QTest::newRow("digit at") << 5 << "个7" << false << true << kPositionalKill[2] << "7";
        QTest::newRow("digit anywhere") << 5 << "4" << false << false << kPositionalKill[0] << "4";
        QTest::newRow("two code") << 8 << "27" << false << false << 0 << "27";
        QTest::newRow("pair of one digit") << 8 << "33" << false << true << 0 << "33";
        QTest::newRow("dan digit") << 5 << "5" << true << false << kDan[5] << "checked";
        QTest::newRow("dan at") << 5 << "百8" << true << true << kDan[8] << "checked";
    }

    // The condition shows in the main window at once, and the next 杀组合 leaves exactly the
    // numbers the item's definition says.
    void killOrDanThenKillRun() {
        QFETCH(int, analysis);
        QFETCH(QString, item);
        QFETCH(bool, dan);
        QFETCH(bool, viaAdd);
        QFETCH(int, control);
        QFETCH(QString, state);
        RunButton(analysis);
        const int row = TableRowOf(m_dialog->Table(), item);
        QVERIFY(row >= 0);
        if (viaAdd) {
            m_dialog->Table()->selectRow(row);
            QCOMPARE(m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kItemId)->currentText(), item);
            m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kActionId)->setCurrentIndex(dan ? 1 : 0);
            QTest::mouseClick(m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAddId), Qt::LeftButton);
        } else {
            const std::unique_ptr<QMenu> menu = m_dialog->RowMenu(row);
            QAction* action = menu->actions().at(dan ? 1 : 0);
            QVERIFY(action->isEnabled());
            action->trigger();
        }
        QCOMPARE(m_platform->MessageTexts(), QStringList());
        QVERIFY(m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)
                    ->text()
                    .startsWith(QStringLiteral("已添加")));
        // The narrow edit's whole text shows on hover.
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)->toolTip(),
                 m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)->text());
        QCOMPARE(ControlState(control), state);
        m_window->OnKillRun();
        QCOMPARE(m_platform->MessageTexts(), QStringList());
        const QList<int> expected = ExpectedSurvivors(analysis, item, dan);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(ResultNumbers(m_window->m_strResult), expected);
    }

    // What the window held stays: a second condition of the same control is added to it.
    void conditionsAddUp() {
        RunButton(1);
        for (const QString& sum : {QStringLiteral("3"), QStringLiteral("21")}) {
            const std::unique_ptr<QMenu> menu =
                m_dialog->RowMenu(TableRowOf(m_dialog->Table(), sum));
            menu->actions().at(0)->trigger();
        }
        QCOMPARE(ControlState(MainIds::kSums), QStringLiteral("3 21"));
        QCOMPARE(ControlState(MainIds::kKillSums), QStringLiteral("checked"));
        m_window->OnKillRun();
        const QList<int> survivors = ResultNumbers(m_window->m_strResult);
        QCOMPARE(survivors.size(), 1000 - 10 - 28); // sums 3 and 21: 10 and 28 numbers
    }

    // What the player set by hand in the window, not yet run, stays beside the new condition.
    void handSetControlsStay() {
        m_window->DlgItem<QAbstractButton>(MainIds::kShape[0])->setChecked(true);
        m_window->DlgItem<QLineEdit>(MainIds::kPositionalKill[2])->setText(QStringLiteral("1"));
        RunButton(5);
        m_dialog->RowMenu(TableRowOf(m_dialog->Table(), QStringLiteral("个7")))
            ->actions()
            .at(0)
            ->trigger();
        QCOMPARE(ControlState(MainIds::kShape[0]), QStringLiteral("checked"));
        QCOMPARE(ControlState(MainIds::kPositionalKill[2]), QStringLiteral("17"));
        QCOMPARE(ControlState(MainIds::kPositionalKillBox), QStringLiteral("checked"));
        QVERIFY(m_window->GetDlgItem(MainIds::kPositionalKill[2])->isEnabled());
    }

    // A typo in the window's 和值范围 stops the condition as it stops a run: the message is
    // the window's, nothing changes, and the dialog does not say it was added.
    void refusedWindowTextAddsNothing() {
        m_window->DlgItem<QLineEdit>(MainIds::kSumLow)->setText(QStringLiteral("abc"));
        RunButton(3);
        QVERIFY(!m_dialog->ApplyRow(TableRowOf(m_dialog->Table(), QStringLiteral("4")),
                                    tarvex::ItemAction::Kill));
        QCOMPARE(m_platform->MessageTexts().size(), 1);
        QCOMPARE(ControlState(MainIds::kSpan[4]), QStringLiteral("unchecked"));
        QCOMPARE(ControlState(MainIds::kSumLow), QStringLiteral("abc"));
        QVERIFY(!m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)
                     ->text()
                     .startsWith(QStringLiteral("已添加")));
    }

    void itemsWithoutControlOfferNothing_data() {
        QTest::addColumn<int>("analysis");
        QTest::addColumn<QString>("item");
        QTest::newRow("odd count") << 4 << "2:1";
        QTest::newRow("big count") << 6 << "0:3";
        QTest::newRow("dan method") << 9 << "云杉算胆法";
    }

    void itemsWithoutControlOfferNothing() {
        QFETCH(int, analysis);
        QFETCH(QString, item);
        RunButton(analysis);
        const int row = TableRowOf(m_dialog->Table(), item);
        QVERIFY(row >= 0);
        const std::unique_ptr<QMenu> menu = m_dialog->RowMenu(row);
        QCOMPARE(menu->actions().size(), 2);
        for (QAction* action : menu->actions())
            QVERIFY(!action->isEnabled());
        const tarvex::Settings before = m_window->GatherSettings();
        QVERIFY(!m_dialog->ApplyRow(row, tarvex::ItemAction::Kill));
        QCOMPARE(m_window->GatherSettings(), before);
    }

    // 添加 on an item with no matching control says so and changes nothing.
    void addRefusesWithMessage() {
        RunButton(4);
        m_dialog->Table()->selectRow(TableRowOf(m_dialog->Table(), QStringLiteral("2:1")));
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)->text(),
                 QStringLiteral("此项没有对应的条件"));
        const tarvex::Settings before = m_window->GatherSettings();
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAddId), Qt::LeftButton);
        QCOMPARE(m_platform->MessageTexts().size(), 1);
        QCOMPARE(m_window->GatherSettings(), before);
    }

    // The window menu's dialog is wired to the window it was opened from.
    void windowMenuDialogAppliesToTheWindow() {
        m_dialog.reset();
        const CModalCloser closer = CloseModalWhenShown<CAnalysisDlg>([](CAnalysisDlg* dialog) {
            dialog->RunAnalysis(tarvex::AnalysisKind::Span);
            dialog->ApplyRow(TableRowOf(dialog->Table(), QStringLiteral("9")),
                             tarvex::ItemAction::Kill);
            dialog->reject();
        });
        for (QAction* action : m_window->SystemMenu().Menu()->actions())
            if (action->text() == QStringLiteral("号码分析(&N)..."))
                action->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(ControlState(MainIds::kSpan[9]), QStringLiteral("checked"));
        QCOMPARE(m_window->m_bSpan[9], 1);
    }
};

QTEST_MAIN(TestAnalysisApply)
#include "tst_analysis_apply.moc"
