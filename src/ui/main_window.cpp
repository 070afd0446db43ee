#include "ui/main_window.hpp"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <cstdio>
#include <fstream>

#include "archive/current_subject.hpp"
#include "archive/subject_archive.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"
#include "ui/backup_window.hpp"
#include "ui/button_pictures.hpp"
#include "ui/calibration_window.hpp"
#include "ui/line_thickness_window.hpp"
#include "ui/manual_window.hpp"
#include "ui/orb_editor_window.hpp"
#include "ui/picture_viewer_window.hpp"
#include "ui/printer_window.hpp"
#include "ui/text_editor_window.hpp"
#include "ui/update_window.hpp"
#include "ui/user_name_window.hpp"

namespace florimant {
namespace {

QString FromFile(const std::string& bytes) { return QString::fromStdString(Cp1252ToUtf8(bytes)); }
std::string ToFile(const QString& text) { return Utf8ToCp1252(text.toStdString()); }

QString FirstLine(const ProgramFolder& folder, std::string_view programPath) {
    const auto lines = ReadTextLines(folder, programPath);
    return lines.empty() ? QString() : FromFile(lines.front());
}

// Line 1 of a text file replaced, the other lines kept.
void ReplaceFirstLine(const ProgramFolder& folder, std::string_view programPath, const std::string& line) {
    std::vector<std::string> lines;
    if (folder.Exists(programPath)) lines = ReadTextLines(folder, programPath);
    if (lines.empty()) lines.emplace_back();
    lines.front() = line;
    ReplaceTextFile(folder, programPath, lines);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, bool enabled = true) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setEnabled(enabled);
    return button;
}

const QString AquaStyle = QStringLiteral("background-color: aqua; color: black;");
const QString RedStyle = QStringLiteral("background-color: red; color: white;");
const QString WhiteStyle = QStringLiteral("background-color: white; color: black;");
const QString GreyStyle = QStringLiteral("background-color: grey; color: white;");

}  // namespace

bool DefaultPrinterExists() {
    const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
    return !printer.isNull() && printer.defaultPageSize().isValid();
}

QString InitialiseProgramState(AppState& state, QScreen* screen) {
    state.Chart = ChartData{};
    state.Summary = SubjectSummary{};
    state.Draw = DrawState{};
    const int screenHeight = screen != nullptr ? screen->geometry().height() : 768;
    state.Draw.Scale = Real(screenHeight) / 210;
    state.Draw.FontBase = Real(3.7) * state.Draw.Scale;
    state.Draw.Zoom = 1;
    state.Draw.OffsetX = state.Draw.OffsetY = 0;
    state.Draw.AspectK = 1;
    state.Draw.BlackAndWhite = false;
    state.Draw.Target = DrawTarget::Window;
    state.Switches.SheetLayout = 0;
    try {
        state.Orbs = LoadActiveOrbs(state.Folder);
    } catch (const std::exception&) {
        // The first activation reads the file again and reports what is wrong with it.
    }
    state.Draw.PrinterExists = DefaultPrinterExists();
    state.Draw.PrinterLandscape = true;
    return state.Draw.PrinterExists ? QString() : QString::fromUtf8(NoPrinterWarning);
}

std::string UsageJulianDayText(std::string_view todayText) {
    int day = 0, month = 0, year = 0;
    if (std::sscanf(std::string(todayText).c_str(), "%d/%d/%d", &day, &month, &year) != 3) return "2451545";
    // The day's Julian Day at midnight ends in .5; the whole number above it is the same civil
    // day at noon, so the dates list shows the day of use and not the day before.
    return FormatDecimal(7, JulianDay(1, day, month, year, 0, 0) + Real(0.5));
}

MainWindow::MainWindow(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Florimant"));
    messageHook_ = [this](QMessageBox::Icon icon, const QString& text) {
        QMessageBox box(icon, QStringLiteral("Florimant"), text, QMessageBox::Ok, this);
        box.exec();
    };
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(0);
    connect(&idleTimer_, &QTimer::timeout, this, &MainWindow::RunIdle);
    BuildControls();
    SetLockedControlsVisible(false);
    // Child windows are made once and kept hidden between uses.
    userNameWindow_ = new UserNameWindow(state_.Folder, this);
    pictureViewer_ = new PictureViewerWindow(state_.Folder, this);  // opened by the chart sheets
    textEditor_ = new TextEditorWindow(state_.Folder, this);
    updateWindow_ = new UpdateWindow(state_, this);
    connect(edAggiorna_, &QPushButton::clicked, this, [this] {
        updateWindow_->Open();
        PlaceAtAnchor(updateWindow_);
        updateWindow_->exec();
    });
    orbEditorWindow_ = new OrbEditorWindow(state_, this);
    lineThicknessWindow_ = new LineThicknessWindow(state_, this);
    calibrationWindow_ = new CalibrationWindow(state_, this);
    manualWindow_ = new ManualWindow(state_.Folder, this);
    printerWindow_ = new PrinterWindow(state_, this);
    connect(findChild<QToolButton*>(QStringLiteral("SBtipoStamp")), &QToolButton::clicked, this, [this] {
        printerWindow_->Open();
        PlaceAtAnchor(printerWindow_);
        printerWindow_->exec();
    });
    connect(bbIstruz_, &QPushButton::clicked, this, [this] {
        manualWindow_->Reset();
        PlaceAtAnchor(manualWindow_);
        manualWindow_->exec();
    });
    connect(orbEditorWindow_, &OrbEditorWindow::OrbSetAdopted, this, [this](char letter) {
        const QSignalBlocker block(comboOrb_);
        comboOrb_->setEditText(QString::fromStdString(OrbSetDisplayName(letter)));
    });
}

BackupWindow* MainWindow::backupWindow() {
    if (backupWindow_ == nullptr) backupWindow_ = new BackupWindow(state_, this);
    return backupWindow_;
}

void MainWindow::PlaceAtAnchor(QWidget* child, int offset) {
    child->adjustSize();
    child->move(ChildAnchor(child->frameGeometry().size(), offset));
}

void MainWindow::OpenUserNameWindow() {
    userNameWindow_->LoadNames();
    PlaceAtAnchor(userNameWindow_);
    userNameWindow_->exec();
    bitBtnNomeCognome_->setText(userNameWindow_->FullName());
}

void MainWindow::OpenLineThicknessWindow() {
    lineThicknessWindow_->ShowCurrentFactor();
    PlaceAtAnchor(lineThicknessWindow_);
    lineThicknessWindow_->exec();
}

void MainWindow::PlaceFullScreenWindows() {
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QApplication::primaryScreen();
    if (screen != nullptr) calibrationWindow_->setGeometry(screen->geometry());
}

void MainWindow::OpenCalibrationWindow() {
    state_.Switches.SheetLayout = 0;
    calibrationWindow_->Open();
    calibrationWindow_->exec();
}

void MainWindow::OpenOrbEditor() {
    orbEditorWindow_->Open();
    PlaceAtAnchor(orbEditorWindow_);
    orbEditorWindow_->exec();
}

void MainWindow::BuildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);

    // Top bar: the user's name, documents, access code and exit, usable in part while locked.
    auto* top = new QHBoxLayout;
    bitBtnNomeCognome_ = MakeButton(central, "BitBtnNomeCognome", QStringLiteral("Nome Cognome"));
    connect(bitBtnNomeCognome_, &QPushButton::clicked, this, &MainWindow::OpenUserNameWindow);
    bitBtnNomeCognome_->setToolTip(QStringLiteral("Cambia Personalizzazione"));
    edAggiorna_ = MakeButton(central, "EdAggiorna", QStringLiteral("Aggiornam."));
    bbDispensa_ = MakeButton(central, "BBdispensa", QStringLiteral("Dispensa.pdf"));
    bbIstruz_ = MakeButton(central, "BBistruz", QStringLiteral("Istruzioni.pdf"));
    connect(bbDispensa_, &QPushButton::clicked, this, [this] {
        QDesktopServices::openUrl(
            QUrl::fromLocalFile(QString::fromStdString(state_.Folder.Resolve("Dispensa.pdf").string())));
    });
    sbPass_ = new QToolButton(central);
    sbPass_->setObjectName(QStringLiteral("SBpass"));
    sbPass_->setText(QStringLiteral("..."));
    edPass_ = new QLineEdit(central);
    edPass_->setObjectName(QStringLiteral("EdPass"));
    edPass_->setMaximumWidth(140);
    edPass_->setStyleSheet(QStringLiteral("color: blue;"));
    edPass_->setVisible(false);
    edPass_->installEventFilter(this);
    connect(sbPass_, &QToolButton::clicked, this, [this] {
        edPass_->setVisible(!edPass_->isVisible());
        if (edPass_->isVisible()) edPass_->setFocus();
    });
    // The exit picture: "FineProg.bmp", "FineProgClic.bmp" while the mouse is down on it.
    auto* image9 = new QToolButton(central);
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
    outer->addLayout(top);

    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);

    // The password panel and the tab pages share one place; the tab pages cover the panel once
    // the user is unlocked.
    auto* stack = new QWidget(central);
    auto* stackGrid = new QGridLayout(stack);
    stackGrid->setContentsMargins(0, 0, 0, 0);
    body->addWidget(stack, 1);

    panelPass_ = new QGroupBox(QStringLiteral("Inserire password"), stack);
    panelPass_->setObjectName(QStringLiteral("PanelPass"));
    auto* passGrid = new QGridLayout(panelPass_);
    edMainPass1_ = new QLineEdit(panelPass_);
    edMainPass1_->setObjectName(QStringLiteral("EdMainPass1"));
    edMainPass1_->setEchoMode(QLineEdit::Password);
    edMainPass1_->setMaximumWidth(180);
    edMainPass1_->installEventFilter(this);
    panMainPass_ = new QLabel(panelPass_);
    panMainPass_->setObjectName(QStringLiteral("PanMainPass"));
    panMainPass_->setMinimumWidth(90);
    panMainPass_->setFrameShape(QFrame::StyledPanel);
    edNewPass_ = new QLineEdit(panelPass_);
    edNewPass_->setObjectName(QStringLiteral("EdNewPass"));
    edNewPass_->setMaximumWidth(180);
    edNewPass_->installEventFilter(this);
    connect(edNewPass_, &QLineEdit::textEdited, this, &MainWindow::NewPasswordTyped);
    bbOk_ = MakeButton(panelPass_, "BBok", QStringLiteral("OK Prosegui"), false);
    bbOkRegi_ = MakeButton(panelPass_, "BBokRegi", QStringLiteral("Ok Registra "), false);
    connect(bbOk_, &QPushButton::clicked, this, &MainWindow::OkProsegui);
    connect(bbOkRegi_, &QPushButton::clicked, this, &MainWindow::OkRegistra);
    labInitialPassword_ =
        new QLabel(QStringLiteral("La password iniziale è riportata sul disco di installazione."), panelPass_);
    labInitialPassword_->setObjectName(QStringLiteral("LabInitialPassword"));
    labInitialPassword_->setWordWrap(true);
    passGrid->addWidget(new QLabel(QStringLiteral("Password"), panelPass_), 0, 0);
    passGrid->addWidget(edMainPass1_, 0, 1);
    passGrid->addWidget(panMainPass_, 0, 2);
    passGrid->addWidget(bbOk_, 0, 3);
    passGrid->addWidget(new QLabel(QStringLiteral("Nuova password"), panelPass_), 1, 0);
    passGrid->addWidget(edNewPass_, 1, 1);
    passGrid->addWidget(bbOkRegi_, 1, 3);
    passGrid->addWidget(labInitialPassword_, 2, 0, 1, 4);
    passGrid->setRowStretch(3, 1);
    passGrid->setColumnStretch(4, 1);
    stackGrid->addWidget(panelPass_, 0, 0);

    pageControl1_ = new QTabWidget(stack);
    pageControl1_->setObjectName(QStringLiteral("PageControl1"));
    stackGrid->addWidget(pageControl1_, 0, 0);

    // Tab 1: the current subject and the chart functions.
    auto* astro = new QWidget;
    auto* astroGrid = new QGridLayout(astro);
    memoDati_ = new QPlainTextEdit(astro);
    memoDati_->setObjectName(QStringLiteral("MemoDati"));
    memoDati_->setReadOnly(true);
    memoDati_->setFont(QFont(QStringLiteral("Courier New"), 9));
    memoDati_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoDati_->viewport()->installEventFilter(this);
    memoAnnotaz_ = new QPlainTextEdit(astro);
    memoAnnotaz_->setObjectName(QStringLiteral("MemoAnnotaz"));
    memoAnnotaz_->setReadOnly(true);
    memoAnnotaz_->setVisible(false);
    memoAnnotaz_->viewport()->installEventFilter(this);
    bbApriTesto_ = MakeButton(astro, "BBApriTesto", QStringLiteral("Apri Testo"));
    bbApriTesto_->setVisible(false);
    connect(bbApriTesto_, &QPushButton::clicked, this, &MainWindow::OpenSubjectText);
    astroGrid->addWidget(memoDati_, 0, 0, 1, 3);
    astroGrid->addWidget(memoAnnotaz_, 0, 0, 1, 3);
    astroGrid->addWidget(bbApriTesto_, 1, 2);
    astroGrid->addWidget(MakeButton(astro, "BitBtnDati", QStringLiteral("Richiamo Nuovo Soggetto"), false), 2, 0);
    astroGrid->addWidget(MakeButton(astro, "BBProped", QStringLiteral("Modello Propedeutico Interattivo"), false), 2,
                         1);
    astroGrid->addWidget(MakeButton(astro, "BitBtnInputA", QStringLiteral("Inserim Dati Nascita"), false), 3, 0);
    astroGrid->addWidget(MakeButton(astro, "BitBtnCancel", QStringLiteral("Eliminaz Dati Nascita"), false), 3, 1);
    astroGrid->addWidget(MakeButton(astro, "BitBtn1", QStringLiteral("Modifica Dati Nascita / Crea Testo"), false), 4,
                         0, 1, 2);
    auto* sheets = new QGroupBox(QStringLiteral("Grafici Riassuntivi Stampabili"), astro);
    auto* sheetGrid = new QGridLayout(sheets);
    sheetGrid->addWidget(MakeButton(sheets, "BBOriz", QStringLiteral("Orizzontale 1 "), false), 0, 0);
    sheetGrid->addWidget(MakeButton(sheets, "BBVert", QStringLiteral("Verticale 1"), false), 1, 0);
    sheetGrid->addWidget(MakeButton(sheets, "BBoriz2", QStringLiteral("Orizzontale 2"), false), 0, 1);
    sheetGrid->addWidget(MakeButton(sheets, "BBvert2", QStringLiteral("Verticale 2"), false), 1, 1);
    astroGrid->addWidget(sheets, 2, 2, 3, 1);
    astroGrid->setRowStretch(0, 1);
    pageControl1_->addTab(astro, QStringLiteral("Funzioni  Astrologiche"));

    // Tab 2: the knowledge base.
    auto* remedies = new QWidget;
    auto* remGrid = new QGridLayout(remedies);
    remGrid->addWidget(MakeButton(remedies, "BBSintomi", QStringLiteral("Sintomi"), false), 0, 0);
    remGrid->addWidget(MakeButton(remedies, "BitBtn2", QStringLiteral("Rimedi"), false), 0, 1);
    remGrid->addWidget(MakeButton(remedies, "BitBtn3", QStringLiteral("Terapie"), false), 0, 2);
    remGrid->addWidget(MakeButton(remedies, "BitBtn4", QStringLiteral("Database Primario"), false), 1, 0);
    remGrid->addWidget(MakeButton(remedies, "BBaggRep", QStringLiteral("Repertorio Terapie"), false), 1, 1);
    remGrid->addWidget(MakeButton(remedies, "BitBtn5", QStringLiteral("Segnature Astrologiche / S"), false), 2, 0);
    remGrid->addWidget(MakeButton(remedies, "BitBtn7", QStringLiteral("Piante e Principi Attivi"), false), 2, 1);
    remGrid->addWidget(MakeButton(remedies, "BitBtn9", QStringLiteral("Sintesi Psichica"), false), 2, 2);
    remGrid->addWidget(MakeButton(remedies, "BitBtn6", QStringLiteral("Debilità Astrologiche / T"), false), 3, 0);
    bTervano1_ = MakeButton(remedies, "BTervano1", QStringLiteral("Tervano-1"), false);
    bTervano2_ = MakeButton(remedies, "BTervano2", QStringLiteral("Tervano-2"), false);
    bTervano1_->setVisible(false);
    bTervano2_->setVisible(false);
    remGrid->addWidget(bTervano1_, 3, 1);
    remGrid->addWidget(bTervano2_, 3, 2);
    remGrid->setRowStretch(4, 1);
    pageControl1_->addTab(remedies, QStringLiteral("Consultazione Rimedi"));

    // Tab 3: settings and utilities.
    auto* extras = new QWidget;
    auto* extraGrid = new QGridLayout(extras);
    auto* orbEditorButton = MakeButton(extras, "BitBtnVarOrbAsp", QStringLiteral("Variaz Orbite Aspetti"));
    connect(orbEditorButton, &QPushButton::clicked, this, &MainWindow::OpenOrbEditor);
    extraGrid->addWidget(orbEditorButton, 0, 0);
    auto* calibrationButton =
        MakeButton(extras, "BBCerchio", QStringLiteral("Rotondità Cerchi e Ridimensionamento Schermo"));
    connect(calibrationButton, &QPushButton::clicked, this, &MainWindow::OpenCalibrationWindow);
    extraGrid->addWidget(calibrationButton, 1, 0);
    auto* lineButton = MakeButton(extras, "BitBtn22", QStringLiteral("Spessore Linee"));
    connect(lineButton, &QPushButton::clicked, this, &MainWindow::OpenLineThicknessWindow);
    extraGrid->addWidget(lineButton, 2, 0);
    bbUtility_ = MakeButton(extras, "BButility", QStringLiteral("Utility Ricerca"), false);
    bbUtility_->setVisible(false);
    extraGrid->addWidget(bbUtility_, 3, 0);
    auto* backupButton = MakeButton(extras, "BBSalva", QStringLiteral("Backup/Ripristino  Dati di Nascita e Testi "));
    connect(backupButton, &QPushButton::clicked, this, [this] {
        BackupWindow* window = backupWindow();
        window->Reset();
        PlaceAtAnchor(window);
        window->exec();
    });
    extraGrid->addWidget(backupButton, 4, 0);
    cbox1_ = new QListWidget(extras);
    cbox1_->setObjectName(QStringLiteral("Cbox1"));
    cbox1_->setVisible(false);
    connect(cbox1_, &QListWidget::itemDoubleClicked, cbox1_, &QWidget::hide);
    extraGrid->addWidget(cbox1_, 0, 1, 5, 1);
    extraGrid->setRowStretch(5, 1);
    pageControl1_->addTab(extras, QStringLiteral("Funzioni Accessorie"));

    // Side panel: orb set, node mode, their lock, the printer type.
    panel9_ = new QWidget(central);
    panel9_->setObjectName(QStringLiteral("Panel9"));
    panel9_->setFixedWidth(170);
    auto* side = new QVBoxLayout(panel9_);
    side->addWidget(new QLabel(QStringLiteral("Orbite Aspetti"), panel9_));
    comboOrb_ = new QComboBox(panel9_);
    comboOrb_->setObjectName(QStringLiteral("ComboOrb"));
    comboOrb_->setEditable(true);
    comboOrb_->addItems(
        {QStringLiteral("A (normali)"), QStringLiteral("B (personali)"), QStringLiteral("C (personali)")});
    connect(comboOrb_, &QComboBox::currentTextChanged, this, &MainWindow::OrbSetChanged);
    side->addWidget(comboOrb_);
    side->addWidget(new QLabel(QStringLiteral("Nodo Lunare"), panel9_));
    comboNodo_ = new QComboBox(panel9_);
    comboNodo_->setObjectName(QStringLiteral("ComboNodo"));
    comboNodo_->setEditable(true);
    comboNodo_->addItems({QStringLiteral("VERO"), QStringLiteral("MEDIO")});
    comboNodo_->lineEdit()->installEventFilter(this);
    connect(comboNodo_, &QComboBox::currentTextChanged, this, &MainWindow::NodeModeChanged);
    side->addWidget(comboNodo_);
    bbLk_ = new QToolButton(panel9_);
    bbLk_->setObjectName(QStringLiteral("BBlk"));
    bbLk_->setToolTip(QStringLiteral("Sblocca/Blocca"));
    bbLk_->setIconSize(QSize(22, 22));
    connect(bbLk_, &QToolButton::clicked, this, [this] { SetCombosLocked(comboOrb_->isEnabled()); });
    side->addWidget(bbLk_, 0, Qt::AlignLeft);
    side->addSpacing(12);
    auto* printerRow = new QHBoxLayout;
    auto* sbTipoStamp = new QToolButton(panel9_);
    sbTipoStamp->setObjectName(QStringLiteral("SBtipoStamp"));
    sbTipoStamp->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    auto* label34 = new QLabel(QStringLiteral("Tipo"), panel9_);
    label34->setObjectName(QStringLiteral("Label34"));
    auto* label35 = new QLabel(QStringLiteral("Stampante"), panel9_);
    label35->setObjectName(QStringLiteral("Label35"));
    printerRow->addWidget(sbTipoStamp);
    printerRow->addWidget(label34);
    printerRow->addWidget(label35);
    printerRow->addStretch();
    side->addLayout(printerRow);
    side->addStretch();
    body->addWidget(panel9_);

    SetCombosLocked(true);
    resize(760, 470);
}

void MainWindow::ShowMessage(QMessageBox::Icon icon, const QString& text) {
    // Closing the box makes the main window active again; that return is not a new activation.
    ++ignoredActivations_;
    messageHook_(icon, text);
}

void MainWindow::ShowError(const std::exception& error) {
    ShowMessage(QMessageBox::Critical, QString::fromUtf8(error.what()));
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || activating_) return;
    if (ignoredActivations_ > 0) {
        --ignoredActivations_;
        return;
    }
    Activate();
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
    panel9_->setVisible(visible);
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
    try {
        // 1-2: a failed backup folder mark is cleared; the BASE archive always exists.
        ReplaceFailedBackupFolder(folder);
        EnsureBaseArchive(folder);
        // 3
        panelPass_->setVisible(true);
        edMainPass1_->setFocus();
        bbOkRegi_->setEnabled(false);
        // 4-5
        storedPassword_ = FirstLine(folder, PasswordFile);
        if (!state_.Switches.Unlocked) {
            SetLockedControlsVisible(false);
            labInitialPassword_->setVisible(storedPassword_ == QLatin1String(FactoryPassword.data()));
        }
        bbOk_->setEnabled(typedPassword_.size() == storedPassword_.size());
        // 6-7
        usageJulianDay_ = UsageJulianDayText(TodayText());
        anchorSize_ = frameGeometry().size();
        // 8
        if (!folder.Exists(UserNameFile)) {
            ReplaceTextFile(folder, UserNameFile, {"Nome", "Cognome"});
        } else {
            const auto names = ReadTextLines(folder, UserNameFile);
            const QString first = names.size() > 0 ? FromFile(names[0]) : QString();
            const QString last = names.size() > 1 ? FromFile(names[1]) : QString();
            bitBtnNomeCognome_->setText(first + QLatin1Char(' ') + last);
        }
        // 9: the orb table is read again too, so that a change made elsewhere counts here.
        state_.Display = LoadOrCreateDisplaySettings(folder, state_.Display.BackupFolder);
        state_.Draw.LineThickness = state_.Display.LineThicknessFactor;
        state_.Draw.AxisCorrectionX = state_.Display.AxisCorrectionX;
        state_.Draw.AxisCorrectionY = state_.Display.AxisCorrectionY;
        state_.Orbs = LoadActiveOrbs(folder);
        // 10
        {
            const QSignalBlocker block(comboNodo_);
            comboNodo_->setEditText(QString::fromStdString(state_.Orbs.NodeMode));
        }
        // 11
        PlaceFullScreenWindows();
        // 12
        RefreshSubject();
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    // 13
    SetCombosLocked(true);
    const QSignalBlocker block(comboOrb_);
    comboOrb_->setEditText(QString::fromStdString(OrbSetDisplayName(state_.Orbs.Letter)));
}

void MainWindow::RefreshSubject() {
    ComputeChart(state_.Folder, ChartEphemerisSettings(state_.Orbs), state_.Chart, state_.Summary);
    QStringList lines;
    for (const auto& line : state_.Summary.MemoLines) lines << QString::fromStdString(line);
    memoDati_->setPlainText(lines.join(QLatin1Char('\n')));
    memoAnnotaz_->setPlainText(QString::fromStdString(state_.Summary.AnnotationText));
    bbApriTesto_->setVisible(state_.Summary.TextButtonVisible);
}

QPoint MainWindow::ChildAnchor(QSize childSize, int offset) const {
    const QRect frame = frameGeometry();
    const QSize size = anchorSize_.isValid() ? anchorSize_ : frame.size();
    return {frame.left() + size.width() + offset - childSize.width(),
            frame.top() + size.height() + offset - childSize.height()};
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (comboNodo_ == nullptr) return QMainWindow::eventFilter(watched, event);  // still being built
    const auto type = event->type();
    if (watched == edMainPass1_) {
        if (type == QEvent::KeyPress) return PasswordKey(static_cast<QKeyEvent*>(event));
        if (type == QEvent::MouseButtonDblClick) {
            typedPassword_.clear();
            edMainPass1_->clear();
            panMainPass_->clear();
            bbOk_->setEnabled(storedPassword_.isEmpty());
            return true;
        }
    } else if (watched == edNewPass_ && type == QEvent::KeyPress) {
        return NewPasswordKey(static_cast<QKeyEvent*>(event));
    } else if (watched == edPass_) {
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
    } else if (watched == memoDati_->viewport() && type == QEvent::MouseButtonPress) {
        memoAnnotaz_->show();
        memoAnnotaz_->raise();
    } else if (watched == memoAnnotaz_->viewport() && type == QEvent::MouseButtonPress) {
        memoAnnotaz_->hide();
    } else if (watched == comboNodo_->lineEdit() && type == QEvent::MouseButtonDblClick) {
        ToggleNodeMode();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::PasswordKey(QKeyEvent* event) {
    edNewPass_->clear();
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    if (key == Qt::Key_Backspace) {
        typedPassword_.chop(1);
    } else if (!event->text().isEmpty() && event->text().at(0).isPrint()) {
        typedPassword_ += event->text();
    } else {
        return false;  // navigation keys keep their usual meaning
    }
    edMainPass1_->setText(typedPassword_);
    panMainPass_->setText(QString(typedPassword_.size(), QLatin1Char('*')));
    bbOk_->setEnabled(typedPassword_.size() == storedPassword_.size());
    return true;
}

void MainWindow::OkProsegui() {
    if (typedPassword_ != storedPassword_) {
        bbOk_->setEnabled(false);
        typedPassword_.clear();
        edNewPass_->clear();
        edMainPass1_->clear();
        panMainPass_->clear();
        edMainPass1_->setFocus();
        return;
    }
    Unlock();
    UpdateUsageLog();
}

void MainWindow::Unlock() {
    state_.Switches.Unlocked = true;
    SetLockedControlsVisible(true);
}

void MainWindow::UpdateUsageLog() {
    const ProgramFolder& folder = state_.Folder;
    try {
        if (!folder.Exists(UsageSummaryFile)) ReplaceTextFile(folder, UsageSummaryFile, {"2451545", "2451545", "1"});
        const auto lines = ReadTextLines(folder, UsageSummaryFile);
        long count = 0;
        if (lines.size() < 3 || std::sscanf(lines[2].c_str(), "%ld", &count) != 1)
            throw DataFileError(std::string(UsageSummaryFile), "contatore degli utilizzi illeggibile");
        ReplaceTextFile(folder, UsageSummaryFile, {lines[1], usageJulianDay_, std::to_string(count + 1)});
        const auto path = folder.Resolve(UsageDatesFile);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << usageJulianDay_ << "\r\n";
        if (!out.flush()) throw DataFileError(std::string(UsageDatesFile), "scrittura non riuscita");
    } catch (const std::exception& error) {
        ShowError(error);
    }
    FillUsageDates();
}

void MainWindow::FillUsageDates() {
    cbox1_->clear();
    if (!state_.Folder.Exists(UsageDatesFile)) return;
    try {
        for (const auto& line : ReadTextLines(state_.Folder, UsageDatesFile)) {
            char* end = nullptr;
            const long double jd = std::strtold(line.c_str(), &end);
            if (end == line.c_str() || jd < 0 || jd > 1e8) continue;  // a damaged line shows nothing
            cbox1_->addItem(QString::fromStdString(JulianDayToText(jd).substr(0, 10)));
        }
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

bool MainWindow::NewPasswordKey(QKeyEvent* event) {
    if (typedPassword_.size() == 6) return false;  // the edit takes the key; textEdited checks it
    edNewPass_->clear();
    edNewPass_->setStyleSheet(RedStyle);
    ShowMessage(QMessageBox::Warning, QStringLiteral("Inserire PRIMA la Password Attuale!"));
    (void)event;
    return true;
}

void MainWindow::NewPasswordTyped() {
    const bool matches = typedPassword_ == storedPassword_;
    edNewPass_->setStyleSheet(matches ? AquaStyle : WhiteStyle);
    bbOkRegi_->setEnabled(matches);
}

void MainWindow::OkRegistra() {
    QString password = edNewPass_->text();
    while (!password.isEmpty() && password.front() == QLatin1Char(' ')) password.remove(0, 1);
    if (password.size() != 6) {
        ShowMessage(QMessageBox::Warning, QStringLiteral("Occorrono 6 caratteri"));
        return;
    }
    try {
        ReplaceFirstLine(state_.Folder, PasswordFile, ToFile(password));
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    bbOkRegi_->setText(QStringLiteral("Ok Fatto!"));
    bbOkRegi_->setEnabled(false);
}

bool MainWindow::AccessCodeKey(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    codeBuffer_ += text.toUpper();
    edPass_->setText(QString(codeBuffer_.size(), QLatin1Char('*')));
    ApplyAccessCode();
    return true;
}

void MainWindow::ApplyAccessCode() {
    const bool quadriverso = codeBuffer_ == QLatin1String("#QUADRIVERSO");
    if (quadriverso || codeBuffer_ == QLatin1String("MORVELANT")) {
        cbox1_->show();
        bbUtility_->show();
        state_.Switches.MaintenanceMode = true;
        edPass_->setText(QStringLiteral("OK"));
        edPass_->hide();
        Unlock();
    } else if (codeBuffer_ == QLatin1String("CROTALEMI")) {
        bTervano1_->show();
        bTervano2_->show();
        state_.Switches.PlantListMode = true;
        Unlock();
        edPass_->hide();
    } else if (codeBuffer_ == QLatin1String("BRUNEL")) {
        try {
            ReplaceFirstLine(state_.Folder, PasswordFile, std::string(FactoryPassword));
        } catch (const std::exception& error) {
            ShowError(error);
            return;
        }
        storedPassword_ = QString::fromLatin1(FactoryPassword.data(), FactoryPassword.size());
        edPass_->setText(QStringLiteral("OK"));
    }
}

void MainWindow::SetCombosLocked(bool locked) {
    comboOrb_->setEnabled(!locked);
    comboNodo_->setEnabled(!locked);
    const QString colours = locked ? GreyStyle : AquaStyle;
    comboOrb_->setStyleSheet(colours);
    comboNodo_->setStyleSheet(colours);
    // The lock pictures: shut while the combos are locked, open while they can be changed.
    bbLk_->setProperty("picture", locked ? "LockShut" : "LockOpen");
    bbLk_->setIcon(ButtonPicture(bbLk_->property("picture").toString()));
}

void MainWindow::OrbSetChanged(const QString& text) {
    pendingOrbLetter_ = text.isEmpty() ? ' ' : text.at(0).toLatin1();
    orbSetPending_ = true;
    idleTimer_.start();
}

void MainWindow::NodeModeChanged(const QString& text) {
    pendingNodeMode_ = text.left(5).toStdString();
    nodeModePending_ = true;
    idleTimer_.start();
}

void MainWindow::ToggleNodeMode() {
    const QString mode =
        comboNodo_->currentText() != QLatin1String("VERO") ? QStringLiteral("VERO") : QStringLiteral("MEDIO");
    {
        const QSignalBlocker block(comboNodo_);
        comboNodo_->setEditText(mode);
    }
    NodeModeChanged(mode);
}

void MainWindow::RunIdle() {
    const ProgramFolder& folder = state_.Folder;
    try {
        if (nodeModePending_) {
            nodeModePending_ = false;
            const QString text = comboNodo_->currentText();
            if (text != QLatin1String("MEDIO") && text != QLatin1String("VERO")) {
                const QSignalBlocker block(comboNodo_);
                comboNodo_->setEditText(QStringLiteral("MEDIO"));
                pendingNodeMode_ = "MEDIO";
            }
            state_.Orbs = ReplaceSettingsLine(folder, 18, pendingNodeMode_);
        }
        if (orbSetPending_) {
            orbSetPending_ = false;
            const QString text = comboOrb_->currentText();
            if (comboOrb_->findText(text) < 0) pendingOrbLetter_ = 'A';
            const auto result = ApplyOrbSet(folder, pendingOrbLetter_);
            if (result.Applied) state_.Orbs = result.Table;
            const QSignalBlocker block(comboOrb_);
            comboOrb_->setEditText(QString::fromStdString(OrbSetDisplayName(state_.Orbs.Letter)));
            if (!result.Applied) ShowMessage(QMessageBox::Warning, QString::fromStdString(result.Message));
        }
    } catch (const std::exception& error) {
        ShowError(error);
    }
}

void MainWindow::OpenSubjectText() {
    try {
        const auto reference = ReadTextReference(state_.Folder);
        if (!reference) return;
        WriteEditorPath(state_.Folder, reference->Archive + "txt/" + reference->Number + ".txt");
    } catch (const std::exception& error) {
        ShowError(error);
        return;
    }
    // The editor reads the path back from "FileDum\DatModif.dum", as every opener hands it over.
    if (textEditor_->OpenFromReference()) textEditor_->exec();
}

}  // namespace florimant
