#include "framework/CUnattendedPlatform.h"

#include <cstdio>

void CUnattendedPlatform::Message(QWidget*, const QString& text, const QString&, Icon) {
    m_messages << text;
    std::fprintf(stderr, "tarvex: %s\n", text.toUtf8().constData());
}

bool CUnattendedPlatform::AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    Message(parent, text, caption, Icon::None);
    return false;
}

QString CUnattendedPlatform::GetOpenFileName(QWidget*, const QString&) {
    return {};
}

QString CUnattendedPlatform::GetSaveFileName(QWidget*, const QString&) {
    return {};
}

int CUnattendedPlatform::ShellOpen(const QString&) {
    return 0;
}

int CUnattendedPlatform::StartProcess(const QString&) {
    return 0;
}

void CUnattendedPlatform::Beep() {}

std::optional<QFont> CUnattendedPlatform::ChooseFont(QWidget*, const QFont&) {
    return std::nullopt;
}

void CUnattendedPlatform::WriteProfileString(const QString&, const QString&, const QString&) {}
