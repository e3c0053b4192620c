// What the window shows beside a result must describe that result: a tolerance text of an
// earlier run, a preview of other boxes or a result box left greyed by 号码分析 do not.
#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "TestFiles.h"
#include "app/main/CLivePreview.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "app/shared/CApp.h"
#include "app/shared/CBackgroundRun.h"
#include "history/ItemCondition.h"
#include "history/ItemConditionApply.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRegularExpression>
#include <QTextEdit>
#include <QtTest>

class TestResultsCurrent : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dir = std::make_unique<CWorkFolder>();
        QVERIFY(m_dir->isValid());
        m_dlg = std::make_unique<CMainDialog>();
        m_dlg->show();
        QVERIFY(WaitForPreview());
    }
    void cleanup() {
        m_dlg.reset();
        m_dir.reset();
        m_fake.reset();
    }

    // A new 杀组合 clears "容错N注": it counted what the previous kill run killed.
    void killRunClearsTheToleranceText() {
        Tick(MainIds::kSumTail[0]);
        m_dlg->OnKillRun();
        m_dlg->OnTolerance();
        QVERIFY(Label(1185).startsWith(QStringLiteral("容错")));
        Tick(MainIds::kSpan[1]);
        m_dlg->OnKillRun();
        QCOMPARE(Label(1185), QString());
    }

    // Changing a box after 杀组合 marks the result as the last run's until the boxes say the
    // same again or 杀组合 runs anew.
    void changedConditionsAreMarked() {
        QVERIFY(m_dlg->StaleText()->isHidden());
        Tick(MainIds::kSumTail[0]);
        QVERIFY(WaitForPreview());
        QVERIFY(m_dlg->StaleText()->isHidden()); // no 杀组合 yet: nothing to be stale
        m_dlg->OnKillRun();
        QVERIFY(WaitForPreview());
        QVERIFY(m_dlg->StaleText()->isHidden());
        Tick(MainIds::kSpan[0]);
        QVERIFY(WaitForPreview());
        QVERIFY(!m_dlg->StaleText()->isHidden());
        QVERIFY(m_dlg->StaleText()->text().contains(QStringLiteral("上次杀组合")));
        QVERIFY(m_dlg->StaleText()->heightForWidth(m_dlg->StaleText()->width()) <=
                m_dlg->StaleText()->height()); // shown whole
        Tick(MainIds::kSpan[0]);
        QVERIFY(WaitForPreview());
        QVERIFY(m_dlg->StaleText()->isHidden());
        // The numbers per line and the tolerance level make no other kill run.
        m_dlg->DlgItem<QComboBox>(1182)->setCurrentIndex(4);
        m_dlg->DlgItem<QComboBox>(1183)->setCurrentIndex(3);
        QVERIFY(WaitForPreview());
        QVERIFY(m_dlg->StaleText()->isHidden());
        Tick(MainIds::kSpan[0]);
        QVERIFY(WaitForPreview());
        QVERIFY(!m_dlg->StaleText()->isHidden());
        m_dlg->OnKillRun();
        QVERIFY(WaitForPreview());
        QVERIFY(m_dlg->StaleText()->isHidden());
    }

    // A count that falls due while 杀组合 or 容错 runs waits for the run: the run's worker is
    // replacing the killed numbers the count reads (ThreadSanitizer names the race otherwise).
    // With no pause, a changed box makes the count fall due inside the run's event loop.
    void aCountDueDuringARunWaitsForIt() {
        Tick(MainIds::kSumTail[0]);
        m_dlg->OnKillRun();
        QVERIFY(WaitForPreview());
        m_dlg->Preview()->SetDelay(0);
        int started = 0;
        int duringRun = 0;
        connect(m_dlg->Preview(), &CLivePreview::Started, this, [&] {
            ++started;
            duringRun += CBackgroundRun::Running() ? 1 : 0;
        });
        for (int i = 0; i < 6; ++i) {
            Tick(MainIds::kSpan[i]);
            if (i % 2 == 0)
                m_dlg->OnKillRun();
            else
                m_dlg->OnTolerance();
            QVERIFY(WaitForPreview());
        }
        QVERIFY(started >= 6);
        QCOMPARE(duringRun, 0);
    }

    // The hover preview of 容错 counts what 容错 does with the boxes as they are now, at
    // every level tried.
    void tolerancePreviewFollowsTheBoxes() {
        Tick(MainIds::kSumTail[0]);
        Tick(MainIds::kSpan[2]);
        for (const int level : {1, 2, 3}) {
            m_dlg->OnKillRun();
            Tick(MainIds::kSpan[3]);
            Tick(MainIds::kSumTail[5]);
            m_dlg->DlgItem<QComboBox>(1183)->setCurrentIndex(level - 1);
            QVERIFY(WaitForPreview());
            const QString tip = m_dlg->GetDlgItem(1175)->toolTip();
            const QRegularExpression count(QStringLiteral("%1级 (\\d+)注").arg(level));
            const QRegularExpressionMatch match = count.match(tip);
            QVERIFY2(match.hasMatch(), qPrintable(tip));
            m_dlg->OnTolerance();
            QCOMPARE(Label(1185), QStringLiteral("容错%1注").arg(match.captured(1)));
            Tick(MainIds::kSpan[3]);
            Tick(MainIds::kSumTail[5]);
        }
    }

    // 杀/胆 from 号码分析, 应用到下期 and 载入方案 leave the result box as a hand change of the
    // same boxes does: usable after a 杀组合.
    void applyingConditionsKeepsTheResultBoxUsable() {
        m_dlg->OnKillRun();
        QTextEdit* box = m_dlg->DlgItem<QTextEdit>(1042);
        QVERIFY(box->isEnabled());
        QVERIFY(m_dlg->ApplyAnalysisCondition({tarvex::ItemKind::SumTail, 4, -1},
                                              tarvex::ItemAction::Kill));
        QVERIFY(m_dlg->DlgItem<QAbstractButton>(MainIds::kSumTail[4])->isChecked());
        QVERIFY(box->isEnabled());
        QVERIFY(m_dlg->ApplyAnalysisCondition({tarvex::ItemKind::DigitAnywhere, 7, -1},
                                              tarvex::ItemAction::Dan));
        QVERIFY(box->isEnabled());
        m_dlg->ApplyRulesToNext({tarvex::Rule{tarvex::RuleTarget::Span, "跨1"}}, {6});
        QVERIFY(m_dlg->DlgItem<QAbstractButton>(MainIds::kSpan[6])->isChecked());
        QVERIFY(box->isEnabled());
        const QString scheme = QDir::current().absoluteFilePath(QStringLiteral("s.json"));
        QFile file(scheme);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(R"({"format": "tarvex-scheme", "version": 1,
                       "sumTail": [true, false, false, false, false, false, false, false, false, false]})");
        file.close();
        QVERIFY(m_dlg->LoadScheme(scheme));
        QVERIFY(box->isEnabled());
        // 大底 switched on and off by a scheme enables and disables as its box does.
        file.open(QIODevice::WriteOnly);
        file.write(R"({"format": "tarvex-scheme", "version": 1, "baseSet": true})");
        file.close();
        QVERIFY(m_dlg->LoadScheme(scheme));
        QVERIFY(box->isEnabled());
        QVERIFY(m_dlg->GetDlgItem(1037)->isEnabled());
        file.open(QIODevice::WriteOnly);
        file.write(R"({"format": "tarvex-scheme", "version": 1})");
        file.close();
        QVERIFY(m_dlg->LoadScheme(scheme));
        QVERIFY(!m_dlg->GetDlgItem(1037)->isEnabled());
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    // Before any 杀组合 the result box stays as it starts, also after an applied condition.
    void applyingBeforeAnyRunLeavesTheStartState() {
        QVERIFY(!m_dlg->GetDlgItem(1042)->isEnabled());
        QVERIFY(m_dlg->ApplyAnalysisCondition({tarvex::ItemKind::SumTail, 4, -1},
                                              tarvex::ItemAction::Kill));
        QVERIFY(!m_dlg->GetDlgItem(1042)->isEnabled());
    }

    // The live count's stop message is shown whole, not cut to "不能杀：你选择了…".
    void stopMessageIsShownWhole() {
        Tick(1155); // 出2胆 with no dan ticked
        QVERIFY(WaitForPreview());
        QLabel* label = m_dlg->PreviewText();
        const QString message = QStringLiteral("你选择了出2胆，胆的数目不能小于2个");
        QVERIFY2(label->text().contains(message), qPrintable(label->text()));
        QVERIFY(label->wordWrap());
        // Its lines fit in the label.
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
    }

    // Every validation stop is shown whole in the label's lines, the longest too.
    void everyStopMessageFitsWhole_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::newRow("出2胆") << QList<int>{MainIds::kDanCount2};
        QTest::newRow("出3胆") << QList<int>{MainIds::kDanCount3};
        QTest::newRow("大小") << QList<int>{MainIds::kBigSmallClear};
        QTest::newRow("奇偶") << QList<int>{MainIds::kOddEvenClear};
        QTest::newRow("形态") << QList<int>{MainIds::kShapeAll};
        QTest::newRow("连号") << QList<int>(MainIds::kConsecutive.begin(),
                                            MainIds::kConsecutive.end());
        QTest::newRow("012路") << QList<int>{MainIds::kRouteAll};
    }

    void everyStopMessageFitsWhole() {
        QFETCH(QList<int>, clicks);
        for (int id : clicks)
            Tick(id);
        QVERIFY(WaitForPreview());
        const QString shot = qEnvironmentVariable("TARVEX_STOP_SHOT");
        if (!shot.isEmpty())
            QVERIFY(m_dlg->grab().save(shot + QString::fromUtf8(QTest::currentDataTag()) + ".png"));
        QLabel* label = m_dlg->PreviewText();
        // The label shows the message, its tooltip says the run cannot go.
        const QString message = label->text();
        QVERIFY(!message.isEmpty());
        QCOMPARE(label->toolTip(), CLivePreview::StopText(message));
        QVERIFY(label->wordWrap());
        QVERIFY2(
            label->heightForWidth(label->width()) <= label->height(),
            qPrintable(QStringLiteral("%1 in %2 pt").arg(message).arg(label->font().pointSizeF())));
    }

    // A picture nobody watches: a message goes to stderr instead of a box, the picture is
    // still made, and the status says a message came.
    void screenshotNeverWaitsForAClick() {
        QVERIFY(QDir().mkdir(QStringLiteral("tarvex.txt")));
        QFile scheme(QStringLiteral("s.json"));
        QVERIFY(scheme.open(QIODevice::WriteOnly));
        scheme.write(R"({"format": "tarvex-scheme", "version": 1})");
        scheme.close();
        m_dlg.reset();
        const int status = CApp::Screenshot(QStringLiteral("shot.png"), QStringLiteral("s.json"));
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(status, 1);
        QVERIFY(QFileInfo(QStringLiteral("shot.png")).size() > 0);
    }

private:
    bool WaitForPreview() {
        return QTest::qWaitFor([this] { return !m_dlg->Preview()->Busy(); }, 10000);
    }
    void Tick(int id) { m_dlg->DlgItem<QAbstractButton>(id)->click(); }
    QString Label(int id) { return m_dlg->DlgItem<QLabel>(id)->text(); }

    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_dir;
    std::unique_ptr<CMainDialog> m_dlg;
};

QTEST_MAIN(TestResultsCurrent)
#include "tst_results_current.moc"
