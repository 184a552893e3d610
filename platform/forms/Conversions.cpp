#include "platform/forms/Conversions.h"

#include "platform/forms/RuntimeError.h"

#include <QLocale>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace forms {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x00A0);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Group separators in some locales are (narrow) no-break spaces; users type a
// plain blank instead, so both spellings count.
bool matchesGroupSeparator(const QString& text, qsizetype pos, const QString& group, qsizetype* length)
{
    if (group.isEmpty())
        return false;
    if (text.mid(pos, group.size()) == group) {
        *length = group.size();
        return true;
    }
    const bool groupIsSpace = group.size() == 1 && (group[0].isSpace() || group[0] == QChar(0x202F));
    if (groupIsSpace && pos < text.size() && text[pos] == u' ') {
        *length = 1;
        return true;
    }
    return false;
}

// strtod follows LC_NUMERIC, which QCoreApplication sets from the environment;
// the normalised text always uses '.', so parse it in the C locale.
double parseCNumber(const QByteArray& normalised)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return strtod_l(normalised.constData(), nullptr, cLocale);
}

} // namespace

double CDbl(const QString& text)
{
    const QLocale locale;
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();

    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const QString s = text.mid(begin, end - begin);

    QByteArray out;
    qsizetype i = 0;
    const QString minus = locale.negativeSign();
    bool signed_ = true;
    if (i < s.size() && s[i] == u'+') {
        ++i;
    } else if (i < s.size() && s[i] == u'-') {
        out += '-';
        ++i;
    } else if (!minus.isEmpty() && s.startsWith(minus)) {
        out += '-';
        i += minus.size();
    } else {
        signed_ = false;
    }
    if (signed_) {
        while (i < s.size() && isBlank(s[i]))
            ++i;
    }

    // Whole part, with group separators only between complete groups of three.
    int intDigits = 0;
    int digitsInGroup = 0;
    bool grouped = false;
    while (i < s.size()) {
        qsizetype sepLength = 0;
        if (isAsciiDigit(s[i])) {
            out += char(s[i].unicode());
            ++intDigits;
            ++digitsInGroup;
            ++i;
        } else if (intDigits > 0 && matchesGroupSeparator(s, i, group, &sepLength)
                   && !(s.mid(i, decimal.size()) == decimal)) {
            if ((grouped && digitsInGroup != 3) || (!grouped && digitsInGroup > 3))
                throw RuntimeError::typeMismatch();
            grouped = true;
            digitsInGroup = 0;
            i += sepLength;
        } else {
            break;
        }
    }
    if (grouped && digitsInGroup != 3)
        throw RuntimeError::typeMismatch();

    int fracDigits = 0;
    if (i < s.size() && s.mid(i, decimal.size()) == decimal) {
        i += decimal.size();
        out += '.';
        while (i < s.size() && isAsciiDigit(s[i])) {
            out += char(s[i].unicode());
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0)
        throw RuntimeError::typeMismatch();

    if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
        out += 'e';
        ++i;
        if (i < s.size() && (s[i] == u'+' || s[i] == u'-'))
            out += char(s[i++].unicode());
        int expDigits = 0;
        while (i < s.size() && isAsciiDigit(s[i])) {
            out += char(s[i++].unicode());
            ++expDigits;
        }
        if (expDigits == 0)
            throw RuntimeError::typeMismatch();
    }
    if (i != s.size())
        throw RuntimeError::typeMismatch();

    const double value = parseCNumber(out);
    if (std::isinf(value))
        throw RuntimeError::overflow();
    return value;
}

double roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return value;
    const double below = std::floor(value);
    const double fraction = value - below; // exact for doubles
    if (fraction > 0.5)
        return below + 1.0;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int16_t CInt(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw RuntimeError::overflow();
    return std::int16_t(r);
}

std::int16_t CInt(const QString& text)
{
    return CInt(CDbl(text));
}

std::int32_t CLng(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw RuntimeError::overflow();
    return std::int32_t(r);
}

std::int32_t CLng(const QString& text)
{
    return CLng(CDbl(text));
}

bool IsNumeric(const QString& text)
{
    try {
        (void)CDbl(text);
        return true;
    } catch (const RuntimeError&) {
        return false;
    }
}

} // namespace forms
