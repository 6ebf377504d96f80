#include "ProjectReader.h"

#include "ReportEngine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace {

[[noreturn]] void fail(const QString& where, const QString& what) {
    throw ReportEngineError(QStringLiteral("Projekt raportów, %1: %2").arg(where, what));
}

// One JSON object read key by key; finish() rejects the keys nobody asked for.
class Obj {
public:
    Obj(const QJsonValue& value, QString where) : m_where(std::move(where)) {
        if (!value.isObject())
            fail(m_where, QStringLiteral("oczekiwano obiektu"));
        m_obj = value.toObject();
    }

    const QString& where() const { return m_where; }
    bool has(const QString& key) const { return m_obj.contains(key); }

    QJsonValue value(const QString& key) {
        m_used.insert(key);
        return m_obj.value(key);
    }
    QString string(const QString& key, const QString& fallback = QString(), bool required = false) {
        const QJsonValue v = value(key);
        if (v.isUndefined()) {
            if (required)
                fail(m_where, QStringLiteral("brak klucza \"%1\"").arg(key));
            return fallback;
        }
        if (!v.isString())
            fail(m_where, QStringLiteral("\"%1\" musi być tekstem").arg(key));
        return v.toString();
    }
    QString name() {
        const QString n = string(QStringLiteral("name"), QString(), true);
        if (n.isEmpty())
            fail(m_where, QStringLiteral("pusta nazwa"));
        return n;
    }
    double number(const QString& key, double fallback, bool required = false) {
        const QJsonValue v = value(key);
        if (v.isUndefined()) {
            if (required)
                fail(m_where, QStringLiteral("brak klucza \"%1\"").arg(key));
            return fallback;
        }
        if (!v.isDouble() || v.toDouble() < 0)
            fail(m_where, QStringLiteral("\"%1\" musi być liczbą nieujemną").arg(key));
        return v.toDouble();
    }
    bool boolean(const QString& key, bool fallback) {
        const QJsonValue v = value(key);
        if (v.isUndefined())
            return fallback;
        if (!v.isBool())
            fail(m_where, QStringLiteral("\"%1\" musi być wartością logiczną").arg(key));
        return v.toBool();
    }
    QJsonArray array(const QString& key) {
        const QJsonValue v = value(key);
        if (v.isUndefined())
            return QJsonArray();
        if (!v.isArray())
            fail(m_where, QStringLiteral("\"%1\" musi być tablicą").arg(key));
        return v.toArray();
    }
    QStringList strings(const QString& key) {
        QStringList out;
        for (const QJsonValue& v : array(key)) {
            if (!v.isString() || v.toString().isEmpty())
                fail(m_where, QStringLiteral("\"%1\" musi zawierać niepuste teksty").arg(key));
            out << v.toString();
        }
        return out;
    }

    void finish() const {
        for (auto it = m_obj.begin(); it != m_obj.end(); ++it)
            if (!m_used.contains(it.key()))
                fail(m_where, QStringLiteral("nieznany klucz \"%1\"").arg(it.key()));
    }

private:
    QJsonObject m_obj;
    QString m_where;
    QSet<QString> m_used;
};

struct ProjectContext {
    QHash<QString, QString> substitutes;
    QHash<QString, FontSpec> styles;
    QJsonObject page;
};

FontSpec readFont(Obj& o, const ProjectContext& ctx) {
    FontSpec f;
    f.family = o.string(QStringLiteral("family"), QString(), true);
    f.family = ctx.substitutes.value(f.family, f.family);
    f.size = o.number(QStringLiteral("size"), 10);
    if (f.size <= 0)
        fail(o.where(), QStringLiteral("rozmiar czcionki musi być dodatni"));
    f.bold = o.boolean(QStringLiteral("bold"), false);
    f.italic = o.boolean(QStringLiteral("italic"), false);
    f.underline = o.boolean(QStringLiteral("underline"), false);
    o.finish();
    return f;
}

ComponentKind componentKind(const QString& text, const QString& where) {
    static const QHash<QString, ComponentKind> kinds{
        {QStringLiteral("text"), ComponentKind::Text}, {QStringLiteral("label"), ComponentKind::Label},
        {QStringLiteral("memo"), ComponentKind::Memo}, {QStringLiteral("field"), ComponentKind::Field},
        {QStringLiteral("rule"), ComponentKind::Rule}, {QStringLiteral("computed"), ComponentKind::Computed}};
    const auto it = kinds.find(text);
    if (it == kinds.end())
        fail(where, QStringLiteral("nieznany rodzaj komponentu \"%1\"").arg(text));
    return *it;
}

// Reads one component; a field names its data view by name, resolved by the caller.
ComponentDesign readComponent(const QJsonValue& value, const QString& where, const ProjectContext& ctx,
                              QString& dataViewName) {
    const QString declared = value.toObject().value(QStringLiteral("name")).toString();
    Obj o(value, where + QStringLiteral(", komponent ") + declared);
    ComponentDesign c;
    c.name = o.name();
    c.kind = componentKind(o.string(QStringLiteral("kind"), QString(), true), o.where());
    c.left = o.number(QStringLiteral("left"), 0);
    c.top = o.number(QStringLiteral("top"), 0);
    c.width = o.number(QStringLiteral("width"), 0, true);
    c.height = o.number(QStringLiteral("height"), 0);
    if (c.kind == ComponentKind::Rule) {
        c.thickness = o.number(QStringLiteral("thickness"), 0.5);
    } else {
        const bool hasStyle = o.has(QStringLiteral("style"));
        const bool hasFont = o.has(QStringLiteral("font"));
        if (hasStyle == hasFont)
            fail(o.where(), QStringLiteral("podaj albo \"style\", albo \"font\""));
        if (hasStyle) {
            const QString style = o.string(QStringLiteral("style"));
            if (!ctx.styles.contains(style))
                fail(o.where(), QStringLiteral("nieznany styl \"%1\"").arg(style));
            c.font = ctx.styles.value(style);
        } else {
            Obj f(o.value(QStringLiteral("font")), o.where() + QStringLiteral(", font"));
            c.font = readFont(f, ctx);
        }
        const QString align = o.string(QStringLiteral("align"), QStringLiteral("left"));
        if (align == QLatin1String("left"))
            c.align = TextAlign::Left;
        else if (align == QLatin1String("center"))
            c.align = TextAlign::Center;
        else if (align == QLatin1String("right"))
            c.align = TextAlign::Right;
        else
            fail(o.where(), QStringLiteral("nieznane wyrównanie \"%1\"").arg(align));
        if (c.kind == ComponentKind::Field) {
            c.field = o.string(QStringLiteral("field"), QString(), true);
            dataViewName = o.string(QStringLiteral("dataView"));
            c.dateFormat = o.string(QStringLiteral("format"), c.dateFormat);
        } else {
            c.text = o.string(QStringLiteral("text"));
        }
    }
    o.finish();
    return c;
}

void readPage(const QJsonObject& json, ReportDesign& design, const ProjectContext& ctx) {
    const QString where = QStringLiteral("raport %1, strona").arg(design.name);
    Obj o(json, where);
    PageDesign& p = design.page;
    p.name = o.string(QStringLiteral("name"), QStringLiteral("MainPage"));
    p.width = o.number(QStringLiteral("width"), 0, true);
    p.height = o.number(QStringLiteral("height"), 0, true);
    Obj r(o.value(QStringLiteral("region")), where + QStringLiteral(", region"));
    p.regionLeft = r.number(QStringLiteral("left"), 0, true);
    p.regionTop = r.number(QStringLiteral("top"), 0, true);
    p.regionWidth = r.number(QStringLiteral("width"), 0, true);
    p.regionHeight = r.number(QStringLiteral("height"), 0, true);
    r.finish();
    if (p.regionHeight <= 0 || p.regionWidth <= 0 || p.regionLeft + p.regionWidth > p.width ||
        p.regionTop + p.regionHeight > p.height)
        fail(where, QStringLiteral("obszar wydruku nie mieści się na stronie"));
    for (const QJsonValue& v : o.array(QStringLiteral("furniture"))) {
        QString view;
        ComponentDesign c = readComponent(v, where, ctx, view);
        if (c.kind == ComponentKind::Field || c.kind == ComponentKind::Memo)
            fail(where, QStringLiteral("komponent %1 nie może stać poza pasmami").arg(c.name));
        p.furniture << design.components.size();
        design.components << c;
    }
    o.finish();
}

std::shared_ptr<ReportDesign> readReport(const QJsonValue& value, const ProjectContext& ctx, int number) {
    auto design = std::make_shared<ReportDesign>();
    Obj o(value, QStringLiteral("raport nr %1").arg(number + 1));
    design->name = o.name();
    const QString where = QStringLiteral("raport ") + design->name;

    QJsonObject page = ctx.page;
    const QJsonValue pageOverride = o.value(QStringLiteral("page"));
    if (!pageOverride.isUndefined()) {
        if (!pageOverride.isObject())
            fail(where, QStringLiteral("\"page\" musi być obiektem"));
        const QJsonObject over = pageOverride.toObject();
        for (auto it = over.begin(); it != over.end(); ++it)
            page.insert(it.key(), it.value());
    }
    readPage(page, *design, ctx);

    QStringList masters;
    for (const QJsonValue& v : o.array(QStringLiteral("dataViews"))) {
        Obj d(v, where + QStringLiteral(", widok danych ") +
                     v.toObject().value(QStringLiteral("name")).toString());
        DataViewDesign view;
        view.name = d.name();
        view.connection = d.string(QStringLiteral("connection"), QString(), true);
        view.fields = d.strings(QStringLiteral("fields"));
        masters << d.string(QStringLiteral("master"));
        view.keys = d.strings(QStringLiteral("keys"));
        d.finish();
        design->dataViews << view;
    }

    struct PendingBand {
        QString dataView;
        QString headerFor;
        QStringList componentViews;
    };
    QVector<PendingBand> pending;
    for (const QJsonValue& v : o.array(QStringLiteral("bands"))) {
        const QString bandWhere =
            where + QStringLiteral(", pasmo ") + v.toObject().value(QStringLiteral("name")).toString();
        Obj b(v, bandWhere);
        BandDesign band;
        PendingBand refs;
        band.name = b.name();
        const QString kind = b.string(QStringLiteral("kind"), QString(), true);
        if (kind == QLatin1String("title"))
            band.kind = BandKind::Title;
        else if (kind == QLatin1String("header"))
            band.kind = BandKind::Header;
        else if (kind == QLatin1String("detail"))
            band.kind = BandKind::Detail;
        else
            fail(bandWhere, QStringLiteral("nieznany rodzaj pasma \"%1\"").arg(kind));
        band.height = b.number(QStringLiteral("height"), 0, true);
        if (band.kind == BandKind::Detail)
            refs.dataView = b.string(QStringLiteral("dataView"), QString(), true);
        if (band.kind == BandKind::Header) {
            refs.headerFor = b.string(QStringLiteral("for"), QString(), true);
            band.repeatOnNewPage = b.boolean(QStringLiteral("repeatOnNewPage"), false);
        }
        band.keepWithNext = b.boolean(QStringLiteral("keepWithNext"), false);
        for (const QJsonValue& c : b.array(QStringLiteral("components"))) {
            QString view;
            ComponentDesign comp = readComponent(c, bandWhere, ctx, view);
            if (comp.kind == ComponentKind::Computed)
                fail(bandWhere,
                     QStringLiteral("tekst wyliczany %1 może stać tylko poza pasmami").arg(comp.name));
            band.components << design->components.size();
            design->components << comp;
            refs.componentViews << view;
        }
        b.finish();
        design->bands << band;
        pending << refs;
    }
    o.finish();
    design->index();

    // Links by name, now that every name is known.
    for (int i = 0; i < design->dataViews.size(); ++i) {
        DataViewDesign& view = design->dataViews[i];
        const QString viewWhere = where + QStringLiteral(", widok danych ") + view.name;
        if (masters[i].isEmpty()) {
            if (!view.keys.isEmpty())
                fail(viewWhere, QStringLiteral("klucze bez widoku nadrzędnego"));
            design->topDataViews << i;
            continue;
        }
        view.master = design->dataViewIndex(masters[i]);
        if (view.master < 0 || view.master >= i)
            fail(viewWhere,
                 QStringLiteral("widok nadrzędny \"%1\" musi być opisany wcześniej").arg(masters[i]));
        if (view.keys.isEmpty())
            fail(viewWhere, QStringLiteral("brak pól klucza"));
        const DataViewDesign& master = design->dataViews[view.master];
        for (const QString& key : view.keys)
            if (!view.fields.contains(key, Qt::CaseInsensitive) ||
                !master.fields.contains(key, Qt::CaseInsensitive))
                fail(viewWhere, QStringLiteral("pole klucza %1 musi należeć do obu widoków").arg(key));
        design->dataViews[view.master].children << i;
    }
    if (design->topDataViews.size() > 1)
        fail(where, QStringLiteral("dozwolony jest jeden widok danych najwyższego poziomu"));

    for (int i = 0; i < design->bands.size(); ++i) {
        BandDesign& band = design->bands[i];
        const QString bandWhere = where + QStringLiteral(", pasmo ") + band.name;
        if (band.kind == BandKind::Title)
            design->titleBands << i;
        if (band.kind == BandKind::Detail) {
            band.dataView = design->dataViewIndex(pending[i].dataView);
            if (band.dataView < 0)
                fail(bandWhere, QStringLiteral("nieznany widok danych \"%1\"").arg(pending[i].dataView));
            design->dataViews[band.dataView].detailBands << i;
        }
        if (band.kind == BandKind::Header) {
            band.headerFor = design->bandIndex(pending[i].headerFor);
            if (band.headerFor < 0 || design->bands[band.headerFor].kind != BandKind::Detail)
                fail(bandWhere, QStringLiteral("\"for\" musi wskazywać pasmo danych, a nie \"%1\"")
                                    .arg(pending[i].headerFor));
            design->bands[band.headerFor].headers << i;
        }
        for (int k = 0; k < band.components.size(); ++k) {
            ComponentDesign& comp = design->components[band.components[k]];
            if (comp.kind != ComponentKind::Field)
                continue;
            const QString& viewName = pending[i].componentViews[k];
            comp.dataView = viewName.isEmpty() ? band.dataView : design->dataViewIndex(viewName);
            if (comp.dataView < 0)
                fail(bandWhere, QStringLiteral("pole %1 nie ma widoku danych").arg(comp.name));
            if (!design->dataViews[comp.dataView].fields.contains(comp.field, Qt::CaseInsensitive))
                fail(bandWhere, QStringLiteral("widok %1 nie ma pola %2")
                                    .arg(design->dataViews[comp.dataView].name, comp.field));
        }
    }
    return design;
}

} // namespace

namespace ProjectReader {

QVector<std::shared_ptr<ReportDesign>> read(const QByteArray& json) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        fail(QStringLiteral("znak %1").arg(error.offset), error.errorString());
    if (!doc.isObject())
        fail(QStringLiteral("projekt"), QStringLiteral("oczekiwano obiektu"));
    Obj root(doc.object(), QStringLiteral("projekt"));

    ProjectContext ctx;
    const QJsonValue subst = root.value(QStringLiteral("fontSubstitutes"));
    if (!subst.isUndefined()) {
        if (!subst.isObject())
            fail(QStringLiteral("fontSubstitutes"), QStringLiteral("oczekiwano obiektu"));
        const QJsonObject map = subst.toObject();
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (!it.value().isString())
                fail(QStringLiteral("fontSubstitutes"),
                     QStringLiteral("\"%1\" musi wskazywać nazwę czcionki").arg(it.key()));
            ctx.substitutes.insert(it.key(), it.value().toString());
        }
    }
    const QJsonValue styles = root.value(QStringLiteral("styles"));
    if (!styles.isUndefined()) {
        if (!styles.isObject())
            fail(QStringLiteral("styles"), QStringLiteral("oczekiwano obiektu"));
        const QJsonObject map = styles.toObject();
        for (auto it = map.begin(); it != map.end(); ++it) {
            Obj f(it.value(), QStringLiteral("styl ") + it.key());
            ctx.styles.insert(it.key(), readFont(f, ctx));
        }
    }
    const QJsonValue page = root.value(QStringLiteral("page"));
    if (!page.isUndefined() && !page.isObject())
        fail(QStringLiteral("page"), QStringLiteral("oczekiwano obiektu"));
    ctx.page = page.toObject();

    QVector<std::shared_ptr<ReportDesign>> designs;
    QSet<QString> names;
    const QJsonArray reports = root.array(QStringLiteral("reports"));
    root.finish();
    for (int i = 0; i < reports.size(); ++i) {
        std::shared_ptr<ReportDesign> d = readReport(reports[i], ctx, i);
        if (names.contains(d->name.toLower()))
            fail(QStringLiteral("raport ") + d->name, QStringLiteral("nazwa występuje dwa razy"));
        names.insert(d->name.toLower());
        designs << d;
    }
    return designs;
}

} // namespace ProjectReader
