#include "magnification/DecimalText.h"

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace {

// The application sets the user's locale at start-up; the texts here always use
// '.' as the decimal point, so parse under a private "C" locale.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

namespace DecimalText {

double ReadLeading(const QString& text, qsizetype* consumed)
{
    const QByteArray bytes = text.toUtf8();
    const char* begin = bytes.constData();
    char* end = nullptr;
    const double value = strtod_l(begin, &end, CLocale());
    if (consumed)
        *consumed = end ? qsizetype(end - begin) : 0;
    if (end == begin)
        return 0.0;
    return value;
}

bool ReadWhole(const QString& text, double& value)
{
    const QByteArray bytes = text.toUtf8();
    qsizetype start = 0;
    while (start < bytes.size() && (bytes[start] == ' ' || bytes[start] == '\t'))
        ++start;
    // strtod would also skip new lines and other white space; only blanks count here.
    if (start == bytes.size() || std::isspace(uchar(bytes[start])))
        return false;
    const char* begin = bytes.constData() + start;
    char* end = nullptr;
    const double parsed = strtod_l(begin, &end, CLocale());
    if (end == begin)
        return false;
    const char* rest = end;
    const char* last = bytes.constData() + bytes.size();
    while (rest < last && (*rest == ' ' || *rest == '\t'))
        ++rest;
    if (rest != last)
        return false;
    value = parsed;
    return true;
}

} // namespace DecimalText
