#include "text/LanguageTable.h"

#include <QFile>

#include <algorithm>

LanguageTable::LanguageTable(int language) : language(language) {}

QString LanguageTable::String(int id)
{
    return Strings().value(id);
}

bool LanguageTable::Contains(int id)
{
    return Strings().contains(id);
}

QString LanguageTable::Cut(const QString& text, int fieldSize)
{
    const qsizetype keep = std::max(0, fieldSize - 1);
    if (text.size() <= keep)
        return text;
    qsizetype length = keep;
    if (length > 0 && text.at(length - 1).isHighSurrogate())
        --length;
    return text.left(length);
}

namespace {

QString Unescape(const QString& text, bool& ok)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\') {
            result.append(c);
            continue;
        }
        if (++i == text.size()) {
            ok = false;
            return {};
        }
        switch (text.at(i).unicode()) {
        case u'n':
            result.append(u'\n');
            break;
        case u't':
            result.append(u'\t');
            break;
        case u'\\':
            result.append(u'\\');
            break;
        default:
            ok = false;
            return {};
        }
    }
    return result;
}

} // namespace

bool LanguageTable::Parse(const QByteArray& data, QHash<int, QString>& table)
{
    bool good = true;
    const QString text = QString::fromUtf8(data);
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype tab = line.indexOf(u'\t');
        bool ok = tab > 0;
        const int id = ok ? line.left(tab).toInt(&ok) : 0;
        const QString value = ok ? Unescape(line.mid(tab + 1), ok) : QString();
        if (!ok || table.contains(id)) {
            good = false;
            continue;
        }
        table.insert(id, value);
    }
    return good;
}

const QHash<int, QString>& LanguageTable::Strings()
{
    static const QHash<int, QString> strings = [] {
        QHash<int, QString> table;
        for (const char* name : {":/strings/en.tsv", ":/strings/zh.tsv"}) {
            QFile file(QString::fromLatin1(name));
            if (file.open(QIODevice::ReadOnly))
                Parse(file.readAll(), table);
        }
        return table;
    }();
    return strings;
}
