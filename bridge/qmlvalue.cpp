#include "bridge/qmlvalue.h"

#include <QJSValue>
#include <QStringList>
#include <cmath>

namespace
{

QVariant unwrapped(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QJSValue>())
        return value.value<QJSValue>().toVariant();
    return value;
}

// A number of the scene is a double even when it is whole; "3" is what the files expect.
QVariant plainScalar(const QVariant &value)
{
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 1e15)
            return QVariant(static_cast<qlonglong>(d));
    }
    return value;
}

QString scalarText(const QVariant &value)
{
    const QVariant plain = plainScalar(unwrapped(value));
    return plain.isValid() ? plain.toString() : QString();
}

} // namespace

QVariant plainSettingValue(const QVariant &value)
{
    const QVariant v = unwrapped(value);
    if (!v.isValid() || v.isNull())
        return QString();
    if (v.typeId() == QMetaType::QStringList)
        return v;
    if (v.typeId() == QMetaType::QVariantList) {
        QStringList texts;
        for (const QVariant &element : v.toList())
            texts << scalarText(element);
        return texts;
    }
    if (v.typeId() == QMetaType::QVariantMap || v.typeId() == QMetaType::QVariantHash)
        return QVariant(); // no stored format holds an object
    return plainScalar(v);
}
