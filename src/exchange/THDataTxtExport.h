#pragma once

#include <QByteArray>
#include <QChar>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

namespace data {
class DataSet;
class Field;
class UserInterface;
} // namespace data

// Writes the rows of a dataset as a delimited text table meant for spreadsheets: a header line of
// captions, then one line per row, to a file or to the clipboard.
//
// The columns are either the chosen fields themselves (setFieldColumns, by field name, so that two
// columns of one caption or captions holding "=" or a leading "-" each keep their own values), or
// text mappings ("Caption", "-Caption", "Header=Caption", "Header=-Caption", "Header=\"constant\""),
// or, with neither, every visible field.
//
// Files are written in the program's 8-bit code page with CR LF line ends. A file is replaced only
// when the whole table has been written, so a failed export leaves the previous file as it was.
class THDataTxtExport : public QObject
{
    Q_OBJECT

public:
    enum ExportMethod { hteOverWrite, hteAppend };

    explicit THDataTxtExport(QObject *parent = nullptr);
    ~THDataTxtExport() override;

    // Cleared when the dataset is destroyed.
    data::DataSet *Source() const { return m_source.data(); }
    void setSource(data::DataSet *source) { m_source = source; }

    const QString &DestFileName() const { return m_destFileName; }
    void setDestFileName(const QString &name) { m_destFileName = name; }
    ExportMethod exportMethod() const { return m_exportMethod; }
    void setExportMethod(ExportMethod m) { m_exportMethod = m; }
    bool ANSIToOEM() const { return m_ansiToOem; }
    void setANSIToOEM(bool on) { m_ansiToOem = on; }
    const QStringList &Mappings() const { return m_mappings; }
    void setMappings(const QStringList &mappings) { m_mappings = mappings; }
    // Field names of the dataset, in the order to write; they take precedence over Mappings.
    const QStringList &fieldColumns() const { return m_fieldColumns; }
    void setFieldColumns(const QStringList &fieldNames) { m_fieldColumns = fieldNames; }

    QChar DecimalSepar() const { return m_decimalSepar; }
    void setDecimalSepar(QChar c) { m_decimalSepar = c; }
    QChar DateSepar() const { return m_dateSepar; }
    void setDateSepar(QChar c) { m_dateSepar = c; }
    QChar TimeSepar() const { return m_timeSepar; }
    void setTimeSepar(QChar c) { m_timeSepar = c; }
    bool ColNames() const { return m_colNames; }
    void setColNames(bool on) { m_colNames = on; }
    QChar FieldSepar() const { return m_fieldSepar; }
    void setFieldSepar(QChar c) { m_fieldSepar = c; }
    // A null character: text values are written bare.
    QChar StringSepar() const { return m_stringSepar; }
    void setStringSepar(QChar c) { m_stringSepar = c; }
    bool ToClipBoard() const { return m_toClipBoard; }
    void setToClipBoard(bool on) { m_toClipBoard = on; }
    const QString &DateFormatStr() const { return m_dateFormatStr; }
    void setDateFormatStr(const QString &f) { m_dateFormatStr = f; }
    const QString &FloatFormatStr() const { return m_floatFormatStr; }
    void setFloatFormatStr(const QString &f) { m_floatFormatStr = f; }
    bool UseStringDisplayText() const { return m_useStringDisplayText; }
    void setUseStringDisplayText(bool on) { m_useStringDisplayText = on; }
    bool MemosToOneLineText() const { return m_memosToOneLineText; }
    void setMemosToOneLineText(bool on) { m_memosToOneLineText = on; }
    bool UseAllDisplayText() const { return m_useAllDisplayText; }
    void setUseAllDisplayText(bool on) { m_useAllDisplayText = on; }

    // The clipboard is reached through the person's user interface.
    void setUserInterface(data::UserInterface *ui) { m_ui = ui; }
    // The code page of the files and of ANSIToOEM (Qt codec names).
    static QString ansiCodec() { return QStringLiteral("windows-1252"); }
    static QString oemCodec() { return QStringLiteral("IBM775"); }

    // The settings the list and summary windows use: "," "." ":" separators, captions, Tab.
    void useProgramSettings();

    // Writes the table: every row, or only the current one. Throws data::DataError for a missing
    // source, file name or clipboard, and for a file that cannot be written.
    void Execute(bool allRecords = true);

    // The text of the lines Execute would write, without writing it (CR LF line ends).
    QString tableText(bool allRecords = true);

private:
    struct Column;
    std::vector<Column> columns() const;
    QString header(const std::vector<Column> &cols) const;
    void appendLine(QString &out, const std::vector<Column> &cols, int row) const;
    QString valueText(const Column &col, int row) const;
    QString plainText(const data::Field &field, const QVariant &value) const;
    QString flattened(const QString &text) const;
    template <typename Flush> void produce(bool allRecords, bool withHeader, QString &out, Flush &&flush);

    QPointer<data::DataSet> m_source;
    QString m_destFileName;
    ExportMethod m_exportMethod = hteOverWrite;
    bool m_ansiToOem = false;
    QStringList m_mappings;
    QStringList m_fieldColumns;
    QChar m_decimalSepar;
    QChar m_dateSepar;
    QChar m_timeSepar;
    bool m_colNames = true;
    QChar m_fieldSepar = QLatin1Char('\t');
    QChar m_stringSepar;
    bool m_toClipBoard = false;
    QString m_dateFormatStr;
    QString m_floatFormatStr;
    bool m_useStringDisplayText = true;
    bool m_memosToOneLineText = true;
    bool m_useAllDisplayText = true;
    data::UserInterface *m_ui = nullptr;
};
