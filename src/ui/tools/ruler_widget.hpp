#pragma once
#include <QWidget>

class QTextEdit;

namespace florimant {

class RulerMarker;

// The ruler above a text: a centimetre scale over the text's width and three markers, the
// first-line indent (on top), the left and the right indent (below). The markers show the indents
// of the paragraph holding the caret; dragging one sets them on that paragraph (on every paragraph
// of a selection). The indents never leave less than MinimumTextWidthCm for the text.
class RulerWidget : public QWidget {
    Q_OBJECT
public:
    enum class Marker { FirstLine, Left, Right };
    static constexpr double MinimumTextWidthCm = 1.0;

    explicit RulerWidget(QTextEdit* text, QWidget* parent = nullptr);

    double PixelsPerCentimetre() const;
    // Where a marker stands: its distance from the start of the text line, in document pixels.
    double MarkerPosition(Marker marker) const;
    // Moves a marker to a distance from the start of the text line, clamped so that no indent is
    // negative and the text keeps its minimum width, and sets the paragraph's indents from it.
    void MoveMarker(Marker marker, double position);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class RulerMarker;
    double LineWidth() const;   // the width a paragraph without indents has
    double TextStartX() const;  // the ruler's x of the text line's start
    void PlaceMarkers();
    bool ApplyMarker(Marker marker, double position, bool joinPreviousStep);  // false: nothing changed
    void BeginDrag();
    void DragTo(Marker marker, int rulerX);

    QTextEdit* text_;
    QObject* viewport_;  // compared only: it may be going away with the text
    RulerMarker* firstLine_;
    RulerMarker* left_;
    RulerMarker* right_;
    bool dragMoved_ = false;  // a whole drag is one step of the undo history
};

}  // namespace florimant
