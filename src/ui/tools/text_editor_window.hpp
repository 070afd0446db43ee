#pragma once
#include <filesystem>
#include <functional>

#include "ui/common/window.hpp"

class QActionGroup;
class QFontComboBox;
class QLabel;
class QSpinBox;
class QTextEdit;

namespace florimant {

class RulerWidget;

// The subject text editor: the plain text named by "FileDum\DatModif.dum", in Windows-1252 lines,
// with saving, printing, fonts for the session, and a question before changes are lost.
class TextEditorWindow : public Window {
    Q_OBJECT
public:
    TextEditorWindow(AppState& state, Messages& messages, QWidget* parent = nullptr);

    // The name chosen for "salva come"; tests replace the file dialog.
    using SaveNameHook = std::function<QString()>;
    void SetSaveNameHook(SaveNameHook hook) { saveName_ = std::move(hook); }

    // Loads the text named by "FileDum\DatModif.dum", as every opening does.
    bool OpenFromReference();
    bool Prepare() override { return OpenFromReference(); }
    bool Load(const std::filesystem::path& path);
    bool Save();
    bool SaveAs();
    void NewText();
    bool IsModified() const;
    const std::filesystem::path& currentFile() const { return file_; }
    QTextEdit* editor() const { return text_; }

    void done(int result) override;

private:
    bool Write(const std::filesystem::path& path);
    bool AskToKeepChanges();  // false when the user cancels
    void UpdateTitle();
    void UpdateStatus();
    void Print();

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
