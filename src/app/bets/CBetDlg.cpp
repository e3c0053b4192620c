#include "app/bets/CBetDlg.h"

#include "framework/Platform.h"
#include "history/TicketBuilder.h"
#include "io/SetMember.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

const char* const kFileFilter = "号码文件或方案(*.txt *.json)|*.txt;*.TXT;*.json||";
const char* const kTextFilter = "文件名(*.TXT)|*.TXT||";
const char* const kPdfFilter = "PDF 文件(*.pdf)|*.pdf||";
const char* const kLotteries[] = {"3D", "排列3"};

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

QString WithSuffix(const QString& path, const QString& suffix) {
    return QFileInfo(path).suffix().isEmpty() ? path + suffix : path;
}

} // namespace

CBetDlg::CBetDlg(ReadResult readResult, NextIssues nextIssues, QWidget* parent)
    : QDialog(parent), m_readResult(std::move(readResult)), m_nextIssues(std::move(nextIssues)) {
    setWindowTitle(QStringLiteral("投注"));
    setObjectName(QStringLiteral("betDialog"));
    BuildLayout();
    LoadPrizes();
    OnLotteryChanged();
    UseResult();
}

void CBetDlg::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildSource());
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildFigures(), 1);
    middle->addWidget(BuildPrizes());
    layout->addLayout(middle);
    m_ticketCount = new QLabel(this);
    m_ticketCount->setObjectName(QStringLiteral("ticketCount"));
    layout->addWidget(m_ticketCount);
    m_ticketText = new QPlainTextEdit(this);
    m_ticketText->setObjectName(QStringLiteral("tickets"));
    m_ticketText->setReadOnly(true);
    m_ticketText->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_ticketText->setMinimumHeight(90);
    layout->addWidget(m_ticketText, 1);
    layout->addWidget(BuildButtons());
}

QWidget* CBetDlg::BuildSource() {
    auto* box = new QGroupBox(QStringLiteral("号码"), this);
    auto* grid = new QGridLayout(box);
    m_source = new QLabel(box);
    m_source->setObjectName(QStringLiteral("source"));
    auto* useResult = new QPushButton(QStringLiteral("用结果框(&R)"), box);
    useResult->setObjectName(QStringLiteral("useResult"));
    auto* chooseFile = new QPushButton(QStringLiteral("选择文件(&F)..."), box);
    chooseFile->setObjectName(QStringLiteral("chooseFile"));
    grid->addWidget(m_source, 0, 0, 1, 6);
    grid->addWidget(useResult, 0, 6);
    grid->addWidget(chooseFile, 0, 7);

    m_way = new QComboBox(box);
    m_way->setObjectName(QStringLiteral("playWay"));
    for (const tarvex::PlayWay way :
         {tarvex::PlayWay::Direct, tarvex::PlayWay::Group, tarvex::PlayWay::Mixed})
        m_way->addItem(QString::fromUtf8(tarvex::BetPlan::WayName(way)), int(way));
    m_multiple = new QSpinBox(box);
    m_multiple->setObjectName(QStringLiteral("multiple"));
    m_multiple->setRange(1, tarvex::PlayRules::kMaxMultiple);
    m_lottery = new QComboBox(box);
    m_lottery->setObjectName(QStringLiteral("lottery"));
    for (const char* lottery : kLotteries)
        m_lottery->addItem(QString::fromUtf8(lottery));
    m_issue = new QLineEdit(box);
    m_issue->setObjectName(QStringLiteral("issue"));
    m_issue->setMaxLength(7);
    m_issue->setInputMask(QString());
    const std::pair<const char*, QWidget*> row[] = {
        {"玩法(&W)", m_way}, {"倍数(&X)", m_multiple}, {"彩种", m_lottery}, {"期号", m_issue}};
    int column = 0;
    for (const auto& [caption, field] : row) {
        auto* label = new QLabel(QString::fromUtf8(caption), box);
        label->setBuddy(field);
        grid->addWidget(label, 1, column++);
        grid->addWidget(field, 1, column++);
    }
    grid->setColumnStretch(column, 1); // wider, the window leaves the fields their size
    connect(useResult, &QPushButton::clicked, this, &CBetDlg::UseResult);
    connect(chooseFile, &QPushButton::clicked, this, &CBetDlg::OnChooseFile);
    connect(m_way, &QComboBox::currentIndexChanged, this, &CBetDlg::Refresh);
    connect(m_multiple, &QSpinBox::valueChanged, this, &CBetDlg::Refresh);
    connect(m_lottery, &QComboBox::currentIndexChanged, this, &CBetDlg::OnLotteryChanged);
    return box;
}

QWidget* CBetDlg::BuildPrizes() {
    auto* box = new QGroupBox(QStringLiteral("奖金（元，每注 1 倍）"), this);
    auto* form = new QFormLayout(box);
    const char* const names[] = {"prizeDirect", "prizeGroup3", "prizeGroup6"};
    for (std::size_t i = 0; i < m_prizes.size(); ++i) {
        m_prizes[i] = new QSpinBox(box);
        m_prizes[i]->setObjectName(QString::fromUtf8(names[i]));
        m_prizes[i]->setRange(0, static_cast<int>(tarvex::PrizeTable::kMaxPrize));
        form->addRow(QString::fromUtf8(tarvex::PlayRules::Name(static_cast<tarvex::Play>(i))),
                     m_prizes[i]);
        connect(m_prizes[i], &QSpinBox::valueChanged, this, &CBetDlg::OnPrizesChanged);
    }
    auto* restore = new QPushButton(QStringLiteral("恢复默认"), box);
    restore->setObjectName(QStringLiteral("restorePrizes"));
    connect(restore, &QPushButton::clicked, this, &CBetDlg::OnRestorePrizes);
    form->addRow(restore);
    m_prizeNote = new QLabel(box);
    m_prizeNote->setObjectName(QStringLiteral("prizeNote"));
    m_prizeNote->setWordWrap(true);
    form->addRow(m_prizeNote);
    return box;
}

QWidget* CBetDlg::BuildFigures() {
    auto* box = new QGroupBox(QStringLiteral("注数与金额"), this);
    auto* form = new QFormLayout(box);
    const std::pair<const char*, const char*> rows[] = {
        {"betCount", "注数"},           {"cost", "金额"},
        {"winChance", "中奖机会"},      {"expectedPrize", "期望奖金"},
        {"expectedReturn", "期望回报"}, {"expectedLoss", "期望亏损"}};
    for (const auto& [name, caption] : rows) {
        auto* value = new QLabel(box);
        value->setObjectName(QString::fromUtf8(name));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromUtf8(caption), value);
        m_values[QString::fromUtf8(name)] = value;
    }
    m_leftOut = new QLabel(box);
    m_leftOut->setObjectName(QStringLiteral("leftOutText"));
    m_leftOut->setWordWrap(true);
    form->addRow(m_leftOut);
    return box;
}

QWidget* CBetDlg::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_encoding = new QComboBox(row);
    m_encoding->setObjectName(QStringLiteral("exportEncoding"));
    m_encoding->addItems({QStringLiteral("GBK"), QStringLiteral("UTF-8")});
    auto* exportButton = new QPushButton(QStringLiteral("导出(&E)..."), row);
    exportButton->setObjectName(QStringLiteral("export"));
    auto* pdf = new QPushButton(QStringLiteral("打印成PDF(&P)..."), row);
    pdf->setObjectName(QStringLiteral("printPdf"));
    auto* close = new QPushButton(QStringLiteral("关闭"), row);
    close->setObjectName(QStringLiteral("close"));
    layout->addWidget(m_encoding);
    layout->addWidget(exportButton);
    layout->addWidget(pdf);
    layout->addStretch(1);
    layout->addWidget(close);
    connect(exportButton, &QPushButton::clicked, this, &CBetDlg::OnExport);
    connect(pdf, &QPushButton::clicked, this, &CBetDlg::OnPrintPdf);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    return row;
}

// A stored table that does not read is replaced by the defaults, and the player is told.
void CBetDlg::LoadPrizes() {
    const QString stored =
        Platform().ReadProfileString(QStringLiteral("bets"), QStringLiteral("prizes"), QString());
    std::string error;
    std::optional<tarvex::PrizeTable> table =
        tarvex::PrizeTable::Parse(stored.toStdString(), error);
    m_prizeNote->clear();
    if (!table) {
        if (!stored.isEmpty())
            m_prizeNote->setText(
                QStringLiteral("保存的奖金设置“%1”有误，已用默认值").arg(stored.left(40)));
        table = tarvex::PrizeTable{};
    }
    m_loading = true;
    for (std::size_t i = 0; i < m_prizes.size(); ++i)
        m_prizes[i]->setValue(static_cast<int>(table->prizes[i]));
    m_loading = false;
}

tarvex::PrizeTable CBetDlg::Prizes() const {
    tarvex::PrizeTable table;
    for (std::size_t i = 0; i < m_prizes.size(); ++i)
        table.prizes[i] = m_prizes[i]->value();
    return table;
}

void CBetDlg::OnPrizesChanged() {
    if (m_loading)
        return;
    Platform().WriteProfileString(QStringLiteral("bets"), QStringLiteral("prizes"),
                                  Text(Prizes().Text()));
    m_prizeNote->setText(Prizes().IsDefault() ? QString() : QStringLiteral("已改动，不是默认奖金"));
    Refresh();
}

void CBetDlg::OnRestorePrizes() {
    m_loading = true;
    for (std::size_t i = 0; i < m_prizes.size(); ++i)
        m_prizes[i]->setValue(static_cast<int>(tarvex::PrizeTable{}.prizes[i]));
    m_loading = false;
    OnPrizesChanged();
}

void CBetDlg::UseResult() {
    const tarvex::SetMember member = tarvex::SetMemberReader::Current(m_readResult());
    m_set = member.numbers;
    m_source->setText(QStringLiteral("结果框：%1 个号码").arg(member.Count()));
    Refresh();
}

bool CBetDlg::UseFile(const QString& path) {
    const tarvex::SetMember member = tarvex::SetMemberReader::Load(path, false);
    if (!member.ok()) {
        Platform().Message(this, member.error);
        return false;
    }
    m_set = member.numbers;
    m_source->setText(QStringLiteral("%1“%2”：%3 个号码")
                          .arg(member.kind == tarvex::SetMember::Kind::Scheme
                                   ? QStringLiteral("方案（杀组合后）")
                                   : QStringLiteral("号码文件"),
                               member.name)
                          .arg(member.Count()));
    Refresh();
    return true;
}

void CBetDlg::OnChooseFile() {
    const QString path = Platform().GetOpenFileName(this, QString::fromUtf8(kFileFilter));
    if (!path.isEmpty())
        UseFile(path);
}

void CBetDlg::OnLotteryChanged() {
    const auto it = m_nextIssues.find(m_lottery->currentText().toStdString());
    m_issue->setText(it == m_nextIssues.end() ? QString() : Text(it->second));
}

void CBetDlg::Refresh() {
    const auto way = static_cast<tarvex::PlayWay>(m_way->currentData().toInt());
    m_plan = tarvex::BetPlan::Of(m_set, way);
    m_figures = tarvex::BetFigures::Of(m_plan, Prizes(), m_multiple->value());
    m_tickets = tarvex::TicketBuilder::Build(m_plan);
    ShowFigures();
}

void CBetDlg::ShowFigures() {
    const tarvex::BetFigures& f = m_figures;
    m_values[QStringLiteral("betCount")]->setText(QString::number(f.bets));
    m_values[QStringLiteral("cost")]->setText(
        QStringLiteral("%1元（每注 2 元 × %2 倍）").arg(f.cost).arg(f.multiple));
    m_values[QStringLiteral("winChance")]->setText(
        QStringLiteral("%1（%2/1000 个开奖号码中奖）").arg(Text(f.ChanceText())).arg(f.covered));
    m_values[QStringLiteral("expectedPrize")]->setText(
        QStringLiteral("%1元").arg(Text(tarvex::BetFigures::Yuan(f.expectedPrize))));
    m_values[QStringLiteral("expectedReturn")]->setText(
        f.bets == 0 ? QStringLiteral("-")
                    : QStringLiteral("%1（每花 100 元平均拿回的钱；杀号改变不了它）")
                          .arg(Text(f.ReturnText())));
    m_values[QStringLiteral("expectedLoss")]->setText(
        QStringLiteral("%1元").arg(Text(tarvex::BetFigures::Yuan(f.ExpectedLoss()))));
    m_leftOut->setText(
        m_plan.leftOut == 0
            ? QString()
            : QStringLiteral("豹子 %1 个只能玩直选，组选已略去").arg(m_plan.leftOut));
    m_ticketCount->setText(QStringLiteral("票 %1 张").arg(m_tickets.size()));
    QString lines;
    for (const tarvex::Ticket& ticket : m_tickets)
        lines += Text(ticket.Line()) + u'\n';
    m_ticketText->setPlainText(lines);
}

CBetSlip CBetDlg::Slip() const {
    CBetSlip slip;
    slip.lottery = m_lottery->currentText();
    slip.issue = m_issue->text().trimmed();
    slip.date = QDate::currentDate();
    slip.way = m_way->currentText();
    slip.figures = m_figures;
    slip.tickets = m_tickets;
    return slip;
}

bool CBetDlg::Export(const QString& path, bool utf8) {
    const CBetSlip slip = Slip();
    const QString failure = utf8 ? slip.ExportUtf8(path) : slip.ExportGbk(path);
    if (!failure.isEmpty())
        Platform().Message(this, QStringLiteral("投注没有导出：%1").arg(failure));
    return failure.isEmpty();
}

bool CBetDlg::PrintPdf(const QString& path) {
    const QString failure = Slip().PrintPdf(path);
    if (!failure.isEmpty())
        Platform().Message(this, QStringLiteral("投注单没有保存：%1").arg(failure));
    return failure.isEmpty();
}

void CBetDlg::OnExport() {
    if (m_tickets.empty()) {
        Platform().Message(this, QStringLiteral("没有号码可以投注"));
        return;
    }
    const QString path = Platform().GetSaveFileName(this, QString::fromUtf8(kTextFilter));
    if (!path.isEmpty())
        Export(WithSuffix(path, QStringLiteral(".TXT")), m_encoding->currentIndex() == 1);
}

void CBetDlg::OnPrintPdf() {
    if (m_tickets.empty()) {
        Platform().Message(this, QStringLiteral("没有号码可以投注"));
        return;
    }
    const QString path = Platform().GetSaveFileName(this, QString::fromUtf8(kPdfFilter));
    if (!path.isEmpty())
        PrintPdf(WithSuffix(path, QStringLiteral(".pdf")));
}
