#include "ui/main/extras_page.hpp"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>

#include "ui/common/controls.hpp"

namespace florimant {

ExtrasPage::ExtrasPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabAccessorie"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeButton(this, "BitBtnVarOrbAsp", QStringLiteral("Variaz Orbite Aspetti")), 0, 0);
    grid->addWidget(MakeButton(this, "BBCerchio", QStringLiteral("Rotondità Cerchi e Ridimensionamento Schermo")), 1,
                    0);
    grid->addWidget(MakeButton(this, "BitBtn22", QStringLiteral("Spessore Linee")), 2, 0);
    bbUtility_ = MakeButton(this, "BButility", QStringLiteral("Utility Ricerca"), false);
    bbUtility_->setVisible(false);
    grid->addWidget(bbUtility_, 3, 0);
    grid->addWidget(MakeButton(this, "BBSalva", QStringLiteral("Backup/Ripristino  Dati di Nascita e Testi ")), 4, 0);
    cbox1_ = new QListWidget(this);
    cbox1_->setObjectName(QStringLiteral("Cbox1"));
    cbox1_->setVisible(false);
    connect(cbox1_, &QListWidget::itemDoubleClicked, cbox1_, &QWidget::hide);
    grid->addWidget(cbox1_, 0, 1, 5, 1);
    grid->setRowStretch(5, 1);
}

void ExtrasPage::ShowUsageDates(const QStringList& dates) {
    cbox1_->clear();
    cbox1_->addItems(dates);
}

void ExtrasPage::ShowMaintenanceControls() {
    cbox1_->show();
    bbUtility_->show();
}

}  // namespace florimant
