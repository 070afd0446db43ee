#include "ui/tools/manual_window.hpp"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

namespace florimant {

ManualWindow::ManualWindow(AppState& state, Messages& messages, QWidget* parent)
    : Window(state, messages, parent),
      opener_([](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }) {
    setObjectName(QStringLiteral("ManualWindow"));
    setWindowTitle(QStringLiteral("Selezionare"));
    auto* layout = new QVBoxLayout(this);
    shortManual_ = new QRadioButton(QStringLiteral("Istruzioni sommarie  (Istruzioni_J.pdf)"), this);
    shortManual_->setObjectName(QStringLiteral("RBsommarie"));
    fullManual_ = new QRadioButton(QStringLiteral("Istruzioni estese   (Istruzioni.pdf)"), this);
    fullManual_->setObjectName(QStringLiteral("RBestese"));
    layout->addWidget(shortManual_);
    layout->addWidget(fullManual_);
    auto* buttons = new QHBoxLayout;
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("BBok"));
    auto* cancel = new QPushButton(QStringLiteral("Annulla"), this);
    cancel->setObjectName(QStringLiteral("BBannulla"));
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { Guarded([this] { OpenChosen(); }); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    Prepare();
}

bool ManualWindow::Prepare() {
    shortManual_->setChecked(true);
    return true;
}

QString ManualWindow::ChosenFile() const {
    return shortManual_->isChecked() ? QStringLiteral("Istruzioni_J.pdf") : QStringLiteral("Istruzioni.pdf");
}

void ManualWindow::OpenChosen() {
    const QString path = QString::fromStdString(state().Folder.Resolve(ChosenFile().toStdString()).string());
    if (opener_) opener_(path);
    accept();
}

}  // namespace florimant
