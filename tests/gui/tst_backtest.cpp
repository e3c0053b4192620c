#include "CFakePlatform.h"
#include "ModalCloser.h"
#include "app/CBacktestDlg.h"
#include "app/CKillRateChart.h"
#include "app/CMainDialog.h"
#include "app/MainControlIds.h"
#include "framework/CSystemMenu.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QStringDecoder>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Sums 13, 7, 15, 6, 17, 10, 14: only 409's ends in 3; 980 has span 9.
const QByteArray kHistory = "期号,日期,号码\n"
                            "2026101,2026-04-11,409\n"
                            "2026102,2026-04-12,007\n"
                            "2026103,2026-04-13,555\n"
                            "2026104,2026-04-14,123\n"
                            "2026105,2026-04-15,980\n"
                            "2026106,2026-04-16,316\n"
                            "2026107,2026-04-17,248\n";

QPushButton* Button(const QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

// The 历史回测 window: choose a history, see the table and chart, export.
class TestBacktest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_settings = tarvex::Settings();
        m_settings.sumTail[3] = true;
        m_settings.span[9] = true;
    }
    void cleanup() { m_fake.reset(); }

    void table_data() {
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("level");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("tailRejects");
        QTest::addColumn<int>("spanRejects");
        QTest::newRow("all, level 1")
            << 30 << 1 << QStringList{"2026101|409|否|否|和尾 跨度", "2026102|007|是|是|",
                                      "2026103|555|是|是|",          "2026104|123|是|是|",
                                      "2026105|980|否|是|跨度",      "2026106|316|是|是|",
                                      "2026107|248|是|是|"}
            << 1 << 2;
        QTest::newRow("last three, level 2")
            << 3 << 2
            << QStringList{"2026105|980|否|是|跨度", "2026106|316|是|是|", "2026107|248|是|是|"}
            << 0 << 1;
    }

    void table() {
        QFETCH(int, last);
        QFETCH(int, level);
        QFETCH(QStringList, rows);
        QFETCH(int, tailRejects);
        QFETCH(int, spanRejects);
        CBacktestDlg dialog(m_settings, level);
        dialog.show();
        auto* run = Button(&dialog, QStringLiteral("回测(&R)"));
        QVERIFY(run && !run->isEnabled());
        dialog.DrawCount()->setValue(last);
        m_fake->openFileNames << Put("h.csv", kHistory);
        Button(&dialog, QStringLiteral("选择历史(&H)..."))->click();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QStringList shown;
        for (int r = 0; r < dialog.Table()->rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < 5; ++c)
                cells << dialog.Table()->item(r, c)->text();
            shown << cells.join(u'|');
        }
        QCOMPARE(shown, rows);
        QCOMPARE(dialog.Chart()->BarCount(), 27);
        QCOMPARE(dialog.Chart()->Rate(6), double(tailRejects) / rows.size());
        QCOMPARE(dialog.Chart()->Rate(7), double(spanRejects) / rows.size());
        QCOMPARE(dialog.Chart()->Rate(0), 0.0);
        QVERIFY(!dialog.Chart()->grab().isNull());
    }

    void exportWritesGbkWithCrLf() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        const QString path = m_dir.filePath("out.txt");
        m_fake->saveFileNames << path;
        Button(&dialog, QStringLiteral("导出(&E)..."))->click();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
        QStringDecoder gbk("GBK");
        const QString text = gbk.decode(bytes);
        QVERIFY(!gbk.hasError());
        QVERIFY(text.startsWith(QStringLiteral("期号")));
        QVERIFY(text.contains(QStringLiteral("2026101     409   否      否      ")));
    }

    void failedExportIsReported() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        QVERIFY(!dialog.ExportTo(m_dir.filePath("missing/folder/out.txt")));
        QCOMPARE(m_fake->messages.size(), 1);
    }

    void unreadableHistoryKeepsWhatWasLoaded() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        QCOMPARE(dialog.Table()->rowCount(), 7);
        QVERIFY(!dialog.LoadHistory(Put("words.txt", "期号,日期,号码\nnothing here\n")));
        QVERIFY(!dialog.LoadHistory(m_dir.filePath("absent.txt")));
        QCOMPARE(m_fake->messages.size(), 2);
        dialog.RunBacktest();
        QCOMPARE(dialog.Table()->rowCount(), 7);
    }

    void historyProblemsAreShownOnce() {
        CBacktestDlg dialog(m_settings, 1);
        QVERIFY(dialog.LoadHistory(
            Put("p.txt", "2026101 409\n2026102 12\n2026101 408\n2026103 1 2 3\n")));
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_fake->MessageTexts().first().contains(QStringLiteral("第 2 行")));
        QVERIFY(m_fake->MessageTexts().first().contains("2026101"));
        dialog.RunBacktest();
        QCOMPARE(dialog.Table()->rowCount(), 1);
    }

    void stoppedKillRunShowsItsMessage() {
        tarvex::Settings s;
        s.danCount = 2;
        s.dan[4] = true;
        CBacktestDlg dialog(s, 1);
        QVERIFY(dialog.LoadHistory(Put("h.csv", kHistory)));
        dialog.RunBacktest();
        QCOMPARE(m_fake->messages.size(), 1);
        QCOMPARE(dialog.Table()->rowCount(), 0);
        QVERIFY(!Button(&dialog, QStringLiteral("导出(&E)..."))->isEnabled());
    }

    void mainWindowOpensItWithItsSettingsAndLevel() {
        QDir::setCurrent(m_dir.path());
        CMainDialog window;
        window.show();
        window.DlgItem<QAbstractButton>(MainIds::kSumTail[3])->click();
        window.DlgItem<QComboBox>(1183)->setCurrentIndex(4);
        m_fake->openFileNames << Put("h.csv", kHistory);
        QString title;
        QString levelText;
        QString firstRow;
        int drawCount = 0;
        const CModalCloser closer = CloseModalWhenShown<CBacktestDlg>([&](CBacktestDlg* dialog) {
            title = dialog->windowTitle();
            Button(dialog, QStringLiteral("选择历史(&H)..."))->click();
            firstRow = dialog->Table()->item(0, 2)->text() + dialog->Table()->item(0, 4)->text();
            drawCount = static_cast<int>(dialog->Result().draws.size());
            for (const QLabel* label : dialog->findChildren<QLabel*>())
                levelText += label->text();
            dialog->reject();
        });
        for (QAction* action : window.SystemMenu().Menu()->actions())
            if (action->text() == QStringLiteral("历史回测(&B)..."))
                action->trigger();
        QVERIFY2(closer.Acted(), qPrintable(closer.Describe()));
        QCOMPARE(title, QStringLiteral("历史回测"));
        QCOMPARE(firstRow, QStringLiteral("否和尾"));
        QCOMPARE(drawCount, 7);
        QVERIFY2(levelText.contains(QStringLiteral("容错 5 级")), qPrintable(levelText));
        QVERIFY(window.isVisible());
    }

private:
    QString Put(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(file.fileName()));
        file.write(bytes);
        return file.fileName();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CFakePlatform> m_fake;
    tarvex::Settings m_settings;
};

QTEST_MAIN(TestBacktest)
#include "tst_backtest.moc"
