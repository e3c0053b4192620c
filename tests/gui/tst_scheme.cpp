#include "CFakePlatform.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "engine/KillRun.h"
#include "framework/CSystemMenu.h"
#include "io/NativeFileName.h"
#include "io/SchemeFile.h"

#include "VariedSettings.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTreeWidget>

#include <QtTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

QString Cells(const QTableWidget* table) {
    QStringList cells;
    for (int r = 0; r < table->rowCount(); ++r)
        for (int c = 0; c < table->columnCount(); ++c)
            cells << (table->item(r, c) ? table->item(r, c)->text() : QString());
    return cells.join(u'|');
}

QString Cells(const QTreeWidget* tree) {
    QStringList cells;
    for (int r = 0; r < tree->topLevelItemCount(); ++r)
        for (int c = 0; c < tree->columnCount(); ++c)
            cells << tree->topLevelItem(r)->text(c);
    return cells.join(u'|');
}

// What the window shows: every control's state, in creation order.
QStringList Looks(const QWidget* window) {
    QStringList looks;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        QString state;
        if (auto* b = qobject_cast<const QAbstractButton*>(w))
            state = b->isCheckable() ? QString::number(b->isChecked()) : b->text();
        else if (auto* e = qobject_cast<const QLineEdit*>(w))
            state = e->text();
        else if (auto* p = qobject_cast<const QPlainTextEdit*>(w))
            state = p->toPlainText();
        else if (auto* t = qobject_cast<const QTextEdit*>(w))
            state = t->toPlainText();
        else if (auto* c = qobject_cast<const QComboBox*>(w))
            state = QString::number(c->currentIndex()) + c->currentText();
        else if (auto* tw = qobject_cast<const QTableWidget*>(w))
            state = Cells(tw);
        else if (auto* tr = qobject_cast<const QTreeWidget*>(w))
            state = Cells(tr);
        else
            continue;
        looks << QStringLiteral("%1 %2 %3")
                     .arg(w->metaObject()->className())
                     .arg(w->isEnabled())
                     .arg(state);
    }
    return looks;
}

} // namespace

// 保存方案 and 载入方案 in the window menu: a scheme file round trip through the real window.
class TestScheme : public QObject {
    Q_OBJECT
private slots:
    void init() {
        QVERIFY(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dialog = Window();
    }
    void cleanup() {
        m_dialog.reset();
        m_fake.reset();
    }

    // The window's own commands stand in this order after the system entries, and every
    // command (later ones included) before the separator and the About box.
    void menuItemsStandBeforeAbout() {
        QStringList texts;
        for (QAction* action : m_dialog->SystemMenu().Menu()->actions())
            texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
        const QStringList commands{
            QStringLiteral("保存方案(&S)..."), QStringLiteral("载入方案(&L)..."),
            QStringLiteral("历史回测(&B)..."), QStringLiteral("号码分析(&N)..."),
            QStringLiteral("公式杀号(&F)..."), QStringLiteral("打开输出文件夹(&O)")};
        QVERIFY2(texts.size() > commands.size() + 2, qPrintable(texts.join(u',')));
        QCOMPARE(texts.last(), QStringLiteral("关于 tarvex(&A)..."));
        QCOMPARE(texts[texts.size() - 2], QStringLiteral("-"));
        const qsizetype first = texts.indexOf(commands.front());
        QVERIFY2(first >= 0, qPrintable(texts.join(u',')));
        QCOMPARE(texts.mid(first, commands.size()), commands);
        QVERIFY(!texts.mid(first, texts.size() - 2 - first).contains(QStringLiteral("-")));
    }

    void savedSchemeLoadsIntoAnIdenticalWindow() {
        m_dialog->ApplySettings(VariedSettings());
        const tarvex::Settings shown = m_dialog->GatherSettings();
        QCOMPARE(shown, VariedSettings());
        const QStringList looks = Looks(m_dialog.get());

        m_fake->saveFileNames << m_dir.filePath("mine"); // the .json is added
        Menu(*m_dialog, QStringLiteral("保存方案(&S)..."))->trigger();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(m_fake->fileFilters.last(), QStringLiteral("方案文件(*.json)|*.json||"));
        const tarvex::SchemeReadResult saved =
            tarvex::SchemeFile::Load(m_dir.filePath("mine.json"));
        QVERIFY2(saved.ok(), qPrintable(saved.error));
        QCOMPARE(saved.settings, shown);

        auto other = Window();
        QVERIFY(Looks(other.get()) != looks);
        m_fake->openFileNames << m_dir.filePath("mine.json");
        Menu(*other, QStringLiteral("载入方案(&L)..."))->trigger();
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(other->GatherSettings(), shown);
        QCOMPARE(Looks(other.get()), looks);
    }

    void saveTakesWhatTheControlsShow() {
        DlgClick(MainIds::kSumTail[7]);
        DlgClick(MainIds::kBigSmall[2]);
        QVERIFY(m_dialog->SaveScheme(m_dir.filePath("clicked.json")));
        const tarvex::Settings saved =
            tarvex::SchemeFile::Load(m_dir.filePath("clicked.json")).settings;
        QVERIFY(saved.sumTail[7]);
        QVERIFY(!saved.bigSmall[2]);
        tarvex::Settings expected;
        expected.sumTail[7] = true;
        expected.bigSmall[2] = false;
        expected.perRow = saved.perRow; // from the stored profile, not the scheme
        QCOMPARE(saved, expected);
    }

    void badSchemeChangesNothing_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("named");
        QTest::newRow("unknown key") << QByteArray(R"({"format": "tarvex-scheme", "version": 1,
            "sumTial": [true, false, false, false, false, false, false, false, false, false]})")
                                     << "sumTial";
        QTest::newRow("wrong type") << QByteArray(R"({"format": "tarvex-scheme", "version": 1,
            "sumLow": "3"})") << "sumLow";
        QTest::newRow("wrong length") << QByteArray(R"({"format": "tarvex-scheme", "version": 1,
            "span": [true]})") << "span";
        QTest::newRow("not json") << QByteArray("{\"format\": \"tarvex-scheme\", ") << "bad.json";
        QTest::newRow("empty") << QByteArray() << "bad.json";
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe{", 4) << "bad.json";
    }

    void badSchemeChangesNothing() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, named);
        m_dialog->ApplySettings(VariedSettings());
        const QStringList looks = Looks(m_dialog.get());
        QFile file(m_dir.filePath("bad.json"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        m_fake->openFileNames << file.fileName();
        Menu(*m_dialog, QStringLiteral("载入方案(&L)..."))->trigger();
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->MessageTexts().first().contains(named),
                 qPrintable(m_fake->MessageTexts().first()));
        QCOMPARE(Looks(m_dialog.get()), looks);
        QCOMPARE(m_dialog->GatherSettings(), VariedSettings());
    }

    void missingSchemeFileIsReported() {
        const QStringList looks = Looks(m_dialog.get());
        QVERIFY(!m_dialog->LoadScheme(m_dir.filePath("absent.json")));
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_fake->MessageTexts().first().contains("absent.json"));
        QCOMPARE(Looks(m_dialog.get()), looks);
    }

    // "方案.json" in GBK, as a Windows archive leaves it: the start argument keeps its bytes.
    void schemeNamedInAnotherEncodingLoads() {
#ifdef Q_OS_UNIX
        const QByteArray bytes =
            QFile::encodeName(m_dir.path()) + '/' + QByteArray::fromHex("B7BDB0B8") + ".json";
        const QByteArray scheme = tarvex::SchemeFile::ToBytes(VariedSettings());
        const int fd = ::open(bytes.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, scheme.constData(), static_cast<size_t>(scheme.size())),
                 static_cast<ssize_t>(scheme.size()));
        ::close(fd);
        const bool loaded = m_dialog->LoadScheme(tarvex::NativeFileName::FromBytes(bytes));
        ::unlink(bytes.constData()); // QTemporaryDir would miss it
        QVERIFY(loaded);
        QCOMPARE(m_dialog->GatherSettings(), VariedSettings());
        QVERIFY(m_fake->messages.isEmpty());

        QVERIFY(!m_dialog->LoadScheme(tarvex::NativeFileName::FromBytes(bytes + 'x')));
        QCOMPARE(m_fake->messages.size(), 1);
        const QString message = m_fake->MessageTexts().first();
        QVERIFY2(message.contains(QStringLiteral("\\xB7\\xBD\\xB0\\xB8.jsonx”：文件不存在")),
                 qPrintable(message));
        QVERIFY2(!message.contains(QChar(0xFFFD)), qPrintable(message));
#else
        QSKIP("names are bytes only on Unix");
#endif
    }

    void failedSaveIsReportedAndLeavesNoFile() {
        const QString path = m_dir.filePath("no/such/folder/s.json");
        m_fake->saveFileNames << path;
        Menu(*m_dialog, QStringLiteral("保存方案(&S)..."))->trigger();
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_fake->MessageTexts().first().startsWith(QStringLiteral("方案没有保存：")));
        QVERIFY(!QFile::exists(path));
    }

    void cancelledDialogsDoNothing() {
        const QStringList looks = Looks(m_dialog.get());
        const QStringList files = QDir(m_dir.path()).entryList(QDir::Files);
        Menu(*m_dialog, QStringLiteral("保存方案(&S)..."))->trigger();
        Menu(*m_dialog, QStringLiteral("载入方案(&L)..."))->trigger();
        QCOMPARE(m_fake->messages.size(), 0);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), files);
        QCOMPARE(Looks(m_dialog.get()), looks);
    }

    // Sum tail 3 and span 9 killed: a number re-enters at every level from its reason count.
    void tolerancePreviewFollowsTheKillRun() {
        tarvex::Settings s;
        s.sumTail[3] = true;
        s.span[9] = true;
        m_dialog->ApplySettings(s);
        QCOMPARE(m_dialog->GetDlgItem(MainIds::kToleranceRun)->toolTip(), QString());
        m_dialog->OnKillRun();
        int one = 0;
        int two = 0;
        for (int n = 0; n < 1000; ++n) {
            const int d[3] = {n / 100, n / 10 % 10, n % 10};
            const int reasons = ((d[0] + d[1] + d[2]) % 10 == 3) +
                                (*std::max_element(d, d + 3) - *std::min_element(d, d + 3) == 9);
            one += reasons == 1;
            two += reasons == 2;
        }
        QVERIFY(one > 0 && two > 0);
        QStringList parts{QStringLiteral("1级 %1注").arg(one)};
        for (int level = 2; level <= 17; ++level)
            parts << QStringLiteral("%1级 %2注").arg(level).arg(one + two);
        QString expected = QStringLiteral("容错预览：") + parts.join(QStringLiteral("，"));
        // Wrapped after every sixth level so the tip stays narrow.
        expected.replace(QStringLiteral("，7级"), QStringLiteral("，\n7级"))
            .replace(QStringLiteral("，13级"), QStringLiteral("，\n13级"));
        QCOMPARE(m_dialog->GetDlgItem(MainIds::kToleranceRun)->toolTip(), expected);
        QCOMPARE(m_dialog->GetDlgItem(MainIds::kToleranceLevel)->toolTip(), expected);
        QCOMPARE(m_dialog->m_killed.size(), one + two);
    }

private:
    std::unique_ptr<CMainDialog> Window() {
        auto window = std::make_unique<CMainDialog>();
        window->show();
        return window;
    }
    static QAction* Menu(CMainDialog& window, const QString& text) {
        for (QAction* action : window.SystemMenu().Menu()->actions())
            if (action->text() == text)
                return action;
        qFatal("no menu item %s", qPrintable(text));
    }
    void DlgClick(int id) {
        m_dialog->DlgItem<QAbstractButton>(id)->click();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CMainDialog> m_dialog;
};

QTEST_MAIN(TestScheme)
#include "tst_scheme.moc"
