// symbol-pictures: the symbol pictures of the installation (Simboli, Zodiaco).
//
//   symbol-pictures outlines [FONT] OUTLINES   the outline table from the font and the drawn shapes
//   symbol-pictures pictures OUTLINES DIR      every picture below the installation folder DIR
//   symbol-pictures sheet DIR IMAGE.png        a contact sheet of the pictures of DIR
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>

#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "symbol_catalogue.hpp"
#include "symbol_outlines.hpp"

namespace {

int Usage() {
    std::cerr << "usage: symbol-pictures outlines [FONT] OUTLINES\n"
                 "       symbol-pictures pictures OUTLINES INSTALLATION_DIR\n"
                 "       symbol-pictures sheet INSTALLATION_DIR IMAGE.png\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) return Usage();
    const QString mode = args[1];
    try {
        if (mode == "outlines" && (args.size() == 3 || args.size() == 4)) {
            const QString font = args.size() == 4 ? args[2] : QString(symbols::PinnedFontFile);
            if (symbols::FileSha256(font) != symbols::PinnedFontSha256)
                std::cerr << "warning: " << font.toStdString()
                          << " is not the pinned font file; the outlines will differ\n";
            const symbols::OutlineTable table = symbols::ExtractOutlines(font);
            florimant::ReplaceFile(args.last().toStdString(),
                                   symbols::FormatOutlineTable(table, symbols::OutlineTableHeader(font)));
            return 0;
        }
        if (mode == "pictures" && args.size() == 4) {
            const int n =
                symbols::WritePictures(symbols::ReadOutlineTable(args[2].toStdString()), args[3].toStdString());
            std::cout << n << " pictures written\n";
            return 0;
        }
        if (mode == "sheet" && args.size() == 4) {
            if (!symbols::RenderContactSheet(args[2].toStdString()).save(args[3])) {
                std::cerr << "cannot write " << args[3].toStdString() << "\n";
                return 1;
            }
            return 0;
        }
    } catch (const std::exception& e) {
        std::cerr << "symbol-pictures: " << e.what() << "\n";
        return 1;
    }
    return Usage();
}
