// Writes the documents of the installation folder from their Markdown and text sources:
//   manuals-generate MANUALS_FOLDER INSTALLATION_FOLDER
// MANUALS_FOLDER holds src/*.md (one PDF each, same base name), src/Aggiorna*.txt (UTF-8, one
// text line per line) and images/ (the pictures the Markdown names). Run it on the offscreen
// platform; the output depends only on the sources, the pictures and the Liberation fonts.
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHashFunctions>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/cp1252.hpp"

namespace {

constexpr int Resolution = 300;  // dots per inch of the PDF's drawing units
const QString BodyFamily = QStringLiteral("Liberation Sans");
const QString SerifFamily = QStringLiteral("Liberation Serif");
const QString MonoFamily = QStringLiteral("Liberation Mono");
const QColor HeadingColour(0x1f, 0x3a, 0x5f);
const QColor FooterColour(0x55, 0x55, 0x55);
const QColor HeaderShade(0xe4, 0xea, 0xf2);
const QColor NoteShade(0xf6, 0xf0, 0xdc);

// "% " lines at the top of a source make the title page: title, subtitle, further lines.
// "%! indice" asks for a table of contents, "%! capitoli" starts each chapter on a new page.
struct Source {
    QStringList TitleLines;
    bool Contents = false;
    bool ChapterPages = false;
    QString Markdown;
};

Source ReadSource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("impossibile leggere " + path.toStdString());
    const QString text = QString::fromUtf8(file.readAll());
    Source source;
    QStringList body;
    bool header = true;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        if (header && line.startsWith(QLatin1String("%!"))) {
            const QString options = line.mid(2);
            source.Contents = source.Contents || options.contains(QLatin1String("indice"));
            source.ChapterPages = source.ChapterPages || options.contains(QLatin1String("capitoli"));
        } else if (header && line.startsWith(QLatin1String("% "))) {
            source.TitleLines << line.mid(2).trimmed();
        } else {
            header = false;
            body << line;
        }
    }
    source.Markdown = body.join(QLatin1Char('\n'));
    if (source.TitleLines.isEmpty()) throw std::runtime_error(path.toStdString() + ": manca il titolo (riga \"% \")");
    return source;
}

// Fonts, colours and picture sizes that Markdown cannot say: headings in the document's blue,
// code in Liberation Mono, pictures scaled to the text width, tables with thin rules.
void StyleDocument(QTextDocument& doc, qreal textWidth, bool chapterPages, bool ruledTables = true) {
    struct Picture {
        int BlockPosition;
        QString Caption;
    };
    std::vector<Picture> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        QTextCursor blockCursor(block);
        if (level > 0) {
            QTextBlockFormat format = block.blockFormat();
            format.setTopMargin(level == 1 ? 18 : 12);
            format.setBottomMargin(6);
            if (level == 1 && chapterPages && block.blockNumber() > 0)
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            blockCursor.setBlockFormat(format);
        } else {
            QTextBlockFormat format = block.blockFormat();
            format.setBottomMargin(std::max<qreal>(format.bottomMargin(), 4));
            if (format.intProperty(QTextFormat::BlockQuoteLevel) > 0) {
                // Quoted paragraphs carry the warnings: a shaded box the reader cannot miss.
                format.setBackground(NoteShade);
                format.setLeftMargin(40);
                format.setRightMargin(40);
                format.setTopMargin(10);
                format.setBottomMargin(10);
                format.setIndent(0);
            }
            blockCursor.setBlockFormat(format);
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            QTextCharFormat format = fragment.charFormat();
            QTextCursor fragmentCursor(&doc);
            fragmentCursor.setPosition(fragment.position());
            fragmentCursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            if (format.isImageFormat()) {
                QTextImageFormat image = format.toImageFormat();
                const QImage picture(doc.baseUrl().resolved(QUrl(image.name())).toLocalFile());
                if (picture.isNull()) throw std::runtime_error("immagine mancante: " + image.name().toStdString());
                // Screenshots are at screen density: shown at 0,8 of that, never wider than the text.
                qreal width = picture.width() * Resolution / 96.0 * 0.8;
                if (width > textWidth) width = textWidth;
                const qreal maxHeight = 95 * Resolution / 25.4;  // a tall picture leaves room for its text
                if (width * picture.height() / picture.width() > maxHeight)
                    width = maxHeight * picture.width() / picture.height();
                // The layout scales picture sizes from screen pixels (96 per inch) to the device.
                const qreal toScreen = 96.0 / Resolution;
                image.setWidth(width * toScreen);
                image.setHeight(width * toScreen * picture.height() / picture.width());
                fragmentCursor.setCharFormat(image);
                pictures.push_back({block.position(), image.stringProperty(QTextFormat::ImageAltText)});
                continue;
            }
            QTextCharFormat change;
            if (level > 0) {
                change.setForeground(HeadingColour);
                change.setFontFamilies({BodyFamily});
                change.setFontPointSize(level == 1 ? 16 : level == 2 ? 12.5 : 11);
                change.setFontWeight(QFont::Bold);
            }
            if (format.fontFixedPitch() || format.fontFamilies().toStringList().contains(QLatin1String("monospace"))) {
                change.setFontFamilies({MonoFamily});
                change.setFontPointSize(9.5);
            }
            if (change.propertyCount() > 0) fragmentCursor.mergeCharFormat(change);
        }
    }
    // Pictures stand centred with their alternative text as caption below; from the last one
    // back, so the positions still hold.
    for (auto it = pictures.rbegin(); it != pictures.rend(); ++it) {
        QTextCursor cursor(doc.findBlock(it->BlockPosition));
        QTextBlockFormat centred = cursor.blockFormat();
        centred.setAlignment(Qt::AlignHCenter);
        centred.setTopMargin(8);
        centred.setBottomMargin(2);
        cursor.setBlockFormat(centred);
        if (it->Caption.isEmpty()) continue;
        cursor.movePosition(QTextCursor::EndOfBlock);
        QTextBlockFormat captionBlock = centred;
        captionBlock.setTopMargin(0);
        captionBlock.setBottomMargin(10);
        QTextCharFormat captionText;
        captionText.setFontItalic(true);
        captionText.setFontPointSize(9);
        captionText.setForeground(FooterColour);
        cursor.insertBlock(captionBlock, captionText);
        cursor.insertText(it->Caption);
    }
    // Tables: thin grey rules, padding, full width.
    if (!ruledTables) return;
    for (QTextFrame* frame : doc.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setBorder(2.5);
            format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            format.setBorderBrush(QColor(0x99, 0x99, 0x99));
            format.setBorderCollapse(true);
            format.setCellPadding(10);
            format.setCellSpacing(0);
            format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
            format.setTopMargin(4);
            format.setBottomMargin(8);
            table->setFormat(format);
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(0, column);
                QTextCharFormat header = cell.format();
                header.setBackground(HeaderShade);
                cell.setFormat(header);
            }
            // Cell paragraphs need no space of their own below: the padding gives it.
            for (int row = 0; row < table->rows(); ++row)
                for (int column = 0; column < table->columns(); ++column) {
                    const QTextTableCell cell = table->cellAt(row, column);
                    for (QTextFrame::iterator it = cell.begin(); !it.atEnd(); ++it) {
                        const QTextBlock block = it.currentBlock();
                        if (!block.isValid()) continue;
                        QTextBlockFormat blockFormat = block.blockFormat();
                        blockFormat.setBottomMargin(0);
                        QTextCursor(block).setBlockFormat(blockFormat);
                    }
                }
        }
    }
}

struct PageGeometry {
    QRectF Paper;     // the whole page in device units
    QRectF Body;      // where the text goes
    qreal FooterTop;  // baseline area of header and footer
    qreal HeaderBottom;
};

PageGeometry Geometry(const QPdfWriter& writer) {
    PageGeometry geometry;
    const QPageLayout layout = writer.pageLayout();
    geometry.Paper = QRectF(QPointF(0, 0), layout.fullRectPixels(Resolution).size());
    const qreal mm = Resolution / 25.4;
    geometry.Body = QRectF(22 * mm, 25 * mm, geometry.Paper.width() - 44 * mm, geometry.Paper.height() - 47 * mm);
    geometry.HeaderBottom = 17 * mm;
    geometry.FooterTop = geometry.Paper.height() - 17 * mm;
    return geometry;
}

// The layout of a long document is finished in the background by a timer; without an event
// loop it must be driven to the end by hand.
void FinishLayout(QTextDocument& doc) {
    for (int round = 0; round < 1000; ++round) {
        const qreal before = doc.documentLayout()->documentSize().height();
        doc.documentLayout()->hitTest(QPointF(0, 1e9), Qt::FuzzyHit);
        QCoreApplication::processEvents();
        if (doc.documentLayout()->documentSize().height() == before) return;
    }
}

// A heading must not end a page: one that starts in the last few lines of a page, or is
// followed by a table or picture that begins on the next page, moves to the next page.
void KeepHeadingsWithText(QTextDocument& doc) {
    const qreal height = doc.pageSize().height();
    for (int pass = 0; pass < 50; ++pass) {
        bool moved = false;
        for (QTextBlock block = doc.begin(); block.isValid() && !moved; block = block.next()) {
            if (block.blockFormat().headingLevel() == 0) continue;
            const QRectF box = doc.documentLayout()->blockBoundingRect(block);
            const int page = int(box.top() / height);
            QTextBlock next = block.next();
            const qreal nextTop = next.isValid() ? doc.documentLayout()->blockBoundingRect(next).top() : box.bottom();
            const qreal nextBottom = next.isValid() ? nextTop + 2.5 * box.height() : box.bottom();
            if (box.height() <= 0) FinishLayout(doc);
            if (int(nextBottom / height) > page || int(nextTop / height) > page) {
                QTextBlockFormat format = block.blockFormat();
                if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) continue;
                format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                QTextCursor(block).setBlockFormat(format);
                moved = true;
            }
        }
        if (!moved) return;
    }
}

void LayOut(QTextDocument& doc, QPdfWriter& writer, const PageGeometry& page) {
    doc.documentLayout()->setPaintDevice(&writer);
    doc.setPageSize(page.Body.size());
    FinishLayout(doc);
    KeepHeadingsWithText(doc);
    FinishLayout(doc);
}

// Header (the document's title) and footer (page number) of every page but the title page.
void DrawFurniture(QPainter& painter, const PageGeometry& page, const QString& title, int number, int total) {
    painter.save();
    QFont font(BodyFamily);
    font.setPointSizeF(8.5);
    painter.setFont(font);
    painter.setPen(FooterColour);
    const QRectF header(page.Body.left(), page.HeaderBottom - 60, page.Body.width(), 60);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignBottom, title);
    painter.drawText(header, Qt::AlignRight | Qt::AlignBottom, QStringLiteral("Florimant"));
    painter.setPen(QPen(FooterColour, 1.5));
    painter.drawLine(QPointF(page.Body.left(), page.HeaderBottom + 8),
                     QPointF(page.Body.right(), page.HeaderBottom + 8));
    painter.setPen(FooterColour);
    const QRectF footer(page.Body.left(), page.FooterTop, page.Body.width(), 60);
    painter.drawText(footer, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Pagina %1 di %2").arg(number).arg(total));
    painter.restore();
}

void DrawTitlePage(QPainter& painter, const PageGeometry& page, const QStringList& lines) {
    painter.save();
    const qreal mm = Resolution / 25.4;
    QFont brand(SerifFamily);
    brand.setPointSizeF(16);
    brand.setLetterSpacing(QFont::PercentageSpacing, 130);
    painter.setFont(brand);
    painter.setPen(FooterColour);
    painter.drawText(QRectF(page.Body.left(), 50 * mm, page.Body.width(), 12 * mm), Qt::AlignHCenter | Qt::AlignBottom,
                     QStringLiteral("FLORIMANT"));
    painter.setPen(QPen(HeadingColour, 4));
    painter.drawLine(QPointF(page.Body.left() + 30 * mm, 68 * mm), QPointF(page.Body.right() - 30 * mm, 68 * mm));
    QFont title(BodyFamily);
    title.setPointSizeF(26);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(HeadingColour);
    painter.drawText(QRectF(page.Body.left(), 80 * mm, page.Body.width(), 40 * mm),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, lines.value(0));
    QFont subtitle(BodyFamily);
    subtitle.setPointSizeF(14);
    painter.setFont(subtitle);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.Body.left(), 125 * mm, page.Body.width(), 30 * mm),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, lines.value(1));
    QFont small(BodyFamily);
    small.setPointSizeF(10);
    painter.setFont(small);
    painter.setPen(FooterColour);
    const QStringList rest = lines.mid(2);
    painter.drawText(QRectF(page.Body.left(), page.Paper.height() - 70 * mm, page.Body.width(), 45 * mm),
                     Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, rest.join(QLatin1Char('\n')));
    painter.restore();
}

// The pages of a laid-out document, each clipped to its own slice of the text.
void DrawPages(QPainter& painter, QPdfWriter& writer, QTextDocument& doc, const PageGeometry& page,
               const QString& title, int firstNumber, int total) {
    const qreal height = doc.pageSize().height();
    for (int index = 0; index < doc.pageCount(); ++index) {
        writer.newPage();
        DrawFurniture(painter, page, title, firstNumber + index, total);
        painter.save();
        painter.translate(page.Body.left(), page.Body.top() - index * height);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, index * height, page.Body.width(), height);
        painter.setClipRect(context.clip);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

struct Heading {
    int Level;
    QString Text;
    int Page;  // 0-based page of the body
};

std::vector<Heading> Headings(QTextDocument& doc) {
    std::vector<Heading> headings;
    const qreal height = doc.pageSize().height();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 1 || level > 2) continue;
        const qreal top = doc.documentLayout()->blockBoundingRect(block).top();
        headings.push_back({level, block.text(), int(top / height)});
    }
    return headings;
}

QString ContentsMarkdown(const std::vector<Heading>& headings, int firstBodyNumber) {
    QString html =
        QStringLiteral("<h1>Indice</h1><table width=\"100%\" cellspacing=\"0\" cellpadding=\"4\" border=\"0\">");
    for (const Heading& heading : headings) {
        const QString indent = heading.Level == 1 ? QString() : QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;");
        const QString text = heading.Text.toHtmlEscaped();
        html += QStringLiteral("<tr><td>%1%2</td><td align=\"right\">%3</td></tr>")
                    .arg(indent, heading.Level == 1 ? QStringLiteral("<b>%1</b>").arg(text) : text)
                    .arg(firstBodyNumber + heading.Page);
    }
    return html + QStringLiteral("</table>");
}

void SetUpDocument(QTextDocument& doc, const QString& baseFolder) {
    QFont font(BodyFamily);
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setDocumentMargin(0);
    doc.setBaseUrl(QUrl::fromLocalFile(baseFolder + QLatin1Char('/')));
}

void WritePdf(const QString& sourcePath, const QString& imageFolder, const QString& outputPath) {
    const Source source = ReadSource(sourcePath);
    const QString temporary = outputPath + QStringLiteral(".tmp");
    {
        QPdfWriter writer(temporary);
        writer.setResolution(Resolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(source.TitleLines.value(0));
        writer.setCreator(QStringLiteral("Florimant"));
        const PageGeometry page = Geometry(writer);

        QTextDocument body;
        SetUpDocument(body, imageFolder);
        body.setMarkdown(source.Markdown, QTextDocument::MarkdownDialectGitHub);
        StyleDocument(body, page.Body.width(), source.ChapterPages);
        LayOut(body, writer, page);

        // The contents pages come before the body, so the body's numbers depend on how many they
        // are: lay them out until the count settles (it changes at most once in practice).
        QTextDocument contents;
        int contentsPages = 0;
        if (source.Contents) {
            const auto headings = Headings(body);
            for (int attempt = 0; attempt < 3; ++attempt) {
                SetUpDocument(contents, imageFolder);
                contents.setHtml(ContentsMarkdown(headings, 2 + contentsPages));
                StyleDocument(contents, page.Body.width(), false, false);
                LayOut(contents, writer, page);
                if (contents.pageCount() == contentsPages) break;
                contentsPages = contents.pageCount();
            }
        }
        const int total = 1 + contentsPages + body.pageCount();

        QPainter painter(&writer);
        DrawTitlePage(painter, page, source.TitleLines);
        if (source.Contents) DrawPages(painter, writer, contents, page, source.TitleLines.value(0), 2, total);
        DrawPages(painter, writer, body, page, source.TitleLines.value(0), 2 + contentsPages, total);
        painter.end();
    }
    // The writer stamps the time of writing; a fixed stamp keeps regenerated files identical.
    QFile file(temporary);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("impossibile rileggere " + temporary.toStdString());
    QByteArray bytes = file.readAll();
    file.close();
    // Same length, so the cross-reference offsets stay right.
    static const QRegularExpression stamp(QStringLiteral("D:\\d{14}"));
    static const QRegularExpression xmpStamp(QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d"));
    QString latin = QString::fromLatin1(bytes);
    latin.replace(stamp, QStringLiteral("D:20260101000000"));
    latin.replace(xmpStamp, QStringLiteral("2026-01-01T00:00:00"));
    bytes = latin.toLatin1();
    QFile::remove(outputPath);
    QFile out(outputPath);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        throw std::runtime_error("impossibile scrivere " + outputPath.toStdString());
    out.close();
    QFile::remove(temporary);
}

// Aggiorna*.txt: UTF-8 source lines become Windows-1252 lines ended by CR LF, as the update
// window reads them.
void WriteText(const QString& sourcePath, const QString& outputPath) {
    QFile file(sourcePath);
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("impossibile leggere " + sourcePath.toStdString());
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    std::string bytes;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        const std::string converted = florimant::Utf8ToCp1252(line.toStdString());
        if (converted.find('?') != std::string::npos && !line.contains(QLatin1Char('?')))
            throw std::runtime_error(sourcePath.toStdString() +
                                     ": carattere non rappresentabile in Windows-1252: " + line.toStdString());
        bytes += converted + "\r\n";
    }
    std::ofstream out(outputPath.toStdString(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("impossibile scrivere " + outputPath.toStdString());
}

}  // namespace

int main(int argc, char** argv) {
    // The PDF writer lists fonts and images in hash order: a fixed seed gives the same file each run.
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: manuals-generate CARTELLA_MANUALI CARTELLA_INSTALLAZIONE\n");
        return 2;
    }
    const QDir manuals(QString::fromLocal8Bit(argv[1]));
    const QDir installation(QString::fromLocal8Bit(argv[2]));
    for (const char* family : {"Liberation Sans", "Liberation Serif", "Liberation Mono"}) {
        if (!QFontDatabase::hasFamily(QString::fromLatin1(family))) {
            std::fprintf(stderr, "manca il carattere %s (pacchetto fonts-liberation2)\n", family);
            return 1;
        }
    }
    try {
        const QDir sources(manuals.filePath(QStringLiteral("src")));
        const QStringList markdown = sources.entryList({QStringLiteral("*.md")}, QDir::Files, QDir::Name);
        if (markdown.isEmpty()) throw std::runtime_error("nessun sorgente in " + sources.path().toStdString());
        for (const QString& name : markdown) {
            const QString output = installation.filePath(QFileInfo(name).completeBaseName() + QStringLiteral(".pdf"));
            WritePdf(sources.filePath(name), manuals.filePath(QStringLiteral("images")), output);
            std::printf("%s\n", qPrintable(output));
        }
        if (!installation.mkpath(QStringLiteral("Appoggio"))) throw std::runtime_error("impossibile creare Appoggio");
        for (const QString& name : sources.entryList({QStringLiteral("Aggiorna*.txt")}, QDir::Files, QDir::Name)) {
            const QString output = installation.filePath(QStringLiteral("Appoggio/") + name);
            WriteText(sources.filePath(name), output);
            std::printf("%s\n", qPrintable(output));
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "manuals-generate: %s\n", error.what());
        return 1;
    }
    return 0;
}
