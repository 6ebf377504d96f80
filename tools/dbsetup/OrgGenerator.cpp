#include "OrgGenerator.h"

#include "DatabaseFactory.h"
#include "DbEngine.h"
#include "Errors.h"
#include "Passwords.h"
#include "TPrawaDostepu.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <random>

namespace {

const char* const kSurnames[] = {"Nowak",     "Kowalski",    "Wiśniewski", "Wójcik",     "Kowalczyk",
                                 "Kamiński",  "Lewandowski", "Zieliński",  "Szymański",  "Woźniak",
                                 "Dąbrowski", "Kozłowski",   "Jankowski",  "Mazur",      "Kwiatkowski",
                                 "Krawczyk",  "Piotrowski",  "Grabowski",  "Nowakowski", "Pawłowski",
                                 "Michalski", "Król",        "Wieczorek",  "Jabłoński",  "Wróbel"};
const char* const kNames[] = {"Anna",    "Piotr",     "Katarzyna", "Krzysztof", "Małgorzata",
                              "Andrzej", "Agnieszka", "Tomasz",    "Barbara",   "Paweł",
                              "Ewa",     "Michał",    "Krystyna",  "Marcin",    "Elżbieta",
                              "Łukasz",  "Zofia",     "Jakub",     "Żaneta",    "Grzegorz"};
const char* const kStations[] = {"Spawacz",     "Tokarz",     "Frezer",         "Ślusarz",
                                 "Lakiernik",   "Magazynier", "Operator wózka", "Elektryk",
                                 "Monter",      "Szlifierz",  "Kierowca",       "Pracownik biurowy",
                                 "Księgowa",    "Laborant",   "Operator prasy", "Pakowacz",
                                 "Konserwator", "Malarz",     "Stolarz",        "Brygadzista"};
const char* const kFactors[] = {"Hałas",
                                "Pył całkowity",
                                "Pył respirabilny",
                                "Drgania miejscowe",
                                "Drgania ogólne",
                                "Oświetlenie",
                                "Mikroklimat gorący",
                                "Mikroklimat zimny",
                                "Toluen",
                                "Ksylen",
                                "Formaldehyd",
                                "Promieniowanie UV",
                                "Pole elektromagnetyczne",
                                "Ozon",
                                "Tlenek węgla",
                                "Dwutlenek azotu",
                                "Mangan",
                                "Chrom VI",
                                "Ołów",
                                "Benzen"};
const char* const kGroups[] = {
    "Obuwie robocze",    "Rękawice ochronne", "Odzież robocza",        "Okulary ochronne", "Kask",
    "Ochronniki słuchu", "Półmaska",          "Szelki bezpieczeństwa", "Fartuch",          "Przyłbica"};

// One transaction for all inserts: the driver ties prepared statements to the transaction that
// was open when they were prepared.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db) : m_db(db) { begin(); }
    void commit() {
        if (!m_db.commit())
            DbEngine::raise(m_db.lastError());
    }

private:
    void begin() {
        if (!m_db.transaction())
            DbEngine::raise(m_db.lastError());
    }
    QSqlDatabase m_db;
};

class Inserter {
public:
    Inserter(QSqlDatabase db, Transaction&, const QString& sql) : m_query(db) {
        if (!m_query.prepare(sql))
            DbEngine::raise(m_query.lastError());
    }
    void row(const QVariantList& values) {
        for (int i = 0; i < values.size(); ++i)
            m_query.bindValue(i, values[i]);
        if (!m_query.exec())
            DbEngine::raise(m_query.lastError());
    }
    void finish() { m_query.clear(); }

private:
    QSqlQuery m_query;
};

QVariant dateOrNull(const QDate& d) {
    return d.isValid() ? QVariant(d) : QVariant(QMetaType(QMetaType::QDate));
}

} // namespace

namespace OrgGenerator {

Size sizeNamed(const QString& name) {
    const Size large{20000, 60000, 80000, 40000, 15, 30000, 100000};
    int divisor = 0;
    if (name == QLatin1String("large"))
        divisor = 1;
    else if (name == QLatin1String("medium"))
        divisor = 4;
    else if (name == QLatin1String("small"))
        divisor = 40;
    else
        throw EKolmError(QStringLiteral("Unknown size: %1 (small, medium, large)").arg(name));
    return {large.workstations / divisor, large.persons / divisor, large.employments / divisor,
            large.surveys / divisor,      large.factorsPerSurvey,  large.safetyItems / divisor,
            large.safetyEntries / divisor};
}

Counts generate(const QString& path, const Size& size, unsigned seed, const QDate& today) {
    DatabaseFactory::Options options;
    options.forcedWrites = false;
    DatabaseFactory::createWithSchema(path, options);
    Counts counts;
    std::mt19937 rng(seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<double>(0.0, 1.0)(rng) < p; };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    auto daysAround = [&](int before, int after) {
        return today.addDays(std::uniform_int_distribution<int>(-before, after)(rng));
    };

    const QString connection = QStringLiteral("orggen");
    try {
        QSqlDatabase db = DbEngine::openServerName(path, connection);
        Transaction tx(db);
        // Structure: five levels, the workstations at the bottom.
        QVector<int> stations;
        {
            Inserter ins(
                db, tx,
                QStringLiteral("INSERT INTO OSTRUKT (ID, IDRODZSTRUKT, NRPOZ, TYPSTRUKT, NAZWA, SKROTNAZWA, "
                               "KOD, USUNIETY, DATAUTW, DATAUSUN) VALUES (?,?,?,?,?,?,?,?,?,?)"));
            const int fanout[] = {2, 10, 10, 10};
            const int perLevel[5] = {2, 20, 200, 2000, size.workstations};
            const char* const levelNames[] = {"Zakład", "Pion", "Wydział", "Oddział"};
            QVector<int> parents{0};
            QVector<QString> parentCodes{QString()};
            int nextId = 1;
            for (int level = 0; level < 5; ++level) {
                QVector<int> ids;
                QVector<QString> codes;
                const int count =
                    level < 4 ? qMin(perLevel[level], parents.size() * fanout[level]) : perLevel[level];
                for (int i = 0; i < count; ++i) {
                    const int parentIndex = level == 0 ? 0 : i % parents.size();
                    const int id = nextId++;
                    const QString code =
                        (level == 0 ? QString() : parentCodes[parentIndex] + QLatin1Char('.')) +
                        QString::number(i / qMax(1, parents.size()) + 1).rightJustified(2, QLatin1Char('0'));
                    const bool station = level == 4;
                    const QString name = station ? QString::fromUtf8(kStations[pick(20)]) + QLatin1Char(' ') +
                                                       QString::number(id)
                                                 : QString::fromUtf8(levelNames[level]) + QLatin1Char(' ') +
                                                       QString::number(i + 1);
                    QDate created = today.addDays(-3000);
                    QDate removed;
                    int removedFlag = 0;
                    const double r = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
                    if (station && r < 0.02) {
                        removedFlag = 1;
                        removed = daysAround(1000, -1);
                    } else if (station && r < 0.03) {
                        created = daysAround(-1, 200);
                    } else if (station && r < 0.04) {
                        removedFlag = 1;
                        removed = daysAround(-1, 300);
                    }
                    ins.row({id, level == 0 ? 0 : parents[parentIndex], level, station ? 1 : 0, name, name,
                             code, removedFlag, created, dateOrNull(removed)});
                    ids << id;
                    codes << code;
                    if (station)
                        stations << id;
                }
                parents = ids;
                parentCodes = codes;
                counts.nodes += count;
            }
            ins.finish();
            counts.workstations = stations.size();
        }
        {
            Inserter ins(
                db, tx,
                QStringLiteral("INSERT INTO ODANOS (IDOSOBY, NAZWISKO, IMIE, PESEL) VALUES (?,?,?,?)"));
            for (int i = 1; i <= size.persons; ++i)
                ins.row({i, QString::fromUtf8(kSurnames[pick(25)]), QString::fromUtf8(kNames[pick(20)]),
                         QStringLiteral("%1").arg(50000000000LL + i * 7919LL % 49999999999LL)});
            ins.finish();
            counts.persons = size.persons;
        }
        {
            Inserter ins(
                db, tx, QStringLiteral("INSERT INTO OPRACOW (ID, IDPRAC, IDSTAN, DATAZAK) VALUES (?,?,?,?)"));
            for (int i = 1; i <= size.employments; ++i)
                ins.row({i, 1 + pick(size.persons), stations[pick(stations.size())],
                         dateOrNull(chance(0.25) ? daysAround(2000, -1) : QDate())});
            ins.finish();
            counts.employments = size.employments;
        }
        {
            Inserter dict(db, tx, QStringLiteral("INSERT INTO DCZYNN (ID, NAZWA) VALUES (?,?)"));
            for (int i = 1; i <= 20; ++i)
                dict.row({i, QString::fromUtf8(kFactors[i - 1])});
            dict.finish();
        }
        {
            Inserter surveys(db, tx, QStringLiteral("INSERT INTO OSESPOM (ID, IDSTAN, DATA) VALUES (?,?,?)"));
            Inserter factors(
                db, tx,
                QStringLiteral("INSERT INTO PCZYNSES (ID, IDSESJAPOM, IDCZYNN, DATAPOM, TERMNASTBAD, "
                               "OCENAKOMP) VALUES (?,?,?,?,?,?)"));
            Inserter protection(db, tx, QStringLiteral("INSERT INTO OOCHSESO (ID, IDSESJI) VALUES (?,?)"));
            Inserter prevention(db, tx, QStringLiteral("INSERT INTO OPROFORG (ID, IDSESJA) VALUES (?,?)"));
            int factorId = 0, protectionId = 0, preventionId = 0;
            for (int s = 1; s <= size.surveys; ++s) {
                const QDate date = chance(0.02) ? daysAround(-1, 100) : daysAround(1100, 0);
                surveys.row({s, stations[pick(stations.size())], date});
                for (int f = 0; f < size.factorsPerSurvey; ++f) {
                    const QDate measured = chance(0.04) ? QDate() : date;
                    const double score = chance(0.03) ? 30 + pick(20) : pick(30);
                    factors.row(
                        {++factorId, s, 1 + (f + s) % 20, dateOrNull(measured), daysAround(200, 600), score});
                }
                if (chance(0.85))
                    protection.row({++protectionId, s});
                if (chance(0.8))
                    prevention.row({++preventionId, s});
            }
            surveys.finish();
            factors.finish();
            protection.finish();
            prevention.finish();
            counts.surveys = size.surveys;
            counts.factorRows = factorId;
        }
        {
            Inserter finalSel(db, tx,
                              QStringLiteral("INSERT INTO BDDOBOROSTATECZNY (ID, IDSTANOW) VALUES (?,?)"));
            Inserter choice(db, tx, QStringLiteral("INSERT INTO BDWYBOROCHR (ID, IDSTANOW) VALUES (?,?)"));
            int a = 0, b = 0;
            for (int station : stations) {
                if (chance(0.6))
                    finalSel.row({++a, station});
                if (chance(0.5))
                    choice.row({++b, station});
            }
            finalSel.finish();
            choice.finish();
        }
        {
            // Fifty groups in a small tree: five folders of nine groups, five groups at the top.
            Inserter groups(
                db, tx,
                QStringLiteral("INSERT INTO BHPGRUPY (ID, IDRODZSTRUKT, NAZWA, TYPSTRUKT, OKRESOWE) "
                               "VALUES (?,?,?,?,?)"));
            QVector<int> leafGroups;
            int id = 0;
            for (int folder = 0; folder < 5; ++folder) {
                const int folderId = ++id;
                groups.row({folderId, 0, QStringLiteral("Katalog %1").arg(folder + 1), 0, 0});
                for (int g = 0; g < 9; ++g) {
                    groups.row({++id, folderId,
                                QString::fromUtf8(kGroups[(folder + g) % 10]) + QStringLiteral(" %1").arg(id),
                                1, chance(0.8) ? 1 : 0});
                    leafGroups << id;
                }
            }
            for (int g = 0; g < 5; ++g) {
                groups.row({++id, 0, QString::fromUtf8(kGroups[g]) + QStringLiteral(" ogólne"), 1, 1});
                leafGroups << id;
            }
            groups.finish();

            Inserter items(
                db, tx,
                QStringLiteral(
                    "INSERT INTO BHPDANE (ID, IDSTAN, IDPRAC, IDBHP, DATAUSUN) VALUES (?,?,?,?,?)"));
            for (int i = 1; i <= size.safetyItems; ++i)
                items.row({i, stations[pick(stations.size())], chance(0.5) ? 0 : 1 + pick(size.persons),
                           leafGroups[pick(leafGroups.size())],
                           dateOrNull(chance(0.05) ? daysAround(700, 200) : QDate())});
            items.finish();
            Inserter entries(
                db, tx, QStringLiteral("INSERT INTO BHPDANE_SZ (ID, IDBHPDANE, DATAWAZ) VALUES (?,?,?)"));
            for (int i = 1; i <= size.safetyEntries; ++i) {
                const double r = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
                const QDate valid = r < 0.05   ? QDate()
                                    : r < 0.07 ? QDate(1899, 12, 30)
                                               : daysAround(700, 700);
                entries.row({i, 1 + pick(size.safetyItems), dateOrNull(valid)});
            }
            entries.finish();
            counts.safetyItems = size.safetyItems;
            counts.safetyEntries = size.safetyEntries;
        }
        {
            Inserter param(db, tx, QStringLiteral("INSERT INTO OPARAM (ID, POLITYKAHASEL) VALUES (?,?)"));
            param.row({1, 0});
            param.finish();
            // The user the report runs as: every right, password "Admin123!".
            QStringList columns{QStringLiteral("ID"), QStringLiteral("NAZWAUZYTK"), QStringLiteral("HASLO")};
            QStringList marks{QStringLiteral("?"), QStringLiteral("?"), QStringLiteral("?")};
            QVariantList values{1, QStringLiteral("admin"), HashPassword(QStringLiteral("Admin123!"))};
            for (const QString& right : TPrawaDostepu::fieldNames()) {
                columns << right;
                marks << QStringLiteral("?");
                values << 1;
            }
            Inserter user(db, tx,
                          QStringLiteral("INSERT INTO APRAWADOSTEPU (%1) VALUES (%2)")
                              .arg(columns.join(QLatin1Char(',')), marks.join(QLatin1Char(','))));
            user.row(values);
            user.finish();
        }
        tx.commit();
    } catch (...) {
        DbEngine::closeConnection(connection);
        throw;
    }
    DbEngine::closeConnection(connection);
    return counts;
}

} // namespace OrgGenerator
