#include "app/main/CMainDialog.h"
#include "app/main/MainControlIds.h"

// Every member with its control, in the order of the settings model.
void CMainDialog::DoDataExchange(CDataExchange& dx) {
    dx.Text(MainIds::kCount, m_strCount);
    for (int d = 0; d < 10; ++d)
        dx.Check(MainIds::kSumTail[d], m_bSumTail[d]);
    dx.Int(MainIds::kSumLow, m_nSumLow);
    dx.Int(MainIds::kSumHigh, m_nSumHigh);
    for (int d = 0; d < 10; ++d)
        dx.Check(MainIds::kDan[d], m_bDan[d]);
    for (int p = 0; p < 3; ++p)
        dx.Text(MainIds::kExclude[p], m_strExclude[p]);
    dx.Check(MainIds::kExcludeCompound, m_bExcludeCompound);
    dx.Check(MainIds::kPositionalKillBox, m_bPositionalKill);
    for (int p = 0; p < 3; ++p)
        dx.Text(MainIds::kPositionalKill[p], m_strPositionalKill[p]);
    for (int p = 0; p < 3; ++p)
        dx.Text(MainIds::kCompound[p], m_strCompound[p]);
    dx.Check(MainIds::kCompoundInput, m_bCompoundInput);
    dx.Text(MainIds::kResultBox, m_strResult);
    dx.Check(MainIds::kBaseSet, m_bBaseSet);
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
    dx.Check(MainIds::kBaseIsGroup, m_bBaseIsGroup);
    dx.Text(MainIds::kHint, m_strHint);
    for (int c = 0; c < 27; ++c)
        dx.Check(MainIds::kRouteFirst + c, m_bRoute[c]);
    for (int c = 0; c < 8; ++c)
        dx.Check(MainIds::kPrimeComposite[c], m_bPrimeComposite[c]);
    dx.Check(MainIds::kKillSums, m_bKillSums);
    dx.Text(MainIds::kSums, m_strSums);
    for (int k = 0; k < 4; ++k)
        dx.Check(MainIds::kMatchCount[k], m_bMatchCount[k]);
    dx.Text(MainIds::kMatchNumbers, m_strMatchDigits);
    dx.Check(MainIds::kMatchFilter, m_bMatchFilter);
    dx.ComboIndex(MainIds::kPerRow, m_nPerRow);
    dx.ComboIndex(MainIds::kToleranceLevel, m_nLevel);
    dx.Text(MainIds::kToleranceText, m_strTolerance);
    dx.Check(MainIds::kPositionSize, m_bPositionSize);
    dx.Text(MainIds::kLastDraw, m_strLastDraw);
    dx.Text(MainIds::kLastDrawLabel, m_strLastDrawLabel);
    for (int k = 1; k <= 3; ++k)
        dx.Check(MainIds::kAc[k], m_bAc[k]);
}
