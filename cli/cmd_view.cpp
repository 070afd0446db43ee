// florimant-cli view: one view of the analysis window's canvas for the current subject, as a PNG.
#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "cli_command.hpp"
#include "common/file_io.hpp"
#include "common/utf8.hpp"
#include "drawing/analysis_views.hpp"
#include "engine/chart.hpp"
#include "export/qt_device.hpp"
#include "json.hpp"

namespace florimant::cli {
namespace {

// Qt's notice about a missing runtime folder says nothing about the picture: kept off the
// error stream, where a failed command writes its one line.
QtMessageHandler previousHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths:"))) return;
    if (previousHandler) previousHandler(type, context, message);
}

// Text needs a GUI application; without a display the offscreen platform serves.
void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    previousHandler = qInstallMessageHandler(QuietHandler);
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "florimant-cli";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> application = std::make_unique<QGuiApplication>(argc, argv);
}

int WholeOption(const Arguments& args, const std::string& name, int fallback) {
    if (!args.Has(name)) return fallback;
    const double value = args.GetNumber(name);
    if (value != std::floor(value) || std::fabs(value) > 1000)
        throw CommandError("--" + name + " deve essere un numero intero: " + args.Get(name));
    return static_cast<int>(value);
}

bool EndsWithPng(const std::string& path) {
    if (path.size() < 5) return false;
    return LowerCaseAscii(std::string_view(path).substr(path.size() - 4)) == ".png";
}

void RunView(CommandContext& context, const Arguments& args) {
    const ProgramFolder folder = args.Has("data") ? ProgramFolder(args.Get("data")) : context.folder;
    const int view = WholeOption(args, "view", -1);
    if (!args.Has("view")) throw CommandError("manca l'opzione --view");
    const int states = AnalysisViewStateCount(view);
    if (states == 0) throw CommandError("vista non valida (0, 1, 2, 3, 4 o 10): " + args.Get("view"));
    const int state = WholeOption(args, "state", 0);
    if (state < 0 || state >= states)
        throw CommandError("stato non valido per la vista " + std::to_string(view) + " (0-" +
                           std::to_string(states - 1) + "): " + args.Get("state"));
    const int point = WholeOption(args, "point", 0);
    const int sign = WholeOption(args, "sign", 0);
    if (args.Has("point") && args.Has("sign")) throw CommandError("--point e --sign si escludono");
    if (view == AntisciaView) {
        if (!args.Has("point") && !args.Has("sign")) throw CommandError("la vista 10 vuole --point 1-7 o --sign 1-12");
        if (args.Has("point") && (point < 1 || point > 7))
            throw CommandError("--point deve essere da 1 a 7: " + args.Get("point"));
        if (args.Has("sign") && (sign < 1 || sign > 12))
            throw CommandError("--sign deve essere da 1 a 12: " + args.Get("sign"));
    }
    const std::string out = args.Get("out");
    if (!EndsWithPng(out)) throw CommandError("il file di uscita deve essere .png: " + out);
    const double scale = args.GetNumber("scale", 5);
    if (!(scale >= 1 && scale <= 20)) throw CommandError("--scale deve essere da 1 a 20: " + args.Get("scale"));

    // The chart as the analysis window reads it: the current subject with the active orb table.
    const ActiveOrbTable orbs = LoadActiveOrbs(folder);
    ChartData chart;
    SubjectSummary summary;
    ComputeChart(folder, ChartEphemerisSettings(orbs), chart, summary);

    // The window's mapping at zoom 1 without pan, on its black canvas; the image holds the page.
    DrawState drawState;
    drawState.Target = DrawTarget::Window;
    drawState.Scale = scale;
    drawState.FontBase = 3.7L * drawState.Scale;
    drawState.BlackAndWhite = args.Has("bw");
    const int width = static_cast<int>(std::ceil(281 * scale)), height = static_cast<int>(std::ceil(204 * scale));

    EnsureGuiApplication();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        QtDevice device(painter);
        Canvas canvas{drawState, device, &folder};
        try {
            DrawAnalysisView(canvas, chart, folder, orbs.Values.Orbs, view, state, args.Has("point") ? point : 0,
                             args.Has("sign") ? sign : 0);
        } catch (const std::invalid_argument& e) {
            throw CommandError(e.what());
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw CommandError("impossibile codificare il PNG: " + out);
    ReplaceFile(std::filesystem::path(out), std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));

    JsonWriter json(context.out);
    json.BeginObject().Field("out", out).Field("width", width).Field("height", height).EndObject().Newline();
}

const RegisterCommand kView({"view",
                             "view --view 0|1|2|3|4|10 [--state S] [--point 1-7 | --sign 1-12] --out FILE.png "
                             "[--scale PIXEL_PER_UNITA] [--bw] [--data CARTELLA]",
                             {"bw"},
                             RunView});

}  // namespace
}  // namespace florimant::cli
