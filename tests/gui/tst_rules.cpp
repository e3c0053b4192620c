#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/rules/CRuleDlg.h"
#include "engine/KillRun.h"
#include "framework/CSystemMenu.h"
#include "history/RuleApply.h"
#include "history/RuleJudge.h"
#include "history/RuleSet.h"
#include "history/RuleText.h"
#include "io/DrawHistory.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

std::vector<tarvex::Rule> SampleRules() {
    return {{tarvex::RuleTarget::SumTail, "和1+3"},
            {tarvex::RuleTarget::Span, "跨1*2+期"},
            {tarvex::RuleTarget::Hundreds, "百1+十2"},
            {tarvex::RuleTarget::AllPositions, "个1"},
            {tarvex::RuleTarget::Dan, "尾2+1"}};
}

int RuleOfRow(const QTableWidget* table, int row) {
    return table->item(row, 0)->data(Qt::UserRole + 1).toInt();
}

} // namespace

// The 公式杀号 window: composing rules, their figures against chance, 应用到下期.
class TestRules : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
    }
    void cleanup() { m_fake.reset(); }

    void menuOpensWindowAndWritesRulesBack() {
        CMainDialog main;
        main.show();
        QAction* item = nullptr;
        for (QAction* a : main.SystemMenu().Menu()->actions())
            if (a->data().toInt() == CMainDialog::kRulesCommand)
                item = a;
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("公式杀号(&F)..."));
        const CModalCloser closer = CloseModalWhenShown<CRuleDlg>([](CRuleDlg* dialog) {
            dialog->Target()->setCurrentIndex(1);
            dialog->Formula()->setText(QStringLiteral("和1+"));
            dialog->Variables()->setCurrentIndex(0);
            dialog->Formula()->insert(QStringLiteral("期"));
            dialog->OnAdd();
            dialog->accept();
        });
        item->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        const std::optional<tarvex::Settings> settings = main.ReadSettings();
        QVERIFY(settings);
        QCOMPARE(settings->rules.size(), std::size_t{1});
        QCOMPARE(settings->rules[0].target, tarvex::RuleTarget::Span);
        QCOMPARE(QString::fromStdString(settings->rules[0].formula), QStringLiteral("和1+期"));
    }

    void figuresEqualTheJudge_data() {
        QTest::addColumn<int>("last");
        QTest::newRow("all") << 0;
        QTest::newRow("last 30") << 30;
        QTest::newRow("last 1") << 1;
    }
    void figuresEqualTheJudge() {
        QFETCH(int, last);
        const std::vector<tarvex::Rule> rules = SampleRules();
        CRuleDlg dialog(rules, {});
        QVERIFY(dialog.LoadHistory(kHistory));
        dialog.DrawCount()->setValue(last);
        QVERIFY(dialog.Judge());
        const tarvex::DrawHistoryResult history = tarvex::DrawHistory::Load(kHistory);
        std::string error;
        const auto set = tarvex::RuleSet::Compile(rules, &error);
        QVERIFY(set);
        const auto judged =
            tarvex::RuleJudge(history.draws, static_cast<std::size_t>(last)).Judge(*set);
        QTableWidget* table = dialog.Table();
        QCOMPARE(table->rowCount(), static_cast<int>(rules.size()));
        for (int row = 0; row < table->rowCount(); ++row) {
            const tarvex::RuleJudgement& j =
                judged[static_cast<std::size_t>(RuleOfRow(table, row))];
            QCOMPARE(table->item(row, 2)->text(), QString::number(j.tested));
            QCOMPARE(table->item(row, 3)->text(), QString::number(j.right));
            QCOMPARE(table->item(row, 4)->text(),
                     QString::fromStdString(tarvex::RuleText::Percent(j.HitShare())));
            // A rule worse than chance beyond luck is marked, not only by its sign.
            const bool worse = !j.WithinNoise() && j.Margin() < 0;
            QCOMPARE(table->item(row, 6)->text(),
                     QString::fromStdString(tarvex::RuleText::Percent(j.MarginShare(), true)) +
                         (worse ? QStringLiteral(" 低于机会") : QString()));
            QCOMPARE(table->item(row, 6)->foreground().color() == QColor(176, 0, 0), worse);
            QCOMPARE(table->item(row, 8)->text(), QString::number(j.maxMiss));
            QCOMPARE(table->item(row, 9)->text(), QString::number(j.next));
            QCOMPARE(table->item(row, 6)->foreground().color() == QColor(Qt::gray),
                     j.WithinNoise());
        }
        // Sorted by margin, the rows come in the judge's margin order.
        table->sortItems(6);
        for (int row = 1; row < table->rowCount(); ++row)
            QVERIFY(judged[static_cast<std::size_t>(RuleOfRow(table, row - 1))].Margin() <=
                    judged[static_cast<std::size_t>(RuleOfRow(table, row))].Margin());
    }

    // Every draw has sum tail 6: 杀和尾=和1 is always wrong, far worse than chance, and is
    // marked so; 杀和尾=和1+1 is always right and is not.
    void worseThanChanceIsMarked() {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("same.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 1; i <= 200; ++i)
            file.write(QByteArray::number(2026000 + i) + " 1 2 3\n");
        file.close();
        CRuleDlg dialog(
            {{tarvex::RuleTarget::SumTail, "和1"}, {tarvex::RuleTarget::SumTail, "和1+1"}}, {});
        QVERIFY(dialog.LoadHistory(file.fileName()));
        QVERIFY(dialog.Judge());
        QTableWidget* table = dialog.Table();
        for (int row = 0; row < table->rowCount(); ++row) {
            const bool worse = RuleOfRow(table, row) == 0;
            QCOMPARE(table->item(row, 6)->text().contains(QStringLiteral("低于机会")), worse);
            QCOMPARE(table->item(row, 1)->foreground().color() == QColor(176, 0, 0), worse);
        }
    }

    // At its smallest the window still shows a whole formula and the history's name.
    void smallestWindowKeepsTheFieldsReadable() {
        CRuleDlg dialog(SampleRules(), {});
        dialog.show();
        dialog.resize(1, 1);
        QCoreApplication::processEvents();
        QLineEdit* formula = dialog.Formula();
        QVERIFY(formula->width() >=
                formula->fontMetrics().horizontalAdvance(QStringLiteral("(百1+十2)*3+期")));
    }

    void badFormulaChangesNothing() {
        CRuleDlg dialog(SampleRules(), {});
        dialog.Formula()->setText(QStringLiteral("和1+*3"));
        dialog.OnAdd();
        QCOMPARE(dialog.Rules(), SampleRules());
        QCOMPARE(m_fake->messages.size(), 1);
    }

    void applyNextSetsTheMainWindow() {
        CMainDialog main;
        main.show();
        const std::optional<tarvex::Settings> before = main.ReadSettings();
        QVERIFY(before);
        std::vector<tarvex::Rule> rules = SampleRules();
        std::vector<int> values;
        CRuleDlg dialog(rules, [&](const auto& r, const auto& v) {
            values = v;
            main.ApplyRulesToNext(r, v);
        });
        QVERIFY(dialog.LoadHistory(kHistory));
        dialog.OnApplyNext();
        const tarvex::DrawHistoryResult history = tarvex::DrawHistory::Load(kHistory);
        std::string error;
        const auto set = tarvex::RuleSet::Compile(rules, &error);
        const tarvex::RuleJudge judge(history.draws, 0);
        QCOMPARE(values, set->Values(judge.NextInputs()));
        tarvex::Settings expected = tarvex::ApplyRuleValues(*before, rules, values);
        const std::optional<tarvex::Settings> after = main.ReadSettings();
        QVERIFY(after);
        QVERIFY(after->sumTail == expected.sumTail);
        QVERIFY(after->span == expected.span);
        QVERIFY(after->dan == expected.dan);
        // 杀百位 fills the 百位 edit of 定位杀, 通杀 all three, and 定位杀 is switched on.
        QVERIFY(after->positionalKill);
        QCOMPARE(after->positionalKillDigits, expected.positionalKillDigits);
        const char hundreds = static_cast<char>('0' + values[2]);
        const char everywhere = static_cast<char>('0' + values[3]);
        QVERIFY(after->positionalKillDigits[0].find(hundreds) != std::string::npos);
        for (const std::string& digits : after->positionalKillDigits)
            QVERIFY(digits.find(everywhere) != std::string::npos);
        QVERIFY(main.GetDlgItem(MainIds::kPositionalKill[0])->isEnabled());
        // The next 杀组合 kills with what the boxes show.
        main.OnKillRun();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        const tarvex::KillOutcome run = tarvex::RunKill(expected);
        QVERIFY(run.completed());
        QCOMPARE(main.m_strResult, QString::fromStdString(run.resultText));
        QVERIFY(run.survivors.size() < 1000);
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
};

QTEST_MAIN(TestRules)
#include "tst_rules.moc"
