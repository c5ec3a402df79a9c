#pragma once
// Values read from files, held to the ranges the pages allow, so that what a page shows is what
// the mouse receives. A value out of range is clamped; one that is no whole number (text, a
// fraction, a number too long for any integer) is replaced by the fallback the caller gives.
#include <QVariant>
#include <QVariantList>

namespace valuelimits
{

struct Range {
    qint64 min;
    qint64 max;
};

// The value as a whole number: decimal text (or a number) of at most 18 digits, with an
// optional sign. False for anything else; a number JavaScript could not hold never passes.
bool wholeNumber(const QVariant &value, qint64 *number);

// The value within range (clamped), or fallback when it is no whole number. *changed is set
// when the result differs from what was stored.
qint64 bounded(const QVariant &value, Range range, qint64 fallback, bool *changed);
// The value when it lies in range, else fallback (for list indices, where the nearest end is no
// better a guess than any other).
qint64 inRangeOr(const QVariant &value, Range range, qint64 fallback, bool *changed);

// Each element of list bounded; an element that is no number takes the same element of
// fallbacks (or range.min when fallbacks is shorter). Elements come back as numbers.
QVariantList boundedList(const QVariantList &list, Range range, const QVariantList &fallbacks,
                         bool *changed);

} // namespace valuelimits
