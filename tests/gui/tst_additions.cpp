// The window's additions beside the classic controls: the live count, the split and cost of
// the result, where the outputs went, the menu button and the output folder command.
#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "app/main/CLivePreview.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "framework/CDataExchange.h"
#include "framework/CSystemMenu.h"
#include "pages/CPage1.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

#include <functional>

namespace {

using Change = std::function<void(CMainDialog&)>;

int Span(int n) {
    const int d[3] = {n / 100, n / 10 % 10, n % 10};
    return *std::max_element(d, d + 3) - *std::min_element(d, d + 3);
}

int Distinct(int n) {
    const int h = n / 100, t = n / 10 % 10, u = n % 10;
    return 1 + (t != h) + (u != h && u != t);
}

void Tick(CMainDialog& w, int id) {
    w.DlgItem<QAbstractButton>(id)->click();
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestAdditions : public QObject {
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

    void previewCountsWhatTheRunWouldLeave_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("stop");
        int tail0 = 0, span0 = 0;
        for (int n = 0; n < 1000; ++n) {
            tail0 += (n / 100 + n / 10 % 10 + n % 10) % 10 != 0;
            span0 += Span(n) != 0;
        }
        QTest::newRow("和尾 0") << Change([](CMainDialog& w) { Tick(w, MainIds::kSumTail[0]); })
                                << tail0 << QString();
        QTest::newRow("跨度 0") << Change([](CMainDialog& w) { Tick(w, MainIds::kSpan[0]); })
                                << span0 << QString();
        QTest::newRow("豹子") << Change([](CMainDialog& w) { Tick(w, MainIds::kShape[0]); }) << 990
                              << QString();
        QTest::newRow("杀直选 page text") << Change([](CMainDialog& w) {
            w.m_page1->findChild<QPlainTextEdit*>()->setPlainText(QStringLiteral("123,456,789"));
        }) << 997 << QString();
        QTest::newRow("every 大小 pattern off") << Change([](CMainDialog& w) {
            for (int id : MainIds::kBigSmall)
                Tick(w, id);
        }) << -1 << QStringLiteral("所有的大小均被排除，结果将为空，请重新选择");
        QTest::newRow("和值范围 not an integer") << Change([](CMainDialog& w) {
            w.DlgItem<QLineEdit>(MainIds::kSumLow)->setText(QStringLiteral("abc"));
        }) << -1 << CDataExchange::IntegerMessage();
    }

    // The count follows each change, never writes an output, never opens a message box, and
    // a run pressed afterwards leaves exactly what it promised.
    void previewCountsWhatTheRunWouldLeave() {
        QFETCH(Change, change);
        QFETCH(int, expected);
        QFETCH(QString, stop);
        change(*m_dlg);
        QVERIFY(WaitForPreview());
        if (stop.isEmpty()) {
            QCOMPARE(m_dlg->PreviewText()->text(), QStringLiteral("预计剩下%1注").arg(expected));
        } else {
            QCOMPARE(m_dlg->PreviewText()->text(), stop);
            QCOMPARE(m_dlg->PreviewText()->toolTip(), CLivePreview::StopText(stop));
        }
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(m_dlg->DlgItem<QTextEdit>(MainIds::kResultBox)->toPlainText(), QString());
        QCOMPARE(m_dlg->DlgItem<QListWidget>(MainIds::kResultList)->count(), 0);
        QCOMPARE(m_dlg->DlgItem<QLabel>(MainIds::kCount)->text(), QString());
        QVERIFY(!QFile::exists(QStringLiteral("tarvex.txt")));
        if (stop.isEmpty()) {
            m_dlg->OnKillRun();
            QCOMPARE(m_dlg->DlgItem<QLabel>(MainIds::kCount)->text(),
                     QStringLiteral("杀完还剩下%1注").arg(expected));
        }
    }

    // Typing faster than the pause shows only the last answer.
    void onlyTheLastChangeIsShown() {
        for (int id : MainIds::kSumTail)
            Tick(*m_dlg, id);
        Tick(*m_dlg, MainIds::kSumTail[9]);
        QVERIFY(WaitForPreview());
        QCOMPARE(m_dlg->PreviewText()->text(), QStringLiteral("预计剩下100注"));
    }

    void splitAndCostFollowEachRun() {
        Tick(*m_dlg, MainIds::kSpan[0]);
        Tick(*m_dlg, MainIds::kShape[1]);
        m_dlg->OnKillRun();
        int sixes = 0;
        for (int n = 0; n < 1000; ++n)
            sixes += Distinct(n) == 3;
        QCOMPARE(m_dlg->SplitText()->text(),
                 QStringLiteral("豹子0\n组三0\n组六%1\n%2元").arg(sixes).arg(2 * sixes));
        QVERIFY(m_dlg->SplitText()->toolTip().contains(QStringLiteral("共%1注").arg(sixes)));
        const QString written = QDir::toNativeSeparators(
            QDir(m_dir->path()).absoluteFilePath(QStringLiteral("tarvex.txt")));
        QVERIFY2(m_dlg->DlgItem<QLabel>(MainIds::kCount)->toolTip().contains(written),
                 qPrintable(m_dlg->DlgItem<QLabel>(MainIds::kCount)->toolTip()));

        // 转成组选 leaves one number per group: 120 groups of six different digits.
        m_dlg->DlgItem<QAbstractButton>(MainIds::kToGroup)->click();
        QCOMPARE(m_dlg->SplitText()->text(), QStringLiteral("豹子0\n组三0\n组六120\n240元"));
    }

    void toleranceNamesBothFiles() {
        Tick(*m_dlg, MainIds::kSumTail[0]);
        m_dlg->OnKillRun();
        m_dlg->OnTolerance();
        const QString tip = m_dlg->DlgItem<QLabel>(MainIds::kCount)->toolTip();
        QVERIFY2(tip.contains(QStringLiteral("排除号码原因.txt")), qPrintable(tip));
        // Level 1 re-admits every number killed for its one reason.
        QCOMPARE(m_dlg->SplitText()->text(), QStringLiteral("豹子10\n组三270\n组六720\n2000元"));
    }

    // The additions sit in free space: no visible classic control is covered.
    void additionsCoverNoClassicControl() {
        const QList<QWidget*> added{m_dlg->MenuButton(), m_dlg->SplitText(), m_dlg->PreviewText()};
        for (QWidget* addition : added) {
            QVERIFY(addition->isVisible());
            const QRect mine = addition->geometry();
            for (int id : m_dlg->ControlIds()) {
                QWidget* child = m_dlg->GetDlgItem(id);
                if (child->parentWidget() != m_dlg.get() || !child->isVisible() ||
                    child->inherits("QGroupBox"))
                    continue;
                QVERIFY2(!child->geometry().intersects(mine),
                         qPrintable(QStringLiteral("%1 covers %2")
                                        .arg(addition->objectName(), QString::number(id))));
            }
        }
    }

    void menuButtonOpensTheWindowMenu() {
        QMenu* menu = m_dlg->SystemMenu().Menu();
        QVERIFY(!menu->isVisible());
        m_dlg->MenuButton()->click();
        QTRY_VERIFY(menu->isVisible());
        menu->hide();
    }

    void outputFolderOpensTheCurrentFolder() {
        m_dlg->OnSysCommand(CMainDialog::kOutputFolderCommand);
        QCOMPARE(m_fake->shellOpened, QStringList{QDir::toNativeSeparators(QDir::currentPath())});
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        m_fake->shellOpenResult = 2;
        m_dlg->OnSysCommand(CMainDialog::kOutputFolderCommand);
        QCOMPARE(m_fake->MessageTexts().size(), 1);
        QVERIFY(m_fake->MessageTexts().first().contains(QStringLiteral("输出文件夹")));
    }

private:
    bool WaitForPreview() {
        return QTest::qWaitFor([this] { return !m_dlg->Preview()->Busy(); }, 10000);
    }

    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_dir;
    std::unique_ptr<CMainDialog> m_dlg;
};

QTEST_MAIN(TestAdditions)
#include "tst_additions.moc"
