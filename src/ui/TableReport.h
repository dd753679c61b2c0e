#pragma once

#include <vector>

#include <QDateTime>
#include <QRect>
#include <QString>
#include <QStringList>

class QFont;
class QPainter;
class QPrinter;

namespace data {
class DataSet;
class Field;
} // namespace data

// The pages of a table print, laid out in advance: which texts and lines go where on which page, in
// screen pixels at 96 per inch on A4 paper. Kept apart from the preview, so that the pages can be
// counted, read and written to a file without showing anything.
//
// One column per chosen field, widths from the fields' display widths scaled to fill the paper's
// width, the page turned when the table does not fit across; optional group footers with subtotals
// and a grand total. Sums of exact numbers are added exactly.
class TableReport
{
public:
    struct Options
    {
        QString title = QStringLiteral("Tabeli trükk");
        QStringList columns; // field names; empty: every visible field
        QString footerText;
        bool countPages = true; // page numbers as "n/m"
        QStringList groups;     // field names, outermost first; at most ten are used
        QStringList sums;       // field names
        bool grandTotal = false;
        QString subtitle;
        QDateTime printedAt = QDateTime::currentDateTime();
    };

    // Report units on A4: 794 x 1123 paper, 10 mm margins.
    static constexpr int PaperWidth = 794;
    static constexpr int PaperHeight = 1123;
    static constexpr int Margin = 38;
    static constexpr int TableLeft = 55;
    static constexpr int CharWidth = 6;
    static constexpr int ColumnGap = 6;
    static constexpr int DetailHeight = 17;
    static constexpr int MaxGroups = 10;

    enum class FontRole { Normal, Title, Subtitle, ColumnHeader, Detail, Footer, FooterItalic, Total, GrandTotalLabel };

    struct Column
    {
        int field = -1;
        QString fieldName;
        QString label;
        int naturalWidth = 0;
        int x = 0;     // from the left margin
        int width = 0; // scaled
        bool rightAligned = false;
        bool memo = false;
    };

    // A text or a horizontal line of a page, in paper coordinates.
    struct Item
    {
        enum Kind { Text, Line };
        Kind kind = Text;
        QRect rect; // a line runs along the rectangle's top edge
        QString text;
        FontRole font = FontRole::Normal;
        int flags = 0; // Qt alignment and wrapping flags
    };

    struct Page
    {
        std::vector<Item> items;
    };

    // A group footer or the grand total as laid out: the group values shown and the totals.
    struct TotalLine
    {
        int level = -1;          // group level, -1 for the grand total
        QStringList groupValues; // values of the groups shown, outermost first
        QStringList sums;        // in the order of the sum fields
    };

    TableReport(data::DataSet &dataSet, const Options &options);
    ~TableReport();

    // False when there is nothing to print: no column list and no visible field.
    bool isPrintable() const { return !m_columns.empty(); }
    const Options &options() const { return m_options; }

    // The column geometry (known after construction).
    const std::vector<Column> &columns() const { return m_columns; }
    bool landscape() const { return m_landscape; }
    int tableWidth() const { return m_tableWidth; } // natural, gaps included
    double scale() const { return m_scale; }
    int scaledTableWidth() const { return qRound(m_tableWidth * m_scale); }
    int pageWidth() const { return m_landscape ? PaperHeight : PaperWidth; }
    int pageHeight() const { return m_landscape ? PaperWidth : PaperHeight; }

    // Reads the dataset (opened when closed) and lays out the pages.
    void build();
    int pageCount() const { return static_cast<int>(m_pages.size()); }
    const Page &page(int i) const { return m_pages.at(i); }
    // The texts of a page from top to bottom, left to right.
    QStringList pageTexts(int i) const;
    const std::vector<TotalLine> &totals() const { return m_totals; }

    static QFont font(FontRole role);
    // The number as the totals print it: "########0.00".
    static QString totalText(double value);
    // The characters a column takes: the longer of the field's caption and its display width (a date
    // one more); a field without a display width of its own takes its type's usual width.
    static int columnChars(const data::Field &field);

    void paint(QPainter &painter, int page) const;
    // Paints every page onto the printer, which is set to A4 in the report's orientation.
    bool print(QPrinter &printer) const;
    // Writes the pages as a PDF file; false when the file cannot be written.
    bool writePdf(const QString &fileName) const;
    // Sets a printer to the report's paper, orientation and job title.
    void preparePrinter(QPrinter &printer) const;

private:
    struct Sum;
    void layoutColumns();
    int columnOfField(int field) const;

    data::DataSet &m_dataSet;
    Options m_options;
    std::vector<Column> m_columns;
    bool m_landscape = false;
    int m_tableWidth = 0;
    double m_scale = 1.0;
    std::vector<Page> m_pages;
    std::vector<TotalLine> m_totals;
};
