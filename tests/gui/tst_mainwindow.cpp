#include "CFakePlatform.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "framework/DialogUnits.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionGroupBox>
#include <QTableWidget>
#include <QtTest>

using IdList = QList<int>;

namespace {

template <std::size_t N> IdList Ids(const std::array<int, N>& ids) {
    return IdList(ids.begin(), ids.end());
}

IdList RouteIds() {
    IdList ids;
    for (int c = 0; c < 27; ++c)
        ids << MainIds::kRouteFirst + c;
    return ids;
}

} // namespace

// The main window's controls at start-up and the handlers that only change settings.
class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dialog = std::make_unique<CMainDialog>();
        m_dialog->show();
    }
    void cleanup() {
        m_dialog.reset();
        m_fake.reset();
    }

    void windowSize() {
        QCOMPARE(m_dialog->size(), DialogUnits(m_dialog->font()).Size(538, 382));
        QVERIFY2(
            qAbs(m_dialog->width() - 807) <= 30 && qAbs(m_dialog->height() - 573) <= 30,
            qPrintable(QStringLiteral("%1x%2").arg(m_dialog->width()).arg(m_dialog->height())));
        QCOMPARE(m_dialog->minimumSize(), m_dialog->maximumSize());
        QCOMPARE(m_dialog->windowTitle(), QStringLiteral("3D杀号程序-青石客户端专版"));
        QVERIFY(!m_dialog->windowIcon().isNull());
    }

    // No label reaches into a frame's caption ("列" above "012路特别排除").
    void labelsClearOfFrameCaptions() {
        int frames = 0;
        for (QGroupBox* frame : m_dialog->findChildren<QGroupBox*>()) {
            if (frame->title().isEmpty() || !frame->isVisible())
                continue;
            ++frames;
            QStyleOptionGroupBox option;
            option.initFrom(frame);
            option.text = frame->title();
            option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            const QRect caption =
                frame->style()
                    ->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame)
                    .translated(frame->pos());
            for (QLabel* label : m_dialog->findChildren<QLabel*>()) {
                if (label->parent() == frame->parent() && label->isVisible() &&
                    !label->text().isEmpty())
                    QVERIFY2(!label->geometry().intersects(caption),
                             qPrintable(label->text() + QStringLiteral(" / ") + frame->title()));
            }
        }
        QVERIFY(frames > 5);
    }

    void startupEnabled_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("enabled");
        for (int id : {MainIds::kExclude[0],
                       MainIds::kExclude[1],
                       MainIds::kExclude[2],
                       MainIds::kPositionalKill[0],
                       MainIds::kPositionalKill[1],
                       MainIds::kPositionalKill[2],
                       MainIds::kCompound[0],
                       MainIds::kCompound[1],
                       MainIds::kCompound[2],
                       MainIds::kSums,
                       MainIds::kChooseBase,
                       MainIds::kExport,
                       MainIds::kToGroup,
                       MainIds::kSumsAll,
                       MainIds::kMatchAdd,
                       MainIds::kMatchDelete,
                       MainIds::kPositionSizeAdd,
                       MainIds::kPositionSizeDelete,
                       MainIds::kToleranceRun,
                       MainIds::kResultBox,
                       MainIds::kMatchCount[1],
                       MainIds::kMatchCount[2],
                       MainIds::kMatchCount[3],
                       MainIds::kMatchCount[0],
                       MainIds::kMatchNumbers,
                       MainIds::kMatchList,
                       MainIds::kPositionSizeList,
                       MainIds::kToleranceLevel,
                       MainIds::kPositionSizeRelation,
                       MainIds::kPositionSizeRight,
                       MainIds::kPositionSizeLeft})
            QTest::addRow("%d disabled", id) << id << false;
        for (int id :
             {MainIds::kKillRun,           MainIds::kExit,          MainIds::kExcludeCompound,
              MainIds::kPositionalKillBox, MainIds::kCompoundInput, MainIds::kBaseSet,
              MainIds::kBaseIsGroup,       MainIds::kKillSums,      MainIds::kMatchFilter,
              MainIds::kPositionSize,      MainIds::kPerRow,        MainIds::kSumLow,
              MainIds::kSumHigh,           MainIds::kLastDraw,      MainIds::kCalcDan,
              MainIds::kDanMethod1,        MainIds::kDanMethod2,    MainIds::kDanMethod3,
              MainIds::kDanCount1,         MainIds::kDanCount2,     MainIds::kDanCount3,
              MainIds::kSumTailAll,        MainIds::kSumTailClear,  MainIds::kDanClear,
              MainIds::kRouteAll,          MainIds::kRouteClear,    MainIds::kShapeAll,
              MainIds::kShapeClear,        MainIds::kResultList,    MainIds::kSumTail[0],
              MainIds::kSpan[0],           MainIds::kDan[0],        MainIds::kAc[1]})
            QTest::addRow("%d enabled", id) << id << true;
    }
    void startupEnabled() {
        QFETCH(int, id);
        QWidget* control = m_dialog->GetDlgItem(id);
        QVERIFY(control);
        QTEST(control->isEnabled(), "enabled");
    }

    void startupChecks_data() {
        QTest::addColumn<IdList>("ids");
        QTest::addColumn<bool>("checked");
        QTest::newRow("大小排列") << Ids(MainIds::kBigSmall) << true;
        QTest::newRow("奇偶排列") << Ids(MainIds::kOddEven) << true;
        QTest::newRow("质合排列") << Ids(MainIds::kPrimeComposite) << true;
        QTest::newRow("AC值") << IdList{MainIds::kAc[1], MainIds::kAc[2], MainIds::kAc[3]} << true;
        QTest::newRow("first radios") << IdList{MainIds::kDanCount1, MainIds::kDanMethod1} << true;
        QTest::newRow("other radios") << IdList{MainIds::kDanCount2, MainIds::kDanCount3,
                                                MainIds::kDanMethod2, MainIds::kDanMethod3}
                                      << false;
        QTest::newRow("杀和尾") << Ids(MainIds::kSumTail) << false;
        QTest::newRow("杀跨度") << Ids(MainIds::kSpan) << false;
        QTest::newRow("选胆") << Ids(MainIds::kDan) << false;
        QTest::newRow("012路") << RouteIds() << false;
        QTest::newRow("特别排除") << Ids(MainIds::kShape) + Ids(MainIds::kConsecutive) << false;
        QTest::newRow("switches") << IdList{MainIds::kExcludeCompound, MainIds::kPositionalKillBox,
                                            MainIds::kCompoundInput,   MainIds::kBaseSet,
                                            MainIds::kBaseIsGroup,     MainIds::kKillSums,
                                            MainIds::kMatchFilter,     MainIds::kPositionSize}
                                  << false;
    }
    void startupChecks() {
        QFETCH(IdList, ids);
        QFETCH(bool, checked);
        for (int id : ids) {
            auto* box = m_dialog->DlgItem<QAbstractButton>(id);
            QVERIFY2(box, qPrintable(QString::number(id)));
            QVERIFY2(box->isChecked() == checked, qPrintable(QString::number(id)));
        }
    }

    void startupTexts_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("sums hint") << MainIds::kSums << "和值之间必须用空格格开";
        QTest::newRow("sum low") << MainIds::kSumLow << "0";
        QTest::newRow("sum high") << MainIds::kSumHigh << "27";
        QTest::newRow("hint") << MainIds::kHint << "大底和复式不能同时选择";
        QTest::newRow("last draw label") << MainIds::kLastDrawLabel << "输入上期开奖号";
        QTest::newRow("count") << MainIds::kCount << "";
        QTest::newRow("kill") << MainIds::kKillRun << "杀组合&K";
        QTest::newRow("exit") << MainIds::kExit << "退出&Q";
        QTest::newRow("tolerance") << MainIds::kToleranceRun << "容错";
        QTest::newRow("analysis") << MainIds::kAnalysis << "号码分析";
    }
    void startupTexts() {
        QFETCH(int, id);
        QFETCH(QString, text);
        QWidget* control = m_dialog->GetDlgItem(id);
        QString shown;
        if (auto* edit = qobject_cast<QLineEdit*>(control))
            shown = edit->text();
        else if (auto* label = qobject_cast<QLabel*>(control))
            shown = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            shown = button->text();
        QCOMPARE(shown, text);
    }

    void startupMembers() {
        QCOMPARE(m_dialog->m_nSumLow, 0);
        QCOMPARE(m_dialog->m_nSumHigh, 27);
        QCOMPARE(m_dialog->m_nDanCount, 1);
        QCOMPARE(m_dialog->m_nDanMethod, 1);
        QCOMPARE(m_dialog->m_nPerRow, 1);
        QCOMPARE(m_dialog->m_nLevel, 0);
        QCOMPARE(m_dialog->m_strSums, QStringLiteral("和值之间必须用空格格开"));
        QCOMPARE(m_dialog->m_bAc[1] + m_dialog->m_bAc[2] + m_dialog->m_bAc[3], 3);
        QCOMPARE(m_dialog->m_bBigSmall[7], 1);
        QCOMPARE(m_dialog->m_bRoute[26], 0);
    }

    void startupCombos_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("shown");
        QTest::newRow("per row") << MainIds::kPerRow << 20 << "1"
                                 << "20"
                                 << "2";
        QTest::newRow("level") << MainIds::kToleranceLevel << 17 << "1"
                               << "17"
                               << "1";
        QTest::newRow("left position") << MainIds::kPositionSizeLeft << 3 << "百"
                                       << "个"
                                       << "百";
        QTest::newRow("comparison") << MainIds::kPositionSizeRelation << 6 << "大于"
                                    << "不等于"
                                    << "大于";
        QTest::newRow("right position") << MainIds::kPositionSizeRight << 3 << "百"
                                        << "个"
                                        << "十";
    }
    void startupCombos() {
        QFETCH(int, id);
        auto* combo = m_dialog->DlgItem<QComboBox>(id);
        QVERIFY(combo && !combo->isEditable());
        QTEST(combo->count(), "count");
        QTEST(combo->itemText(0), "first");
        QTEST(combo->itemText(combo->count() - 1), "last");
        QTEST(combo->currentText(), "shown");
    }

    void listColumns_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QList<int>>("widths");
        QTest::newRow("match") << MainIds::kMatchList << QStringList{"号码", "出数"}
                               << QList<int>{70, 50};
        QTest::newRow("position size")
            << MainIds::kPositionSizeList << QStringList{"位数", "大小", "位数"}
            << QList<int>{50, 50, 50};
    }
    void listColumns() {
        QFETCH(int, id);
        QFETCH(QStringList, titles);
        QFETCH(QList<int>, widths);
        auto* table = m_dialog->DlgItem<QTableWidget>(id);
        QVERIFY(table);
        QCOMPARE(table->columnCount(), titles.size());
        for (int c = 0; c < titles.size(); ++c) {
            QCOMPARE(table->horizontalHeaderItem(c)->text(), titles[c]);
            QCOMPARE(table->horizontalHeaderItem(c)->textAlignment(), int(Qt::AlignCenter));
            QCOMPARE(table->columnWidth(c), widths[c]);
        }
    }

    void hiddenControls_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("zeroSize");
        QTest::newRow("analysis") << MainIds::kAnalysis << false;
        for (int id : {MainIds::kForumLink, MainIds::kListenLink, MainIds::k3dOmissionLink,
                       MainIds::kP3OmissionLink})
            QTest::addRow("link %d", id) << id << true;
    }
    void hiddenControls() {
        QFETCH(int, id);
        QFETCH(bool, zeroSize);
        QWidget* control = m_dialog->GetDlgItem(id);
        QVERIFY(control);
        QVERIFY(!control->isVisible());
        if (zeroSize)
            QCOMPARE(control->size(), QSize(0, 0));
    }

    void fillButtons_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<IdList>("boxes");
        QTest::addColumn<bool>("checked");
        QTest::newRow("杀和尾 全") << MainIds::kSumTailAll << Ids(MainIds::kSumTail) << true;
        QTest::newRow("杀和尾 清") << MainIds::kSumTailClear << Ids(MainIds::kSumTail) << false;
        QTest::newRow("杀跨度 全") << MainIds::kSpanAll << Ids(MainIds::kSpan) << true;
        QTest::newRow("杀跨度 清") << MainIds::kSpanClear << Ids(MainIds::kSpan) << false;
        QTest::newRow("选胆 清") << MainIds::kDanClear << Ids(MainIds::kDan) << false;
        QTest::newRow("大小 全") << MainIds::kBigSmallAll << Ids(MainIds::kBigSmall) << true;
        QTest::newRow("大小 清") << MainIds::kBigSmallClear << Ids(MainIds::kBigSmall) << false;
        QTest::newRow("奇偶 全") << MainIds::kOddEvenAll << Ids(MainIds::kOddEven) << true;
        QTest::newRow("奇偶 清") << MainIds::kOddEvenClear << Ids(MainIds::kOddEven) << false;
        QTest::newRow("质合 全") << MainIds::kPrimeCompositeAll << Ids(MainIds::kPrimeComposite)
                                 << true;
        QTest::newRow("质合 清") << MainIds::kPrimeCompositeClear << Ids(MainIds::kPrimeComposite)
                                 << false;
        QTest::newRow("特别排除 全")
            << MainIds::kShapeAll << Ids(MainIds::kShape) + Ids(MainIds::kConsecutive) << true;
        QTest::newRow("特别排除 清")
            << MainIds::kShapeClear << Ids(MainIds::kShape) + Ids(MainIds::kConsecutive) << false;
        QTest::newRow("012路 全") << MainIds::kRouteAll << RouteIds() << true;
        QTest::newRow("012路 清") << MainIds::kRouteClear << RouteIds() << false;
    }
    void fillButtons() {
        QFETCH(int, button);
        QFETCH(IdList, boxes);
        QFETCH(bool, checked);
        // Start from the opposite state, set partly by hand, so the button has work to do.
        for (int i = 0; i < boxes.size(); ++i)
            m_dialog->DlgItem<QAbstractButton>(boxes[i])->setChecked(i % 2 == 0 ? !checked
                                                                                : checked);
        m_dialog->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->setText(QStringLiteral("kept"));
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(button), Qt::LeftButton);
        for (int id : boxes)
            QVERIFY2(m_dialog->DlgItem<QAbstractButton>(id)->isChecked() == checked,
                     qPrintable(QString::number(id)));
        // The handler read the controls first: another control's text survives.
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->text(),
                 QStringLiteral("kept"));
        QVERIFY(m_fake->messages.isEmpty());
    }

    void fillButtonStopsOnBadInteger() {
        m_dialog->DlgItem<QLineEdit>(MainIds::kSumLow)->setText(QStringLiteral("x"));
        m_dialog->DlgItem<QAbstractButton>(MainIds::kShape[0])->setChecked(true);
        m_dialog->DlgItem<QAbstractButton>(MainIds::kSumTailAll)->click();
        QCOMPARE(m_fake->MessageTexts(), QStringList{"请输入一个整数。"});
        QVERIFY(!m_dialog->DlgItem<QAbstractButton>(MainIds::kSumTail[0])->isChecked());
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(MainIds::kShape[0])->isChecked());
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(MainIds::kSumLow)->text(), QStringLiteral("x"));
    }

    void allSums() {
        m_dialog->DlgItem<QAbstractButton>(MainIds::kKillSums)->click();
        m_dialog->DlgItem<QAbstractButton>(MainIds::kSumsAll)->click();
        const QString all = QStringLiteral(
            "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 21 22 23 24 25 26 27");
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(MainIds::kSums)->text(), all);
        QCOMPARE(m_dialog->m_strSums, all);
    }

    void danRadios_data() {
        QTest::addColumn<int>("radio");
        QTest::addColumn<int>("count");
        QTest::newRow("出2胆") << MainIds::kDanCount2 << 2;
        QTest::newRow("出3胆") << MainIds::kDanCount3 << 3;
        QTest::newRow("出1胆") << MainIds::kDanCount1 << 1;
    }
    void danRadios() {
        QFETCH(int, radio);
        m_dialog->m_nDanCount = 0;
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(radio), Qt::LeftButton);
        QTEST(m_dialog->m_nDanCount, "count");
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(radio)->isChecked());
        // The method radios are a group of their own.
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(MainIds::kDanMethod1)->isChecked());
        int checkedDanRadios = 0;
        for (int id : {MainIds::kDanCount1, MainIds::kDanCount2, MainIds::kDanCount3})
            checkedDanRadios += m_dialog->DlgItem<QAbstractButton>(id)->isChecked();
        QCOMPARE(checkedDanRadios, 1);
    }

    void methodRadiosExclusive() {
        m_dialog->DlgItem<QAbstractButton>(MainIds::kDanMethod3)->click();
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(MainIds::kDanMethod3)->isChecked());
        QVERIFY(!m_dialog->DlgItem<QAbstractButton>(MainIds::kDanMethod1)->isChecked());
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(MainIds::kDanCount1)->isChecked());
    }

    void switchUndoneOnBadInteger_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<IdList>("controls");
        QTest::newRow("输入复式") << MainIds::kCompoundInput
                                  << IdList{MainIds::kCompound[0], MainIds::kCompound[1],
                                            MainIds::kCompound[2]};
        QTest::newRow("大底") << MainIds::kBaseSet
                              << IdList{MainIds::kChooseBase, MainIds::kResultBox};
        QTest::newRow("杀指定和值")
            << MainIds::kKillSums << IdList{MainIds::kSums, MainIds::kSumsAll};
        QTest::newRow("匹配过滤") << MainIds::kMatchFilter
                                  << IdList{MainIds::kMatchNumbers, MainIds::kMatchCount[1],
                                            MainIds::kMatchList, MainIds::kMatchAdd};
        QTest::newRow("位置大小匹配")
            << MainIds::kPositionSize
            << IdList{MainIds::kPositionSizeLeft, MainIds::kPositionSizeList,
                      MainIds::kPositionSizeAdd};
    }
    void switchUndoneOnBadInteger() {
        QFETCH(int, box);
        QFETCH(IdList, controls);
        m_dialog->DlgItem<QLineEdit>(MainIds::kSumHigh)->setText(QStringLiteral("2x"));
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(box), Qt::LeftButton);
        QCOMPARE(m_fake->MessageTexts(), QStringList{"请输入一个整数。"});
        QVERIFY(!m_dialog->DlgItem<QAbstractButton>(box)->isChecked());
        for (int id : controls)
            QVERIFY2(!m_dialog->GetDlgItem(id)->isEnabled(), qPrintable(QString::number(id)));
    }

    void baseSetAndCompoundStayExclusiveWithBadInteger() {
        m_dialog->DlgItem<QLineEdit>(MainIds::kSumLow)->setText(QStringLiteral("x"));
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(MainIds::kCompoundInput),
                          Qt::LeftButton);
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(MainIds::kBaseSet), Qt::LeftButton);
        QVERIFY(!(m_dialog->DlgItem<QAbstractButton>(MainIds::kCompoundInput)->isChecked() &&
                  m_dialog->DlgItem<QAbstractButton>(MainIds::kBaseSet)->isChecked()));
    }

    void baseSetAndCompoundExclude_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("大底 then 复式") << MainIds::kBaseSet << MainIds::kCompoundInput;
        QTest::newRow("复式 then 大底") << MainIds::kCompoundInput << MainIds::kBaseSet;
    }
    void baseSetAndCompoundExclude() {
        QFETCH(int, first);
        QFETCH(int, second);
        m_dialog->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->setText(QStringLiteral("typed"));
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(first), Qt::LeftButton);
        QVERIFY(m_fake->messages.isEmpty());
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(second), Qt::LeftButton);
        QCOMPARE(m_fake->MessageTexts(), QStringList{"大底和复式不能同时选择"});
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(first)->isChecked());
        QVERIFY(!m_dialog->DlgItem<QAbstractButton>(second)->isChecked());
        QCOMPARE(m_dialog->m_bBaseSet + m_dialog->m_bCompoundInput, 1);
        QCOMPARE(m_dialog->DlgItem<QLineEdit>(MainIds::kMatchNumbers)->text(),
                 QStringLiteral("typed"));
        // Once the first is cleared, the second may be chosen.
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(first), Qt::LeftButton);
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(second), Qt::LeftButton);
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_dialog->DlgItem<QAbstractButton>(second)->isChecked());
    }

    void switchesEnable_data() {
        QTest::addColumn<int>("box");
        QTest::addColumn<IdList>("controls");
        QTest::newRow("排除复式") << MainIds::kExcludeCompound
                                  << IdList{MainIds::kExclude[0], MainIds::kExclude[1],
                                            MainIds::kExclude[2]};
        QTest::newRow("定位杀") << MainIds::kPositionalKillBox
                                << IdList{MainIds::kPositionalKill[0], MainIds::kPositionalKill[1],
                                          MainIds::kPositionalKill[2]};
        QTest::newRow("输入复式") << MainIds::kCompoundInput
                                  << IdList{MainIds::kCompound[0], MainIds::kCompound[1],
                                            MainIds::kCompound[2]};
        QTest::newRow("大底") << MainIds::kBaseSet
                              << IdList{MainIds::kChooseBase, MainIds::kResultBox};
        QTest::newRow("杀指定和值")
            << MainIds::kKillSums << IdList{MainIds::kSums, MainIds::kSumsAll};
        QTest::newRow("匹配过滤") << MainIds::kMatchFilter
                                  << IdList{MainIds::kMatchCount[0], MainIds::kMatchCount[1],
                                            MainIds::kMatchCount[2], MainIds::kMatchCount[3],
                                            MainIds::kMatchList,     MainIds::kMatchAdd,
                                            MainIds::kMatchDelete,   MainIds::kMatchNumbers};
        QTest::newRow("位置大小匹配")
            << MainIds::kPositionSize
            << IdList{MainIds::kPositionSizeLeft,  MainIds::kPositionSizeRelation,
                      MainIds::kPositionSizeRight, MainIds::kPositionSizeList,
                      MainIds::kPositionSizeAdd,   MainIds::kPositionSizeDelete};
    }
    void switchesEnable() {
        QFETCH(int, box);
        QFETCH(IdList, controls);
        auto* button = m_dialog->DlgItem<QAbstractButton>(box);
        for (bool expected : {true, false, true}) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(button->isChecked(), expected);
            for (int id : controls)
                QVERIFY2(m_dialog->GetDlgItem(id)->isEnabled() == expected,
                         qPrintable(QString::number(id)));
        }
    }

    void killSumsKeepsTypedText() {
        auto* box = m_dialog->DlgItem<QAbstractButton>(MainIds::kKillSums);
        auto* edit = m_dialog->DlgItem<QLineEdit>(MainIds::kSums);
        box->click();
        QVERIFY(edit->isEnabled());
        QCOMPARE(edit->text(), QString());
        QCOMPARE(m_dialog->m_bKillSums, 1);
        edit->setText(QStringLiteral("3 4 5"));
        box->click();
        QVERIFY(!edit->isEnabled());
        QCOMPARE(m_dialog->m_strSums, QStringLiteral("3 4 5"));
        box->click();
        QCOMPARE(edit->text(), QStringLiteral("3 4 5"));
        QVERIFY(edit->isEnabled());
    }

    void integerValidation_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("low letters") << MainIds::kSumLow << "ab";
        QTest::newRow("low empty") << MainIds::kSumLow << "";
        QTest::newRow("high decimal") << MainIds::kSumHigh << "2.5";
        QTest::newRow("high trailing") << MainIds::kSumHigh << "27x";
    }
    void integerValidation() {
        QFETCH(int, id);
        QFETCH(QString, text);
        auto* edit = m_dialog->DlgItem<QLineEdit>(id);
        edit->setText(text);
        m_dialog->DlgItem<QAbstractButton>(MainIds::kSumTail[0])->setChecked(true);
        QVERIFY(!m_dialog->UpdateData(true));
        QCOMPARE(m_fake->MessageTexts(), QStringList{"请输入一个整数。"});
        QCOMPARE(m_dialog->focusWidget(), edit);
        // Members exchanged before the refused control keep their new values.
        QCOMPARE(m_dialog->m_bSumTail[0], 1);
    }

    void perRowRoundTrip() {
        m_dialog->DlgItem<QComboBox>(MainIds::kPerRow)->setCurrentIndex(4);
        m_fake->answers = {true};
        QTest::mouseClick(m_dialog->DlgItem<QAbstractButton>(MainIds::kExit), Qt::LeftButton);
        QCOMPARE(m_fake->profile.value(QStringLiteral("row/row")), QStringLiteral("4"));
        QVERIFY(!m_dialog->isVisible());
        QCOMPARE(m_dialog->result(), int(QDialog::Accepted));
        CMainDialog next;
        next.show();
        QCOMPARE(next.DlgItem<QComboBox>(MainIds::kPerRow)->currentText(), QStringLiteral("5"));
        QCOMPARE(next.m_nPerRow, 4);
    }

    void storedPerRow_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("negative") << "-5" << -1;
        QTest::newRow("too large") << "99" << -1;
        QTest::newRow("leading zeros") << "0000000004" << 4;
        QTest::newRow("huge") << "99999999999999999999" << -1;
        QTest::newRow("leading number") << "7x" << 7;
        QTest::newRow("blanks") << " 3" << 3;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("last") << "19" << 19;
    }
    void storedPerRow() {
        QFETCH(QString, stored);
        m_fake->profile.insert(QStringLiteral("row/row"), stored);
        CMainDialog dialog;
        dialog.show();
        QTEST(dialog.DlgItem<QComboBox>(MainIds::kPerRow)->currentIndex(), "index");
        QTEST(dialog.m_nPerRow, "index");
    }

    void leaving_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("text");
        for (bool answer : {true, false}) {
            const char* word = answer ? "yes" : "no";
            QTest::addRow("exit button %s", word) << "button" << answer << "祝您好运!";
            QTest::addRow("close box %s", word) << "close" << answer << "祝您好运！";
            QTest::addRow("escape %s", word) << "escape" << answer << "祝您好运！";
        }
    }
    void leaving() {
        QFETCH(QString, how);
        QFETCH(bool, answer);
        QFETCH(QString, text);
        m_dialog->DlgItem<QComboBox>(MainIds::kPerRow)->setCurrentIndex(9);
        m_fake->answers = {answer};
        if (how == QLatin1String("button"))
            m_dialog->DlgItem<QAbstractButton>(MainIds::kExit)->click();
        else if (how == QLatin1String("close"))
            m_dialog->close();
        else
            QTest::keyClick(m_dialog.get(), Qt::Key_Escape);
        QCOMPARE(m_fake->questions.size(), 1);
        QCOMPARE(m_fake->questions[0].text, text);
        QCOMPARE(m_fake->questions[0].caption, QStringLiteral("杀完号了吗?"));
        QCOMPARE(m_dialog->isVisible(), !answer);
        QCOMPARE(m_fake->profile.value(QStringLiteral("row/row")),
                 answer ? QStringLiteral("9") : QString());
    }

    void leavingWithBadIntegerStays() {
        m_dialog->DlgItem<QLineEdit>(MainIds::kSumHigh)->setText(QStringLiteral("x"));
        m_fake->answers = {true};
        m_dialog->close();
        QCOMPARE(m_fake->MessageTexts(), QStringList{"请输入一个整数。"});
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_fake->profile.isEmpty());
    }

    void enterDoesNotClose_data() {
        QTest::addColumn<int>("focus");
        QTest::newRow("exit button") << MainIds::kExit;
        QTest::newRow("kill button") << MainIds::kKillRun;
        QTest::newRow("sum edit") << MainIds::kSumLow;
        QTest::newRow("check box") << MainIds::kExcludeCompound;
    }
    void enterDoesNotClose() {
        QFETCH(int, focus);
        QWidget* control = m_dialog->GetDlgItem(focus);
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Return);
        QTest::keyClick(control, Qt::Key_Enter);
        QTest::keyClick(m_dialog.get(), Qt::Key_Return);
        QVERIFY(m_dialog->isVisible());
        QVERIFY(m_fake->questions.isEmpty());
        for (auto* button : m_dialog->findChildren<QPushButton*>())
            QVERIFY(!button->isDefault() && !button->autoDefault());
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CMainDialog> m_dialog;
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
