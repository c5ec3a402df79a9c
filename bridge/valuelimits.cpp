#include "bridge/valuelimits.h"

namespace valuelimits
{

bool wholeNumber(const QVariant &value, qint64 *number)
{
    const QString text = value.toString().trimmed();
    const int digits = text.size() - ((text.startsWith('-') || text.startsWith('+')) ? 1 : 0);
    if (digits < 1 || digits > 18)
        return false;
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    if (ok)
        *number = n;
    return ok;
}

qint64 bounded(const QVariant &value, Range range, qint64 fallback, bool *changed)
{
    qint64 n = 0;
    qint64 result = wholeNumber(value, &n) ? qBound(range.min, n, range.max) : fallback;
    if (!wholeNumber(value, &n) || n != result)
        *changed = true;
    return result;
}

qint64 inRangeOr(const QVariant &value, Range range, qint64 fallback, bool *changed)
{
    qint64 n = 0;
    if (wholeNumber(value, &n) && n >= range.min && n <= range.max)
        return n;
    *changed = true;
    return fallback;
}

QVariantList boundedList(const QVariantList &list, Range range, const QVariantList &fallbacks,
                         bool *changed)
{
    QVariantList result;
    for (int i = 0; i < list.size(); ++i) {
        qint64 fallback = range.min;
        wholeNumber(fallbacks.value(i), &fallback);
        fallback = qBound(range.min, fallback, range.max);
        result << QVariant(bounded(list.at(i), range, fallback, changed));
    }
    return result;
}

} // namespace valuelimits
