#include "AppContext.h"
#include "InProcessRun.h"
#include "Mail.h"
#include "MyIniFile.h"
#include "RunHistory.h"
#include "SmtpServer.h"
#include "TfrmRaport.h"
#include "UserFixture.h"
#include "Win1250.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QProcess>

using namespace kolmrap;

namespace {

// kolmrap's run on the demo organisation with delivery by e-mail, against a real SMTP server.
class MailDeliveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_db = TestSupport::createDemoDatabase(m_dir.path());
        m_passwordFile = m_dir.filePath("haslo");
        TestSupport::writeFile(m_passwordFile, "tajne hasło\n");
        QFile::setPermissions(m_passwordFile, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
    // The configuration with every section, the workbook, the units of level 1 and [Poczta].
    void configure(const SmtpServer& server, const QByteArray& mail) {
        // The configuration file is in the code page of the suite's files.
        TestSupport::writeFile(
            m_dir.filePath("brel.ini"),
            Win1250::encode(QString::fromUtf8(
                "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Zakład Łódź\n"
                "[AsystentSettings]\nASYST.DataAsys.Str=2026-01-01\nASYST.Arkusz.Str=T\nASYST.Jednostki.Str="
                "1\n" +
                TestSupport::allSectionsOn() +
                "[Poczta]\nPOCZTA.Wysylka.Str=T\nPOCZTA.Serwer.Str=localhost\nPOCZTA.Port.Str=" +
                QByteArray::number(server.port()) + "\nPOCZTA.PlikCA.Str=" + server.certificate().toUtf8() +
                "\nPOCZTA.Nadawca.Str=bhp@zaklad.pl\nPOCZTA.CzasOczekiwania.Str=3\n" + mail)));
    }
    QByteArray login() const {
        return "POCZTA.Uzytkownik.Str=jan\nPOCZTA.PlikHasla.Str=" + m_passwordFile.toUtf8() + "\n";
    }
    bool run(QStringList* said = nullptr) {
        const InProcessRun r =
            runReportInProcess(m_dir.path(), {"0", "admin", "Admin123!"}, m_messages, m_clock);
        if (said)
            *said = r.said;
        return r.succeeded;
    }
    QString reports() const { return m_dir.filePath("firma/Raporty"); }
    QString lastReport() const {
        return TMyIniFile(m_dir.filePath("brel.ini")).ReadAsystentSetting("ASYST", "DataAsys");
    }
    QVector<Mail::Outbox::Entry> outbox() const { return Mail::Outbox(reports()).entries(); }

    QTemporaryDir m_dir;
    QString m_db;
    QString m_passwordFile;
    ScriptedMessages m_messages;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(6, 0))};
};

TEST_F(MailDeliveryTest, TheOrganisationAndEachUnitGetTheirOwnMessage) {
    SmtpServer server(SmtpServer::Mode::StartTls, "jan", QString::fromUtf8("tajne hasło"));
    configure(server, login() + "POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl; kierownik@zaklad.pl\n"
                                "POCZTA.Jednostka.ZPO.P.Str=produkcja@zaklad.pl\n"
                                "POCZTA.Jednostka.ZPO.M.Str=magazyn@zaklad.pl;szef@magazyn.pl\n");
    QStringList said;
    ASSERT_TRUE(run(&said)) << said.join('\n').toStdString();
    EXPECT_EQ(lastReport(), "2026-12-10");
    const QJsonArray got = server.messages();
    ASSERT_EQ(got.size(), 3) << said.join('\n').toStdString();

    // The organisation's: its recipients, the subject with the database's Polish name (encoded
    // on the wire), the body's figures from the run, the workbook and the PDFs.
    const QJsonObject org = got[0].toObject();
    EXPECT_EQ(org["from"].toString(), "bhp@zaklad.pl");
    EXPECT_EQ(org["to"].toArray(), (QJsonArray{"dyrektor@zaklad.pl", "kierownik@zaklad.pl"}));
    EXPECT_EQ(org["subject"].toString(),
              QString::fromUtf8("Raport podsumowujący – Zakład Łódź – 2026-12-10"));
    EXPECT_TRUE(org["rawHeaders"].toString().contains("Subject: =?UTF-8?B?"))
        << org["rawHeaders"].toString().toStdString();
    const QString body = org["body"].toString();
    for (const RunHistory::Line& l : RunHistory::read(reports())) {
        if (l.section == RunHistory::LapseLine)
            EXPECT_TRUE(body.contains(QString::fromUtf8("wygasające w ciągu 30 dni: %1").arg(l.lapsing30)))
                << body.toStdString();
        else
            EXPECT_TRUE(body.contains(QRegularExpression(QString("\\n%1 +%2 ").arg(l.section).arg(l.rows))))
                << l.section.toStdString() << "\n"
                << body.toStdString();
    }
    EXPECT_TRUE(body.contains(QString::fromUtf8("   Wykaz czynników nie mierzonych\n")))
        << "each section's title";
    const QJsonArray files = org["attachments"].toArray();
    ASSERT_EQ(files.size(), 10) << "the workbook and the nine PDFs";
    EXPECT_EQ(files[0]["name"].toString(), "Raport2026-12-10.xlsx");
    const QJsonArray book = TestSupport::readWorkbook(files[0]["path"].toString());
    EXPECT_EQ(book, TestSupport::readWorkbook(reports() + "/Arkusz/Raport2026-12-10.xlsx"));
    EXPECT_EQ(files[1]["type"].toString(), "application/pdf");

    // Each unit: its recipients, its own workbook, no PDFs of the whole organisation.
    const QJsonObject production = got[2].toObject()["to"].toArray().first() == "produkcja@zaklad.pl"
                                       ? got[2].toObject()
                                       : got[1].toObject();
    EXPECT_TRUE(production["subject"].toString().endsWith("[ZPO.P] Produkcja"));
    const QJsonArray own = production["attachments"].toArray();
    ASSERT_EQ(own.size(), 1);
    EXPECT_EQ(TestSupport::readWorkbook(own[0]["path"].toString()),
              TestSupport::readWorkbook(reports() + "/Arkusz/ZPO.P/Raport2026-12-10.xlsx"));
    EXPECT_TRUE(production["body"].toString().contains("Jednostka: [ZPO.P] Produkcja"));

    // Each message went once and is recorded as sent.
    for (const Mail::Outbox::Entry& e : outbox())
        EXPECT_EQ(e.state, Mail::Outbox::State::Sent) << e.lastReply.toStdString();
    QString problem;
    EXPECT_TRUE(
        Mail::deliverPending(TMyIniFile(m_dir.filePath("brel.ini")), {reports()}, m_clock.now(), {}, &problem)
            .isEmpty());
    EXPECT_EQ(server.messages().size(), 3);
}

TEST_F(MailDeliveryTest, PdfsOverTheLimitStayInTheirFolderAndTheBodySaysWhere) {
    SmtpServer server(SmtpServer::Mode::Tls);
    configure(server, "POCZTA.Zabezpieczenie.Str=TLS\nPOCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n"
                      "POCZTA.LimitPdf.Str=0.05\n");
    QStringList said;
    ASSERT_TRUE(run(&said)) << said.join('\n').toStdString();
    const QJsonArray got = server.messages();
    ASSERT_EQ(got.size(), 1) << said.join('\n').toStdString();
    EXPECT_EQ(got[0]["attachments"].toArray().size(), 1) << "the workbook alone";
    const QString body = got[0]["body"].toString();
    EXPECT_TRUE(body.contains(QString::fromUtf8("nie zostały dołączone, bo przekraczają limit 0,1 MB")) ||
                body.contains(QString::fromUtf8("nie zostały dołączone, bo przekraczają limit 0,0 MB")))
        << body.toStdString();
    EXPECT_TRUE(body.contains("Raporty są w folderze: " + reports())) << body.toStdString();
}

TEST_F(MailDeliveryTest, AFailedDeliveryLeavesTheReportDoneAndTheMessagePendingUntilTheNextCheck) {
    struct Case {
        const char* name;
        SmtpServer::Mode mode;
        QByteArray password;
        const char* said;
    };
    const Case cases[] = {
        {"refused login", SmtpServer::Mode::StartTls, "inne hasło", "535"},
        {"server silent", SmtpServer::Mode::Silent, "tajne hasło", "imeout"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_dir.filePath("firma")).removeRecursively();
        QStringList said;
        {
            SmtpServer server(c.mode, "jan", QString::fromUtf8(c.password));
            configure(server, login() + "POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n");
            ASSERT_TRUE(run(&said)) << "delivery never decides the run";
            EXPECT_EQ(lastReport(), "2026-12-10");
            EXPECT_TRUE(server.messages().isEmpty());
        }
        const QString lines = said.join('\n');
        EXPECT_TRUE(lines.contains("Poczta: nie wysłano") && lines.contains(c.said)) << lines.toStdString();
        ASSERT_EQ(outbox().size(), 1);
        EXPECT_EQ(outbox()[0].state, Mail::Outbox::State::Pending);
        EXPECT_EQ(outbox()[0].attempts, 1);

        // The assistant's next check sends it, once, to a server that answers.
        SmtpServer good(SmtpServer::Mode::StartTls, "jan", QString::fromUtf8("tajne hasło"));
        configure(good, login() + "POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n");
        QString problem;
        const auto tried = Mail::deliverPending(TMyIniFile(m_dir.filePath("brel.ini")), {reports()},
                                                m_clock.now(), {}, &problem);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        ASSERT_EQ(tried.size(), 1);
        EXPECT_EQ(tried[0].entry.state, Mail::Outbox::State::Sent) << tried[0].entry.lastReply.toStdString();
        EXPECT_TRUE(tried[0].entry.lastReply.startsWith("250")) << tried[0].entry.lastReply.toStdString();
        EXPECT_EQ(good.messages().size(), 1);
        EXPECT_TRUE(Mail::deliverPending(TMyIniFile(m_dir.filePath("brel.ini")), {reports()}, m_clock.now(),
                                         {}, &problem)
                        .isEmpty());
        EXPECT_EQ(good.messages().size(), 1) << "never sent twice";
    }
}

TEST_F(MailDeliveryTest, ABadAddressOrAPasswordAnyoneCanReadIsRefusedBeforeSending) {
    SmtpServer server(SmtpServer::Mode::StartTls, "jan", QString::fromUtf8("tajne hasło"));
    const std::pair<QByteArray, const char*> cases[] = {
        {"POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl; kierownik zaklad.pl\n", "kierownik zaklad.pl"},
        {"POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\nPOCZTA.Jednostka.ZPO.P.Str=<x@y.pl>\n", "<x@y.pl>"},
        {"POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\r\nBcc: obcy@x.pl\n", nullptr},
    };
    for (const auto& [mail, bad] : cases) {
        SCOPED_TRACE(mail.toStdString());
        configure(server, login() + mail);
        QStringList said;
        ASSERT_TRUE(run(&said));
        const QString lines = said.join('\n');
        if (bad) {
            EXPECT_TRUE(lines.contains(QString::fromUtf8("błędny adres")) && lines.contains(bad))
                << lines.toStdString();
            EXPECT_TRUE(server.messages().isEmpty());
        }
        EXPECT_TRUE(outbox().isEmpty() || bad == nullptr);
    }
    // A line of its own in the configuration is no header of the message.
    for (const QJsonValue& m : server.messages())
        EXPECT_FALSE(m["rawHeaders"].toString().contains("Bcc")) << m["rawHeaders"].toString().toStdString();

    QDir(m_dir.filePath("firma")).removeRecursively();
    configure(server, login() + "POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n");
    QFile::setPermissions(m_passwordFile,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
    QStringList said;
    const int before = int(server.messages().size());
    ASSERT_TRUE(run(&said));
    EXPECT_TRUE(said.join('\n').contains(QString::fromUtf8("może czytać każdy użytkownik")))
        << said.join('\n').toStdString();
    EXPECT_EQ(server.messages().size(), before);
    ASSERT_EQ(outbox().size(), 1) << "kept for when the file is mended";
    EXPECT_EQ(outbox()[0].state, Mail::Outbox::State::Pending);
}

TEST_F(MailDeliveryTest, AMessageWhoseSenderWasKilledMidWayIsNeverSentAgain) {
    SmtpServer server(SmtpServer::Mode::StartTls);
    configure(server, "POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n");
    Mail::Message m;
    m.id = "20261210-firma-00-killed";
    m.to = {"dyrektor@zaklad.pl"};
    m.subject = "Raport";
    Mail::Outbox(reports()).add(m, m_clock.now());
    // As a sender leaves it when killed between marking it and the server's answer.
    const QString file = Mail::Outbox::folderIn(reports()) + "/" + m.id + ".json";
    QByteArray json = TestSupport::readFile(file);
    json.replace(QString::fromUtf8("\"oczekuje\"").toUtf8(), QString::fromUtf8("\"wysyłana\"").toUtf8());
    TestSupport::writeFile(file, json);
    QString problem;
    const auto tried = Mail::deliverPending(TMyIniFile(m_dir.filePath("brel.ini")), {reports()},
                                            m_clock.now(), {}, &problem);
    ASSERT_EQ(tried.size(), 1);
    EXPECT_EQ(tried[0].entry.state, Mail::Outbox::State::Unknown);
    EXPECT_TRUE(
        Mail::deliverPending(TMyIniFile(m_dir.filePath("brel.ini")), {reports()}, m_clock.now(), {}, &problem)
            .isEmpty());
    EXPECT_TRUE(server.messages().isEmpty());
}

TEST_F(MailDeliveryTest, AKeptMessageGoesOnlyToConfiguredRecipientsWithReportFilesOfItsFolder) {
    SmtpServer server(SmtpServer::Mode::StartTls);
    configure(server, "POCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n");
    ASSERT_TRUE(run());
    ASSERT_EQ(server.messages().size(), 1);
    // Files another member of the group could put among the kept messages.
    const QString secret = m_dir.filePath("prywatne.txt");
    TestSupport::writeFile(secret, "tajemnica");
    QFile::link(secret, reports() + "/link.pdf");
    const std::pair<QStringList, QString> planted[] = {
        {{"obcy@example.com"}, QString()},
        {{"dyrektor@zaklad.pl"}, secret},
        {{"dyrektor@zaklad.pl"}, reports() + "/../../prywatne.txt"},
        {{"dyrektor@zaklad.pl"}, reports() + "/link.pdf"},
    };
    int n = 0;
    for (const auto& [to, attachment] : planted) {
        Mail::Message m;
        m.id = QString("20261210-obca-%1").arg(n++);
        m.to = to;
        m.subject = "Obca";
        if (!attachment.isEmpty())
            m.attachments << Mail::Attachment{attachment, "text/plain"};
        Mail::Outbox(reports()).add(m, m_clock.now());
    }
    QString problem;
    const auto tried = Mail::deliverPending(TMyIniFile(m_dir.filePath("brel.ini")), {reports()},
                                            m_clock.now(), {}, &problem);
    ASSERT_EQ(tried.size(), 4);
    for (const Mail::Delivery& d : tried) {
        SCOPED_TRACE(d.entry.message.id.toStdString());
        EXPECT_EQ(d.entry.state, Mail::Outbox::State::GivenUp) << d.entry.lastReply.toStdString();
    }
    EXPECT_EQ(server.messages().size(), 1) << "nothing of them went";
}

TEST_F(MailDeliveryTest, APasswordGoesOnlyFromAGroupFileAndOnlyEncrypted) {
    QString error;
    EXPECT_EQ(Mail::readPassword(m_passwordFile, m_dir.filePath("brel.ini"), &error),
              QString::fromUtf8("tajne hasło"));
    TestSupport::writeFile(m_dir.filePath("brel.ini"), "");
    // A file of another group (one of the user's own, named by someone in the shared file).
    QProcess chgrp;
    chgrp.start("chgrp", {"nogroup", m_passwordFile});
    chgrp.waitForFinished();
    if (chgrp.exitCode() == 0) {
        EXPECT_TRUE(Mail::readPassword(m_passwordFile, m_dir.filePath("brel.ini"), &error).isEmpty());
        EXPECT_TRUE(error.contains(QString::fromUtf8("nie należy do grupy"))) << error.toStdString();
    }
    Mail::Settings s;
    s.server = "poczta.zaklad.pl";
    s.sender = "bhp@zaklad.pl";
    s.user = "jan";
    s.passwordFile = m_passwordFile;
    s.security = Mail::Security::None;
    EXPECT_TRUE(s.problem().contains("otwartym tekstem")) << s.problem().toStdString();
    s.security = Mail::Security::StartTls;
    EXPECT_TRUE(s.problem().isEmpty()) << s.problem().toStdString();
}

} // namespace

namespace {

// The program as the assistant's schedule starts it, on the demo, with delivery on.
TEST(MailDeliveryProcessTest, AScheduledRunSendsTheOrganisationsAndEachUnitsMessage) {
    QTemporaryDir programs, runtime;
    const QString program = TestSupport::installProgram("kolmrap", programs.path());
    TestSupport::createDemoDatabase(programs.path());
    SmtpServer server(SmtpServer::Mode::StartTls);
    TestSupport::writeFile(
        programs.filePath("brel.ini"),
        "[Database]\nAliasName=firma\n[AliasDatabases]\nALIAS.firma.Str=Firma\n[AsystentSettings]\n"
        "ASYST.Arkusz.Str=T\nASYST.Jednostki.Str=1\n" +
            TestSupport::allSectionsOn() +
            "[Poczta]\nPOCZTA.Wysylka.Str=T\nPOCZTA.Serwer.Str=localhost\nPOCZTA.Port.Str=" +
            QByteArray::number(server.port()) + "\nPOCZTA.PlikCA.Str=" + server.certificate().toUtf8() +
            "\nPOCZTA.Nadawca.Str=bhp@zaklad.pl\nPOCZTA.Odbiorcy.Str=dyrektor@zaklad.pl\n"
            "POCZTA.Jednostka.ZPO.A.Str=a@zaklad.pl\nPOCZTA.Jednostka.ZPO.M.Str=m@zaklad.pl\n"
            "POCZTA.Jednostka.ZPO.P.Str=p@zaklad.pl\nPOCZTA.Jednostka.ZPO.U.Str=u@zaklad.pl\n");
    const auto r = TestSupport::run(program, {"0", "admin", "Admin123!"}, runtime.path());
    ASSERT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    const QJsonArray got = server.messages();
    ASSERT_EQ(got.size(), 5) << r.stdErr.toStdString();
    QStringList to;
    for (const QJsonValue& m : got)
        to << m["to"].toArray().first().toString();
    EXPECT_EQ(
        to, (QStringList{"dyrektor@zaklad.pl", "a@zaklad.pl", "m@zaklad.pl", "p@zaklad.pl", "u@zaklad.pl"}));
    EXPECT_EQ(r.stdErr.count("Poczta: wysłano"), 5) << r.stdErr.toStdString();
}

} // namespace
