#include "ui/main/program_start.hpp"

#include <QScreen>

#include <cstdio>

#include "common/cp1252.hpp"
#include "common/file_io.hpp"
#include "engine/astro_time.hpp"
#include "engine/texts.hpp"
#include "ui/common/app_state.hpp"
#include "ui/common/printer_check.hpp"

namespace florimant {

QString InitialiseProgramState(AppState& state, QScreen* screen) {
    state.Chart = ChartData{};
    state.Summary = SubjectSummary{};
    state.Draw = DrawState{};
    const int screenHeight = screen != nullptr ? screen->geometry().height() : 768;
    state.Draw.Scale = Real(screenHeight) / 210;
    state.Draw.FontBase = Real(3.7) * state.Draw.Scale;
    state.Draw.Zoom = 1;
    state.Draw.OffsetX = state.Draw.OffsetY = 0;
    state.Draw.AspectK = 1;
    state.Draw.BlackAndWhite = false;
    state.Draw.Target = DrawTarget::Window;
    state.Switches.SheetLayout = 0;
    try {
        state.Orbs = LoadActiveOrbs(state.Folder);
    } catch (const std::exception&) {
        // The first activation reads the file again and reports what is wrong with it.
    }
    state.Draw.PrinterExists = DefaultPrinterExists();
    state.Draw.PrinterLandscape = true;
    return state.Draw.PrinterExists ? QString() : QString::fromUtf8(NoPrinterWarning);
}

std::string UsageJulianDayText(std::string_view todayText) {
    int day = 0, month = 0, year = 0;
    if (std::sscanf(std::string(todayText).c_str(), "%d/%d/%d", &day, &month, &year) != 3) return "2451545";
    // The day's Julian Day at midnight ends in .5; the whole number above it is the same civil
    // day at noon, so the dates list shows the day of use and not the day before.
    return FormatDecimal(7, JulianDay(1, day, month, year, 0, 0) + Real(0.5));
}

QString FirstLine(const ProgramFolder& folder, std::string_view programPath) {
    const auto lines = ReadTextLines(folder, programPath);
    return lines.empty() ? QString() : QString::fromStdString(Cp1252ToUtf8(lines.front()));
}

void ReplaceFirstLine(const ProgramFolder& folder, std::string_view programPath, const std::string& line) {
    std::vector<std::string> lines;
    if (folder.Exists(programPath)) lines = ReadTextLines(folder, programPath);
    if (lines.empty()) lines.emplace_back();
    lines.front() = line;
    ReplaceTextFile(folder, programPath, lines);
}

}  // namespace florimant
