#include "ui/main/astro_page.hpp"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "archive/chart_of_subject.hpp"
#include "ui/common/controls.hpp"

namespace florimant {

AstroPage::AstroPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TabAstro"));
    auto* grid = new QGridLayout(this);
    memoDati_ = new QPlainTextEdit(this);
    memoDati_->setObjectName(QStringLiteral("MemoDati"));
    memoDati_->setReadOnly(true);
    memoDati_->setFont(QFont(QStringLiteral("Courier New"), 9));
    memoDati_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoDati_->viewport()->installEventFilter(this);
    memoAnnotaz_ = new QPlainTextEdit(this);
    memoAnnotaz_->setObjectName(QStringLiteral("MemoAnnotaz"));
    memoAnnotaz_->setReadOnly(true);
    memoAnnotaz_->setVisible(false);
    memoAnnotaz_->viewport()->installEventFilter(this);
    bbApriTesto_ = MakeButton(this, "BBApriTesto", QStringLiteral("Apri Testo"));
    bbApriTesto_->setVisible(false);
    grid->addWidget(memoDati_, 0, 0, 1, 3);
    grid->addWidget(memoAnnotaz_, 0, 0, 1, 3);
    grid->addWidget(bbApriTesto_, 1, 2);
    grid->addWidget(MakeButton(this, "BitBtnDati", QStringLiteral("Richiamo Nuovo Soggetto"), false), 2, 0);
    grid->addWidget(MakeButton(this, "BBProped", QStringLiteral("Modello Propedeutico Interattivo"), false), 2, 1);
    grid->addWidget(MakeButton(this, "BitBtnInputA", QStringLiteral("Inserim Dati Nascita"), false), 3, 0);
    grid->addWidget(MakeButton(this, "BitBtnCancel", QStringLiteral("Eliminaz Dati Nascita"), false), 3, 1);
    grid->addWidget(MakeButton(this, "BitBtn1", QStringLiteral("Modifica Dati Nascita / Crea Testo"), false), 4, 0,
                    1, 2);
    auto* sheets = new QGroupBox(QStringLiteral("Grafici Riassuntivi Stampabili"), this);
    auto* sheetGrid = new QGridLayout(sheets);
    sheetGrid->addWidget(MakeButton(sheets, "BBOriz", QStringLiteral("Orizzontale 1 ")), 0, 0);
    sheetGrid->addWidget(MakeButton(sheets, "BBVert", QStringLiteral("Verticale 1")), 1, 0);
    sheetGrid->addWidget(MakeButton(sheets, "BBoriz2", QStringLiteral("Orizzontale 2"), false), 0, 1);
    sheetGrid->addWidget(MakeButton(sheets, "BBvert2", QStringLiteral("Verticale 2"), false), 1, 1);
    grid->addWidget(sheets, 2, 2, 3, 1);
    grid->setRowStretch(0, 1);
}

void AstroPage::ShowSubject(const SubjectSummary& summary) {
    QStringList lines;
    for (const auto& line : summary.MemoLines) lines << QString::fromStdString(line);
    memoDati_->setPlainText(lines.join(QLatin1Char('\n')));
    memoAnnotaz_->setPlainText(QString::fromStdString(summary.AnnotationText));
    bbApriTesto_->setVisible(summary.TextButtonVisible);
}

bool AstroPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        // A click on the summary shows the annotations over it; a click on them hides them.
        if (watched == memoDati_->viewport()) {
            memoAnnotaz_->show();
            memoAnnotaz_->raise();
        } else if (watched == memoAnnotaz_->viewport()) {
            memoAnnotaz_->hide();
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace florimant
