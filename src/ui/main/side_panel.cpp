#include "ui/main/side_panel.hpp"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "analysis/orb_settings.hpp"
#include "ui/common/app_state.hpp"
#include "ui/common/button_pictures.hpp"
#include "ui/common/feedback.hpp"
#include "ui/common/styles.hpp"

namespace florimant {

SidePanel::SidePanel(AppState& state, Feedback& feedback, QWidget* parent)
    : QWidget(parent), state_(state), feedback_(feedback) {
    setObjectName(QStringLiteral("Panel9"));
    setFixedWidth(170);
    idleTimer_.setSingleShot(true);
    idleTimer_.setInterval(0);
    connect(&idleTimer_, &QTimer::timeout, this, [this] { feedback_.Guarded([this] { RunIdle(); }); });

    auto* side = new QVBoxLayout(this);
    side->addWidget(new QLabel(QStringLiteral("Orbite Aspetti"), this));
    comboOrb_ = new QComboBox(this);
    comboOrb_->setObjectName(QStringLiteral("ComboOrb"));
    comboOrb_->setEditable(true);
    comboOrb_->addItems(
        {QStringLiteral("A (normali)"), QStringLiteral("B (personali)"), QStringLiteral("C (personali)")});
    connect(comboOrb_, &QComboBox::currentTextChanged, this, &SidePanel::OrbSetChanged);
    side->addWidget(comboOrb_);
    side->addWidget(new QLabel(QStringLiteral("Nodo Lunare"), this));
    comboNodo_ = new QComboBox(this);
    comboNodo_->setObjectName(QStringLiteral("ComboNodo"));
    comboNodo_->setEditable(true);
    comboNodo_->addItems({QStringLiteral("VERO"), QStringLiteral("MEDIO")});
    comboNodo_->lineEdit()->installEventFilter(this);
    connect(comboNodo_, &QComboBox::currentTextChanged, this, &SidePanel::NodeModeChanged);
    side->addWidget(comboNodo_);
    bbLk_ = new QToolButton(this);
    bbLk_->setObjectName(QStringLiteral("BBlk"));
    bbLk_->setToolTip(QStringLiteral("Sblocca/Blocca"));
    bbLk_->setIconSize(QSize(22, 22));
    connect(bbLk_, &QToolButton::clicked, this, [this] { SetCombosLocked(comboOrb_->isEnabled()); });
    side->addWidget(bbLk_, 0, Qt::AlignLeft);
    side->addSpacing(12);
    auto* printerRow = new QHBoxLayout;
    sbTipoStamp_ = new QToolButton(this);
    sbTipoStamp_->setObjectName(QStringLiteral("SBtipoStamp"));
    sbTipoStamp_->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    auto* label34 = new QLabel(QStringLiteral("Tipo"), this);
    label34->setObjectName(QStringLiteral("Label34"));
    auto* label35 = new QLabel(QStringLiteral("Stampante"), this);
    label35->setObjectName(QStringLiteral("Label35"));
    printerRow->addWidget(sbTipoStamp_);
    printerRow->addWidget(label34);
    printerRow->addWidget(label35);
    printerRow->addStretch();
    side->addLayout(printerRow);
    side->addStretch();
    SetCombosLocked(true);
}

void SidePanel::ShowNodeMode() {
    const QSignalBlocker block(comboNodo_);
    comboNodo_->setEditText(QString::fromStdString(state_.Orbs.NodeMode));
}

void SidePanel::ShowOrbSet(char letter) {
    const QSignalBlocker block(comboOrb_);
    comboOrb_->setEditText(QString::fromStdString(OrbSetDisplayName(letter)));
}

void SidePanel::SetCombosLocked(bool locked) {
    comboOrb_->setEnabled(!locked);
    comboNodo_->setEnabled(!locked);
    const QString colours = locked ? GreyStyle : AquaStyle;
    comboOrb_->setStyleSheet(colours);
    comboNodo_->setStyleSheet(colours);
    // The lock pictures: shut while the combos are locked, open while they can be changed.
    bbLk_->setProperty("picture", locked ? "LockShut" : "LockOpen");
    bbLk_->setIcon(ButtonPicture(bbLk_->property("picture").toString()));
}

bool SidePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == comboNodo_->lineEdit() && event->type() == QEvent::MouseButtonDblClick) {
        ToggleNodeMode();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SidePanel::OrbSetChanged(const QString& text) {
    pendingOrbLetter_ = text.isEmpty() ? ' ' : text.at(0).toLatin1();
    orbSetPending_ = true;
    idleTimer_.start();
}

void SidePanel::NodeModeChanged(const QString& text) {
    pendingNodeMode_ = text.left(5).toStdString();
    nodeModePending_ = true;
    idleTimer_.start();
}

void SidePanel::ToggleNodeMode() {
    const QString mode =
        comboNodo_->currentText() != QLatin1String("VERO") ? QStringLiteral("VERO") : QStringLiteral("MEDIO");
    {
        const QSignalBlocker block(comboNodo_);
        comboNodo_->setEditText(mode);
    }
    NodeModeChanged(mode);
}

void SidePanel::RunIdle() {
    const ProgramFolder& folder = state_.Folder;
    if (nodeModePending_) {
        nodeModePending_ = false;
        const QString text = comboNodo_->currentText();
        if (text != QLatin1String("MEDIO") && text != QLatin1String("VERO")) {
            const QSignalBlocker block(comboNodo_);
            comboNodo_->setEditText(QStringLiteral("MEDIO"));
            pendingNodeMode_ = "MEDIO";
        }
        state_.Orbs = ReplaceSettingsLine(folder, 18, pendingNodeMode_);
    }
    if (orbSetPending_) {
        orbSetPending_ = false;
        const QString text = comboOrb_->currentText();
        if (comboOrb_->findText(text) < 0) pendingOrbLetter_ = 'A';
        const auto result = ApplyOrbSet(folder, pendingOrbLetter_);
        if (result.Applied) state_.Orbs = result.Table;
        ShowOrbSet(state_.Orbs.Letter);
        if (!result.Applied) feedback_.Show(MessageKind::Warning, QString::fromStdString(result.Message));
    }
}

}  // namespace florimant
