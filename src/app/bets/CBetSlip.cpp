#include "app/bets/CBetSlip.h"

#include "io/NativeFileName.h"
#include "io/TextFileWriter.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

QString CBetSlip::Heading() const {
    QString heading = QStringLiteral("%1 投注单").arg(lottery);
    if (!issue.isEmpty())
        heading += QStringLiteral(" 第%1期").arg(issue);
    return heading + QStringLiteral(" %1").arg(date.toString(QStringLiteral("yyyy-MM-dd")));
}

std::string CBetSlip::Text() const {
    QString text = Heading() + u'\n';
    text += QStringLiteral("玩法 %1，%2注，%3倍，金额 %4元\n")
                .arg(way)
                .arg(figures.bets)
                .arg(figures.multiple)
                .arg(figures.cost);
    for (const tarvex::Ticket& ticket : tickets)
        text += QString::fromStdString(ticket.Line()) + u'\n';
    text += QStringLiteral("中奖机会 %1，期望奖金 %2元，期望回报 %3，期望亏损 %4元\n")
                .arg(QString::fromStdString(figures.ChanceText()),
                     QString::fromStdString(tarvex::BetFigures::Yuan(figures.expectedPrize)),
                     QString::fromStdString(figures.ReturnText()),
                     QString::fromStdString(tarvex::BetFigures::Yuan(figures.ExpectedLoss())));
    return text.toStdString();
}

QString CBetSlip::ExportGbk(const QString& path) const {
    return tarvex::TextFileWriter::WriteGbk(path, Text());
}

QString CBetSlip::ExportUtf8(const QString& path) const {
    return tarvex::TextFileWriter::WriteBytes(path, QByteArray::fromStdString(Text()));
}

// Drawn into memory first, so that a failed write leaves an earlier file as it was; the lines
// shrink to fit one page, however many tickets there are.
QString CBetSlip::PrintPdf(const QString& path) const {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setTitle(Heading());
        pdf.setCreator(QStringLiteral("tarvex"));
        QPainter painter(&pdf);
        if (!painter.isActive())
            return QStringLiteral("无法生成 PDF：%1").arg(tarvex::NativeFileName::Shown(path));
        const QStringList lines = QString::fromStdString(Text()).split(u'\n', Qt::SkipEmptyParts);
        const QRect page = painter.viewport();
        const int lineHeight = std::min(page.height() / std::max<int>(lines.size(), 1), 90);
        QFont font(QStringLiteral("SimSun"));
        font.setPixelSize(std::max(lineHeight * 3 / 4, 4));
        painter.setFont(font);
        int y = lineHeight;
        for (const QString& line : lines) {
            painter.drawText(QPoint(0, y), line);
            y += lineHeight;
        }
    }
    return tarvex::TextFileWriter::WriteBytes(path, buffer.data());
}
