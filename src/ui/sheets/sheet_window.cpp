#include "ui/sheets/sheet_window.hpp"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>

#include <algorithm>

#include "drawing/emf_player.hpp"
#include "drawing/picture_orientation.hpp"
#include "drawing/primitives.hpp"
#include "drawing/sheet_support.hpp"
#include "engine/astro_time.hpp"
#include "export/qt_device.hpp"
#include "export/sheet_export.hpp"
#include "ui/common/button_pictures.hpp"
#include "ui/common/controls.hpp"
#include "ui/sheets/picture_viewer_window.hpp"
#include "ui/sheets/sheet_clipboard.hpp"

namespace florimant {

namespace {

constexpr int NotchDelta = 120;  // eighths of a degree in one notch of a mouse wheel
// The PDF saved instead of a print: positions and font heights are whole device units, so it is
// laid out at a printer's resolution.
constexpr int PdfDpi = 600;

QString PdfFileDialog(QWidget* parent, const QString& suggested) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Salva il foglio come PDF"), suggested,
                                        QStringLiteral("Documenti PDF (*.pdf)"));
}

// The subject's name as a file name: the blanks of its field dropped, no folder separators.
QString FileNameOfSubject(const std::string& name) {
    QString text = QString::fromStdString(name).trimmed();
    text.replace(QLatin1Char('/'), QLatin1Char('-')).replace(QLatin1Char('\\'), QLatin1Char('-'));
    return text.isEmpty() ? QStringLiteral("Tema") : QStringLiteral("Tema ") + text;
}

}  // namespace

void SetSheetSwitches(MainSwitches& switches, SheetLayoutKind layout) {
    switches.SheetLayout = int(layout);
    switches.SheetOrientation.assign(1, layout == SheetLayoutKind::Portrait ? 'P' : 'L');
}

SheetWindow::SheetWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent), printers_(std::make_unique<SystemPrinters>()), pdfFileChooser_(PdfFileDialog) {
    setObjectName(QStringLiteral("SheetWindow"));
    setWindowTitle(QStringLiteral("Grafico Riassuntivo Stampabile"));
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    FillBackground(*this, Qt::black);
    BuildPanel();
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] { Guarded([this] { TimerTick(); }); });
}

SheetWindow::~SheetWindow() = default;

void SheetWindow::SetPrinters(std::unique_ptr<SheetPrinters> printers) {
    printers_ = std::move(printers);
    printer_ = nullptr;
}

void SheetWindow::SetPdfFileChooser(PdfFileChooser chooser) { pdfFileChooser_ = std::move(chooser); }

QPushButton* SheetWindow::AddButton(const char* name, const QString& caption, const QString& hint) {
    QPushButton* button = MakeButton(panel_, name, caption);
    button->setToolTip(hint);
    button->setIconSize(QSize(24, 24));
    // Thirteen controls share the panel, on screens from 800 pixels across: each is as wide as
    // its caption or picture needs.
    const int text = button->fontMetrics().horizontalAdvance(caption);
    button->setFixedWidth(caption.isEmpty() ? 34 : std::max(30, text + 18));
    panel_->layout()->addWidget(button);
    return button;
}

void SheetWindow::OnClick(QPushButton* button, void (SheetWindow::*action)()) {
    connect(button, &QPushButton::clicked, this, [this, action] { Guarded([this, action] { (this->*action)(); }); });
}

void SheetWindow::ShowPicture(QPushButton* button, const char* picture) {
    button->setProperty("picture", QString::fromLatin1(picture));
    button->setIcon(ButtonPicture(QString::fromLatin1(picture)));
}

void SheetWindow::BuildPanel() {
    panel_ = new QWidget(this);
    panel_->setObjectName(QStringLiteral("Panel1"));
    FillBackground(*panel_, Qt::gray);
    auto* row = new QHBoxLayout(panel_);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(3);

    QPushButton* ritorna = AddButton("BitBtnRitorna", QStringLiteral("Ritorna"), QString());
    ritorna->setDefault(true);  // Return presses it; Escape closes the window as well
    connect(ritorna, &QPushButton::clicked, this, &QDialog::reject);
    OnClick(AddButton("BitBtnStampa", QStringLiteral("Stampa"), QStringLiteral("Stampa del Grafico visualizzato")),
            &SheetWindow::PrintSheet);
    OnClick(AddButton("BitBtnSetup", QStringLiteral("Setup"), QStringLiteral("Variazione Parametri di Stampa")),
            &SheetWindow::SetUpPrinter);
    foglio_ = AddButton("BitBtnFoglio", QString(), QStringLiteral("Orientamento Foglio Stampato"));
    foglio_->setEnabled(false);
    colNer_ = AddButton("BitBtnColNer", QString(), QStringLiteral("Conversione Nero/Colore"));
    ShowPicture(colNer_, "StColor");
    OnClick(colNer_, &SheetWindow::ToggleBlackAndWhite);
    OnClick(AddButton("BitBtnZoomPiu", QStringLiteral("+"), QStringLiteral("Ingrandimento")), &SheetWindow::ZoomIn);
    OnClick(AddButton("BitBtnZoomMeno", QStringLiteral("-"), QStringLiteral("Riduzione")), &SheetWindow::ZoomOut);
    OnClick(AddButton("BBaltezza", QStringLiteral("Altezza"), QStringLiteral("mostra a tutta altezza")),
            &SheetWindow::ShowFullHeight);
    OnClick(AddButton("BBlargarghezza", QStringLiteral("Larghezza"), QStringLiteral("mostra a tutta larghezza")),
            &SheetWindow::ShowFullWidth);
    OnClick(AddButton("BBEMFout", QStringLiteral("EMF"), QStringLiteral("Copia su File")),
            &SheetWindow::ExportSheetPicture);

    comboEmf_ = new QComboBox(panel_);
    comboEmf_->setObjectName(QStringLiteral("ComboEMF"));
    comboEmf_->setToolTip(QStringLiteral("File Grafico"));
    comboEmf_->setEditable(true);
    // A typed name is taken as it stands, never added to the fifteen.
    comboEmf_->setInsertPolicy(QComboBox::NoInsert);
    for (int n = 1; n <= PictureCount; ++n)
        comboEmf_->addItem(QStringLiteral("GRAF%1.EMF").arg(n, 2, 10, QLatin1Char('0')));
    comboEmf_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    comboEmf_->setFixedWidth(comboEmf_->fontMetrics().horizontalAdvance(QStringLiteral("GRAF00.EMF")) + 36);
    comboEmf_->lineEdit()->installEventFilter(this);
    panel_->layout()->addWidget(comboEmf_);

    OnClick(AddButton("BBEMFin", QStringLiteral("EMF"), QStringLiteral("Richiama da File")),
            &SheetWindow::ShowSavedPicture);
    flagRiga_ = AddButton("BBFlagRiga", QString(), QStringLiteral("Visualizz Aspetti"));
    ShowPicture(flagRiga_, "LinLos");
    OnClick(flagRiga_, &SheetWindow::ToggleAspectLines);
    row->addStretch();
}

PictureViewerWindow& SheetWindow::viewer() {
    if (viewer_ == nullptr) viewer_ = new PictureViewerWindow(state(), feedback().messages(), this);
    return *viewer_;
}

bool SheetWindow::PortraitPage() const {
    if (printer_ != nullptr) return printer_->pageLayout().orientation() == QPageLayout::Portrait;
    return portraitSheet_;  // the PDF saved instead of a print has the sheet's orientation
}

void SheetWindow::ShowPagePicture() { ShowPicture(foglio_, PortraitPage() ? "SetupP" : "SetupL"); }

bool SheetWindow::Prepare() {
    const int layout = state().Switches.SheetLayout;
    if (layout != int(SheetLayoutKind::Portrait) && layout != int(SheetLayoutKind::Landscape)) {
        ShowMessage(MessageKind::Error, QStringLiteral("Foglio sconosciuto: %1.").arg(layout));
        return false;
    }
    layout_ = SheetLayoutKind(layout);
    portraitSheet_ = state().Switches.SheetOrientation == "P";
    const bool portrait = layout_ == SheetLayoutKind::Portrait;
    setWindowTitle(QStringLiteral("Grafico Riassuntivo Stampabile - %1")
                       .arg(portrait ? QStringLiteral("Verticale 1") : QStringLiteral("Orizzontale 1")));

    const QScreen* screen = parentWidget() != nullptr && parentWidget()->screen() != nullptr
                                ? parentWidget()->screen()
                                : QApplication::primaryScreen();
    const QSize screenSize = screen != nullptr ? screen->geometry().size() : QSize(1024, 768);
    halfWidth_ = screenSize.width() / 2;
    halfHeight_ = screenSize.height() / 2;

    // The same test as the main window's at start: a printer may have come or gone since.
    printer_ = printers_->Find();
    state().Draw.PrinterExists = printer_ != nullptr;
    if (printer_ != nullptr)
        printer_->setPageOrientation(portraitSheet_ ? QPageLayout::Portrait : QPageLayout::Landscape);
    ShowPagePicture();
    view_ = OpeningView(printer_ != nullptr, portraitSheet_, halfWidth_);
    aspects_ = AspectLineStyle::Lines;
    ShowPicture(flagRiga_, "LinLos");
    comboEmf_->setEditText(pictureName_);

    // The subject's archetypal structure, once per opening; should it fail, the drawing computes
    // it again and reports why.
    structure_.reset();
    try {
        structure_ = ComputeArchetypalStructure(state().Folder, state().Chart);
    } catch (const std::exception&) {}
    owner_ = SheetOwnerText(state().Folder);
    sheet_.clear();
    pressed_ = false;
    drag_ = {};
    timer_.start();
    return true;
}

void SheetWindow::TimerTick() {
    if (ticks_ != 1) {
        ++ticks_;
        return;
    }
    timer_.stop();
    RedrawSheet();
}

void SheetWindow::done(int result) {
    timer_.stop();
    view_ = FullWidthView();
    aspects_ = AspectLineStyle::Lines;
    blackAndWhite_ = false;
    ShowPicture(colNer_, "StColor");
    ShowPicture(flagRiga_, "LinLos");
    pressed_ = false;
    drag_ = {};
    sheet_.clear();
    sheet_.shrink_to_fit();
    Window::done(result);
}

DrawState SheetWindow::WindowDrawState() const {
    DrawState s = state().Draw;
    s.Target = DrawTarget::Window;
    s.BlackAndWhite = blackAndWhite_;
    s.Zoom = view_.Zoom;
    s.OffsetX = s.OffsetY = 0;
    s.PrinterExists = printer_ != nullptr;
    s.PrinterLandscape = !PortraitPage();
    return s;
}

SheetInputs SheetWindow::Inputs() const {
    SheetInputs inputs;
    inputs.Chart = &state().Chart;
    inputs.Ephemeris = ChartEphemerisSettings(state().Orbs);
    inputs.Orbs = state().Orbs.Values.Orbs;
    inputs.AspectStyle = aspects_;
    inputs.Structure = structure_ ? &*structure_ : nullptr;
    inputs.DateText = TodayText();
    inputs.OwnerText = owner_;
    return inputs;
}

SheetOptions SheetWindow::Options() const { return {layout_, blackAndWhite_, aspects_}; }

void SheetWindow::RedrawSheet() {
    DrawState drawn = WindowDrawState();
    RecordingDevice recorder(true);
    paintFailed_ = false;
    // What was drawn before a failure stays on the screen.
    struct Shown {
        SheetWindow& window;
        RecordingDevice& recorder;
        ~Shown() {
            window.sheet_ = recorder.TakeShapes();
            ++window.drawings_;
            window.update();
        }
    } shown{*this, recorder};
    DrawSheet(drawn, recorder, state().Folder, Inputs(), layout_, true);
}

void SheetWindow::ChangeView(const SheetView& view) {
    const bool zoomed = view.Zoom != view_.Zoom;
    view_ = view;
    // A new zoom is a new drawing; a new pan only moves the one there is.
    if (zoomed) RedrawSheet();
    else update();
}

void SheetWindow::ZoomIn() { ChangeView(ZoomedView(view_, true, halfWidth_, halfHeight_)); }
void SheetWindow::ZoomOut() { ChangeView(ZoomedView(view_, false, halfWidth_, halfHeight_)); }

void SheetWindow::ShowFullHeight() {
    view_ = FullHeightView(PortraitPage(), halfWidth_);
    RedrawSheet();
}

void SheetWindow::ShowFullWidth() {
    view_ = FullWidthView();
    RedrawSheet();
}

void SheetWindow::ToggleBlackAndWhite() {
    blackAndWhite_ = !blackAndWhite_;
    ShowPicture(colNer_, blackAndWhite_ ? "StNero" : "StColor");
    RedrawSheet();
}

void SheetWindow::ToggleAspectLines() {
    const bool toBands = aspects_ == AspectLineStyle::Lines;
    aspects_ = toBands ? AspectLineStyle::Bands : AspectLineStyle::Lines;
    ShowPicture(flagRiga_, toBands ? "LosLin" : "LinLos");
    RedrawSheet();
}

void SheetWindow::SetUpPrinter() {
    if (printer_ == nullptr) {
        ShowMessage(MessageKind::Information,
                    QStringLiteral("Nessuna stampante installata: non ci sono parametri di stampa da variare."));
        return;
    }
    printers_->Setup(*printer_, this);
    ShowPagePicture();
    update();  // the page frame follows the printer's orientation
}

void SheetWindow::PrintSheet() {
    if (printer_ == nullptr) {
        SaveSheetAsPdf();
        return;
    }
    printer_->setPageOrientation(portraitSheet_ ? QPageLayout::Portrait : QPageLayout::Landscape);
    ShowPagePicture();
    const bool printed = Refusable(MessageKind::Error, [this] {
        // The whole page is drawn before any job starts: a data file that fails stops the print
        // before the printer has been sent anything.
        const auto page = RecordSheetPage(QSize(printer_->width(), printer_->height()), WindowDrawState(),
                                          state().Folder, Inputs(), Options());
        if (state().Display.PrinterCompatibilityMode == 1) PrintRecordedJob(*printers_, *printer_, BlankJobName, {});
        PrintRecordedJob(*printers_, *printer_, FileNameOfSubject(state().Chart.SubjectName), page);
    });
    if (printed) ShowFullWidth();
}

void SheetWindow::SaveSheetAsPdf() {
    if (Ask(QStringLiteral("Nessuna stampante installata: il foglio non può essere stampato.\n"
                           "Salvarlo come documento PDF, da stampare in seguito?")) != Answer::Yes)
        return;
    QString file = pdfFileChooser_(
        this, QDir::home().filePath(FileNameOfSubject(state().Chart.SubjectName) + QStringLiteral(".pdf")));
    if (file.isEmpty()) return;
    if (!file.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) file += QStringLiteral(".pdf");
    SheetExportRequest request;
    request.Sheet = Options();
    request.Kind = SheetFileKind::Pdf;
    request.Dpi = PdfDpi;
    request.Out = file.toStdString();
    if (!Refusable(MessageKind::Error, [&] { ExportSheet(state().Folder, WindowDrawState(), Inputs(), request); }))
        return;
    ShowMessage(MessageKind::Information, QStringLiteral("Il foglio è stato salvato nel documento PDF\n%1").arg(file));
    ShowFullWidth();
}

bool SheetWindow::Refusable(MessageKind kind, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const SheetExportError& e) {
        ShowMessage(kind, QString::fromStdString(e.what()));
    } catch (const PrintJobError& e) {
        ShowMessage(kind, QString::fromStdString(e.what()));
    }
    return false;
}

std::optional<std::string> SheetWindow::CheckedPictureName() {
    pictureName_ = comboEmf_->currentText();
    const std::string name = pictureName_.toStdString();
    if (!PassesPictureNameCheck(name)) {
        ShowMessage(MessageKind::Warning, QStringLiteral("File deve essere .EMF"));
        return std::nullopt;
    }
    return name;
}

void SheetWindow::ExportSheetPicture() {
    const auto name = CheckedPictureName();
    if (!name) return;
    SheetExportRequest request;
    request.Sheet = Options();
    request.Kind = SheetFileKind::Emf;
    request.Out = SheetPicturePath(state().Folder, *name);
    // Drawn on a copy of the window's state: the window's zoom and pan stay as they are.
    if (!Refusable(MessageKind::Warning, [&] { ExportSheet(state().Folder, WindowDrawState(), Inputs(), request); }))
        return;
    // The picture as it now stands in the file goes to the clipboard; an unreadable one does not,
    // and the picture itself has been saved: nothing to report.
    try {
        CopySheetPictureToClipboard(LoadMetafilePicture(state().Folder, "Emf\\" + *name));
    } catch (const std::exception&) {}
}

void SheetWindow::ShowSavedPicture() {
    const auto name = CheckedPictureName();
    if (!name) return;
    PictureViewerWindow& shown = viewer();
    if (!shown.ShowPicture(pictureName_)) return;
    shown.Run(Placement::AsIs);
    ShowFullWidth();
}

void SheetWindow::resizeEvent(QResizeEvent* event) {
    Window::resizeEvent(event);
    const int height = panel_->sizeHint().height();
    panel_->setGeometry(0, this->height() - height, width(), height);
}

void SheetWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QPoint shift(view_.OffsetX + drag_.x(), view_.OffsetY + drag_.y());
    try {
        painter.save();
        painter.translate(shift);
        {
            QtDevice device(painter);
            ReplayShapes(sheet_, device);
        }
        painter.restore();
        DrawState frame = WindowDrawState();
        frame.OffsetX = shift.x();
        frame.OffsetY = shift.y();
        QtDevice device(painter);
        Canvas canvas{frame, device};
        DrawPageFrame(canvas);
    } catch (const std::exception& e) {
        // No box from inside a paint: once, from the event loop.
        if (paintFailed_) return;
        paintFailed_ = true;
        const QString text = ErrorText(e);
        QTimer::singleShot(0, this, [this, text] { ShowMessage(MessageKind::Error, text); });
    }
}

void SheetWindow::mousePressEvent(QMouseEvent* event) {
    Guarded([&] {
        if (event->button() != Qt::LeftButton) return;
        pressed_ = true;
        pressedAt_ = event->position().toPoint();
        drag_ = {};
        setCursor(Qt::ClosedHandCursor);
    });
}

void SheetWindow::mouseMoveEvent(QMouseEvent* event) {
    Guarded([&] {
        if (!pressed_) return;
        drag_ = event->position().toPoint() - pressedAt_;
        update();
    });
}

void SheetWindow::mouseReleaseEvent(QMouseEvent* event) {
    Guarded([&] {
        if (event->button() != Qt::LeftButton || !pressed_) return;
        const QPoint at = event->position().toPoint();
        pressed_ = false;
        unsetCursor();
        const SheetView moved =
            DraggedView(view_, pressedAt_.x(), pressedAt_.y(), at.x(), at.y(), drag_.x(), drag_.y());
        drag_ = {};
        ChangeView(moved);
    });
}

void SheetWindow::wheelEvent(QWheelEvent* event) {
    Guarded([&] {
        wheelDelta_ += event->angleDelta().y();
        const int notchesUp = wheelDelta_ / NotchDelta;
        wheelDelta_ -= notchesUp * NotchDelta;
        if (notchesUp != 0) ChangeView(ScrolledView(view_, -notchesUp));
        event->accept();
    });
}

bool SheetWindow::eventFilter(QObject* watched, QEvent* event) {
    // Return in the picture name only takes the name: it neither closes the window through the
    // default button nor adds the name to the list.
    if (watched == comboEmf_->lineEdit() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            pictureName_ = comboEmf_->currentText();
            return true;
        }
    }
    return Window::eventFilter(watched, event);
}

}  // namespace florimant
