#include "Mail.h"
#include "MainFormFixture.h"
#include "MyIniFile.h"
#include "SmtpServer.h"
#include "jobs/MailJob.h"
#include "logic/StatisticsText.h"
#include "widgets/TBitBtnWithColor.h"
#include "windows/TfrmStat.h"
#include "windows/TfrmUstaw.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

using namespace kolmasyst;

namespace {

class MailPageTest : public MainFormFixture {
protected:
    void SetUp() override {
        MainFormFixture::SetUp();
        m_passwordFile = m_dir.filePath("haslo");
        TestSupport::writeFile(m_passwordFile, "tajne\n");
        QFile::setPermissions(m_passwordFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    void configure(const QByteArray& mail) {
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               "[Database]\nAliasName=firma\n[AliasDatabases]\n"
                               "ALIAS.firma.Str=Firma\n"
                               "[AsystentSettings]\nASYST.CzestAsys.Str=7\n"
                               "ASYST.GodzAsys.Str=6:00:00\nASYST.DataAsys.Str=2024-03-01\n"
                               "[BackupSettings]\nBACKUP.CzestBackup.Str=1\n"
                               "BACKUP.GodzBackup.Str=22:30:00\n"
                               "BACKUP.DataBackup.Str=2024-03-02\n" +
                                   mail);
        m_form->pTimerTimer(); // the first tick loads the schedule
    }
    QByteArray serverLines(const SmtpServer& server) const {
        return "[Poczta]\nPOCZTA.Wysylka.Str=T\nPOCZTA.Serwer.Str=localhost\nPOCZTA.Port.Str=" +
               QByteArray::number(server.port()) + "\nPOCZTA.PlikCA.Str=" + server.certificate().toUtf8() +
               "\nPOCZTA.Uzytkownik.Str=jan\nPOCZTA.PlikHasla.Str=" + m_passwordFile.toUtf8() +
               "\nPOCZTA.Nadawca.Str=bhp@zaklad.pl\nPOCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n"
               "POCZTA.CzasOczekiwania.Str=2\n";
    }
    QString reports() { return m_app->installation().reportsFolder(m_app->settings(), "firma"); }

    QString m_passwordFile;
};

TEST_F(MailPageTest, ThePageShowsWritesAndRefusesWhatDeliveryUses) {
    configure(
        "[Poczta]\nPOCZTA.Wysylka.Str=T\nPOCZTA.Serwer.Str=poczta.zaklad.pl\nPOCZTA.Zabezpieczenie.Str=TLS\n"
        "POCZTA.Odbiorcy.Str=a@zaklad.pl;b@zaklad.pl\nPOCZTA.Jednostka.ZPO.P.Str=p@zaklad.pl\n"
        "POCZTA.Inne.Str=zostaje\nPOCZTA.CzasOczekiwania.Str=dlugo\n");
    TfrmUstaw& d = *m_form->settingsDialog();
    whenModal(&d, [&] {
        EXPECT_TRUE(d.cbPoczta->isChecked());
        EXPECT_EQ(d.eSerwer->text(), "poczta.zaklad.pl");
        EXPECT_EQ(d.cbZabezpieczenie->currentText(), "TLS");
        EXPECT_EQ(d.eOdbiorcy->text(), "a@zaklad.pl; b@zaklad.pl");
        EXPECT_EQ(d.mJednostki->toPlainText(), "ZPO.P=p@zaklad.pl");
        EXPECT_EQ(d.sePort->text(), QString::fromUtf8("zwykły"));
        // A stored value that does not read is said once and left as it is.
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_TRUE(
            m_messages.shown()[0].text.contains(QString::fromUtf8("Poczta, czas oczekiwania: \"dlugo\"")))
            << m_messages.shown()[0].text.toStdString();
        // A bad address is refused when the dialog closes, with the field to mend.
        m_messages.clear();
        d.mJednostki->setPlainText("ZPO.P=p@zaklad.pl\nZPO.M=magazyn zaklad.pl");
        d.bOK->click();
        EXPECT_TRUE(d.isVisible());
        ASSERT_EQ(m_messages.shown().size(), 1);
        EXPECT_TRUE(m_messages.shown()[0].text.contains(QString::fromUtf8("„magazyn zaklad.pl”")));
        EXPECT_EQ(d.pgKolmAsyst->currentWidget(), d.tsPoczta);
        d.mJednostki->setPlainText("ZPO.P=p@zaklad.pl\nZPO.M=magazyn@zaklad.pl; szef@zaklad.pl");
        d.sePort->setValue(2525);
        d.seJednostki->setValue(1);
        d.bOK->click();
    });
    m_form->bUstawClick();
    const TMyIniFile ini(m_dir.filePath("brel.ini"));
    EXPECT_EQ(ini.ReadMailSetting("POCZTA", "Port"), "2525");
    EXPECT_EQ(ini.ReadMailSetting("POCZTA", "Jednostka.ZPO.M"), "magazyn@zaklad.pl;szef@zaklad.pl");
    EXPECT_EQ(ini.ReadMailSetting("POCZTA", "Inne"), "zostaje") << "lines the page does not know stay";
    EXPECT_EQ(ini.ReadMailSetting("POCZTA", "CzasOczekiwania"), "dlugo")
        << "not set on the page: not written";
    EXPECT_EQ(ini.ReadAsystentSetting("ASYST", "Jednostki"), "1");
    const Mail::Settings read = Mail::Settings::read(ini);
    EXPECT_EQ(read.unitRecipients.size(), 2);
    EXPECT_EQ(read.security, Mail::Security::Tls);
    EXPECT_FALSE(TestSupport::readFile(m_dir.filePath("brel.ini")).contains("haslo"));
}

TEST_F(MailPageTest, TheTestMessageGoesOnAThreadAndShowsTheServersAnswer) {
    SmtpServer silent(SmtpServer::Mode::Silent);
    SmtpServer server(SmtpServer::Mode::StartTls, "jan", "tajne");
    configure(serverLines(silent));
    TfrmUstaw& d = *m_form->settingsDialog();
    whenModal(&d, [&] {
        // A server that never answers: the window goes on meanwhile, and the time-out is said.
        d.bTestClick();
        EXPECT_FALSE(d.bTest->isEnabled());
        EXPECT_TRUE(d.lTest->text().startsWith(QString::fromUtf8("Łączenie z serwerem localhost")))
            << d.lTest->text().toStdString();
        QElapsedTimer t;
        t.start();
        int ticks = 0;
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] { ++ticks; });
        tick.start(50);
        QTRY_VERIFY_WITH_TIMEOUT(d.bTest->isEnabled(), 15000);
        EXPECT_GT(ticks, 10) << "the event loop ran while the server kept silent";
        EXPECT_TRUE(d.lTest->text().startsWith(QString::fromUtf8("Nie wysłano: ")))
            << d.lTest->text().toStdString();

        // The real server: the answer is shown.
        d.sePort->setValue(server.port());
        d.ePlikCA->setText(server.certificate());
        d.bTestClick();
        QTRY_VERIFY_WITH_TIMEOUT(d.bTest->isEnabled(), 15000);
        EXPECT_TRUE(d.lTest->text().startsWith(QString::fromUtf8("Wysłano. Serwer: 250")))
            << d.lTest->text().toStdString();
        d.reject();
    });
    m_form->bUstawClick();
    const QJsonArray got = server.messages();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0]["to"].toArray(), QJsonArray{"dyrektor@zaklad.pl"});
    EXPECT_EQ(got[0]["subject"].toString(), QString::fromUtf8("Wiadomość próbna asystenta systemu KOLM"));
}

TEST_F(MailPageTest, TheHourlyCheckSendsWhatARunLeftPendingAndTheStatisticsTellIt) {
    SmtpServer server(SmtpServer::Mode::StartTls, "jan", "tajne");
    configure(serverLines(server));
    Mail::Message m;
    m.id = "20261210-firma-00-abc";
    m.to = {"dyrektor@zaklad.pl"};
    m.subject = QString::fromUtf8("Raport podsumowujący – Firma – 2026-12-10");
    m.body = "Treść";
    Mail::Outbox(reports()).add(m, QDateTime(QDate(2026, 12, 10), QTime(6, 0)));
    EXPECT_TRUE(StatisticsText::mailLines(*m_app).join('\n').contains("czeka na wysłanie"));

    m_form->retryPendingMail();
    QTRY_COMPARE_WITH_TIMEOUT(server.messages().size(), 1, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->mailJob().running(), 5000);
    EXPECT_EQ(Mail::Outbox(reports()).entries()[0].state, Mail::Outbox::State::Sent);
    // At the next check it is not sent again.
    m_form->retryPendingMail();
    QTRY_VERIFY_WITH_TIMEOUT(!m_form->mailJob().running(), 5000);
    EXPECT_EQ(server.messages().size(), 1);

    TfrmStat& window = *m_form->statisticsWindow();
    whenModal(&window, [&] { window.bEnd->click(); });
    m_form->mStatysClick();
    const QString text = window.mStat->toPlainText();
    EXPECT_TRUE(text.contains(QString::fromUtf8("Ostatnia wysyłka raportu pocztą : ")) &&
                text.contains(QString::fromUtf8("– wysłana")))
        << text.toStdString();
    EXPECT_TRUE(text.contains("odpowiedź serwera: 250")) << text.toStdString();
}

} // namespace
