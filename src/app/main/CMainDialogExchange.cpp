#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"

// Every member with its control, in the order of the settings model.
void CMainDialog::DoDataExchange(CDataExchange& dx) {
    dx.Text(1005, m_strCount);
    for (int d = 0; d < 10; ++d)
        dx.Check(MainIds::kSumTail[d], m_bSumTail[d]);
    dx.Int(1016, m_nSumLow);
    dx.Int(1017, m_nSumHigh);
    for (int d = 0; d < 10; ++d)
        dx.Check(MainIds::kDan[d], m_bDan[d]);
    for (int p = 0; p < 3; ++p)
        dx.Text(MainIds::kExclude[p], m_strExclude[p]);
    dx.Check(1035, m_bExcludeCompound);
    dx.Check(1047, m_bPositionalKill);
    for (int p = 0; p < 3; ++p)
        dx.Text(MainIds::kPositionalKill[p], m_strPositionalKill[p]);
    for (int p = 0; p < 3; ++p)
        dx.Text(MainIds::kCompound[p], m_strCompound[p]);
    dx.Check(1051, m_bCompoundInput);
    dx.Text(1042, m_strResult);
    dx.Check(1039, m_bBaseSet);
    for (int d = 0; d < 10; ++d)
        dx.Check(MainIds::kSpan[d], m_bSpan[d]);
    for (int c = 0; c < 8; ++c)
        dx.Check(MainIds::kBigSmall[c], m_bBigSmall[c]);
    for (int c = 0; c < 8; ++c)
        dx.Check(MainIds::kOddEven[c], m_bOddEven[c]);
    for (int c = 0; c < 3; ++c)
        dx.Check(MainIds::kShape[c], m_bShape[c]);
    for (int k = 0; k < 3; ++k)
        dx.Check(MainIds::kConsecutive[k], m_bConsecutive[k]);
    dx.Check(1093, m_bBaseIsGroup);
    dx.Text(1002, m_strHint);
    for (int c = 0; c < 27; ++c)
        dx.Check(MainIds::kRouteFirst + c, m_bRoute[c]);
    for (int c = 0; c < 8; ++c)
        dx.Check(MainIds::kPrimeComposite[c], m_bPrimeComposite[c]);
    dx.Check(1135, m_bKillSums);
    dx.Text(1131, m_strSums);
    for (int k = 0; k < 4; ++k)
        dx.Check(MainIds::kMatchCount[k], m_bMatchCount[k]);
    dx.Text(1159, m_strMatchDigits);
    dx.Check(1173, m_bMatchFilter);
    dx.ComboIndex(1182, m_nPerRow);
    dx.ComboIndex(1183, m_nLevel);
    dx.Text(1185, m_strTolerance);
    dx.Check(1194, m_bPositionSize);
    dx.Text(1199, m_strLastDraw);
    dx.Text(1208, m_strLastDrawLabel);
    for (int k = 1; k <= 3; ++k)
        dx.Check(MainIds::kAc[k], m_bAc[k]);
}
