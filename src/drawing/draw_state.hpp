#pragma once
#include <string>

#include "common/real.hpp"
#include "drawing/device.hpp"

// The mapping from sheet units to the device, and the pen, brush and font tables that every
// drawing routine chooses from by number.
namespace florimant {

enum class DrawTarget { Window, Printer, Metafile };

struct DrawState {
    DrawTarget Target = DrawTarget::Window;
    bool BlackAndWhite = false;
    bool BackgroundPicture = false;                 // a picture behind the sheet changes the black-and-white brushes
    Real Scale = 1;                                 // S: device units per sheet unit (also the base pen width W)
    Real Zoom = 1;                                  // Z
    int OffsetX = 0, OffsetY = 0;                   // pan, device units
    Real AxisCorrectionX = 1, AxisCorrectionY = 1;  // SX, SY (1 when printing)
    Real AspectK = 1;                               // vertical factor of the wheels
    Real FontBase = 1;                              // F: device height of a size-1 font
    Real LineThickness = 1;                         // L
    bool PrinterExists = true;
    bool PrinterLandscape = true;

    bool OnWindow() const { return Target == DrawTarget::Window; }
};

struct SheetPoint {
    Real X = 0, Y = 0;
};

// Round to the nearest integer, ties to even, as every device coordinate is rounded.
int RoundHalfEven(Real value);

int MapX(const DrawState& state, Real x);
int MapY(const DrawState& state, Real y);
DevicePoint MapPoint(const DrawState& state, SheetPoint point);
// Half side of the device square of a symbol picture of the given size (no axis correction).
int SymbolHalfSide(const DrawState& state, Real size);

// Pens by role number (0..80; others fall back to black).
Pen PenForRole(const DrawState& state, int role);
// The role a logical role stands for on the current target (4 is cyan on the window, ...).
int RoleForTarget(const DrawState& state, int logicalRole);
// Text colour of logical colour 0 (white on the window, black on paper) or 4 (cyan / blue).
Colour TextColourFor(const DrawState& state, int logicalColour);
// A solid brush as the colour mode turns it.
Colour BrushColourFor(const DrawState& state, Colour colour);

// Fonts by number; unknown numbers take font 0's face and divisor.
Font FontForNumber(const DrawState& state, int number);

// The page frame: drawn only on the window with a printer, pen role 7, from (1, 1) to
// (279, 202) in landscape or (279, 405) in portrait.
struct PageFrame {
    bool Visible = false;
    SheetPoint TopLeft, BottomRight;
};
PageFrame PageFrameFor(const DrawState& state);

// Centre and six radii R1 > R2 >= R3 > R4 >= R5 > R6 of a wheel, sheet units.
struct WheelGeometry {
    Real CentreX = 0, CentreY = 0;
    Real R1 = 0, R2 = 0, R3 = 0, R4 = 0, R5 = 0, R6 = 0;
};
WheelGeometry SheetWheel();     // the chart sheets
WheelGeometry AnalysisWheel();  // the analysis window

// θ = ascendant - longitude, reduced to 0..360: the ascendant on the left, longitudes growing
// counter-clockwise.
Real DrawingAngle(Real ascendant, Real longitude);
// The point at angle θ (degrees) and radius r around the centre, Y scaled by K.
SheetPoint WheelPoint(Real centreX, Real centreY, Real radius, Real theta, Real aspectK);

}  // namespace florimant
