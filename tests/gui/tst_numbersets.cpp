#include "CMainWindowFixture.h"
#include "CWorkFolder.h"
#include "TestFiles.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "io/GbkCodec.h"

#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

namespace {

const QString kFilter = QStringLiteral("文件名(*.TXT)|*.TXT||");
const QString kPlayerText = QStringLiteral("what the player had\t123\n");

QByteArray Gbk(const QString& text) {
    return tarvex::GbkCodec::Native().Encode(text).value_or(QByteArray());
}

QString FromGbk(const QByteArray& bytes) {
    return tarvex::GbkCodec::Native().Decode(bytes).value_or(QString());
}

QStringList Numbers(int count) {
    QStringList numbers;
    for (int n = 0; n < count; ++n)
        numbers << QStringLiteral("%1").arg(n * 37 % 1000, 3, 10, QLatin1Char('0'));
    numbers.sort();
    return numbers;
}

// A base-set text of exactly size bytes: numbers, tabs and line ends only.
QByteArray BaseSetOfSize(int size) {
    QByteArray bytes;
    for (int n = 0; bytes.size() < size; ++n)
        bytes += QByteArray::number(n % 1000).rightJustified(3, '0') + (n % 5 == 4 ? "\n" : "\t");
    bytes.truncate(size);
    return bytes;
}

#ifdef Q_OS_UNIX
// Makes every write beyond bytes fail, as a full disk would, until the guard ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    bool Active() const { return m_active; }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
    bool m_active = false;
};
#endif

} // namespace

// 选择大底, 导出结果 and 转成组选 of the main window, each run in a fresh current directory.
class TestNumberSets : public QObject, private CMainWindowFixture {
    Q_OBJECT
private slots:
    void init() {
        Start();
        // As the base-set box and a completed kill run leave them.
        m_window->EnableDlgItems(
            {MainIds::kChooseBase, MainIds::kExport, MainIds::kToGroup, MainIds::kResultBox}, true);
    }
    void cleanup() { Stop(); }

    void baseSetSize_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("loads");
        QTest::newRow("10240 bytes") << 10240 << true;
        QTest::newRow("10241 bytes") << 10241 << false;
        QTest::newRow("empty file") << 0 << true;
        QTest::newRow("one megabyte") << (1 << 20) << false;
    }
    void baseSetSize() {
        QFETCH(int, size);
        QFETCH(bool, loads);
        const QByteArray bytes = BaseSetOfSize(size);
        QVERIFY(WriteBytes(Path("base.txt"), bytes));
        ResultBox()->setPlainText(kPlayerText);
        m_fake->openFileNames << Path("base.txt");
        Click(MainIds::kChooseBase);
        if (loads) {
            QCOMPARE(m_fake->MessageTexts(), QStringList());
            QCOMPARE(ResultBox()->toPlainText(), QString::fromLatin1(bytes));
            QCOMPARE(m_window->m_strResult, QString::fromLatin1(bytes));
        } else {
            QCOMPARE(m_fake->MessageTexts(),
                     QStringList{QStringLiteral("大底文件太大，程序无法处理")});
            QCOMPARE(ResultBox()->toPlainText(), kPlayerText);
        }
        QCOMPARE(m_fake->fileFilters, QStringList{kFilter});
    }

    void baseSetLongLine() {
        const QByteArray longLine = QByteArray("123 ").repeated(200); // 800 bytes, no line end
        QVERIFY(WriteBytes(Path("long.txt"), longLine + "\r\n456\r\n"));
        m_fake->openFileNames << Path("long.txt");
        Click(MainIds::kChooseBase);
        QCOMPARE(ResultBox()->toPlainText(), QString::fromLatin1(longLine + "\n456\n"));
    }

    void baseSetEncodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const QString text = QStringLiteral("大底：123 456\r\n组选 789\r\n");
        const QString loaded = QStringLiteral("大底：123 456\n组选 789\n");
        QTest::newRow("GBK") << Gbk(text) << loaded;
        QTest::newRow("UTF-8") << text.toUtf8() << loaded;
        QTest::newRow("UTF-8 with byte-order mark")
            << QByteArray("\xEF\xBB\xBF") + text.toUtf8() << loaded;
        QTest::newRow("lone CR") << QByteArray("123\r456") << QStringLiteral("123\n456");
    }
    void baseSetEncodings() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        QVERIFY(WriteBytes(Path("base.txt"), bytes));
        m_fake->openFileNames << Path("base.txt");
        Click(MainIds::kChooseBase);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(ResultBox()->toPlainText(), expected);
    }

    void baseSetUnreadable_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("vanished file")
            << QStringLiteral("gone.txt") << QStringLiteral("文件不存在");
        QTest::newRow("folder") << QStringLiteral("folder.txt") << QString();
    }
    // The reason is told in Chinese, never in Qt's English.
    void baseSetUnreadable() {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("folder.txt")));
        ResultBox()->setPlainText(kPlayerText);
        m_fake->openFileNames << Path(name);
        Click(MainIds::kChooseBase);
        QCOMPARE(m_fake->messages.size(), 1);
        const QString shown = m_fake->messages.front().text;
        QVERIFY(!shown.isEmpty());
        if (!reason.isEmpty())
            QCOMPARE(shown, reason);
        QCOMPARE(ResultBox()->toPlainText(), kPlayerText);
    }

#ifdef Q_OS_UNIX
    void baseSetFromAPipeIsRefusedAtOnce() {
        QVERIFY(mkfifo(QFile::encodeName(Path("pipe.txt")).constData(), 0600) == 0);
        ResultBox()->setPlainText(kPlayerText);
        m_fake->openFileNames << Path("pipe.txt");
        Click(MainIds::kChooseBase);
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_fake->messages.front().text.contains(Path("pipe.txt")));
        QCOMPARE(ResultBox()->toPlainText(), kPlayerText);
    }
#endif

    void baseSetCancelKeepsEverything() {
        ResultBox()->setPlainText(kPlayerText);
        const QString before = QDir::currentPath();
        Click(MainIds::kChooseBase);
        QCOMPARE(m_fake->fileFilters, QStringList{kFilter});
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(ResultBox()->toPlainText(), kPlayerText);
        QCOMPARE(QDir::currentPath(), before);
    }

    void baseSetFromAnotherFolderKeepsCurrentDirectory() {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("sets")));
        QVERIFY(WriteBytes(Path("sets/base.txt"), "123\t456\t"));
        const QString before = QDir::currentPath();
        m_fake->openFileNames << Path("sets/base.txt");
        Click(MainIds::kChooseBase);
        QCOMPARE(ResultBox()->toPlainText(), QStringLiteral("123\t456\t"));
        QCOMPARE(QDir::currentPath(), before);
    }

    void exportLayout_data() {
        QTest::addColumn<int>("perRowIndex");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("body");
        const QStringList twelve = Numbers(12);
        QString oneEach;
        for (const QString& n : twelve)
            oneEach += n + "\t\n";
        QString fives;
        for (int i = 0; i < twelve.size(); ++i)
            fives += twelve[i] + (i % 5 == 4 ? "\t\n" : "\t");
        QTest::newRow("per row 1, 12 numbers") << 0 << 12 << oneEach;
        QTest::newRow("per row 5, 12 numbers") << 4 << 12 << fives;
        QTest::newRow("per row 5, empty list") << 4 << 0 << QString();
        QTest::newRow("per row 20, 3 numbers")
            << 19 << 3 << Numbers(3).join(u'\t') + QStringLiteral("\t");
    }
    void exportLayout() {
        QFETCH(int, perRowIndex);
        QFETCH(int, count);
        QFETCH(QString, body);
        FillList(Numbers(count));
        m_window->DlgItem<QComboBox>(MainIds::kPerRow)->setCurrentIndex(perRowIndex);
        m_fake->saveFileNames << Path("result.txt");
        const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
        Click(MainIds::kExport);
        const QDateTime after = QDateTime::currentDateTime().addSecs(1);

        const QByteArray bytes = ReadBytes(Path("result.txt"));
        QVERIFY2(bytes.count('\n') == bytes.count("\r\n") && bytes.count('\r') == bytes.count('\n'),
                 "every line end is CR LF");
        QVERIFY(bytes.startsWith(Gbk(body).replace("\n", "\r\n")));
        const QByteArray trailer = bytes.mid(Gbk(body).replace("\n", "\r\n").size());
        QVERIFY2(trailer.endsWith(Gbk(QStringLiteral(" 共计%1注\t").arg(count))),
                 trailer.toHex(' ').constData());
        const QRegularExpression shape(QStringLiteral(
            "^\\r\\n(\\d{4}年\\d{2}月\\d{2}日 \\d{2}:\\d{2}:\\d{2}) 共计\\d+注\\t$"));
        const QRegularExpressionMatch match = shape.match(FromGbk(trailer));
        QVERIFY2(match.hasMatch(), qPrintable(FromGbk(trailer)));
        const QDateTime stamp =
            QDateTime::fromString(match.captured(1), QStringLiteral("yyyy年MM月dd日 HH:mm:ss"));
        QVERIFY(stamp >= before.addMSecs(-before.time().msec()) && stamp <= after);

        QCOMPARE(m_fake->fileFilters, QStringList{kFilter});
        QCOMPARE(m_fake->shellOpened, QStringList{Path("result.txt")});
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    void exportTrailerBytes() {
        FillList({QStringLiteral("123")});
        m_fake->saveFileNames << Path("one.txt");
        Click(MainIds::kExport);
        const QByteArray bytes = ReadBytes(Path("one.txt"));
        // Two per line by default: the one number ends no line, the trailer's line end follows.
        QVERIFY(bytes.startsWith("123\t\r\n"));
        const QByteArray year = "\xC4\xEA", month = "\xD4\xC2", day = "\xC8\xD5";
        const QByteArray total = "\xB9\xB2\xBC\xC6", unit = "\xD7\xA2";
        for (const QByteArray& gbk : {year, month, day})
            QVERIFY2(bytes.contains(gbk), bytes.toHex(' ').constData());
        QVERIFY2(bytes.endsWith(" " + total + "1" + unit + "\t"), bytes.toHex(' ').constData());
        QCOMPARE(bytes.size(), 6 + 4 + 2 + 2 + 2 + 2 + 2 + 1 + 8 + 1 + 4 + 1 + 2 + 1);
    }

    void exportFileName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::newRow("no point") << QStringLiteral("result") << QStringLiteral("result.TXT");
        QTest::newRow("lower-case suffix")
            << QStringLiteral("result.txt") << QStringLiteral("result.txt");
        QTest::newRow("other suffix") << QStringLiteral("a.b") << QStringLiteral("a.b");
        QTest::newRow("point only in the folder")
            << QStringLiteral("dir.x/result") << QStringLiteral("dir.x/result.TXT");
    }
    void exportFileName() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("dir.x")));
        FillList(Numbers(3));
        m_fake->saveFileNames << Path(chosen);
        Click(MainIds::kExport);
        QVERIFY(QFile::exists(Path(written)));
        if (written != chosen)
            QVERIFY(!QFile::exists(Path(chosen)));
        QCOMPARE(m_fake->shellOpened, QStringList{Path(written)});
    }

    void exportCancelled() {
        FillList(Numbers(3));
        Click(MainIds::kExport);
        QCOMPARE(m_fake->fileFilters, QStringList{kFilter});
        QCOMPARE(m_fake->shellOpened, QStringList());
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList());
    }

    void exportUnwritable_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("keptFile");
        QTest::newRow("parent is a file")
            << QStringLiteral("blocker/result.txt") << QStringLiteral("blocker");
        QTest::newRow("target is a folder")
            << QStringLiteral("folder.txt") << QStringLiteral("folder.txt/earlier.txt");
    }
    void exportUnwritable() {
        QFETCH(QString, chosen);
        QFETCH(QString, keptFile);
        QVERIFY(WriteBytes(Path("blocker"), "earlier"));
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("folder.txt")));
        QVERIFY(WriteBytes(Path("folder.txt/earlier.txt"), "earlier"));
        FillList(Numbers(3));
        m_fake->saveFileNames << Path(chosen);
        Click(MainIds::kExport);
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->messages.front().text.contains(Path(chosen)),
                 qPrintable(m_fake->messages.front().text));
        QCOMPARE(m_fake->shellOpened, QStringList());
        QCOMPARE(ReadBytes(Path(keptFile)), QByteArray("earlier"));
    }

#ifdef Q_OS_UNIX
    void exportFailingWriteKeepsEarlierFile() {
        QVERIFY(WriteBytes(Path("result.txt"), "earlier export"));
        FillList(Numbers(400)); // about 2,000 bytes
        m_fake->saveFileNames << Path("result.txt");
        {
            const FileSizeLimit limit(100);
            QVERIFY(limit.Active());
            Click(MainIds::kExport);
        }
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(m_fake->messages.front().text.contains(Path("result.txt")));
        QVERIFY(m_fake->messages.front().text.contains(QStringLiteral("写入不完整")));
        QCOMPARE(m_fake->shellOpened, QStringList());
        QCOMPARE(ReadBytes(Path("result.txt")), QByteArray("earlier export"));
        QCOMPARE(QDir(m_folder->path()).entryList(QDir::Files), QStringList{"result.txt"});
    }
#endif

    void exportChangesNothing() {
        FillList(Numbers(7));
        ResultBox()->setPlainText(kPlayerText);
        m_fake->saveFileNames << Path("a.txt") << Path("b.txt");
        Click(MainIds::kExport);
        Click(MainIds::kExport);
        QCOMPARE(ListItems(), Numbers(7));
        QCOMPARE(ResultBox()->toPlainText(), kPlayerText);
        QCOMPARE(ReadBytes(Path("a.txt")).left(40), ReadBytes(Path("b.txt")).left(40));
    }

    void toGroup_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QStringList>("group");
        QTest::addColumn<QString>("resultText");
        QTest::newRow("123 213 321 456")
            << QStringList{"123", "213", "321", "456"} << QStringList{"123", "456"}
            << QStringLiteral("123\t456\t");
        QTest::newRow("first seen is 213")
            << QStringList{"213", "231", "321"} << QStringList{"213"} << QStringLiteral("213\t");
        QTest::newRow("pairs and triples")
            << QStringList{"111", "112", "121", "211"} << QStringList{"111", "112"}
            << QStringLiteral("111\t112\t");
        QTest::newRow("empty") << QStringList() << QStringList() << QString();
        QTest::newRow("six representatives")
            << QStringList{"012", "021", "034", "056", "078", "123", "345", "543"}
            << QStringList{"012", "034", "056", "078", "123", "345"}
            << QStringLiteral("012\t034\t056\t078\t123\t\n345\t");
    }
    void toGroup() {
        QFETCH(QStringList, items);
        QFETCH(QStringList, group);
        QFETCH(QString, resultText);
        FillList(items);
        ResultBox()->setPlainText(kPlayerText);
        Click(MainIds::kToGroup);
        QCOMPARE(ListItems(), group);
        QCOMPARE(ResultBox()->toPlainText(), resultText);
        QCOMPARE(m_window->m_strResult, resultText);
        const QString count = QStringLiteral("组选号码剩%1注").arg(group.size());
        QCOMPARE(m_window->m_strCount, count);
        QCOMPARE(m_window->DlgItem<QLabel>(MainIds::kCount)->text(), count);
        const QByteArray file =
            group.isEmpty() ? QByteArray() : group.join("\r\n").toLatin1() + "\r\n";
        QCOMPARE(ReadBytes(Path("tarvex.txt")), file);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    void toGroupTwiceChangesNothing() {
        FillList({"123", "132", "456", "654", "789"});
        Click(MainIds::kToGroup);
        const QByteArray first = ReadBytes(Path("tarvex.txt"));
        Click(MainIds::kToGroup);
        QCOMPARE(ListItems(), (QStringList{"123", "456", "789"}));
        QCOMPARE(ReadBytes(Path("tarvex.txt")), first);
    }

    void toGroupWithoutOutputFile() {
        QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("tarvex.txt")));
        FillList({"123", "321", "456"});
        Click(MainIds::kToGroup);
        QCOMPARE(ListItems(), (QStringList{"123", "456"}));
        QCOMPARE(ResultBox()->toPlainText(), QStringLiteral("123\t456\t"));
        QCOMPARE(m_window->m_strCount, QStringLiteral("组选号码剩2注"));
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->messages.front().text.contains(QStringLiteral("tarvex.txt")),
                 qPrintable(m_fake->messages.front().text));
    }

private:
    QString Path(const QString& name) const {
        return m_folder->filePath(name);
    }
    QTextEdit* ResultBox() const {
        return m_window->DlgItem<QTextEdit>(MainIds::kResultBox);
    }
    void FillList(const QStringList& items) const {
        List()->clear();
        List()->addItems(items);
    }
    QStringList ListItems() const {
        QStringList items;
        for (int row = 0; row < List()->count(); ++row)
            items << List()->item(row)->text();
        return items;
    }
};

QTEST_MAIN(TestNumberSets)
#include "tst_numbersets.moc"
