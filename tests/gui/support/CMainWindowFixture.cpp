#include "CMainWindowFixture.h"
#include "app/main/MainControlIds.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QTextEdit>
#include <QtTest>

void CMainWindowFixture::Start() {
    m_fake = std::make_unique<CFakePlatform>();
    m_fake->Install();
    m_folder = std::make_unique<CWorkFolder>();
    QVERIFY(m_folder->isValid());
    m_window = std::make_unique<CMainDialog>();
    m_window->show();
    QVERIFY(m_window->IsInitialised());
}

void CMainWindowFixture::Stop() {
    m_window.reset();
    m_folder.reset();
    m_fake.reset();
}

void CMainWindowFixture::Click(int id) const {
    auto* button = m_window->DlgItem<QAbstractButton>(id);
    QVERIFY2(button, qPrintable(QString::number(id)));
    QVERIFY2(button->isEnabled(), qPrintable(QString::number(id)));
    button->click();
}

QString CMainWindowFixture::ResultBox() const {
    return m_window->DlgItem<QTextEdit>(MainIds::kResultBox)->toPlainText();
}

QListWidget* CMainWindowFixture::List() const {
    return m_window->DlgItem<QListWidget>(MainIds::kResultList);
}
