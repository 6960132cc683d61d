#include "results/ResultsCsv.h"

#include "results/ResultsLayout.h"

#include <algorithm>

namespace ResultsCsv {
namespace {

QString Quoted(const QString& field)
{
    static const QString special = QStringLiteral(",\"\r\n");
    if (std::none_of(field.begin(), field.end(), [](QChar c) { return special.contains(c); }))
        return field;
    QString quoted = field;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// "Name (unit)" back into a value column, trying every language.
std::optional<ValueColumn> ColumnOf(const QString& header,
                                    const std::vector<ResultsTexts>& languages)
{
    const qsizetype open = header.lastIndexOf(QLatin1String(" ("));
    if (open <= 0 || !header.endsWith(QLatin1Char(')')))
        return std::nullopt;
    const QString name = header.left(open);
    const QString unit = header.mid(open + 2, header.size() - open - 3);
    for (const ResultsTexts& texts : languages) {
        for (int q = 0; q < ResultsTexts::QuantityCount; ++q) {
            const auto quantity = Quantity(q);
            if (quantity != Quantity::Segment) {
                if (name == texts.quantities[size_t(q)])
                    return ValueColumn{quantity, 0, unit};
                continue;
            }
            const QStringList around = texts.quantities[size_t(q)].split(QStringLiteral("%1"));
            if (around.size() != 2 || !name.startsWith(around[0]) || !name.endsWith(around[1]))
                continue;
            bool ok = false;
            const int segment =
                name.mid(around[0].size(), name.size() - around[0].size() - around[1].size())
                    .toInt(&ok);
            if (ok && segment > 0)
                return ValueColumn{quantity, segment, unit};
        }
    }
    return std::nullopt;
}

} // namespace

QList<QStringList> Lines(const std::vector<ResultRow>& rows, const std::vector<int>& selected,
                         const ResultsTexts& texts)
{
    const ResultsLayout layout(rows);
    QList<QStringList> lines{layout.Header(texts)};
    if (selected.empty()) {
        for (size_t i = 0; i < rows.size(); ++i)
            lines.append(layout.Cells(rows[i], int(i) + 1));
    } else {
        for (int i : selected)
            if (i >= 0 && size_t(i) < rows.size())
                lines.append(layout.Cells(rows[size_t(i)], i + 1));
    }
    return lines;
}

QByteArray Csv(const QList<QStringList>& lines)
{
    QString text;
    for (const QStringList& line : lines) {
        QStringList fields;
        for (const QString& field : line)
            fields.append(Quoted(field));
        text += fields.join(QLatin1Char(',')) + QLatin1String("\r\n");
    }
    return text.toUtf8();
}

QString Tabbed(const QList<QStringList>& lines)
{
    QString text;
    for (const QStringList& line : lines) {
        QStringList fields;
        for (QString field : line) {
            for (QChar& c : field)
                if (c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
                    c = QLatin1Char(' ');
            fields.append(field);
        }
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

std::optional<QList<QStringList>> ParseRecords(const QByteArray& data, QString& error)
{
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;    // inside a quoted field
    bool wasQuoted = false; // the field began with a quote
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field += c;
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char('"'))
                field += text[++i];
            else
                quoted = false;
        } else if (c == QLatin1Char('"') && field.isEmpty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == QLatin1Char(',')) {
            record.append(field);
            field.clear();
            wasQuoted = false;
        } else if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            record.append(field);
            records.append(record);
            record.clear();
            field.clear();
            wasQuoted = false;
        } else if (wasQuoted) {
            error =
                QStringLiteral("text after a closing quote in record %1").arg(records.size() + 1);
            return std::nullopt;
        } else {
            field += c;
        }
    }
    if (quoted) {
        error = QStringLiteral("a quote is not closed");
        return std::nullopt;
    }
    if (!field.isEmpty() || wasQuoted || !record.isEmpty()) {
        record.append(field);
        records.append(record);
    }
    return records;
}

std::optional<std::vector<ResultRow>>
Read(const QByteArray& data, const std::vector<ResultsTexts>& languages, QString& error)
{
    const std::optional<QList<QStringList>> records = ParseRecords(data, error);
    if (!records)
        return std::nullopt;
    if (records->isEmpty()) {
        error = QStringLiteral("no header line");
        return std::nullopt;
    }
    const QStringList& header = records->first();
    const qsizetype fixed = ResultsLayout::LeadingColumns + ResultsLayout::TrailingColumns;
    if (header.size() < fixed) {
        error = QStringLiteral("the header has %1 fields").arg(header.size());
        return std::nullopt;
    }
    const bool known = std::any_of(languages.begin(), languages.end(), [&](const ResultsTexts& t) {
        return header[0] == t.number && header[1] == t.kind &&
               header.mid(header.size() - ResultsLayout::TrailingColumns) ==
                   QStringList{t.unit, t.magnification, t.pixelSize, t.points};
    });
    if (!known) {
        error = QStringLiteral("not a results header");
        return std::nullopt;
    }
    std::vector<ValueColumn> columns;
    for (qsizetype c = ResultsLayout::LeadingColumns;
         c < header.size() - ResultsLayout::TrailingColumns; ++c) {
        const std::optional<ValueColumn> column = ColumnOf(header[c], languages);
        if (!column) {
            error = QStringLiteral("unknown column \"%1\"").arg(header[c]);
            return std::nullopt;
        }
        columns.push_back(*column);
    }

    std::vector<ResultRow> rows;
    for (qsizetype r = 1; r < records->size(); ++r) {
        const QStringList& cells = records->at(r);
        if (cells.size() != header.size()) {
            error = QStringLiteral("line %1 has %2 fields, the header %3")
                        .arg(r + 1)
                        .arg(cells.size())
                        .arg(header.size());
            return std::nullopt;
        }
        ResultRow row;
        row.kind = cells[1];
        for (size_t c = 0; c < columns.size(); ++c) {
            const QString& number = cells[qsizetype(c) + ResultsLayout::LeadingColumns];
            if (number.isEmpty())
                continue;
            bool ok = false;
            number.toDouble(&ok);
            if (!ok) {
                error = QStringLiteral("line %1: \"%2\" is not a number").arg(r + 1).arg(number);
                return std::nullopt;
            }
            row.values.push_back(
                {columns[c].quantity, columns[c].segment, number, columns[c].unit});
        }
        const qsizetype t = header.size() - ResultsLayout::TrailingColumns;
        row.unit = cells[t];
        row.magnification = cells[t + 1];
        row.pixelSize = cells[t + 2];
        row.points = cells[t + 3];
        rows.push_back(row);
    }
    return rows;
}

} // namespace ResultsCsv
