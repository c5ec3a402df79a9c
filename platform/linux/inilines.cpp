#include "platform/linux/inilines.h"

#include <QList>

namespace platform
{
namespace
{

bool isGroupLine(const QByteArray &trimmed)
{
    return trimmed.startsWith('[') && trimmed.endsWith(']');
}

// True for "key=...", "key = ..." and "key[$i]=..." lines.
bool isKeyLine(const QByteArray &trimmed, const QByteArray &key)
{
    if (!trimmed.startsWith(key))
        return false;
    const QByteArray rest = trimmed.mid(key.size()).trimmed();
    return rest.startsWith('=') || rest.startsWith('[');
}

} // namespace

QByteArray withIniValue(const QByteArray &content, const QByteArray &group, const QByteArray &key,
                        const QByteArray &value)
{
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the final newline
    const QByteArray header = '[' + group + ']';
    const QByteArray entry = key + '=' + value;

    int groupStart = -1;
    int groupEnd = lines.size(); // one past the group's last non-blank line
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray trimmed = lines[i].trimmed();
        if (groupStart < 0) {
            if (trimmed == header)
                groupStart = i;
            continue;
        }
        if (isGroupLine(trimmed)) {
            groupEnd = i;
            break;
        }
        if (isKeyLine(trimmed, key)) {
            lines[i] = entry;
            return lines.join('\n') + '\n';
        }
    }
    if (groupStart < 0) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QByteArray();
        lines << header << entry;
    } else {
        while (groupEnd - 1 > groupStart && lines[groupEnd - 1].trimmed().isEmpty())
            --groupEnd;
        lines.insert(groupEnd, entry);
    }
    return lines.join('\n') + '\n';
}

} // namespace platform
