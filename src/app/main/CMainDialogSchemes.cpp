#include "app/audit/CAuditDlg.h"
#include "app/backtest/CBacktestDlg.h"
#include "app/main/CMainDialog.h"
#include "app/rules/CRuleDlg.h"
#include "app/rules/FormulaSearchMemory.h"
#include "framework/CSystemMenu.h"
#include "framework/Platform.h"
#include "history/RuleApply.h"
#include "io/NativeFileName.h"
#include "io/SchemeFile.h"

#include <QAction>
#include <QWidget>

namespace {

const char* const kSchemeFilter = "方案文件(*.json)|*.json||";

// A save dialog may hand back a name without the extension the filter asked for.
QString WithJsonSuffix(const QString& path) {
    return path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive) ? path : path + ".json";
}

} // namespace

void CMainDialog::AddSchemeMenuItems() {
    m_systemMenu->AddItem(kSaveSchemeCommand, QStringLiteral("保存方案(&S)..."));
    m_systemMenu->AddItem(kLoadSchemeCommand, QStringLiteral("载入方案(&L)..."));
    m_systemMenu->AddItem(kBacktestCommand, QStringLiteral("历史回测(&B)..."));
    m_systemMenu->AddItem(kAnalysisCommand, QStringLiteral("号码分析(&N)..."));
    m_systemMenu->AddItem(kRulesCommand, QStringLiteral("公式杀号(&F)..."));
    m_systemMenu->AddItem(kOutputFolderCommand, QStringLiteral("打开输出文件夹(&O)"));
    m_systemMenu->AddItem(kSetsCommand, QStringLiteral("多方案(&M)..."));
    AddBetItems();
    m_systemMenu->AddItem(kDrawEntryCommand, QStringLiteral("录入开奖号码(&D)..."));
    m_systemMenu->AddItem(kDrawUpdateCommand, QStringLiteral("更新开奖数据(&U)"));
    AddRecordMenuItems();
    // After the items players know, which keep their places.
    m_systemMenu->AddItem(kAuditCommand, QStringLiteral("随机性检验(&J)..."))
        ->setObjectName(QStringLiteral("auditMenuItem"));
}

bool CMainDialog::OnSchemeCommand(int id) {
    switch (id) {
    case kSaveSchemeCommand:
        OnSaveScheme();
        return true;
    case kLoadSchemeCommand:
        OnLoadScheme();
        return true;
    case kBacktestCommand:
        OnBacktest();
        return true;
    case kAnalysisCommand:
        OnAnalysis();
        return true;
    case kAuditCommand:
        OnAudit();
        return true;
    case kRulesCommand:
        OnRules();
        return true;
    case kOutputFolderCommand:
        OnOpenOutputFolder();
        return true;
    case kSetsCommand:
        OnSets();
        return true;
    case kBetsCommand:
        OnBets();
        return true;
    case kDrawEntryCommand:
        OnDrawEntry();
        return true;
    case kDrawUpdateCommand:
        OnDrawUpdate();
        return true;
    default:
        return OnRecordCommand(id);
    }
}

void CMainDialog::OnSaveScheme() {
    const QString path = Platform().GetSaveFileName(this, QString::fromUtf8(kSchemeFilter));
    if (!path.isEmpty())
        SaveScheme(WithJsonSuffix(path));
}

void CMainDialog::OnLoadScheme() {
    const QString path = Platform().GetOpenFileName(this, QString::fromUtf8(kSchemeFilter));
    if (!path.isEmpty())
        LoadScheme(path);
}

bool CMainDialog::SaveScheme(const QString& path) {
    InitDialog();
    const std::optional<tarvex::Settings> settings = ReadSettings();
    if (!settings)
        return false;
    const QString failure = tarvex::SchemeFile::Save(path, *settings);
    if (!failure.isEmpty()) {
        Platform().Message(this, QStringLiteral("方案没有保存：%1").arg(failure));
        return false;
    }
    return true;
}

// The whole file is read and checked before anything in the window changes.
bool CMainDialog::LoadScheme(const QString& path) {
    InitDialog();
    const tarvex::SchemeReadResult scheme = tarvex::SchemeFile::Load(path);
    if (!scheme.ok()) {
        QString text = scheme.error;
        const QString shown = tarvex::NativeFileName::ShownName(path);
        if (!text.contains(shown))
            text = QStringLiteral("方案文件“%1”有误：%2").arg(shown, text);
        Platform().Message(this, text);
        return false;
    }
    ApplySettings(scheme.settings);
    return true;
}

void CMainDialog::OnBacktest() {
    const std::optional<tarvex::Settings> settings = ReadSettings();
    if (!settings)
        return;
    CBacktestDlg dialog(*settings, m_nLevel + 1, this);
    dialog.exec();
}

void CMainDialog::OnAudit() {
    CAuditDlg dialog(this);
    dialog.exec();
}

void CMainDialog::OnRules() {
    if (!m_searchMemory)
        m_searchMemory = std::make_shared<FormulaSearchMemory>();
    CRuleDlg dialog(
        m_rules, [this](const auto& rules, const auto& values) { ApplyRulesToNext(rules, values); },
        this, m_searchMemory);
    if (dialog.exec() == QDialog::Accepted)
        m_rules = dialog.Rules();
}

void CMainDialog::ApplyRulesToNext(const std::vector<tarvex::Rule>& rules,
                                   const std::vector<int>& values) {
    const std::optional<tarvex::Settings> settings = ReadSettings();
    if (!settings)
        return;
    tarvex::Settings applied = tarvex::ApplyRuleValues(*settings, rules, values);
    // The window's own rules stay until 确定 writes the dialog's back.
    applied.rules = m_rules;
    ApplySettings(applied);
}
