#include "ui/tools/ruler_widget.hpp"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>
#include <cmath>

namespace florimant {
namespace {

constexpr int RulerHeight = 30;
constexpr int ScaleTop = 8;
constexpr int ScaleBottom = 22;
constexpr int MarkerWidth = 11;
constexpr int MarkerHeight = 8;

// Clamps without asserting when the window is too narrow for the minimum width.
double ClampPosition(double value, double low, double high) { return std::max(low, std::min(value, high)); }

}  // namespace

// One marker: a small triangle the mouse drags along the ruler.
class RulerMarker : public QWidget {
public:
    RulerMarker(RulerWidget* ruler, RulerWidget::Marker marker, const char* name, const char* hint)
        : QWidget(ruler), ruler_(ruler), marker_(marker) {
        setObjectName(QString::fromLatin1(name));
        setToolTip(QString::fromUtf8(hint));
        setFixedSize(MarkerWidth, MarkerHeight);
        setCursor(Qt::SizeHorCursor);
    }
    bool pointsDown() const { return marker_ == RulerWidget::Marker::FirstLine; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double w = width() - 1, h = height() - 1;
        QPainterPath path;
        if (pointsDown()) {
            path.moveTo(0.5, 0.5);
            path.lineTo(w + 0.5, 0.5);
            path.lineTo(w / 2 + 0.5, h + 0.5);
        } else {
            path.moveTo(w / 2 + 0.5, 0.5);
            path.lineTo(w + 0.5, h + 0.5);
            path.lineTo(0.5, h + 0.5);
        }
        path.closeSubpath();
        painter.setPen(QPen(QColor(0x2e, 0x3a, 0x48), 1));
        painter.setBrush(dragging_ ? QColor(0x1f, 0x5f, 0xa8) : QColor(0x8d, 0x9b, 0xad));
        painter.drawPath(path);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() != Qt::LeftButton) return;
        // The grab point need not be the tip: keep the offset so the marker does not jump.
        grabOffset_ = event->position().x() - MarkerWidth / 2;
        dragging_ = true;
        ruler_->BeginDrag();
        update();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (!dragging_) return;
        const QPoint inRuler = ruler_->mapFromGlobal(event->globalPosition().toPoint());
        ruler_->DragTo(marker_, qRound(inRuler.x() - grabOffset_));
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!dragging_ || event->button() != Qt::LeftButton) return;
        mouseMoveEvent(event);
        dragging_ = false;
        update();
    }

private:
    RulerWidget* ruler_;
    RulerWidget::Marker marker_;
    double grabOffset_ = 0;
    bool dragging_ = false;
};

RulerWidget::RulerWidget(QTextEdit* text, QWidget* parent) : QWidget(parent), text_(text) {
    setObjectName(QStringLiteral("Ruler"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    firstLine_ = new RulerMarker(this, Marker::FirstLine, "FirstIndent", "Rientro Prima Riga");
    left_ = new RulerMarker(this, Marker::Left, "LeftIndent", "Rientro Sinistro");
    right_ = new RulerMarker(this, Marker::Right, "RightIndent", "Rientro Destro");
    const auto follow = [this] {
        PlaceMarkers();
        update();
    };
    connect(text_, &QTextEdit::cursorPositionChanged, this, follow);
    connect(text_->document(), &QTextDocument::contentsChanged, this, follow);  // undo, new text
    connect(text_->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    viewport_ = text_->viewport();
    viewport_->installEventFilter(this);  // the text's width follows the window
}

QSize RulerWidget::sizeHint() const { return {200, RulerHeight}; }

double RulerWidget::PixelsPerCentimetre() const { return text_->logicalDpiX() / 2.54; }

double RulerWidget::LineWidth() const {
    const QTextDocument* document = text_->document();
    return std::max(0.0, document->textWidth() - 2 * document->documentMargin());
}

double RulerWidget::TextStartX() const {
    const QPoint viewport = mapFromGlobal(text_->viewport()->mapToGlobal(QPoint(0, 0)));
    return viewport.x() + text_->document()->documentMargin() - text_->horizontalScrollBar()->value();
}

double RulerWidget::MarkerPosition(Marker marker) const {
    const QTextBlockFormat format = text_->textCursor().blockFormat();
    switch (marker) {
    case Marker::FirstLine: return format.leftMargin() + format.textIndent();
    case Marker::Left: return format.leftMargin();
    case Marker::Right: return LineWidth() - format.rightMargin();
    }
    return 0;
}

void RulerWidget::MoveMarker(Marker marker, double position) { ApplyMarker(marker, position, false); }

bool RulerWidget::ApplyMarker(Marker marker, double position, bool joinPreviousStep) {
    const double minimum = MinimumTextWidthCm * PixelsPerCentimetre();
    double first = MarkerPosition(Marker::FirstLine);
    double left = MarkerPosition(Marker::Left);
    double right = MarkerPosition(Marker::Right);
    const double width = LineWidth();
    switch (marker) {
    case Marker::FirstLine: first = ClampPosition(position, 0, right - minimum); break;
    case Marker::Left:
        // The first line keeps its place, as a hanging or indented first line should.
        left = ClampPosition(position, 0, right - minimum);
        break;
    case Marker::Right: right = ClampPosition(position, std::max(first, left) + minimum, width); break;
    }
    QTextBlockFormat format;
    format.setLeftMargin(std::round(left));
    format.setTextIndent(std::round(first) - std::round(left));
    format.setRightMargin(std::max(0.0, std::round(width - right)));
    QTextCursor cursor = text_->textCursor();
    const QTextBlockFormat now = cursor.blockFormat();
    // A click on a marker that does not move it is no change of the text.
    if (!cursor.hasSelection() && now.leftMargin() == format.leftMargin() && now.textIndent() == format.textIndent() &&
        now.rightMargin() == format.rightMargin())
        return false;
    if (joinPreviousStep) cursor.joinPreviousEditBlock();
    else cursor.beginEditBlock();
    cursor.mergeBlockFormat(format);
    cursor.endEditBlock();
    PlaceMarkers();
    update();
    return true;
}

void RulerWidget::BeginDrag() { dragMoved_ = false; }

void RulerWidget::DragTo(Marker marker, int rulerX) {
    if (ApplyMarker(marker, rulerX - TextStartX(), dragMoved_)) dragMoved_ = true;
}

void RulerWidget::PlaceMarkers() {
    const double start = TextStartX();
    const auto place = [&](RulerMarker* widget, Marker marker, int top) {
        // The tip, the middle pixel of the marker, stands on the indent's pixel.
        widget->move(int(std::floor(start + MarkerPosition(marker) + 0.5)) - MarkerWidth / 2, top);
    };
    place(firstLine_, Marker::FirstLine, ScaleTop - MarkerHeight + 2);
    place(left_, Marker::Left, ScaleBottom - 2);
    place(right_, Marker::Right, ScaleBottom - 2);
}

void RulerWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceMarkers();
}

bool RulerWidget::eventFilter(QObject* watched, QEvent* event) {
    if (watched == viewport_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        PlaceMarkers();
        update();
    }
    return QWidget::eventFilter(watched, event);
}

void RulerWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const double start = TextStartX();
    const double width = LineWidth();
    const double perCm = PixelsPerCentimetre();
    // The strip of the text's width in white, the indented part of the current paragraph greyed.
    const QRectF strip(start, ScaleTop, width, ScaleBottom - ScaleTop);
    painter.fillRect(strip, Qt::white);
    const QColor indented(0xe4, 0xe4, 0xe4);
    const double left = std::min(MarkerPosition(Marker::Left), MarkerPosition(Marker::FirstLine));
    painter.fillRect(QRectF(start, ScaleTop, std::max(0.0, left), strip.height()), indented);
    const double right = MarkerPosition(Marker::Right);
    painter.fillRect(QRectF(start + right, ScaleTop, std::max(0.0, width - right), strip.height()), indented);
    painter.setPen(QColor(0x90, 0x90, 0x90));
    painter.drawRect(strip.adjusted(0, 0, -1, -1));

    // Ticks every half centimetre, numbered every centimetre.
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    const double middle = (ScaleTop + ScaleBottom) / 2.0;
    for (int half = 1; half * perCm / 2 < width; ++half) {
        const double x = std::round(start + half * perCm / 2) + 0.5;
        if (half % 2 == 1) {
            painter.drawLine(QPointF(x, middle - 1.5), QPointF(x, middle + 1.5));
        } else {
            const QRectF box(x - 10, ScaleTop, 20, ScaleBottom - ScaleTop);
            painter.drawText(box, Qt::AlignCenter, QString::number(half / 2));
        }
    }
}

}  // namespace florimant
