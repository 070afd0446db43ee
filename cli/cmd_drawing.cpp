// florimant-cli sheet and picture: the current subject's chart sheet as a PNG, PDF, SVG or EMF
// file, and a metafile played back into a PNG picture.
#if __has_include(<QGuiApplication>)  // the commands need the Qt device; without Qt they are left out

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "cli_command.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/utf8.hpp"
#include "drawing/display_settings.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/picture_orientation.hpp"
#include "drawing/sheet.hpp"
#include "drawing/sheet_support.hpp"
#include "engine/astro_time.hpp"
#include "engine/chart.hpp"
#include "json.hpp"
#include "ui/qt_device.hpp"

namespace florimant::cli {
namespace {

namespace fs = std::filesystem;

// Fonts and painting need a GUI application. The command line shows no window, so the offscreen
// platform serves unless the user chose another. The application is never destroyed: Qt's
// global objects outlive main() and must not see it go first.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    // Qt's notices (a missing runtime folder, font fallbacks) are not the command's business: its
    // own errors are the one line on standard error.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) std::fprintf(stderr, "florimant-cli: %s\n", qPrintable(message));
    });
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "florimant-cli";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

enum class OutputKind { Png, Pdf, Svg, Emf };

std::string LowerExtension(const fs::path& path) { return LowerCaseAscii(path.extension().string()); }

OutputKind KindOfOutput(const fs::path& out) {
    const std::string e = LowerExtension(out);
    if (e == ".png") return OutputKind::Png;
    if (e == ".pdf") return OutputKind::Pdf;
    if (e == ".svg") return OutputKind::Svg;
    if (e == ".emf") return OutputKind::Emf;
    throw CommandError("formato del file di uscita non riconosciuto (.png, .pdf, .svg, .emf): " + out.string());
}

// A whole number option within a range.
int IntegerOption(const Arguments& args, const std::string& name, int fallback, int low, int high) {
    if (!args.Has(name)) return fallback;
    const double value = args.GetNumber(name);
    if (value != double(int(value)) || value < low || value > high)
        throw CommandError("--" + name + " deve essere un intero da " + std::to_string(low) + " a " +
                           std::to_string(high) + ": " + args.Get(name));
    return int(value);
}

// "Nome Cognome" of the user, as the main window shows it; empty when not set up yet.
std::string OwnerText(const ProgramFolder& folder) {
    if (!folder.Exists("FileTmp\\Personal.Tmp")) return {};
    const auto lines = ReadTextLines(folder, "FileTmp\\Personal.Tmp");
    const std::string first = lines.size() > 0 ? Cp1252ToUtf8(lines[0]) : std::string();
    const std::string last = lines.size() > 1 ? Cp1252ToUtf8(lines[1]) : std::string();
    return first + " " + last;
}

struct SheetRequest {
    SheetLayoutKind Layout = SheetLayoutKind::Portrait;
    bool BlackAndWhite = false;
    AspectLineStyle Aspects = AspectLineStyle::Lines;
    int Dpi = 150;
    fs::path Out;
};

struct Drawn {
    int Width = 0, Height = 0;
};

// Everything the sheet reads besides the drawing state, loaded as the main window loads it
// before it opens a sheet.
struct SheetData {
    ChartData Chart;
    SheetInputs Inputs;
    DisplaySettings Display;
};

void LoadSheetData(const ProgramFolder& folder, const SheetRequest& request, SheetData& data) {
    const ActiveOrbTable orbs = LoadActiveOrbs(folder);
    data.Inputs.Ephemeris = ChartEphemerisSettings(orbs);
    SubjectSummary summary;
    ComputeChart(folder, data.Inputs.Ephemeris, data.Chart, summary);
    data.Display = LoadDisplaySettings(folder);
    data.Inputs.Chart = &data.Chart;
    data.Inputs.Orbs = orbs.Values.Orbs;
    data.Inputs.AspectStyle = request.Aspects;
    data.Inputs.DateText = TodayText();
    data.Inputs.OwnerText = OwnerText(folder);
}

// The printed page: S, SX, SY and F of the print scale for a page `width` pixels wide.
DrawState PrintState(const SheetRequest& request, const DisplaySettings& display, int width) {
    DrawState state;
    state.Target = DrawTarget::Printer;
    state.BlackAndWhite = request.BlackAndWhite;
    state.LineThickness = display.LineThicknessFactor;
    state.PrinterLandscape = request.Layout == SheetLayoutKind::Landscape;
    ApplyPrintScale(state, width);
    return state;
}

// A4 in pixels at the resolution, in the layout's orientation.
QSize PageSize(const SheetRequest& request) {
    const QSize portrait = QPageSize(QPageSize::A4).sizePixels(request.Dpi);
    return request.Layout == SheetLayoutKind::Portrait ? portrait : portrait.transposed();
}

void DrawOnPainter(QPainter& painter, DrawState& state, const ProgramFolder& folder, const SheetData& data,
                   SheetLayoutKind layout) {
    QtDevice device(painter);
    DrawSheet(state, device, folder, data.Inputs, layout);
}

Drawn WritePng(const ProgramFolder& folder, const SheetRequest& request, const SheetData& data) {
    const QSize page = PageSize(request);
    QImage image(page, QImage::Format_RGB32);
    if (image.isNull()) throw CommandError("pagina troppo grande per la memoria: --dpi " + std::to_string(request.Dpi));
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(request.Dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(request.Dpi / 0.0254)));
    DrawState state = PrintState(request, data.Display, page.width());
    {
        QPainter painter(&image);
        DrawOnPainter(painter, state, folder, data, request.Layout);
    }
    const QByteArray png = EncodePng(image);
    if (png.isEmpty()) throw CommandError("codifica PNG non riuscita: " + request.Out.string());
    ReplaceFile(request.Out, std::string_view(png.constData(), size_t(png.size())));
    return {page.width(), page.height()};
}

Drawn WritePdf(const ProgramFolder& folder, const SheetRequest& request, const SheetData& data) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Drawn drawn;
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Florimant"));
        pdf.setTitle(QString::fromStdString(data.Chart.SubjectName));
        pdf.setResolution(request.Dpi);
        pdf.setPageLayout(QPageLayout(
            QPageSize(QPageSize::A4),
            request.Layout == SheetLayoutKind::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF()));
        drawn = {pdf.width(), pdf.height()};
        DrawState state = PrintState(request, data.Display, pdf.width());
        QPainter painter(&pdf);
        DrawOnPainter(painter, state, folder, data, request.Layout);
    }
    ReplaceFile(request.Out, std::string_view(bytes.constData(), size_t(bytes.size())));
    return drawn;
}

Drawn WriteSvg(const ProgramFolder& folder, const SheetRequest& request, const SheetData& data) {
    const QSize page = PageSize(request);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(page);
        svg.setViewBox(QRect(QPoint(0, 0), page));
        svg.setResolution(request.Dpi);
        svg.setTitle(QString::fromStdString(data.Chart.SubjectName));
        DrawState state = PrintState(request, data.Display, page.width());
        QPainter painter(&svg);
        DrawOnPainter(painter, state, folder, data, request.Layout);
    }
    ReplaceFile(request.Out, std::string_view(bytes.constData(), size_t(bytes.size())));
    return {page.width(), page.height()};
}

// The sheet window's export: the screen's scale and axis corrections at zoom 1, on a metafile as
// tall as the screen (landscape) or twice as tall (portrait) and as wide as the page frame. The
// command line has no screen of its own and takes a common one, 1080 pixels high.
constexpr int ReferenceScreenHeight = 1080;

Drawn WriteEmf(const ProgramFolder& folder, const SheetRequest& request, const SheetData& data) {
    const std::string name = request.Out.filename().string();
    if (!PassesPictureNameCheck(name)) throw CommandError("File deve essere .EMF");
    const bool portrait = request.Layout == SheetLayoutKind::Portrait;
    // A picture of the program's own Emf folder is recorded for the viewer, as the window does.
    std::error_code error;
    if (fs::equivalent(request.Out.parent_path().empty() ? fs::path(".") : request.Out.parent_path(),
                       folder.Resolve("Emf"), error)) {
        try {
            PictureNumber(name);
        } catch (const DataFileError&) {
            throw CommandError("le immagini della cartella Emf si chiamano GRAF01.EMF ... GRAF15.EMF: " + name);
        }
        RecordPictureOrientation(folder, name, true, portrait);
    }
    DrawState state;
    state.Target = DrawTarget::Metafile;
    state.BlackAndWhite = request.BlackAndWhite;
    state.LineThickness = data.Display.LineThicknessFactor;
    state.PrinterLandscape = !portrait;
    const Real screenScale = ReferenceScreenHeight / Real(210);
    RestoreScreenScale(state, screenScale, data.Display.AxisCorrectionX, data.Display.AxisCorrectionY);
    const int width = RoundHalfEven(280 * screenScale);
    const int height = portrait ? 2 * ReferenceScreenHeight : ReferenceScreenHeight;
    EmfDevice emf(width, height);
    emf.SetTextMeasure(MeasureTextAdvances);
    DrawSheet(state, emf, folder, data.Inputs, request.Layout);
    emf.Save(request.Out);
    return {width, height};
}

void RunSheet(CommandContext& context, const Arguments& args) {
    SheetRequest request;
    const std::string layout = args.Get("layout");
    if (layout == "portrait") request.Layout = SheetLayoutKind::Portrait;
    else if (layout == "landscape") request.Layout = SheetLayoutKind::Landscape;
    else throw CommandError("--layout deve essere portrait o landscape: " + layout);
    const std::string aspects = args.Get("aspects", "lines");
    if (aspects == "bands") request.Aspects = AspectLineStyle::Bands;
    else if (aspects != "lines") throw CommandError("--aspects deve essere bands o lines: " + aspects);
    request.BlackAndWhite = args.Has("bw");
    request.Out = args.Get("out");
    const OutputKind kind = KindOfOutput(request.Out);
    // Positions and font heights are whole device units: a PDF is laid out at a printer's
    // resolution unless told otherwise, pictures at a screen-friendly one.
    request.Dpi = IntegerOption(args, "dpi", kind == OutputKind::Pdf ? 600 : 150, 30, 600);
    if (kind == OutputKind::Emf && !PassesPictureNameCheck(request.Out.filename().string()))
        throw CommandError("File deve essere .EMF");

    EnsureGuiApplication();
    SheetData data;
    LoadSheetData(context.folder, request, data);
    Drawn drawn;
    switch (kind) {
    case OutputKind::Png: drawn = WritePng(context.folder, request, data); break;
    case OutputKind::Pdf: drawn = WritePdf(context.folder, request, data); break;
    case OutputKind::Svg: drawn = WriteSvg(context.folder, request, data); break;
    case OutputKind::Emf: drawn = WriteEmf(context.folder, request, data); break;
    }
    JsonWriter json(context.out);
    json.BeginObject().Field("out", request.Out.string()).Field("width", drawn.Width).Field("height", drawn.Height);
    json.EndObject().Newline();
}

// "WxH", each side 1..MaxPictureSide pixels.
constexpr int MaxPictureSide = 10000;

QSize ParseSize(const std::string& text) {
    const size_t x = text.find_first_of("xX");
    const auto side = [&](const std::string& part) {
        return part.size() > 5 ? 0 : static_cast<int>(ParseDigits(part).value_or(0));
    };
    const int w = x == std::string::npos ? 0 : side(text.substr(0, x));
    const int h = x == std::string::npos ? 0 : side(text.substr(x + 1));
    if (w < 1 || h < 1 || w > MaxPictureSide || h > MaxPictureSide)
        throw CommandError("--size deve essere LARGHEZZAxALTEZZA in pixel (1-" + std::to_string(MaxPictureSide) +
                           "): " + text);
    return {w, h};
}

// The picture's own size: its frame (0.01 mm) at 96 pixels per inch, or its bounds when the
// frame is empty.
QSize NaturalSize(const MetafilePicture& picture) {
    const MetafileHeader h = ReadMetafileHeader(picture);
    long long w = (static_cast<long long>(h.FrameRight) - h.FrameLeft) * 96 / 2540;
    long long ht = (static_cast<long long>(h.FrameBottom) - h.FrameTop) * 96 / 2540;
    if (w < 1 || ht < 1) {
        w = static_cast<long long>(h.BoundsRight) - h.BoundsLeft + 1;
        ht = static_cast<long long>(h.BoundsBottom) - h.BoundsTop + 1;
    }
    if (w < 1 || ht < 1 || w > MaxPictureSide || ht > MaxPictureSide)
        throw DataFileError(picture.Name, "dimensioni dell'immagine non valide; indicarle con --size");
    return {int(w), int(ht)};
}

void RunPicture(CommandContext& context, const Arguments& args) {
    const fs::path in = args.Positional(0);
    const fs::path out = args.Get("out");
    if (LowerExtension(out) != ".png") throw CommandError("il file di uscita deve essere .png: " + out.string());
    const std::optional<QSize> requested =
        args.Has("size") ? std::optional<QSize>(ParseSize(args.Get("size"))) : std::nullopt;

    MetafilePicture picture;
    picture.Name = in.string();
    {
        std::ifstream file(in, std::ios::binary);
        if (!file) throw DataFileError(picture.Name, "file mancante o illeggibile");
        picture.Bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        if (file.bad()) throw DataFileError(picture.Name, "lettura non riuscita");
    }
    const QSize size = requested ? *requested : NaturalSize(picture);

    EnsureGuiApplication();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) throw CommandError("immagine troppo grande per la memoria: " + out.string());
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtDevice device(painter);
        // Played whole before anything is written: a damaged picture leaves no file behind.
        PlayMetafile(picture, device, {0, 0, double(size.width()), double(size.height())});
    }
    const QByteArray png = EncodePng(image);
    if (png.isEmpty()) throw CommandError("codifica PNG non riuscita: " + out.string());
    ReplaceFile(out, std::string_view(png.constData(), size_t(png.size())));
    JsonWriter json(context.out);
    json.BeginObject().Field("out", out.string()).Field("width", size.width()).Field("height", size.height());
    json.EndObject().Newline();
}

const RegisterCommand sheet{{"sheet",
                             "sheet --layout portrait|landscape --out FILE.png|.pdf|.svg|.EMF [--bw] "
                             "[--aspects bands|lines] [--dpi N]",
                             {"bw"},
                             RunSheet}};
const RegisterCommand picture{{"picture", "picture IN.emf --out OUT.png [--size LxA]", {}, RunPicture}};

}  // namespace
}  // namespace florimant::cli

#endif
