#include "app/analysis/CAnalysisDlg.h"
#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"
#include "dan/DanCalculator.h"
#include "framework/Platform.h"

#include <QAbstractButton>

namespace {

const char* const kLastDrawLabel = "输入上期开奖号";
const char* const kMethod3Label = "期尾+上期奖号";

} // namespace

void CMainDialog::ConnectDanHandlers() {
    auto onClick = [this](int id, void (CMainDialog::*handler)()) {
        connect(DlgItem<QAbstractButton>(id), &QAbstractButton::clicked, this, handler);
    };
    onClick(MainIds::kDanMethod1, &CMainDialog::OnDanMethod1);
    onClick(MainIds::kDanMethod2, &CMainDialog::OnDanMethod2);
    onClick(MainIds::kDanMethod3, &CMainDialog::OnDanMethod3);
    onClick(MainIds::kCalcDan, &CMainDialog::OnCalcDan);
    onClick(MainIds::kAnalysis, &CMainDialog::OnAnalysis);
}

// The radio already shows the new method, so the member follows it even when the exchange
// was refused; the texts are only rewritten after a complete read, so nothing typed is lost.
bool CMainDialog::SelectDanMethod(int method) {
    const bool read = UpdateData(true);
    m_nDanMethod = method;
    return read;
}

void CMainDialog::OnDanMethod1() {
    if (!SelectDanMethod(1))
        return;
    m_strLastDrawLabel = QString::fromUtf8(kLastDrawLabel);
    UpdateData(false);
}

void CMainDialog::OnDanMethod2() {
    if (!SelectDanMethod(2))
        return;
    m_strLastDrawLabel = QString::fromUtf8(kLastDrawLabel);
    UpdateData(false);
}

void CMainDialog::OnDanMethod3() {
    if (!SelectDanMethod(3))
        return;
    m_strLastDrawLabel = QString::fromUtf8(kMethod3Label);
    m_strLastDraw = QString::fromUtf8(tarvex::kDanMethod3Hint);
    UpdateData(false);
}

void CMainDialog::OnCalcDan() {
    if (!UpdateData(true) || m_strLastDraw.isEmpty())
        return;
    const tarvex::DanResult result = tarvex::CalcDan(m_nDanMethod, m_strLastDraw.toStdString());
    if (result.refused()) {
        Platform().Message(this, QString::fromStdString(result.message));
        return;
    }
    m_strLastDraw = QString::fromStdString(result.text);
    UpdateData(false);
}

void CMainDialog::OnAnalysis() {
    CAnalysisDlg analysis(this,
                          [this](const tarvex::ItemCondition& item, tarvex::ItemAction action) {
                              return ApplyAnalysisCondition(item, action);
                          });
    analysis.exec();
}

// As 应用到下期 does: the controls are read, the condition added, and all shown again, so the
// members and the next 杀组合 have it at once.
bool CMainDialog::ApplyAnalysisCondition(const tarvex::ItemCondition& item,
                                         tarvex::ItemAction action) {
    const std::optional<tarvex::Settings> settings = ReadSettings();
    if (!settings)
        return false;
    tarvex::Settings applied = tarvex::ApplyItemCondition(*settings, item, action);
    applied.rules = m_rules;
    ApplySettings(applied);
    return true;
}
