#include "app/shared/CApp.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

// Qt's standard buttons and file dialogs speak Chinese once the translations are in; the
// classic window's own texts never depend on them.
class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void standardButtonsSpeakChinese() {
        if (!CApp::InstallQtTranslations(*QCoreApplication::instance()))
            QSKIP("Qt's Chinese translations (qt6-translations-l10n) are not installed");
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Yes | QDialogButtonBox::No);
        QCOMPARE(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
        QVERIFY2(!box.button(QDialogButtonBox::Ok)->text().contains(QLatin1String("OK")),
                 qPrintable(box.button(QDialogButtonBox::Ok)->text()));
        QVERIFY(box.button(QDialogButtonBox::Yes)->text().startsWith(QStringLiteral("是")));
        QVERIFY(box.button(QDialogButtonBox::No)->text().startsWith(QStringLiteral("否")));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
