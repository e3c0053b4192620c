#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/rules/CFormulaSearchDlg.h"
#include "app/rules/CRuleDlg.h"
#include "app/rules/FormulaSearchMemory.h"
#include "history/FormulaSearch.h"
#include "history/RuleTargets.h"
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

    // The table names its target; once the target is changed it says it is the last search's
    // and 加入规则 adds as the table's target. A window opened again on the same memory has
    // the settings and the table back, stale as they were.
    void theTableNamesItsTargetAndOutlivesTheWindow() {
        const auto history = tarvex::DrawHistory::Load(kHistory).draws;
        const auto memory = std::make_shared<FormulaSearchMemory>();
        const QString span = QString::fromUtf8(tarvex::RuleTargets::Name(tarvex::RuleTarget::Span));
        std::vector<tarvex::Rule> got;
        const auto add = [&](const tarvex::Rule& r) { got.push_back(r); };
        QStringList formulas;
        {
            CFormulaSearchDlg dialog(history, 300, tarvex::RuleTarget::Span, add, nullptr, memory);
            QVERIFY(dialog.TableNote()->text().isEmpty());
            dialog.Terms()->setValue(1);
            dialog.Top()->setValue(5);
            QVERIFY(dialog.Search());
            QVERIFY(!dialog.TableIsStale());
            QVERIFY(dialog.TableNote()->text().contains(span));
            // At its smallest: four compact rows in sight, training and check columns apart.
            dialog.show();
            dialog.resize(1, 1);
            QCoreApplication::processEvents();
            QTableWidget* table = dialog.Table();
            QVERIFY(table->rowHeight(0) <= QFontMetrics(table->font()).height() * 3 / 2);
            QVERIFY(table->viewport()->height() >= 4 * table->rowHeight(0));
            QSet<QString> headers;
            for (int c = 0; c < table->columnCount(); ++c)
                headers << table->horizontalHeaderItem(c)->text();
            QCOMPARE(headers.size(), table->columnCount());
            for (int row = 0; row < dialog.Table()->rowCount(); ++row)
                formulas << dialog.Table()->item(row, 0)->text();
            dialog.Target()->setCurrentIndex(0);
            QVERIFY(dialog.TableIsStale());
            QVERIFY(dialog.TableNote()->text().contains(QStringLiteral("上一次搜索")));
            dialog.Table()->selectRow(0);
            QCOMPARE(dialog.OnAddRules(), 1);
            QVERIFY(dialog.Status()->text().contains(span));
            dialog.reject();
        }
        QCOMPARE(got.size(), std::size_t{1});
        QCOMPARE(got[0].target, tarvex::RuleTarget::Span);
        CFormulaSearchDlg again(history, 50, tarvex::RuleTarget::Dan, add, nullptr, memory);
        QCOMPARE((QList<int>{again.Target()->currentIndex(), again.Terms()->value(),
                             again.Top()->value(), again.Window()->value()}),
                 (QList<int>{0, 1, 5, 300}));
        QCOMPARE(again.Table()->item(0, 0)->text(), formulas.front());
        QCOMPARE(again.Table()->rowCount(), formulas.size());
        QVERIFY(again.TableIsStale());
        again.Target()->setCurrentText(span);
        QVERIFY(!again.TableIsStale());
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
};

QTEST_MAIN(TestFormulaSearch)
#include "tst_formula_search.moc"
