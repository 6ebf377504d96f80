#pragma once

#include <QDate>
#include <QString>

// Fills a database with a synthetic organisation, the same for the same seed: structure of
// five levels, persons and employments, surveys with their factors, protective records,
// selections of protective equipment and safety items with their entries. Used to measure
// the report as the organisation grows.
namespace OrgGenerator {

struct Size {
    int workstations;
    int persons;
    int employments;
    int surveys;
    int factorsPerSurvey;
    int safetyItems;
    int safetyEntries;
};

// "small", "medium" or "large"; raises EKolmError for another name.
Size sizeNamed(const QString& name);

struct Counts {
    int nodes = 0;
    int workstations = 0;
    int persons = 0;
    int employments = 0;
    int surveys = 0;
    int factorRows = 0;
    int safetyItems = 0;
    int safetyEntries = 0;
};

// Creates the database file with the schema and fills it; today anchors every date.
Counts generate(const QString& path, const Size& size, unsigned seed, const QDate& today);

} // namespace OrgGenerator
