#pragma once
#include <filesystem>
#include <functional>

#include <QDialog>
#include <QMessageBox>

#include "common/program_folder.hpp"

class QActionGroup;
class QFontComboBox;
class QLabel;
class QSpinBox;
class QTextEdit;

namespace florimant {

class RulerWidget;

// The subject text editor: the plain text named by "FileDum\DatModif.dum", in Windows-1252 lines,
// with saving, printing, fonts for the session, and a question before changes are lost.
class TextEditorWindow : public QDialog {
    Q_OBJECT
public:
    explicit TextEditorWindow(const ProgramFolder& folder, QWidget* parent = nullptr);

    // Questions (Yes / No / Cancel) and the name chosen for "salva come"; tests replace them.
    using QuestionHook = std::function<QMessageBox::StandardButton(const QString& text)>;
    using SaveNameHook = std::function<QString()>;
    void SetQuestionHook(QuestionHook hook) { question_ = std::move(hook); }
    void SetSaveNameHook(SaveNameHook hook) { saveName_ = std::move(hook); }

    // Loads the text named by "FileDum\DatModif.dum", as every opening does.
    bool OpenFromReference();
    bool Load(const std::filesystem::path& path);
    bool Save();
    bool SaveAs();
    void NewText();
    bool IsModified() const;
    const std::filesystem::path& currentFile() const { return file_; }
    QTextEdit* editor() const { return text_; }

    void done(int result) override;

signals:
    void MessageShown(const QString& text);

private:
    bool Write(const std::filesystem::path& path);
    bool AskToKeepChanges();  // false when the user cancels
    void UpdateTitle();
    void UpdateStatus();
    void ShowMessage(const QString& text);
    void Print();

    const ProgramFolder& folder_;
    QuestionHook question_;
    SaveNameHook saveName_;
    std::filesystem::path file_;  // empty: "Untitled"
    QTextEdit* text_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* modified_ = nullptr;
    QFontComboBox* fontName_ = nullptr;
    QSpinBox* fontSize_ = nullptr;
    QActionGroup* alignments_ = nullptr;
    RulerWidget* ruler_ = nullptr;
};

}  // namespace florimant
