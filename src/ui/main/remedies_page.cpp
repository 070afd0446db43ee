#include "ui/main/remedies_page.hpp"

#include <QGridLayout>
#include <QPushButton>

#include "ui/common/controls.hpp"

namespace florimant {

RemediesPage::RemediesPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabRimedi"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeButton(this, "BBSintomi", QStringLiteral("Sintomi"), false), 0, 0);
    grid->addWidget(MakeButton(this, "BitBtn2", QStringLiteral("Rimedi"), false), 0, 1);
    grid->addWidget(MakeButton(this, "BitBtn3", QStringLiteral("Terapie"), false), 0, 2);
    grid->addWidget(MakeButton(this, "BitBtn4", QStringLiteral("Database Primario"), false), 1, 0);
    grid->addWidget(MakeButton(this, "BBaggRep", QStringLiteral("Repertorio Terapie"), false), 1, 1);
    grid->addWidget(MakeButton(this, "BitBtn5", QStringLiteral("Segnature Astrologiche / S"), false), 2, 0);
    grid->addWidget(MakeButton(this, "BitBtn7", QStringLiteral("Piante e Principi Attivi"), false), 2, 1);
    grid->addWidget(MakeButton(this, "BitBtn9", QStringLiteral("Sintesi Psichica"), false), 2, 2);
    grid->addWidget(MakeButton(this, "BitBtn6", QStringLiteral("Debilità Astrologiche / T"), false), 3, 0);
    auto* tervano1 = MakeButton(this, "BTervano1", QStringLiteral("Tervano-1"), false);
    auto* tervano2 = MakeButton(this, "BTervano2", QStringLiteral("Tervano-2"), false);
    tervano1->setVisible(false);
    tervano2->setVisible(false);
    grid->addWidget(tervano1, 3, 1);
    grid->addWidget(tervano2, 3, 2);
    grid->setRowStretch(4, 1);
}

void RemediesPage::ShowPlantWindows() {
    for (const char* name : {"BTervano1", "BTervano2"})
        if (auto* button = findChild<QPushButton*>(QString::fromLatin1(name))) button->show();
}

}  // namespace florimant
