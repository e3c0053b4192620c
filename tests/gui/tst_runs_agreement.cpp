#include "CFakePlatform.h"
#include "ReferenceRandomSettings.h"
#include "TestFiles.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/KillRun.h"
#include "engine/RunText.h"
#include "engine/ToleranceRun.h"
#include "io/TextFileWriter.h"
#include "pages/ConditionSheet.h"
#include "widgets/CResultEdit.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kCases = 50;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// The lines of the two settings' descriptions that differ.
QString Difference(const tarvex::Settings& actual, const tarvex::Settings& expected) {
    const QStringList a = Text(tarvex::ReferenceDescribeSettings(actual)).split(u'\n');
    const QStringList e = Text(tarvex::ReferenceDescribeSettings(expected)).split(u'\n');
    QString out;
    for (int i = 0; i < std::max(a.size(), e.size()); ++i) {
        if (a.value(i) != e.value(i))
            out += QStringLiteral("\n  window: %1\n  wanted: %2").arg(a.value(i), e.value(i));
    }
    return out;
}

} // namespace

// Random settings applied to the window's controls and run through its buttons give exactly
// what the engine gives for the same settings: the window only maps controls to settings.
class TestRunsAgreement : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        QVERIFY(m_dir.isValid());
        m_oldDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        // One window for every case: whatever a case leaves behind must not leak into the next.
        m_dlg = std::make_unique<CMainDialog>();
        m_dlg->show();
    }
    void cleanupTestCase() {
        m_dlg.reset();
        QDir::setCurrent(m_oldDir);
        m_fake.reset();
    }

    void windowAgreesWithTheEngine_data() {
        QTest::addColumn<quint64>("seed");
        for (int i = 1; i <= kCases; ++i)
            QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(i))) << quint64(i * 7919);
    }
    void windowAgreesWithTheEngine() {
        QFETCH(quint64, seed);
        const tarvex::Settings random = tarvex::ReferenceRandomSettings(seed);
        // Each case runs with another page in front.
        const int shownPage = int(seed % 8);
        QVERIFY(m_dlg->Sheet()->SetActivePage(shownPage));
        const tarvex::Settings held = AsTheControlsHoldThem(random, shownPage);
        m_fake->Clear();
        QFile::remove(QStringLiteral("tarvex.txt"));
        QFile::remove(QStringLiteral("排除号码原因.txt"));

        m_dlg->ApplySettings(random);
        const tarvex::Settings gathered = m_dlg->GatherSettings();
        QVERIFY2(gathered == held, qPrintable(Difference(gathered, held)));

        const tarvex::KillOutcome kill = tarvex::RunKill(held);
        const QStringList listBefore = ListTexts();
        Click(MainIds::kKillRun);
        if (!kill.completed()) {
            QCOMPARE(m_fake->MessageTexts(), QStringList{Text(kill.message)});
            QCOMPARE(ReadBytes(QStringLiteral("tarvex.txt")), QByteArray());
            QCOMPARE(ListTexts(), listBefore);
            return;
        }
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QStringList survivors;
        for (int n : kill.survivors)
            survivors << Text(tarvex::CandidateText(n));
        QCOMPARE(ListTexts(), survivors);
        QStringList killed;
        for (int n : kill.killed)
            killed << Text(tarvex::CandidateText(n));
        QCOMPARE(m_dlg->m_killed, killed);
        QCOMPARE(ResultBox(), Text(kill.resultText));
        QCOMPARE(Label(MainIds::kCount), Text(kill.countText));
        QCOMPARE(ReadBytes(QStringLiteral("tarvex.txt")),
                 tarvex::TextFileWriter::ToGbkCrLf(kill.fileText));

        tarvex::ToleranceInput input;
        input.killed = kill.killed;
        for (const QString& s : survivors)
            input.list.push_back(s.toStdString());
        input.resultText = kill.resultText;
        const tarvex::ToleranceOutcome tolerance = tarvex::RunTolerance(held, input);
        Click(MainIds::kToleranceRun);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QStringList list;
        for (const std::string& item : tolerance.list)
            list << Text(item);
        QCOMPARE(ListTexts(), list);
        QCOMPARE(ResultBox(), Text(tolerance.resultText));
        QCOMPARE(Label(MainIds::kCount), Text(tolerance.countText));
        QCOMPARE(Label(MainIds::kToleranceText), Text(tolerance.toleranceText));
        QCOMPARE(ReadBytes(QStringLiteral("排除号码原因.txt")),
                 tarvex::TextFileWriter::ToGbkCrLf(tolerance.reportText));
    }

private:
    // The settings as the window's controls can hold them: each text as the kind of control
    // that shows it keeps it, a combo index the combo does not have as no selection.
    tarvex::Settings AsTheControlsHoldThem(tarvex::Settings s, int shownPage) {
        auto line = [this](std::string& text) {
            m_line.setText(Text(text));
            text = m_line.text().toStdString();
        };
        auto plain = [this](std::string& text) {
            m_plain.setPlainText(Text(text));
            text = m_plain.toPlainText().toStdString();
        };
        auto cell = [](std::string& text) { text = Text(text).toStdString(); };
        for (auto* texts : {&s.exclude, &s.positionalKillDigits, &s.compound})
            for (std::string& text : *texts)
                line(text);
        line(s.sums);
        m_rich.setPlainText(Text(s.result));
        s.result = m_rich.toPlainText().toStdString();
        for (tarvex::MatchRow& row : s.matches) {
            cell(row.numbers);
            cell(row.counts);
        }
        for (tarvex::PositionSizeRow& row : s.positionSizes) {
            cell(row.left);
            cell(row.comparison);
            cell(row.right);
        }
        for (tarvex::FormulaRow& row : s.pages.formulas) {
            for (std::string* text : {&row.left, &row.op, &row.right, &row.comparison, &row.value})
                cell(*text);
        }
        // Only the page shown is exchanged; the others hold the texts as they were set.
        const std::array<std::string*, 6> pageTexts{&s.pages.direct,    &s.pages.junk,
                                                    &s.pages.kill2,     &s.pages.positionalKill2,
                                                    &s.pages.mustHave2, &s.pages.intersection};
        for (int page = 0; page < int(pageTexts.size()); ++page) {
            if (page == shownPage)
                plain(*pageTexts[page]);
            else
                cell(*pageTexts[page]);
        }
        if (s.perRow < 0 || s.perRow >= 20)
            s.perRow = -1;
        if (s.level < 0 || s.level >= 17)
            s.level = -1;
        return s;
    }

    void Click(int id) {
        auto* button = m_dlg->DlgItem<QAbstractButton>(id);
        QVERIFY2(button->isEnabled(), qPrintable(QString::number(id)));
        button->click();
    }
    QString ResultBox() const {
        return m_dlg->DlgItem<QTextEdit>(MainIds::kResultBox)->toPlainText();
    }
    QString Label(int id) const { return m_dlg->DlgItem<QLabel>(id)->text(); }
    QStringList ListTexts() const {
        const auto* list = m_dlg->DlgItem<QListWidget>(MainIds::kResultList);
        QStringList texts;
        for (int i = 0; i < list->count(); ++i)
            texts << list->item(i)->text();
        return texts;
    }

    std::unique_ptr<CFakePlatform> m_fake;
    QTemporaryDir m_dir;
    QString m_oldDir;
    std::unique_ptr<CMainDialog> m_dlg;
    QLineEdit m_line;
    QPlainTextEdit m_plain;
    CResultEdit m_rich;
};

QTEST_MAIN(TestRunsAgreement)
#include "tst_runs_agreement.moc"
