// The saved-picture viewer: sized by the picture's recorded orientation, the picture stretched over
// the window; a missing or damaged picture is refused with a message.
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>

#include "common/file_io.hpp"
#include "drawing/emf_device.hpp"
#include "ui/common/messages.hpp"
#include "ui/sheets/picture_viewer_window.hpp"

using namespace florimant;

namespace {

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

class PictureViewerWindowTest : public QObject {
    Q_OBJECT
private slots:
    void drawsThePictureOverTheWindow() {
        QTemporaryDir dir;
        AppState state(ProgramFolder(dir.path().toStdString()));
        const ProgramFolder& folder = state.Folder;
        RecordedMessages messages;
        std::vector<std::string> lines(15, std::string(1, 'P'));
        lines[1] = std::string(1, 'L');
        ReplaceTextFile(folder, "Emf\\TipGraf.Set", lines);
        // A picture filled black in its whole frame.
        EmfDevice emf(100, 100);
        emf.SetBrush(Brush{Colour{0, 0, 0}});
        emf.SetPen(Pen{Colour{0, 0, 0}, 1, PenStyle::Solid});
        emf.Rectangle(DeviceRect{0, 0, 100, 100});
        emf.Save(folder.Resolve("Emf\\GRAF02.EMF"));

        PictureViewerWindow viewer(state, messages);
        QVERIFY(viewer.ShowPicture(QStringLiteral("GRAF02.EMF")));
        QCOMPARE(viewer.width(), 660);
        QCOMPARE(viewer.height(), 510);
        QVERIFY(viewer.windowTitle().endsWith(QStringLiteral("GRAF02.EMF   ")));
        auto* close = viewer.findChild<QPushButton*>(QStringLiteral("BBClose"));
        QCOMPARE(close->geometry().right(), viewer.width() - 9);
        QImage image = viewer.grab().toImage();
        QCOMPARE(image.pixelColor(330, 100), QColor(Qt::black));

        QVERIFY(messages.Empty());

        // A picture never exported, or damaged, is not shown: the viewer says why.
        QVERIFY(!viewer.ShowPicture(QStringLiteral("GRAF03.EMF")));
        QCOMPARE(viewer.fileName(), QStringLiteral("GRAF02.EMF"));
        QVERIFY(messages.Texts(MessageKind::Error).join("").contains(QStringLiteral("GRAF03.EMF")));
        messages.Clear();
        WriteFileBytes(folder.Resolve("Emf\\GRAF04.EMF"), std::string(200, 'x'));
        QVERIFY(!viewer.ShowPicture(QStringLiteral("GRAF04.EMF")));
        QVERIFY(messages.Texts(MessageKind::Error).join("").contains(QStringLiteral("danneggiata")));
        // Nor without the orientation file, which says how to size it.
        messages.Clear();
        std::filesystem::remove(folder.Resolve("Emf\\TipGraf.Set"));
        QVERIFY(!viewer.ShowPicture(QStringLiteral("GRAF02.EMF")));
        QVERIFY(messages.Texts(MessageKind::Error).join("").contains(QStringLiteral("TipGraf.Set")));
    }
};

QTEST_MAIN(PictureViewerWindowTest)
#include "picture_viewer_window_test.moc"
