#include "ui/main/main_window.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "archive/current_subject.hpp"
#include "archive/program_files.hpp"
#include "archive/subject_archive.hpp"
#include "engine/astro_time.hpp"
#include "ui/common/button_pictures.hpp"
#include "ui/common/controls.hpp"
#include "ui/main/astro_page.hpp"
#include "ui/main/extras_page.hpp"
#include "ui/main/login_panel.hpp"
#include "ui/main/program_start.hpp"
#include "ui/main/remedies_page.hpp"
#include "ui/main/side_panel.hpp"
#include "ui/settings/calibration_window.hpp"
#include "ui/settings/line_thickness_window.hpp"
#include "ui/settings/orb_editor_window.hpp"
#include "ui/settings/printer_window.hpp"
#include "ui/settings/user_name_window.hpp"
#include "ui/tools/backup_window.hpp"
#include "ui/tools/manual_window.hpp"
#include "ui/tools/text_editor_window.hpp"
#include "ui/tools/update_window.hpp"

namespace florimant {
namespace {

bool OpenWithDesktopViewer(const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

}  // namespace

MainWindow::MainWindow(AppState& state, Messages& messages, QWidget* parent)
    : QMainWindow(parent),
      state_(state),
      feedback_(messages, *this),
      children_(state, messages, *this),
      documentOpener_(OpenWithDesktopViewer) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Florimant"));
    BuildControls();
    ConnectButtons();
    ConnectSheetWindows();
    SetLockedControlsVisible(false);
}

MainWindow::~MainWindow() = default;

void MainWindow::SetDocumentOpener(DocumentOpener opener) {
    documentOpener_ = std::move(opener);
    if (auto* manuals = FindChildWindow<ManualWindow>()) manuals->SetDocumentOpener(documentOpener_);
}

QWidget* MainWindow::BuildTopBar(QWidget* parent) {
    // The user's name, documents, access code and exit, usable in part while locked.
    auto* bar = new QWidget(parent);
    auto* top = new QHBoxLayout(bar);
    top->setContentsMargins(0, 0, 0, 0);
    bitBtnNomeCognome_ = MakeButton(bar, "BitBtnNomeCognome", QStringLiteral("Nome Cognome"));
    bitBtnNomeCognome_->setToolTip(QStringLiteral("Cambia Personalizzazione"));
    edAggiorna_ = MakeButton(bar, "EdAggiorna", QStringLiteral("Aggiornam."));
    bbDispensa_ = MakeButton(bar, "BBdispensa", QStringLiteral("Dispensa.pdf"));
    bbIstruz_ = MakeButton(bar, "BBistruz", QStringLiteral("Istruzioni.pdf"));
    sbPass_ = new QToolButton(bar);
    sbPass_->setObjectName(QStringLiteral("SBpass"));
    sbPass_->setText(QStringLiteral("..."));
    edPass_ = new QLineEdit(bar);
    edPass_->setObjectName(QStringLiteral("EdPass"));
    edPass_->setMaximumWidth(140);
    edPass_->setStyleSheet(QStringLiteral("color: blue;"));
    edPass_->setVisible(false);
    edPass_->installEventFilter(this);
    connect(sbPass_, &QToolButton::clicked, this, [this] {
        edPass_->setVisible(!edPass_->isVisible());
        if (edPass_->isVisible()) edPass_->setFocus();
    });
    // The exit picture: "FineProg", "FineProgClic" while the mouse is down on it.
    auto* image9 = new QToolButton(bar);
    image9->setObjectName(QStringLiteral("Image9"));
    image9->setAutoRaise(true);
    image9->setIconSize(QSize(28, 28));
    image9->setToolTip(QStringLiteral("Chiudi il Programma"));
    const auto showExitPicture = [image9](const char* name) {
        image9->setProperty("picture", name);
        image9->setIcon(ButtonPicture(QString::fromLatin1(name)));
    };
    showExitPicture("FineProg");
    connect(image9, &QToolButton::pressed, this, [showExitPicture] { showExitPicture("FineProgClic"); });
    connect(image9, &QToolButton::released, this, [showExitPicture] { showExitPicture("FineProg"); });
    connect(image9, &QToolButton::clicked, this, &QWidget::close);
    top->addWidget(bitBtnNomeCognome_);
    top->addWidget(edAggiorna_);
    top->addWidget(bbDispensa_);
    top->addWidget(bbIstruz_);
    top->addStretch();
    top->addWidget(sbPass_);
    top->addWidget(edPass_);
    top->addWidget(image9);
    return bar;
}

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->addWidget(BuildTopBar(central));

    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);
    // The password panel and the tab pages share one place; the tab pages cover the panel once
    // the user is unlocked.
    auto* stack = new QWidget(central);
    auto* stackGrid = new QGridLayout(stack);
    stackGrid->setContentsMargins(0, 0, 0, 0);
    body->addWidget(stack, 1);
    loginPanel_ = new LoginPanel(state_, feedback_, stack);
    connect(loginPanel_, &LoginPanel::Accepted, this, [this] { feedback_.Guarded([this] { LoggedIn(); }); });
    stackGrid->addWidget(loginPanel_, 0, 0);
    pageControl1_ = new QTabWidget(stack);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    stackGrid->addWidget(pageControl1_, 0, 0);
    astroPage_ = new AstroPage;
    remediesPage_ = new RemediesPage;
    extrasPage_ = new ExtrasPage;
    pageControl1_->addTab(astroPage_, QStringLiteral("Funzioni  Astrologiche"));
    pageControl1_->addTab(remediesPage_, QStringLiteral("Consultazione Rimedi"));
    pageControl1_->addTab(extrasPage_, QStringLiteral("Funzioni Accessorie"));
    sidePanel_ = new SidePanel(state_, feedback_, central);
    body->addWidget(sidePanel_);
    resize(760, 470);
}

void MainWindow::OnClick(const char* name, std::function<void()> action) {
    auto* button = findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (button == nullptr) qFatal("MainWindow: no button %s", name);
    connect(button, &QAbstractButton::clicked, this, [this, action = std::move(action)] { feedback_.Guarded(action); });
}

void MainWindow::ConnectButtons() {
    OnClick("BitBtnNomeCognome", [this] {
        auto& window = Child<UserNameWindow>();
        window.Run();
        bitBtnNomeCognome_->setText(window.FullName());
    });
    OnClick("EdAggiorna", [this] { Child<UpdateWindow>().Run(); });
    OnClick("BBdispensa", [this] { OpenDocument("Dispensa.pdf"); });
    OnClick("BBistruz", [this] {
        auto& window = Child<ManualWindow>();
        window.SetDocumentOpener(documentOpener_);
        window.Run();
    });
    OnClick("SBtipoStamp", [this] { Child<PrinterWindow>().Run(); });
    OnClick("BBApriTesto", [this] { OpenSubjectText(); });
    OnClick("BitBtnVarOrbAsp", [this] {
        auto& editor = Child<OrbEditorWindow>();
        connect(&editor, &OrbEditorWindow::OrbSetAdopted, sidePanel_, &SidePanel::ShowOrbSet, Qt::UniqueConnection);
        editor.Run();
    });
    OnClick("BBCerchio", [this] {
        state_.Switches.SheetLayout = 0;
        Child<CalibrationWindow>().Run(Placement::FullScreen);
    });
    OnClick("BitBtn22", [this] { Child<LineThicknessWindow>().Run(); });
    OnClick("BBSalva", [this] { Child<BackupWindow>().Run(); });
}

void MainWindow::PlaceChild(QWidget& child, int offset) const {
    child.move(ChildAnchor(ExpectedFrameSize(child, this), offset));
}

QPoint MainWindow::ChildAnchor(QSize childFrame, int offset) const {
    return AnchoredPosition(frameGeometry(), anchorSize_, childFrame, offset, AvailableScreenArea(*this));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || activating_) return;
    if (feedback_.activation().IsRealActivation()) Activate();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // A window manager that does not hand the focus to a new window would leave it unprepared.
    QTimer::singleShot(0, this, [this] {
        if (activations_ == 0) Activate();
    });
}

void MainWindow::SetLockedControlsVisible(bool visible) {
    pageControl1_->setVisible(visible);
    sidePanel_->setVisible(visible);
    bitBtnNomeCognome_->setVisible(visible);
    bbIstruz_->setVisible(visible);
    bbDispensa_->setVisible(visible);
    edAggiorna_->setVisible(visible);
    if (visible) pageControl1_->raise();
}

void MainWindow::Activate() {
    ++activations_;
    activating_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{activating_};
    const ProgramFolder& folder = state_.Folder;
    const bool completed = feedback_.Guarded([&] {
        // 1-2: a failed backup folder mark is cleared; the BASE archive always exists.
        ReplaceFailedBackupFolder(folder);
        EnsureBaseArchive(folder);
        // 3-5
        const QString storedPassword = QString::fromStdString(ReadPassword(folder));
        if (!state_.Switches.Unlocked) SetLockedControlsVisible(false);
        loginPanel_->Prepare(storedPassword, state_.Switches.Unlocked);
        // 6-7
        usageJulianDay_ = UsageJulianDayText(TodayText());
        anchorSize_ = frameGeometry().size();
        // 8
        if (const auto name = ReadOrCreateUserName(folder))
            bitBtnNomeCognome_->setText(QString::fromStdString(FullUserName(*name)));
        // 9: the orb table is read again too, so that a change made elsewhere counts here.
        state_.Display = LoadOrCreateDisplaySettings(folder, state_.Display.BackupFolder);
        state_.Draw.LineThickness = state_.Display.LineThicknessFactor;
        state_.Draw.AxisCorrectionX = state_.Display.AxisCorrectionX;
        state_.Draw.AxisCorrectionY = state_.Display.AxisCorrectionY;
        state_.Orbs = LoadActiveOrbs(folder);
        // 10
        sidePanel_->ShowNodeMode();
        // 11: the full-screen windows are placed as they open. 12
        RefreshSubject();
    });
    if (!completed) return;
    // 13
    sidePanel_->SetCombosLocked(true);
    sidePanel_->ShowOrbSet(state_.Orbs.Letter);
}

void MainWindow::RefreshSubject() {
    ComputeChart(state_.Folder, ChartEphemerisSettings(state_.Orbs), state_.Chart, state_.Summary);
    astroPage_->ShowSubject(state_.Summary);
}

void MainWindow::Unlock() {
    state_.Switches.Unlocked = true;
    SetLockedControlsVisible(true);
}

void MainWindow::LoggedIn() {
    Unlock();
    UpdateUsageLog();
}

void MainWindow::UpdateUsageLog() {
    feedback_.Guarded([this] { RecordUse(state_.Folder, usageJulianDay_); });
    FillUsageDates();
}

void MainWindow::FillUsageDates() {
    QStringList dates;
    feedback_.Guarded([&] {
        for (const auto& date : UsageDates(state_.Folder)) dates << QString::fromStdString(date);
    });
    extrasPage_->ShowUsageDates(dates);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edPass_) {
        const auto type = event->type();
        if (type == QEvent::KeyPress) return AccessCodeKey(static_cast<QKeyEvent*>(event));
        if (type == QEvent::MouseButtonPress) {
            edPass_->clear();
            edPass_->hide();
            codeBuffer_.clear();
            return true;
        }
        if (type == QEvent::MouseButtonDblClick) {
            codeBuffer_.clear();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::AccessCodeKey(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    codeBuffer_ += text.toUpper();
    edPass_->setText(QString(codeBuffer_.size(), QLatin1Char('*')));
    feedback_.Guarded([this] { ApplyAccessCode(); });
    return true;
}

void MainWindow::ApplyAccessCode() {
    const bool quadriverso = codeBuffer_ == QLatin1String("#QUADRIVERSO");
    if (quadriverso || codeBuffer_ == QLatin1String("MORVELANT")) {
        extrasPage_->ShowMaintenanceControls();
        state_.Switches.MaintenanceMode = true;
        edPass_->setText(QStringLiteral("OK"));
        edPass_->hide();
        Unlock();
    } else if (codeBuffer_ == QLatin1String("CROTALEMI")) {
        remediesPage_->ShowPlantWindows();
        state_.Switches.PlantListMode = true;
        Unlock();
        edPass_->hide();
    } else if (codeBuffer_ == QLatin1String("BRUNEL")) {
        ResetPassword(state_.Folder);
        loginPanel_->ResetStoredPassword(QString::fromLatin1(FactoryPassword.data(), FactoryPassword.size()));
        edPass_->setText(QStringLiteral("OK"));
    }
}

void MainWindow::OpenDocument(const char* fileName) {
    documentOpener_(QString::fromStdString(state_.Folder.Resolve(fileName).string()));
}

void MainWindow::OpenSubjectText() {
    const auto reference = ReadTextReference(state_.Folder);
    if (!reference) return;
    WriteEditorPath(state_.Folder, reference->Archive + "txt/" + reference->Number + ".txt");
    // The editor reads the path back from "FileDum\DatModif.dum", as every opener hands it over.
    Child<TextEditorWindow>().Run(Placement::AsIs);
}

}  // namespace florimant
