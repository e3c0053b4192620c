#pragma once

#include "app/main/CLivePreview.h"
#include "app/record/CRecordKeeper.h"
#include "app/sets/SetsDlgState.h"
#include "engine/Settings.h"
#include "framework/CDialog.h"
#include "history/ItemConditionApply.h"
#include "io/PlayerSession.h"

#include <QIcon>
#include <QStringList>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CHistoryWatch;
class CSystemMenu;
struct FormulaSearchMemory;
class QLabel;
class QPushButton;
class ConditionSheet;
class CPropertyPage;
class CPage1;
class CPage2;
class CPage3;
class CPage4;
class CPage5;
class Cpage6;
class CPage7;
class CPage8;
namespace tarvex {
struct KillOutcome;
struct ResultSplit;
} // namespace tarvex

// The main window: every condition control, bound to the members below by data exchange.
// The runs read only these members, after exchanging the controls into them.
class CMainDialog : public CDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 538; // dialog units
    static constexpr int kHeight = 382;
    static constexpr int kAboutCommand = 16;
    static constexpr int kSaveSchemeCommand = 32;
    static constexpr int kLoadSchemeCommand = 48;
    static constexpr int kBacktestCommand = 64;
    static constexpr int kAnalysisCommand = 80;
    static constexpr int kRulesCommand = 96;
    static constexpr int kOutputFolderCommand = 112;
    static constexpr int kSetsCommand = 240;
    static constexpr int kDrawEntryCommand = 128;
    static constexpr int kDrawUpdateCommand = 144;
    // The prediction record (CMainDialogRecord.cpp).
    static constexpr int kRecordCommand = 160;
    static constexpr int kKeepRecordCommand = 176;
    // 投注 (CMainDialogBets.cpp).
    static constexpr int kBetsCommand = 192;
    static constexpr int kAuditCommand = 208; // 随机性检验

    explicit CMainDialog(QWidget* parent = nullptr);
    ~CMainDialog() override;

    // The control table of the whole window, in dialog units.
    static std::vector<ControlSpec> ControlTable();
    CSystemMenu& SystemMenu() const { return *m_systemMenu; }
    // A command of the system menu: the About item or one of the window's own commands.
    void OnSysCommand(int id);

    QString m_strCount;
    int m_bSumTail[10]{};
    int m_nSumLow = 0;
    int m_nSumHigh = 0;
    int m_bDan[10]{};
    QString m_strExclude[3]; // 百, 十, 个
    int m_bExcludeCompound = 0;
    int m_bPositionalKill = 0;
    QString m_strPositionalKill[3];
    QString m_strCompound[3];
    int m_bCompoundInput = 0;
    QString m_strResult;
    int m_bBaseSet = 0;
    int m_bSpan[10]{};
    int m_bBigSmall[8]{1, 1, 1, 1, 1, 1, 1, 1};
    int m_bOddEven[8]{1, 1, 1, 1, 1, 1, 1, 1};
    int m_bShape[3]{};       // 豹子, 组三, 组六
    int m_bConsecutive[3]{}; // 不连, 二连, 三连
    int m_bBaseIsGroup = 0;
    QString m_strHint;
    int m_bRoute[27]{};
    int m_bPrimeComposite[8]{1, 1, 1, 1, 1, 1, 1, 1};
    int m_bKillSums = 0;
    QString m_strSums;
    int m_bMatchCount[4]{};
    QString m_strMatchDigits;
    int m_bMatchFilter = 0;
    int m_nPerRow = -1;
    int m_nLevel = 0;
    QString m_strTolerance;
    int m_bPositionSize = 0;
    QString m_strLastDraw;
    QString m_strLastDrawLabel;
    int m_bAc[4]{0, 1, 1, 1}; // indexed by the AC value 1..3; [0] is unused

    int m_nDanCount = 1;  // 出1胆 .. 出3胆
    int m_nDanMethod = 1; // the method of radio 1201, 1203 or 1207
    // List 1172 as of the last run; nothing reads them (the runs take the rows from the
    // settings), but they are the members the window is modelled with.
    QStringList m_matchNumbers;
    QStringList m_matchCounts;
    QStringList m_killed; // shows m_session's killed numbers; the session is what runs read
    QIcon m_hIcon;
    // The 公式杀号 rules of the scheme; the window applies them to the coming draw on request.
    std::vector<tarvex::Rule> m_rules;
    SetsDlgState m_setsKept;
    std::shared_ptr<FormulaSearchMemory> m_searchMemory;

    // The condition sheet and its pages, tab order 杀直选 .. 其他 (CMainDialogSheet.cpp).
    ConditionSheet* Sheet() const { return m_sheet; }
    std::array<CPropertyPage*, 8> Pages() const;
    CPage1* m_page1 = nullptr;
    CPage2* m_page2 = nullptr;
    CPage3* m_page3 = nullptr;
    CPage4* m_page4 = nullptr;
    CPage5* m_page5 = nullptr;
    Cpage6* m_page6 = nullptr;
    CPage7* m_page7 = nullptr;
    CPage8* m_page8 = nullptr;

    // Every setting the runs read: the window's controls and the shown page are exchanged
    // first, the other pages count as last left (CMainDialogSettings.cpp).
    tarvex::Settings GatherSettings();
    // The same, or nothing when a control refused its text (its message has been shown).
    std::optional<tarvex::Settings> ReadSettings();
    // Sets the controls, members, pages and lists so that the window shows these settings.
    void ApplySettings(const tarvex::Settings& settings);
    // 应用到下期: the boxes set from the rules' values for the coming draw.
    void ApplyRulesToNext(const std::vector<tarvex::Rule>& rules, const std::vector<int>& values);
    // 杀 or 胆 of an analysis item: the matching control set, the others as they were; false
    // after a message when a control refused its text.
    bool ApplyAnalysisCondition(const tarvex::ItemCondition& item, tarvex::ItemAction action);

    // 方案 files and the backtest window (CMainDialogSchemes.cpp).
    // Each reports a failure in a message box and then changes nothing.
    bool LoadScheme(const QString& path);
    bool SaveScheme(const QString& path);

    // 多方案 (CMainDialogSets.cpp): the window and what its 放入结果框 does here: the text into
    // the result box and 大底 checked, as 选择大底 fills it; false after a message when 输入复式
    // is checked or a control refused its text.
    void OnSets();
    bool PutBaseSet(const std::string& text);
    // 投注 (CMainDialogBets.cpp): the result box's numbers as tickets, cost and return; its
    // items in the menu and in the result box's right-click menu.
    void OnBets();
    void AddBetItems();

    // 杀组合 and 容错 (CMainDialogRuns.cpp).
    void OnKillRun();
    void OnTolerance();

    // Beside the classic controls (CMainDialogAdditions.cpp): the live count of 杀组合, the
    // split and cost of the result, the menu button and the output folder.
    CLivePreview* Preview() const { return m_preview; }
    QLabel* PreviewText() const { return m_previewLabel; }
    QLabel* SplitText() const { return m_splitLabel; }
    // "条件已改动，结果是上次杀组合的": shown while the conditions differ from the last 杀组合's.
    QLabel* StaleText() const { return m_staleLabel; }
    QPushButton* MenuButton() const { return m_menuButton; }
    void OnOpenOutputFolder();

    // The player's draw history (CMainDialogDraws.cpp): 录入开奖号码, 更新开奖数据, and a line
    // beside 菜单 when the newest draw is more than a day old.
    void OnDrawEntry();
    void OnDrawUpdate();
    void ShowStaleness();
    QLabel* HistoryAgeText() const { return m_historyAgeLabel; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    void reject() override;
    void contextMenuEvent(QContextMenuEvent* event) override;
#ifdef Q_OS_WIN
    bool nativeEvent(const QByteArray& eventType, void* message, qintptr* result) override;
#endif

private:
    void ConnectHandlers();
    void ConnectFillButtons();
    void FillCombos();
    void SelectStoredPerRow();
    void DisableAtStart();
    void SetLinkTargets();
    void SetUpListColumns();
    void SetUpSystemMenu();
    bool ConfirmLeave(const QString& text);

    void OnDanCount(int count);
    void OnExcludeCompound();
    void OnPositionalKill();
    void OnCompoundInput();
    void OnBaseSet();
    void RefuseBaseSetWithCompound(int id, int& member);
    bool ReadForToggle(int id, const int& member);
    void OnKillSums();
    void OnAllSums();
    void OnMatchFilter();
    void OnPositionSize();
    void OnExit();
    void RunAbout();

    // 选择大底, 导出结果, 转成组选 and the items of list box 1004, which the runs read and
    // replace too (CMainDialogNumberSets.cpp)
    void ConnectNumberSetHandlers();
    void OnChooseBaseFile();
    void OnExport();
    void OnToGroup();
    std::vector<std::string> ResultListItems() const;
    void SetResultListItems(const std::vector<std::string>& items);

    // 算胆 and 号码分析 (CMainDialogDan.cpp)
    void ConnectDanHandlers();
    bool SelectDanMethod(int method);
    void OnDanMethod1();
    void OnDanMethod2();
    void OnDanMethod3();
    void OnCalcDan();
    void OnAnalysis();
    void OnAudit();

    // Condition sheet, match and position-size lists, runs (CMainDialogSheet.cpp,
    // CMainDialogLists.cpp, CMainDialogSettings.cpp, CMainDialogRuns.cpp)
    void CreatePages();
    void CreateConditionSheet();
    void ConnectListsAndRuns();
    void OnAddMatch();
    void OnDeleteMatch();
    void OnAddPositionSize();
    void OnDeletePositionSize();
    std::vector<tarvex::MatchRow> MatchRows() const;
    std::vector<tarvex::PositionSizeRow> PositionSizeRows() const;
    void SetMatchRows(const std::vector<tarvex::MatchRow>& rows);
    void SetPositionSizeRows(const std::vector<tarvex::PositionSizeRow>& rows);
    void RefillMatchLists();
    bool ExchangeForRun();
    tarvex::Settings SettingsFromMembers() const;
    tarvex::PageSettings PageSettingsFromMembers() const;
    void ApplyDanCount(int count);
    static constexpr std::size_t kEnablingBoxes = 7;
    std::array<int, kEnablingBoxes> EnablingStates() const;
    void ApplyEnabling(const std::array<int, kEnablingBoxes>& before);
    void ApplyPageSettings(const tarvex::PageSettings& pages);
    void ShowKillOutcome(const tarvex::KillOutcome& outcome);
    void LoadSessionFromControls();
    void ShowSessionResult();
    // The tooltip of the 容错 controls: what each level would re-admit after this kill run.
    void ShowTolerancePreview(const tarvex::Settings& settings, const std::vector<int>& killed);
    void ShowTolerancePreview(const std::array<int, 17>& counts);
    void OnPreviewShown();

    void AddSchemeMenuItems();
    bool OnSchemeCommand(int id);
    void OnRules();
    void OnSaveScheme();
    void OnLoadScheme();
    void OnBacktest();

    void AddRecordMenuItems();
    bool OnRecordCommand(int id);
    void ShowRecordStatus(const CRecordKeeper::Status& status);

    void CreateAdditions();
    void OnMenuButton();
    CLivePreview::Reading ReadForPreview();
    void ShowSplit(const tarvex::ResultSplit& split);
    void ShowOutputs(bool withReasons);

    ConditionSheet* m_sheet = nullptr;
    CSystemMenu* m_systemMenu = nullptr;
    CLivePreview* m_preview = nullptr;
    QLabel* m_previewLabel = nullptr;
    QLabel* m_splitLabel = nullptr;
    QLabel* m_staleLabel = nullptr;
    QPushButton* m_menuButton = nullptr;
    // The conditions of the last completed 杀组合, and whether the controls still say them.
    std::optional<tarvex::Settings> m_killSettings;
    bool m_conditionsChanged = false;
    QLabel* m_historyAgeLabel = nullptr;     // how old the player's draw history is
    CHistoryWatch* m_historyWatch = nullptr; // so the age line follows changes from outside
    // The result, list box 1004 and the killed numbers between button presses.
    tarvex::PlayerSession m_session;
    CRecordKeeper m_recordKeeper;
};
