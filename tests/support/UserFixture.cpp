#include "UserFixture.h"

#include "BCrypt.h"
#include "TPrawaDostepu.h"
#include "Win1250.h"

void UserFixture::SetUp() {
    m_db = TestSupport::createDatabase(m_dir.path());
    TestSupport::addAlias(m_dir.path(), "firma", m_db);
    TestSupport::writeFile(m_dir.filePath("brel.ini"), "[Database]\nAliasName=firma\n");
    m_app = std::make_unique<AppContext>(m_dir.path(), QStringList(), m_messages);
    exec("INSERT INTO OPARAM (ID, POLITYKAHASEL) VALUES (1, 0)");
}

void UserFixture::TearDown() {
    m_app.reset();
}

QString UserFixture::storedHash(const QString& password) {
    return TBCrypt::MakeHash(Win1250::decode(password.toUtf8()), 4);
}

void UserFixture::addUser(int id, const QString& name, const QString& haslo, int rightsValue,
                          const QString& zmianaHasla, int blokUser, int failures) {
    QStringList columns{"ID", "NAZWAUZYTK", "HASLO", "ZMIANAHASLA", "BLOKUSER", "LCBCLOG"};
    SqlQuery q(m_app->karty().GetDatabase());
    QString values = ":id, :name, :haslo, " + zmianaHasla + ", :blok, :lcb";
    for (const QString& f : TPrawaDostepu::fieldNames()) {
        columns << f;
        values += rightsValue < 0 ? QStringLiteral(", NULL") : QStringLiteral(", %1").arg(rightsValue);
    }
    q.prepare("INSERT INTO APRAWADOSTEPU (" + columns.join(", ") + ") VALUES (" + values + ")");
    q.bind("id", id);
    q.bind("name", name);
    q.bind("haslo", haslo);
    q.bind("blok", blokUser);
    q.bind("lcb", failures);
    q.execute();
}

void UserFixture::setPolicy(int value) {
    exec(QStringLiteral("UPDATE OPARAM SET POLITYKAHASEL = %1").arg(value));
}

QString UserFixture::column(int id, const QString& column) {
    SqlQuery q(m_app->karty().GetDatabase());
    q.prepare(QStringLiteral("SELECT %1 AS V FROM APRAWADOSTEPU WHERE ID = %2").arg(column).arg(id));
    q.open();
    const QString v = q.fieldText("V");
    q.close();
    return v;
}

void UserFixture::exec(const QString& sql) {
    SqlQuery::executeDirect(m_app->karty().GetDatabase(), sql);
}
