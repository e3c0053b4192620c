#include "CFakePlatform.h"
#include "CWorkFolder.h"
#include "TestFiles.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QtTest>

namespace {

// "000\t\r\n001\t\r\n" … for the numbers first..last, one on each line.
QByteArray OnePerLine(int first, int last) {
    QByteArray bytes;
    for (int n = first; n <= last; ++n)
        bytes += QByteArray::number(n).rightJustified(3, '0') + "\t\r\n";
    return bytes;
}

} // namespace

// What the window does with files and stored values it cannot use: it says so, or falls back
// as documented, and never loses the result it shows.
class TestHostile : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_fake = std::make_unique<CFakePlatform>();
        m_fake->Install();
        m_dir = std::make_unique<CWorkFolder>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() {
        m_dialog.reset();
        m_dir.reset();
        m_fake.reset();
    }

    void storedPerRowOutOfRange_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("letters") << "abc" << 0;
        QTest::newRow("negative") << "-5" << -1;
        QTest::newRow("too large") << "99" << -1;
    }
    void storedPerRowOutOfRange() {
        QFETCH(QString, stored);
        QFETCH(int, index);
        m_fake->profile.insert(QStringLiteral("row/row"), stored);
        Open();
        QCOMPARE(m_dialog->DlgItem<QComboBox>(MainIds::kPerRow)->currentIndex(), index);

        Click(MainIds::kKillRun);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        QCOMPARE(ReadBytes(Path("tarvex.txt")), OnePerLine(0, 999));

        m_fake->saveFileNames << Path("export.txt");
        Click(MainIds::kExport);
        const QByteArray exported = ReadBytes(Path("export.txt"));
        QVERIFY2(exported.startsWith(OnePerLine(0, 999) + "\r\n"), exported.left(40).constData());
        QCOMPARE(exported.count("\r\n"), 1001);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
    }

    // Tests run as root, for whom a read-only folder is still writable: a folder standing
    // where the file goes makes the write fail instead.
    void killRunWithResultFileBlocked() {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("tarvex.txt")));
        Open();
        Click(MainIds::kKillRun);
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->messages.front().text.contains(QStringLiteral("tarvex.txt")),
                 qPrintable(m_fake->messages.front().text));
        QCOMPARE(List()->count(), 1000);
        QVERIFY(
            ResultBox()->toPlainText().startsWith(QStringLiteral("000\t001\t002\t003\t004\t\n")));
        QVERIFY(m_dialog->DlgItem<QPushButton>(MainIds::kExport)->isEnabled());
        QVERIFY(QFileInfo(Path("tarvex.txt")).isDir());
    }

    void toleranceWithReportBlocked() {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("排除号码原因.txt")));
        Open();
        Click(MainIds::kKillRun);
        QCOMPARE(m_fake->MessageTexts(), QStringList());
        const QString shown = ResultBox()->toPlainText();
        Click(MainIds::kToleranceRun);
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY2(m_fake->messages.front().text.contains(QStringLiteral("排除号码原因.txt")),
                 qPrintable(m_fake->messages.front().text));
        QCOMPARE(List()->count(), 1000);
        QCOMPARE(ResultBox()->toPlainText(), shown);
    }

    void baseFileGoneBeforeReading_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("deleted after choosing") << QStringLiteral("base.txt");
        QTest::newRow("path under a file") << QStringLiteral("plain/base.txt");
        QTest::newRow("folder") << QStringLiteral("folder.txt");
    }
    void baseFileGoneBeforeReading() {
        QFETCH(QString, name);
        QVERIFY(WriteBytes(Path("plain"), "123"));
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder.txt")));
        Open();
        Click(MainIds::kKillRun);
        const QString shown = ResultBox()->toPlainText();
        QVERIFY(!shown.isEmpty());
        m_dialog->DlgItem<QCheckBox>(MainIds::kBaseSet)->click();
        QCOMPARE(m_fake->MessageTexts(), QStringList());

        // The dialog hands back a name whose file is no longer there to read.
        m_fake->openFileNames << Path(name);
        Click(MainIds::kChooseBase);
        QCOMPARE(m_fake->messages.size(), 1);
        QVERIFY(!m_fake->messages.front().text.trimmed().isEmpty());
        QCOMPARE(ResultBox()->toPlainText(), shown);
        QCOMPARE(List()->count(), 1000);
    }

private:
    void Open() {
        m_dialog = std::make_unique<CMainDialog>();
        m_dialog->show();
    }
    QString Path(const QString& name) const { return m_dir->filePath(name); }
    QTextEdit* ResultBox() const { return m_dialog->DlgItem<QTextEdit>(MainIds::kResultBox); }
    QListWidget* List() const { return m_dialog->DlgItem<QListWidget>(MainIds::kResultList); }
    void Click(int id) const {
        auto* button = m_dialog->DlgItem<QPushButton>(id);
        QVERIFY(button && button->isEnabled());
        button->click();
    }

    std::unique_ptr<CFakePlatform> m_fake;
    std::unique_ptr<CWorkFolder> m_dir;
    std::unique_ptr<CMainDialog> m_dialog;
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
