#pragma once

#include "history/BetFigures.h"
#include "history/Ticket.h"

#include <QDate>
#include <QString>

#include <string>
#include <vector>

// What 投注 writes: the tickets as text (GBK with CR LF, or UTF-8) and a one-page PDF slip.
// Each function returns an empty text on success, otherwise a message naming file and reason.
struct CBetSlip {
    QString lottery; // 3D or 排列3
    QString issue;   // the target 期号; may be empty
    QDate date;
    QString way; // 直选 组选 混合
    tarvex::BetFigures figures;
    std::vector<tarvex::Ticket> tickets;

    // The slip as UTF-8 text with "\n" line ends.
    std::string Text() const;
    QString ExportGbk(const QString& path) const;
    QString ExportUtf8(const QString& path) const;
    QString PrintPdf(const QString& path) const;

private:
    QString Heading() const;
};
