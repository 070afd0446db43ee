// The window base and the message service: errors of any kind stop the action with one Italian
// box and leave the window usable, the window's own boxes do not re-run its activation, Enter
// presses only the focused or the named default button, child windows follow the anchor rule
// inside the screen, and the program's question boxes speak Italian.
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>
#include <new>
#include <stdexcept>

#include "common/data_file_error.hpp"
#include "ui/common/child_windows.hpp"
#include "ui/common/placement.hpp"
#include "ui/common/window.hpp"

using namespace florimant;

namespace {

// A window with a field, a "Annulla" button and an optional default "OK", that counts what happens.
class ProbeWindow : public Window {
public:
    ProbeWindow(AppState& state, Messages& messages, QWidget* parent = nullptr) : Window(state, messages, parent) {
        auto* layout = new QVBoxLayout(this);
        field = new QLineEdit(this);
        cancel = new QPushButton(QStringLiteral("Annulla"), this);
        ok = new QPushButton(QStringLiteral("OK"), this);
        layout->addWidget(field);
        layout->addWidget(cancel);
        layout->addWidget(ok);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        connect(ok, &QPushButton::clicked, this, [this] { ++okClicks; });
    }
    bool Prepare() override {
        ++prepared;
        return prepareSucceeds;
    }
    void Activated() override { ++activations; }

    QLineEdit* field = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* ok = nullptr;
    int prepared = 0;
    bool prepareSucceeds = true;
    int activations = 0;
    int okClicks = 0;
};

struct Probe {
    AppState state{ProgramFolder(std::filesystem::temp_directory_path())};
    RecordedMessages messages;
    ProbeWindow window{state, messages};
};

void MakeActive(QWidget& widget) {
    widget.show();
    QApplication::setActiveWindow(&widget);
    QApplication::processEvents();
}

}  // namespace

class WindowBaseTest : public QObject {
    Q_OBJECT
private slots:
    void guardedCallShowsEveryKindOfErrorOnceInItalian() {
        Probe p;
        QVERIFY(p.window.Guarded([] {}));
        QVERIFY(p.messages.Empty());

        QVERIFY(!p.window.Guarded([] { throw DataFileError("FileSet\\OrbiDomi.stt", "file mancante"); }));
        QVERIFY(!p.window.Guarded([] {
            throw std::filesystem::filesystem_error("copy", std::filesystem::path("/x/BASE.ST1"),
                                                    std::make_error_code(std::errc::no_space_on_device));
        }));
        QVERIFY(!p.window.Guarded([] { throw std::bad_alloc(); }));
        QVERIFY(!p.window.Guarded([] { throw std::logic_error("boom"); }));
        QVERIFY(!p.window.Guarded([] { throw 42; }));
        const QStringList texts = p.messages.Texts(MessageKind::Error);
        QCOMPARE(texts.size(), 5);
        QCOMPARE(texts[0], QStringLiteral("File \"FileSet\\OrbiDomi.stt\": file mancante"));
        QCOMPARE(texts[1], QStringLiteral("Operazione sui file non riuscita: disco pieno (/x/BASE.ST1)"));
        QCOMPARE(texts[2], QStringLiteral("Memoria insufficiente: l'operazione è stata interrotta."));
        QCOMPARE(texts[3], QStringLiteral("Errore imprevisto: boom"));
        QCOMPARE(texts[4], UnknownErrorText());
    }

    void runPreparesPlacesAndStaysClosedWhenPreparingFails() {
        Probe p;
        p.window.prepareSucceeds = false;
        QCOMPARE(p.window.Run(), int(QDialog::Rejected));
        QCOMPARE(p.window.prepared, 1);
        QVERIFY(!p.window.isVisible());

        p.window.prepareSucceeds = true;
        QTimer::singleShot(0, &p.window, [&] {
            QVERIFY(p.window.isVisible());
            p.window.accept();
        });
        QCOMPARE(p.window.Run(), int(QDialog::Accepted));
        QCOMPARE(p.window.prepared, 2);
    }

    void ownBoxesDoNotRerunTheActivation() {
        Probe p;
        QWidget elsewhere;  // stands for the box, then for another program
        MakeActive(p.window);
        QCOMPARE(p.window.activations, 1);

        // The box takes the activation while it is open and hands it back when it closes.
        p.messages.whileShown = [&](const RecordedMessages::Entry&) { MakeActive(elsewhere); };
        p.window.ShowMessage(MessageKind::Error, QStringLiteral("Errore"));
        MakeActive(p.window);
        QCOMPARE(p.window.activations, 1);
        QVERIFY(p.window.Ask(QStringLiteral("Continuare?")) == Answer::No);
        MakeActive(p.window);
        QCOMPARE(p.window.activations, 1);

        // A real return after that counts again.
        p.messages.whileShown = nullptr;
        MakeActive(elsewhere);
        MakeActive(p.window);
        QCOMPARE(p.window.activations, 2);
    }

    void enterPressesOnlyTheFocusedOrTheDefaultButton() {
        Probe p;
        p.window.show();
        p.window.field->setFocus();
        QTest::keyClick(p.window.field, Qt::Key_Return);
        QVERIFY(p.window.isVisible());  // "Annulla" was not pressed
        QCOMPARE(p.window.okClicks, 0);

        p.window.ok->setDefault(true);
        QTest::keyClick(p.window.field, Qt::Key_Enter);
        QCOMPARE(p.window.okClicks, 1);
        QVERIFY(p.window.isVisible());

        p.window.cancel->setFocus();
        QTest::keyClick(p.window.cancel, Qt::Key_Return);
        QVERIFY(!p.window.isVisible());

        p.window.show();
        QTest::keyClick(p.window.field, Qt::Key_Escape);
        QVERIFY(!p.window.isVisible());
    }

    void anchorRuleKeepsChildWindowsOnTheScreen() {
        const QRect main(100, 50, 800, 600);
        const QRect screen(0, 0, 1280, 1024);
        // The bottom-right corner 10 pixels beyond the main window's, by the size taken at activation.
        QCOMPARE(AnchoredPosition(main, QSize(800, 600), QSize(300, 200), 10, screen), QPoint(610, 460));
        QCOMPARE(AnchoredPosition(main, QSize(800, 600), QSize(300, 200), 0, screen), QPoint(600, 450));
        QCOMPARE(AnchoredPosition(main, QSize(), QSize(300, 200), 10, QRect()), QPoint(610, 460));
        // Taller than the main window at the top of the screen: moved down, not cut at the top.
        QCOMPARE(AnchoredPosition(QRect(0, 0, 806, 470), QSize(806, 470), QSize(500, 532), 10, screen), QPoint(316, 0));
        // Past the right and bottom edges: moved back inside; larger than the screen: top-left wins.
        QCOMPARE(AnchoredPosition(QRect(900, 800, 400, 300), QSize(400, 300), QSize(200, 100), 10, screen),
                 QPoint(1080, 924));
        QCOMPARE(AnchoredPosition(main, QSize(800, 600), QSize(2000, 1200), 10, screen), QPoint(0, 0));
    }

    void childWindowsAreMadeOnceOnFirstUse() {
        AppState state(ProgramFolder(std::filesystem::temp_directory_path()));
        RecordedMessages messages;
        QWidget owner;
        ChildWindows children(state, messages, owner);
        QVERIFY(children.Find<ProbeWindow>() == nullptr);
        ProbeWindow& first = children.Get<ProbeWindow>();
        QCOMPARE(&children.Get<ProbeWindow>(), &first);
        QCOMPARE(children.Find<ProbeWindow>(), &first);
        QCOMPARE(first.parentWidget(), &owner);
    }

    void questionBoxesSpeakItalian() {
        BoxMessages messages;
        QWidget over;
        over.setWindowTitle(QStringLiteral("Registrazione Dati Nascita"));
        QStringList captions;
        QString title;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            title = box->windowTitle();
            for (QAbstractButton* button : box->buttons()) captions << button->text();
            for (QAbstractButton* button : box->buttons())
                if (button->text() == QStringLiteral("Sì")) button->click();
        });
        QVERIFY(messages.Ask(&over, QStringLiteral("Registrare?"), Choices::YesNoCancel) == Answer::Yes);
        captions.sort();
        QCOMPARE(captions, (QStringList{QStringLiteral("Annulla"), QStringLiteral("No"), QStringLiteral("Sì")}));
        QCOMPARE(title, QStringLiteral("Registrazione Dati Nascita"));

        // Escape answers No where there is no Cancel.
        QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
        QVERIFY(messages.Ask(&over, QStringLiteral("Eliminare?"), Choices::YesNo, Answer::No) == Answer::No);
    }

    void recordedQuestionsTakeTheirAnswersInTurn() {
        RecordedMessages messages;
        messages.answers = {Answer::Yes, Answer::Cancel};
        QVERIFY(messages.Ask(nullptr, QStringLiteral("a"), Choices::YesNoCancel, Answer::Yes, MessageKind::Question) ==
                Answer::Yes);
        // A Cancel given to a Yes/No question is its No.
        QVERIFY(messages.Ask(nullptr, QStringLiteral("b"), Choices::YesNo, Answer::Yes, MessageKind::Question) ==
                Answer::No);
        QVERIFY(messages.Ask(nullptr, QStringLiteral("c"), Choices::YesNo, Answer::Yes, MessageKind::Question) ==
                messages.fallback);
        QCOMPARE(messages.Texts(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
        QVERIFY(messages.entries[1].question);
    }
};

QTEST_MAIN(WindowBaseTest)
#include "window_base_test.moc"
