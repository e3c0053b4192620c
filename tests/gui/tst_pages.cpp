#include "CFakePlatform.h"
#include "engine/Settings.h"
#include "framework/DialogUnits.h"
#include "pages/CPage1.h"
#include "pages/CPage2.h"
#include "pages/CPage3.h"
#include "pages/CPage4.h"
#include "pages/CPage5.h"
#include "pages/CPage7.h"
#include "pages/CPage8.h"
#include "pages/ConditionSheet.h"
#include "pages/Cpage6.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableWidget>
#include <QtTest>

namespace {

QPlainTextEdit* TextEdit(CPropertyPage* page) {
    return page->DlgItem<QPlainTextEdit>(CTextPage::kTextId);
}

void Click(CControlHost* host, int id) {
    auto* button = host->DlgItem<QAbstractButton>(id);
    QVERIFY(button);
    button->click();
}

QStringList Cells(const QStringList& row) {
    return row;
}

} // namespace

class TestPages : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_sheet = std::make_unique<ConditionSheet>();
        m_page1 = new CPage1;
        m_page2 = new CPage2;
        m_page3 = new CPage3;
        m_page4 = new CPage4;
        m_page5 = new CPage5;
        m_page6 = new Cpage6;
        m_page7 = new CPage7;
        m_page8 = new CPage8;
        for (CPropertyPage* page :
             {static_cast<CPropertyPage*>(m_page1), static_cast<CPropertyPage*>(m_page2),
              static_cast<CPropertyPage*>(m_page3), static_cast<CPropertyPage*>(m_page4),
              static_cast<CPropertyPage*>(m_page5), static_cast<CPropertyPage*>(m_page6),
              static_cast<CPropertyPage*>(m_page7), static_cast<CPropertyPage*>(m_page8)})
            m_sheet->AddPage(page);
        m_sheet->show();
    }
    void cleanup() {
        m_sheet.reset();
        m_fake.reset();
    }

    void tabsInOrderWithRuntimeClassNames() {
        const QStringList captions{"杀直选",  "垃圾复式", "杀2码", "定位杀2码",
                                   "必出2码", "交集",     "公式",  "其他"};
        const QStringList classes{"CPage1", "CPage2", "CPage3", "CPage4",
                                  "CPage5", "Cpage6", "CPage7", "CPage8"};
        QCOMPARE(m_sheet->PageCount(), 8);
        for (int i = 0; i < 8; ++i) {
            QCOMPARE(m_sheet->tabText(i), captions[i]);
            QCOMPARE(QString::fromLatin1(m_sheet->Page(i)->metaObject()->className()), classes[i]);
        }
        QCOMPARE(m_sheet->ActivePage(), m_page1);
    }

    void pagesAreTheirTemplateSize() {
        const DialogUnits units(DialogUnits::DialogFont());
        const QSize expected = units.Size(279, 70);
        for (int i = 0; i < m_sheet->PageCount(); ++i)
            QCOMPARE(m_sheet->Page(i)->size(), expected);
        QVERIFY(m_sheet->sizeHint().width() >= expected.width());
        QVERIFY(m_sheet->sizeHint().height() > expected.height());
    }

    void textPagesStartWithTheirPlaceholders_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::newRow("杀直选") << 0 << QString::fromUtf8(tarvex::kPlaceholderDirect);
        QTest::newRow("垃圾复式") << 1 << QString::fromUtf8(tarvex::kPlaceholderJunk);
        QTest::newRow("杀2码") << 2 << QString::fromUtf8(tarvex::kPlaceholderKill2);
        QTest::newRow("定位杀2码") << 3 << QString::fromUtf8(tarvex::kPlaceholderPositionalKill2);
        QTest::newRow("必出2码") << 4 << QString::fromUtf8(tarvex::kPlaceholderMustHave2);
        QTest::newRow("交集") << 5 << QString();
    }
    void textPagesStartWithTheirPlaceholders() {
        QFETCH(int, index);
        QFETCH(QString, text);
        auto* page = qobject_cast<CTextPage*>(m_sheet->Page(index));
        QVERIFY(page);
        QCOMPARE(page->m_strText, text);
        QVERIFY(m_sheet->SetActivePage(index));
        // The placeholder is ordinary text: shown as it is, enabled, not a Qt placeholder.
        QPlainTextEdit* edit = TextEdit(page);
        QCOMPARE(edit->toPlainText(), text);
        QVERIFY(edit->isEnabled());
        QVERIFY(edit->placeholderText().isEmpty());
        edit->setFocus();
        QCOMPARE(edit->toPlainText(), text);
    }

    void leavingStoresShowingLoads() {
        QPlainTextEdit* edit = TextEdit(m_page1);
        edit->setPlainText(QStringLiteral("123,456"));
        QCOMPARE(m_page1->m_strText, QString::fromUtf8(tarvex::kPlaceholderDirect));
        QVERIFY(m_sheet->SetActivePage(2));
        QCOMPARE(m_page1->m_strText, QStringLiteral("123,456"));
        // Changed while hidden: the control is reloaded from the member when shown again.
        m_page1->m_strText = QStringLiteral("789");
        QVERIFY(m_sheet->SetActivePage(0));
        QCOMPARE(edit->toPlainText(), QStringLiteral("789"));
    }

    void positionalSwitchSetsThePlaceholderOfTheNewState() {
        QVERIFY(m_sheet->SetActivePage(4));
        TextEdit(m_page5)->setPlainText(QStringLiteral("11,12,21"));
        Click(m_page5, CPage5::kPositionalId);
        QCOMPARE(m_page5->m_bPositional, 1);
        QCOMPARE(m_page5->m_strText, QString::fromUtf8(tarvex::kPlaceholderMustHave2Positional));
        QCOMPARE(TextEdit(m_page5)->toPlainText(), m_page5->m_strText);
        TextEdit(m_page5)->setPlainText(QStringLiteral("11*,1*2"));
        Click(m_page5, CPage5::kPositionalId);
        QCOMPARE(m_page5->m_bPositional, 0);
        QCOMPARE(m_page5->m_strText, QString::fromUtf8(tarvex::kPlaceholderMustHave2));
        QCOMPARE(TextEdit(m_page5)->toPlainText(), m_page5->m_strText);
    }

    void allAndNoneOnTheOtherPage_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("expected");
        QTest::newRow("全") << CPage8::kAllId << 1;
        QTest::newRow("清") << CPage8::kNoneId << 0;
    }
    void allAndNoneOnTheOtherPage() {
        QFETCH(int, button);
        QFETCH(int, expected);
        QVERIFY(m_sheet->SetActivePage(7));
        // Start from a mixed state set through the boxes, so the store-first matters.
        for (int id : CPage8::kGroupIds)
            m_page8->DlgItem<QCheckBox>(id)->setChecked(id % 2 == 0);
        Click(m_page8, button);
        for (int* flag : m_page8->Groups())
            QCOMPARE(*flag, expected);
        for (int id : CPage8::kGroupIds)
            QCOMPARE(m_page8->DlgItem<QCheckBox>(id)->isChecked(), expected == 1);
    }

    void otherPageExchangesEachBoxWithItsGroup_data() {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("id");
        const char* names[10] = {"000", "001", "002", "011", "012",
                                 "022", "111", "112", "122", "222"};
        for (int g = 0; g < 10; ++g)
            QTest::newRow(names[g]) << g << CPage8::kGroupIds[g];
    }
    void otherPageExchangesEachBoxWithItsGroup() {
        QFETCH(int, group);
        QFETCH(int, id);
        QVERIFY(m_sheet->SetActivePage(7));
        auto* box = m_page8->DlgItem<QCheckBox>(id);
        QCOMPARE(
            box->text().toInt(),
            QStringLiteral("000 001 002 011 012 022 111 112 122 222").split(' ')[group].toInt());
        box->setChecked(false);
        QVERIFY(m_sheet->SetActivePage(0));
        for (int g = 0; g < 10; ++g)
            QCOMPARE(*m_page8->Groups()[g], g == group ? 0 : 1);
    }

    void formulaPageInitialisation() {
        QVERIFY(m_sheet->SetActivePage(6));
        for (int id : {1193, 1191, 1192, 1241, 1195, 1243, 1244, 1027, 1245})
            QVERIFY2(!m_page7->GetDlgItem(id)->isEnabled(), qPrintable(QString::number(id)));
        for (int id : {1194, 1154, 1155})
            QVERIFY(m_page7->GetDlgItem(id)->isEnabled());
        QCOMPARE(m_page7->DlgItem<QComboBox>(1193)->currentText(), QStringLiteral("百"));
        QCOMPARE(m_page7->DlgItem<QComboBox>(1191)->currentText(), QStringLiteral("加"));
        QCOMPARE(m_page7->DlgItem<QComboBox>(1192)->currentText(), QStringLiteral("十"));
        QCOMPARE(m_page7->DlgItem<QComboBox>(1195)->currentText(), QStringLiteral("等于"));
        QCOMPARE(m_page7->DlgItem<QComboBox>(1192)->count(), 12);
        QCOMPARE(m_page7->DlgItem<QComboBox>(1191)->itemText(4), QStringLiteral("取余"));
        QVERIFY(m_page7->DlgItem<QAbstractButton>(1154)->isChecked());
        QCOMPARE(m_page7->CombineMode, 1);
        auto* list = m_page7->DlgItem<QTableWidget>(1241);
        QCOMPARE(list->columnCount(), 5);
        for (int c = 0; c < 5; ++c) {
            QCOMPARE(list->horizontalHeaderItem(c)->text(), QStringLiteral("   "));
            QCOMPARE(list->columnWidth(c), 40);
        }
        QCOMPARE(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    // Every item of the four closed lists fits beside the arrow, at the classic widths.
    void formulaListsShowTheirWholeItems() {
        QVERIFY(m_sheet->SetActivePage(6));
        for (int id : {1193, 1191, 1192, 1195}) {
            auto* combo = m_page7->DlgItem<QComboBox>(id);
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = false;
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i)
                QVERIFY2(combo->fontMetrics().horizontalAdvance(combo->itemText(i)) <=
                             field.width(),
                         qPrintable(QStringLiteral("%1 %2 in %3 px")
                                        .arg(id)
                                        .arg(combo->itemText(i))
                                        .arg(field.width())));
        }
    }

    void formulaMatchSwitchesTheNineControls() {
        QVERIFY(m_sheet->SetActivePage(6));
        Click(m_page7, 1194);
        QCOMPARE(m_page7->m_bFormulaMatch, 1);
        for (int id : {1193, 1191, 1192, 1241, 1195, 1243, 1244, 1027, 1245})
            QVERIFY(m_page7->GetDlgItem(id)->isEnabled());
        Click(m_page7, 1194);
        QCOMPARE(m_page7->m_bFormulaMatch, 0);
        QVERIFY(!m_page7->GetDlgItem(1243)->isEnabled());
        QVERIFY(m_page7->GetDlgItem(1154)->isEnabled());
    }

    void formulaAddPutsTheNewRowOnTop() {
        EnableFormulas();
        Choose(1193, "十");
        Choose(1191, "乘");
        Choose(1192, "3");
        Choose(1195, "大于");
        TypeValue("12");
        Click(m_page7, 1243);
        Choose(1193, "和");
        TypeValue("9");
        Click(m_page7, 1243);
        const QList<QStringList> rows = m_page7->Rows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0], Cells({"和", "乘", "3", "大于", "9"}));
        QCOMPARE(rows[1], Cells({"十", "乘", "3", "大于", "12"}));
        QCOMPARE(m_page7->DlgItem<QTableWidget>(1241)->item(0, 0)->textAlignment() &
                     Qt::AlignHorizontal_Mask,
                 int(Qt::AlignHCenter));
    }

    void formulaAddWithAnEmptyValueAddsNothing() {
        EnableFormulas();
        TypeValue("");
        Click(m_page7, 1243);
        QCOMPARE(m_page7->Rows().size(), 0);
    }

    void formulaValueTakesDigitsOnly_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("digits") << "120"
                                << "120";
        QTest::newRow("letters dropped") << "1a2b"
                                         << "12";
        QTest::newRow("sign dropped") << "-3"
                                      << "3";
        QTest::newRow("full-width digits dropped") << "１2"
                                                   << "2";
        QTest::newRow("nothing left") << "abc"
                                      << "";
    }
    void formulaValueTakesDigitsOnly() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        EnableFormulas();
        auto* edit = m_page7->DlgItem<QLineEdit>(1027);
        edit->clear();
        // Typed one character at a time, as the keyboard would.
        for (QChar c : typed)
            edit->insert(QString(c));
        QCOMPARE(edit->text(), kept);
        // A paste goes through the same filter.
        edit->clear();
        QGuiApplication::clipboard()->setText(typed);
        edit->paste();
        QCOMPARE(edit->text(), kept);
    }

    void formulaDeleteRemovesOnlyTheTopmostSelectedRow() {
        EnableFormulas();
        for (const char* value : {"1", "2", "3", "4"}) {
            TypeValue(value);
            Click(m_page7, 1243);
        }
        // Rows now read 4, 3, 2, 1 from the top; select the rows holding 3, 2 and 1.
        auto* list = m_page7->DlgItem<QTableWidget>(1241);
        list->clearSelection();
        for (int r : {3, 1, 2})
            list->selectionModel()->select(list->model()->index(r, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        Click(m_page7, 1244);
        QStringList values;
        for (const QStringList& row : m_page7->Rows())
            values << row[4];
        QCOMPARE(values, QStringList({"4", "2", "1"}));
        list->clearSelection();
        Click(m_page7, 1244);
        QCOMPARE(m_page7->Rows().size(), 3);
        Click(m_page7, 1245);
        QCOMPARE(m_page7->Rows().size(), 0);
    }

    void orIsKeptAfterLeavingAndReentering() {
        QVERIFY(m_sheet->SetActivePage(6));
        Click(m_page7, 1155);
        QCOMPARE(m_page7->CombineMode, 0);
        QVERIFY(m_sheet->SetActivePage(0));
        QVERIFY(m_sheet->SetActivePage(6));
        QCOMPARE(m_page7->CombineMode, 0);
        QVERIFY(m_page7->DlgItem<QAbstractButton>(1155)->isChecked());
        Click(m_page7, 1154);
        QCOMPARE(m_page7->CombineMode, 1);
    }

    void formulaValueAndMatchAreStoredOnLeaving() {
        EnableFormulas();
        TypeValue("27");
        QVERIFY(m_sheet->SetActivePage(7));
        QCOMPARE(m_page7->m_strValue, QStringLiteral("27"));
        QCOMPARE(m_page7->m_bFormulaMatch, 1);
    }

private:
    void EnableFormulas() {
        QVERIFY(m_sheet->SetActivePage(6));
        if (!m_page7->m_bFormulaMatch)
            Click(m_page7, 1194);
        QVERIFY(m_page7->GetDlgItem(1243)->isEnabled());
    }
    void Choose(int id, const char* text) {
        auto* combo = m_page7->DlgItem<QComboBox>(id);
        const int index = combo->findText(QString::fromUtf8(text));
        QVERIFY(index >= 0);
        combo->setCurrentIndex(index);
    }
    void TypeValue(const char* text) {
        auto* edit = m_page7->DlgItem<QLineEdit>(1027);
        edit->clear();
        QTest::keyClicks(edit, QString::fromUtf8(text));
        QCOMPARE(edit->text(), QString::fromUtf8(text));
    }

    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<ConditionSheet> m_sheet;
    CPage1* m_page1 = nullptr;
    CPage2* m_page2 = nullptr;
    CPage3* m_page3 = nullptr;
    CPage4* m_page4 = nullptr;
    CPage5* m_page5 = nullptr;
    Cpage6* m_page6 = nullptr;
    CPage7* m_page7 = nullptr;
    CPage8* m_page8 = nullptr;
};

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
