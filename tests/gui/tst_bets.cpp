// 投注: the window's figures and tickets are the command line's for the same set; the prize
// table is kept and restored; the exports and the slip; the two ways in from the main window.
#include "CMainWindowFixture.h"
#include "ModalCloser.h"
#include "app/bets/CBetDlg.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "cli/CliCommands.h"
#include "framework/CSoftLineText.h"
#include "framework/CSystemMenu.h"
#include "widgets/CResultEdit.h"

#include <QComboBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringDecoder>
#include <QtTest>

#include <cstdio>
#include <memory>
#include <random>

namespace {

QByteArray Numbers(unsigned seed, double density) {
    std::mt19937 random(seed);
    std::bernoulli_distribution in(density);
    QByteArray text;
    for (int n = 0; n < 1000; ++n)
        if (in(random))
            text += QByteArray::number(n).rightJustified(3, '0') + '\t';
    return text;
}

QJsonObject CliJson(const QStringList& arguments) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = tarvex::CliCommands::Execute(arguments, out, err);
    QByteArray bytes;
    std::rewind(out);
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, out)) > 0;)
        bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(out);
    std::fclose(err);
    return status == 0 ? QJsonDocument::fromJson(bytes).object() : QJsonObject();
}

QString Shown(const QWidget* dialog, const char* name) {
    return dialog->findChild<QLabel*>(QString::fromUtf8(name))->text();
}

// The leading number of a shown figure: "36.4元…" → 36.4.
double Leading(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && (text[end].isDigit() || text[end] == u'.' || text[end] == u'-'))
        ++end;
    return text.left(end).toDouble();
}

} // namespace

class TestBets : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void init() { Start(); }
    void cleanup() { Stop(); }

    void figuresAreTheCommandLines_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<int>("multiple");
        QTest::addColumn<double>("density");
        QTest::addColumn<QString>("prizes");
        QTest::newRow("直选 sparse") << 0 << 1 << 0.04 << "1040,346,173";
        QTest::newRow("组选 half") << 1 << 7 << 0.5 << "1040,346,173";
        QTest::newRow("混合 dense") << 2 << 99 << 0.93 << "1000,320,160";
        QTest::newRow("混合 sparse") << 2 << 3 << 0.2 << "0,346,173";
    }
    void figuresAreTheCommandLines() {
        QFETCH(int, way);
        QFETCH(int, multiple);
        QFETCH(double, density);
        QFETCH(QString, prizes);
        const QByteArray text = Numbers(static_cast<unsigned>(way * 100 + multiple), density);
        CBetDlg dialog([text] { return text.toStdString(); }, {});
        dialog.findChild<QComboBox*>("playWay")->setCurrentIndex(way);
        dialog.findChild<QSpinBox*>("multiple")->setValue(multiple);
        const QStringList prize = prizes.split(u',');
        const char* const names[] = {"prizeDirect", "prizeGroup3", "prizeGroup6"};
        for (int i = 0; i < 3; ++i)
            dialog.findChild<QSpinBox*>(names[i])->setValue(prize[i].toInt());

        QFile file(m_folder->path() + "/号码.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        const QJsonObject json =
            CliJson({"bet", "--numbers", file.fileName(), "--play",
                     dialog.findChild<QComboBox*>("playWay")->currentText(), "--multiple",
                     QString::number(multiple), "--prizes", prizes, "--json"});
        QVERIFY(!json.isEmpty());
        QCOMPARE(Shown(&dialog, "betCount").toInt(), json["bets"].toInt());
        QCOMPARE(Leading(Shown(&dialog, "cost")), json["cost"].toDouble());
        QCOMPARE(Leading(Shown(&dialog, "expectedPrize")), json["expectedPrize"].toDouble());
        QCOMPARE(Leading(Shown(&dialog, "expectedLoss")), json["expectedLoss"].toDouble());
        QVERIFY(Shown(&dialog, "winChance")
                    .contains(QStringLiteral("%1/1000").arg(
                        qRound(json["winChance"].toDouble() * 1000))));
        QCOMPARE(dialog.Figures().ExpectedReturn(), json["expectedReturn"].toDouble());
        const QJsonArray tickets = json["tickets"].toArray();
        QCOMPARE(qsizetype(dialog.Tickets().size()), tickets.size());
        for (qsizetype i = 0; i < tickets.size(); ++i) {
            const std::vector<std::string> digits = dialog.Tickets()[std::size_t(i)].Digits();
            const QJsonValue shown = tickets[i].toObject()["digits"];
            QCOMPARE(shown.isArray() ? shown.toArray()[0].toString() : shown.toString(),
                     QString::fromStdString(digits[0]));
        }
        const QString lines = dialog.findChild<QPlainTextEdit*>("tickets")->toPlainText();
        QCOMPARE(lines.count(u'\n'), tickets.size());
    }

    void prizeTableIsKeptAndRestored() {
        m_fake->profile["bets/prizes"] = "1040,abc";
        {
            CBetDlg dialog([] { return std::string("123 456"); }, {});
            QVERIFY(!Shown(&dialog, "prizeNote").isEmpty());
            QVERIFY(dialog.Prizes().IsDefault());
            dialog.findChild<QSpinBox*>("prizeDirect")->setValue(1200);
            QCOMPARE(m_fake->profile["bets/prizes"], QStringLiteral("1200,346,173"));
            QCOMPARE(Leading(Shown(&dialog, "expectedPrize")), 2.4);
        }
        CBetDlg again([] { return std::string("123 456"); }, {});
        QCOMPARE(again.Prizes().prizes[0], 1200LL);
        again.findChild<QPushButton*>("restorePrizes")->click();
        QVERIFY(again.Prizes().IsDefault());
        QCOMPARE(m_fake->profile["bets/prizes"], QStringLiteral("1040,346,173"));
    }

    void exportsAndSlip() {
        CBetDlg dialog([] { return std::string("123 124 125 223 224 225 111"); },
                       {{"3D", "2026225"}});
        QCOMPARE(dialog.findChild<QLineEdit*>("issue")->text(), QStringLiteral("2026225"));
        const QString gbk = m_folder->path() + "/gbk.txt", utf8 = m_folder->path() + "/utf8.txt";
        QVERIFY(dialog.Export(gbk, false));
        QVERIFY(dialog.Export(utf8, true));
        QFile g(gbk), u(utf8);
        QVERIFY(g.open(QIODevice::ReadOnly) && u.open(QIODevice::ReadOnly));
        const QByteArray gbkBytes = g.readAll(), utf8Bytes = u.readAll();
        const QString expected = QString::fromStdString(dialog.Slip().Text());
        QCOMPARE(QStringDecoder("GBK").decode(gbkBytes), QString(expected).replace("\n", "\r\n"));
        QCOMPARE(QString::fromUtf8(utf8Bytes), expected);
        QVERIFY(expected.contains(QStringLiteral("第2026225期")));
        QVERIFY(expected.contains(QStringLiteral("直选复式 百 12 十 2 个 345（6注）")));

        const QString pdf = m_folder->path() + "/slip.pdf";
        QVERIFY(dialog.PrintPdf(pdf));
        QFile p(pdf);
        QVERIFY(p.open(QIODevice::ReadOnly));
        const QByteArray bytes = p.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                     bytes.count("/Type /Page/") + bytes.count("/Type /Page "),
                 1);
        QVERIFY(!dialog.PrintPdf(m_folder->path() + "/missing/slip.pdf"));
        QCOMPARE(m_fake->messages.size(), 1);
    }

    void menuAndResultBoxOpenIt() {
        CMainDialog& window = *m_window;
        CSoftLineText::Of(window.GetDlgItem(MainIds::kResultBox))->SetText("012\t345\t678\t");
        QAction* menuItem = window.SystemMenu().Menu()->findChild<QAction*>("betsAction");
        auto* box = window.DlgItem<CResultEdit>(MainIds::kResultBox);
        const std::unique_ptr<QMenu> context(box->BuildContextMenu());
        QAction* boxItem = context->findChild<QAction*>("betsFromResult");
        QVERIFY(menuItem && boxItem);
        for (QAction* item : {menuItem, boxItem}) {
            QString source;
            const CModalCloser closer = CloseModalWhenShown<CBetDlg>([&](CBetDlg* bets) {
                source = Shown(bets, "source");
                bets->reject();
            });
            item->trigger();
            QTRY_VERIFY2(closer.Acted(), qPrintable(closer.Describe()));
            QVERIFY2(source.contains(QStringLiteral("3 个号码")), qPrintable(source));
        }
    }
};

QTEST_MAIN(TestBets)
#include "tst_bets.moc"
