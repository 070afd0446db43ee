#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where child windows go: their bottom-right corner a few pixels beyond the main window's.
namespace florimant {

// The top-left corner of a child window whose frame is `childFrame` in size, placed against the
// main window's frame `mainFrame` (of which the width and height are `anchorSize`, as taken at the
// main window's activation), moved inside `available` (the screen's work area) as little as needed
// when it would stand partly outside it. An empty `available` leaves it where the rule puts it.
QPoint AnchoredPosition(const QRect& mainFrame, QSize anchorSize, QSize childFrame, int offset, const QRect& available);

// The main window, seen by its child windows only as the anchor of their placement.
class Anchor {
public:
    virtual ~Anchor() = default;
    virtual void PlaceChild(QWidget& child, int offset) const = 0;
};

// The size a window's frame will have: its own frame once it has been shown, otherwise its size
// with the frame of an already framed window such as `model` (the title bar is only there once a
// window has been shown, and the first placement must count it too).
QSize ExpectedFrameSize(const QWidget& window, const QWidget* model);

// The available area of the screen a widget is on (of the primary screen when it is on none).
QRect AvailableScreenArea(const QWidget& widget);

}  // namespace florimant
