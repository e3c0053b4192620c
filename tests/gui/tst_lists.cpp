#include "CMainWindowFixture.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QtTest>

namespace {

QStringList Row(const QTableWidget* list, int row) {
    QStringList cells;
    for (int c = 0; c < list->columnCount(); ++c)
        cells << list->item(row, c)->text();
    return cells;
}

void SelectRows(QTableWidget* list, const QList<int>& rows) {
    list->clearSelection();
    for (int r : rows) {
        list->selectionModel()->select(list->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
}

} // namespace

class TestLists : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void matchControlsFollowTheFilterBox() {
        const QList<int> ids{MainIds::kMatchCount[0], MainIds::kMatchCount[1],
                             MainIds::kMatchCount[2], MainIds::kMatchCount[3],
                             MainIds::kMatchList,     MainIds::kMatchAdd,
                             MainIds::kMatchDelete,   MainIds::kMatchNumbers};
        for (int id : ids)
            QVERIFY(!m_window->GetDlgItem(id)->isEnabled());
        Click(MainIds::kMatchFilter);
        for (int id : ids)
            QVERIFY2(m_window->GetDlgItem(id)->isEnabled(), qPrintable(QString::number(id)));
        Click(MainIds::kMatchFilter);
        for (int id : ids)
            QVERIFY(!m_window->GetDlgItem(id)->isEnabled());
    }

    void matchAddBuildsTheCounts_data() {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("boxes"); // bit k: the box of count k
        QTest::addColumn<QString>("counts");
        QTest::newRow("one box") << "0268" << 0b0100 << "2";
        QTest::newRow("ascending whatever the clicks") << "123" << 0b1010 << "13";
        QTest::newRow("all four") << "5" << 0b1111 << "0123";
        QTest::newRow("zero and three") << "1,2" << 0b1001 << "03";
        QTest::newRow("no box adds nothing") << "123" << 0 << "";
        QTest::newRow("no digits adds nothing") << "" << 0b0011 << "";
    }
    void matchAddBuildsTheCounts() {
        QFETCH(QString, digits);
        QFETCH(int, boxes);
        QFETCH(QString, counts);
        Click(MainIds::kMatchFilter);
        m_window->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->setText(digits);
        for (int k = 0; k < 4; ++k)
            m_window->DlgItem<QCheckBox>(MainIds::kMatchCount[k])->setChecked(boxes & (1 << k));
        Click(MainIds::kMatchAdd);
        auto* list = m_window->DlgItem<QTableWidget>(MainIds::kMatchList);
        if (counts.isEmpty()) {
            QCOMPARE(list->rowCount(), 0);
            return;
        }
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(Row(list, 0), QStringList({digits, counts}));
        // The edit and the boxes keep what they held.
        QCOMPARE(m_window->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->text(), digits);
        QVERIFY(m_window->DlgItem<QCheckBox>(MainIds::kMatchCount[counts[0].digitValue()])
                    ->isChecked());
    }

    void matchRowsGoOnTopAndDeleteTakesTheFirstSelected() {
        Click(MainIds::kMatchFilter);
        m_window->DlgItem<QCheckBox>(MainIds::kMatchCount[2])->setChecked(true);
        for (const char* digits : {"11", "22", "33", "44"}) {
            m_window->DlgItem<QLineEdit>(MainIds::kMatchNumbers)
                ->setText(QString::fromLatin1(digits));
            Click(MainIds::kMatchAdd);
        }
        auto* list = m_window->DlgItem<QTableWidget>(MainIds::kMatchList);
        QCOMPARE(Column(list, 0), QStringList({"44", "33", "22", "11"}));
        SelectRows(list, {3, 1});
        Click(MainIds::kMatchDelete);
        QCOMPARE(Column(list, 0), QStringList({"44", "22", "11"}));
        list->clearSelection();
        Click(MainIds::kMatchDelete);
        QCOMPARE(list->rowCount(), 3);
        // The run's copy: top row first.
        const tarvex::Settings settings = m_window->GatherSettings();
        QCOMPARE(settings.matches.size(), std::size_t(3));
        QCOMPARE(settings.matches[0], (tarvex::MatchRow{"44", "2"}));
        QCOMPARE(settings.matches[2], (tarvex::MatchRow{"11", "2"}));
    }

    void positionSizeControlsFollowTheirBox() {
        const QList<int> ids{MainIds::kPositionSizeLeft,  MainIds::kPositionSizeRelation,
                             MainIds::kPositionSizeRight, MainIds::kPositionSizeList,
                             MainIds::kPositionSizeAdd,   MainIds::kPositionSizeDelete};
        Click(MainIds::kPositionSize);
        for (int id : ids)
            QVERIFY(m_window->GetDlgItem(id)->isEnabled());
        Click(MainIds::kPositionSize);
        for (int id : ids)
            QVERIFY(!m_window->GetDlgItem(id)->isEnabled());
    }

    void positionSizeAddTakesTheSelectedTexts_data() {
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("comparison");
        QTest::addColumn<int>("right");
        QTest::addColumn<QStringList>("row");
        QTest::newRow("start selection") << 0 << 0 << 1 << QStringList{"百", "大于", "十"};
        QTest::newRow("十小于等于个") << 1 << 4 << 2 << QStringList{"十", "小于等于", "个"};
        QTest::newRow("same position") << 2 << 5 << 2 << QStringList{"个", "不等于", "个"};
    }
    void positionSizeAddTakesTheSelectedTexts() {
        QFETCH(int, left);
        QFETCH(int, comparison);
        QFETCH(int, right);
        QFETCH(QStringList, row);
        Click(MainIds::kPositionSize);
        m_window->DlgItem<QComboBox>(MainIds::kPositionSizeLeft)->setCurrentIndex(left);
        m_window->DlgItem<QComboBox>(MainIds::kPositionSizeRelation)->setCurrentIndex(comparison);
        m_window->DlgItem<QComboBox>(MainIds::kPositionSizeRight)->setCurrentIndex(right);
        Click(MainIds::kPositionSizeAdd);
        auto* list = m_window->DlgItem<QTableWidget>(MainIds::kPositionSizeList);
        QCOMPARE(list->rowCount(), 1);
        QCOMPARE(Row(list, 0), row);
    }

    void positionSizeRowsGoOnTopAndDeleteTakesTheFirstSelected() {
        Click(MainIds::kPositionSize);
        auto* comparison = m_window->DlgItem<QComboBox>(MainIds::kPositionSizeRelation);
        for (int c = 0; c < 4; ++c) {
            comparison->setCurrentIndex(c);
            Click(MainIds::kPositionSizeAdd);
        }
        auto* list = m_window->DlgItem<QTableWidget>(MainIds::kPositionSizeList);
        QCOMPARE(Column(list, 1), QStringList({"大于等于", "等于", "小于", "大于"}));
        SelectRows(list, {2, 3});
        Click(MainIds::kPositionSizeDelete);
        QCOMPARE(Column(list, 1), QStringList({"大于等于", "等于", "大于"}));
        const tarvex::Settings settings = m_window->GatherSettings();
        QCOMPARE(settings.positionSizes.front(), (tarvex::PositionSizeRow{"百", "大于等于", "十"}));
    }

    void applySettingsFillsTheListsTopFirst() {
        tarvex::Settings settings;
        settings.matchFilter = true;
        settings.matches = {{"0268", "12"}, {"5", "0"}};
        settings.positionSize = true;
        settings.positionSizes = {{"百", "大于", "十"}, {"十", "大于", "个"}};
        m_window->ApplySettings(settings);
        auto* matches = m_window->DlgItem<QTableWidget>(MainIds::kMatchList);
        QCOMPARE(Row(matches, 0), QStringList({"0268", "12"}));
        QCOMPARE(Row(matches, 1), QStringList({"5", "0"}));
        QVERIFY(m_window->GetDlgItem(MainIds::kMatchAdd)->isEnabled());
        QVERIFY(m_window->GetDlgItem(MainIds::kPositionSizeAdd)->isEnabled());
        QCOMPARE(m_window->GatherSettings(), settings);
    }

private:
    static QStringList Column(const QTableWidget* list, int column) {
        QStringList cells;
        for (int r = 0; r < list->rowCount(); ++r)
            cells << list->item(r, column)->text();
        return cells;
    }
};

QTEST_MAIN(TestLists)
#include "tst_lists.moc"
