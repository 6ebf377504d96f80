#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The design of one report as read from the project: page, data views, bands and components.
// Lengths are in inches, rule thickness in points. Indexes refer into the vectors of the same
// design. Name look-ups ignore letter case.

struct FontSpec {
    QString family;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontSpec& o) const {
        return family == o.family && size == o.size && bold == o.bold && italic == o.italic &&
               underline == o.underline;
    }
};

enum class ComponentKind { Text, Label, Memo, Field, Rule, Computed };
enum class TextAlign { Left, Center, Right };

struct ComponentDesign {
    QString name;
    ComponentKind kind = ComponentKind::Text;
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
    double thickness = 0.5; // rules only
    FontSpec font;
    TextAlign align = TextAlign::Left;
    QString text;      // initial text; the template of a computed text
    int dataView = -1; // data fields
    QString field;
    QString dateFormat = QStringLiteral("yyyy-MM-dd");

    bool hasText() const { return kind != ComponentKind::Rule; }
    bool isSettable() const {
        return kind == ComponentKind::Text || kind == ComponentKind::Label || kind == ComponentKind::Memo;
    }
};

enum class BandKind { Title, Header, Detail };

struct BandDesign {
    QString name;
    BandKind kind = BandKind::Detail;
    double height = 0;
    int dataView = -1;            // detail bands
    int headerFor = -1;           // header bands: the detail band they head
    bool repeatOnNewPage = false; // header bands: printed again at the top of each further page
    bool keepWithNext = false;    // moves to the next page together with the band that follows
    QVector<int> components;      // in design order
    QVector<int> headers;         // detail bands: their header bands
};

struct DataViewDesign {
    QString name;
    QString connection;
    QStringList fields;
    int master = -1;
    QStringList keys; // fields of equal name in this view and its master
    QVector<int> children;
    QVector<int> detailBands;
};

struct PageDesign {
    QString name;
    double width = 8.5;
    double height = 11;
    double regionLeft = 1;
    double regionTop = 1;
    double regionWidth = 6.5;
    double regionHeight = 9;
    QVector<int> furniture; // components printed on every page, outside the bands
};

class ReportDesign {
public:
    QString name;
    PageDesign page;
    QVector<DataViewDesign> dataViews;
    QVector<BandDesign> bands;
    QVector<ComponentDesign> components;
    QVector<int> titleBands;
    QVector<int> topDataViews;

    int componentIndex(const QString& name) const { return m_componentIndex.value(name.toLower(), -1); }
    int bandIndex(const QString& name) const { return m_bandIndex.value(name.toLower(), -1); }
    int dataViewIndex(const QString& name) const { return m_dataViewIndex.value(name.toLower(), -1); }
    int dataViewOfConnection(const QString& connection) const {
        return m_connectionIndex.value(connection.toLower(), -1);
    }

    // The texts of the first title band, one after the other: what the report is called.
    QString titleText() const;

    // Fills the name indexes and the derived lists; raises ReportEngineError on duplicates.
    void index();

private:
    QHash<QString, int> m_componentIndex;
    QHash<QString, int> m_bandIndex;
    QHash<QString, int> m_dataViewIndex;
    QHash<QString, int> m_connectionIndex;
};
