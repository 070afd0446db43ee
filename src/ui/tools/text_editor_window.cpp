#include "ui/tools/text_editor_window.hpp"

#include <QActionGroup>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

#include "archive/current_subject.hpp"
#include "common/cp1252.hpp"
#include "common/data_file_error.hpp"
#include "common/file_io.hpp"
#include "ui/common/button_pictures.hpp"
#include "ui/tools/ruler_widget.hpp"

namespace florimant {
namespace fs = std::filesystem;

namespace {
const QString Untitled = QStringLiteral("Untitled");
}

TextEditorWindow::TextEditorWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent) {
    setObjectName(QStringLiteral("TextEditorWindow"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFont(QFont(QStringLiteral("Arial Narrow"), 12));
    saveName_ = [this] {
        const QString start = QString::fromStdString(this->state().Folder.Resolve("MieiTesti").string());
        QFileDialog dialog(this, QStringLiteral("salva come"), start, QStringLiteral("Testi (*.txt *.TXT)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("TXT"));
        dialog.setOption(QFileDialog::DontConfirmOverwrite);  // the editor asks its own question
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* menus = new QMenuBar(this);
    layout->setMenuBar(menus);
    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("RichEdit1"));
    text_->setFont(QFont(QStringLiteral("Courier New")));

    QMenu* file = menus->addMenu(QStringLiteral("&File"));
    QAction* newAction = file->addAction(QStringLiteral("&Nuovo"), this, [this] {
        if (AskToKeepChanges()) NewText();
    });
    QAction* openAction = file->addAction(QStringLiteral("&Apri..."), this, [this] {
        if (!AskToKeepChanges()) return;
        const QString name = QFileDialog::getOpenFileName(
            this, QStringLiteral("Apri"), QString::fromStdString(this->state().Folder.Resolve("MieiTesti").string()),
            QStringLiteral("Testi (*.txt *.TXT)"));
        if (!name.isEmpty()) Load(name.toStdString());
    });
    QAction* saveAction = file->addAction(QStringLiteral("&Salva"), this, [this] { Guarded([this] { Save(); }); });
    file->addAction(QStringLiteral("salva come"), this, [this] { Guarded([this] { SaveAs(); }); });
    QAction* printAction = file->addAction(QStringLiteral("Stam&Pa"), this, &TextEditorWindow::Print);
    file->addAction(QStringLiteral("Fine E&Xit"), this, &QDialog::close);
    QMenu* edit = menus->addMenu(QStringLiteral("&Modifica"));
    QAction* undoAction = edit->addAction(QStringLiteral("&Annulla"), text_, &QTextEdit::undo);
    QAction* cutAction = edit->addAction(QStringLiteral("&Taglia"), text_, &QTextEdit::cut);
    QAction* copyAction = edit->addAction(QStringLiteral("&Copia"), text_, &QTextEdit::copy);
    QAction* pasteAction = edit->addAction(QStringLiteral("&Incolla"), text_, &QTextEdit::paste);
    edit->addAction(QStringLiteral("&Font..."), this, [this] {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, text_->currentFont(), this);
        if (ok) text_->setCurrentFont(font);
    });

    auto* tools = new QToolBar(this);
    const auto tool = [&](QAction* action, const char* picture, const char* hint) {
        action->setIcon(ButtonPicture(QString::fromLatin1(picture)));
        action->setToolTip(QString::fromUtf8(hint));
        tools->addAction(action);
    };
    tool(newAction, "Nuovo", "Crea Nuovo File");
    tool(openAction, "Apri", "Apri un File Esistente");
    tool(saveAction, "Salva", "Salva il File Attuale");
    tool(printAction, "Stampa", "Stampa il File Attuale");
    tool(cutAction, "Taglia", "Elimina Parte Selezionata");
    tool(copyAction, "Copia", "Copia Parte Selezionata");
    tool(pasteAction, "Incolla", "Incolla");
    tool(undoAction, "Annulla", "Annulla Ultima Operazione");
    // Alignment of the current paragraph; the checked button follows the caret.
    tools->addSeparator();
    auto* alignments = new QActionGroup(this);
    const auto alignment = [&](const char* name, const char* picture, const char* hint, Qt::Alignment align) {
        QAction* action = tools->addAction(ButtonPicture(QString::fromLatin1(picture)), QString::fromUtf8(hint));
        action->setObjectName(QString::fromLatin1(name));
        action->setToolTip(QString::fromUtf8(hint));
        action->setCheckable(true);
        alignments->addAction(action);
        connect(action, &QAction::triggered, this, [this, align] { text_->setAlignment(align); });
    };
    alignment("LeftAlign", "AllineaSinistra", "Allinea a Sinistra", Qt::AlignLeft | Qt::AlignAbsolute);
    alignment("CenterAlign", "Centra", "Centra", Qt::AlignHCenter);
    alignment("RightAlign", "AllineaDestra", "Allinea a Destra", Qt::AlignRight | Qt::AlignAbsolute);
    alignments_ = alignments;
    tools->addSeparator();
    fontName_ = new QFontComboBox(tools);
    fontName_->setObjectName(QStringLiteral("FontName"));
    fontName_->setToolTip(QStringLiteral("Nome del Font"));
    fontSize_ = new QSpinBox(tools);
    fontSize_->setObjectName(QStringLiteral("FontSize"));
    fontSize_->setRange(6, 72);
    fontSize_->setToolTip(QStringLiteral("Grandezza Font"));
    fontName_->setCurrentFont(text_->font());
    fontSize_->setValue(text_->font().pointSize() > 0 ? text_->font().pointSize() : 10);
    tools->addWidget(fontName_);
    tools->addWidget(fontSize_);
    connect(fontName_, &QFontComboBox::currentFontChanged, this,
            [this](const QFont& font) { text_->setFontFamily(font.family()); });
    connect(fontSize_, &QSpinBox::valueChanged, this, [this](int size) { text_->setFontPointSize(size); });
    layout->addWidget(tools);
    ruler_ = new RulerWidget(text_, this);
    layout->addWidget(ruler_);
    layout->addWidget(text_, 1);

    auto* status = new QStatusBar(this);
    position_ = new QLabel(status);
    position_->setObjectName(QStringLiteral("StatusPosition"));
    modified_ = new QLabel(status);
    modified_->setObjectName(QStringLiteral("StatusModified"));
    status->addWidget(position_);
    status->addWidget(modified_);
    layout->addWidget(status);
    connect(text_, &QTextEdit::cursorPositionChanged, this, &TextEditorWindow::UpdateStatus);
    connect(text_->document(), &QTextDocument::modificationChanged, this, &TextEditorWindow::UpdateStatus);
    resize(640, 480);
    UpdateTitle();
    UpdateStatus();
}

bool TextEditorWindow::IsModified() const { return text_->document()->isModified(); }

void TextEditorWindow::UpdateTitle() {
    if (file_.empty()) {
        setWindowTitle(Untitled);
        return;
    }
    const QString name = QString::fromStdString(file_.filename().string());
    // Texts of the charts and tables live with the program; their title says so.
    const bool programText = name.startsWith(QStringLiteral("Tema"), Qt::CaseInsensitive) ||
                             name.startsWith(QStringLiteral("TAB"), Qt::CaseInsensitive);
    setWindowTitle(programText ? QString::fromStdString((state().Folder.root() / "MieiTesti").string()) +
                                     QLatin1Char('/') + name
                               : name);
}

void TextEditorWindow::UpdateStatus() {
    const QTextCursor cursor = text_->textCursor();
    position_->setText(
        QString::asprintf("Line: %3d   Col: %3d", cursor.blockNumber() + 1, cursor.positionInBlock() + 1));
    modified_->setText(IsModified() ? QStringLiteral("Modified") : QString());
    // Centred and right-aligned paragraphs check their button; anything else counts as left.
    const Qt::Alignment align = text_->alignment();
    const char* current = (align & Qt::AlignHCenter) ? "CenterAlign"
                          : (align & Qt::AlignRight) ? "RightAlign"
                                                     : "LeftAlign";
    for (QAction* action : alignments_->actions())
        if (action->objectName() == QLatin1String(current)) action->setChecked(true);
}

bool TextEditorWindow::OpenFromReference() {
    bool loaded = false;
    Guarded([&] {
        const auto lines = ReadTextLines(state().Folder, EditorPathFile);
        if (lines.empty() || lines.front().empty())
            throw DataFileError(std::string(EditorPathFile), "nessun testo indicato");
        loaded = Load(state().Folder.Resolve(Cp1252ToUtf8(lines.front())));
    });
    return loaded;
}

bool TextEditorWindow::Load(const fs::path& path) {
    // A file that cannot be read leaves the previous text in place.
    QStringList text;
    if (!Guarded([&] {
            const ProgramFolder where(path.parent_path());
            for (const auto& line : ReadTextLines(where, path.filename().string()))
                text << QString::fromStdString(Cp1252ToUtf8(line));
        }))
        return false;
    text_->setPlainText(text.join(QLatin1Char('\n')));
    file_ = path;
    text_->document()->setModified(false);
    UpdateTitle();
    text_->setFocus();
    UpdateStatus();
    return true;
}

bool TextEditorWindow::Write(const fs::path& path) {
    std::vector<std::string> lines;
    for (QTextBlock block = text_->document()->begin(); block.isValid(); block = block.next())
        lines.push_back(Utf8ToCp1252(block.text().toStdString()));
    if (!Guarded([&] { ReplaceTextFile(ProgramFolder(path.parent_path()), path.filename().string(), lines); }))
        return false;
    text_->document()->setModified(false);
    return true;
}

bool TextEditorWindow::Save() { return file_.empty() ? SaveAs() : Write(file_); }

bool TextEditorWindow::SaveAs() {
    const QString name = saveName_();
    if (name.isEmpty()) return false;
    const fs::path path = name.toStdString();
    if (fs::exists(path) && Ask(QStringLiteral("OK to overwrite %1").arg(name), Choices::YesNoCancel, Answer::No,
                                MessageKind::Warning) != Answer::Yes)
        return false;
    if (!Write(path)) return false;
    file_ = path;
    UpdateTitle();
    return true;
}

void TextEditorWindow::NewText() {
    text_->clear();
    file_.clear();
    text_->document()->setModified(false);
    UpdateTitle();
}

bool TextEditorWindow::AskToKeepChanges() {
    if (!IsModified()) return true;
    const QString name = file_.empty() ? Untitled : QString::fromStdString(file_.string());
    switch (Ask(QStringLiteral("Save changes to %1?").arg(name), Choices::YesNoCancel)) {
    case Answer::Yes: return Save();
    case Answer::No: return true;
    case Answer::Cancel: return false;
    }
    return false;
}

void TextEditorWindow::done(int result) {
    if (!AskToKeepChanges()) return;  // Cancel keeps the window and its text
    QDialog::done(result);
}

void TextEditorWindow::Print() {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) text_->print(&printer);
}

}  // namespace florimant
