#pragma once
#include <array>
#include <string>
#include <vector>

#include "analysis/archetypal_structure.hpp"
#include "analysis/aspects.hpp"
#include "common/program_folder.hpp"
#include "drawing/primitives.hpp"
#include "drawing/wheel.hpp"
#include "engine/chart_data.hpp"

// The canvas of the analysis window: the standard chart and the readings its view buttons draw
// on the left square of the drawing area, each on any device. The window keeps the counters and
// the panels; these functions draw one view in one state and tell the window what to show.
namespace florimant {

// View numbers: the button numbers 1..4, 0 for the standard chart of the activation and 10 for
// the antiscia that the fourth click on a planet or a sign draws over the chart.
inline constexpr int StandardChartView = 0, CoordinatesView = 1, ConstitutionView = 2, ArchetypalView = 3,
                     AspectsView = 4, AntisciaView = 10;

// How many states a view cycles through (0 for a number that is no view).
int AnalysisViewStateCount(int view);
// The help message a view shows in a state; for the antiscia 30 for a planet and 33 for a sign.
// 0 for a view or state that does not exist.
int AnalysisViewHelpMessage(int view, int state, bool sign = false);
// Whether the aspects panel is shown: states 0 and 1 of the aspects, state 0 of the coordinates.
bool AnalysisViewShowsAspectsPanel(int view, int state);

// What a drawn view leaves to the window: the symbol centres it recorded (sheet units) and the
// lines of the aspects panel when the view shows it. Signs are recorded exactly when the
// standard chart was drawn, which is when the data fields are filled again.
struct AnalysisViewResult {
    bool PointsRecorded = false, SignsRecorded = false, ArchetypalRecorded = false;
    std::array<SheetPoint, Body::Count + 1> Points{};             // 1..11
    std::array<SheetPoint, 13> Signs{};                           // 1..12
    std::array<SheetPoint, PlanetCount + 1> ArchetypalPlanets{};  // 1..7; zero for planets not in the table
    bool ShowAspectsPanel = false;
    std::vector<std::string> AspectsPanel;  // UTF-8
    int HelpMessage = 0;
};

// The left square of the drawing area (X and Y from 2 to 195) painted black, as each view
// button does before it draws.
void ClearAnalysisViewArea(Canvas& c);

// Draws view `view` in state `state` (taken modulo the view's state count). `point` (1..7) or
// `sign` (1..12) chooses what the antiscia view reflects; the antiscia are drawn over the
// standard chart. Reads the reception lists and the sector texts from `folder` and rewrites the
// chart key files as the standard chart does. Throws std::invalid_argument for an unknown view
// or a missing point/sign, DataFileError for missing or damaged installation files.
AnalysisViewResult DrawAnalysisView(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                    const AspectOrbs& orbs, int view, int state, int point = 0, int sign = 0);

// A view's title (font 2, logical colour 4) at (5, 5) and its subtitle (font 15) at (5, 10)
// from the origin.
void DrawViewTitle(Canvas& c, const std::string& title, const std::string& subtitle = {}, SheetPoint origin = {});

// "Coordinate Planetarie": the standard chart with the titles and the column of relative
// longitudes (state 0), absolute longitudes (1) or latitudes (2) inside the wheel.
StandardChartCentres DrawCoordinates(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                     const AspectOrbs& orbs, int state);
// The column alone, with its cyan caption centred at (100, 69).
void DrawCoordinateColumn(Canvas& c, const ChartData& chart, int state);

// "Aspetti Planetari": the standard chart with the aspect lines, plain (state 0) or as bands (1);
// the ecliptic aspect grid (2) or the spherical distances (3) on their own.
struct AspectsViewCentres {
    bool ChartDrawn = false;
    StandardChartCentres Centres;
};
AspectsViewCentres DrawAspectsView(Canvas& c, const ChartData& chart, const ProgramFolder& folder,
                                   const AspectOrbs& orbs, int state);

// The archetypal structure view: a reduced wheel without the house ring (sign ring from R2 + 4
// to R1 with symbols of size 7, clickable natal ring from R3 + 4 to R4 + 5, angle marks, footer
// logo), its title and the structure table inside the wheel.
struct ArchetypalViewCentres {
    std::array<SheetPoint, Body::Count + 1> Points{};
    std::array<SheetPoint, PlanetCount + 1> Planets{};
};
ArchetypalViewCentres DrawArchetypalView(Canvas& c, const ChartData& chart, const ArchetypalStructure& structure);
// The reduced wheel alone; returns the natal ring's centres.
std::array<SheetPoint, Body::Count + 1> DrawReducedChart(Canvas& c, const ChartData& chart);
// The structure rows stacked 13 units apart and centred on the wheel's centre line, slot 1 on
// the right and the planets it disposes of leftwards at 7-unit steps, each row framed in the
// colour of its code and rows of one reception joined. Returns the centres of the planets drawn
// (zero for planets not in the table).
std::array<SheetPoint, PlanetCount + 1> DrawArchetypalStructure(Canvas& c, const ArchetypalStructure& structure);

// The antiscia of a planet (Body 1..7, its longitude) or of a sign (1..12, its midpoint) on the
// circle of radius R6 around the wheel's centre: a dot at the point and, unless it stands at
// 0° Ariete, its antiscion and contra-antiscion joined to it by thin aqua and red lines and to
// each other by a thin grey line; the titles under the wheel. Pass point 0 to draw a sign.
void DrawPointAntiscia(Canvas& c, const ChartData& chart, int point, int sign);

// "Costituzione (Stoffa)" state 0..3: elemental constitution, elemental humours, seasonal
// constitution, seasonal humours (analysis_constitution.cpp).
void DrawConstitution(Canvas& c, const ChartData& chart, int state);
void DrawElementalConstitution(Canvas& c, const ChartData& chart, SheetPoint origin = {});
void DrawSeasonalConstitution(Canvas& c, const ChartData& chart, SheetPoint origin = {});
void DrawElementalHumours(Canvas& c, const ChartData& chart, SheetPoint origin = {});
void DrawSeasonalHumours(Canvas& c, const ChartData& chart, SheetPoint origin = {});

}  // namespace florimant
