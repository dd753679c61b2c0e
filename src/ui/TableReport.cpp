#include "TableReport.h"

#include <algorithm>

#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QtMath>

#include "data/DataSet.h"
#include "data/FieldText.h"
#include "data/Translate.h"
#include "fb/Numeric.h"

namespace {

constexpr int PageNumberHeight = 16;
constexpr int TitleHeight = 22;
constexpr int ColumnHeaderHeight = 20;
constexpr int TotalHeight = TableReport::DetailHeight + 2;
constexpr int PageFooterHeight = 20;

bool isNumber(fb::FieldKind t)
{
    switch (t) {
    case fb::FieldKind::SmallInt:
    case fb::FieldKind::Integer:
    case fb::FieldKind::BigInt:
    case fb::FieldKind::Numeric:
    case fb::FieldKind::Float:
    case fb::FieldKind::Double:
        return true;
    default:
        return false;
    }
}

QString plainValue(const data::Field &f, const QVariant &v)
{
    return data::FieldText::toText(f.dataType(), v, f.scale());
}

} // namespace

// A running total of one field: exact numbers stay scaled integers, whole numbers stay integers.
struct TableReport::Sum
{
    qint64 whole = 0;
    fb::Numeric exact;
    double real = 0;

    void add(fb::FieldKind type, const QVariant &v)
    {
        if (v.isNull() || !v.isValid())
            return;
        switch (type) {
        case fb::FieldKind::Numeric:
            if (v.userType() == qMetaTypeId<fb::Numeric>()) {
                fb::Numeric n = v.value<fb::Numeric>();
                if (n.scale > exact.scale)
                    exact = exact.rescaled(n.scale);
                else if (n.scale < exact.scale)
                    n = n.rescaled(exact.scale);
                exact.scaled += n.scaled;
            } else {
                real += v.toDouble();
            }
            break;
        case fb::FieldKind::SmallInt:
        case fb::FieldKind::Integer:
        case fb::FieldKind::BigInt:
            whole += v.toLongLong();
            break;
        default:
            real += v.toDouble();
            break;
        }
    }

    QString text(fb::FieldKind type) const
    {
        switch (type) {
        case fb::FieldKind::Numeric:
            if (real == 0)
                return exact.rescaled(2).toString();
            return TableReport::totalText(exact.toDouble() + real);
        case fb::FieldKind::SmallInt:
        case fb::FieldKind::Integer:
        case fb::FieldKind::BigInt:
            return QString::number(whole) + QStringLiteral(".00");
        default:
            return TableReport::totalText(real);
        }
    }
};

TableReport::TableReport(data::DataSet &dataSet, const Options &options)
    : m_dataSet(dataSet)
    , m_options(options)
{
    if (!m_dataSet.isActive())
        m_dataSet.open();
    if (m_options.groups.size() > MaxGroups)
        m_options.groups = m_options.groups.mid(0, MaxGroups);
    layoutColumns();
}

TableReport::~TableReport() = default;

int TableReport::columnChars(const data::Field &field)
{
    int width = field.displayWidth();
    if (width <= 0) {
        switch (field.dataType()) {
        case fb::FieldKind::Text:
            width = field.size() > 0 ? field.size() : 10;
            break;
        case fb::FieldKind::SmallInt:
            width = 6;
            break;
        case fb::FieldKind::Integer:
            width = 11;
            break;
        case fb::FieldKind::BigInt:
            width = 15;
            break;
        case fb::FieldKind::Numeric:
        case fb::FieldKind::Float:
        case fb::FieldKind::Double:
            width = 15;
            break;
        case fb::FieldKind::Date:
            width = data::FieldText::dateFormat().size();
            break;
        case fb::FieldKind::Time:
            width = data::FieldText::timeFormat().size();
            break;
        case fb::FieldKind::Timestamp:
            width = data::FieldText::dateFormat().size() + 1 + data::FieldText::timeFormat().size();
            break;
        case fb::FieldKind::Boolean:
            width = 5;
            break;
        default:
            width = 10;
            break;
        }
    }
    // The date's digits are wider than the average character.
    if (field.dataType() == fb::FieldKind::Date)
        ++width;
    return std::max(static_cast<int>(field.displayLabel().size()), width);
}

void TableReport::layoutColumns()
{
    std::vector<int> fields;
    if (!m_options.columns.isEmpty()) {
        for (const QString &name : m_options.columns)
            if (const data::Field *f = m_dataSet.findField(name))
                fields.push_back(f->index());
    } else {
        for (int i = 0; i < m_dataSet.fieldCount(); ++i)
            if (m_dataSet.fieldAt(i).isVisible())
                fields.push_back(i);
    }
    m_columns.clear();
    if (fields.empty())
        return;

    const int shortSide = PaperWidth - 2 * Margin;
    const int longSide = PaperHeight - 2 * Margin;
    const int cap = 3 * shortSide / static_cast<int>(fields.size());
    m_tableWidth = 0;
    for (int f : fields) {
        const data::Field &field = m_dataSet.fieldAt(f);
        Column c;
        c.field = f;
        c.fieldName = field.fieldName();
        c.label = field.displayLabel();
        c.naturalWidth = std::min(CharWidth * columnChars(field), cap);
        c.rightAligned = isNumber(field.dataType());
        c.memo = field.dataType() == fb::FieldKind::TextBlob;
        m_tableWidth += c.naturalWidth + ColumnGap;
        m_columns.push_back(c);
    }
    m_landscape = shortSide - TableLeft < m_tableWidth;
    const int available = (m_landscape ? longSide : shortSide) - TableLeft;
    m_scale = static_cast<double>(available) / m_tableWidth;
    int x = TableLeft;
    for (Column &c : m_columns) {
        c.x = x;
        c.width = qRound(c.naturalWidth * m_scale);
        x = qRound(x + c.width + ColumnGap * m_scale);
    }
}

int TableReport::columnOfField(int field) const
{
    for (size_t i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].field == field)
            return static_cast<int>(i);
    return -1;
}

QFont TableReport::font(FontRole role)
{
    // Pixel sizes: the report's unit is the pixel at 96 per inch, whatever device paints it.
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    auto px = [](double points) { return qRound(points * 96.0 / 72.0); };
    switch (role) {
    case FontRole::Normal:
        f.setPixelSize(px(9));
        break;
    case FontRole::Title:
        f.setPixelSize(px(11));
        f.setBold(true);
        break;
    case FontRole::Subtitle:
        f.setPixelSize(px(10));
        break;
    case FontRole::ColumnHeader:
        f.setPixelSize(px(8));
        f.setBold(true);
        break;
    case FontRole::Detail:
        f.setPixelSize(px(8));
        break;
    case FontRole::Footer:
        f.setPixelSize(px(9));
        break;
    case FontRole::FooterItalic:
        f.setPixelSize(px(9));
        f.setItalic(true);
        break;
    case FontRole::Total:
        f.setPixelSize(px(9));
        break;
    case FontRole::GrandTotalLabel:
        f.setPixelSize(px(10));
        break;
    }
    return f;
}

QString TableReport::totalText(double value)
{
    return QString::number(value, 'f', 2);
}

void TableReport::build()
{
    m_pages.clear();
    m_totals.clear();
    if (m_columns.empty())
        return;

    const int left = Margin;
    const int bandWidth = pageWidth() - 2 * Margin;
    const int tableRight = TableLeft + scaledTableWidth();
    const int contentBottom = pageHeight() - Margin - PageFooterHeight;

    // The page header: the title and the subtitle that grows downwards.
    int subtitleHeight = 0;
    if (!m_options.subtitle.isEmpty()) {
        const QFontMetricsF fm(font(FontRole::Subtitle));
        subtitleHeight = qCeil(
            fm.boundingRect(QRectF(0, 0, scaledTableWidth(), 1e6), Qt::TextWordWrap, m_options.subtitle).height());
    }
    const int headerHeight = PageNumberHeight + TitleHeight + subtitleHeight + 4;

    struct Group
    {
        int field = -1;
        int column = -1;
        int labelColumn = -1;
        QString current; // the value of the rows being summed, compared as plain text
        QString shown;   // the same as the grid shows it
        std::vector<Sum> sums;
    };
    std::vector<Group> groups;
    for (const QString &name : m_options.groups) {
        const data::Field *f = m_dataSet.findField(name);
        if (!f)
            continue;
        Group g;
        g.field = f->index();
        g.column = columnOfField(g.field);
        g.labelColumn = columnOfField(g.field + 1);
        groups.push_back(g);
    }
    std::vector<int> sumFields;
    for (const QString &name : m_options.sums)
        if (const data::Field *f = m_dataSet.findField(name))
            sumFields.push_back(f->index());
    for (Group &g : groups)
        g.sums.resize(sumFields.size());
    std::vector<Sum> grand(sumFields.size());
    const bool withGrandTotal = m_options.grandTotal && !sumFields.empty();

    Page *page = nullptr;
    int y = 0;
    auto text = [&](const QRect &r, const QString &t, FontRole f, int flags) {
        Item it;
        it.kind = Item::Text;
        it.rect = r;
        it.text = t;
        it.font = f;
        it.flags = flags;
        page->items.push_back(std::move(it));
    };
    auto line = [&](int x1, int x2, int atY) {
        Item it;
        it.kind = Item::Line;
        it.rect = QRect(QPoint(left + x1, atY), QPoint(left + x2, atY));
        page->items.push_back(std::move(it));
    };
    auto align = [](const Column &c) {
        return (c.rightAligned ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop | Qt::TextSingleLine;
    };
    auto newPage = [&] {
        m_pages.emplace_back();
        page = &m_pages.back();
        y = Margin;
        // Page number first: its text is known once every page is laid out.
        text(QRect(left, y, bandWidth, PageNumberHeight), QString(), FontRole::Normal, Qt::AlignRight | Qt::AlignTop);
        text(QRect(left + TableLeft, y + PageNumberHeight, scaledTableWidth(), TitleHeight), m_options.title,
             FontRole::Title, Qt::AlignLeft | Qt::AlignTop);
        if (subtitleHeight > 0)
            text(QRect(left + TableLeft, y + PageNumberHeight + TitleHeight, scaledTableWidth(), subtitleHeight),
                 m_options.subtitle, FontRole::Subtitle, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap);
        y += headerHeight;
        line(TableLeft, tableRight, y);
        for (const Column &c : m_columns)
            text(QRect(left + c.x, y + 2, c.width, ColumnHeaderHeight - 4), c.label, FontRole::ColumnHeader, align(c));
        y += ColumnHeaderHeight;
        line(TableLeft, tableRight, y);
        const int footerY = pageHeight() - Margin - PageFooterHeight;
        text(QRect(left, footerY + 2, bandWidth, PageFooterHeight - 4), m_options.footerText, FontRole::FooterItalic,
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine);
        text(QRect(left, footerY + 2, bandWidth, PageFooterHeight - 4),
             Translate(QStringLiteral("Trükitud")) + QLatin1Char(' ') +
                 m_options.printedAt.toString(data::FieldText::dateFormat() + QStringLiteral(" HH:mm:ss")),
             FontRole::Footer, Qt::AlignRight | Qt::AlignTop | Qt::TextSingleLine);
    };
    auto room = [&](int height) {
        if (!page || y + height > contentBottom)
            newPage();
    };

    auto sumTexts = [&](const std::vector<Sum> &sums) {
        QStringList out;
        for (size_t i = 0; i < sumFields.size(); ++i)
            out << sums[i].text(m_dataSet.fieldAt(sumFields[i]).dataType());
        return out;
    };
    auto groupFooter = [&](int level) {
        room(TotalHeight);
        Group &g = groups[level];
        TotalLine total;
        total.level = level;
        if (g.field == 0) {
            line(TableLeft, tableRight, y);
            line(TableLeft, tableRight, y + TotalHeight);
        }
        for (int outer = 0; outer <= level; ++outer) {
            const Group &o = groups[outer];
            total.groupValues << o.shown;
            if (o.column < 0)
                continue;
            const Column &c = m_columns[o.column];
            text(QRect(left + c.x, y + 2, c.width, TotalHeight - 4), o.shown, FontRole::Total, align(c));
        }
        if (g.column >= 0) {
            line(m_columns[g.column].x, tableRight, y);
            line(m_columns[g.column].x, tableRight, y + TotalHeight);
        }
        if (g.labelColumn >= 0) {
            const Column &c = m_columns[g.labelColumn];
            text(QRect(left + c.x, y + 2, c.width, TotalHeight - 4),
                 Translate(QStringLiteral("kokku")) + QLatin1Char(':'), FontRole::Total,
                 Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine);
        }
        total.sums = sumTexts(g.sums);
        for (size_t i = 0; i < sumFields.size(); ++i) {
            const int col = columnOfField(sumFields[i]);
            if (col < 0)
                continue;
            const Column &c = m_columns[col];
            text(QRect(left + c.x, y + 2, c.width, TotalHeight - 4), total.sums[i], FontRole::Total, align(c));
        }
        std::fill(g.sums.begin(), g.sums.end(), Sum());
        m_totals.push_back(total);
        y += TotalHeight;
    };

    const QFontMetricsF detailMetrics(font(FontRole::Detail));
    bool first = true;
    for (int row = 0;; ++row) {
        if (row >= m_dataSet.fetchedCount() && (m_dataSet.isFullyFetched() || m_dataSet.fetchMore(1000) == 0))
            break;
        // A change of a group's value closes that group and every group inside it, innermost first.
        if (!first) {
            int changed = -1;
            for (size_t g = 0; g < groups.size() && changed < 0; ++g) {
                const data::Field &f = m_dataSet.fieldAt(groups[g].field);
                if (plainValue(f, m_dataSet.valueAt(row, groups[g].field)) != groups[g].current)
                    changed = static_cast<int>(g);
            }
            if (changed >= 0)
                for (int g = static_cast<int>(groups.size()) - 1; g >= changed; --g)
                    groupFooter(g);
        }
        first = false;
        for (Group &g : groups) {
            g.current = plainValue(m_dataSet.fieldAt(g.field), m_dataSet.valueAt(row, g.field));
            g.shown = m_dataSet.textAt(row, g.field, true);
        }
        for (size_t i = 0; i < sumFields.size(); ++i) {
            const fb::FieldKind type = m_dataSet.fieldAt(sumFields[i]).dataType();
            const QVariant v = m_dataSet.valueAt(row, sumFields[i]);
            grand[i].add(type, v);
            for (Group &g : groups)
                g.sums[i].add(type, v);
        }

        QStringList texts;
        int height = DetailHeight;
        for (const Column &c : m_columns) {
            texts << m_dataSet.textAt(row, c.field, !c.memo);
            if (c.memo && !texts.back().isEmpty()) {
                const qreal h =
                    detailMetrics.boundingRect(QRectF(0, 0, c.width, 1e6), Qt::TextWordWrap, texts.back()).height();
                height = std::max(height,
                                  std::min(qCeil(h) + 4, contentBottom - Margin - headerHeight - ColumnHeaderHeight));
            }
        }
        room(height);
        for (size_t i = 0; i < m_columns.size(); ++i) {
            const Column &c = m_columns[i];
            const int flags = c.memo ? ((Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap)) : align(c);
            text(QRect(left + c.x, y + 2, c.width, height - 3), texts[i], FontRole::Detail, flags);
        }
        y += height;
        line(TableLeft, tableRight, y);
    }
    if (!first)
        for (int g = static_cast<int>(groups.size()) - 1; g >= 0; --g)
            groupFooter(g);
    if (!page)
        newPage();
    if (withGrandTotal) {
        room(TotalHeight);
        TotalLine total;
        total.sums = sumTexts(grand);
        const QString label = Translate(QStringLiteral("Kõik kokku")) + QLatin1Char(':');
        const int labelWidth = qCeil(QFontMetricsF(font(FontRole::GrandTotalLabel)).horizontalAdvance(label)) + 2;
        text(QRect(left + TableLeft, y + 2, labelWidth, TotalHeight - 3), label, FontRole::GrandTotalLabel,
             Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine);
        line(TableLeft, tableRight, y);
        line(TableLeft, tableRight, y + TotalHeight);
        for (size_t i = 0; i < sumFields.size(); ++i) {
            const int col = columnOfField(sumFields[i]);
            if (col < 0)
                continue;
            const Column &c = m_columns[col];
            text(QRect(left + c.x, y + 2, c.width, TotalHeight - 4), total.sums[i], FontRole::Total, align(c));
        }
        m_totals.push_back(total);
        y += TotalHeight;
    }

    const QString prefix = Translate(QStringLiteral("Leht")) + QLatin1Char(' ');
    for (int i = 0; i < pageCount(); ++i)
        m_pages[i].items.front().text =
            prefix + QString::number(i + 1) +
            (m_options.countPages ? QLatin1Char('/') + QString::number(pageCount()) : QString());
}

QStringList TableReport::pageTexts(int i) const
{
    std::vector<const Item *> texts;
    for (const Item &it : m_pages.at(i).items)
        if (it.kind == Item::Text && !it.text.isEmpty())
            texts.push_back(&it);
    std::stable_sort(texts.begin(), texts.end(), [](const Item *a, const Item *b) {
        return a->rect.top() != b->rect.top() ? a->rect.top() < b->rect.top() : a->rect.left() < b->rect.left();
    });
    QStringList out;
    for (const Item *it : texts)
        out << it->text;
    return out;
}

void TableReport::paint(QPainter &painter, int pageIndex) const
{
    const Page &p = m_pages.at(pageIndex);
    const QFont fonts[] = {font(FontRole::Normal),       font(FontRole::Title),  font(FontRole::Subtitle),
                           font(FontRole::ColumnHeader), font(FontRole::Detail), font(FontRole::Footer),
                           font(FontRole::FooterItalic), font(FontRole::Total),  font(FontRole::GrandTotalLabel)};
    painter.setPen(QPen(Qt::black, 1));
    for (const Item &it : p.items) {
        if (it.kind == Item::Line) {
            painter.drawLine(it.rect.topLeft(), it.rect.topRight());
        } else if (!it.text.isEmpty()) {
            painter.setFont(fonts[static_cast<int>(it.font)]);
            painter.drawText(it.rect, it.flags, it.text);
        }
    }
}

void TableReport::preparePrinter(QPrinter &printer) const
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(m_landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer.setDocName(m_options.title);
    printer.setCreator(QStringLiteral("velkora1IB"));
}

bool TableReport::print(QPrinter &printer) const
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const double s = std::min(paper.width() / pageWidth(), paper.height() / pageHeight());
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0)
            printer.newPage();
        painter.save();
        painter.scale(s, s);
        paint(painter, i);
        painter.restore();
    }
    return painter.end();
}

bool TableReport::writePdf(const QString &fileName) const
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    preparePrinter(printer);
    return print(printer) && QFile::exists(fileName);
}
