#include "AnalysisModel.h"
#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/analysis/CAnalysisDlg.h"
#include "app/analysis/COmissionChart.h"
#include "app/main/CMainDialog.h"
#include "app/shared/CHistoryBar.h"
#include "framework/CSystemMenu.h"
#include "framework/DialogUnits.h"
#include "history/AnalysisText.h"
#include "history/TextTable.h"
#include "io/DrawHistory.h"
#include "widgets/CSkinButton.h"

#include <QComboBox>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QToolTip>
#include <QtTest>
#include <memory>

class TestAnalysisDlg : public QObject {
    Q_OBJECT

private:
    CFakePlatform m_platform;
    std::unique_ptr<CAnalysisDlg> m_dialog;

private slots:
    void initTestCase() {
        m_platform.Install();
        DialogUnits::RegisterFontSubstitutes();
    }

    void init() {
        m_platform.Clear();
        m_dialog = std::make_unique<CAnalysisDlg>();
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_dialog.get()));
    }

    void cleanup() { m_dialog.reset(); }

    void titleAndSize() {
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("基本分析"));
        const DialogUnits units(m_dialog->font());
        QCOMPARE(m_dialog->size(), units.Size(CAnalysisDlg::kWidth, CAnalysisDlg::kHeight));
    }

    void skinnedButtons_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("caption");
        QTest::newRow("1227") << 1227 << "012路分析";
        QTest::newRow("1228") << 1228 << "和值分析";
        QTest::newRow("1229") << 1229 << "合值分析";
        QTest::newRow("1217") << 1217 << "跨度分析";
        QTest::newRow("1218") << 1218 << "奇偶分析";
        QTest::newRow("1219") << 1219 << "单码分析";
        QTest::newRow("1220") << 1220 << "大小分析";
        QTest::newRow("1221") << 1221 << "综合分析";
        QTest::newRow("1222") << 1222 << "石榴分析";
        QTest::newRow("1234") << 1234 << "云杉分析";
    }

    void skinnedButtons() {
        QFETCH(int, id);
        QFETCH(QString, caption);
        auto* button = m_dialog->DlgItem<CSkinButton>(id);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QVERIFY(button->Loaded());
        QCOMPARE(button->StatePixmap(CSkinButton::Normal).size(), button->size());
        QVERIFY(button->isVisible() && button->isEnabled());

        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_platform.messages.isEmpty());
    }

    void otherControls() {
        QVERIFY(m_dialog->DlgItem<QPlainTextEdit>(CAnalysisDlg::kTextId));
        QVERIFY(m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId));
        QStringList names;
        for (tarvex::AnalysisKind kind : tarvex::kAnalysisKinds) // "石榴" for 石榴分析
            names << QString::fromStdString(tarvex::AnalysisName(kind)).chopped(2);
        const QStringList expected[] = {
            {"1", "2", "全部"}, {"1", "2", "全部"}, {"杀", "胆"}, {}, names};
        for (int id : {CAnalysisDlg::kDrawsId, CAnalysisDlg::kSecondDrawsId,
                       CAnalysisDlg::kActionId, CAnalysisDlg::kItemId, CAnalysisDlg::kAnalysisId}) {
            auto* combo = m_dialog->DlgItem<QComboBox>(id);
            QVERIFY(combo);
            QStringList actual;
            for (int i = 0; i < combo->count(); ++i) {
                actual << combo->itemText(i);
            }
            QCOMPARE(actual, expected[id - CAnalysisDlg::kDrawsId]);
        }
        QCOMPARE(m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAddId)->text(),
                 QStringLiteral("添加"));
        QCOMPARE(m_dialog->DlgItem<QPushButton>(1)->text(), QStringLiteral("确定"));
        QCOMPARE(m_dialog->DlgItem<QPushButton>(2)->text(), QStringLiteral("取消"));
    }

    // Combo 1238 holds the shown analysis's items, follows the table and 1029 names the
    // control; picking an analysis in 1239 runs it.
    void conditionCombosFollowTheAnalysis() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1217), Qt::LeftButton);
        auto* items = m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kItemId);
        QCOMPARE(items->count(), 10);
        QCOMPARE(m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kAnalysisId)->currentText(),
                 QStringLiteral("跨度"));
        QCOMPARE(m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kAnalysisId)->toolTip(),
                 QStringLiteral("跨度分析"));
        m_dialog->Table()->sortByColumn(2, Qt::DescendingOrder);
        m_dialog->Table()->selectRow(0);
        QCOMPARE(items->currentText(), m_dialog->Table()->item(0, 0)->text());
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)->text(),
                 QStringLiteral("杀跨度 ") + items->currentText());
        m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kActionId)->setCurrentIndex(1);
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(CAnalysisDlg::kTargetId)->text(),
                 QStringLiteral("此项没有对应的条件"));
        auto* analysis = m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kAnalysisId);
        analysis->setCurrentIndex(1);
        emit analysis->activated(1);
        QCOMPARE(m_dialog->Current().kind, tarvex::AnalysisKind::Sum);
        QCOMPARE(items->count(), 28);
    }

    void controlsFitAndDoNotOverlap() {
        const QList<int> ids = m_dialog->ControlIds();
        QCOMPARE(ids.size(), 10 + 11); // the classic ones and 开奖历史…
        for (int a : ids) {
            const QRect rect = m_dialog->GetDlgItem(a)->geometry();
            QVERIFY(m_dialog->rect().contains(rect));
            for (int b : ids) {
                if (a < b) {
                    QVERIFY2(!rect.intersects(m_dialog->GetDlgItem(b)->geometry()),
                             qPrintable(QStringLiteral("%1 and %2").arg(a).arg(b)));
                }
            }
        }
    }

    // Without an analysis shown there is nothing to add; a message says what to do.
    void addButtonWithoutAnalysisSaysSo() {
        m_dialog->DlgItem<QPlainTextEdit>(CAnalysisDlg::kTextId)
            ->setPlainText(QStringLiteral("123"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAddId), Qt::LeftButton);
        QVERIFY(m_dialog->isVisible());
        QCOMPARE(m_dialog->DlgItem<QPlainTextEdit>(CAnalysisDlg::kTextId)->toPlainText(),
                 QStringLiteral("123"));
        QCOMPARE(m_platform.MessageTexts().size(), 1);
    }

    // A dialog opened with no main window to take conditions offers none.
    void rowMenuDisabledWithoutWindow() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1228), Qt::LeftButton);
        const std::unique_ptr<QMenu> menu = m_dialog->RowMenu(0);
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("杀"));
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("胆"));
        QVERIFY(!menu->actions().at(0)->isEnabled());
        QVERIFY(!m_dialog->ApplyRow(0, tarvex::ItemAction::Kill));
    }

    void okAndCancelClose_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("result");
        QTest::newRow("确定") << 1 << int(QDialog::Accepted);
        QTest::newRow("取消") << 2 << int(QDialog::Rejected);
    }

    void okAndCancelClose() {
        QFETCH(int, id);
        QFETCH(int, result);
        m_dialog->setResult(-1);
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(id), Qt::LeftButton);
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), result);
    }

    // The window menu opens it over the main window, with the shipped sample loaded.
    void windowMenuOpensIt() {
        m_dialog.reset();
        CMainDialog window;
        window.show();
        QString title;
        QWidget* parent = nullptr;
        std::size_t draws = 0;
        const CModalCloser closer = CloseModalWhenShown<CAnalysisDlg>([&](CAnalysisDlg* dialog) {
            title = dialog->windowTitle();
            parent = dialog->parentWidget();
            draws = dialog->History().size();
            dialog->reject();
        });
        for (QAction* action : window.SystemMenu().Menu()->actions())
            if (action->text() == QStringLiteral("号码分析(&N)..."))
                action->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(title, QStringLiteral("基本分析"));
        QCOMPARE(parent, &window);
        QCOMPARE(draws,
                 tarvex::DrawHistory::Load(TARVEX_DATA_DIR "/fc3d-history.txt").draws.size());
    }

    void historyChosenIsRemembered() {
        const QString path = QStringLiteral(TARVEX_DATA_DIR "/pl3-history.txt");
        m_platform.openFileNames = {path};
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kHistoryButton),
                          Qt::LeftButton);
        QCOMPARE(m_platform.profile.value(QStringLiteral("analysis/history")), path);
        QCOMPARE(m_dialog->History(), tarvex::DrawHistory::Load(path).draws);
        QCOMPARE(CAnalysisDlg::DefaultHistoryPath(), path);
    }

    // Every button fills the table with what the core computes over the same draws.
    void buttonsFillTable() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        m_dialog->HistoryBar()->LastDraws()->setValue(200);
        for (std::size_t i = 0; i < CAnalysisDlg::kAnalysisButtons.size(); ++i) {
            QTest::mouseClick(m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAnalysisButtons[i]),
                              Qt::LeftButton);
            const tarvex::Analysis expected =
                tarvex::RunAnalysis(tarvex::kAnalysisKinds[i], m_dialog->History(), 200);
            QTableWidget* table = m_dialog->Table();
            const bool dan = expected.kind == tarvex::AnalysisKind::DanMethods;
            QCOMPARE(std::size_t(table->rowCount()),
                     dan ? expected.danRows.size() : expected.rows.size());
            for (int r = 0; r < table->rowCount(); ++r) {
                const std::size_t k = std::size_t(r);
                QCOMPARE(table->item(r, 0)->text().toStdString(),
                         dan ? expected.danRows[k].item : expected.rows[k].item);
                if (dan) {
                    QCOMPARE(table->item(r, 2)->text().toInt(), expected.danRows[k].hits);
                    continue;
                }
                QCOMPARE(table->item(r, 1)->text().toInt(), expected.rows[k].hits);
                QCOMPARE(table->item(r, 2)->text().toInt(), expected.rows[k].current);
                QCOMPARE(table->item(r, 3)->text().toInt(), expected.rows[k].max);
                QCOMPARE(table->item(r, 0)->font().bold(), expected.rows[k].Overdue());
            }
            QCOMPARE(m_dialog->DlgItem<QPlainTextEdit>(CAnalysisDlg::kTextId)
                         ->toPlainText()
                         .toStdString(),
                     tarvex::AnalysisText::Table(expected));
        }
    }

    void sortsByNumber() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1228), Qt::LeftButton);
        QTableWidget* table = m_dialog->Table();
        table->sortByColumn(2, Qt::DescendingOrder);
        for (int r = 1; r < table->rowCount(); ++r)
            QVERIFY(table->item(r - 1, 2)->text().toInt() >= table->item(r, 2)->text().toInt());
    }

    // The chart draws, for each item in table order, its current omission against the expected
    // one, as the literal model counts them; 云杉分析 has no items and clears it.
    void chartBarsFollowTheAnalysis_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("last");
        for (int i = 0; i < 10; ++i)
            QTest::newRow(tarvex::model::AnalysisNames()[std::size_t(i)].c_str()) << i << 150;
        QTest::newRow("和值分析 all") << 1 << 0;
    }

    void chartBarsFollowTheAnalysis() {
        QFETCH(int, button);
        QFETCH(int, last);
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        m_dialog->HistoryBar()->LastDraws()->setValue(last);
        QTest::mouseClick(
            m_dialog->DlgItem<QPushButton>(CAnalysisDlg::kAnalysisButtons[std::size_t(button)]),
            Qt::LeftButton);
        const tarvex::model::Analysis expected =
            tarvex::model::Analyses(m_dialog->History(), std::size_t(last))[std::size_t(button)];
        const QVector<COmissionChart::Bar>& bars = m_dialog->Chart()->Bars();
        QCOMPARE(std::size_t(bars.size()), expected.rows.size());
        for (qsizetype i = 0; i < bars.size(); ++i) {
            const tarvex::model::Row& row = expected.rows[std::size_t(i)];
            QCOMPARE(bars[i].label.toStdString(), row.item);
            QCOMPARE(bars[i].current, row.current);
            QCOMPARE(bars[i].expected.has_value(), row.expected.has_value());
            if (row.expected)
                QVERIFY(qAbs(*bars[i].expected - *row.expected) < 1e-9);
            QCOMPARE(bars[i].overdue, m_dialog->Table()->item(int(i), 0)->font().bold());
        }
        QCOMPARE(m_dialog->Chart()->EmptyText().isEmpty(), expected.danRows.empty());
        // The top of the chart: the tallest current bar, or an expected bar up to three times
        // it; no current bar is ever cut.
        int tallest = 0;
        for (const COmissionChart::Bar& bar : bars)
            tallest = std::max(tallest, bar.current);
        double top = std::max(1, tallest);
        for (const COmissionChart::Bar& bar : bars) {
            if (bar.expected && (tallest == 0 || *bar.expected <= 3.0 * tallest))
                top = std::max(top, *bar.expected);
        }
        if (!bars.isEmpty())
            QCOMPARE(m_dialog->Chart()->Scale(), top);
        QVERIFY(m_dialog->Chart()->isVisible());
        QVERIFY(m_dialog->rect().contains(m_dialog->Chart()->geometry()));
    }

    // 加入文件…: the old CSV added to the national file refuses the 75 期号 the two number
    // differently, naming both files, and keeps every other draw once.
    void addingAFileMergesAndReportsConflicts() {
        const QString national = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");
        const QString old = QStringLiteral(TARVEX_TEST_DATA_DIR "/fc3d-history-2002.csv");
        QVERIFY(m_dialog->LoadHistory(national));
        m_platform.Clear();
        m_platform.openFileNames = {old};
        QTest::mouseClick(m_dialog->AddFileButton(), Qt::LeftButton);
        QCOMPARE(m_dialog->History(), tarvex::DrawHistory::LoadAll({national, old}).draws);
        QCOMPARE(m_dialog->HistoryPaths(), (QStringList{national, old}));
        QCOMPARE(m_platform.MessageTexts().size(), 1);
        const QString message = m_platform.MessageTexts().front();
        QVERIFY2(message.contains(QStringLiteral("75 处问题")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("期号 2004001 出现在“fc3d-history.txt”第 1 行")),
                 qPrintable(message));
        QCOMPARE(m_dialog->HistoryBar()->Names()->text(),
                 QStringLiteral("fc3d-history.txt + fc3d-history-2002.csv"));
        // The remembered history is still the file chosen with 开奖历史….
        QCOMPARE(m_platform.profile.value(QStringLiteral("analysis/history")), national);
    }

    void addingAnUnreadableFileKeepsTheHistory() {
        const QString national = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");
        QVERIFY(m_dialog->LoadHistory(national));
        const std::vector<tarvex::HistoricDraw> before = m_dialog->History();
        m_platform.Clear();
        const QString absent = QStringLiteral(TARVEX_DATA_DIR "/absent.txt");
        QVERIFY(!m_dialog->AddHistoryFile(absent));
        QCOMPARE(m_platform.MessageTexts().size(), 1);
        QVERIFY(m_platform.MessageTexts().front().contains(absent));
        QCOMPARE(m_dialog->History(), before);
        QCOMPARE(m_dialog->HistoryPaths(), QStringList{national});
    }

    // The new buttons sit in a row of their own under the history row, clear of the rest.
    void newControlsFitWithoutOverlap() {
        QList<QWidget*> widgets;
        widgets << m_dialog->AddFileButton() << m_dialog->TrendButton() << m_dialog->Chart();
        widgets << m_dialog->Table();
        for (int id : m_dialog->ControlIds())
            widgets << m_dialog->GetDlgItem(id);
        for (qsizetype a = 0; a < 4; ++a) {
            QVERIFY(widgets[a]);
            QVERIFY(m_dialog->rect().contains(widgets[a]->geometry()));
            for (qsizetype b = 0; b < widgets.size(); ++b)
                QVERIFY2(b == a || !widgets[a]->geometry().intersects(widgets[b]->geometry()),
                         qPrintable(widgets[a]->objectName() + " " + widgets[b]->objectName()));
        }
    }

    // The window grows: the classic controls keep their places, the table and the chart take
    // the new room between them and stay clear of each other and of the window's edge.
    void growsWhileTheClassicControlsStay() {
        QMap<int, QRect> classic;
        for (int id : m_dialog->ControlIds())
            classic.insert(id, m_dialog->GetDlgItem(id)->geometry());
        const QSize before = m_dialog->size();
        const QRect table = m_dialog->Table()->geometry();
        const QRect chart = m_dialog->Chart()->geometry();
        QVERIFY(m_dialog->maximumWidth() > before.width());
        QVERIFY(m_dialog->maximumHeight() > before.height());
        m_dialog->resize(before + QSize(before.width() / 2, before.height() / 2));
        QTRY_COMPARE(m_dialog->size(), before + QSize(before.width() / 2, before.height() / 2));
        for (auto it = classic.cbegin(); it != classic.cend(); ++it)
            QCOMPARE(m_dialog->GetDlgItem(it.key())->geometry(), it.value());
        const QRect grownTable = m_dialog->Table()->geometry();
        const QRect grownChart = m_dialog->Chart()->geometry();
        QVERIFY(grownTable.height() > table.height());
        QVERIFY(grownChart.height() > chart.height());
        QCOMPARE(grownTable.width() - table.width(), before.width() / 2);
        QCOMPARE(grownChart.width() - chart.width(), before.width() / 2);
        QVERIFY(!grownTable.intersects(grownChart));
        QVERIFY(m_dialog->rect().contains(grownTable) && m_dialog->rect().contains(grownChart));
        // Below the default size it does not shrink.
        m_dialog->resize(before / 2);
        QCOMPARE(m_dialog->size(), before);
    }

    // Each line of 1027's text is as wide as its characters count places (a Chinese one two),
    // so the figures stand beneath their headings.
    void textColumnsLineUp() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        auto* text = m_dialog->DlgItem<QPlainTextEdit>(CAnalysisDlg::kTextId);
        const QFontMetrics metrics(text->font());
        const int place = metrics.horizontalAdvance(QLatin1Char('0'));
        for (int button : {1221, 1222, 1234}) {
            QTest::mouseClick(m_dialog->DlgItem<QPushButton>(button), Qt::LeftButton);
            const QStringList lines = text->toPlainText().split(QLatin1Char('\n'));
            QVERIFY(lines.size() > 3);
            for (const QString& line : lines) {
                QCOMPARE(metrics.horizontalAdvance(line),
                         place * tarvex::TextTable::DisplayWidth(line.toStdString()));
            }
        }
    }

    // At the default size the table shows more than six whole rows and every column, for the
    // omission analyses and for 云杉分析's dan methods alike.
    void tableShowsRowsAndColumnsAtDefaultSize() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        for (int button : {1228, 1221, 1234}) {
            QTest::mouseClick(m_dialog->DlgItem<QPushButton>(button), Qt::LeftButton);
            QTableWidget* table = m_dialog->Table();
            const QRect viewport = table->viewport()->rect();
            int whole = 0;
            for (int r = 0; r < table->rowCount(); ++r)
                whole += viewport.contains(table->visualItemRect(table->item(r, 0))) ? 1 : 0;
            QVERIFY2(whole > 6 || whole == table->rowCount(), qPrintable(QString::number(whole)));
            const int last = table->columnCount() - 1;
            QVERIFY(viewport.contains(table->visualItemRect(table->item(0, last))));
            QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
        }
    }

    // The closed combos show each of their items whole; every list that drops down is as wide
    // as its longest item.
    void comboTextsAreNotClipped() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1221), Qt::LeftButton);
        for (int id : {CAnalysisDlg::kDrawsId, CAnalysisDlg::kSecondDrawsId,
                       CAnalysisDlg::kActionId, CAnalysisDlg::kItemId, CAnalysisDlg::kAnalysisId}) {
            auto* combo = m_dialog->DlgItem<QComboBox>(id);
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.frame = true;
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            QVERIFY(combo->count() > 0);
            for (int i = 0; i < combo->count(); ++i) {
                const int text = combo->fontMetrics().horizontalAdvance(combo->itemText(i));
                const int listed =
                    combo->view()->fontMetrics().horizontalAdvance(combo->itemText(i));
                QVERIFY2(combo->view()->minimumWidth() > listed, qPrintable(combo->itemText(i)));
                if (id != CAnalysisDlg::kItemId) // items such as "一位个位 0" need the tooltip
                    QVERIFY2(field.width() >= text, qPrintable(combo->itemText(i)));
            }
        }
    }

    // Another analysis starts at its first row, wherever the last one was scrolled to.
    void anotherAnalysisScrollsToTheTop() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1228), Qt::LeftButton);
        QScrollBar* bar = m_dialog->Table()->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        bar->setValue(bar->maximum());
        auto* analysis = m_dialog->DlgItem<QComboBox>(CAnalysisDlg::kAnalysisId);
        analysis->setCurrentIndex(2);
        emit analysis->activated(2);
        QCOMPARE(m_dialog->Current().kind, tarvex::kAnalysisKinds[2]);
        QCOMPARE(bar->value(), 0);
    }

    // The history row shows the draw count whole, however many draws there are.
    void drawCountIsShownWhole() {
        QSpinBox* last = m_dialog->HistoryBar()->LastDraws();
        last->setValue(last->maximum());
        auto* edit = last->findChild<QLineEdit*>();
        QVERIFY(edit);
        QVERIFY2(edit->width() > edit->fontMetrics().horizontalAdvance(edit->text()),
                 qPrintable(QStringLiteral("%1 px for %2").arg(edit->width()).arg(edit->text())));
        // Narrower than its size hint, the box cuts its widest value at some font.
        QVERIFY(last->width() >= last->sizeHint().width());
        QVERIFY(m_dialog->rect().contains(m_dialog->HistoryBar()->geometry()));
    }

    // Every chart label lies inside the chart, clear of its neighbours, at a regular stride;
    // each bar is labelled when the chart is wide enough. Each bar has a tooltip naming it
    // with its figures.
    void chartLabelsFitAndBarsHaveTips_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("wider");
        for (int button : {1227, 1228, 1221, 1222}) {
            for (int wider : {0, 1200}) {
                QTest::newRow(qPrintable(QStringLiteral("%1 +%2").arg(button).arg(wider)))
                    << button << wider;
            }
        }
    }

    void chartLabelsFitAndBarsHaveTips() {
        QFETCH(int, button);
        QFETCH(int, wider);
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        m_dialog->resize(m_dialog->size() + QSize(wider, 0));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(button), Qt::LeftButton);
        const COmissionChart* chart = m_dialog->Chart();
        const QVector<COmissionChart::Bar>& bars = chart->Bars();
        const QVector<COmissionChart::Label> labels = chart->Labels();
        QVERIFY(!labels.isEmpty());
        QCOMPARE(labels.front().bar, 0);
        const int stride = labels.size() > 1 ? labels[1].bar - labels[0].bar : 1;
        int widest = 0;
        for (qsizetype i = 0; i < labels.size(); ++i) {
            const QRect rect = labels[i].rect;
            QVERIFY(chart->rect().contains(rect));
            QVERIFY(rect.width() >
                    chart->fontMetrics().horizontalAdvance(bars[labels[i].bar].label));
            widest = std::max(widest, rect.width());
            if (i > 0) {
                QCOMPARE(labels[i].bar - labels[i - 1].bar, stride);
                QVERIFY(labels[i - 1].rect.right() < rect.left());
            }
        }
        QVERIFY(bars.size() - 1 - labels.back().bar < stride); // none left off at the end
        if ((widest + 8) * bars.size() < chart->width() - 8)
            QCOMPARE(labels.size(), bars.size());
        QCOMPARE(chart->BarAt(QPoint(3, chart->height() / 2)), 0);
        for (int i : {0, int(bars.size()) / 2, int(bars.size()) - 1}) {
            const QString tip = chart->BarTip(i);
            QVERIFY(tip.startsWith(bars[i].label + QStringLiteral("：")));
            QVERIFY(tip.contains(QStringLiteral("当前遗漏 %1").arg(bars[i].current)));
            QVERIFY(tip.contains(QStringLiteral("理论遗漏")));
        }
        // Hovering the last bar shows its tip.
        const QPoint at(chart->width() - 4, chart->height() / 2);
        QCOMPARE(chart->BarAt(at), int(bars.size()) - 1);
        QHelpEvent help(QEvent::ToolTip, at, chart->mapToGlobal(at));
        QApplication::sendEvent(const_cast<COmissionChart*>(chart), &help);
        QTRY_COMPARE(QToolTip::text(), chart->BarTip(int(bars.size()) - 1));
    }

    // Set TARVEX_ANALYSIS_SHOT to a file name to get a picture of the window.
    void picture() {
        m_dialog->LoadHistory(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
        QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1227), Qt::LeftButton);
        const QImage image = m_dialog->grab().toImage();
        QCOMPARE(image.size(), m_dialog->size());
        const QString shot = qEnvironmentVariable("TARVEX_ANALYSIS_SHOT");
        if (!shot.isEmpty()) {
            QVERIFY(image.save(shot));
            // And grown, as a player who maximises it sees it.
            m_dialog->resize(1200, 900);
            QTest::mouseClick(m_dialog->DlgItem<QPushButton>(1228), Qt::LeftButton);
            QVERIFY(m_dialog->grab().save(shot + QStringLiteral(".large.png")));
        }
    }
};

QTEST_MAIN(TestAnalysisDlg)
#include "tst_analysisdlg.moc"
