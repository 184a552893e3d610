#include "platform/forms/DateConversion.h"

#include "platform/forms/RuntimeError.h"

#include <QLocale>
#include <QStringList>

#include <array>

namespace forms {

namespace {

struct Token {
    QString text;
    bool isNumber = false;
};

bool isSeparator(QChar c, const QString& localeSeparators)
{
    return c == u'/' || c == u'-' || c == u'.' || c == u',' || c == u' ' || c == u'\t'
           || localeSeparators.contains(c);
}

// The non-letter, non-digit characters of the locale's short date format, e.g.
// "/" for en_US, "." for de_DE.
QString localeDateSeparators(const QLocale& locale)
{
    QString result;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    for (QChar c : format) {
        if (!c.isLetterOrNumber() && c != u'\'' && !result.contains(c))
            result += c;
    }
    return result;
}

bool tokenize(const QString& text, const QString& separators, QList<Token>* tokens)
{
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text[i];
        if (isSeparator(c, separators)) {
            ++i;
        } else if (c >= u'0' && c <= u'9') {
            Token t{QString(), true};
            while (i < text.size() && text[i] >= u'0' && text[i] <= u'9')
                t.text += text[i++];
            tokens->append(t);
        } else if (c.isLetter()) {
            Token t{QString(), false};
            while (i < text.size() && text[i].isLetter())
                t.text += text[i++];
            tokens->append(t);
        } else {
            return false;
        }
    }
    return true;
}

// Order of day, month and year in the locale's short date format, as the
// positions of 'd', 'M' and 'y'.
struct FieldOrder {
    int day = 1, month = 0, year = 2; // month/day/year unless the locale says otherwise
};

FieldOrder localeOrder(const QLocale& locale)
{
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    const qsizetype d = format.indexOf(u'd');
    const qsizetype m = format.indexOf(u'M');
    const qsizetype y = format.indexOf(u'y');
    if (d < 0 || m < 0 || y < 0)
        return {};
    std::array<qsizetype, 3> positions{d, m, y};
    FieldOrder order;
    auto rank = [&](qsizetype p) {
        int r = 0;
        for (qsizetype q : positions)
            r += q < p ? 1 : 0;
        return r;
    };
    order.day = rank(d);
    order.month = rank(m);
    order.year = rank(y);
    return order;
}

// A year token: one or two digits go through the window, three or four are literal.
int yearOf(const QString& digits)
{
    const int value = digits.toInt();
    if (digits.size() <= 2)
        return expandTwoDigitYear(value);
    if (digits.size() > 4 || value < 100)
        return -1;
    return value;
}

std::optional<QDate> makeDate(int year, int month, int day)
{
    if (year < 100 || year > 9999)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

int monthFromName(const QString& name, const QLocale& locale)
{
    const QString wanted = name.toCaseFolded();
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (const QLocale& l : {locale, english}) {
        for (int m = 1; m <= 12; ++m) {
            for (QLocale::FormatType type : {QLocale::LongFormat, QLocale::ShortFormat}) {
                for (const QString& candidate : {l.monthName(m, type), l.standaloneMonthName(m, type)}) {
                    QString c = candidate.toCaseFolded();
                    c.remove(u'.');
                    if (!c.isEmpty() && c == wanted)
                        return m;
                }
            }
        }
    }
    return 0;
}

std::optional<QDate> fromNumbers(const QList<Token>& tokens, const QLocale& locale)
{
    for (const Token& t : tokens) {
        if (t.text.size() > 4)
            return std::nullopt;
    }
    if (tokens[0].text.size() >= 3)
        return makeDate(yearOf(tokens[0].text), tokens[1].text.toInt(), tokens[2].text.toInt());

    FieldOrder order = localeOrder(locale);
    // A long number last is the year in any locale ("01/01/2000" where the locale
    // writes the year first); the other two keep the locale's month and day order.
    if (tokens[2].text.size() >= 3 && order.year != 2) {
        const bool monthFirst = order.month < order.day;
        order = {monthFirst ? 1 : 0, monthFirst ? 0 : 1, 2};
    }
    const int year = yearOf(tokens[order.year].text);
    const int month = tokens[order.month].text.toInt();
    const int day = tokens[order.day].text.toInt();
    if (auto date = makeDate(year, month, day))
        return date;
    return makeDate(year, day, month);
}

std::optional<QDate> fromMonthName(const QList<Token>& tokens, const QLocale& locale)
{
    int month = 0;
    QList<QString> numbers;
    for (const Token& t : tokens) {
        if (t.isNumber) {
            numbers.append(t.text);
        } else if (month == 0) {
            month = monthFromName(t.text, locale);
            if (month == 0)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    if (month == 0 || numbers.size() != 2 || numbers[0].size() > 4 || numbers[1].size() > 4)
        return std::nullopt;
    const bool yearFirst = numbers[0].size() >= 3;
    const QString& dayText = yearFirst ? numbers[1] : numbers[0];
    const QString& yearText = yearFirst ? numbers[0] : numbers[1];
    if (dayText.size() > 2)
        return std::nullopt;
    return makeDate(yearOf(yearText), month, dayText.toInt());
}

} // namespace

int expandTwoDigitYear(int year)
{
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> toDate(const QString& text)
{
    const QLocale locale;
    QList<Token> tokens;
    if (!tokenize(text, localeDateSeparators(locale), &tokens) || tokens.size() != 3)
        return std::nullopt;
    int names = 0;
    for (const Token& t : tokens)
        names += t.isNumber ? 0 : 1;
    if (names == 0)
        return fromNumbers(tokens, locale);
    if (names == 1)
        return fromMonthName(tokens, locale);
    return std::nullopt;
}

QDate CDate(const QString& text)
{
    if (auto date = toDate(text))
        return *date;
    throw RuntimeError::typeMismatch();
}

bool IsDate(const QString& text)
{
    return toDate(text).has_value();
}

} // namespace forms
