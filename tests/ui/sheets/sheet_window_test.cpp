// The chart-sheet window: opening with and without a printer, zoom, drag, wheel and the fit
// buttons, colours and aspect lines, the picture name, export with the clipboard and the viewer,
// printing to a PDF file standing for the printer (with the "Dummy" job), the PDF offered without
// a printer, failures that leave the window as it was, and the main window's two buttons.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <tuple>

#include "common/file_io.hpp"
#include "drawing/picture_orientation.hpp"
#include "drawing/sheet_support.hpp"
#include "engine/astro_time.hpp"
#include "support/main_window_run.hpp"
#include "support/window_test.hpp"
#include "ui/main/program_start.hpp"
#include "ui/sheets/picture_viewer_window.hpp"
#include "ui/sheets/sheet_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

std::string Output(const QString& command) {
    std::string out;
    FILE* pipe = popen((command + QStringLiteral(" 2>/dev/null")).toLocal8Bit().constData(), "r");
    if (pipe == nullptr) return out;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    pclose(pipe);
    return out;
}

void WriteBytes(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PdfPage {
    int pages = 0;
    QString text;
    int wordsOutside = 0;  // words whose box leaves the page
};

PdfPage ReadPdf(const QString& file) {
    PdfPage pdf;
    const QString info = QString::fromStdString(Output(QStringLiteral("pdfinfo '%1'").arg(file)));
    pdf.pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    pdf.text = QString::fromStdString(Output(QStringLiteral("pdftotext '%1' -").arg(file)));
    const QString boxes = QString::fromStdString(Output(QStringLiteral("pdftotext -bbox '%1' -").arg(file)));
    const auto page = QRegularExpression(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\"")).match(boxes);
    const double width = page.captured(1).toDouble(), height = page.captured(2).toDouble();
    const QRegularExpression word(
        QStringLiteral("xMin=\"([-\\d.]+)\" yMin=\"([-\\d.]+)\" xMax=\"([-\\d.]+)\" yMax=\"([-\\d.]+)\""));
    for (auto it = word.globalMatch(boxes); it.hasNext();) {
        const auto m = it.next();
        pdf.wordsOutside += m.captured(1).toDouble() < 0 || m.captured(2).toDouble() < 0 ||
                            m.captured(3).toDouble() > width || m.captured(4).toDouble() > height;
    }
    return pdf;
}

// PDF files standing for the printer: every job writes a file of its own, in the order of the jobs.
class FilePrinters : public SheetPrinters {
public:
    explicit FilePrinters(QString into) : folder(std::move(into)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }
    QPrinter* Find() override { return present ? &printer : nullptr; }
    bool Setup(QPrinter& p, QWidget*) override {
        ++setups;
        p.setPageOrientation(QPageLayout::Landscape);
        return true;
    }
    void JobStarting(QPrinter& p, const QString& name) override {
        jobs << name;
        files << QStringLiteral("%1/job%2.pdf").arg(folder).arg(jobs.size());
        p.setOutputFileName(files.back());
    }

    QPrinter printer{QPrinter::HighResolution};
    bool present = true;
    QString folder;
    QStringList jobs, files;
    int setups = 0;
};

// While it lives, runs `look` on the next modal window once it is open, then closes it.
class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QDialog&)> look) : look_(std::move(look)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            timer_.stop();
            look_(*dialog);
            dialog->reject();
        });
        timer_.start();
    }

private:
    std::function<void(QDialog&)> look_;
    QTimer timer_;
};

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

// The sheet window of the installation's current subject, on a copy of the installation, with
// PDF files for its printer.
struct SheetRun : ProgramCopy {
    explicit SheetRun(SheetLayoutKind layout = SheetLayoutKind::Portrait, bool withPrinter = true) {
        InitialiseProgramState(state, QGuiApplication::primaryScreen());
        state.Display = LoadDisplaySettings(state.Folder);
        state.Orbs = LoadActiveOrbs(state.Folder);
        ComputeChart(state.Folder, ChartEphemerisSettings(state.Orbs), state.Chart, state.Summary);
        SetSheetSwitches(state.Switches, layout);
        auto files = std::make_unique<FilePrinters>(jobs.path());
        files->present = withPrinter;
        printers = files.get();
        window.SetPrinters(std::move(files));
    }
    // Opened as the main window opens it, and drawn once the timer has ticked.
    void Open() {
        const int before = window.drawings();
        QVERIFY(window.Prepare());
        window.Place(Placement::FullScreen);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_VERIFY(window.drawings() > before);
    }
    void Press(const char* name) { Click(window, name); }
    std::string Orientations() const { return ReadFile(state.Folder.Resolve(PictureOrientationFile)); }
    QImage Screen() { return window.grab().toImage(); }
    QString Picture(const char* name) { return Control<QPushButton>(window, name)->property("picture").toString(); }
    void Drag(QPoint from, QPoint to) {
        SendMouse(window, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        SendMouse(window, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
        SendMouse(window, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    }
    std::string Name() const { return QString::fromStdString(state.Chart.SubjectName).trimmed().toStdString(); }

    QTemporaryDir jobs;
    SheetWindow window{state, messages};
    FilePrinters* printers = nullptr;
};

int W2() { return QGuiApplication::primaryScreen()->geometry().width() / 2; }
int H2() { return QGuiApplication::primaryScreen()->geometry().height() / 2; }

}  // namespace

class SheetWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensEachLayoutWithAndWithoutAPrinter() {
        for (const bool printer : {true, false}) {
            SheetRun portrait(SheetLayoutKind::Portrait, printer);
            portrait.Open();
            QCOMPARE(portrait.window.view(), printer ? (SheetView{0.5L, W2() / 2, 0}) : SheetView{});
            QCOMPARE(portrait.window.geometry(), QGuiApplication::primaryScreen()->geometry());
            QCOMPARE(portrait.window.windowTitle(), QStringLiteral("Grafico Riassuntivo Stampabile - Verticale 1"));
            QCOMPARE(portrait.Picture("BitBtnFoglio"), QStringLiteral("SetupP"));
            QCOMPARE(portrait.state.Draw.PrinterExists, printer);
            QVERIFY(portrait.messages.Empty());
            SheetRun landscape(SheetLayoutKind::Landscape, printer);
            landscape.Open();
            QCOMPARE(landscape.window.view(), SheetView{});
            QCOMPARE(landscape.Picture("BitBtnFoglio"), QStringLiteral("SetupL"));
            QVERIFY(landscape.window.windowTitle().endsWith(QStringLiteral("Orizzontale 1")));
        }
        SheetRun run;
        run.Open();
        const struct {
            const char* name;
            QString caption, hint;
        } controls[] = {
            {"BitBtnRitorna", "Ritorna", ""},
            {"BitBtnStampa", "Stampa", "Stampa del Grafico visualizzato"},
            {"BitBtnSetup", "Setup", "Variazione Parametri di Stampa"},
            {"BitBtnFoglio", "", "Orientamento Foglio Stampato"},
            {"BitBtnColNer", "", "Conversione Nero/Colore"},
            {"BitBtnZoomPiu", "+", "Ingrandimento"},
            {"BitBtnZoomMeno", "-", "Riduzione"},
            {"BBaltezza", "Altezza", "mostra a tutta altezza"},
            {"BBlargarghezza", "Larghezza", "mostra a tutta larghezza"},
            {"BBEMFout", "EMF", "Copia su File"},
            {"BBEMFin", "EMF", "Richiama da File"},
            {"BBFlagRiga", "", "Visualizz Aspetti"},
        };
        for (const auto& c : controls) {
            auto* button = Control<QPushButton>(run.window, c.name);
            QCOMPARE(button->text(), c.caption);
            QCOMPARE(button->toolTip(), c.hint);
            QVERIFY(button->isVisible());
        }
        QVERIFY(Control<QPushButton>(run.window, "BitBtnRitorna")->isDefault());
        QVERIFY(!Control<QPushButton>(run.window, "BitBtnFoglio")->isEnabled());
        auto* combo = Control<QComboBox>(run.window, "ComboEMF");
        QCOMPARE(combo->count(), 15);
        QCOMPARE(combo->itemText(14), QStringLiteral("GRAF15.EMF"));
        QCOMPARE(combo->currentText(), QStringLiteral("GRAF01.EMF"));
        QCOMPARE(combo->toolTip(), QStringLiteral("File Grafico"));
        auto* panel = Control<QWidget>(run.window, "Panel1");
        QCOMPARE(panel->geometry().bottom(), run.window.height() - 1);
        QCOMPARE(panel->width(), run.window.width());
        // Black behind the sheet, the sheet's white texts on it.
        const QImage screen = run.Screen();
        QCOMPARE(screen.pixelColor(2, 2), QColor(Qt::black));
    }

    void zoomStepsStopAtTheLimitsKeepingTheCentre() {
        SheetRun run(SheetLayoutKind::Landscape);
        run.Open();
        int drawings = run.window.drawings();
        for (int i = 0; i < 20; ++i) run.Press("BitBtnZoomPiu");
        QCOMPARE(run.window.view().Zoom, LargestSheetZoom);
        // From zoom 1 without pan the sheet pixel at the centre is (W2, H2) itself.
        QVERIFY(std::abs(run.window.view().OffsetX - (W2() - 4 * W2())) <= 2);
        QVERIFY(std::abs(run.window.view().OffsetY - (H2() - 4 * H2())) <= 2);
        QVERIFY(run.window.drawings() > drawings);
        drawings = run.window.drawings();
        run.Press("BitBtnZoomPiu");
        QCOMPARE(run.window.drawings(), drawings);  // nothing changed, nothing drawn
        for (int i = 0; i < 30; ++i) run.Press("BitBtnZoomMeno");
        QCOMPARE(run.window.view().Zoom, SmallestSheetZoom);
        QVERIFY(std::abs(run.window.view().OffsetX - (W2() - 0.4 * W2())) <= 2);
        QVERIFY(run.messages.Empty());
    }

    // A drag moves the drawing there is without drawing the sheet again, and only beyond 2 pixels.
    void dragsOfOneTwoAndThreePixels() {
        SheetRun run(SheetLayoutKind::Landscape);
        run.Open();
        const int drawings = run.window.drawings();
        const QPoint from(300, 200);
        for (const int d : {1, 2}) {
            run.Drag(from, from + QPoint(d, d));
            QCOMPARE(run.window.view(), SheetView{});
        }
        run.Drag(from, from + QPoint(3, -3));
        QCOMPARE(run.window.view(), (SheetView{1, 3, -3}));

        const QImage before = run.Screen();
        SendMouse(run.window, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= 40; ++step)
            SendMouse(run.window, QEvent::MouseMove, from + QPoint(step, step / 2), Qt::NoButton, Qt::LeftButton);
        const QImage during = run.Screen();
        // Shown 40 and 20 pixels further, drawn the same.
        const QRect part(100, 100, 200, 150);
        QCOMPARE(during.copy(part.translated(40, 20)), before.copy(part));
        QCOMPARE(run.window.view(), (SheetView{1, 3, -3}));  // the offsets change when the button comes up
        SendMouse(run.window, QEvent::MouseButtonRelease, from + QPoint(40, 20), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(run.window.view(), (SheetView{1, 43, 17}));
        QCOMPARE(run.Screen(), during);
        QCOMPARE(run.window.drawings(), drawings);
    }

    void theWheelScrollsAndTheFitButtonsShowTheWholePage() {
        SheetRun run(SheetLayoutKind::Portrait);
        run.Open();
        const int drawings = run.window.drawings();
        const auto wheel = [&](int delta) {
            QWheelEvent event(QPointF(300, 200), run.window.mapToGlobal(QPointF(300, 200)), QPoint(), QPoint(0, delta),
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(&run.window, &event);
        };
        wheel(-120);
        QCOMPARE(run.window.view().OffsetY, 20);
        wheel(240);
        QCOMPARE(run.window.view().OffsetY, -20);
        wheel(60);  // half a notch waits for the other half
        QCOMPARE(run.window.view().OffsetY, -20);
        wheel(60);
        QCOMPARE(run.window.view().OffsetY, -40);
        QCOMPARE(run.window.drawings(), drawings);

        run.Press("BBlargarghezza");
        QCOMPARE(run.window.view(), SheetView{});
        run.Press("BBaltezza");
        QCOMPARE(run.window.view(), (SheetView{0.5L, W2() / 2, 0}));
        // "Setup" turned the printer: the whole height of a landscape page is at zoom 1.
        run.Press("BitBtnSetup");
        QCOMPARE(run.printers->setups, 1);
        QCOMPARE(run.Picture("BitBtnFoglio"), QStringLiteral("SetupL"));
        run.Press("BBaltezza");
        QCOMPARE(run.window.view(), SheetView{});
    }

    void coloursAndAspectLinesSwitchAndDrawAgain() {
        SheetRun run(SheetLayoutKind::Landscape);
        run.Open();
        const auto colouredPixels = [&] {
            const QImage image = run.Screen();
            int coloured = 0;
            for (int y = 0; y < image.height() - 60; y += 2)
                for (int x = 0; x < image.width(); x += 2) {
                    const QColor c = image.pixelColor(x, y);
                    coloured +=
                        std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) > 40;
                }
            return coloured;
        };
        QVERIFY(colouredPixels() > 200);
        QCOMPARE(run.Picture("BitBtnColNer"), QStringLiteral("StColor"));
        run.Press("BitBtnColNer");
        QVERIFY(run.window.blackAndWhite());
        QCOMPARE(run.Picture("BitBtnColNer"), QStringLiteral("StNero"));
        QCOMPARE(colouredPixels(), 0);
        run.Press("BitBtnColNer");
        QVERIFY(colouredPixels() > 200);

        QCOMPARE(run.Picture("BBFlagRiga"), QStringLiteral("LinLos"));
        const QImage lines = run.Screen();
        run.Press("BBFlagRiga");
        QCOMPARE(run.window.aspectLines(), AspectLineStyle::Bands);
        QCOMPARE(run.Picture("BBFlagRiga"), QStringLiteral("LosLin"));
        QVERIFY(run.Screen() != lines);
        run.Press("BBFlagRiga");
        QCOMPARE(run.window.aspectLines(), AspectLineStyle::Lines);
        QCOMPARE(run.Picture("BBFlagRiga"), QStringLiteral("LinLos"));
        QCOMPARE(run.Screen(), lines);

        // Closing puts everything back for the next opening.
        run.Press("BitBtnColNer");
        run.Press("BBFlagRiga");
        run.Press("BitBtnZoomPiu");
        run.Press("BitBtnRitorna");
        QVERIFY(!run.window.isVisible());
        QCOMPARE(run.window.view(), SheetView{});
        QVERIFY(!run.window.blackAndWhite());
        QCOMPARE(run.window.aspectLines(), AspectLineStyle::Lines);
        QCOMPARE(run.Picture("BitBtnColNer"), QStringLiteral("StColor"));
    }

    void onlyTheFifteenPictureNamesAreWritten() {
        SheetRun run(SheetLayoutKind::Landscape);
        run.Open();
        const std::string orientations = run.Orientations();
        auto* combo = Control<QComboBox>(run.window, "ComboEMF");
        for (const char* name : {"GRAF03.emf", "GRAF01X.EMF", "GRAF16.EMF", "", "..\\x.EMF", "XXXX01.EMF", "GRAF03"}) {
            run.messages.Clear();
            combo->setEditText(QString::fromLatin1(name));
            run.Press("BBEMFout");
            QCOMPARE(run.messages.Texts(MessageKind::Warning), QStringList{QStringLiteral("File deve essere .EMF")});
            run.messages.Clear();
            run.Press("BBEMFin");
            QCOMPARE(run.messages.Texts(MessageKind::Warning), QStringList{QStringLiteral("File deve essere .EMF")});
        }
        QCOMPARE(run.Orientations(), orientations);
        QCOMPARE(std::distance(fs::directory_iterator(run.state.Folder.Resolve("Emf")), fs::directory_iterator()), 1);
        QVERIFY(!fs::exists(run.state.Folder.Resolve("x.EMF")));

        run.messages.Clear();
        combo->setEditText(QStringLiteral("GRAF03.EMF"));
        run.Press("BBEMFout");
        QVERIFY(run.messages.Empty());
        QVERIFY(fs::exists(run.state.Folder.Resolve("Emf\\GRAF03.EMF")));
        QCOMPARE(run.window.pictureName(), QStringLiteral("GRAF03.EMF"));
    }

    // Without a printer, a portrait export is recorded "P", the metafile two screens high; the
    // window's zoom and pan stay; the clipboard holds the metafile and its bitmap; the viewer
    // opens upright, and closing it shows the whole width.
    void exportThenViewer() {
        SheetRun run(SheetLayoutKind::Portrait, false);
        run.Open();
        run.Press("BitBtnZoomPiu");
        run.Drag({300, 200}, {350, 260});
        const SheetView view = run.window.view();
        const int drawings = run.window.drawings();
        Control<QComboBox>(run.window, "ComboEMF")->setEditText(QStringLiteral("GRAF03.EMF"));
        run.Press("BBEMFout");
        QVERIFY2(run.messages.Empty(), qPrintable(run.messages.Texts().join('\n')));
        QCOMPARE(run.window.view(), view);
        QCOMPARE(run.window.drawings(), drawings);
        QCOMPARE(run.Orientations().substr(0, 9), std::string("L\r\nL\r\nP\r\n"));

        const std::string bytes = ReadFile(run.state.Folder.Resolve("Emf\\GRAF03.EMF"));
        const QMimeData* pasted = QGuiApplication::clipboard()->mimeData();
        QVERIFY(pasted != nullptr);
        QCOMPARE(pasted->data(QStringLiteral("image/emf")).toStdString(), bytes);
        QVERIFY(pasted->hasImage());
        const QImage bitmap = qvariant_cast<QImage>(pasted->imageData());
        const SheetPictureSize size = SheetPictureSizeFor(run.state.Draw, SheetLayoutKind::Portrait);
        QCOMPARE(bitmap.size(), QSize(size.Width, size.Height));
        QCOMPARE(bitmap.height(), 2 * QGuiApplication::primaryScreen()->geometry().height());

        bool opened = false;
        QString viewerName, viewerTitle;
        int viewerHeight = 0;
        const ModalWatch watch([&](QDialog& viewer) {
            opened = true;
            viewerName = viewer.objectName();
            viewerTitle = viewer.windowTitle();
            viewerHeight = viewer.height();
        });
        run.Press("BBEMFin");
        QVERIFY(opened);
        QCOMPARE(viewerName, QStringLiteral("FoMetGra"));
        QCOMPARE(viewerHeight, 680);
        QVERIFY(viewerTitle.endsWith(QStringLiteral("GRAF03.EMF   ")));
        QCOMPARE(run.window.view(), SheetView{});
        QVERIFY(run.messages.Empty());
    }

    void aMissingOrDamagedPictureIsNotShown() {
        SheetRun run;
        run.Open();
        bool opened = false;
        const ModalWatch watch([&](QDialog&) { opened = true; });
        auto* combo = Control<QComboBox>(run.window, "ComboEMF");
        const auto show = [&](const char* name) {
            run.messages.Clear();
            combo->setEditText(QString::fromLatin1(name));
            run.Press("BBEMFin");
            QCoreApplication::processEvents();
            return run.messages.Texts(MessageKind::Error).join('\n');
        };
        QVERIFY(show("GRAF07.EMF").contains(QStringLiteral("Emf\\GRAF07.EMF")));
        WriteBytes(run.state.Folder.Resolve("Emf\\GRAF08.EMF"), "EMF? no, just text");
        QVERIFY(show("GRAF08.EMF").contains(QStringLiteral("danneggiata")));
        fs::remove(run.state.Folder.Resolve(PictureOrientationFile));
        combo->setEditText(QStringLiteral("GRAF09.EMF"));
        run.Press("BBEMFout");  // the orientation file is the installation's: nothing is written
        QVERIFY(!fs::exists(run.state.Folder.Resolve("Emf\\GRAF09.EMF")));
        QVERIFY(show("GRAF08.EMF").contains(QStringLiteral("TipGraf.Set")));
        QVERIFY(!opened);
        QVERIFY(run.window.viewer().isHidden());
    }

    // Return in the picture name takes the name: the window stays open, the list keeps its 15.
    void returnInThePictureNameOnlyTakesTheName() {
        SheetRun run;
        run.Open();
        auto* combo = Control<QComboBox>(run.window, "ComboEMF");
        combo->lineEdit()->setFocus();
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("GRAF05.EMF"));
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Enter);
        QVERIFY(run.window.isVisible());
        QCOMPARE(combo->count(), 15);
        QCOMPARE(run.window.pictureName(), QStringLiteral("GRAF05.EMF"));
        QCOMPARE(combo->currentText(), QStringLiteral("GRAF05.EMF"));
    }

    // The print goes through the window's own path onto PDF files standing for the printer.
    void printsOnePageWithTheSheetsTextsAndTheDummyJobFirst() {
        SheetRun run(SheetLayoutKind::Portrait);
        run.Open();
        run.Press("BitBtnZoomPiu");
        const DrawState screen = run.state.Draw;
        run.Press("BitBtnStampa");
        QVERIFY2(run.messages.Empty(), qPrintable(run.messages.Texts().join('\n')));
        QCOMPARE(run.printers->jobs, QStringList{QStringLiteral("Tema ") + QString::fromStdString(run.Name())});
        const PdfPage sheet = ReadPdf(run.printers->files.at(0));
        QCOMPARE(sheet.pages, 1);
        for (const QString& text :
             {QStringLiteral("TEMA DI NASCITA"), QString::fromStdString(run.Name()), QStringLiteral("LONGITUDINI"),
              QStringLiteral("DODECATEMORIE"), QStringLiteral("Giorno Planetario"),
              QStringLiteral("che coinvolgono i Nodi Lunari")})
            QVERIFY2(sheet.text.contains(text), qPrintable(text));
        QCOMPARE(sheet.wordsOutside, 0);
        // The window prints on a copy of its state: its scale and font base are those of the screen.
        QCOMPARE(run.state.Draw.Scale, screen.Scale);
        QCOMPARE(run.state.Draw.FontBase, screen.FontBase);
        QCOMPARE(run.window.view(), SheetView{});

        run.state.Display.PrinterCompatibilityMode = 1;
        run.Press("BitBtnStampa");
        QCOMPARE(run.printers->jobs.mid(1, 1), QStringList{QStringLiteral("Dummy")});
        QCOMPARE(run.printers->jobs.size(), 3);
        const PdfPage dummy = ReadPdf(run.printers->files.at(1));
        QCOMPARE(dummy.pages, 1);
        QCOMPARE(dummy.text.trimmed(), QString());
        QCOMPARE(ReadPdf(run.printers->files.at(2)).pages, 1);
    }

    // On US Letter the print scale fits the height too: the bottom of the upright sheet stays.
    void printsTheWholeSheetOnUsLetter() {
        for (const auto layout : {SheetLayoutKind::Portrait, SheetLayoutKind::Landscape}) {
            SheetRun run(layout);
            run.printers->printer.setPageSize(QPageSize(QPageSize::Letter));
            run.Open();
            run.Press("BitBtnStampa");
            QVERIFY(run.messages.Empty());
            const PdfPage sheet = ReadPdf(run.printers->files.at(0));
            QCOMPARE(sheet.wordsOutside, 0);
            // The right-hand title and the date, the sheet's lowest line, are on the page.
            QVERIFY(sheet.text.contains(QStringLiteral("TEMA DI NASCITA")));
            QVERIFY(sheet.text.contains(QString::fromStdString(TodayText())));
        }
    }

    // A print that fails says so, sends nothing and leaves the window as it was.
    void aFailedPrintLeavesTheWindowAsItWas() {
        SheetRun run;
        run.Open();
        run.Press("BitBtnZoomPiu");
        run.Drag({300, 200}, {320, 230});
        const SheetView view = run.window.view();
        const DrawState draw = run.state.Draw;
        run.printers->folder = QStringLiteral("/nonexistent-florimant-folder");
        run.Press("BitBtnStampa");
        QCOMPARE(run.messages.Texts(MessageKind::Error).size(), 1);
        QVERIFY(run.messages.Texts(MessageKind::Error)[0].startsWith(QStringLiteral("Impossibile avviare la stampa")));
        QCOMPARE(run.window.view(), view);
        QCOMPARE(run.state.Draw.FontBase, draw.FontBase);

        run.messages.Clear();
        run.printers->folder = run.jobs.path();
        run.printers->jobs.clear();
        fs::remove(run.state.Folder.Resolve("OpzioneT\\SpgPianCan.Txt"));
        run.Press("BitBtnStampa");
        QCOMPARE(run.messages.Texts(MessageKind::Error).size(), 1);
        QVERIFY(run.messages.Texts(MessageKind::Error)[0].contains(QStringLiteral("SpgPianCan.Txt")));
        QVERIFY(run.printers->jobs.isEmpty());  // no job was started for a page that could not be drawn
        QCOMPARE(run.window.view(), view);
        QVERIFY(run.window.isVisible());
    }

    void withoutAPrinterStampaOffersAPdf() {
        SheetRun run(SheetLayoutKind::Landscape, false);
        QString suggested;
        const QString file = QString::fromStdString((run.installation.path() / "foglio").string());
        run.window.SetPdfFileChooser([&](QWidget*, const QString& proposal) {
            suggested = proposal;
            return file;
        });
        run.Open();
        run.messages.answers = {Answer::No};
        run.Press("BitBtnStampa");
        QCOMPARE(run.messages.entries.size(), size_t(1));
        QVERIFY(run.messages.entries[0].question);
        QVERIFY(run.messages.entries[0].text.startsWith(QStringLiteral("Nessuna stampante installata")));
        QVERIFY(!fs::exists(file.toStdString() + ".pdf"));

        run.messages.Clear();
        run.messages.answers = {Answer::Yes};
        run.Press("BitBtnStampa");
        QVERIFY(suggested.endsWith(QStringLiteral(".pdf")));
        const PdfPage pdf = ReadPdf(file + QStringLiteral(".pdf"));
        QCOMPARE(pdf.pages, 1);
        QVERIFY(pdf.text.contains(QStringLiteral("DOMIFICAZIONE: CASE MEDIE")));
        QCOMPARE(pdf.wordsOutside, 0);
        QVERIFY(Output(QStringLiteral("pdfinfo '%1.pdf'").arg(file)).find("842 x 595") != std::string::npos);
        QVERIFY(run.messages.Texts(MessageKind::Information).join("").contains(file + QStringLiteral(".pdf")));
        QVERIFY(run.printers->jobs.isEmpty());

        run.messages.Clear();
        run.Press("BitBtnSetup");
        QCOMPARE(run.printers->setups, 0);
        QVERIFY(run.messages.Texts(MessageKind::Information)[0].startsWith(QStringLiteral("Nessuna stampante")));
    }

    // Every file step of an export interrupted in turn: the orientation file and the other
    // pictures as they were; the orientation changes only with the export's last step.
    void anInterruptedExportChangesNothingElse() {
        SheetRun run(SheetLayoutKind::Portrait);
        run.Open();
        WriteBytes(run.state.Folder.Resolve("Emf\\GRAF01.EMF"), "picture one");
        WriteBytes(run.state.Folder.Resolve("Emf\\GRAF02.EMF"), "old picture two");
        Control<QComboBox>(run.window, "ComboEMF")->setEditText(QStringLiteral("GRAF02.EMF"));
        const std::string orientations = run.Orientations();
        for (int failAt = 0;; ++failAt) {
            QVERIFY2(failAt < 100, "the export never completed");
            run.messages.Clear();
            int seen = 0;
            SetFileOperationHook([&](std::string_view, const fs::path&) {
                if (seen++ == failAt) throw std::runtime_error("interrotto");
            });
            run.Press("BBEMFout");
            SetFileOperationHook(nullptr);
            const bool completed = run.messages.Empty();
            QCOMPARE(ReadFile(run.state.Folder.Resolve("Emf\\GRAF01.EMF")), std::string("picture one"));
            const bool newPicture = ReadFile(run.state.Folder.Resolve("Emf\\GRAF02.EMF")) != "old picture two";
            if (!completed) {
                QCOMPARE(run.Orientations(), orientations);
                QVERIFY(run.messages.Texts(MessageKind::Error).join("").contains(QStringLiteral("interrotto")));
                continue;
            }
            QVERIFY(newPicture);
            QCOMPARE(run.Orientations().substr(3, 3), std::string("P\r\n"));
            QCOMPARE(failAt, 6);  // the key file, the picture and the orientation file: written, renamed
            break;
        }
    }

    // Drawing errors are shown once per drawing, never once per mouse move.
    void aFailingDrawingIsReportedOnceAndThePanStillWorks() {
        SheetRun run;
        fs::remove(run.state.Folder.Resolve("Appoggio\\GoverAnno.txt"));
        run.Open();
        QCOMPARE(run.messages.Texts(MessageKind::Error).size(), 1);
        QVERIFY(run.messages.Texts(MessageKind::Error)[0].contains(QStringLiteral("GoverAnno.txt")));
        SendMouse(run.window, QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= 20; ++step)
            SendMouse(run.window, QEvent::MouseMove, {300 + step, 200}, Qt::NoButton, Qt::LeftButton);
        SendMouse(run.window, QEvent::MouseButtonRelease, {320, 200}, Qt::LeftButton, Qt::NoButton);
        QCoreApplication::processEvents();
        QCOMPARE(run.messages.Texts(MessageKind::Error).size(), 1);
        QCOMPARE(run.window.view().OffsetX, W2() / 2 + 20);
    }

    void theMainWindowOpensBothSheets() {
        MainWindowRun run;
        run.Start();
        run.LogIn();
        for (const auto& [button, layout, orientation, caption] :
             {std::tuple{"BBVert", 5, "P", "Verticale 1"}, std::tuple{"BBOriz", 16, "L", "Orizzontale 1"}}) {
            QVERIFY(run.Find<QPushButton>(button)->isEnabled());
            QString name, title;
            QRect geometry, screen;
            {
                const ModalWatch watch([&](QDialog& window) {
                    name = window.objectName();
                    title = window.windowTitle();
                    geometry = window.geometry();
                    screen = window.screen()->geometry();
                });
                Click(*run.window, button);
            }
            QVERIFY2(name == QStringLiteral("SheetWindow"), qPrintable(run.messages.Texts().join('\n')));
            QVERIFY(title.endsWith(QString::fromLatin1(caption)));
            QCOMPARE(geometry, screen);
            QCOMPARE(run.state.Switches.SheetLayout, layout);
            QCOMPARE(run.state.Switches.SheetOrientation, std::string(orientation));
        }
    }
};

QTEST_MAIN(SheetWindowTest)
#include "sheet_window_test.moc"
