#include "export/sheet_export.hpp"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "drawing/emf_device.hpp"
#include "drawing/picture_orientation.hpp"
#include "drawing/recording_device.hpp"
#include "drawing/sheet_support.hpp"
#include "export/qt_device.hpp"

namespace florimant {

namespace fs = std::filesystem;

namespace {

// Far larger than any screen: a scale beyond it is not a screen's.
constexpr int MaxPictureSide = 30000;

SheetInputs WithAspects(const SheetInputs& inputs, const SheetOptions& sheet) {
    SheetInputs drawn = inputs;
    drawn.AspectStyle = sheet.Aspects;
    return drawn;
}

void WriteWhole(const fs::path& path, const QByteArray& bytes) {
    ReplaceFile(path, std::string_view(bytes.constData(), size_t(bytes.size())));
}

// A painter that could not begin has drawn nothing: the file would be empty or blank.
void EndPainting(QPainter& painter, const fs::path& out) {
    if (!painter.end()) throw SheetExportError("disegno del foglio non riuscito: " + out.string());
}

SheetExportResult WritePng(const ProgramFolder& folder, const DrawState& window, const SheetInputs& inputs,
                           const SheetExportRequest& request) {
    const QSize page = SheetPageSize(request.Sheet.Layout, request.Dpi);
    QImage image(page, QImage::Format_RGB32);
    if (image.isNull())
        throw SheetExportError("pagina troppo grande per la memoria: " + std::to_string(request.Dpi) + " dpi");
    image.fill(Qt::white);
    image.setDotsPerMeterX(int(std::lround(request.Dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(request.Dpi / 0.0254)));
    {
        QPainter painter(&image);
        DrawSheetOn(painter, image.rect(), window, folder, inputs, request.Sheet);
        EndPainting(painter, request.Out);
    }
    const QByteArray png = EncodePng(image);
    if (png.isEmpty()) throw SheetExportError("codifica PNG non riuscita: " + request.Out.string());
    WriteWhole(request.Out, png);
    return {page.width(), page.height()};
}

SheetExportResult WritePdf(const ProgramFolder& folder, const DrawState& window, const SheetInputs& inputs,
                           const SheetExportRequest& request) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    SheetExportResult drawn;
    {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("Florimant"));
        pdf.setTitle(QString::fromStdString(inputs.Chart->SubjectName));
        pdf.setResolution(request.Dpi);
        const bool portrait = request.Sheet.Layout == SheetLayoutKind::Portrait;
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      portrait ? QPageLayout::Portrait : QPageLayout::Landscape, QMarginsF()));
        drawn = {pdf.width(), pdf.height()};
        QPainter painter(&pdf);
        DrawSheetOn(painter, QRect(0, 0, pdf.width(), pdf.height()), window, folder, inputs, request.Sheet);
        EndPainting(painter, request.Out);
    }
    WriteWhole(request.Out, bytes);
    return drawn;
}

SheetExportResult WriteSvg(const ProgramFolder& folder, const DrawState& window, const SheetInputs& inputs,
                           const SheetExportRequest& request) {
    const QSize page = SheetPageSize(request.Sheet.Layout, request.Dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(page);
        svg.setViewBox(QRect(QPoint(0, 0), page));
        svg.setResolution(request.Dpi);
        svg.setTitle(QString::fromStdString(inputs.Chart->SubjectName));
        QPainter painter(&svg);
        DrawSheetOn(painter, QRect(QPoint(0, 0), page), window, folder, inputs, request.Sheet);
        EndPainting(painter, request.Out);
    }
    WriteWhole(request.Out, bytes);
    return {page.width(), page.height()};
}

bool InPictureFolder(const ProgramFolder& folder, const fs::path& out) {
    std::error_code error;
    const fs::path parent = out.parent_path().empty() ? fs::path(".") : out.parent_path();
    return fs::equivalent(parent, folder.Resolve("Emf"), error);
}

// The window's export: the sheet picture at the screen's scale. A picture of the program's own
// folder Emf is recorded for the viewer, after it is written: an interrupted export leaves the old
// picture with its old orientation.
SheetExportResult WriteEmf(const ProgramFolder& folder, const DrawState& window, const SheetInputs& inputs,
                           const SheetExportRequest& request) {
    const std::string name = request.Out.filename().string();
    if (!PassesPictureNameCheck(name)) throw SheetExportError("File deve essere .EMF");
    const bool recorded = InPictureFolder(folder, request.Out);
    // The orientation file is the installation's and is never created: without it the picture is
    // not written either.
    if (recorded && !folder.Exists(PictureOrientationFile))
        throw DataFileError(std::string(PictureOrientationFile), "file mancante");
    const SheetPictureSize size = SheetPictureSizeFor(window, request.Sheet.Layout);
    if (size.Width < 1 || size.Height < 1 || size.Width > MaxPictureSide || size.Height > MaxPictureSide)
        throw SheetExportError("scala dello schermo non valida per l'immagine del foglio");
    DrawState state = SheetPictureState(window, request.Sheet);
    EmfDevice emf(size.Width, size.Height);
    emf.SetTextMeasure(MeasureTextAdvances);
    DrawSheet(state, emf, folder, WithAspects(inputs, request.Sheet), request.Sheet.Layout);
    emf.Save(request.Out);
    if (recorded) RecordPictureOrientation(folder, name, true, request.Sheet.Layout == SheetLayoutKind::Portrait);
    return {size.Width, size.Height};
}

}  // namespace

std::optional<SheetFileKind> SheetFileKindOf(const fs::path& path) {
    std::string e = path.extension().string();
    std::transform(e.begin(), e.end(), e.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (e == ".png") return SheetFileKind::Png;
    if (e == ".pdf") return SheetFileKind::Pdf;
    if (e == ".svg") return SheetFileKind::Svg;
    if (e == ".emf") return SheetFileKind::Emf;
    return std::nullopt;
}

QSize SheetPageSize(SheetLayoutKind layout, int dpi) {
    const QSize portrait = QPageSize(QPageSize::A4).sizePixels(dpi);
    return layout == SheetLayoutKind::Portrait ? portrait : portrait.transposed();
}

void DrawSheetOn(QPainter& painter, const QRect& page, const DrawState& window, const ProgramFolder& folder,
                 const SheetInputs& inputs, const SheetOptions& sheet) {
    if (!painter.isActive()) throw SheetExportError("impossibile disegnare il foglio: la pagina non è pronta");
    DrawState state = SheetPrintState(window, sheet, page.width(), page.height());
    const SheetInputs drawn = WithAspects(inputs, sheet);
    painter.save();
    painter.translate(page.topLeft());
    try {
        QtDevice device(painter);
        DrawSheet(state, device, folder, drawn, sheet.Layout);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

std::vector<RecordedShape> RecordSheetPage(QSize page, const DrawState& window, const ProgramFolder& folder,
                                           const SheetInputs& inputs, const SheetOptions& sheet) {
    if (!inputs.Chart) throw SheetExportError("nessun tema da disegnare");
    DrawState state = SheetPrintState(window, sheet, page.width(), page.height());
    RecordingDevice recorder(true);
    DrawSheet(state, recorder, folder, WithAspects(inputs, sheet), sheet.Layout);
    return recorder.TakeShapes();
}

void PaintRecordedPage(QPainter& painter, const QRect& page, const std::vector<RecordedShape>& shapes) {
    if (!painter.isActive()) throw SheetExportError("impossibile disegnare il foglio: la pagina non è pronta");
    painter.save();
    painter.translate(page.topLeft());
    QtDevice device(painter);
    ReplayShapes(shapes, device);
    painter.restore();
}

SheetExportResult ExportSheet(const ProgramFolder& folder, const DrawState& window, const SheetInputs& inputs,
                              const SheetExportRequest& request) {
    if (!inputs.Chart) throw SheetExportError("nessun tema da disegnare");
    if (request.Kind != SheetFileKind::Emf && (request.Dpi < MinSheetDpi || request.Dpi > MaxSheetDpi))
        throw SheetExportError("risoluzione fuori dall'intervallo " + std::to_string(MinSheetDpi) + "-" +
                               std::to_string(MaxSheetDpi) + " dpi: " + std::to_string(request.Dpi));
    switch (request.Kind) {
    case SheetFileKind::Png: return WritePng(folder, window, inputs, request);
    case SheetFileKind::Pdf: return WritePdf(folder, window, inputs, request);
    case SheetFileKind::Svg: return WriteSvg(folder, window, inputs, request);
    case SheetFileKind::Emf: return WriteEmf(folder, window, inputs, request);
    }
    throw SheetExportError("formato del file non riconosciuto: " + request.Out.string());
}

fs::path SheetPicturePath(const ProgramFolder& folder, std::string_view name) {
    return folder.Resolve("Emf\\" + std::string(name));
}

}  // namespace florimant
