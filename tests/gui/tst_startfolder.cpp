// Where the outputs go when the program is started from the desktop menu.
#include "app/shared/CApp.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestStartFolder : public QObject {
    Q_OBJECT
private slots:
    void init() { m_oldDir = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(m_oldDir); }

    void menuStartWorksInTarvexUnderDocuments() {
        QTemporaryDir documents;
        QVERIFY(documents.isValid());
        QCOMPARE(CApp::EnterOutputFolder(documents.path()), QString());
        const QString expected = QFileInfo(documents.path() + "/tarvex").canonicalFilePath();
        QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(), expected);
        // The second start finds the folder made by the first.
        QVERIFY(QDir::setCurrent(m_oldDir));
        QCOMPARE(CApp::EnterOutputFolder(documents.path()), QString());
        QCOMPARE(QFileInfo(QDir::currentPath()).canonicalFilePath(), expected);
    }

    void unusableFolderIsNamedAndTheFolderKept_data() {
        QTest::addColumn<bool>("noDocuments");
        QTest::newRow("a file where the folder goes") << false;
        QTest::newRow("no documents folder") << true;
    }
    void unusableFolderIsNamedAndTheFolderKept() {
        QFETCH(bool, noDocuments);
        QTemporaryDir documents;
        QFile blocker(documents.filePath(QStringLiteral("tarvex")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        const QString before = QDir::currentPath();
        const QString problem = CApp::EnterOutputFolder(noDocuments ? QString() : documents.path());
        QVERIFY(!problem.isEmpty());
        QVERIFY2(problem.contains(QDir::toNativeSeparators(before)), qPrintable(problem));
        QCOMPARE(QDir::currentPath(), before);
    }

    // The menu entry is what tells the program it was started from the menu.
    void desktopEntryStartsFromTheMenu() {
        QFile entry(QStringLiteral(TARVEX_SOURCE_DIR "/res/tarvex.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.contains("\nExec=tarvex --from-menu %f\n"));
    }

private:
    QString m_oldDir;
};

QTEST_MAIN(TestStartFolder)
#include "tst_startfolder.moc"
