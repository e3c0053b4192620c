// The windows beside the classic one, at their smallest and at a large size: every part they
// hold stays in sight, and their tables give each row little more than its text's height.
#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "app/main/CMainDialog.h"
#include "app/record/CRecordDlg.h"
#include "app/rules/CFormulaSearchDlg.h"
#include "app/sets/CSetRecordStrip.h"
#include "app/sets/CSetsDlg.h"
#include "app/shared/CHistoryBar.h"
#include "io/DrawHistory.h"
#include "io/PredictionLine.h"
#include "io/PredictionRecord.h"
#include "io/SchemeFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>
#include <QTimeZone>
#include <QtTest>

#include <memory>

namespace {

const QString kHistory = QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt");

// A row no higher than half again its text: the style's default is about twice.
bool Compact(const QTableView* table) {
    return table->model()->rowCount() > 0 &&
           table->rowHeight(0) <= QFontMetrics(table->font()).height() * 3 / 2;
}

// How many whole rows the table shows.
int RowsInSight(const QTableView* table) {
    return table->viewport()->height() / std::max(1, table->rowHeight(0));
}

// TARVEX_LAYOUT_SHOT names a folder for a picture of each window as tested, to look at.
void ShowAt(QWidget* window, QSize size) {
    window->show();
    window->resize(size);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    QCoreApplication::processEvents();
    const QString shots = qEnvironmentVariable("TARVEX_LAYOUT_SHOT");
    if (!shots.isEmpty())
        QVERIFY(window->grab().save(QStringLiteral("%1/%2-%3-%4.png")
                                        .arg(shots, QString::fromUtf8(QTest::currentTestFunction()),
                                             QString::fromUtf8(QTest::currentDataTag()))
                                        .arg(size.width())));
}

} // namespace

class TestWindowLayouts : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_folder = std::make_unique<CWorkFolder>();
        QVERIFY(m_folder->isValid());
    }
    void cleanup() {
        m_folder.reset();
        m_fake.reset();
    }

    // The red note beside the result box is shown whole in its place.
    void theChangedConditionsNoteFits() {
        CMainDialog window;
        window.show();
        QLabel* note = window.StaleText();
        QVERIFY(note->wordWrap());
        QVERIFY2(note->heightForWidth(note->width()) <= note->height(),
                 qPrintable(QStringLiteral("%1 px for %2")
                                .arg(note->height())
                                .arg(note->heightForWidth(note->width()))));
    }

    // 多方案 at its smallest and at a large size: the whole √/× strip of 100 draws, the
    // history row at its height, a member's name whole in 大底走势, and compact rows.
    void setsKeepsItsPartsInSight_data() {
        QTest::addColumn<bool>("smallest");
        QTest::newRow("smallest") << true;
        QTest::newRow("large") << false;
    }
    void setsKeepsItsPartsInSight() {
        QFETCH(bool, smallest);
        const QString scheme = m_folder->filePath(QStringLiteral("方案A.json"));
        QVERIFY(tarvex::SchemeFile::Save(scheme, tarvex::Settings{}).isEmpty());
        CSetsDlg sets([] { return std::string(); }, [](const std::string&) { return true; });
        QVERIFY(sets.AddMember(scheme));
        QVERIFY(sets.LoadHistory(kHistory));
        sets.RecordSubject()->setCurrentIndex(1);
        ShowAt(&sets, smallest ? QSize(1, 1) : QSize(1400, 1000));
        CSetRecordStrip* strip = sets.Strip();
        QCOMPARE(strip->Cells(), CSetsDlg::kDefaultDraws);
        QVERIFY2(strip->height() >= strip->heightForWidth(strip->width()),
                 qPrintable(QStringLiteral("%1 < %2")
                                .arg(strip->height())
                                .arg(strip->heightForWidth(strip->width()))));
        QVERIFY(sets.HistoryBar()->height() >= sets.HistoryBar()->minimumSizeHint().height());
        QComboBox* subject = sets.RecordSubject();
        QVERIFY2(
            subject->width() >= subject->sizeHint().width(),
            qPrintable(
                QStringLiteral("%1 < %2").arg(subject->width()).arg(subject->sizeHint().width())));
        QVERIFY(Compact(sets.Holders()));
        QVERIFY(RowsInSight(sets.Holders()) >= 3);
    }

    // 搜索公式 at its smallest shows several rows of its table, and compact ones.
    void formulaSearchShowsRowsAtItsSmallest() {
        const auto history = tarvex::DrawHistory::Load(kHistory).draws;
        CFormulaSearchDlg dialog(history, 300, tarvex::RuleTarget::Span, {});
        dialog.Terms()->setValue(1);
        dialog.Top()->setValue(8);
        QVERIFY(dialog.Search());
        ShowAt(&dialog, QSize(1, 1));
        if (!qEnvironmentVariableIsEmpty("TARVEX_LAYOUT_SHOT"))
            ShowAt(&dialog, QSize(1400, 900));
        QVERIFY(Compact(dialog.Table()));
        QVERIFY2(RowsInSight(dialog.Table()) >= 4,
                 qPrintable(QString::number(RowsInSight(dialog.Table()))));
        // The training and the check columns say which they are.
        QStringList headers;
        for (int c = 0; c < dialog.Table()->columnCount(); ++c)
            headers << dialog.Table()->horizontalHeaderItem(c)->text();
        QCOMPARE(headers.size(), QSet<QString>(headers.begin(), headers.end()).size());
    }

    // 预测记录's entries take a compact row each.
    void recordRowsAreCompact() {
        const QString path = m_folder->filePath(tarvex::PredictionRecord::FileName());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QDateTime at(QDate(2026, 4, 17), QTime(9, 0), QTimeZone(8 * 3600));
        for (int i = 0; i < 3; ++i)
            file.write(tarvex::PredictionLine::Write(tarvex::PredictionRecord::Make(
                at, "3D", "2026107", "2026106", tarvex::Settings{}, {123, 456})));
        file.close();
        CRecordDlg dialog(path, {});
        ShowAt(&dialog, QSize(1, 1));
        if (!qEnvironmentVariableIsEmpty("TARVEX_LAYOUT_SHOT"))
            ShowAt(&dialog, QSize(1200, 900));
        QVERIFY(Compact(dialog.Table()));
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_folder;
};

QTEST_MAIN(TestWindowLayouts)
#include "tst_window_layouts.moc"
