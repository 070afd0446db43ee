// The orb editor on a copy of the installation: loading, idle-time validation, adoption and what
// closing writes.
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

#include "common/file_io.hpp"
#include "common/number_text.hpp"
#include "common/settings_number.hpp"
#include "support/window_test.hpp"
#include "ui/settings/orb_editor_window.hpp"

using namespace florimant;
namespace fs = std::filesystem;

namespace {

struct Editor : ProgramCopy {
    OrbEditorWindow* window = nullptr;
    std::unique_ptr<OrbEditorWindow> owner;

    Editor() {
        state.Orbs = LoadActiveOrbs(state.Folder);
        owner = std::make_unique<OrbEditorWindow>(state, messages);
        window = owner.get();
        window->Prepare();
        window->show();
    }
    QLineEdit* Field(const char* name) {
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        if (field == nullptr) qFatal("field %s missing", name);
        return field;
    }
    QPushButton* Button(const char* name) { return window->findChild<QPushButton*>(QString::fromLatin1(name)); }
    void Type(const char* name, const QString& text) {
        auto* field = Field(name);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    Real Number(std::string_view path, size_t line) { return ParseLeadingReal(Lines(path).at(line - 1)).value(); }
};

}  // namespace

class OrbEditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheStoredSets() {
        Editor editor;
        const OrbSets sets = LoadOrbSets(editor.state.Folder);
        QCOMPARE(editor.Field("EditB1")->text(),
                 QString::number(double(sets.Sets[1].Orbs[0])).replace(QLatin1Char('.'), QLatin1Char(',')));
        QCOMPARE(editor.Field("EditSet")->text(), QStringLiteral("A"));
        QVERIFY(editor.Button("BBritorna")->isEnabled());
        QVERIFY(editor.Field("EditParalleli")->isHidden() || !editor.Field("EditParalleli")->isVisible());
    }

    void validatesAtIdleTime() {
        Editor editor;
        auto* ret = editor.Button("BBritorna");
        editor.Type("EditB2", QStringLiteral("abc"));
        QVERIFY(!ret->isEnabled());
        QTRY_VERIFY(editor.Field("EditB2")->styleSheet().contains(QStringLiteral("red")));
        QVERIFY(!ret->isEnabled());

        editor.Type("EditB2", QStringLiteral("16"));
        QTRY_VERIFY(editor.Field("EditB2")->text().isEmpty());
        QVERIFY(!editor.window->AllFieldsValid());

        editor.Type("EditB2", QStringLiteral(" 2.5 "));
        QTRY_COMPARE(editor.Field("EditB2")->text(), QStringLiteral("2,5"));
        QVERIFY(editor.Field("EditB2")->styleSheet().contains(QStringLiteral("aqua")));
        QVERIFY(ret->isEnabled());

        // The hidden fields allow at most 6 degrees.
        editor.Type("EditAntiscia", QStringLiteral("6,5"));
        QTRY_VERIFY(editor.Field("EditAntiscia")->text().isEmpty());
        QVERIFY(!ret->isEnabled());
    }

    void refusedAdoptionAndCloseWriteNothing() {
        Editor editor;
        const auto sets = ReadWholeFile(editor.state.Folder, OrbSetsFile);
        const auto active = ReadWholeFile(editor.state.Folder, ActiveOrbFile);
        editor.Type("EditC1", QStringLiteral("x"));
        QTest::mouseClick(editor.Button("BBadottaC"), Qt::LeftButton);
        QCOMPARE(editor.messages.Texts(), QStringList{QStringLiteral("Errore Impostazione Orbite")});
        editor.window->reject();
        QVERIFY(!editor.window->isVisible());
        QCOMPARE(ReadWholeFile(editor.state.Folder, OrbSetsFile), sets);
        QCOMPARE(ReadWholeFile(editor.state.Folder, ActiveOrbFile), active);
    }

    void adoptionWritesBothFiles() {
        Editor editor;
        QSignalSpy adopted(editor.window, &OrbEditorWindow::OrbSetAdopted);
        editor.Type("EditB1", QStringLiteral("3,5"));
        QTest::mouseClick(editor.Button("BBadottaB"), Qt::LeftButton);
        QCOMPARE(adopted.count(), 1);
        QCOMPARE(editor.Lines(OrbSetsFile).at(48), std::string("B"));
        QCOMPARE(editor.Number(OrbSetsFile, 17), Real(3.5));
        QCOMPARE(editor.Number(ActiveOrbFile, 1), Real(3.5));
        QCOMPARE(editor.Lines(ActiveOrbFile).at(18), std::string("B"));
        QCOMPARE(editor.Lines(ActiveOrbFile).at(16), std::string("PLACIDO"));
        QCOMPARE(editor.state.Orbs.Letter, 'B');
        QCOMPARE(editor.Field("EditSet")->text(), QStringLiteral("B"));

        // Adopting A keeps the edits of C as well, and set A's orbs are the fixed ones.
        editor.Type("EditC14", QStringLiteral("7"));
        QTest::mouseClick(editor.Button("BBadottaA"), Qt::LeftButton);
        QCOMPARE(editor.Number(OrbSetsFile, 46), Real(7));
        QCOMPARE(editor.Lines(OrbSetsFile).at(0), std::string("10"));
        QCOMPARE(editor.Number(ActiveOrbFile, 1), Real(10));
        QCOMPARE(editor.Number(ActiveOrbFile, 14), Real(9));
        QCOMPARE(editor.state.Orbs.Letter, 'A');
        QVERIFY(editor.messages.Empty());
    }

    void closingStoresTheEditsUnderTheMarkedSet() {
        Editor editor;
        editor.Type("EditC3", QStringLiteral("1,25"));
        QTest::mouseClick(editor.Button("BBritorna"), Qt::LeftButton);
        QTRY_VERIFY(editor.Button("BBritorna")->isEnabled());
        QTest::mouseClick(editor.Button("BBritorna"), Qt::LeftButton);
        QVERIFY(!editor.window->isVisible());
        QCOMPARE(editor.Number(OrbSetsFile, 35), Real(1.25));
        QCOMPARE(editor.Lines(OrbSetsFile).at(48), std::string("A"));
        QCOMPARE(editor.state.Orbs.Letter, 'A');
    }
};

QTEST_MAIN(OrbEditorWindowTest)
#include "orb_editor_window_test.moc"
