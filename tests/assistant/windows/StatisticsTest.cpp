#include "MainFormFixture.h"
#include "SharedSettings.h"
#include "logic/Scheduler.h"
#include "logic/StatisticsText.h"
#include "widgets/AssistantLook.h"
#include "widgets/HourEdit.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/FormPlacement.h"
#include "windows/TfrmListaRap.h"
#include "windows/TfrmStat.h"
#include "windows/TfrmUstaw.h"
#include "windows/TfrmWazDat.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

#include <QPlainTextEdit>
#include <QTest>

using namespace kolmasyst;

namespace {

class StatisticsTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        TestSupport::addAlias(m_dir.path(), "zdalna", "serwer.example:/srv/kolm/zdalna.fdb");
        TestSupport::addAlias(m_dir.path(), "lokalna", "localhost:/srv/kolm/lokalna.fdb");
    }
    void configure(const QByteArray& schedule, const QByteArray& databases) {
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               "[Database]\nAliasName=firma\n" + schedule + databases);
    }
};

TEST_F(StatisticsTest, TheLinesTellTheLastAndNextRunsAndTheirDatabases) {
    configure("[BackupSettings]\nBACKUP.DataBackup.Str=2024-03-01\nBACKUP.CzestBackup.Str=7\n"
              "[AsystentSettings]\nASYST.DataAsys.Str=2024-02-28\nASYST.CzestAsys.Str=0\n",
              "[AliasDatabases]\nALIAS.firma.Str=Firma\nALIAS.zdalna.Str=Zdalna\nALIAS.lokalna.Str=Lokalna\n"
              "ALIAS.obca.Str=Nieznana\n");
    QString error;
    const QStringList lines = StatisticsText::build(*m_app, &error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    EXPECT_EQ(lines,
              (QStringList{QString::fromUtf8("Data ostatniego Backup`u : 2024-03-01"), "",
                           QString::fromUtf8("Lista Backup`owanych baz danych w dniu : 2024-03-01"), "",
                           "    firma (Firma) : " + m_db, "    lokalna (Lokalna) : /srv/kolm/lokalna.fdb", "",
                           QString::fromUtf8("Następny Backup zostanie wykonany w dniu : 2024-03-08"), "",
                           "Data ostatniego Raportu : 2024-02-28", "",
                           "Lista Raportowanych baz danych w dniu : 2024-02-28", "", "    firma - Firma",
                           "    zdalna - Zdalna", "    lokalna - Lokalna", "    obca - Nieznana", "",
                           QString::fromUtf8("Następny Raport zostanie wykonany w dniu : 2024-02-28")}));
}

TEST_F(StatisticsTest, ASettingThatDoesNotConvertEndsTheTextThereWithTheMessage) {
    configure("[BackupSettings]\nBACKUP.DataBackup.Str=2024-03-01\n", "");
    QString error;
    const QStringList lines = StatisticsText::build(*m_app, &error);
    EXPECT_TRUE(error.contains("INI FILE ERROR")) << error.toStdString();
    ASSERT_EQ(lines.size(), 5) << lines.join('|').toStdString();
    EXPECT_EQ(lines.last(), "");

    // The window shows what was built and the message; the assistant goes on.
    TfrmStat& window = *m_form->statisticsWindow();
    whenModal(&window, [&] { window.bEnd->click(); });
    m_form->mStatysClick();
    EXPECT_TRUE(
        window.mStat->toPlainText().startsWith(QString::fromUtf8("Data ostatniego Backup`u : 2024-03-01")));
    EXPECT_EQ(m_messages.shown().size(), 1);
}

TEST_F(StatisticsTest, TheWindowKeepsItsMinimumSizeAndItsPlaceBetweenRuns) {
    configure("[BackupSettings]\nBACKUP.DataBackup.Str=2024-03-01\nBACKUP.CzestBackup.Str=1\n"
              "[AsystentSettings]\nASYST.DataAsys.Str=2024-03-01\nASYST.CzestAsys.Str=1\n",
              "");
    {
        FormPlacement placement(m_dir.filePath("kolmasyst.ini"));
        TfrmStat window(*m_app, placement);
        EXPECT_EQ(window.property("helpContext").toInt(), 2300);
        EXPECT_EQ(window.windowTitle(), "Statystyki systemu KOLM");
        window.resize(300, 200);
        EXPECT_EQ(window.size(), QSize(500, 350));
        window.show();
        window.resize(640, 480);
        window.move(40, 30);
        EXPECT_TRUE(window.mStat->isReadOnly());
        EXPECT_TRUE(window.mStat->toPlainText().contains(QString::fromUtf8("Następny Raport")));
        EXPECT_GT(window.mStat->width(), 600) << "the text grows with the window";
    }
    FormPlacement placement(m_dir.filePath("kolmasyst.ini"));
    TfrmStat again(*m_app, placement);
    EXPECT_EQ(again.size(), QSize(640, 480));
    EXPECT_EQ(TMyIniFile(m_dir.filePath("kolmasyst.ini")).fileName(), m_dir.filePath("kolmasyst.ini"));
    EXPECT_TRUE(
        TestSupport::readFile(m_dir.filePath("kolmasyst.ini")).contains("frmStat.ClassName=TfrmStat"));
}

} // namespace

namespace {

using ImportantDatesTest = MainFormFixture;

TEST_F(ImportantDatesTest, FifteenDatedEntriesNewestFirstThatScrollToTheOldest) {
    const auto& entries = TfrmWazDat::entries();
    ASSERT_EQ(entries.size(), 15);
    EXPECT_EQ(entries.first().date, "2022-01-01");
    EXPECT_EQ(entries.last().date, "2010-08-21");
    for (int i = 1; i < entries.size(); ++i)
        EXPECT_GE(entries[i - 1].date, entries[i].date) << i;
    EXPECT_TRUE(entries[4].text.contains(QString::fromUtf8("Społecznej  z dnia 9 stycznia 2020 r.")))
        << "the texts as given, double blanks included";
    EXPECT_TRUE(entries.last().text.endsWith("Dz. U. nr 143, poz. 950."));

    TfrmWazDat& window = *m_form->datesWindow();
    EXPECT_EQ(window.windowTitle(), "Daty istotnych zmian w systemie KOLM");
    EXPECT_EQ(window.property("helpContext").toInt(), 3500);
    whenModal(&window, [&] {
        // The list scrolls down to the last entry.
        QScrollBar* bar = window.pLista->verticalScrollBar();
        EXPECT_GT(bar->maximum(), 0);
        bar->setValue(bar->maximum());
        QApplication::processEvents();
        const QList<QLabel*> labels = window.pLista->widget()->findChildren<QLabel*>();
        QLabel* oldest = nullptr;
        for (QLabel* l : labels)
            if (l->text() == entries.last().text)
                oldest = l;
        ASSERT_NE(oldest, nullptr);
        const QPoint inViewport = oldest->mapTo(window.pLista->viewport(), QPoint(0, 0));
        EXPECT_LT(inViewport.y(), window.pLista->viewport()->height());
        window.resize(900, 400);
        EXPECT_LE(window.width(), 738);
        window.bClose->click();
    });
    m_form->bDatyClick();
}

} // namespace

namespace {

using ReportListTest = MainFormFixture;

TEST_F(ReportListTest, TheListOpensWhereKolmrapWritesAndStepsThroughFolders) {
    TfrmListaRap& list = *m_form->reportList();
    // Without a report folder of its own "firma" has its reports under the programs' folder.
    EXPECT_EQ(list.initialRoot(), QDir(m_dir.path()).filePath("firma/Raporty"));
    // With one, under that folder, wherever the database file lies; the folder is made.
    TMyIniFile(m_dir.filePath("brel.ini")).WritePathDatabase("ASYST", "firma", m_dir.filePath("raporty"));
    const QString expected = QDir(m_dir.path()).filePath("raporty/firma/Raporty");
    EXPECT_EQ(list.initialRoot(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    QDir().mkpath(expected + "/CzynnRyz");
    TestSupport::writeFile(expected + "/CzynnRyz/CzynnRyz2026-12-10.pdf", "%PDF-1.4");

    QList<QUrl> opened;
    list.openFile = [&](const QUrl& url) {
        opened << url;
        return true;
    };
    whenModal(&list, [&] {
        EXPECT_EQ(list.root(), expected);
        EXPECT_EQ(list.viewStyle(), 2) << "list style at first";
        list.btnReport->click();
        // A single click on a folder opens it; on a report it only selects it.
        QFileSystemModel* model = qobject_cast<QFileSystemModel*>(list.KolmShellListView->model());
        ASSERT_NE(model, nullptr);
        list.KolmShellListViewClick(model->index(expected + "/CzynnRyz"));
        EXPECT_EQ(list.root(), expected + "/CzynnRyz");
        const QModelIndex pdf = model->index(expected + "/CzynnRyz/CzynnRyz2026-12-10.pdf");
        list.KolmShellListViewClick(pdf);
        EXPECT_EQ(list.root(), expected + "/CzynnRyz");
        // A double click this soon after the click that entered the folder would be that
        // click's second half: the user's double click on the report comes later.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        list.KolmShellListViewDblClick(pdf);
        EXPECT_EQ(opened, QList<QUrl>{QUrl::fromLocalFile(expected + "/CzynnRyz/CzynnRyz2026-12-10.pdf")});
        // No program for the file: said plainly.
        list.openFile = [](const QUrl&) { return false; };
        list.KolmShellListViewDblClick(pdf);
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_TRUE(m_messages.shown()[0].text.startsWith(TfrmListaRap::NoViewerMessage));
        // The parent button climbs to the top of the file system and stays there.
        for (int i = 0; i < 40; ++i)
            list.btnBackClick();
        EXPECT_EQ(list.root(), "/");
        list.bEnd->click();
    });
    m_form->bListRapClick();
    // The style stays while the program runs; the list opens in the reports' folder again.
    whenModal(&list, [&] {
        EXPECT_EQ(list.viewStyle(), 3);
        EXPECT_TRUE(list.KolmShellDetails->isVisible());
        EXPECT_EQ(list.root(), expected);
        list.bEnd->click();
    });
    m_form->bListRapClick();
    EXPECT_EQ(list.property("helpContext").toInt(), 3100);
    // At the end of the program the list's place is saved, with the placement store still there.
    destroyForm();
    EXPECT_TRUE(TestSupport::readFile(m_dir.filePath("kolmasyst.ini"))
                    .contains("frmListaRap.ClassName=TfrmListaRap"));
}

// The list as a user drives it: the mouse on the items' places, the keys, the context menu.
class ReportListUseTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        m_root = QDir(m_dir.path()).filePath("firma/Raporty");
        QDir().mkpath(m_root + "/CzynnRyz/Archiwum");
        TestSupport::writeFile(m_root + "/CzynnRyz/CzynnRyz2026-12-10.pdf", "%PDF-1.4");
        m_list = m_form->reportList();
        m_list->openFile = [this](const QUrl& url) {
            m_opened << url.toLocalFile();
            return true;
        };
    }
    QListView* view() const { return m_list->KolmShellListView; }
    QFileSystemModel* model() const { return qobject_cast<QFileSystemModel*>(view()->model()); }
    // The place of path's item in the list window, once the folder has been read.
    QPoint placeOf(const QString& path) const {
        QModelIndex index;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            index = model()->index(path);
            return index.isValid() && !view()->visualRect(index).isEmpty();
        }));
        return view()->viewport()->mapTo(m_list, view()->visualRect(index).center());
    }
    // Runs the action of the context menu that a right click on at opens.
    void chooseFromMenu(const QPoint& at, const QString& action) {
        QTimer::singleShot(0, [action] {
            ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            for (QAction* a : menu->actions())
                if (a->text() == action) {
                    EXPECT_TRUE(a->isEnabled()) << action.toStdString();
                    menu->close();
                    a->trigger();
                    return;
                }
            menu->close();
            ADD_FAILURE() << "no " << action.toStdString();
        });
        QTest::mouseClick(m_list->windowHandle(), Qt::RightButton, {}, at);
    }

    QString m_root;
    TfrmListaRap* m_list = nullptr;
    QStringList m_opened;
};

TEST_F(ReportListUseTest, ADoubleClickEntersOneFolderAndEnterOpensWithoutClosing) {
    whenModal(m_list, [&] {
        EXPECT_EQ(m_list->ePath->text(), m_root) << "the folder is shown";
        // A double click on a folder enters that folder, not the one that then lies under the
        // pointer: its second click comes once the entered folder is shown, as a person's does.
        const QPoint folder = placeOf(m_root + "/CzynnRyz");
        QTest::mouseClick(m_list->windowHandle(), Qt::LeftButton, {}, folder);
        placeOf(m_root + "/CzynnRyz/Archiwum");
        ASSERT_EQ(view()->indexAt(view()->viewport()->mapFrom(m_list, folder)),
                  model()->index(m_root + "/CzynnRyz/Archiwum"))
            << "a folder lies where the second click goes";
        QTest::mouseClick(m_list->windowHandle(), Qt::LeftButton, {}, folder);
        EXPECT_EQ(m_list->root(), m_root + "/CzynnRyz");
        EXPECT_EQ(m_list->ePath->text(), m_root + "/CzynnRyz");
        // Enter on a selected report opens it and leaves the list open.
        const QString pdf = m_root + "/CzynnRyz/CzynnRyz2026-12-10.pdf";
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(m_list->windowHandle(), Qt::LeftButton, {}, placeOf(pdf));
        QTest::keyClick(view(), Qt::Key_Return);
        EXPECT_EQ(m_opened, QStringList{pdf});
        EXPECT_TRUE(m_list->isVisible());
        // Enter on a folder chosen with the keys enters it.
        QTest::keyClick(view(), Qt::Key_Home);
        QTest::keyClick(view(), Qt::Key_Enter);
        EXPECT_EQ(m_list->root(), m_root + "/CzynnRyz/Archiwum");
        EXPECT_TRUE(m_list->isVisible());
        QTest::keyClick(m_list, Qt::Key_Escape);
    });
    m_form->bListRapClick();
}

TEST_F(ReportListUseTest, TheContextMenuOpensShowsAndDeletesAfterAQuestion) {
    const QString pdf = m_root + "/CzynnRyz/CzynnRyz2026-12-10.pdf";
    whenModal(m_list, [&] {
        m_list->setRoot(m_root + "/CzynnRyz");
        chooseFromMenu(placeOf(pdf), "Otwórz");
        chooseFromMenu(placeOf(pdf), "Pokaż w menedżerze plików");
        EXPECT_EQ(m_opened, (QStringList{pdf, m_root + "/CzynnRyz"}));
        // Deleting asks; No keeps the report, Yes deletes it.
        chooseFromMenu(placeOf(pdf), "Usuń");
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_EQ(m_messages.shown()[0].text, TfrmListaRap::DeleteQuestion + pdf + "?");
        EXPECT_TRUE(QFileInfo::exists(pdf));
        m_messages.answerNext(true);
        chooseFromMenu(placeOf(pdf), "Usuń");
        EXPECT_FALSE(QFileInfo::exists(pdf));
        // A folder is opened from the menu but not deleted from it.
        const std::unique_ptr<QMenu> menu =
            m_list->contextMenu(model()->index(m_root + "/CzynnRyz/Archiwum"));
        ASSERT_EQ(menu->actions().size(), 4);
        EXPECT_TRUE(menu->actions()[0]->isEnabled());
        EXPECT_FALSE(menu->actions()[3]->isEnabled());
        chooseFromMenu(placeOf(m_root + "/CzynnRyz/Archiwum"), "Otwórz");
        EXPECT_EQ(m_list->root(), m_root + "/CzynnRyz/Archiwum");
        m_list->bEnd->click();
    });
    m_form->bListRapClick();
    EXPECT_EQ(m_messages.shown().size(), 2) << "nothing but the two questions";
}

TEST_F(ReportListTest, ADatabaseThatCannotBeOpenedOrAFolderThatCannotBeMade) {
    // The server cannot be reached here: the reports are listed all the same, without a message.
    TestSupport::addAlias(m_dir.path(), "zdalna", "127.0.0.1/1:/srv/kolm/zdalna.fdb");
    TestSupport::writeFile(m_dir.filePath("brel.ini"), "[Database]\nAliasName=zdalna\n");
    m_app->karty().CloseDatabase();
    TfrmListaRap& list = *m_form->reportList();
    EXPECT_EQ(list.initialRoot(), QDir(m_dir.path()).filePath("zdalna/Raporty"));
    EXPECT_TRUE(m_messages.shown().isEmpty());
    // A file where the report folder should be: the user is told why, the list opens above it.
    TestSupport::writeFile(m_dir.filePath("plik"), "x");
    TMyIniFile(m_dir.filePath("brel.ini"))
        .WritePathDatabase("ASYST", "zdalna", m_dir.filePath("plik/raporty"));
    EXPECT_EQ(list.initialRoot(), m_dir.path());
    ASSERT_EQ(m_messages.shown().size(), 1);
    EXPECT_TRUE(m_messages.shown()[0].text.contains("Not a directory"))
        << m_messages.shown()[0].text.toStdString();
    EXPECT_TRUE(m_messages.shown()[0].text.contains(m_dir.filePath("plik")));
    EXPECT_FALSE(m_app->endRequested());
    EXPECT_EQ(TfrmListaRap::parentOf("/srv/kolm/firma/Raporty"), "/srv/kolm/firma");
    EXPECT_EQ(TfrmListaRap::parentOf("/srv"), "/");
    EXPECT_EQ(TfrmListaRap::parentOf("/"), "/");
}

} // namespace

namespace {

class SettingsDialogTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                               "[AsystentSettings]\nASYST.CzestAsys.Str=7\nASYST.GodzAsys.Str=6:00:00\n"
                               "ASYST.DataAsys.Str=2024-03-01\nASYST.CzynnRyz.Str=T\nASYST.PracAdm.Str=T\n"
                               "[BackupSettings]\nBACKUP.CzestBackup.Str=1\nBACKUP.GodzBackup.Str=22:30\n"
                               "BACKUP.DataBackup.Str=2024-03-02\n");
        m_form->pTimerTimer(); // the first tick loads the schedule
    }
};

TEST_F(SettingsDialogTest, FieldsReachTheSchedulerAtOnceAndTheFileOnlyOnClosing) {
    TfrmUstaw& d = *m_form->settingsDialog();
    Scheduler& s = m_form->scheduler();
    EXPECT_EQ(d.property("helpContext").toInt(), 3400);
    const QByteArray before = TestSupport::readFile(m_dir.filePath("brel.ini"));
    whenModal(&d, [&] {
        EXPECT_EQ(d.eCzestAsys->text(), "7");
        EXPECT_EQ(d.dtGodzAsys->time(), QTime(6, 0));
        EXPECT_EQ(d.dtDataAsys->date(), QDate(2024, 3, 1));
        EXPECT_EQ(d.dtGodzBackup->time(), QTime(22, 30));
        EXPECT_TRUE(d.cbSections[0]->isChecked());  // CzynnRyz
        EXPECT_FALSE(d.cbSections[1]->isChecked()); // TermRyz
        EXPECT_EQ(d.pgKolmAsyst->currentIndex(), 1) << "Ryzyko first";
        EXPECT_FALSE(d.backupPageHidden());
        EXPECT_EQ(d.property("helpContext").toInt(), 3310);
        d.pgUstawCzest->setCurrentWidget(d.tsBackup);
        EXPECT_EQ(d.property("helpContext").toInt(), 3320);

        // A click and a left field reach the running scheduler at once.
        d.cbSections[0]->click();
        EXPECT_FALSE(s.section(0));
        d.eCzestAsys->setText("14");
        Q_EMIT d.eCzestAsys->editingFinished();
        EXPECT_EQ(s.text(Scheduler::Field::ReportPeriod), "14");
        d.dtDataAsys->setDate(QDate(2024, 3, 5));
        d.dtGodzAsys->setTime(QTime(7, 5));
        Q_EMIT d.dtDataAsys->editingFinished();
        Q_EMIT d.dtGodzAsys->editingFinished();
        EXPECT_EQ(s.text(Scheduler::Field::ReportDate), "2024-03-05");
        EXPECT_EQ(s.text(Scheduler::Field::ReportHour), "7:05:00");
        // The title-bar close: the scheduler keeps them, the file does not change.
        d.reject();
    });
    m_form->bUstawClick();
    EXPECT_EQ(TestSupport::readFile(m_dir.filePath("brel.ini")), before);
    EXPECT_FALSE(s.section(0));

    // "Zamknij" writes the scheduler's values in their order.
    whenModal(&d, [&] { d.bOK->click(); });
    m_form->bUstawClick();
    EXPECT_EQ(
        TestSupport::readFile(m_dir.filePath("brel.ini")),
        QByteArray("[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                   "[AsystentSettings]\nASYST.CzestAsys.Str=14\nASYST.GodzAsys.Str=7:05:00\n"
                   "ASYST.DataAsys.Str=2024-03-05\nASYST.CzynnRyz.Str=N\nASYST.PracAdm.Str=T\n"
                   "ASYST.StanAdm.Str=N\nASYST.TermRyz.Str=N\nASYST.SrodRyz.Str=N\nASYST.PrzetBhp.Str=N\n"
                   "ASYST.AktualBhp.Str=N\nASYST.WyborDob.Str=N\nASYST.RoznDob.Str=N\n"
                   "[BackupSettings]\nBACKUP.CzestBackup.Str=1\nBACKUP.GodzBackup.Str=22:30:00\n"
                   "BACKUP.DataBackup.Str=2024-03-02\n"));
}

TEST_F(SettingsDialogTest, TheCalendarAndQtsOwnButtonsSpeakPolishWhateverTheDesktopLocale) {
    ASSERT_TRUE(AssistantLook::speakPolish()) << "Qt's Polish translations are installed";
    const QLocale desktop = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    TfrmUstaw& d = *m_form->settingsDialog();
    QString month, weekday;
    whenModal(&d, [&] {
        d.dtDataAsys->setFocus();
        d.dtDataAsys->setDate(QDate(2024, 12, 5));
        // The calendar opens from the arrow at the field's right end.
        QTest::mouseClick(d.dtDataAsys, Qt::LeftButton, {},
                          QPoint(d.dtDataAsys->width() - 6, d.dtDataAsys->height() / 2));
        QCalendarWidget* calendar = d.dtDataAsys->calendarWidget();
        EXPECT_TRUE(QTest::qWaitFor([&] { return calendar->isVisible(); }));
        if (auto* button = calendar->findChild<QToolButton*>("qt_calendar_monthbutton"))
            month = button->text();
        weekday = calendar->locale().dayName(1);
        QTest::keyClick(calendar, Qt::Key_Escape);
        d.reject(); // the title-bar close: nothing written
    });
    m_form->bUstawClick();
    QLocale::setDefault(desktop);
    EXPECT_EQ(month, "grudzień");
    EXPECT_EQ(weekday, "poniedziałek");
    // The standard buttons of the message boxes.
    QMessageBox box(QMessageBox::Question, "t", "t", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), "Tak");
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove('&'), "Nie");
}

TEST_F(SettingsDialogTest, TheOptionsPageWritesOnlyWhatWasSetAndReadsBadValuesAsOff) {
    TfrmUstaw& d = *m_form->settingsDialog();
    ASSERT_EQ(d.pgKolmAsyst->tabText(d.pgKolmAsyst->indexOf(d.tsDodatkowe)), "Dodatkowe");
    // Switched on and set: written as the programs read them.
    whenModal(&d, [&] {
        EXPECT_FALSE(d.cbArkusz->isChecked());
        EXPECT_FALSE(d.cbPolskieLitery->isChecked());
        EXPECT_EQ(d.seIleKopii->value(), 0);
        EXPECT_EQ(d.seHoryzont->value(), 90);
        d.cbArkusz->click();
        d.seHoryzont->setValue(60);
        d.cbPolskieLitery->click();
        d.seIleKopii->setValue(5);
        d.bOK->click();
    });
    m_form->bUstawClick();
    TMyIniFile ini(m_dir.filePath("brel.ini"));
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "Arkusz"), "T");
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "Horyzont"), "60");
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "PolskieLitery"), "T");
    EXPECT_EQ(ini.ReadBackupSetting("BACKUP", "IleKopii"), "5");

    // Values that do not read show as off and are written back as such when the dialog closes.
    ini.WriteAsystentSetting("ASYST", "PolskieLitery", "tak");
    ini.WriteBackupSetting("BACKUP", "IleKopii", "wiele");
    whenModal(&d, [&] {
        EXPECT_FALSE(d.cbPolskieLitery->isChecked());
        EXPECT_EQ(d.seIleKopii->value(), 0);
        d.bOK->click();
    });
    m_form->bUstawClick();
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "PolskieLitery"), "N");
    EXPECT_EQ(ini.ReadBackupSetting("BACKUP", "IleKopii"), "0");
}

TEST_F(SettingsDialogTest, WithoutALocalDatabaseTheBackupPageGoesAndStaysAway) {
    TestSupport::addAlias(m_dir.path(), "zdalna", "serwer.example:/srv/kolm/zdalna.fdb");
    TMyIniFile(m_dir.filePath("brel.ini")).DeleteAliasDatabase("ALIAS.firma.Str");
    TMyIniFile(m_dir.filePath("brel.ini")).WriteAliasDatabase("ALIAS", "zdalna", "Zdalna");
    TfrmUstaw& d = *m_form->settingsDialog();
    whenModal(&d, [&] { d.reject(); });
    m_form->bUstawClick();
    EXPECT_TRUE(d.backupPageHidden());
    EXPECT_FALSE(d.pgUstawCzest->isTabVisible(d.pgUstawCzest->indexOf(d.tsBackup)));
    // A local database added later does not bring it back in this run.
    TMyIniFile(m_dir.filePath("brel.ini")).WriteAliasDatabase("ALIAS", "firma", "Firma");
    whenModal(&d, [&] { d.reject(); });
    m_form->bUstawClick();
    EXPECT_FALSE(d.pgUstawCzest->isTabVisible(d.pgUstawCzest->indexOf(d.tsBackup)));
}

TEST_F(SettingsDialogTest, ValuesThatDoNotReadAreSaidOnceAndNeverWrittenOverUnlessSet) {
    // A mistyped hour and no backup schedule at all; the sections and the rest read fine.
    TestSupport::writeFile(m_dir.filePath("brel.ini"),
                           "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Firma\n"
                           "[AsystentSettings]\nASYST.CzestAsys.Str=7\nASYST.GodzAsys.Str=25:99\n"
                           "ASYST.DataAsys.Str=2024-03-01\nASYST.CzynnRyz.Str=T\nASYST.PracAdm.Str=T\n");
    m_form->scheduler().LoadScheduleSettings();
    const QString today = m_app->dates().formatDate(m_app->clock().today());
    TfrmUstaw& d = *m_form->settingsDialog();
    Scheduler& s = m_form->scheduler();
    using F = Scheduler::Field;
    whenModal(&d, [&] {
        ASSERT_EQ(m_messages.shown().size(), 1) << m_messages.texts().join('|').toStdString();
        const QString told = m_messages.shown()[0].text;
        EXPECT_TRUE(told.startsWith(TfrmUstaw::UnreadMessage)) << told.toStdString();
        EXPECT_TRUE(told.contains("Raporty, godzina aktywacji: '25:99'")) << told.toStdString();
        EXPECT_TRUE(told.contains("Backup, częstotliwość aktywacji: brak wartości")) << told.toStdString();
        EXPECT_TRUE(told.contains("Backup, godzina aktywacji")) << told.toStdString();
        // What did read is all there.
        EXPECT_EQ(d.eCzestAsys->text(), "7");
        EXPECT_EQ(d.dtDataAsys->date(), QDate(2024, 3, 1));
        EXPECT_TRUE(d.cbSections[Settings::CzynnRyz]->isChecked());
        EXPECT_TRUE(d.cbSections[Settings::PracAdm]->isChecked());
        EXPECT_EQ(d.seHoryzont->value(), 90);
        EXPECT_FALSE(d.fieldKnown(F::ReportHour));
        EXPECT_FALSE(d.fieldKnown(F::BackupPeriod));

        // Leaving one field stores that field only: the hour that never read stays as stored.
        d.eCzestAsys->setFocus();
        d.eCzestAsys->selectAll();
        QTest::keyClicks(d.eCzestAsys, "14");
        QTest::keyClick(d.eCzestAsys, Qt::Key_Tab);
        EXPECT_EQ(s.text(F::ReportPeriod), "14");
        EXPECT_EQ(s.text(F::ReportHour), "25:99");

        // A period that is not a number is refused when its field is left, and on "Zamknij".
        d.pgUstawCzest->setCurrentWidget(d.tsBackup);
        d.eCzestBackup->setFocus();
        QTest::keyClicks(d.eCzestBackup, "abc");
        QTest::keyClick(d.eCzestBackup, Qt::Key_Tab);
        ASSERT_EQ(m_messages.shown().size(), 2);
        EXPECT_EQ(m_messages.shown()[1].text, "'abc' nie jest poprawną wartością: liczba dni");
        EXPECT_EQ(s.text(F::BackupPeriod), TMyIniFile::Missing);
        d.bOK->click();
        EXPECT_TRUE(d.isVisible()) << "the dialog stays open";
        EXPECT_EQ(m_messages.shown().size(), 3);
        d.eCzestBackup->selectAll();
        QTest::keyClicks(d.eCzestBackup, "3");
        d.bOK->click();
    });
    m_form->bUstawClick();
    TMyIniFile ini(m_dir.filePath("brel.ini"));
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "CzestAsys"), "14");
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "GodzAsys"), "25:99") << "never loaded, never set";
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "DataAsys"), "2024-03-01");
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "CzynnRyz"), "T");
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "PracAdm"), "T");
    EXPECT_EQ(ini.ReadBackupSetting("BACKUP", "CzestBackup"), "3");
    EXPECT_EQ(ini.ReadBackupSetting("BACKUP", "GodzBackup"), TMyIniFile::Missing);
    EXPECT_EQ(ini.ReadBackupSetting("BACKUP", "DataBackup"), today) << "made a date when the schedule loaded";
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "Horyzont"), TMyIniFile::Missing);
}

TEST_F(SettingsDialogTest, TypedHoursAreTakenWhicheverPartOfTheTimeIsSelected) {
    TfrmUstaw& d = *m_form->settingsDialog();
    Scheduler& s = m_form->scheduler();
    struct Case {
        QDateTimeEdit::Section selected;
        const char* typed;
        QTime expected;
    };
    const Case cases[] = {
        {QDateTimeEdit::MinuteSection, "7:30", QTime(7, 30)},
        {QDateTimeEdit::HourSection, "7:30", QTime(7, 30)},
        {QDateTimeEdit::MinuteSection, "0745", QTime(7, 45)},
        {QDateTimeEdit::MinuteSection, "9", QTime(9, 0)}, // the minutes of 06:00 stay
        {QDateTimeEdit::HourSection, "25", QTime(5, 0)},  // "2" then "25" is no hour: "5"
        {QDateTimeEdit::MinuteSection, "23:59", QTime(23, 59)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        whenModal(&d, [&] {
            d.dtGodzAsys->setFocus();
            d.dtGodzAsys->setCurrentSection(c.selected);
            QTest::keyClicks(d.dtGodzAsys, c.typed);
            QTest::keyClick(d.dtGodzAsys, Qt::Key_Tab);
            EXPECT_EQ(d.dtGodzAsys->time(), c.expected);
            EXPECT_EQ(s.text(Scheduler::Field::ReportHour), Scheduler::formatHour(c.expected));
            d.reject();
        });
        m_form->bUstawClick();
        s.setText(Scheduler::Field::ReportHour, "6:00:00");
    }
}
} // namespace
