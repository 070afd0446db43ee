#pragma once
#include <functional>
#include <string>

#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <QTimer>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "common/program_folder.hpp"
#include "drawing/display_settings.hpp"
#include "drawing/draw_state.hpp"
#include "engine/chart_data.hpp"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QToolButton;
class QWidget;
class QScreen;

namespace florimant {

class BackupWindow;
class CalibrationWindow;
class LineThicknessWindow;
class ManualWindow;
class PictureViewerWindow;
class PrinterWindow;
class TextEditorWindow;
class UpdateWindow;
class OrbEditorWindow;
class UserNameWindow;

inline constexpr std::string_view PasswordFile = "Appoggio\\Appoggio1.txt";
inline constexpr std::string_view UserNameFile = "FileTmp\\Personal.Tmp";
inline constexpr std::string_view UsageSummaryFile = "OpzioneT\\Sole.tm1";
inline constexpr std::string_view UsageDatesFile = "OpzioneT\\Luna.tm1";
inline constexpr std::string_view FactoryPassword = "brunel";

// The switches the main window sets and other windows read.
struct MainSwitches {
    bool Unlocked = false;
    bool PlantListMode = false;
    bool MaintenanceMode = false;  // the editors show their maintenance controls
    int SheetLayout = 0;
    std::string SheetOrientation = "L";
};

// The process-wide state of one run, owned by main() and handed to every window.
struct AppState {
    explicit AppState(ProgramFolder folder) : Folder(std::move(folder)) {}
    ProgramFolder Folder;
    ChartData Chart;
    SubjectSummary Summary;
    DrawState Draw;
    DisplaySettings Display;
    ActiveOrbTable Orbs;
    MainSwitches Switches;
    WheelGeometry SheetWheelPreset;
};

// Shows a message of the program. The default opens a modal message box; tests replace it to
// read the texts without a box blocking them.
using MessageHook = std::function<void(QMessageBox::Icon icon, const QString& text)>;

// Start-up before any window exists: the drawing state for the screen, the active orbs, the
// printer check. Returns the warning to show when no printer is installed (empty otherwise).
QString InitialiseProgramState(AppState& state, QScreen* screen);
bool DefaultPrinterExists();
inline constexpr const char* NoPrinterWarning = "OCCORRE INSTALLARE DRIVER STAMPANTE - VEDERE MANUALE (inizio)";

// The Julian Day of today's use as the usage log stores it: 7 digits, truncated.
std::string UsageJulianDayText(std::string_view todayText);

// The program's home: password panel, current subject, and the buttons that open every function.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(AppState& state, QWidget* parent = nullptr);

    void SetMessageHook(MessageHook hook) { messageHook_ = std::move(hook); }
    // The activation steps; run at every activation of the window and callable directly.
    void Activate();
    // Where a child window of the given size goes: its bottom-right corner `offset` pixels beyond
    // the main window's.
    QPoint ChildAnchor(QSize childSize, int offset = 10) const;

    AppState& state() { return state_; }
    OrbEditorWindow* orbEditor() { return orbEditorWindow_; }
    UserNameWindow* userNameWindow() { return userNameWindow_; }
    LineThicknessWindow* lineThicknessWindow() { return lineThicknessWindow_; }
    CalibrationWindow* calibrationWindow() { return calibrationWindow_; }
    ManualWindow* manualWindow() { return manualWindow_; }
    BackupWindow* backupWindow();  // made on first use
    PrinterWindow* printerWindow() { return printerWindow_; }
    PictureViewerWindow* pictureViewer() { return pictureViewer_; }
    TextEditorWindow* textEditor() { return textEditor_; }
    UpdateWindow* updateWindow() { return updateWindow_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void ShowMessage(QMessageBox::Icon icon, const QString& text);
    void ShowError(const std::exception& error);
    void SetLockedControlsVisible(bool visible);
    void Unlock();
    void UpdateUsageLog();
    void FillUsageDates();
    void RefreshSubject();
    void SetCombosLocked(bool locked);

    bool PasswordKey(QKeyEvent* event);
    bool NewPasswordKey(QKeyEvent* event);
    void NewPasswordTyped();
    void OkProsegui();
    void OkRegistra();
    bool AccessCodeKey(QKeyEvent* event);
    void ApplyAccessCode();
    void OrbSetChanged(const QString& text);
    void NodeModeChanged(const QString& text);
    void ToggleNodeMode();
    void RunIdle();
    void OpenSubjectText();
    void OpenUserNameWindow();
    void OpenOrbEditor();
    void OpenLineThicknessWindow();
    void OpenCalibrationWindow();
    void PlaceFullScreenWindows();
    void PlaceAtAnchor(QWidget* child, int offset = 10);

    AppState& state_;
    MessageHook messageHook_;
    bool activating_ = false;
    int activations_ = 0;
    int ignoredActivations_ = 0;
    QSize anchorSize_;

    QString storedPassword_;
    QString typedPassword_;
    QString codeBuffer_;
    std::string usageJulianDay_;
    char pendingOrbLetter_ = 'A';
    std::string pendingNodeMode_;
    bool orbSetPending_ = false;
    bool nodeModePending_ = false;
    QTimer idleTimer_;

    QWidget* panelPass_ = nullptr;
    QLineEdit* edMainPass1_ = nullptr;
    QLabel* panMainPass_ = nullptr;
    QLineEdit* edNewPass_ = nullptr;
    QPushButton* bbOk_ = nullptr;
    QPushButton* bbOkRegi_ = nullptr;
    QLabel* labInitialPassword_ = nullptr;
    QToolButton* sbPass_ = nullptr;
    QLineEdit* edPass_ = nullptr;
    QTabWidget* pageControl1_ = nullptr;
    QWidget* panel9_ = nullptr;
    QPushButton* bitBtnNomeCognome_ = nullptr;
    QPushButton* bbIstruz_ = nullptr;
    QPushButton* bbDispensa_ = nullptr;
    QPushButton* edAggiorna_ = nullptr;
    QComboBox* comboOrb_ = nullptr;
    QComboBox* comboNodo_ = nullptr;
    QToolButton* bbLk_ = nullptr;
    QPushButton* bbApriTesto_ = nullptr;
    QPlainTextEdit* memoDati_ = nullptr;
    QPlainTextEdit* memoAnnotaz_ = nullptr;
    QPushButton* bbUtility_ = nullptr;
    QPushButton* bTervano1_ = nullptr;
    QPushButton* bTervano2_ = nullptr;
    QListWidget* cbox1_ = nullptr;
    UserNameWindow* userNameWindow_ = nullptr;
    OrbEditorWindow* orbEditorWindow_ = nullptr;
    LineThicknessWindow* lineThicknessWindow_ = nullptr;
    CalibrationWindow* calibrationWindow_ = nullptr;
    ManualWindow* manualWindow_ = nullptr;
    BackupWindow* backupWindow_ = nullptr;
    PrinterWindow* printerWindow_ = nullptr;
    PictureViewerWindow* pictureViewer_ = nullptr;
    TextEditorWindow* textEditor_ = nullptr;
    UpdateWindow* updateWindow_ = nullptr;
};

}  // namespace florimant
