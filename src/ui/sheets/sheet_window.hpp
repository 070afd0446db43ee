#pragma once
#include <QPoint>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "analysis/archetypal_structure.hpp"
#include "drawing/recording_device.hpp"
#include "drawing/sheet.hpp"
#include "drawing/sheet_view.hpp"
#include "export/sheet_print_state.hpp"
#include "ui/common/window.hpp"
#include "ui/sheets/sheet_printing.hpp"

class QComboBox;
class QPrinter;
class QPushButton;
class QWidget;

namespace florimant {

class PictureViewerWindow;

// The main window's switches for a sheet: SheetLayout 5 and SheetOrientation "P" for the portrait
// sheet, 16 and "L" for the landscape one.
void SetSheetSwitches(MainSwitches& switches, SheetLayoutKind layout);

// The printable chart sheet of the current subject, portrait ("Verticale 1") or landscape
// ("Orizzontale 1 ") as the main window's switches say: shown over the whole black screen with
// zoom and pan, printed, saved as a picture of the folder Emf (and put on the clipboard), and the
// saved pictures shown in the viewer. The sheet is drawn once per change of zoom, colours, aspect
// lines or subject; panning moves that drawing.
class SheetWindow : public Window {
    Q_OBJECT
public:
    SheetWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);
    ~SheetWindow() override;

    // Where the window prints: the system's printers unless replaced (by a PDF file in tests).
    void SetPrinters(std::unique_ptr<SheetPrinters> printers);
    // Where "Stampa" saves the page when there is no printer: the platform's file dialog unless
    // replaced. An empty name cancels.
    using PdfFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;
    void SetPdfFileChooser(PdfFileChooser chooser);

    // Each opening: the printer looked for again, the view of the sheet's orientation, the
    // aspects as plain lines, the kept picture name, and the first drawing after the timer.
    bool Prepare() override;
    // Closing puts the zoom, the pan, the aspect lines and the colours back.
    void done(int result) override;

    // The buttons' actions.
    void PrintSheet();
    void SetUpPrinter();
    void ZoomIn();
    void ZoomOut();
    void ShowFullHeight();
    void ShowFullWidth();
    void ToggleBlackAndWhite();
    void ToggleAspectLines();
    void ExportSheetPicture();
    void ShowSavedPicture();
    // Draws the sheet again at the present zoom, colours and aspect lines.
    void RedrawSheet();

    const SheetView& view() const { return view_; }
    bool blackAndWhite() const { return blackAndWhite_; }
    AspectLineStyle aspectLines() const { return aspects_; }
    const QString& pictureName() const { return pictureName_; }
    QPrinter* printer() const { return printer_; }
    // How many times the sheet has been drawn since the window was made.
    int drawings() const { return drawings_; }
    PictureViewerWindow& viewer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPanel();
    QPushButton* AddButton(const char* name, const QString& caption, const QString& hint);
    void OnClick(QPushButton* button, void (SheetWindow::*action)());
    void ShowPicture(QPushButton* button, const char* picture);
    void ShowPagePicture();
    void TimerTick();
    void ChangeView(const SheetView& view);
    void SaveSheetAsPdf();
    // Runs an action whose refusals (SheetExportError, PrintJobError) are messages to show as
    // they stand; false when it was refused.
    bool Refusable(MessageKind kind, const std::function<void()>& action);
    // The picture name of ComboEMF, kept for the run; empty, with the warning shown, when the
    // name fails the check.
    std::optional<std::string> CheckedPictureName();
    bool PortraitPage() const;
    DrawState WindowDrawState() const;
    SheetInputs Inputs() const;
    SheetOptions Options() const;

    std::unique_ptr<SheetPrinters> printers_;
    PdfFileChooser pdfFileChooser_;
    QPrinter* printer_ = nullptr;  // the printer found at opening, null without any
    SheetLayoutKind layout_ = SheetLayoutKind::Portrait;
    bool portraitSheet_ = true;  // SheetOrientation "P"
    SheetView view_;
    bool blackAndWhite_ = false;
    AspectLineStyle aspects_ = AspectLineStyle::Lines;
    int halfWidth_ = 0, halfHeight_ = 0;  // W2, H2
    QString pictureName_ = QStringLiteral("GRAF01.EMF");
    std::optional<ArchetypalStructure> structure_;
    std::string owner_;

    // The sheet as last drawn, at the view's zoom and without pan.
    std::vector<RecordedShape> sheet_;
    int drawings_ = 0;
    bool paintFailed_ = false;  // the failure of painting this drawing has been shown

    // Dragging: the pointer went down at `pressedAt_` and has moved the sheet by `drag_` since.
    bool pressed_ = false;
    QPoint pressedAt_, drag_;
    int wheelDelta_ = 0;  // eighths of a degree not yet a whole notch

    QTimer timer_;
    int ticks_ = 0;  // for the run: the first opening draws at the second tick, later ones at the first

    QWidget* panel_ = nullptr;
    QPushButton* foglio_ = nullptr;
    QPushButton* colNer_ = nullptr;
    QPushButton* flagRiga_ = nullptr;
    QComboBox* comboEmf_ = nullptr;
    PictureViewerWindow* viewer_ = nullptr;
};

}  // namespace florimant
