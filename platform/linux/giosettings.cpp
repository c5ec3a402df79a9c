#include "platform/linux/giosettings.h"

#include <cstring>
#include <dlfcn.h>

namespace platform
{
namespace
{

// The GIO, GObject and GLib functions used, declared with untyped pointers (their C types are
// opaque structures) and resolved once from libgio and the libraries it depends on.
struct Gio {
    using Ptr = void *;
    Ptr (*sourceGetDefault)() = nullptr;
    Ptr (*sourceLookup)(Ptr source, const char *id, int recursive) = nullptr;
    int (*schemaHasKey)(Ptr schema, const char *key) = nullptr;
    Ptr (*schemaGetKey)(Ptr schema, const char *key) = nullptr;
    int (*keyRangeCheck)(Ptr key, Ptr value) = nullptr;
    void (*keyUnref)(Ptr key) = nullptr;
    void (*schemaUnref)(Ptr schema) = nullptr;
    Ptr (*settingsNewFull)(Ptr schema, Ptr backend, const char *path) = nullptr;
    int (*settingsSetValue)(Ptr settings, const char *key, Ptr value) = nullptr;
    Ptr (*settingsGetValue)(Ptr settings, const char *key) = nullptr;
    void (*settingsSync)() = nullptr;
    void (*objectUnref)(Ptr object) = nullptr;
    Ptr (*variantNewInt32)(int value) = nullptr;
    Ptr (*variantNewDouble)(double value) = nullptr;
    int (*variantGetInt32)(Ptr variant) = nullptr;
    double (*variantGetDouble)(Ptr variant) = nullptr;
    const char *(*variantTypeString)(Ptr variant) = nullptr;
    Ptr (*variantRefSink)(Ptr variant) = nullptr;
    void (*variantUnref)(Ptr variant) = nullptr;
    bool loaded = false;

    Gio()
    {
        void *lib = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        loaded = bind(lib, sourceGetDefault, "g_settings_schema_source_get_default") &&
                 bind(lib, sourceLookup, "g_settings_schema_source_lookup") &&
                 bind(lib, schemaHasKey, "g_settings_schema_has_key") &&
                 bind(lib, schemaGetKey, "g_settings_schema_get_key") &&
                 bind(lib, keyRangeCheck, "g_settings_schema_key_range_check") &&
                 bind(lib, keyUnref, "g_settings_schema_key_unref") &&
                 bind(lib, schemaUnref, "g_settings_schema_unref") &&
                 bind(lib, settingsNewFull, "g_settings_new_full") &&
                 bind(lib, settingsSetValue, "g_settings_set_value") &&
                 bind(lib, settingsGetValue, "g_settings_get_value") &&
                 bind(lib, settingsSync, "g_settings_sync") &&
                 bind(lib, objectUnref, "g_object_unref") &&
                 bind(lib, variantNewInt32, "g_variant_new_int32") &&
                 bind(lib, variantNewDouble, "g_variant_new_double") &&
                 bind(lib, variantGetInt32, "g_variant_get_int32") &&
                 bind(lib, variantGetDouble, "g_variant_get_double") &&
                 bind(lib, variantTypeString, "g_variant_get_type_string") &&
                 bind(lib, variantRefSink, "g_variant_ref_sink") &&
                 bind(lib, variantUnref, "g_variant_unref");
        // The library stays loaded for the life of the process.
    }

    template <typename F> static bool bind(void *lib, F &function, const char *name)
    {
        function = reinterpret_cast<F>(dlsym(lib, name));
        return function != nullptr;
    }

    static const Gio &get()
    {
        static const Gio gio;
        return gio;
    }
};

} // namespace

GioSettings::GioSettings(const QString &schemaId)
{
    const Gio &gio = Gio::get();
    if (!gio.loaded)
        return;
    void *source = gio.sourceGetDefault();
    if (!source)
        return;
    schema_ = gio.sourceLookup(source, schemaId.toUtf8().constData(), 1);
    if (schema_)
        settings_ = gio.settingsNewFull(schema_, nullptr, nullptr);
}

GioSettings::~GioSettings()
{
    const Gio &gio = Gio::get();
    if (settings_)
        gio.objectUnref(settings_);
    if (schema_)
        gio.schemaUnref(schema_);
}

// The current value of key when it has the given type, as a new reference; else nullptr.
void *GioSettings::value(const QString &key, const char *type) const
{
    const Gio &gio = Gio::get();
    const QByteArray name = key.toUtf8();
    if (!settings_ || !gio.schemaHasKey(schema_, name.constData()))
        return nullptr;
    void *current = gio.settingsGetValue(settings_, name.constData());
    if (current && std::strcmp(gio.variantTypeString(current), type) != 0) {
        gio.variantUnref(current);
        return nullptr;
    }
    return current;
}

bool GioSettings::set(const QString &key, void *variant)
{
    const Gio &gio = Gio::get();
    const QByteArray name = key.toUtf8();
    gio.variantRefSink(variant);
    bool ok = false;
    void *current = value(key, gio.variantTypeString(variant));
    if (current) {
        gio.variantUnref(current);
        void *schemaKey = gio.schemaGetKey(schema_, name.constData());
        if (gio.keyRangeCheck(schemaKey, variant)) {
            ok = gio.settingsSetValue(settings_, name.constData(), variant) != 0;
            gio.settingsSync();
        }
        gio.keyUnref(schemaKey);
    }
    gio.variantUnref(variant);
    return ok;
}

bool GioSettings::setInt(const QString &key, int value)
{
    return settings_ && set(key, Gio::get().variantNewInt32(value));
}

bool GioSettings::setDouble(const QString &key, double value)
{
    return settings_ && set(key, Gio::get().variantNewDouble(value));
}

template <typename T>
std::optional<T> GioSettings::read(const QString &key, const char *type, T (*get)(void *)) const
{
    void *v = value(key, type);
    if (!v)
        return std::nullopt;
    const T out = get(v);
    Gio::get().variantUnref(v);
    return out;
}

std::optional<int> GioSettings::intValue(const QString &key) const
{
    return read<int>(key, "i", Gio::get().variantGetInt32);
}

std::optional<double> GioSettings::doubleValue(const QString &key) const
{
    return read<double>(key, "d", Gio::get().variantGetDouble);
}

} // namespace platform
