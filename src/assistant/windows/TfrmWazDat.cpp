#include "windows/TfrmWazDat.h"

#include "widgets/AssistantLook.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/FormPlacement.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>

namespace kolmasyst {

const QVector<TfrmWazDat::Entry>& TfrmWazDat::entries() {
    static const QVector<Entry> list{
        {QStringLiteral("2022-01-01"),
         QStringLiteral("Rozporządzenie Ministra Rodziny i Polityki Społecznej z dnia 13 listopada 2021 "
                        "r.zmieniające rozporządzenie w sprawie klasyfikacji zawodów i specjalności na "
                        "potrzeby rynku pracy. Dz.U. 2021 poz. 2285")},
        {QStringLiteral("2021-02-20"),
         QStringLiteral("Rozporządzenie Ministra Rozwoju, Pracy i Technologii z dnia 18 lutego 2021 r. "
                        "zmieniające rozporządzenie w sprawie najwyższych dopuszczalnych stężeń i natężeń "
                        "czynników szkodliwych dla zdrowia w środowisku pracy. Dz.U. 2021 poz. 325")},
        {QStringLiteral("2021-02-20"),
         QStringLiteral(
             "Rozporządzenie Ministra Zdrowia z dnia 10 lutego 2021 r. zmieniające rozporządzenie w sprawie "
             "substancji chemicznych, ich mieszanin, czynników lub procesów technologicznych o działaniu "
             "rakotwórczym lub mutagennym w środowisku pracy. Dz.U. 2021 poz. 279")},
        {QStringLiteral("2020-12-29"),
         QStringLiteral(
             "Rozporządzenie Ministra Zdrowia z dnia 11 grudnia 2020 r. zmieniające rozporządzenie w sprawie "
             "szkodliwych czynników biologicznych dla zdrowia w środowisku pracy oraz ochrony zdrowia "
             "pracowników zawodowo narażonych na te czynniki. Dz. U. Poz. 2234")},
        {QStringLiteral("2020-01-17"),
         QStringLiteral("Rozporządzenie Ministra Rodziny, Pracy i Polityki Społecznej  z dnia 9 stycznia "
                        "2020 r. zmieniające rozporządzenie w sprawie najwyższych dopuszczalnych stężeń i "
                        "natężeń czynników szkodliwych dla zdrowia w środowisku pracy. Dz. U. Poz. 61.")},
        {QStringLiteral("2018-08-21"),
         QStringLiteral("Rozporządzenie Ministra Rodziny, Pracy i Polityki Społecznej z dnia 12 czerwca 2018 "
                        "r. w sprawie najwyższych dopuszczalnych stężeń i natężeń czynników szkodliwych dla "
                        "zdrowia w środowisku pracy Dz. U. Poz. 1286.")},
        {QStringLiteral("2017-05-01"),
         QStringLiteral("Rozporządzenie Rady Ministrów z dnia 3 kwietnia 2017 r. w sprawie wykazu prac "
                        "uciążliwych, niebezpiecznych lub szkodliwych dla zdrowia kobiet w ciąży i kobiet "
                        "karmiących dziecko piersią. Dz. U. Poz. 796.")},
        {QStringLiteral("2017-05-01"),
         QStringLiteral("Rozporządzenie Ministra Rodziny, Pracy I Polityki Społecznej z dnia 25 kwietnia  "
                        "2017 r. zmieniające rozporządzenie w sprawie bezpieczeństwa i higieny pracy przy "
                        "ręcznych pracach transportowych Dz. U. Poz. 854.")},
        {QStringLiteral("2016-10-05"),
         QStringLiteral("Obwieszczenie Prezesa Rady Ministrów z dnia 29 sierpnia 2016 r.w sprawie ogłoszenia "
                        "jednolitego tekstu rozporządzenia Rady Ministrów w sprawie wykazu prac "
                        "wzbronionych. Dz. U. Poz. 1509")},
        {QStringLiteral("2015-07-14"),
         QStringLiteral(
             "Rozporządzenie Rady Ministrów z dnia 5 czerwca 2015 r. zmieniające rozporządzenie w sprawie "
             "wykazu prac wzbronionych młodocianym i warunków ich zatrudniania. Dz. U. Poz. 929")},
        {QStringLiteral("2014-09-23"),
         QStringLiteral("Rozporządzenie Ministra Pracy i Polityki Społecznej z dnia 6 czerwca 2014 r. w "
                        "sprawie najwyższych dopuszczalnych stężeń i natężeń czynników szkodliwych dla "
                        "zdrowia w środowisku pracy. Dz. U.  Poz. 817.")},
        {QStringLiteral("2012-08-03"),
         QStringLiteral("Rozporządzenie Ministra Zdrowia z dnia 24 lipca 2012 r.w sprawie substancji "
                        "chemicznych, ich mieszanin, czynników lub procesów technologicznych  działaniu "
                        "rakotwórczym lub mutagennym w środowisku pracy. Dz. U. Poz. 890.")},
        {QStringLiteral("2012-01-05"),
         QStringLiteral("Rozporządzenie Ministra Pracy i Polityki Społecznej z dnia 16 grudnia 2011 r. w "
                        "sprawie najwyższych dopuszczalnych stężeń i natężeń czynników szkodliwych dla "
                        "zdrowia w środowisku pracy. Dz.U. nr 274, poz. 1621.")},
        {QStringLiteral("2011-03-03"),
         QStringLiteral("Zmiana zasad wyznaczania terminu następnego badania zgodnie z rozporządzeniem "
                        "Ministra Zdrowia z dnia 2 lutego 2011 r. w sprawie badań i pomiarów czynników "
                        "szkodliwych dla zdrowia w środowisku pracy. Dz. U. z 2011 r. nr 33, poz. 166;")},
        {QStringLiteral("2010-08-21"),
         QStringLiteral("Rozporządzenie Ministra Pracy i Polityki Społecznej z dnia 29 lipca 2010 r. "
                        "zmieniające rozporządzenie w sprawie najwyższych dopuszczalnych stężeń i natężeń "
                        "czynników szkodliwych dla zdrowia w środowisku pracy. Dz. U. nr 143, poz. 950.")},
    };
    return list;
}

TfrmWazDat::TfrmWazDat(FormPlacement& placement, QWidget* parent) : QDialog(parent), m_placement(placement) {
    setObjectName(QStringLiteral("frmWazDat"));
    setWindowTitle(QStringLiteral("Daty istotnych zmian w systemie KOLM"));
    setProperty("helpContext", HelpContext);
    setSizeGripEnabled(true);
    setMinimumSize(ClientWidth, MinimumHeight);
    setMaximumWidth(MaximumWidth);
    resize(ClientWidth, ClientHeight);
    AssistantLook::applyFormLook(this);

    pLista = new QScrollArea(this);
    pLista->setObjectName(QStringLiteral("pLista"));
    pLista->setFrameShape(QFrame::StyledPanel);
    pLista->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pLista->setWidgetResizable(true);
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("pWpisy"));
    auto* grid = new QGridLayout(content);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    int row = 0;
    for (const Entry& e : entries()) {
        auto* date = new QLabel(e.date, content);
        QFont bold = date->font();
        bold.setBold(true);
        date->setFont(bold);
        date->setStyleSheet(QStringLiteral("color: red;"));
        date->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        auto* text = new QLabel(e.text, content);
        text->setWordWrap(true);
        text->setMinimumWidth(550);
        text->setMaximumWidth(580);
        text->setStyleSheet(QStringLiteral("color: blue;"));
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(date, row, 0);
        grid->addWidget(text, row, 1);
        ++row;
    }
    grid->setRowStretch(row, 1);
    pLista->setWidget(content);

    bClose = new TBitBtnWithColor(QStringLiteral("Zamknij"), this);
    bClose->setObjectName(QStringLiteral("bClose"));
    bClose->setDefault(true);
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_placement.RestoreFormPlacement(this);
}

TfrmWazDat::~TfrmWazDat() {
    m_placement.SaveFormPlacement(this);
}

void TfrmWazDat::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The list grows with the window's height; the button stays at the bottom.
    const int w = width(), h = height();
    StatusBar1->setGeometry(0, h - 20, w, 20);
    bClose->setGeometry((w - 90) / 2, h - 54, 90, 25);
    pLista->setGeometry(8, 8, w - 16, h - 70);
}

} // namespace kolmasyst
