#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "LocalDrawServer.h"
#include "app/analysis/CTrendModel.h"
#include "app/draws/CDrawEntryDlg.h"
#include "app/draws/CDrawUpdate.h"
#include "app/main/CMainDialog.h"
#include "framework/CSystemMenu.h"
#include "io/DrawSources.h"
#include "io/PlayerHistory.h"

#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QNetworkProxyFactory>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray Shipped() {
    return Bytes(QStringLiteral(TARVEX_DATA_DIR "/fc3d-history.txt"));
}

// The built-in sources are public sites: a test sends them to a proxy on 127.0.0.1 that
// refuses them at once, and reaches 127.0.0.1 itself directly.
class RefusingProxies : public QNetworkProxyFactory {
public:
    explicit RefusingProxies(quint16 port) : m_port(port) {}
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override {
        if (query.peerHostName() == QLatin1String("127.0.0.1"))
            return {QNetworkProxy::NoProxy};
        return {QNetworkProxy(QNetworkProxy::HttpProxy, QStringLiteral("127.0.0.1"), m_port)};
    }

private:
    quint16 m_port;
};

// The player's own sources for one test; the ones before come back afterwards.
class OwnSources {
public:
    OwnSources(const LocalDrawServer& server, const QStringList& specs)
        : m_before(tarvex::DrawSources::StoredLines()) {
        QNetworkProxyFactory::setApplicationProxyFactory(
            new RefusingProxies(quint16(QUrl(server.Url(QStringLiteral("/"))).port())));
        tarvex::DrawSources::Store(specs);
    }
    ~OwnSources() {
        tarvex::DrawSources::Store(m_before);
        QNetworkProxyFactory::setApplicationProxyFactory(nullptr);
    }

private:
    QStringList m_before;
};

} // namespace

// 录入开奖号码 and 更新开奖数据: the player's history changes only by the draws added.
class TestDraws : public QObject {
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

    void typingADrawAddsItAndPreparesTheNext() {
        CDrawEntryDlg dialog;
        const QString path = dialog.HistoryPath();
        QVERIFY(!QFileInfo::exists(path)); // made only when a draw goes in
        QCOMPARE(dialog.Issue()->text(), QStringLiteral("2026225"));
        QCOMPARE(dialog.Date()->text(), QStringLiteral("2026-08-23"));
        QTest::keyClicks(dialog.Number(), QStringLiteral("051"));
        QTest::keyClicks(dialog.Trial(), QStringLiteral("907"));
        QVERIFY(dialog.OnAdd());
        QCOMPARE(Bytes(path), Shipped() + "2026225 2026-08-23 0 5 1 9 0 7\n");
        QCOMPARE(dialog.Issue()->text(), QStringLiteral("2026226"));
        QVERIFY(dialog.Number()->text().isEmpty());
        // A number other than the one held is refused and nothing written.
        dialog.Issue()->setText(QStringLiteral("2026225"));
        dialog.Number()->setText(QStringLiteral("052"));
        QVERIFY(!dialog.OnAdd());
        QVERIFY(m_fake->MessageTexts().join(u'\n').contains(QStringLiteral("051")));
        QCOMPARE(Bytes(path), Shipped() + "2026225 2026-08-23 0 5 1 9 0 7\n");
    }

    void aPastedTableShowsWhatItAddsAndAddsOnConfirm() {
        CDrawEntryDlg dialog;
        const QString path = dialog.HistoryPath();
        dialog.Pasted()->setPlainText(QStringLiteral("期号\t日期\t开奖号码\t试机号\n"
                                                     "2026226\t2026-08-24(一)\t4 5 6\t1 1 1\n"
                                                     "2026225\t2026-08-23(日)\t1 2 3\t4 4 4\n"
                                                     "2026224\t2026-08-22(六)\t8 6 2\n"
                                                     "2026223\t2026-08-21(五)\t0 0 0\n"
                                                     "看不懂的一行 12 34 56 78\n"));
        dialog.OnPreview();
        const QString preview = dialog.Preview()->text();
        QVERIFY2(preview.contains(QStringLiteral("将加入 2 期")), qPrintable(preview));
        QVERIFY2(preview.contains(QStringLiteral("已有 1 期")), qPrintable(preview));
        QVERIFY2(preview.contains(QStringLiteral("2026223")), qPrintable(preview));
        QVERIFY(!QFileInfo::exists(path)); // nothing before the confirmation
        QVERIFY2(preview.contains(QStringLiteral("试机号 111")), qPrintable(preview));
        QVERIFY(dialog.AddPastedButton()->isEnabled());
        QVERIFY(dialog.OnAddPasted());
        QCOMPARE(Bytes(path),
                 Shipped() + "2026225 2026-08-23 1 2 3 4 4 4\n2026226 2026-08-24 4 5 6 1 1 1\n");
    }

    // Looking at a lottery makes no history for it; a 期号 typed over the pre-filled one
    // drops the pre-filled date (it was the next draw's), and gets it back when retyped.
    void choosingALotteryMakesNothingAndTheDateFollowsTheIssue() {
        CDrawEntryDlg dialog;
        dialog.Lottery()->setCurrentIndex(1);
        const QString pl3 = dialog.HistoryPath();
        dialog.Lottery()->setCurrentIndex(0);
        QVERIFY(!QFileInfo::exists(pl3));
        QVERIFY(!QFileInfo::exists(dialog.HistoryPath()));
        QCOMPARE(dialog.Date()->text(), QStringLiteral("2026-08-23"));
        dialog.Issue()->selectAll();
        QTest::keyClicks(dialog.Issue(), QStringLiteral("2026220"));
        QVERIFY(dialog.Date()->text().isEmpty());
        dialog.Issue()->selectAll();
        QTest::keyClicks(dialog.Issue(), QStringLiteral("2026225"));
        QCOMPARE(dialog.Date()->text(), QStringLiteral("2026-08-23"));
        // Skipping draws asks first; no is nothing written.
        dialog.Issue()->setText(QStringLiteral("2026229"));
        dialog.Number()->setText(QStringLiteral("123"));
        m_fake->answers = {false};
        QVERIFY(!dialog.OnAdd());
        QVERIFY(!QFileInfo::exists(dialog.HistoryPath()));
    }

    // The age line follows the followed history when another program changes it, and names
    // the draws missing within a year.
    void theAgeLineFollowsTheFileFromOutside() {
        CMainDialog main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const QDate yesterday = QDate::currentDate().addDays(-1);
        QFile file(tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("2026001 2026-01-01 1 1 1\n2026005 %1 5 5 5\n")
                       .arg(yesterday.toString(Qt::ISODate))
                       .toUtf8());
        file.close();
        QTRY_COMPARE(main.HistoryAgeText()->text(), QStringLiteral("开奖数据缺 3 期"));
    }

    void pl3KeepsFiveDigits() {
        CDrawEntryDlg dialog;
        dialog.Lottery()->setCurrentIndex(1);
        QVERIFY(dialog.HistoryPath().endsWith(QStringLiteral("排列3开奖历史.txt")));
        QCOMPARE(dialog.Issue()->text(), QStringLiteral("26225"));
        dialog.Number()->setText(QStringLiteral("007"));
        QVERIFY(dialog.OnAdd());
        QVERIFY(Bytes(dialog.HistoryPath()).endsWith("26225 2026-08-23 0 0 7\n"));
    }

    void updateFromALocalServerWithOneDownAndTwoDisagreeing() {
        LocalDrawServer server;
        QVERIFY(server.Listening());
        server.Status("/down", 500);
        server.Answer("/a", "2026225 2026-08-23 1 2 3\n2026226 2026-08-24 4 5 6\n");
        server.Answer("/b", "2026225,2026-08-23,123\n2026226,2026-08-24,999\n");
        const QString path = CDrawEntryDlg().HistoryPath();
        const tarvex::UpdateOutcome outcome =
            CDrawUpdate::Run(nullptr, path,
                             {{server.Url("/down"), tarvex::SourceFormat::Auto, {}, 2000, {}},
                              {server.Url("/a"), tarvex::SourceFormat::Auto, {}, 2000, {}},
                              {server.Url("/b"), tarvex::SourceFormat::Auto, {}, 2000, {}}});
        QCOMPARE(outcome.disagreements.size(), std::size_t(1));
        QCOMPARE(Bytes(path), Shipped() + "2026225 2026-08-23 1 2 3\n");
        const QString report = m_fake->MessageTexts().join(u'\n');
        QVERIFY2(report.contains(server.Url("/down")), qPrintable(report));
        QVERIFY2(report.contains(QStringLiteral("2026226")), qPrintable(report));
    }

    // 取消 during the 3D update ends the whole update: the 排列3 sources are not asked.
    void cancellingThe3dUpdateSkipsPl3() {
        LocalDrawServer server;
        QVERIFY(server.Listening());
        server.Hang("/fc3d");
        server.Answer("/pl3", "26225 2026-08-23 1 2 3 4 5\n");
        const OwnSources own(server, {server.Url("/fc3d") + ",3d", server.Url("/pl3") + ",pl3"});
        QFile pl3(tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Pl3));
        QVERIFY(pl3.open(QIODevice::WriteOnly));
        pl3.write("26224 2026-08-22 1 1 1 1 1\n");
        pl3.close();
        CMainDialog main;
        main.show();
        QTimer cancel;
        connect(&cancel, &QTimer::timeout, [&] {
            if (server.Requests("/fc3d") == 0)
                return;
            for (QProgressDialog* progress : main.findChildren<QProgressDialog*>())
                for (QPushButton* button : progress->findChildren<QPushButton*>())
                    if (button->text() == QStringLiteral("取消") && button->isVisible())
                        button->click();
        });
        cancel.start(20);
        main.OnDrawUpdate();
        cancel.stop();
        QCOMPARE(server.Requests("/fc3d"), 1);
        QCOMPARE(server.Requests("/pl3"), 0);
        QCOMPARE(m_fake->messages.size(), 1); // the 3D report only
    }

    // The first update makes the player's file before it works out how many draws to ask
    // for, so a history that is months old asks for all of them, not the default few.
    void theFirstUpdateAsksForEveryMissingDraw() {
        LocalDrawServer server;
        QVERIFY(server.Listening());
        const OwnSources own(server, {});
        const QString path = tarvex::PlayerHistory::PathIn({}, tarvex::Lottery::Fc3d);
        QVERIFY(!QFileInfo::exists(path));
        const std::optional<int> days = tarvex::PlayerHistory::DaysSince(
            tarvex::PlayerHistory::Read(tarvex::PlayerHistory::ShippedPath(tarvex::Lottery::Fc3d)),
            QDate::currentDate());
        QVERIFY(days && *days > 30); // older than a first update without a file assumes
        CDrawUpdate::Run(nullptr, path);
        QCOMPARE(Bytes(path), Shipped());
        QCOMPARE(server.Requests("api.huiniao.top:443"), 1); // by the proxy, not the internet
        const QString report = m_fake->MessageTexts().join(u'\n');
        const QString limit = QStringLiteral("limit=%1").arg(tarvex::DrawSources::CountFor(days));
        QVERIFY2(report.contains(limit), qPrintable(report));
        QVERIFY2(report.contains(
                     QStringLiteral("issueCount=%1").arg(tarvex::DrawSources::CountFor(days))),
                 qPrintable(report));
    }

    void mainWindowOffersBothItemsAndSaysWhenStale() {
        CMainDialog main;
        main.show();
        QStringList items;
        for (const QAction* action : main.SystemMenu().Menu()->actions())
            items << action->text();
        QVERIFY(items.contains(QStringLiteral("录入开奖号码(&D)...")));
        QVERIFY(items.contains(QStringLiteral("更新开奖数据(&U)")));
        // The shipped history ends 2026-08-22: stale on any later day.
        const QString stale = main.HistoryAgeText()->text();
        if (QDate::currentDate() > QDate(2026, 8, 23))
            QVERIFY2(stale.startsWith(QStringLiteral("开奖数据到 2026224（2026-08-22），已 ")),
                     qPrintable(stale));
        // It stays clear of the classic controls.
        for (QWidget* child : main.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child != main.HistoryAgeText() && child->isVisible() &&
                child->objectName() != "splitText")
                QVERIFY2(!child->geometry().intersects(main.HistoryAgeText()->geometry()),
                         qPrintable(child->objectName()));
        }
    }

    // 走势图 shows the 试机号 as a column when the history gives them, and not otherwise.
    void trendShowsTheTrialDigitsWhenGiven() {
        std::vector<tarvex::HistoricDraw> draws{{"2026001", 123, "2026-01-01", "456"},
                                                {"2026002", 7, "2026-01-02", ""},
                                                {"2026003", 990, "2026-01-03", "001"}};
        CTrendModel with(tarvex::TrendTable(draws, 0));
        QCOMPARE(with.columnCount(), CTrendModel::kColumnCount + 1);
        QCOMPARE(with.headerData(CTrendModel::kTrialColumn, Qt::Horizontal).toString(),
                 QStringLiteral("试机号"));
        for (int r = 0; r < 3; ++r)
            QCOMPARE(with.data(with.index(r, CTrendModel::kTrialColumn)).toString(),
                     QString::fromStdString(draws[std::size_t(r)].trial));
        for (tarvex::HistoricDraw& draw : draws)
            draw.trial.clear();
        CTrendModel without(tarvex::TrendTable(draws, 0));
        QCOMPARE(without.columnCount(), CTrendModel::kColumnCount);
    }

    // A long paste: the refusals come before the 400 draws it adds, are shown whole, and
    // quote each line not taken as pasted. Tab leaves the box.
    void aLongPasteKeepsItsRefusalsInSight() {
        CDrawEntryDlg dialog;
        const QStringList refused{QStringLiteral("不加入第 2026224 期 111"),
                                  QStringLiteral("2026999 xx 12"),
                                  QStringLiteral("2027001 星期四 7")};
        QString paste = QStringLiteral("2026224 2026-08-22 1 1 1\n") + refused.mid(1).join(u'\n');
        for (int i = 0; i < 400; ++i)
            paste += QStringLiteral("\n%1 5 6 7").arg(2026225 + i);
        dialog.Pasted()->setPlainText(paste);
        dialog.show();
        dialog.OnPreview();
        QCoreApplication::processEvents();
        const QString text = dialog.Preview()->text();
        const qsizetype added = text.indexOf(QStringLiteral("将加入 400 期"));
        for (const QString& quoted : refused)
            QVERIFY2(text.indexOf(quoted) >= 0 && text.indexOf(quoted) < added, qPrintable(text));
        QVERIFY(dialog.rect().contains(dialog.Preview()->geometry()));
        QVERIFY(dialog.Preview()->heightForWidth(dialog.Preview()->width()) <=
                dialog.Preview()->height());
        dialog.Pasted()->setFocus();
        QTest::keyClick(dialog.Pasted(), Qt::Key_Tab);
        QCOMPARE(dialog.Pasted()->toPlainText(), paste);
    }

private:
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_folder;
};

QTEST_MAIN(TestDraws)
#include "tst_draws.moc"
