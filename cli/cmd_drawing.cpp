// florimant-cli sheet and picture: the current subject's chart sheet as a PNG, PDF, SVG or EMF
// file, and a metafile played back into a PNG picture.
#if __has_include(<QGuiApplication>)  // the commands need the Qt device; without Qt they are left out

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "cli_command.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/utf8.hpp"
#include "drawing/display_settings.hpp"
#include "drawing/emf_player.hpp"
#include "drawing/sheet_support.hpp"
#include "engine/astro_time.hpp"
#include "engine/chart.hpp"
#include "export/qt_device.hpp"
#include "export/sheet_export.hpp"
#include "json.hpp"

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

std::string LowerExtension(const fs::path& path) { return LowerCaseAscii(path.extension().string()); }

SheetFileKind KindOfOutput(const fs::path& out) {
    if (const auto kind = SheetFileKindOf(out)) return *kind;
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

// Everything the sheet reads besides the drawing state, loaded as the main window loads it
// before it opens a sheet.
struct SheetData {
    ChartData Chart;
    SheetInputs Inputs;
    DisplaySettings Display;
};

void LoadSheetData(const ProgramFolder& folder, SheetData& data) {
    const ActiveOrbTable orbs = LoadActiveOrbs(folder);
    data.Inputs.Ephemeris = ChartEphemerisSettings(orbs);
    SubjectSummary summary;
    ComputeChart(folder, data.Inputs.Ephemeris, data.Chart, summary);
    data.Display = LoadDisplaySettings(folder);
    data.Inputs.Chart = &data.Chart;
    data.Inputs.Orbs = orbs.Values.Orbs;
    data.Inputs.DateText = TodayText();
    data.Inputs.OwnerText = SheetOwnerText(folder);
}

// The command line has no screen of its own: the sheet picture takes a common one, 1080 pixels
// high, with the axis corrections and line thickness of the display settings.
constexpr int ReferenceScreenHeight = 1080;

DrawState ReferenceScreenState(const DisplaySettings& display) {
    DrawState state;
    state.LineThickness = display.LineThicknessFactor;
    RestoreScreenScale(state, ReferenceScreenHeight / Real(210), display.AxisCorrectionX, display.AxisCorrectionY);
    return state;
}

void RunSheet(CommandContext& context, const Arguments& args) {
    SheetExportRequest request;
    const std::string layout = args.Get("layout");
    if (layout == "portrait") request.Sheet.Layout = SheetLayoutKind::Portrait;
    else if (layout == "landscape") request.Sheet.Layout = SheetLayoutKind::Landscape;
    else throw CommandError("--layout deve essere portrait o landscape: " + layout);
    const std::string aspects = args.Get("aspects", "lines");
    if (aspects == "bands") request.Sheet.Aspects = AspectLineStyle::Bands;
    else if (aspects != "lines") throw CommandError("--aspects deve essere bands o lines: " + aspects);
    request.Sheet.BlackAndWhite = args.Has("bw");
    request.Out = args.Get("out");
    request.Kind = KindOfOutput(request.Out);
    // Positions and font heights are whole device units: a PDF is laid out at a printer's
    // resolution unless told otherwise, pictures at a screen-friendly one.
    request.Dpi = IntegerOption(args, "dpi", request.Kind == SheetFileKind::Pdf ? 600 : 150, MinSheetDpi, MaxSheetDpi);
    if (request.Kind == SheetFileKind::Emf && !PassesPictureNameCheck(request.Out.filename().string()))
        throw CommandError("File deve essere .EMF");

    EnsureGuiApplication();
    SheetData data;
    LoadSheetData(context.folder, data);
    SheetExportResult drawn;
    try {
        drawn = ExportSheet(context.folder, ReferenceScreenState(data.Display), data.Inputs, request);
    } catch (const SheetExportError& e) {
        throw CommandError(e.what());
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
