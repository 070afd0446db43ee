#pragma once
#include <QRect>
#include <QSize>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "common/program_folder.hpp"
#include "drawing/draw_state.hpp"
#include "drawing/recording_device.hpp"
#include "drawing/sheet.hpp"
#include "export/sheet_print_state.hpp"

class QPainter;

// The chart sheet on paper and in files: one drawing of the printed page for the printer and the
// PNG, PDF and SVG files, and the sheet picture (EMF) the window saves. Everything is drawn on a
// copy of the caller's drawing state, and every file is written whole through a sibling
// temporary file, so an interruption leaves the old file.
namespace florimant {

enum class SheetFileKind { Png, Pdf, Svg, Emf };
// By the extension, without regard to case; none for any other extension.
std::optional<SheetFileKind> SheetFileKindOf(const std::filesystem::path& path);

// Resolutions of the printed page in the PNG, PDF and SVG files.
inline constexpr int MinSheetDpi = 30, MaxSheetDpi = 600;

struct SheetExportRequest {
    SheetOptions Sheet;
    SheetFileKind Kind = SheetFileKind::Png;
    int Dpi = 150;  // PNG, PDF, SVG; the EMF takes the screen's scale
    std::filesystem::path Out;
};

struct SheetExportResult {
    int Width = 0, Height = 0;  // the page in device pixels, the picture in metafile units
};

// An export refused before anything is written; the text is the message to show as it stands.
class SheetExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A4 in pixels at `dpi`, in the layout's orientation.
QSize SheetPageSize(SheetLayoutKind layout, int dpi);

// Paints the printed sheet on the painter's device, in `page` (device pixels), at the print scale
// of a page that wide. The window prints with this on its printer, so the print is what the PNG,
// PDF and SVG files show. Rewrites the sheet key file of `folder`, as every drawing of a sheet.
void DrawSheetOn(QPainter& painter, const QRect& page, const DrawState& window, const ProgramFolder& folder,
                 const SheetInputs& inputs, const SheetOptions& sheet);

// The printed sheet of a page `page` device pixels large, recorded: every data file is read here,
// so a print job need not start before the whole page has been drawn. PaintRecordedPage then
// paints on the painter's device in `page` what DrawSheetOn would.
std::vector<RecordedShape> RecordSheetPage(QSize page, const DrawState& window, const ProgramFolder& folder,
                                           const SheetInputs& inputs, const SheetOptions& sheet);
void PaintRecordedPage(QPainter& painter, const QRect& page, const std::vector<RecordedShape>& shapes);

// Draws the sheet and writes `request.Out`: the printed A4 page for PNG, PDF and SVG, the sheet
// picture for EMF. An EMF must be named as a numbered picture (GRAF01.EMF ... GRAF15.EMF, the
// picture name check); one written into the program's folder Emf has the sheet's orientation
// recorded in "Emf\TipGraf.Set" once the picture is written. A refused request raises
// SheetExportError, a failed read or write DataFileError; neither leaves a half-written file.
// Needs a QGuiApplication.
SheetExportResult ExportSheet(const ProgramFolder& folder, const DrawState& window, const SheetInputs& inputs,
                              const SheetExportRequest& request);

// "Emf\" + name: where the window saves its pictures and the viewer finds them.
std::filesystem::path SheetPicturePath(const ProgramFolder& folder, std::string_view name);

}  // namespace florimant
