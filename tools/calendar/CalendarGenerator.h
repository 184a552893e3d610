#pragma once
// The calendar window's Generate arithmetic, free of widgets: it counts days from
// 1 January 1900 (every fourth year long, no century rule), picks the month length
// from the month loop's final counter value, and writes the 35 day-cell captions.
//
// The text-to-number conversions are injected so the window can hand in the forms
// runtime's locale-aware CDbl / CInt / CLng. Any of them may raise a run-time error by
// throwing; so does the 16-bit loop counter when it would step past 32767 (through
// raiseOverflow). generate() lets every such error pass to its caller, with the cells
// left as the steps before the error wrote them (the grid is cleared first).

#include <QString>

#include <cstdint>
#include <functional>

namespace tools {

inline constexpr int CalendarCellCount = 35;

struct CalendarConversions {
    std::function<double(const QString&)> toDouble;     // text -> double (CDbl)
    std::function<std::int16_t(double)> toInteger;      // double -> 16-bit, ties to even (CInt)
    std::function<std::int32_t(const QString&)> toLong; // text -> 32-bit, ties to even (CLng)
    std::function<void()> raiseOverflow;                // must throw the overflow error
};

// Receives (cell index 0..34, caption) for every caption the click writes.
using CalendarCellWriter = std::function<void(int, const QString&)>;

class CalendarGenerator {
public:
    explicit CalendarGenerator(CalendarConversions conversions);

    // One press of "&GENERATE". Throws whatever the conversions or the overflow raise.
    void generate(const QString& monthText, const QString& yearText, const CalendarCellWriter& setCell);

    // The window-level working values as the last click left them.
    [[nodiscard]] std::int32_t totalDays() const { return TotalDays; }
    [[nodiscard]] std::int16_t counter() const { return Counter; }

private:
    template <class Body> void countLoop(std::int16_t from, std::int16_t to, Body body);
    std::int16_t monthBound(const QString& text) const;
    std::int16_t monthLength(std::int16_t month, const QString& yearText) const;
    void FillDays(const std::int16_t& N, const CalendarCellWriter& setCell) const;

    CalendarConversions m_conv;
    std::int32_t TotalDays = 0;
    std::int16_t Counter = 0;
};

} // namespace tools
