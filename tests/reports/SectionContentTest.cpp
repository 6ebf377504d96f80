#include "AppContext.h"
#include "DatabaseFactory.h"
#include "SectionReport.h"
#include "Sections.h"
#include "TfrmRaport.h"
#include "UserFixture.h"

#include <QMap>
#include <QRegularExpression>

using namespace kolmrap;

namespace {

// What each section prints on the demo organisation, read from the report's walk without a PDF.
class SectionContentTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestSupport::createDemoDatabase(m_dir.path());
        TestSupport::writeFile(m_dir.filePath("brel.ini"),
                               "[AliasDatabases]\nALIAS.firma.Str=Firma\n[PathDatabases]\n"
                               "ASYST.firma.Str=\n[AsystentSettings]\n"
                               "ASYST.SortStrukList.Str=Kod\n" +
                                   TestSupport::allSectionsOn());
        AppContext app(m_dir.path(), {"0", "admin", "Admin123!"}, m_messages);
        app.setClock(m_clock);
        TfrmRaport form(app);
        form.setSectionObserver([this](const SectionDescription& section, SectionReport& report) {
            m_records[section.index] = report.executeToRecord();
        });
        ASSERT_TRUE(form.FormCreate()) << m_messages.texts().join('|').toStdString();
        ASSERT_EQ(m_records.size(), 9);
    }

    // The printed text of a component in every band of that name, in print order.
    QStringList texts(int section, const QString& band, const QString& component) const {
        QStringList out;
        for (const PrintedBand& b : m_records.value(section))
            if (b.band == band)
                for (const auto& t : b.texts)
                    if (t.first == component)
                        out << t.second;
        return out;
    }
    // Item lines with the workstation codes printed under each.
    QStringList outline(int section, const QString& itemComponent) const {
        QStringList out;
        for (const PrintedBand& b : m_records.value(section)) {
            for (const auto& t : b.texts) {
                if (b.band == "DVCzynnDataBand" && t.first == itemComponent)
                    out << t.second + ":";
                else if (b.band == "DVStanDataBand" && t.first == "KOD")
                    out.last() += " " + t.second;
            }
        }
        return out;
    }

    QTemporaryDir m_dir;
    ScriptedMessages m_messages;
    ManualClock m_clock{QDateTime(QDate(2026, 12, 10), QTime(9, 15))};
    QMap<int, QVector<PrintedBand>> m_records;
};

TEST_F(SectionContentTest, EverySectionPrintsItsRowsWithTheRowRules) {
    // Factors not measured: one line per factor, its workstations under it.
    const QStringList czynn = outline(0, "NAZWA");
    EXPECT_EQ(czynn.size(), 7) << czynn.join('\n').toStdString();
    for (const QString& line : czynn)
        EXPECT_TRUE(line.contains(" ZPO.")) << line.toStdString();
    EXPECT_EQ(outline(1, "NAZWA").size(), 5);

    // Workstation sections: one workstation per item.
    EXPECT_EQ(texts(2, "DVStanDataBand", "SKROTNAZWA"), (QStringList{"Szlifierz", "Kierownik magazynu"}));
    EXPECT_EQ(texts(4, "DVStanDataBand", "SKROTNAZWA").size(), 4);
    EXPECT_EQ(texts(5, "DVStanDataBand", "SKROTNAZWA").size(), 2);
    EXPECT_EQ(texts(6, "DVStanDataBand", "SKROTNAZWA").size(), 2);
    EXPECT_EQ(texts(3, "DVOsobStanDataBand", "NAZWISKO").size(), 124);

    // Safety items: the group line carries the group path; a renewed item hides its workstation.
    const QStringList groups = texts(7, "DVCzynnDataBand", "NazwaSrodGr");
    // The renewed item's group has no other workstation: its line goes too.
    EXPECT_EQ(groups.size(), 6) << groups.join('\n').toStdString();
    for (const QString& g : groups)
        EXPECT_TRUE(g.contains(" [")) << g.toStdString();
    EXPECT_EQ(texts(7, "DVStanDataBand", "KOD").size(), 7);
    EXPECT_EQ(texts(8, "DVCzynnDataBand", "NazwaSrodGr").size(), 3);

    // Printed texts carry no letters the report font cannot show.
    for (const auto& record : m_records)
        for (const PrintedBand& b : record)
            for (const auto& t : b.texts)
                EXPECT_FALSE(t.second.contains(QRegularExpression(QString::fromUtf8("[ĄĆĘŁŃŚŹŻąćęłńśźż]"))))
                    << b.band.toStdString() << " " << t.second.toStdString();
}

TEST_F(SectionContentTest, LocationTextShowsOncePerRunOfTheSameAncestors) {
    for (int section : {0, 1, 2, 4, 5, 6, 7, 8}) {
        // Under one item a location shows at the first of its workstations only; a new item
        // line starts afresh.
        QString shown;
        bool first = true;
        for (const PrintedBand& b : m_records.value(section)) {
            if (b.band == "DVCzynnDataBand" && (section <= 1 || section >= 7))
                shown.clear();
            if (b.band != "DVStruktDataBand")
                continue;
            const QString l = [&] {
                for (const auto& t : b.texts)
                    if (t.first == "OpisElemStrukt")
                        return t.second;
                return QString();
            }();
            if (first) {
                EXPECT_FALSE(l.isEmpty())
                    << "the first workstation of a section shows where it is: " << section;
                first = false;
            }
            if (!l.isEmpty()) {
                EXPECT_NE(l, shown) << section;
                EXPECT_TRUE(l.endsWith('\r')) << l.toStdString();
                EXPECT_TRUE(l.contains("\r    ")) << "indented by level: " << l.toStdString();
                shown = l;
            }
        }
    }
    // Sections with the label beside the location blank it together with the location.
    for (int section : {2, 4, 5, 6}) {
        const QStringList labels = texts(section, "DVStruktDataBand", "lOpisElemStrukt");
        const QStringList locations = texts(section, "DVStruktDataBand", "OpisElemStrukt");
        ASSERT_EQ(labels.size(), locations.size());
        for (int i = 0; i < labels.size(); ++i)
            EXPECT_EQ(labels[i], locations[i].isEmpty() ? "" : "Umiejscowienie:") << section;
    }
}

} // namespace
