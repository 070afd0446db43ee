#include "ui/settings/orb_editor_window.hpp"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <charconv>

#include "common/number_text.hpp"
#include "common/settings_number.hpp"
#include "ui/common/styles.hpp"

namespace florimant {
namespace {

constexpr std::array<const char*, AspectKindCount> RowLabels{
    "Congiunzione", "SemiSestile", "Decile",  "Novile",      "SemiQuadrato", "Settile",   "Sestile",
    "Quintile",     "Quadrato",    "Trigono", "SesquiQuadr", "BiQuintile",   "Quinconce", "Opposizione"};
constexpr std::array<const char*, AspectKindCount> RowAngles{"0°",  "30°", "36°",  "40°",  "45°",  "360°:7", "60°",
                                                             "72°", "90°", "120°", "135°", "144°", "150°",   "180°"};
constexpr std::array<int, AspectKindCount> FixedOrbs{10, 1, 1, 1, 1, 1, 4, 1, 6, 8, 1, 1, 1, 9};
constexpr Real AspectLimit = 15;
constexpr Real HiddenLimit = 6;

// The first 7 characters of the shortest decimal text, with a decimal comma.
QString FieldText(Real value) {
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<double>(value)).ptr;
    QString text = QString::fromLatin1(buffer, int(end - buffer)).left(7);
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

bool IsMajor(int row) {
    const int kind = EditorRowToAspect[size_t(row)];
    return kind <= static_cast<int>(AspectKind::Opposizione);
}

// Checks one field as the user left it: trims it, writes the number back with a decimal comma,
// empties it when out of range, and colours it.
bool ValidateField(QLineEdit* field, Real limit) {
    QString text = field->text().trimmed();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    const auto value = ParseWholeReal(text.toStdString());
    bool valid = value.has_value();
    if (valid) {
        const int caret = field->cursorPosition();
        text.replace(QLatin1Char('.'), QLatin1Char(','));
        if (field->text() != text) field->setText(text);
        field->setCursorPosition(std::min(caret, int(text.size())));
        if (*value < 0 || *value > limit) {
            field->clear();
            valid = false;
        }
    }
    field->setStyleSheet(valid ? AquaStyle : RedStyle);
    return valid;
}

Real FieldValue(const QLineEdit* field) {
    QString text = field->text();
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    return ParseWholeReal(text.toStdString()).value_or(0);
}

}  // namespace

OrbEditorWindow::OrbEditorWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent) {
    setObjectName(QStringLiteral("OrbEditorWindow"));
    setWindowTitle(QStringLiteral("Variaz Orbite Aspetti"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(0);
    connect(&idleTimer_, &QTimer::timeout, this, [this] { Guarded([this] { ValidateFields(); }); });

    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    // Each set's column sits in a frame; the frame of the marked set is drawn.
    for (int c = 0; c < 3; ++c) {
        auto* frame = new QFrame(this);
        frame->setObjectName(QStringLiteral("FrameSet%1").arg(QChar('A' + c)));
        grid->addWidget(frame, 0, 2 + c, AspectKindCount + 3, 1);
        columnFrames_[size_t(c)] = frame;
    }
    grid->addWidget(new QLabel(QStringLiteral("Orbite\nstandard"), this), 0, 2, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Orbite\nalternative"), this), 0, 3, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Orbite\nalternative"), this), 0, 4, Qt::AlignCenter);
    for (int r = 0; r < AspectKindCount; ++r) {
        auto* label = new QLabel(QString::fromUtf8(RowLabels[size_t(r)]), this);
        if (IsMajor(r)) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
        grid->addWidget(label, r + 1, 0);
        grid->addWidget(new QLabel(QString::fromUtf8(RowAngles[size_t(r)]), this), r + 1, 1);
        grid->addWidget(new QLabel(QStringLiteral("± %1").arg(FixedOrbs[size_t(r)]), this), r + 1, 2, Qt::AlignCenter);
        for (int c = 0; c < 2; ++c) {
            auto* field = new QLineEdit(this);
            field->setObjectName(QStringLiteral("Edit%1%2").arg(QChar('B' + c)).arg(r + 1));
            field->setFixedWidth(64);
            connect(field, &QLineEdit::textEdited, this, [this] { FieldChanged(false); });
            grid->addWidget(field, r + 1, 3 + c, Qt::AlignCenter);
            (c == 0 ? fieldsB_ : fieldsC_)[size_t(r)] = field;
        }
    }
    for (int c = 0; c < 3; ++c) {
        const char letter = char('A' + c);
        auto* adopt = new QPushButton(QStringLiteral("Adotta"), this);
        adopt->setObjectName(QStringLiteral("BBadotta%1").arg(QChar(letter)));
        connect(adopt, &QPushButton::clicked, this, [this, letter] { Guarded([this, letter] { Adopt(letter); }); });
        grid->addWidget(adopt, AspectKindCount + 1, 2 + c, Qt::AlignCenter);
    }

    auto* note = new QHBoxLayout;
    for (const char* text : {"Valore", "Massimo", "Orbite", "± 15°"})
        note->addWidget(new QLabel(QString::fromUtf8(text), this));
    note->addStretch();
    note->addWidget(new QLabel(QStringLiteral("Set in uso"), this));
    letterField_ = new QLineEdit(this);
    letterField_->setObjectName(QStringLiteral("EditSet"));
    letterField_->setReadOnly(true);
    letterField_->setFixedWidth(32);
    note->addWidget(letterField_);
    outer->addLayout(note);

    // The parallel and antiscia orbs are kept and checked but not offered to the user.
    auto* hidden = new QFrame(this);
    hidden->setObjectName(QStringLiteral("PanelNascosto"));
    auto* hiddenGrid = new QGridLayout(hidden);
    parallel_ = new QLineEdit(hidden);
    parallel_->setObjectName(QStringLiteral("EditParalleli"));
    antiscia_ = new QLineEdit(hidden);
    antiscia_->setObjectName(QStringLiteral("EditAntiscia"));
    for (auto* field : {parallel_, antiscia_})
        connect(field, &QLineEdit::textEdited, this, [this] { FieldChanged(true); });
    hiddenGrid->addWidget(parallel_, 0, 0);
    hiddenGrid->addWidget(antiscia_, 0, 1);
    hiddenGrid->addWidget(new QLabel(QStringLiteral("Per queste orbite"), hidden), 1, 0, 1, 2);
    hiddenGrid->addWidget(new QLabel(QStringLiteral("non sono accettati valori"), hidden), 2, 0, 1, 2);
    hiddenGrid->addWidget(new QLabel(QStringLiteral("superiori a ± 6°,00"), hidden), 3, 0, 1, 2);
    hidden->setVisible(false);
    outer->addWidget(hidden);

    returnButton_ = new QPushButton(QStringLiteral("Ritorna a Menu Principale"), this);
    returnButton_->setObjectName(QStringLiteral("BBritorna"));
    connect(returnButton_, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(returnButton_);
}

void OrbEditorWindow::LoadFromFiles() {
    Guarded([this] {
        const OrbSets sets = LoadOrbSets(state().Folder);
        for (int r = 0; r < AspectKindCount; ++r) {
            const size_t kind = size_t(EditorRowToAspect[size_t(r)]);
            fieldsB_[size_t(r)]->setText(FieldText(sets.Sets[1].Orbs[kind]));
            fieldsC_[size_t(r)]->setText(FieldText(sets.Sets[2].Orbs[kind]));
        }
        parallel_->setText(FieldText(sets.Sets[1].ParallelOrb));
        antiscia_->setText(FieldText(sets.Sets[1].AntisciaOrb));
        MarkColumn(sets.Letter);
        state().Orbs = LoadActiveOrbs(state().Folder);
    });
    letterField_->setText(QString(QChar(state().Orbs.Letter)));
    ValidateFields();
}

bool OrbEditorWindow::Prepare() {
    LoadFromFiles();
    hiddenUnchanged_ = true;
    return true;
}

void OrbEditorWindow::MarkColumn(char letter) {
    markedLetter_ = NormalizeOrbSetLetter(letter);
    for (int c = 0; c < 3; ++c)
        columnFrames_[size_t(c)]->setStyleSheet(
            char('A' + c) == markedLetter_ ? QStringLiteral("QFrame { border: 2px solid navy; }") : QString());
}

void OrbEditorWindow::FieldChanged(bool hidden) {
    allValid_ = false;
    if (hidden) hiddenUnchanged_ = false;
    returnButton_->setEnabled(false);
    idleTimer_.start();
}

void OrbEditorWindow::ValidateFields() {
    bool valid = true;
    for (auto* field : fieldsB_) valid = ValidateField(field, AspectLimit) && valid;
    for (auto* field : fieldsC_) valid = ValidateField(field, AspectLimit) && valid;
    valid = ValidateField(parallel_, HiddenLimit) && valid;
    valid = ValidateField(antiscia_, HiddenLimit) && valid;
    allValid_ = valid;
    returnButton_->setEnabled(valid);
    letterField_->setText(QString(QChar(state().Orbs.Letter)));
}

OrbSets OrbEditorWindow::SetsFromFields(char letter) const {
    OrbSets sets;
    sets.Sets[0] = FixedOrbSetA();
    for (int r = 0; r < AspectKindCount; ++r) {
        const size_t kind = size_t(EditorRowToAspect[size_t(r)]);
        sets.Sets[1].Orbs[kind] = FieldValue(fieldsB_[size_t(r)]);
        sets.Sets[2].Orbs[kind] = FieldValue(fieldsC_[size_t(r)]);
    }
    for (auto& set : sets.Sets) {
        set.ParallelOrb = FieldValue(parallel_);
        set.AntisciaOrb = FieldValue(antiscia_);
    }
    sets.Letter = letter;
    return sets;
}

void OrbEditorWindow::Adopt(char letter) {
    if (idleTimer_.isActive()) {
        idleTimer_.stop();
        ValidateFields();
    }
    if (!allValid_) {
        ShowMessage(MessageKind::Information, QStringLiteral("Errore Impostazione Orbite"));
        return;
    }
    Guarded([&] {
        letterField_->setText(QString(QChar(letter)));
        const OrbSets sets = SetsFromFields(letter);
        SaveOrbSets(state().Folder, sets, true);
        LoadFromFiles();
        hiddenUnchanged_ = false;  // the reload rewrote the hidden fields
        ActiveOrbTable table = state().Orbs;
        table.Values = sets.Sets[size_t(letter - 'A')];
        table.Letter = letter;
        SaveActiveOrbs(state().Folder, table);
        state().Orbs = LoadActiveOrbs(state().Folder);
        letterField_->setText(QString(QChar(state().Orbs.Letter)));
        emit OrbSetAdopted(letter);
    });
}

void OrbEditorWindow::done(int result) {
    if (idleTimer_.isActive()) {
        idleTimer_.stop();
        ValidateFields();
    }
    if (allValid_) {
        Guarded([this] {
            SaveOrbSets(state().Folder, SetsFromFields(markedLetter_), true);
            const QString letter = letterField_->text();
            if (!hiddenUnchanged_ && !letter.isEmpty()) Adopt(letter.at(0).toLatin1());
        });
    }
    QDialog::done(result);
}

}  // namespace florimant
