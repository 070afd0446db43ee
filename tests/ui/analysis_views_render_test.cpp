#include <unistd.h>

#include <QFontMetricsF>
#include <QRectF>
#include <QtTest>
#include <filesystem>
#include <set>

#include "analysis/orb_settings.hpp"
#include "archive/chart_of_subject.hpp"
#include "drawing/analysis_views.hpp"
#include "drawing/recording_device.hpp"
#include "export/qt_device.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

constexpr double S = 5;  // device pixels per sheet unit

// The texts a view wrote, each with its box as the real font lays it out (device pixels).
struct PlacedText {
    std::string Text;
    QRectF Box;
};

std::vector<PlacedText> PlacedTexts(const RecordingDevice& d) {
    std::vector<PlacedText> texts;
    for (const auto& shape : d.Shapes()) {
        if (shape.Shape != RecordedShape::Kind::Text || shape.Text.find_first_not_of(' ') == std::string::npos)
            continue;
        const QFontMetricsF metrics(MakeQFont(shape.FontUsed));
        const double width = metrics.horizontalAdvance(QString::fromUtf8(shape.Text));
        const DevicePoint at = shape.Points[0][0];
        double left = at.X;
        if (shape.Align == TextAlign::Right) left -= width;
        if (shape.Align == TextAlign::Centre) left -= width / 2;
        // The ink of the glyphs, from the baseline one ascent below the top of the cell.
        const QRectF ink = metrics.tightBoundingRect(QString::fromUtf8(shape.Text));
        texts.push_back({shape.Text, ink.translated(left, at.Y + metrics.ascent())});
    }
    return texts;
}

// Texts both in a set: what the standard chart itself writes is not the view's to lay out.
bool Shared(const std::set<std::pair<std::string, std::pair<double, double>>>& chartTexts, const PlacedText& t) {
    return chartTexts.count({t.Text, {t.Box.left(), t.Box.top()}}) > 0;
}

class Scratch {
public:
    Scratch() : path_(fs::temp_directory_path() / ("florimant_views_render_" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
        const fs::path installation = FLORIMANT_INSTALLATION_DIR;
        fs::copy(installation / "Scambi", path_ / "Scambi", fs::copy_options::recursive);
        fs::copy(installation / "OpzioneT", path_ / "OpzioneT", fs::copy_options::recursive);
    }
    ~Scratch() { fs::remove_all(path_); }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

}  // namespace

class AnalysisViewsRenderTest : public QObject {
    Q_OBJECT

    // Every text of every view inside the left square (the blanks over the panel column aside),
    // and no text of a view over another text.
    void CheckLayout(const ChartData& chart, const char* label) {
        Scratch scratch;
        const ProgramFolder folder(scratch.Path());
        const ProgramFolder pictures(FLORIMANT_INSTALLATION_DIR);
        const ActiveOrbTable orbs = LoadActiveOrbs(pictures);
        DrawState s;
        s.Scale = S;
        s.FontBase = 3.7 * S;

        RecordingDevice chartOnly;
        {
            Canvas c{s, chartOnly, &pictures};
            DrawStandardChart(c, chart, folder, orbs.Values.Orbs);
        }
        std::set<std::pair<std::string, std::pair<double, double>>> chartTexts;
        for (const PlacedText& t : PlacedTexts(chartOnly)) chartTexts.insert({t.Text, {t.Box.left(), t.Box.top()}});

        const QRectF square(2 * S, 2 * S, 193 * S, 193 * S);
        struct Case {
            int View, State, Point, Sign;
        };
        const Case cases[] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 0, 0},  {2, 0, 0, 0},
                              {2, 1, 0, 0}, {2, 2, 0, 0}, {2, 3, 0, 0}, {3, 0, 0, 0},  {4, 0, 0, 0},
                              {4, 1, 0, 0}, {4, 2, 0, 0}, {4, 3, 0, 0}, {10, 0, 5, 0}, {10, 0, 0, 12}};
        for (const Case& k : cases) {
            RecordingDevice d;
            Canvas c{s, d, &pictures};
            DrawAnalysisView(c, chart, folder, orbs.Values.Orbs, k.View, k.State, k.Point, k.Sign);
            const std::vector<PlacedText> texts = PlacedTexts(d);
            const QString where = QStringLiteral("%1: view %2 state %3").arg(label).arg(k.View).arg(k.State);
            for (const PlacedText& t : texts)
                QVERIFY2(square.contains(t.Box),
                         qPrintable(where + " leaves the square: " + QString::fromStdString(t.Text)));
            for (size_t i = 0; i < texts.size(); ++i)
                for (size_t j = i + 1; j < texts.size(); ++j) {
                    if (Shared(chartTexts, texts[i]) && Shared(chartTexts, texts[j])) continue;
                    // Antialiasing aside, a pixel of contact is no overlap.
                    const QRectF overlap = texts[i].Box.intersected(texts[j].Box);
                    QVERIFY2(overlap.isEmpty() || overlap.width() <= 1 || overlap.height() <= 1,
                             qPrintable(where + " overlaps: " + QString::fromStdString(texts[i].Text) + " / " +
                                        QString::fromStdString(texts[j].Text)));
                }
        }
    }

private slots:
    void demoSubjectViewsStayInTheirSquare() {
        const ProgramFolder installation(FLORIMANT_INSTALLATION_DIR);
        ChartData chart;
        SubjectSummary summary;
        ComputeChart(installation, ChartEphemerisSettings(LoadActiveOrbs(installation)), chart, summary);
        CheckLayout(chart, "demo subject");
    }

    // Every planet at home or exalted: seven rows in the structure, the tallest table.
    void crowdedChartViewsStayInTheirSquare() {
        ChartData chart;
        const double longitudes[] = {0, 125, 95, 155, 35, 5, 245, 285, 200, 20, 355, 265};
        for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
        chart.RetroFlags.fill(' ');
        chart.RetroFlags[3] = 'R';
        for (int k = 1; k <= 12; ++k) chart.HouseCusps[size_t(k)] = std::fmod(355 + 30.0 * (k - 1), 360);
        chart.HouseSystem = "CASE_MEDIE";
        CheckLayout(chart, "crowded chart");
    }
};

QTEST_MAIN(AnalysisViewsRenderTest)
#include "analysis_views_render_test.moc"
