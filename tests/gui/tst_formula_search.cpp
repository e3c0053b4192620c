#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/rules/CFormulaSearchDlg.h"
#include "app/rules/CRuleDlg.h"
#include "history/FormulaSearch.h"
#include "io/DrawHistory.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

namespace {

const QString kHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

} // namespace

// 搜索公式: a small search from the 公式杀号 window, its figures, and a row added as a rule.
class TestFormulaSearch : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
    }
    void cleanup() { m_fake.reset(); }

    void searchShowsTheCoresFiguresAndAddsARule() {
        CRuleDlg rules({}, {});
        QVERIFY(rules.LoadHistory(kHistory));
        rules.DrawCount()->setValue(400);
        rules.Target()->setCurrentIndex(1); // 杀跨度
        QString added;
        const CModalCloser closer =
            CloseModalWhenShown<CFormulaSearchDlg>([&](CFormulaSearchDlg* dialog) {
                QCOMPARE(dialog->Window()->value(), 400);
                QCOMPARE(dialog->Target()->currentIndex(), 1);
                dialog->Terms()->setValue(1);
                dialog->Top()->setValue(6);
                QVERIFY(dialog->Search());
                QTableWidget* table = dialog->Table();
                QCOMPARE(table->rowCount(), 6);
                QVERIFY(dialog->Baseline()->text().startsWith(
                    QStringLiteral("同样的搜索在打乱次序的历史上，最好的训练差值是")));

                // The same search in the core gives the same rows.
                tarvex::FormulaSearchOptions options;
                options.target = tarvex::RuleTarget::Span;
                options.terms = 1;
                options.last = 400;
                options.top = 6;
                const auto history = tarvex::DrawHistory::Load(kHistory).draws;
                const tarvex::FormulaSearchResult core =
                    tarvex::FormulaSearch::Run(history, options);
                QVERIFY(core.ok());
                for (int row = 0; row < 6; ++row) {
                    const tarvex::FoundFormula& f = core.formulas[static_cast<std::size_t>(row)];
                    QCOMPARE(table->item(row, 0)->text(), QString::fromStdString(f.formula));
                    QCOMPARE(table->item(row, 6)->text(),
                             QStringLiteral("%1/%2").arg(f.check.right).arg(f.check.tested));
                    const bool grey = f.pAdjusted >= 0.05;
                    QCOMPARE(table->item(row, 13)->text().isEmpty(), !grey);
                    QStringList equivalents;
                    for (const std::string& other : f.equivalents)
                        equivalents << QString::fromStdString(other);
                    QCOMPARE(table->item(row, 14)->text(), equivalents.join(QStringLiteral("、")));
                    QCOMPARE(table->item(row, 0)->foreground().color() == QColor(Qt::gray), grey);
                }
                table->selectRow(2);
                added = table->item(2, 0)->text();
                QCOMPARE(dialog->OnAddRules(), 1);
                dialog->reject();
            });
        rules.OnSearchFormulas();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(rules.Rules().size(), std::size_t{1});
        QCOMPARE(rules.Rules()[0].target, tarvex::RuleTarget::Span);
        QCOMPARE(QString::fromStdString(rules.Rules()[0].formula), added);
        QCOMPARE(rules.Table()->rowCount(), 1); // judged at once, like a rule typed in
    }

    void refusedSearchKeepsTheTable() {
        const std::vector<tarvex::HistoricDraw> two{{"1", 123, {}, {}}, {"2", 456, {}, {}}};
        std::vector<tarvex::Rule> got;
        CFormulaSearchDlg dialog(two, 0, tarvex::RuleTarget::Dan,
                                 [&](const tarvex::Rule& r) { got.push_back(r); });
        dialog.Check()->setValue(2); // leaves no training draw
        QVERIFY(!dialog.Search());
        QCOMPARE(dialog.Table()->rowCount(), 0);
        QVERIFY(!m_fake->MessageTexts().isEmpty());
        QCOMPARE(dialog.OnAddRules(), 0);
        QVERIFY(got.empty());
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
};

QTEST_MAIN(TestFormulaSearch)
#include "tst_formula_search.moc"
