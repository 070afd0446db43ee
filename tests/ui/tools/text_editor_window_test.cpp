// The subject text editor on a copy of the installation: the text named by DatModif.dum, the status
// bar, the question on close, "salva come" onto an existing file, and the paragraph formatting of
// the ruler and the alignment buttons, which never reaches the saved lines.
#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <filesystem>

#include "archive/current_subject.hpp"
#include "common/file_io.hpp"
#include "support/window_test.hpp"
#include "ui/tools/ruler_widget.hpp"
#include "ui/tools/text_editor_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Editor : ProgramCopy {
    const ProgramFolder& folder = state.Folder;
    std::unique_ptr<TextEditorWindow> window;
    QString saveName;

    Editor() {
        messages.fallback = Answer::Cancel;
        window = std::make_unique<TextEditorWindow>(state, messages);
        window->SetSaveNameHook([this] { return saveName; });
    }
    QStringList Questions() const {
        QStringList texts;
        for (const auto& entry : messages.entries)
            if (entry.question) texts << entry.text;
        return texts;
    }
    QString Status(const char* name) { return window->findChild<QLabel*>(QString::fromLatin1(name))->text(); }
    template <typename T = QWidget>
    T* Find(const char* name) {
        auto* found = window->findChild<T*>(QString::fromLatin1(name));
        if (found == nullptr) qFatal("control %s missing", name);
        return found;
    }
    // Three paragraphs on screen, the caret in the one asked for.
    void ShowParagraphs(int caretBlock) {
        window->editor()->setPlainText(QStringLiteral("primo paragrafo\nsecondo paragrafo\nterzo paragrafo"));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        PutCaret(caretBlock);
    }
    void PutCaret(int block) {
        QTextCursor cursor(window->editor()->document()->findBlockByNumber(block));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 3);
        window->editor()->setTextCursor(cursor);
    }
    QTextBlockFormat Paragraph(int block) {
        return window->editor()->document()->findBlockByNumber(block).blockFormat();
    }
    // Drags a marker by dx pixels with the mouse, as the user would. The marker holds the mouse
    // while it is down, so every event goes to it wherever it has moved meanwhile.
    void Drag(const char* marker, int dx) {
        QWidget* handle = Find(marker);
        const QPoint from = handle->geometry().center();  // in the ruler
        const auto at = [&](int step) { return handle->mapFromParent(from + QPoint(step, 0)); };
        QTest::mousePress(handle, Qt::LeftButton, {}, at(0));
        QTest::mouseMove(handle, at(dx / 2));
        QTest::mouseMove(handle, at(dx));
        QTest::mouseRelease(handle, Qt::LeftButton, {}, at(dx));
    }
};

constexpr double Pixel = 1.01;  // marker positions are whole pixels

}  // namespace

class TextEditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensTheTextNamedByTheReference() {
        Editor e;
        WriteEditorPath(e.folder, "BASEtxt/00001.txt");
        QVERIFY(e.window->OpenFromReference());
        QCOMPARE(e.window->windowTitle(), QStringLiteral("00001.txt"));
        QVERIFY(!e.window->editor()->toPlainText().isEmpty());
        QCOMPARE(e.Status("StatusPosition"), QStringLiteral("Line:   1   Col:   1"));
        QVERIFY(e.Status("StatusModified").isEmpty());
        e.window->editor()->setPlainText(QStringLiteral("uno\ndue"));
        e.window->editor()->moveCursor(QTextCursor::End);
        QCOMPARE(e.Status("StatusPosition"), QStringLiteral("Line:   2   Col:   4"));
    }

    void cancelOnCloseKeepsTheText() {
        Editor e;
        WriteEditorPath(e.folder, "BASEtxt/00001.txt");
        e.window->OpenFromReference();
        e.window->show();
        e.window->editor()->moveCursor(QTextCursor::Start);
        e.window->editor()->insertPlainText(QStringLiteral("à"));
        QTest::keyClicks(e.window->editor(), QStringLiteral("ggiunta "));
        QCOMPARE(e.Status("StatusModified"), QStringLiteral("Modified"));
        const QString text = e.window->editor()->toPlainText();
        e.window->close();
        QVERIFY(e.window->isVisible());
        QCOMPARE(e.window->editor()->toPlainText(), text);
        QVERIFY(e.Questions().last().startsWith(QStringLiteral("Save changes to ")));

        e.messages.fallback = Answer::Yes;  // saves, then closes
        e.window->close();
        QVERIFY(!e.window->isVisible());
        const auto lines = ReadTextLines(e.folder, "BASEtxt\\00001.txt");
        QVERIFY(lines.at(0).starts_with("\xE0ggiunta "));
    }

    void saveAsOntoAnExistingNameAnsweredNoWritesNothing() {
        Editor e;
        const fs::path other = e.folder.Resolve("BASEtxt\\FlagTxt.set");
        const auto before = ReadWholeFile(e.folder, "BASEtxt\\FlagTxt.set");
        e.window->NewText();
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Untitled"));
        e.window->editor()->setPlainText(QStringLiteral("nuovo testo"));
        e.saveName = QString::fromStdString(other.string());
        e.messages.fallback = Answer::No;
        QVERIFY(!e.window->Save());
        QCOMPARE(e.Questions(), QStringList{QStringLiteral("OK to overwrite %1").arg(e.saveName)});
        QCOMPARE(ReadWholeFile(e.folder, "BASEtxt\\FlagTxt.set"), before);
        QCOMPARE(e.window->windowTitle(), QStringLiteral("Untitled"));

        e.saveName = QString::fromStdString(e.folder.Resolve("MieiTesti\\nota.txt").string());
        QVERIFY(e.window->Save());
        QCOMPARE(ReadTextLines(e.folder, "MieiTesti\\nota.txt"), std::vector<std::string>{"nuovo testo"});
        QCOMPARE(e.window->windowTitle(), QStringLiteral("nota.txt"));
        QVERIFY(!e.window->IsModified());
    }

    void missingTextKeepsThePreviousOne() {
        Editor e;
        e.window->editor()->setPlainText(QStringLiteral("prima"));
        WriteEditorPath(e.folder, "BASEtxt/99999.txt");
        QVERIFY(!e.window->OpenFromReference());
        QCOMPARE(e.messages.Texts().size(), 1);
        QCOMPARE(e.window->editor()->toPlainText(), QStringLiteral("prima"));
    }

    void draggingTheLeftMarkerIndentsOnlyTheCurrentParagraph() {
        Editor e;
        e.ShowParagraphs(1);
        auto* ruler = e.Find<RulerWidget>("Ruler");
        QWidget* left = e.Find("LeftIndent");
        const int before = left->x();
        const int twoCm = qRound(2 * ruler->PixelsPerCentimetre());
        // A click that moves nothing changes nothing.
        e.window->editor()->document()->setModified(false);
        e.Drag("LeftIndent", 0);
        QVERIFY(!e.window->IsModified());
        QCOMPARE(e.window->editor()->document()->availableUndoSteps(), 0);
        e.Drag("LeftIndent", twoCm);
        QVERIFY(qAbs(e.Paragraph(1).leftMargin() - twoCm) <= Pixel);
        // The first line stays where it was: a hanging indent.
        QVERIFY(qAbs(e.Paragraph(1).leftMargin() + e.Paragraph(1).textIndent()) <= Pixel);
        QCOMPARE(e.Paragraph(0).leftMargin(), 0.0);
        QCOMPARE(e.Paragraph(2).leftMargin(), 0.0);
        QVERIFY(qAbs(left->x() - (before + twoCm)) <= 1);
        QCOMPARE(e.window->editor()->textCursor().blockNumber(), 1);

        // The first-line marker moves the first line alone; the whole drag is one undo step.
        e.Drag("FirstIndent", twoCm / 2);
        QVERIFY(qAbs(e.Paragraph(1).textIndent() + twoCm / 2) <= 2 * Pixel);
        QVERIFY(qAbs(e.Paragraph(1).leftMargin() - twoCm) <= Pixel);
        e.window->editor()->undo();
        QVERIFY(qAbs(e.Paragraph(1).textIndent() + twoCm) <= Pixel);
        e.window->editor()->undo();
        QCOMPARE(e.Paragraph(1).leftMargin(), 0.0);
        QCOMPARE(e.Paragraph(1).textIndent(), 0.0);
        QCOMPARE(e.window->editor()->toPlainText(),
                 QStringLiteral("primo paragrafo\nsecondo paragrafo\nterzo paragrafo"));
    }

    void rulerFollowsTheCaret() {
        Editor e;
        e.ShowParagraphs(0);
        auto* ruler = e.Find<RulerWidget>("Ruler");
        ruler->MoveMarker(RulerWidget::Marker::Left, 60);
        ruler->MoveMarker(RulerWidget::Marker::Right, ruler->MarkerPosition(RulerWidget::Marker::Right) - 50);
        QWidget* left = e.Find("LeftIndent");
        QWidget* right = e.Find("RightIndent");
        const QPoint indentedLeft = left->pos();
        const QPoint indentedRight = right->pos();
        e.PutCaret(2);
        QCOMPARE(ruler->MarkerPosition(RulerWidget::Marker::Left), 0.0);
        QCOMPARE(left->x(), indentedLeft.x() - 60);
        QCOMPARE(right->x(), indentedRight.x() + 50);
        QCOMPARE(e.Find("FirstIndent")->x(), left->x());
        e.PutCaret(0);
        QCOMPARE(left->pos(), indentedLeft);
        QCOMPARE(right->pos(), indentedRight);
        QCOMPARE(e.Paragraph(0).rightMargin(), 50.0);
        QCOMPARE(e.Paragraph(2).rightMargin(), 0.0);
    }

    void markersCannotCross() {
        Editor e;
        e.ShowParagraphs(1);
        auto* ruler = e.Find<RulerWidget>("Ruler");
        using M = RulerWidget::Marker;
        const double minimum = RulerWidget::MinimumTextWidthCm * ruler->PixelsPerCentimetre();
        const double width = ruler->MarkerPosition(M::Right);
        QVERIFY(width > 4 * minimum);

        ruler->MoveMarker(M::Left, -40);
        QCOMPARE(ruler->MarkerPosition(M::Left), 0.0);
        ruler->MoveMarker(M::Right, width + 40);
        QCOMPARE(e.Paragraph(1).rightMargin(), 0.0);
        ruler->MoveMarker(M::Right, width / 2);
        const double right = ruler->MarkerPosition(M::Right);
        QVERIFY(qAbs(right - width / 2) <= Pixel);

        // Left and first-line markers stop short of the right one by the minimum text width.
        ruler->MoveMarker(M::Left, width);
        QVERIFY(qAbs(ruler->MarkerPosition(M::Left) - (right - minimum)) <= Pixel);
        ruler->MoveMarker(M::FirstLine, width);
        QVERIFY(qAbs(ruler->MarkerPosition(M::FirstLine) - (right - minimum)) <= Pixel);
        ruler->MoveMarker(M::FirstLine, -10);
        QCOMPARE(ruler->MarkerPosition(M::FirstLine), 0.0);
        ruler->MoveMarker(M::Right, 0);
        QVERIFY(qAbs(ruler->MarkerPosition(M::Right) - (ruler->MarkerPosition(M::Left) + minimum)) <= Pixel);

        // The mouse cannot drag the left marker past the right one either.
        ruler->MoveMarker(M::Left, 0);
        ruler->MoveMarker(M::Right, width / 2);
        e.Drag("LeftIndent", qRound(width));
        QVERIFY(qAbs(ruler->MarkerPosition(M::Left) - (width / 2 - minimum)) <= 2 * Pixel);
        QVERIFY(e.Find("LeftIndent")->x() < e.Find("RightIndent")->x());
        QCOMPARE(e.Paragraph(0).leftMargin(), 0.0);
    }

    void alignmentButtonsSetTheCurrentParagraph() {
        Editor e;
        e.ShowParagraphs(1);
        auto* leftAlign = e.Find<QAction>("LeftAlign");
        auto* center = e.Find<QAction>("CenterAlign");
        auto* rightAlign = e.Find<QAction>("RightAlign");
        QCOMPARE(leftAlign->toolTip(), QStringLiteral("Allinea a Sinistra"));
        QCOMPARE(center->toolTip(), QStringLiteral("Centra"));
        QCOMPARE(rightAlign->toolTip(), QStringLiteral("Allinea a Destra"));
        QVERIFY(leftAlign->isChecked());

        center->trigger();
        QVERIFY(e.Paragraph(1).alignment() & Qt::AlignHCenter);
        QVERIFY(!(e.Paragraph(0).alignment() & Qt::AlignHCenter));
        QVERIFY(!(e.Paragraph(2).alignment() & Qt::AlignHCenter));
        e.PutCaret(2);
        QVERIFY(leftAlign->isChecked());
        rightAlign->trigger();
        QVERIFY(e.Paragraph(2).alignment() & Qt::AlignRight);
        e.PutCaret(1);
        QVERIFY(center->isChecked());
        e.PutCaret(2);
        QVERIFY(rightAlign->isChecked());
        leftAlign->trigger();
        QVERIFY(e.Paragraph(2).alignment() & Qt::AlignLeft);
        QVERIFY(e.Paragraph(1).alignment() & Qt::AlignHCenter);
    }

    void formattingNeverReachesTheSavedLines() {
        Editor e;
        const std::vector<std::string> original{"prima riga", "  seconda, rientrata", "", "caff\xE8 e t\xE8 "};
        ReplaceTextFile(e.folder, "BASEtxt\\prova.txt", original);
        WriteEditorPath(e.folder, "BASEtxt/prova.txt");
        QVERIFY(e.window->OpenFromReference());
        e.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.window.get()));
        e.PutCaret(0);
        auto* ruler = e.Find<RulerWidget>("Ruler");
        ruler->MoveMarker(RulerWidget::Marker::Left, 80);
        ruler->MoveMarker(RulerWidget::Marker::FirstLine, 20);
        e.Find<QAction>("CenterAlign")->trigger();
        e.PutCaret(1);
        ruler->MoveMarker(RulerWidget::Marker::Right, 100);
        e.Find<QAction>("RightAlign")->trigger();
        QVERIFY(e.window->IsModified());
        QVERIFY(e.window->Save());
        QCOMPARE(ReadTextLines(e.folder, "BASEtxt\\prova.txt"), original);
        QVERIFY(!e.window->IsModified());
    }
};

QTEST_MAIN(TextEditorWindowTest)
#include "text_editor_window_test.moc"
